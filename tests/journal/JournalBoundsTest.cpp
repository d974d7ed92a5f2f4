// The journal's bounds: at most so many changes per bank and so many bytes in all, the oldest
// dropped first, and what the journal files hold.
#include "journal/JournalFixture.h"

#include <nlohmann/json.hpp>

using JournalBoundsTest = JournalFixture;

TEST_F(JournalBoundsTest, ABankKeepsItsNewestChangesOnly)
{
    m_place.nMaxChanges = 5;
    std::mt19937 random(3);
    const auto path = MakeConverted("many.94b", "PRIO", 8);
    std::vector<std::vector<unsigned char>> states{ReadFileBytes(path)};
    CJournalScope journal("set");
    for (int i = 0; i < 8; ++i)
    {
        CSoundBank bank;
        ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
        bank.m_wPriority = static_cast<uint16_t>(i + 1); // every change changes a byte
        ASSERT_EQ(1, bank.SaveInPlace());
        states.push_back(ReadFileBytes(path));
    }
    for (int i = 8; i > 3; --i)
    {
        ASSERT_EQ(StepResult::Done, UndoLastChange(path));
        EXPECT_EQ(states[static_cast<size_t>(i - 1)], ReadFileBytes(path));
    }
    EXPECT_EQ(StepResult::Nothing, UndoLastChange(path));
    EXPECT_EQ(states[3], ReadFileBytes(path));
}

TEST_F(JournalBoundsTest, TheWholeJournalDropsTheOldestChangesOfAnyBankFirst)
{
    const auto a = MakeConverted("a.94b", "PRIO", 1);
    const auto b = MakeConverted("b.94b", "PRIO", 2);
    CJournalScope journal("inspector");
    auto change = [](const std::filesystem::path& path, int priority)
    {
        CSoundBank bank;
        ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
        bank.m_wPriority = static_cast<uint16_t>(priority);
        ASSERT_EQ(1, bank.SaveInPlace());
    };
    change(a, 10);
    change(b, 20);
    change(a, 11);
    uint64_t total = 0;
    for (const std::string& name : JournalFiles())
        total += std::filesystem::file_size(m_place.dir / name);
    // Room for the three changes less a little: the next change makes the oldest one (a's
    // first) go, and nothing else.
    m_place.nMaxBytes = total + 200;
    change(b, 21);
    JOURNALSTATUS sa, sb;
    ASSERT_TRUE(GetJournalStatus(a, sa));
    ASSERT_TRUE(GetJournalStatus(b, sb));
    ASSERT_EQ(1u, sa.changes.size());
    EXPECT_NE(std::string::npos, sa.changes[0].strSummary.find("\u2192 11"));
    ASSERT_EQ(2u, sb.changes.size());
    total = 0;
    for (const std::string& name : JournalFiles())
        total += std::filesystem::file_size(m_place.dir / name);
    EXPECT_LE(total, m_place.nMaxBytes);
}

TEST_F(JournalBoundsTest, AChangeLargerThanTheJournalIsNotMade)
{
    m_place.nMaxBytes = 300;
    const auto path = MakeConverted("big.94b", "PRIO", 1);
    const auto original = ReadFileBytes(path);
    CJournalScope journal("inspector");
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
    bank.m_wPriority = 77;
    EXPECT_EQ(0, bank.SaveInPlace());
    EXPECT_EQ(original, ReadFileBytes(path));
    ASSERT_EQ(1u, m_messages.m_messages.size());
    EXPECT_EQ(GetString(IDS_JOURNAL_CANTWRITE), m_messages.m_messages[0].text);
    EXPECT_NE(std::string::npos, m_messages.m_messages[0].detail.find(FileErrorText(kErrTooLarge)));
}

