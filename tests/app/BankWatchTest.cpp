// The open bank watched on disk: a change is told once it has settled, a file renamed over the
// bank and a touch count as changes, a removal is told at once, and each is told only once.
#include "app/BankWatch.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
BANKSTAMP Stamp(uint64_t inode, uint64_t size, int64_t mtime)
{
    BANKSTAMP stamp;
    stamp.bPresent = true;
    stamp.stat.nDevice = 1;
    stamp.stat.nInode = inode;
    stamp.stat.nSize = size;
    stamp.stat.nMtimeNs = mtime;
    return stamp;
}

TEST(BankWatchTest, AChangeIsToldOnceItHasSettledAndOnlyOnce)
{
    CBankWatch watch;
    watch.Shown(Stamp(7, 100, 1000));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(7, 100, 1000)));

    // Written in place, still growing at the second look: told once the file holds still.
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(7, 50, 2000)));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(7, 100, 3000)));
    EXPECT_EQ(BankChange::Changed, watch.Look(Stamp(7, 100, 3000)));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(7, 100, 3000)));

    // Another file renamed over the bank: same size and time, another inode.
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(8, 100, 3000)));
    EXPECT_EQ(BankChange::Changed, watch.Look(Stamp(8, 100, 3000)));

    // Changed and changed back between two looks: nothing to tell.
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(8, 100, 4000)));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(8, 100, 3000)));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(8, 100, 3000)));
}

TEST(BankWatchTest, ARemovalIsToldAtOnceAndTheBankComingBackIsAChange)
{
    CBankWatch watch;
    watch.Shown(Stamp(7, 100, 1000));
    EXPECT_EQ(BankChange::Gone, watch.Look(BANKSTAMP()));
    EXPECT_EQ(BankChange::None, watch.Look(BANKSTAMP()));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(9, 100, 5000)));
    EXPECT_EQ(BankChange::Changed, watch.Look(Stamp(9, 100, 5000)));
}

TEST(BankWatchTest, TheProgramsOwnWritesAreNotToldAgain)
{
    CBankWatch watch;
    watch.Shown(Stamp(7, 100, 1000));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(7, 100, 2000)));
    // The program wrote the bank and rendered its page before the second look.
    watch.Shown(Stamp(7, 100, 2000));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(7, 100, 2000)));
    EXPECT_EQ(BankChange::None, watch.Look(Stamp(7, 100, 2000)));
}

TEST(BankWatchTest, StampsOfARealFileFollowWritesRenamesTouchesAndRemoval)
{
    CTempDir dir;
    const std::filesystem::path bank = dir / "bank.94b";
    IFileSystem& fs = GetFileSystem();
    EXPECT_FALSE(StampBank(fs, bank).bPresent);
    EXPECT_FALSE(StampBank(fs, "").bPresent);

    WriteFileText(bank, "first");
    const BANKSTAMP first = StampBank(fs, bank);
    ASSERT_TRUE(first.bPresent);
    EXPECT_EQ(5u, first.stat.nSize);
    EXPECT_EQ(first, StampBank(fs, bank));

    // Only the modification time moves: a touch is a change of the file's identity.
    std::filesystem::last_write_time(bank, std::filesystem::last_write_time(bank) + std::chrono::seconds(3));
    const BANKSTAMP touched = StampBank(fs, bank);
    EXPECT_NE(first, touched);
    EXPECT_EQ(first.stat.nInode, touched.stat.nInode);

    // A copy renamed over the bank, with the same bytes and time: another inode.
    WriteFileText(dir / "copy.94b", "first");
    std::filesystem::last_write_time(dir / "copy.94b", std::filesystem::last_write_time(bank));
    std::filesystem::rename(dir / "copy.94b", bank);
    const BANKSTAMP replaced = StampBank(fs, bank);
    EXPECT_NE(touched.stat.nInode, replaced.stat.nInode);
    EXPECT_NE(touched, replaced);

    std::filesystem::remove(bank);
    EXPECT_FALSE(StampBank(fs, bank).bPresent);
}

TEST(BankWatchTest, EachBankOfASetIsToldOnceWhenChangedOrGoneAndTheProgramsOwnWritesAreNot)
{
    CTempDir dir;
    const std::string alpha = (dir / "alpha.94b").string();
    const std::string beta = (dir / "beta.94b").string();
    WriteFileText(alpha, "alpha");
    WriteFileText(beta, "beta");
    IFileSystem& fs = GetFileSystem();
    CBankSetWatch watch;
    watch.Shown(fs, std::vector<std::string>{alpha, beta});
    EXPECT_TRUE(watch.Look(fs).empty());

    // Another file renamed over beta: told at the second look that finds it settled, then never again.
    WriteFileText(dir / "new.94b", "other");
    std::filesystem::rename(dir / "new.94b", beta);
    EXPECT_TRUE(watch.Look(fs).empty());
    const auto changes = watch.Look(fs);
    ASSERT_EQ(1u, changes.size());
    EXPECT_EQ(beta, changes[0].first);
    EXPECT_EQ(BankChange::Changed, changes[0].second);
    EXPECT_TRUE(watch.Look(fs).empty());

    // The program's own write to alpha is taken as shown; a removal is told at once.
    WriteFileText(dir / "new.94b", "mine");
    std::filesystem::rename(dir / "new.94b", alpha);
    watch.Shown(fs, std::vector<std::string>{alpha, beta});
    std::filesystem::remove(beta);
    const auto gone = watch.Look(fs);
    ASSERT_EQ(1u, gone.size());
    EXPECT_EQ(beta, gone[0].first);
    EXPECT_EQ(BankChange::Gone, gone[0].second);
    EXPECT_TRUE(watch.Look(fs).empty());
}
} // namespace
