// Undo and redo through the change journal, on the bytes on disk: random sequences of write-backs
// and repairs walked back and forth, banks changed by hand in between, and what a new change ends.
#include "journal/JournalFixture.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace
{
// Keeps every test of this program out of the user's own journal, whatever runs the commands
// (in-process or as a child program).
class JournalStateEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_dir = std::make_unique<CTempDir>();
        setenv("XDG_STATE_HOME", m_dir->Path().c_str(), 1);
    }
    void TearDown() override { m_dir.reset(); }

private:
    std::unique_ptr<CTempDir> m_dir;
};
[[maybe_unused]] ::testing::Environment* const kJournalState =
    ::testing::AddGlobalTestEnvironment(new JournalStateEnvironment);

using ChangeJournalTest = JournalFixture;

// A random sequence of changes of every kind: write-backs named "inspector" and "set", and the
// repair of a bank whose priority chunk is TTPR or PRIO.
std::vector<std::vector<unsigned char>> RandomHistory(JournalFixture& f, const std::filesystem::path& path,
                                                      std::mt19937& random, int changes)
{
    std::vector<std::vector<unsigned char>> states{ReadFileBytes(path)};
    const int repairAt = static_cast<int>(random() % static_cast<unsigned>(changes));
    for (int i = 0; i < changes; ++i)
    {
        CJournalScope journal(random() % 2 ? "inspector" : "set");
        if (i == repairAt)
            EXPECT_EQ(1, JournalFixture::Repair(path));
        else
            EXPECT_EQ(1, f.RandomWriteBack(path, random));
        states.push_back(ReadFileBytes(path));
    }
    return states;
}
} // namespace

TEST_F(ChangeJournalTest, RandomChangesUndoToEveryEarlierStateAndRedoToTheFinalOne)
{
    for (uint32_t seed : {1u, 2u, 3u, 4u})
    {
        std::mt19937 random(seed);
        const auto path = MakeConverted("bank" + std::to_string(seed) + ".94b", seed % 2 ? "TTPR" : "PRIO", seed);
        const int n = 8;
        auto states = RandomHistory(*this, path, random, n);
        // A run of the program that starts afresh knows only what is on disk.
        ForgetDigests();
        for (int i = n; i > 0; --i)
        {
            ASSERT_EQ(StepResult::Done, UndoLastChange(path)) << "seed " << seed << " undo " << i;
            ASSERT_EQ(states[static_cast<size_t>(i - 1)], ReadFileBytes(path)) << "seed " << seed << " undo " << i;
        }
        EXPECT_EQ(StepResult::Nothing, UndoLastChange(path));
        for (int i = 1; i <= n; ++i)
        {
            ASSERT_EQ(StepResult::Done, RedoLastChange(path)) << "seed " << seed << " redo " << i;
            ASSERT_EQ(states[static_cast<size_t>(i)], ReadFileBytes(path)) << "seed " << seed << " redo " << i;
        }
        EXPECT_EQ(StepResult::Nothing, RedoLastChange(path));
        EXPECT_EQ(states.front().size(), states.back().size());
    }
    EXPECT_TRUE(m_messages.Texts().size() == 8u) << "one message per step with nothing to do";
}

TEST_F(ChangeJournalTest, BankChangedByHandRefusesUndoAndRedoAndWritesNothing)
{
    std::mt19937 random(11);
    const auto path = MakeConverted("hand.94b", "PRIO", 5);
    RandomHistory(*this, path, random, 3);

    // One byte changed in place within the same clock tick keeps size, inode and usually the
    // modification time: only the digest tells.
    auto bytes = ReadFileBytes(path);
    bytes[bytes.size() - 1] ^= 0x01;
    WriteFileBytes(path, bytes);
    EXPECT_EQ(StepResult::Changed, UndoLastChange(path));
    EXPECT_EQ(bytes, ReadFileBytes(path));
    ASSERT_FALSE(m_messages.m_messages.empty());
    EXPECT_EQ(GetString(IDS_UNDO_CHANGED), m_messages.m_messages.back().text);

    JOURNALSTATUS status;
    ASSERT_TRUE(GetJournalStatus(path, status));
    EXPECT_EQ(3u, status.changes.size());
    EXPECT_FALSE(status.bCanUndo);

    // Put back by hand exactly: the bytes match, but the file's identity is another one.
    bytes[bytes.size() - 1] ^= 0x01;
    WriteFileBytes(path, bytes);
    EXPECT_EQ(StepResult::Changed, UndoLastChange(path));
    EXPECT_EQ(bytes, ReadFileBytes(path));
}

