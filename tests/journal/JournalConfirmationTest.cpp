// The lines appended to a journal file for a change added and confirmed: what a reader makes of
// one cut short or one that fits no change, how many a file takes before it is written whole,
// and that none is appended through a link put in the file's place.
#include "journal/JournalFixture.h"

#include <unistd.h>

namespace
{
class JournalConfirmationTest : public JournalFixture
{
public:
    // A bank with one change made through the journal; m_file is its journal file.
    void SetUp() override
    {
        JournalFixture::SetUp();
        m_bank = MakeConverted("confirm.94b", "PRIO", 5);
        ASSERT_TRUE(ChangePriority(99));
        auto names = JournalFiles();
        ASSERT_EQ(1u, names.size());
        m_file = m_place.dir / names[0];
        const std::string text = ReadFileText(m_file);
        const size_t end = text.find('\n');
        ASSERT_NE(std::string::npos, end);
        m_journal = text.substr(0, end + 1);
        m_confirmation = text.substr(end + 1);
        ASSERT_FALSE(m_confirmation.empty());
    }

    bool ChangePriority(uint16_t priority)
    {
        CJournalScope journal("set");
        CSoundBank bank;
        if (!bank.Load(m_bank, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
            return false;
        bank.m_wPriority = priority;
        return bank.SaveInPlace() == 1;
    }

    static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
            lines.push_back(text.substr(at, end - at + 1));
        return lines;
    }

    ChangeState StateRead(const std::string& text)
    {
        std::vector<JOURNALCHANGE> changes;
        EXPECT_TRUE(CBankJournal::Parse(text, changes));
        return changes.size() == 1 ? changes[0].nState : ChangeState::Undone;
    }

    std::filesystem::path m_bank, m_file;
    std::string m_journal, m_confirmation;
};
} // namespace

TEST_F(JournalConfirmationTest, ConfirmationCutShortOrFittingNoChangeLeavesItPendingAndStillUndoable)
{
    EXPECT_EQ(ChangeState::Done, StateRead(m_journal + m_confirmation));
    EXPECT_EQ(ChangeState::Pending, StateRead(m_journal));
    // Cut short by a crash, before or after its line's end.
    EXPECT_EQ(ChangeState::Pending, StateRead(m_journal + m_confirmation.substr(0, m_confirmation.size() / 2)));
    // Another digest, another change's id, values of the wrong type.
    std::string digest = m_confirmation;
    const size_t at = digest.find("\"digest\":\"") + 10;
    digest[at] = digest[at] == '0' ? '1' : '0';
    std::string id = m_confirmation;
    id.replace(id.find("\"done\":1"), 8, "\"done\":7");
    for (const std::string& line : {digest, id, std::string("{\"done\":\"1\",\"after\":[]}\n"),
                                    std::string("{\"done\":-1,\"after\":{\"digest\":5}}\n"), std::string("[]\n")})
        EXPECT_EQ(ChangeState::Pending, StateRead(m_journal + line)) << line;
    // A line passed over does not hide a good one after it, nor do empty lines.
    EXPECT_EQ(ChangeState::Done, StateRead(m_journal + id + "\n\n" + m_confirmation));
    EXPECT_EQ(ChangeState::Done,
              StateRead(m_journal + m_confirmation.substr(0, m_confirmation.size() / 2) + "\n" + m_confirmation));

    // A change whose confirmation was lost is settled by the bank's digest and undone.
    const auto changed = ReadFileBytes(m_bank);
    WriteFileText(m_file, m_journal + m_confirmation.substr(0, 9));
    JOURNALSTATUS status;
    ASSERT_TRUE(GetJournalStatus(m_bank, status));
    ASSERT_EQ(1u, status.changes.size());
    EXPECT_TRUE(status.bCanUndo);
    EXPECT_EQ(StepResult::Done, UndoLastChange(m_bank));
    EXPECT_NE(changed, ReadFileBytes(m_bank));
    EXPECT_EQ(StepResult::Done, RedoLastChange(m_bank));
    EXPECT_EQ(changed, ReadFileBytes(m_bank));
}

TEST_F(JournalConfirmationTest, ConfirmationIsNeverAppendedThroughALinkPutInTheFilesPlace)
{
    const std::string text = m_journal;
    WriteFileText(m_file, text);
    CBankJournal journal(GetFileSystem(), CBankJournal::BankKey(GetFileSystem(), m_bank));
    int error = 0;
    ASSERT_TRUE(journal.Read(error));
    ASSERT_EQ(1u, journal.m_changes.size());
    FILESTAT stat;
    ASSERT_TRUE(GetFileSystem().StatPath(m_bank, stat));

    const auto elsewhere = m_dir / "elsewhere.json";
    WriteFileText(elsewhere, text);
    std::filesystem::remove(m_file);
    std::filesystem::create_symlink(elsewhere, m_file);
    EXPECT_FALSE(journal.Confirm(journal.m_changes[0].nId, stat));
    EXPECT_EQ(text, ReadFileText(elsewhere));

    // The file itself takes the line, and reads back as the change made.
    std::filesystem::remove(m_file);
    WriteFileText(m_file, text);
    ASSERT_TRUE(journal.Read(error));
    EXPECT_TRUE(journal.Confirm(journal.m_changes[0].nId, stat));
    CBankJournal again(GetFileSystem(), journal.Bank());
    ASSERT_TRUE(again.Read(error));
    ASSERT_EQ(1u, again.m_changes.size());
    EXPECT_EQ(ChangeState::Done, again.m_changes[0].nState);
    EXPECT_TRUE(again.m_changes[0].after.SameIdentity(stat));
}

TEST_F(JournalConfirmationTest, AddedChangeCutShortWasNeverMadeAndTheFileIsWrittenWholeAfterAFewLines)
{
    ASSERT_TRUE(ChangePriority(100));
    const auto lines = Lines(ReadFileText(m_file));
    ASSERT_EQ(4u, lines.size());
    ASSERT_NE(std::string::npos, lines[2].find("{\"add\":{\"id\":2,"));
    const std::string head = lines[0] + lines[1];
    std::vector<JOURNALCHANGE> changes;
    ASSERT_TRUE(CBankJournal::Parse(head + lines[2], changes));
    ASSERT_EQ(2u, changes.size());
    EXPECT_EQ(ChangeState::Pending, changes[1].nState);
    // Cut short, or with an id the journal holds already: no change was added.
    std::string again = lines[2];
    again.replace(again.find("\"id\":2"), 6, "\"id\":1");
    for (const std::string& line : {lines[2].substr(0, lines[2].size() / 2), again})
    {
        ASSERT_TRUE(CBankJournal::Parse(head + line + lines[3], changes));
        ASSERT_EQ(1u, changes.size());
        EXPECT_EQ(ChangeState::Done, changes[0].nState);
    }

    // Many changes later the file holds few lines beyond the journal, and every change.
    for (uint16_t priority = 0; priority < 40; ++priority)
        ASSERT_TRUE(ChangePriority(priority));
    EXPECT_LE(Lines(ReadFileText(m_file)).size(), 33u);
    JOURNALSTATUS status;
    ASSERT_TRUE(GetJournalStatus(m_bank, status));
    EXPECT_EQ(42u, status.changes.size());
    EXPECT_TRUE(status.bCanUndo);
    for (const JOURNALCHANGE& change : status.changes)
        EXPECT_EQ(ChangeState::Done, change.nState);
    // What this process kept of the lines it appended is what the file reads as.
    std::vector<JOURNALCHANGE> fresh;
    ASSERT_TRUE(CBankJournal::Parse(ReadFileText(m_file), fresh));
    EXPECT_EQ(CBankJournal::Serialize(m_bank, fresh), CBankJournal::Serialize(m_bank, status.changes));
    ASSERT_EQ(StepResult::Done, UndoLastChange(m_bank));
    ASSERT_TRUE(ChangePriority(7));
    ASSERT_TRUE(GetJournalStatus(m_bank, status));
    ASSERT_TRUE(CBankJournal::Parse(ReadFileText(m_file), fresh));
    EXPECT_EQ(CBankJournal::Serialize(m_bank, fresh), CBankJournal::Serialize(m_bank, status.changes));
    EXPECT_EQ(42u, status.changes.size());
}
