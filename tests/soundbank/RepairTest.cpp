// Repairing converted TTS banks: the question and the two settings, the exact bytes of the
// repaired file, the banks that must be left alone, and a repaired file that cannot be read.
#include "report/MappingReport.h"
#include "res/StringTable.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/FaultFileSystem.h"
#include "support/MemoryFileSystem.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
using Bytes = std::vector<unsigned char>;

Bytes Slice(const Bytes& b, size_t from, size_t to)
{
    return Bytes(b.begin() + static_cast<long>(from), b.begin() + static_cast<long>(to));
}

// The repaired file worked out from the source: ttma and prio are where the TTMA and priority
// identifiers begin, size the TTMA data length.
Bytes Repaired(const Bytes& src, size_t ttma, size_t prio, size_t size)
{
    Bytes out = Slice(src, 0, ttma);
    for (unsigned char c : std::string("PRIO\x0A\0\0\0", 8))
        out.push_back(c);
    for (const Bytes& piece : {Slice(src, prio + 8, prio + 18), Slice(src, ttma, ttma + 8 + size),
                               Slice(src, ttma + 8 + size, prio), Slice(src, prio + 18, src.size())})
        out.insert(out.end(), piece.begin(), piece.end());
    return out;
}

std::vector<std::tuple<int, int, int, int, int>> Entries(const std::vector<IMAPENTRY>& list)
{
    std::vector<std::tuple<int, int, int, int, int>> out;
    for (const auto& e : list)
        out.emplace_back(e.wProgram, e.byVariation, e.abRest[0], e.abRest[1], e.abRest[2]);
    return out;
}

class RepairTest : public ::testing::Test
{
  protected:
    // Writes the bytes as name and loads them.
    int LoadBytes(const Bytes& bytes, const std::string& name = "tts.94b")
    {
        m_path = m_dir / name;
        WriteFileBytes(m_path, bytes);
        return m_bank.Load(m_path, m_policy);
    }
    std::filesystem::path With(const char* suffix) const
    {
        return std::filesystem::path(m_path.string() + suffix);
    }

    // What a reader sees in the bytes, without any repair.
    void ExpectSameBankAs(const Bytes& bytes)
    {
        CTempDir dir;
        WriteFileBytes(dir / "plain.bin", bytes);
        CSoundBank plain;
        ASSERT_EQ(1, plain.Load(dir / "plain.bin", m_policy));
        EXPECT_EQ(plain.m_strBankName, m_bank.m_strBankName);
        EXPECT_EQ(plain.m_wPriority, m_bank.m_wPriority);
        EXPECT_EQ(Entries(plain.m_arrInstruments), Entries(m_bank.m_arrInstruments));
        EXPECT_EQ(Entries(plain.m_arrDrumsets), Entries(m_bank.m_arrDrumsets));
    }

    CTempDir m_dir;
    std::filesystem::path m_path;
    REPAIRPOLICY m_policy;
    CMessageRecorder m_messages{AnswerNo};
    CSoundBank m_bank;
};
} // namespace

TEST_F(RepairTest, AutomaticRepairWithBackupMovesThePriorityChunkAndKeepsTheBank)
{
    m_policy.nMode = REPAIRPOLICY::Automatic;
    m_policy.bKeepBackup = true;
    CBankBuilder b;
    b.Filler(20);
    size_t ttma = b.Size();
    b.Ttma(40).Filler(7);
    size_t prio = b.Size();
    b.Prio("TtsBank", 300, "TTPR")
        .Filler(5)
        .Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2, 40), "TTIM");
    b.Filler(120000, 9); // more than two copy blocks after the priority chunk
    const Bytes original = b.Bytes();
    WriteFileBytes(m_dir / "tts.94b.bak", {'o', 'l', 'd'});

    ASSERT_EQ(1, LoadBytes(original));
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
    EXPECT_EQ(CSoundBank::RepairDone, m_bank.GetRepairOutcome());
    EXPECT_EQ(original, ReadFileBytes(With(".bak")));
    const Bytes repaired = ReadFileBytes(m_path);
    ASSERT_EQ(original.size(), repaired.size());
    EXPECT_EQ(Repaired(original, ttma, prio, 40), repaired);
    // The priority chunk is written as "PRIO"; the mapping chunk keeps "TTIM".
    EXPECT_EQ("PRIO", std::string(repaired.begin() + 20, repaired.begin() + 24));
    EXPECT_EQ("TTMA", std::string(repaired.begin() + 38, repaired.begin() + 42));
    const std::string ttim = "TTIM";
    EXPECT_EQ(original.end() - std::search(original.begin(), original.end(), ttim.begin(), ttim.end()),
              repaired.end() - std::search(repaired.begin(), repaired.end(), ttim.begin(), ttim.end()));
    EXPECT_FALSE(std::filesystem::exists(With(".new")));

    // The bank was read again from the repaired file: same values, no TTMA data held.
    ExpectSameBankAs(original);
    EXPECT_EQ(std::string("TtsBank\0", 8), m_bank.m_strBankName);
    EXPECT_EQ(28u, m_bank.m_dwPrioPos);
    EXPECT_EQ(0u, m_bank.m_dwTtmaSize);
    EXPECT_EQ(m_path.string(), m_bank.m_strPathName);

    // A repaired bank is not offered the repair again, and a second load changes nothing.
    m_policy.nMode = REPAIRPOLICY::Ask;
    ASSERT_EQ(1, m_bank.Load(m_path, m_policy));
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
    EXPECT_EQ(CSoundBank::RepairNone, m_bank.GetRepairOutcome());
    EXPECT_EQ(repaired, ReadFileBytes(m_path));
}

