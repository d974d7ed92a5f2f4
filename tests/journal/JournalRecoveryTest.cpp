// What the journal meets after crashes and failures, through the commands a user runs: a journal
// file cut short while a line was appended, an undo or redo whose journal write fails, a journal
// file over its bound.
#include "journal/JournalFixture.h"
#include "support/CliRunner.h"
#include "support/FaultFileSystem.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{
class JournalRecoveryTest : public JournalFixture
{
protected:
    static void Set(const std::filesystem::path& bank, int priority)
    {
        CliRun set = RunCli({"set", bank.string(), "--priority", std::to_string(priority)});
        ASSERT_EQ(0, set.code) << set.err;
    }

    std::filesystem::path JournalFile() const
    {
        auto names = JournalFiles();
        return names.size() == 1 ? m_place.dir / names[0] : std::filesystem::path();
    }

    static std::vector<uint64_t> Ids(const std::vector<JOURNALCHANGE>& changes)
    {
        std::vector<uint64_t> ids;
        for (const JOURNALCHANGE& c : changes)
            ids.push_back(c.nId);
        return ids;
    }
};
} // namespace

TEST_F(JournalRecoveryTest, AJournalCutShortAnywhereReadsWithoutItsTornLineAndRecordsTheNextChange)
{
    const auto bank = MakeConverted("torn.94b", "PRIO", 9);
    // The journal written whole (by the undo), then changes added and confirmed by lines.
    for (int priority : {10, 20, 30})
        Set(bank, priority);
    ASSERT_EQ(0, RunCli({"undo", bank.string()}).code);
    for (int priority : {40, 50})
        Set(bank, priority);
    const auto file = JournalFile();
    ASSERT_FALSE(file.empty());
    const std::string full = ReadFileText(file);
    ASSERT_GE(std::count(full.begin(), full.end(), '\n'), 5);
    const auto saved = ReadFileBytes(bank);

    std::mt19937 random(34);
    for (int run = 0; run < 60; ++run)
    {
        const size_t cut = 1 + random() % (full.size() - 1);
        const std::string torn = full.substr(0, cut);
        WriteFileText(file, torn);
        WriteFileBytes(bank, saved);

        // The changes of the whole lines, as if the torn one were absent; a cut in the first
        // line leaves no journal.
        const size_t lineEnd = torn.rfind('\n');
        std::vector<JOURNALCHANGE> whole;
        if (lineEnd != std::string::npos)
            CBankJournal::Parse(torn.substr(0, lineEnd + 1), whole);
        CBankJournal journal(GetFileSystem(), CBankJournal::BankKey(GetFileSystem(), bank));
        int error = 0;
        ASSERT_TRUE(journal.Read(error)) << cut;
        if (full[cut] != '\n') // not a line whole but for its end
        {
            EXPECT_EQ(Ids(whole), Ids(journal.m_changes)) << "cut at " << cut;
        }
        EXPECT_EQ(0, RunCli({"history", bank.string()}).code) << cut;

        Set(bank, 77);
        const auto changed = ReadFileBytes(bank);
        CliRun undo = RunCli({"undo", bank.string()});
        ASSERT_EQ(0, undo.code) << "cut at " << cut << ": " << undo.err;
        EXPECT_EQ(saved, ReadFileBytes(bank)) << cut;
        ASSERT_EQ(0, RunCli({"redo", bank.string()}).code) << cut;
        EXPECT_EQ(changed, ReadFileBytes(bank)) << cut;
    }
}