TEST_F(JournalBoundsTest, JournalFileHoldsOnlyTheChangedBytesAndARepairsMove)
{
    const auto path = MakeConverted("format.94b", "TTPR", 6);
    const auto original = ReadFileBytes(path);
    CJournalScope journal("set");
    ASSERT_EQ(1, Repair(path));
    {
        CSoundBank bank;
        ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
        bank.SetDrumset(1, 100, 3);
        ASSERT_EQ(1, bank.SaveInPlace());
    }
    auto names = JournalFiles();
    ASSERT_EQ(1u, names.size());
    // The journal on one line, written with the repair pending; then a line for each change
    // confirmed or added since: the repair done, the write-back added, the write-back done.
    const std::string text = ReadFileText(m_place.dir / names[0]);
    std::vector<nlohmann::json> lines;
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(nlohmann::json::parse(text.substr(at, end - at)));
    ASSERT_EQ(4u, lines.size());
    const auto& doc = lines[0];
    EXPECT_EQ("orvane-change-journal", doc["format"]);
    EXPECT_EQ(std::filesystem::canonical(path).string(), doc["bank"]);
    ASSERT_EQ(1u, doc["changes"].size());
    EXPECT_EQ("pending", doc["changes"][0]["state"]);
    EXPECT_EQ(1, lines[1]["done"]);
    EXPECT_EQ(2, lines[2]["add"]["id"]);
    EXPECT_EQ("pending", lines[2]["add"]["state"]);
    EXPECT_EQ(2, lines[3]["done"]);
    EXPECT_EQ(lines[3]["after"]["digest"], lines[2]["add"]["after"]["digest"]);

    // Read back, and written whole again, the file is one journal of both changes made.
    std::vector<JOURNALCHANGE> read;
    ASSERT_TRUE(CBankJournal::Parse(text, read));
    ASSERT_EQ(2u, read.size());
    EXPECT_EQ(ChangeState::Done, read[1].nState);
    EXPECT_TRUE(read[1].after.bKnown);
    const auto whole = nlohmann::json::parse(CBankJournal::Serialize(path, read));
    const auto& changes = whole["changes"];
    ASSERT_EQ(2u, changes.size());
    EXPECT_EQ("repair", changes[0]["kind"]);
    EXPECT_EQ("done", changes[0]["state"]);
    EXPECT_EQ("done", changes[1]["state"]);
    // The priority chunk as it stood: TTPR, its length, the name with bytes after its zero.
    std::string old = changes[0]["repair"]["old"];
    EXPECT_EQ("54545052", old.substr(0, 8));
    EXPECT_EQ(36u, old.size());
    EXPECT_EQ(changes[0]["after"]["size"], original.size());
    EXPECT_EQ("set: 1 entry", changes[1]["summary"]);
    ASSERT_EQ(1u, changes[1]["spans"].size());
    EXPECT_LE(std::string(changes[1]["spans"][0]["old"]).size(), 6u);
}

TEST_F(JournalBoundsTest, AFileThatIsNoJournalOrHoldsImpossiblePositionsIsNeverUndone)
{
    const auto path = MakeConverted("odd.94b", "PRIO", 2);
    {
        CJournalScope journal("set");
        ASSERT_EQ(1, Repair(path));
    }
    const auto repaired = ReadFileBytes(path);
    auto names = JournalFiles();
    ASSERT_EQ(1u, names.size());
    const auto file = m_place.dir / names[0];
    const std::string good = ReadFileText(file);

    // A priority chunk said to come from where no sum with its length fits in 64 bits.
    std::string hostile = good;
    const std::string from = "\"from\":";
    const size_t at = hostile.find(from);
    ASSERT_NE(std::string::npos, at);
    hostile.replace(at + from.size(), hostile.find(',', at) - at - from.size(), "18446744073709551610");
    // Numbers no whole number can hold: a time in floating point beyond 64 bits, and one whose
    // stamp in nanoseconds would not fit.
    std::string huge = good, late = good;
    const std::string time = "\"time\":";
    const size_t t = good.find(time) + time.size();
    huge.replace(t, good.find(',', t) - t, "1.8e21");
    late.replace(t, good.find(',', t) - t, "9223372036854775807");
    const size_t stamp = late.find("\"stamp\"");
    late.erase(stamp, late.find(',', stamp) - stamp + 1);
    for (const std::string& text : {std::string("not json at all"), std::string("{\"format\": 1}"), hostile, huge, late,
                                    good.substr(0, good.size() / 2)})
    {
        WriteFileText(file, text);
        JOURNALSTATUS status;
        EXPECT_TRUE(GetJournalStatus(path, status));
        EXPECT_TRUE(status.changes.empty());
        EXPECT_EQ(StepResult::Nothing, UndoLastChange(path));
        EXPECT_EQ(repaired, ReadFileBytes(path));
    }
    // The next change starts the journal afresh.
    {
        CJournalScope journal("set");
        CSoundBank bank;
        ASSERT_EQ(1, bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
        bank.m_wPriority = 3;
        ASSERT_EQ(1, bank.SaveInPlace());
    }
    EXPECT_EQ(StepResult::Done, UndoLastChange(path));
    EXPECT_EQ(repaired, ReadFileBytes(path));
}
