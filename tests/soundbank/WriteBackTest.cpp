// Writing edited values back in place: exactly the bytes of name, priority, program and
// variation change; a file that no longer matches what was read is not written.
#include "res/StringTable.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
using Bytes = std::vector<unsigned char>;

class WriteBackTest : public ::testing::Test
{
  protected:
    void LoadBytes(const Bytes& bytes, const std::string& name = "bank.94b")
    {
        m_path = m_dir / name;
        WriteFileBytes(m_path, bytes);
        ASSERT_EQ(1, m_bank.Load(m_path, REPAIRPOLICY{}));
    }

    CTempDir m_dir;
    std::filesystem::path m_path;
    CMessageRecorder m_messages;
    CSoundBank m_bank;
};
} // namespace

TEST_F(WriteBackTest, OneVariationChangesExactlyOneByte)
{
    CBankBuilder b;
    b.Filler(10)
        .Prio("Piano", 5)
        .Filler(3)
        .Imap(CBankBuilder::Entries(5), CBankBuilder::Entries(3))
        .Filler(9);
    LoadBytes(b.Bytes());
    m_bank.SetInstrument(2, m_bank.GetInstrument(2).wProgram, 77);
    ASSERT_EQ(1, m_bank.SaveInPlace());
    const Bytes after = ReadFileBytes(m_path);
    EXPECT_THAT(ByteDifferences(b.Bytes(), after), ElementsAre(m_bank.m_dwImapPos + 6 * 2 + 2));
    EXPECT_EQ(77, after[m_bank.m_dwImapPos + 14]);
    EXPECT_EQ(b.Size(), after.size());
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
}

TEST_F(WriteBackTest, SavingWithoutChangesKeepsTheFileAndMakesTheBackup)
{
    CBankBuilder b;
    b.Prio("Same", 127).Imap(CBankBuilder::Entries(4), CBankBuilder::Entries(2)).Filler(100);
    LoadBytes(b.Bytes());
    ASSERT_EQ(1, m_bank.SaveWithBackup(true));
    EXPECT_EQ(b.Bytes(), ReadFileBytes(m_path));
    EXPECT_EQ(b.Bytes(), ReadFileBytes(m_dir / "bank.94b.bak"));

    // Without the setting no backup is made; an older one stays as it was.
    WriteFileBytes(m_dir / "bank.94b.bak", {'o', 'l', 'd'});
    m_bank.m_wPriority = 3;
    ASSERT_EQ(1, m_bank.SaveWithBackup(false));
    EXPECT_EQ(Bytes({'o', 'l', 'd'}), ReadFileBytes(m_dir / "bank.94b.bak"));
    EXPECT_EQ(3, ReadFileBytes(m_path)[16]);

    // A later backup replaces the older one with the file as it is before this save.
    m_bank.m_wPriority = 0x1234;
    ASSERT_EQ(1, m_bank.SaveWithBackup(true));
    EXPECT_EQ(3, ReadFileBytes(m_dir / "bank.94b.bak")[16]);
    EXPECT_EQ(0x34, ReadFileBytes(m_path)[16]);
    EXPECT_EQ(0x12, ReadFileBytes(m_path)[17]);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "bank.94b.bak.new"));
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
}

TEST_F(WriteBackTest, WithoutInstrumentsTheFirstDrumSetFollowsTheTerminator)
{
    CBankBuilder b;
    b.Prio("Drums", 1).Imap({}, CBankBuilder::Entries(2));
    LoadBytes(b.Bytes());
    m_bank.SetDrumset(0, 0x0102, 9);
    m_bank.SetDrumset(1, 100, 3);
    ASSERT_EQ(1, m_bank.SaveInPlace());
    const Bytes after = ReadFileBytes(m_path);
    const size_t imap = m_bank.m_dwImapPos;
    EXPECT_EQ(Bytes({0xFF, 0xFF, 0x02, 0x01, 9, 0x11, 0x22, 0x33, 100, 0, 3}),
              Bytes(after.begin() + imap, after.begin() + imap + 11));
    EXPECT_EQ(b.Size(), after.size());
}