TEST_F(JournalRecoveryTest, AnUndoOrRedoWhoseJournalWriteFailsSaysSoAndTheNextStepStillWorks)
{
    // Two changes: original -> first -> second. An undo steps from second to first, a redo (after
    // both were undone) from original to first; the next step goes on from there.
    for (const bool bUndo : {true, false})
    {
        const char* step = bUndo ? "undo" : "redo";
        int unrecorded = 0;
        for (int n = 1; n < 400; ++n)
        {
            std::filesystem::remove_all(m_place.dir);
            const auto bank = MakeConverted("step.94b", "PRIO", 4);
            const auto original = ReadFileBytes(bank);
            Set(bank, 10);
            const auto first = ReadFileBytes(bank);
            Set(bank, 20);
            const auto second = ReadFileBytes(bank);
            for (int i = 0; i < (bUndo ? 0 : 2); ++i)
                ASSERT_EQ(0, RunCli({"undo", bank.string()}).code);
            const auto& from = bUndo ? second : original;
            const auto& next = bUndo ? original : second;

            CliRun run;
            bool failed = false;
            {
                CFaultFileSystem fs(n);
                run = RunCli({step, bank.string()});
                failed = fs.Failed();
            }
            if (!failed)
            {
                EXPECT_EQ(0, run.code) << run.err;
                EXPECT_EQ(first, ReadFileBytes(bank));
                break;
            }
            const auto now = ReadFileBytes(bank);
            ASSERT_TRUE(now == from || now == first) << "fault at call " << n;
            if (now == first)
            {
                // The step was made: success only when it was recorded too, else said so.
                if (run.code != 0)
                {
                    ++unrecorded;
                    EXPECT_EQ(1, run.code);
                    EXPECT_THAT(run.err, HasSubstr(GetString(bUndo ? IDS_UNDO_UNRECORDED : IDS_REDO_UNRECORDED)));
                }
                // The bank is as the journal expects it: the next step is not blocked.
                CliRun again = RunCli({step, bank.string()});
                ASSERT_EQ(0, again.code) << "fault at call " << n << ": " << again.err;
                EXPECT_EQ(next, ReadFileBytes(bank)) << n;
            }
            else
            {
                EXPECT_NE(0, run.code) << n;
                ASSERT_EQ(0, RunCli({step, bank.string()}).code) << "fault at call " << n;
                EXPECT_EQ(first, ReadFileBytes(bank)) << n;
            }
        }
        EXPECT_GT(unrecorded, 0) << step;
    }
}

TEST_F(JournalRecoveryTest, AJournalOverItsBoundIsReadAndTheNextChangeDropsItsOldestEntries)
{
    const auto bank = MakeConverted("bound.94b", "PRIO", 7);
    std::vector<std::vector<unsigned char>> states{ReadFileBytes(bank)};
    for (int priority = 1; priority <= 12; ++priority)
    {
        Set(bank, priority);
        states.push_back(ReadFileBytes(bank));
    }
    const auto file = JournalFile();
    ASSERT_FALSE(file.empty());
    const uint64_t size = std::filesystem::file_size(file);
    m_place.nMaxBytes = size / 2;

    // Reading commands read it all, and change nothing.
    CliRun history = RunCli({"history", bank.string()});
    EXPECT_EQ(0, history.code) << history.err;
    EXPECT_THAT(history.out, HasSubstr("set: priority 11 \u2192 12\n"));
    EXPECT_THAT(history.out, HasSubstr("set: priority 7 \u2192 1\n"));
    EXPECT_EQ(size, std::filesystem::file_size(file));
    JOURNALSTATUS status;
    ASSERT_TRUE(GetJournalStatus(bank, status));
    EXPECT_EQ(12u, status.changes.size());
    EXPECT_TRUE(status.bCanUndo);

    // An undo and a new change write the journal within its bound, keeping the newest entries,
    // which undo as before.
    CliRun undo = RunCli({"undo", bank.string()});
    ASSERT_EQ(0, undo.code) << undo.err;
    EXPECT_EQ(states[11], ReadFileBytes(bank));
    Set(bank, 99);
    EXPECT_LE(std::filesystem::file_size(JournalFile()), m_place.nMaxBytes);
    ASSERT_TRUE(GetJournalStatus(bank, status));
    ASSERT_GE(status.changes.size(), 2u);
    EXPECT_LT(status.changes.size(), 12u);
    EXPECT_THAT(status.changes.back().strSummary, HasSubstr("11 \u2192 99"));
    ASSERT_EQ(0, RunCli({"undo", bank.string()}).code);
    EXPECT_EQ(states[11], ReadFileBytes(bank));
    ASSERT_EQ(0, RunCli({"undo", bank.string()}).code);
    EXPECT_EQ(states[10], ReadFileBytes(bank));
}
