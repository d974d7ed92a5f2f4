// orvane-cli history, undo and redo: what they print, the exit codes and the bytes they restore.
#include "journal/JournalFixture.h"
#include "support/CliRunner.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

using ::testing::HasSubstr;

namespace
{
class HistoryCommandTest : public JournalFixture
{
protected:
    HistoryCommandTest()
    {
        m_path = MakeConverted("cli.94b", "PRIO", 64).string();
        m_original = ReadFileBytes(m_path);
    }
    std::string m_path;
    std::vector<unsigned char> m_original;
};
} // namespace

TEST_F(HistoryCommandTest, SetThenRepairAreListedNewestFirstAndUndoneOneByOne)
{
    ASSERT_EQ(0, RunCli({"set", m_path, "--priority", "50", "--instrument", "1=5:5", "--drumset", "0=1:1"}).code);
    const auto afterSet = ReadFileBytes(m_path);
    ASSERT_EQ(0, RunCli({"repair", m_path}).code);
    const auto afterRepair = ReadFileBytes(m_path);

    CliRun history = RunCli({"history", m_path});
    EXPECT_EQ(0, history.code);
    EXPECT_THAT(history.out, HasSubstr("repair     can undo       repair\n"));
    EXPECT_THAT(history.out, HasSubstr("set        done           set: priority 64 \u2192 50, 2 entries\n"));
    EXPECT_LT(history.out.find("repair"), history.out.find("set:"));

    CliRun undo = RunCli({"undo", m_path});
    EXPECT_EQ(0, undo.code);
    EXPECT_EQ(m_path + ": undone: repair\n", undo.out);
    EXPECT_EQ(afterSet, ReadFileBytes(m_path));
    EXPECT_EQ(0, RunCli({"undo", m_path}).code);
    EXPECT_EQ(m_original, ReadFileBytes(m_path));

    CliRun none = RunCli({"undo", m_path});
    EXPECT_EQ(1, none.code);
    EXPECT_THAT(none.err, HasSubstr("no change of this soundbank to undo"));

    EXPECT_EQ(0, RunCli({"redo", m_path}).code);
    EXPECT_EQ(0, RunCli({"redo", m_path}).code);
    EXPECT_EQ(afterRepair, ReadFileBytes(m_path));
    EXPECT_EQ(1, RunCli({"redo", m_path}).code);
}

TEST_F(HistoryCommandTest, AChangedBankIsRefusedWithExitOneAndLeftAlone)
{
    ASSERT_EQ(0, RunCli({"set", m_path, "--name", "Other"}).code);
    auto bytes = ReadFileBytes(m_path);
    bytes[3] ^= 1;
    WriteFileBytes(m_path, bytes);
    CliRun undo = RunCli({"undo", m_path});
    EXPECT_EQ(1, undo.code);
    EXPECT_THAT(undo.err, HasSubstr("changed by another program"));
    EXPECT_EQ(bytes, ReadFileBytes(m_path));
    CliRun history = RunCli({"history", m_path});
    EXPECT_THAT(history.out, HasSubstr("changed since"));
}

TEST_F(HistoryCommandTest, JsonListsEveryBankWithWhatCanBeDoneNow)
{
    const std::string other = (m_dir / "none.94b").string();
    WriteFileBytes(other, m_original);
    ASSERT_EQ(0, RunCli({"set", m_path, "--priority", "1"}).code);
    ASSERT_EQ(0, RunCli({"set", m_path, "--priority", "2"}).code);
    ASSERT_EQ(0, RunCli({"undo", m_path}).code);
    CliRun r = RunCli({"history", "--json", m_path, other});
    ASSERT_EQ(0, r.code);
    auto doc = nlohmann::json::parse(r.out);
    ASSERT_EQ(2u, doc.size());
    EXPECT_EQ(m_path, doc[0]["bank"]);
    const auto& changes = doc[0]["changes"];
    ASSERT_EQ(2u, changes.size());
    EXPECT_EQ("undone", changes[0]["state"]);
    EXPECT_EQ(true, changes[0]["can_redo"]);
    EXPECT_EQ("set: priority 1 \u2192 2", changes[0]["summary"]);
    EXPECT_EQ(true, changes[1]["can_undo"]);
    EXPECT_EQ("set", changes[1]["kind"]);
    EXPECT_TRUE(doc[1]["changes"].empty());
}

TEST_F(HistoryCommandTest, UsageErrorsAndHelp)
{
    for (const char* command : {"history", "undo", "redo"})
    {
        CliRun help = RunCli({command, "--help"});
        EXPECT_EQ(0, help.code);
        EXPECT_THAT(help.out, HasSubstr(std::string("Usage: orvane-cli ") + command));
        EXPECT_THAT(help.out, HasSubstr("Exit status:"));
        EXPECT_EQ(2, RunCli({command}).code) << command;
        EXPECT_EQ(2, RunCli({command, "--bogus", m_path}).code) << command;
    }
    EXPECT_EQ(2, RunCli({"undo", m_path, m_path}).code);
    EXPECT_EQ(2, RunCli({"history", "--csv", m_path}).code);
    EXPECT_THAT(RunCli({"--help"}).out, HasSubstr("undo"));
}