TEST_F(WriteBackTest, NamesArePaddedOrCutToEightBytes)
{
    CBankBuilder b;
    b.Prio("Original", 1).Imap(CBankBuilder::Entries(1), {});
    LoadBytes(b.Bytes());
    m_bank.m_strBankName = "Piano";
    ASSERT_EQ(1, m_bank.SaveInPlace());
    const Bytes piano = ReadFileBytes(m_path);
    EXPECT_EQ(std::string("Piano\0\0\0", 8), std::string(piano.begin() + 8, piano.begin() + 16));
    m_bank.m_strBankName = "TenLetters";
    ASSERT_EQ(1, m_bank.SaveInPlace());
    const Bytes after = ReadFileBytes(m_path);
    EXPECT_EQ("TenLette", std::string(after.begin() + 8, after.begin() + 16));
    EXPECT_THAT(ByteDifferences(b.Bytes(), after), ElementsAre(8, 9, 10, 11, 12, 13, 14, 15));
}

TEST_F(WriteBackTest, ConvertedIdentifiersAndDistantChunksStayInPlace)
{
    // TTPR far before TTIM: name, priority and entries are written at their own places, the
    // identifiers and everything between them stay.
    CBankBuilder b;
    b.Prio("Far", 2, "TTPR").Filler(200000).Imap(CBankBuilder::Entries(2), CBankBuilder::Entries(1), "TTIM");
    LoadBytes(b.Bytes(), "far.bin");
    m_bank.m_strBankName = "Near";
    m_bank.SetInstrument(1, 50, 2);
    m_bank.SetDrumset(0, 60, 2);
    ASSERT_EQ(1, m_bank.SaveInPlace());
    const Bytes after = ReadFileBytes(m_path);
    const size_t d = m_bank.m_dwImapPos + 6 * 2 + 2;
    EXPECT_THAT(ByteDifferences(b.Bytes(), after),
                ElementsAre(8, 9, 10, 11, m_bank.m_dwImapPos + 6, m_bank.m_dwImapPos + 8, d, d + 2));
    EXPECT_EQ("TTPR", std::string(after.begin(), after.begin() + 4));
    EXPECT_EQ("TTIM",
              std::string(after.begin() + m_bank.m_dwImapPos - 8, after.begin() + m_bank.m_dwImapPos - 4));
}

TEST_F(WriteBackTest, AFileThatChangedSinceTheLoadIsNotWritten)
{
    CBankBuilder b;
    b.Filler(4).Prio("Kept", 9).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
    const Bytes original = b.Bytes();

    Bytes noPrio = original;
    noPrio[4] = 'X';
    Bytes noImap = original;
    noImap[22] = 'X';
    Bytes shorter(original.begin(), original.end() - 6); // ends inside the last variation written
    Bytes shifted = original;                            // an instrument more: the drum sets moved on
    CBankBuilder longer;
    longer.Filler(4).Prio("Kept", 9).Imap(CBankBuilder::Entries(4), CBankBuilder::Entries(1));
    for (const Bytes& changed : {noPrio, noImap, shorter, longer.Bytes()})
    {
        LoadBytes(original);
        m_bank.m_strBankName = "Changed";
        m_bank.SetDrumset(1, 1, 1);
        m_messages.m_messages.clear();
        WriteFileBytes(m_path, changed);
        EXPECT_EQ(0, m_bank.SaveWithBackup(false));
        EXPECT_THAT(m_messages.Texts(), ElementsAre(GetString(IDS_CANTOPENFILE)));
        EXPECT_EQ(changed, ReadFileBytes(m_path));
    }

    // Missing file, and a bank that was never loaded: no file to write, nor to back up.
    LoadBytes(original);
    std::filesystem::remove(m_path);
    m_messages.m_messages.clear();
    EXPECT_EQ(0, m_bank.SaveInPlace());
    EXPECT_FALSE(std::filesystem::exists(m_path));
    CSoundBank empty;
    EXPECT_EQ(0, empty.SaveWithBackup(true));
    EXPECT_THAT(m_messages.Texts(), ElementsAre(GetString(IDS_CANTOPENFILE), GetString(IDS_CANTBACKUP),
                                                GetString(IDS_CANTOPENFILE)));
}