TEST_F(RepairTest, TheQuestionDecides)
{
    m_policy.bKeepBackup = true;
    CBankBuilder b;
    b.Ttma(12).Prio("Asked", 4).Imap(CBankBuilder::Entries(2), {});
    const Bytes original = b.Bytes();

    // No: the file stays as it is, no backup, the bank is read from it and keeps its path.
    ASSERT_EQ(1, LoadBytes(original));
    ASSERT_EQ(1u, m_messages.m_messages.size());
    EXPECT_EQ(GetString(IDS_TTSQUESTION), m_messages.m_messages[0].text);
    EXPECT_EQ(unsigned(MsgQuestion), m_messages.m_messages[0].style);
    EXPECT_EQ(CSoundBank::RepairDeclined, m_bank.GetRepairOutcome());
    EXPECT_EQ(original, ReadFileBytes(m_path));
    EXPECT_FALSE(std::filesystem::exists(With(".bak")));
    EXPECT_FALSE(std::filesystem::exists(With(".new")));
    EXPECT_EQ(m_path.string(), m_bank.m_strPathName);
    EXPECT_EQ(2u, m_bank.m_arrInstruments.size());
    EXPECT_EQ(0u, m_bank.m_dwTtmaSize);

    // Declined banks are asked about at every load; Yes repairs.
    m_messages.m_nAnswer = AnswerYes;
    ASSERT_EQ(1, m_bank.Load(m_path, m_policy));
    EXPECT_EQ(2u, m_messages.m_messages.size());
    EXPECT_EQ(CSoundBank::RepairDone, m_bank.GetRepairOutcome());
    EXPECT_EQ(Repaired(original, 0, 20, 12), ReadFileBytes(m_path));
    EXPECT_EQ(original, ReadFileBytes(With(".bak")));
}

TEST_F(RepairTest, NoPrefixAndNoMiddle)
{
    m_policy.nMode = REPAIRPOLICY::Automatic;
    // TTMA at offset 0 with the priority chunk right after it.
    CBankBuilder b;
    b.Ttma(16).Prio("Direct", 1).Imap({}, CBankBuilder::Entries(1));
    const Bytes original = b.Bytes();
    ASSERT_EQ(1, LoadBytes(original, "DIRECT.94B"));
    const Bytes repaired = ReadFileBytes(m_path);
    EXPECT_EQ(Repaired(original, 0, 24, 16), repaired);
    EXPECT_EQ(Slice(original, 24, 42), Slice(repaired, 0, 18));
    EXPECT_EQ(Slice(original, 0, 24), Slice(repaired, 18, 42));
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
    ExpectSameBankAs(original);

    // An empty TTMA chunk is moved all the same.
    CBankBuilder empty;
    empty.Filler(3).Ttma(0).Prio("Empty", 2).Imap({}, {});
    ASSERT_EQ(1, LoadBytes(empty.Bytes(), "empty.94b"));
    EXPECT_EQ(Repaired(empty.Bytes(), 3, 11, 0), ReadFileBytes(m_path));
}

TEST_F(RepairTest, TtmaNearTheScanLimitMovesOutOfReach)
{
    m_policy.nMode = REPAIRPOLICY::Automatic;
    CBankBuilder b;
    b.Filler(1020).Ttma(8).Prio("Far", 5).Imap(CBankBuilder::Entries(1), {});
    ASSERT_EQ(1, LoadBytes(b.Bytes()));
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
    EXPECT_EQ(Repaired(b.Bytes(), 1020, 1036, 8), ReadFileBytes(m_path));
    ASSERT_EQ(1, m_bank.Load(m_path, m_policy));
    EXPECT_EQ(CSoundBank::RepairNone, m_bank.GetRepairOutcome());
}