TEST_F(ChangeJournalTest, UndoneChangeIsRedoneOnlyFromTheUndoneStateAndANewChangeEndsRedo)
{
    std::mt19937 random(21);
    const auto path = MakeConverted("redo.94b", "PRIO", 9);
    auto states = RandomHistory(*this, path, random, 4);
    ASSERT_EQ(StepResult::Done, UndoLastChange(path));
    ASSERT_EQ(StepResult::Done, UndoLastChange(path));

    auto bytes = ReadFileBytes(path);
    bytes[0] ^= 0x40;
    WriteFileBytes(path, bytes);
    EXPECT_EQ(StepResult::Changed, RedoLastChange(path));
    EXPECT_EQ(bytes, ReadFileBytes(path));
    bytes[0] ^= 0x40;
    WriteFileBytes(path, bytes);

    // A new change (from a bank state the journal does not know as its own) drops both undone.
    {
        CJournalScope journal("set");
        ASSERT_EQ(1, RandomWriteBack(path, random));
    }
    EXPECT_EQ(StepResult::Nothing, RedoLastChange(path));
    JOURNALSTATUS status;
    ASSERT_TRUE(GetJournalStatus(path, status));
    EXPECT_EQ(3u, status.changes.size());
    EXPECT_TRUE(status.bCanUndo);
    EXPECT_EQ(-1, status.nRedo);
    ASSERT_EQ(StepResult::Done, UndoLastChange(path));
    EXPECT_EQ(bytes, ReadFileBytes(path));
}

TEST_F(ChangeJournalTest, WriteBackWithoutChangedBytesRecordsNothingAndKeepsUndo)
{
    const auto path = MakeConverted("same.94b", "PRIO", 3);
    const auto original = ReadFileBytes(path);
    CJournalScope journal("inspector");
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
    bank.m_wPriority = 99;
    bank.SetInstrument(2, 7, 1);
    ASSERT_EQ(1, bank.SaveInPlace());
    const auto changed = ReadFileBytes(path);
    ASSERT_EQ(1, bank.SaveInPlace()); // an OK without edits rewrites the same bytes

    JOURNALSTATUS status;
    ASSERT_TRUE(GetJournalStatus(path, status));
    ASSERT_EQ(1u, status.changes.size());
    EXPECT_TRUE(status.bCanUndo);
    EXPECT_EQ("inspector: priority " + std::to_string(3 % 128) + " \u2192 99, 1 entry", status.changes[0].strSummary);
    EXPECT_EQ(changed, ReadFileBytes(path));
    ASSERT_EQ(StepResult::Done, UndoLastChange(path));
    EXPECT_EQ(original, ReadFileBytes(path));
}

TEST_F(ChangeJournalTest, ReadOnlyBankIsNeitherUndoneNorRedone)
{
    std::mt19937 random(5);
    const auto path = MakeConverted("ro.94b", "PRIO", 2);
    RandomHistory(*this, path, random, 2);
    const auto bytes = ReadFileBytes(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(StepResult::Failed, UndoLastChange(path));
    EXPECT_EQ(bytes, ReadFileBytes(path));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(StepResult::Done, UndoLastChange(path));
}

TEST_F(ChangeJournalTest, UndoFollowsALinkToTheBankAndKeepsItsMode)
{
    const auto path = MakeConverted("target.94b", "TTPR", 4);
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    const auto link = m_dir / "link.94b";
    std::filesystem::create_symlink(path, link);
    const auto original = ReadFileBytes(path);
    {
        CJournalScope journal("inspector");
        ASSERT_EQ(1, Repair(link));
    }
    ASSERT_NE(original, ReadFileBytes(path));
    // The journal knows the bank by the file the link leads to, under either name.
    ASSERT_EQ(StepResult::Done, UndoLastChange(path));
    EXPECT_EQ(original, ReadFileBytes(path));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::perms(0640), std::filesystem::status(path).permissions());
    ASSERT_EQ(StepResult::Done, RedoLastChange(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

TEST_F(ChangeJournalTest, RepairOfASparseBankRecordsTheDigestsOfWhatItReadAndWroteAndIsUndoneExactly)
{
    // Holes between the TTMA chunk and the priority chunk, and after the mapping.
    CBankBuilder b;
    b.Filler(40, 3).Ttma(300, 3).Raw(std::vector<unsigned char>(3 << 20, 0)).Filler(50, 4);
    b.Prio("Holes", 12, "TTPR").Imap(CBankBuilder::Entries(6), CBankBuilder::Entries(2), "TTIM");
    const std::vector<unsigned char> bytes = b.Bytes();
    const auto path = m_dir / "sparse.94b";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), 400);
        out.seekp(static_cast<std::streamoff>(bytes.size() - 400));
        out.write(reinterpret_cast<const char*>(bytes.data() + bytes.size() - 400), 400);
    }
    ASSERT_EQ(0, ::truncate(path.c_str(), static_cast<off_t>(bytes.size() + (2 << 20))));
    const auto original = ReadFileBytes(path);
    ASSERT_TRUE(std::equal(bytes.begin(), bytes.end(), original.begin()));
    {
        CJournalScope journal("set");
        ASSERT_EQ(1, Repair(path));
    }
    const auto repaired = ReadFileBytes(path);
    JOURNALSTATUS status;
    ASSERT_TRUE(GetJournalStatus(path, status));
    ASSERT_EQ(1u, status.changes.size());
    EXPECT_EQ(ChangeState::Done, status.changes[0].nState);
    EXPECT_TRUE(status.bCanUndo);
    ASSERT_EQ(StepResult::Done, UndoLastChange(path));
    EXPECT_EQ(original, ReadFileBytes(path));
    ASSERT_EQ(StepResult::Done, RedoLastChange(path));
    EXPECT_EQ(repaired, ReadFileBytes(path));
}
