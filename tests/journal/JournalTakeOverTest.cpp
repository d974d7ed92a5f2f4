// A bank renamed or moved within its file system keeps its history; a copy, a second hard link
// or a bank changed since does not take it.
#include "journal/JournalFixture.h"
#include "support/CliRunner.h"

#include <gmock/gmock.h>

#include <fstream>

using ::testing::HasSubstr;

namespace
{
class JournalTakeOverTest : public JournalFixture
{
protected:
    static void Set(const std::filesystem::path& bank, const std::string& option, const std::string& value)
    {
        CliRun set = RunCli({"set", bank.string(), option, value});
        ASSERT_EQ(0, set.code) << set.err;
    }
    static std::string History(const std::filesystem::path& bank)
    {
        CliRun history = RunCli({"history", bank.string()});
        EXPECT_EQ(0, history.code) << history.err;
        return history.out;
    }
};
} // namespace

TEST_F(JournalTakeOverTest, ABankMovedToAnotherNameAndFolderIsUndoneThereAndACopyHasNoHistory)
{
    const auto before = MakeConverted("before.94b", "PRIO", 21);
    const auto original = ReadFileBytes(before);
    Set(before, "--priority", "5");
    const auto prioritySet = ReadFileBytes(before);
    Set(before, "--name", "Moved");
    const auto named = ReadFileBytes(before);

    std::filesystem::create_directory(m_dir / "sub");
    const auto after = m_dir / "sub" / "after.94b";
    std::filesystem::rename(before, after);
    const auto copy = m_dir / "copy.94b";
    std::filesystem::copy_file(after, copy);
    EXPECT_THAT(History(copy), HasSubstr(": no changes\n"));

    const std::string moved = History(after);
    EXPECT_THAT(moved, HasSubstr("can undo"));
    EXPECT_THAT(moved, HasSubstr("set: name"));
    EXPECT_THAT(moved, HasSubstr("set: priority 21 \u2192 5\n"));
    // The journal now lives under the new path only.
    auto names = JournalFiles();
    ASSERT_EQ(1u, names.size());
    EXPECT_THAT(ReadFileText(m_place.dir / names[0]), HasSubstr(std::filesystem::canonical(after).string()));

    ASSERT_EQ(0, RunCli({"undo", after.string()}).code);
    EXPECT_EQ(prioritySet, ReadFileBytes(after));
    ASSERT_EQ(0, RunCli({"undo", after.string()}).code);
    EXPECT_EQ(original, ReadFileBytes(after));
    ASSERT_EQ(0, RunCli({"redo", after.string()}).code);
    EXPECT_EQ(prioritySet, ReadFileBytes(after));
    EXPECT_EQ(1, RunCli({"undo", copy.string()}).code);
    EXPECT_EQ(named, ReadFileBytes(copy));

    // A new bank at the old path has a history of its own (none).
    WriteFileBytes(before, original);
    EXPECT_THAT(History(before), HasSubstr(": no changes\n"));
    EXPECT_THAT(History(after), HasSubstr("can redo"));
}

TEST_F(JournalTakeOverTest, ASecondLinkOrABankChangedAfterItsMoveKeepsNoHistory)
{
    const auto bank = MakeConverted("linked.94b", "PRIO", 22);
    Set(bank, "--priority", "9");
    const auto link = m_dir / "link.94b";
    std::filesystem::create_hard_link(bank, link);
    EXPECT_THAT(History(link), HasSubstr(": no changes\n"));
    EXPECT_THAT(History(bank), HasSubstr("can undo"));

    // Moved, then changed by another program: its bytes are not the journal's.
    std::filesystem::remove(link);
    const auto moved = m_dir / "moved.94b";
    std::filesystem::rename(bank, moved);
    auto bytes = ReadFileBytes(moved);
    bytes.back() ^= 1;
    {
        std::ofstream out(moved, std::ios::binary | std::ios::in);
        out.seekp(static_cast<long>(bytes.size() - 1));
        out.put(static_cast<char>(bytes.back()));
    }
    EXPECT_THAT(History(moved), HasSubstr(": no changes\n"));
    EXPECT_EQ(1, RunCli({"undo", moved.string()}).code);
    EXPECT_EQ(bytes, ReadFileBytes(moved));
}