TEST_F(RepairTest, BanksThatCannotBeRepairedAreLeftUnchanged)
{
    m_policy.nMode = REPAIRPOLICY::Automatic;
    const std::string cannot =
        "This soundbank cannot be repaired: its priority chunk does not follow its TTMA "
        "chunk as expected.\nThe file was left unchanged.";

    // "PRIO" inside the TTMA data: the priority chunk would start before the TTMA chunk ends.
    CBankBuilder inside;
    inside.Filler(4).Chunk("TTMA", CBankBuilder().Filler(3).Prio("Inner", 9).Filler(3).Bytes());
    inside.Prio("Outer", 1).Imap(CBankBuilder::Entries(1), {});
    ASSERT_EQ(1, LoadBytes(inside.Bytes()));
    EXPECT_THAT(m_messages.Texts(), ElementsAre(cannot));
    EXPECT_EQ(CSoundBank::RepairFailed, m_bank.GetRepairOutcome());
    EXPECT_EQ(inside.Bytes(), ReadFileBytes(m_path));
    EXPECT_FALSE(std::filesystem::exists(With(".new")));
    EXPECT_EQ(std::string("Inner\0\0\0", 8), m_bank.m_strBankName); // what the reading produced
    EXPECT_EQ(1u, m_bank.m_arrInstruments.size());

    // A priority chunk cut off by the end of the file.
    m_messages.m_messages.clear();
    CBankBuilder cut;
    cut.Ttma(8).Imap({}, {}).Raw("PRIO").U32(10).Raw("Ab");
    ASSERT_EQ(1, LoadBytes(cut.Bytes()));
    EXPECT_THAT(m_messages.Texts(), ElementsAre(cannot));
    EXPECT_EQ(cut.Bytes(), ReadFileBytes(m_path));

    // A prefix ending in "TT" would read as "TTPR" in front of the moved chunk: the new file
    // reads differently, so it never replaces the bank (it stays beside it as ".new").
    m_messages.m_messages.clear();
    CBankBuilder tt;
    tt.Filler(6).Raw("TT").Ttma(10).Prio("Shift", 3).Imap(CBankBuilder::Entries(2), {});
    ASSERT_EQ(1, LoadBytes(tt.Bytes()));
    EXPECT_THAT(m_messages.Texts(), ElementsAre(cannot));
    EXPECT_EQ(tt.Bytes(), ReadFileBytes(m_path));
    EXPECT_EQ(CSoundBank::RepairFailed, m_bank.GetRepairOutcome());
}

TEST_F(RepairTest, OnlyConvertedBankFilesAreOffered)
{
    m_policy.nMode = REPAIRPOLICY::Automatic;
    CBankBuilder converted;
    converted.Ttma(8).Prio("Conv", 1).Imap({}, {});
    ASSERT_EQ(1, LoadBytes(converted.Bytes(), "tts.94bank"));
    EXPECT_EQ(converted.Bytes(), ReadFileBytes(m_path));
    CBankBuilder after;
    after.Prio("After", 1).Ttma(8).Imap({}, {});
    ASSERT_EQ(1, LoadBytes(after.Bytes()));
    EXPECT_EQ(after.Bytes(), ReadFileBytes(m_path));
    EXPECT_EQ(CSoundBank::RepairNone, m_bank.GetRepairOutcome());
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
}

namespace
{
// Answers Yes to the repair question, after changing the bank file meanwhile.
class CEditingSink : public IMessageSink
{
  public:
    CEditingSink(std::filesystem::path path, Bytes replacement)
        : m_path(std::move(path)), m_replacement(std::move(replacement)), m_scope(MessageSinkSlot(), this)
    {
    }
    int Show(const std::string& text, const std::string&, unsigned style) override
    {
        m_texts.push_back(text);
        if (style != MsgQuestion)
            return AnswerOk;
        WriteFileBytes(m_path, m_replacement);
        return AnswerYes;
    }
    std::vector<std::string> m_texts;

  private:
    std::filesystem::path m_path;
    Bytes m_replacement;
    CSlot<IMessageSink>::CScope m_scope;
};
} // namespace

TEST_F(RepairTest, AFileChangedWhileTheQuestionWasOpenIsNotTouched)
{
    CBankBuilder b;
    b.Filler(8).Ttma(20).Prio("Before", 7).Imap(CBankBuilder::Entries(2), {});
    m_path = m_dir / "edit.94b";
    WriteFileBytes(m_path, b.Bytes());

    // Renamed bank, changed TTMA data, and a shorter file: each leaves the file as it became.
    std::vector<Bytes> edits;
    Bytes renamed = b.Bytes();
    renamed[8 + 28 + 8] = 'X';
    edits.push_back(renamed);
    Bytes ttmaChanged = b.Bytes();
    ttmaChanged[20] ^= 1;
    edits.push_back(ttmaChanged);
    edits.push_back(Slice(b.Bytes(), 0, 30));
    for (const Bytes& edit : edits)
    {
        WriteFileBytes(m_path, b.Bytes());
        CEditingSink sink(m_path, edit);
        ASSERT_EQ(1, m_bank.Load(m_path, m_policy));
        EXPECT_THAT(sink.m_texts, ElementsAre(GetString(IDS_TTSQUESTION), GetString(IDS_CANTOPENFILE)));
        EXPECT_EQ(edit, ReadFileBytes(m_path));
        EXPECT_EQ(CSoundBank::RepairFailed, m_bank.GetRepairOutcome());
    }
}

TEST_F(RepairTest, RepairAndWriteBackWorkOnFilesHeldInMemory)
{
    m_policy.nMode = REPAIRPOLICY::Automatic;
    m_policy.bKeepBackup = true;
    CBankBuilder b;
    b.Filler(9).Ttma(30).Filler(4).Prio("Memory", 6).Imap(CBankBuilder::Entries(2), CBankBuilder::Entries(1));
    CMemoryFileSystem files;
    CSlot<IFileSystem>::CScope scope(FileSystemSlot(), &files);
    files.Put("mem.94b", b.Bytes());
    ASSERT_EQ(1, m_bank.Load("mem.94b", m_policy));
    EXPECT_EQ(CSoundBank::RepairDone, m_bank.GetRepairOutcome());
    EXPECT_EQ(Repaired(b.Bytes(), 9, 51, 30), files.Get("mem.94b"));
    EXPECT_EQ(b.Bytes(), files.Get("mem.94b.bak"));
    EXPECT_FALSE(files.Exists("mem.94b.new"));
    m_bank.SetDrumset(0, 3, 3);
    ASSERT_EQ(1, m_bank.SaveInPlace());
    EXPECT_EQ(3, files.Get("mem.94b")[m_bank.m_dwImapPos + 6 * 2 + 2 + 2]);
    EXPECT_EQ(0u, files.OpenHandles());
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
}

namespace
{
// The real files, except that the first reading after a bank was renamed into place (the end
// of a repair) fails, as when the disk has a passing fault right then.
class CFailsAfterRenameFileSystem : public CFaultFileSystem
{
public:
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        bool renamed = CFaultFileSystem::Rename(from, to);
        m_bFailNextRead = m_bFailNextRead || renamed;
        return renamed;
    }
    std::unique_ptr<CByteSource> OpenSource(const std::filesystem::path& path) override
    {
        if (!m_bFailNextRead)
            return CFaultFileSystem::OpenSource(path);
        m_bFailNextRead = false;
        SetLastError(EIO);
        return nullptr;
    }

private:
    bool m_bFailNextRead = false;
};
} // namespace

// The reading after a repair fails: the load reports it and fails, so that nobody takes the
// positions of a bank that was not read for the file's (the page then has no rows).
TEST_F(RepairTest, AFailedReadingOfTheRepairedFileFailsTheLoad)
{
    m_policy.nMode = REPAIRPOLICY::Automatic;
    CBankBuilder b;
    b.Filler(12).Ttma(24).Prio("Reread", 4).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(1));
    m_path = m_dir / "reread.94b";
    WriteFileBytes(m_path, b.Bytes());
    CFailsAfterRenameFileSystem files;

    EXPECT_EQ(0, m_bank.Load(m_path, m_policy));
    EXPECT_EQ(CSoundBank::RepairDone, m_bank.GetRepairOutcome());
    EXPECT_THAT(m_messages.Texts(), ElementsAre(GetString(IDS_CANTOPENFILE)));
    EXPECT_EQ(Repaired(b.Bytes(), 12, 12 + 32, 24), ReadFileBytes(m_path));

    // The page of such a bank: no rows, whatever the file's first bytes look like.
    WriteFileBytes(m_path, b.Bytes());
    CFailsAfterRenameFileSystem again;
    CMappingReport report;
    report.m_strBankPath = m_path;
    report.m_repairPolicy = m_policy;
    std::vector<std::string> rows;
    CLinesPageSink sink(rows);
    report.m_firstRowBlock = {"row"};
    report.m_nextRowBlock = {"row"};
    report.BuildRows(sink);
    EXPECT_THAT(rows, IsEmpty());
}
