// Reading banks: chunk finding, both identifier pairs, entry lists, TTMA bounds, hostile files.
#include "base/ByteSource.h"
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
std::vector<std::pair<int, int>> Pairs(const std::vector<IMAPENTRY>& list)
{
    std::vector<std::pair<int, int>> out;
    for (const auto& e : list)
        out.emplace_back(e.wProgram, e.byVariation);
    return out;
}

BankEntry Entry(uint16_t program, uint8_t variation)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

class LoadTest : public ::testing::Test
{
protected:
    // Writes the bytes as a bank file and loads it.
    int LoadBytes(const std::vector<unsigned char>& bytes, const std::string& name = "bank.94b")
    {
        m_path = m_dir / name;
        WriteFileBytes(m_path, bytes);
        return m_bank.Load(m_path, REPAIRPOLICY{});
    }

    CTempDir m_dir;
    std::filesystem::path m_path;
    CSoundBank m_bank;
    CMessageRecorder m_messages;
};
} // namespace

TEST_F(LoadTest, ReadsNamePriorityListsAndPositions)
{
    CBankBuilder b;
    b.Filler(30).Prio("Piano", 42).Filler(5).Imap({Entry(0, 0), Entry(5, 2), Entry(127, 127)}, {Entry(16, 1)});
    ASSERT_EQ(1, LoadBytes(b.Bytes()));
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
    EXPECT_EQ(std::string("Piano\0\0\0", 8), m_bank.m_strBankName);
    EXPECT_EQ(8u, m_bank.GetBankName().size());
    EXPECT_EQ(42, m_bank.m_wPriority);
    EXPECT_EQ(38u, m_bank.m_dwPrioPos);
    EXPECT_EQ(30u + 18 + 5 + 8, m_bank.m_dwImapPos);
    EXPECT_THAT(Pairs(m_bank.m_arrInstruments), ElementsAre(std::pair(0, 0), std::pair(5, 2), std::pair(127, 127)));
    EXPECT_THAT(Pairs(m_bank.m_arrDrumsets), ElementsAre(std::pair(16, 1)));
    EXPECT_EQ(0x11, m_bank.GetInstrument(1).abRest[0]);
    EXPECT_EQ(0x33, m_bank.GetDrumset(0).abRest[2]);
    EXPECT_EQ(m_path.string(), m_bank.m_strPathName);
    EXPECT_EQ(0u, m_bank.m_dwTtmaSize);
}

TEST_F(LoadTest, TtprAndTtimLoadLikePrioAndImap)
{
    CBankBuilder b;
    b.Prio("Conv", 3, "TTPR").Imap({Entry(1, 0)}, {}, "TTIM");
    ASSERT_EQ(1, LoadBytes(b.Bytes()));
    EXPECT_EQ(3, m_bank.m_wPriority);
    EXPECT_EQ(8u, m_bank.m_dwPrioPos);
    EXPECT_THAT(Pairs(m_bank.m_arrInstruments), ElementsAre(std::pair(1, 0)));
}

TEST_F(LoadTest, TheIdentifierNearerTheStartWins)
{
    // TTPR in front of PRIO, then IMAP in front of TTIM: each pair's first occurrence counts.
    CBankBuilder b;
    b.Prio("First", 1, "TTPR").Prio("Second", 2, "PRIO").Imap({Entry(7, 0)}, {}, "IMAP").Imap({}, {}, "TTIM");
    ASSERT_EQ(1, LoadBytes(b.Bytes()));
    EXPECT_EQ(1, m_bank.m_wPriority);
    EXPECT_THAT(Pairs(m_bank.m_arrInstruments), ElementsAre(std::pair(7, 0)));

    // Identifier letters inside other data match too: the scan does not know chunk bounds.
    CBankBuilder c;
    c.Chunk("DATA", {'x', 'P', 'R', 'I', 'O', 0, 0, 0, 0}).Prio("Real", 9).Imap({}, {});
    ASSERT_EQ(1, LoadBytes(c.Bytes()));
    EXPECT_EQ(17u, m_bank.m_dwPrioPos);
}

TEST_F(LoadTest, ChunksMayStandInAnyOrder)
{
    CBankBuilder b;
    b.Imap({Entry(3, 1)}, {Entry(4, 0)}).Filler(3).Prio("Late", 5);
    ASSERT_EQ(1, LoadBytes(b.Bytes()));
    EXPECT_EQ(5, m_bank.m_wPriority);
    EXPECT_EQ(8u, m_bank.m_dwImapPos);
    EXPECT_THAT(Pairs(m_bank.m_arrDrumsets), ElementsAre(std::pair(4, 0)));
}

TEST_F(LoadTest, EmptyListsAndDrumsOnly)
{
    CBankBuilder none;
    none.Prio("X", 0).Raw("IMAP").U32(4).U16(0xFFFF).U16(0xFFFF).Filler(10);
    ASSERT_EQ(1, LoadBytes(none.Bytes()));
    EXPECT_THAT(m_bank.m_arrInstruments, IsEmpty());
    EXPECT_THAT(m_bank.m_arrDrumsets, IsEmpty());

    CBankBuilder drums;
    drums.Prio("X", 0).Imap({}, {Entry(0, 0), Entry(8, 3)});
    ASSERT_EQ(1, LoadBytes(drums.Bytes()));
    EXPECT_THAT(m_bank.m_arrInstruments, IsEmpty());
    EXPECT_THAT(Pairs(m_bank.m_arrDrumsets), ElementsAre(std::pair(0, 0), std::pair(8, 3)));
}

TEST_F(LoadTest, FailuresShowTheirMessage)
{
    EXPECT_EQ(0, LoadBytes({'P', 'R', 'I'}));
    EXPECT_EQ(0, LoadBytes({}));
    CBankBuilder noImap;
    noImap.Prio("Name", 1).Filler(100);
    EXPECT_EQ(0, LoadBytes(noImap.Bytes()));
    // Name and priority are read although the load fails.
    EXPECT_EQ(1, m_bank.m_wPriority);
    EXPECT_EQ(0, m_bank.Load(m_dir / "missing.94b", REPAIRPOLICY{}));
    EXPECT_EQ(0, m_bank.Load(m_dir.Path(), REPAIRPOLICY{})); // a folder is no bank
    EXPECT_THAT(m_messages.Texts(), ElementsAre("Unable to find PRIO chunk !", "Unable to find PRIO chunk !",
                                                "Unable to find IMAP chunk !", "Unable to open file !",
                                                "Unable to open file !"));
    for (const auto& m : m_messages.m_messages)
    {
        EXPECT_EQ(unsigned(MsgStop), m.style);
        EXPECT_EQ("Orvane", m.caption);
    }
}

TEST_F(LoadTest, ReloadGivesTheSameListsNotDoubled)
{
    CBankBuilder b;
    b.Prio("Again", 1).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
    ASSERT_EQ(1, LoadBytes(b.Bytes()));
    ASSERT_EQ(1, m_bank.Load(m_path, REPAIRPOLICY{}));
    EXPECT_EQ(3u, m_bank.m_arrInstruments.size());
    EXPECT_EQ(2u, m_bank.m_arrDrumsets.size());
}

TEST_F(LoadTest, TtmaIsFoundOnlyWithinTheFirst1024Offsets)
{
    auto bankWithTtmaAt = [](size_t offset)
    {
        CBankBuilder b;
        b.Filler(offset).Ttma(16).Prio("T", 1).Imap({}, {});
        return b.Bytes();
    };
    // Not named .94b, so the block is kept and can be inspected.
    ASSERT_EQ(1, LoadBytes(bankWithTtmaAt(1024), "bank.bin"));
    EXPECT_EQ(1032u, m_bank.m_dwTtmaPos);
    EXPECT_EQ(16u, m_bank.m_dwTtmaSize);
    ASSERT_EQ(1, LoadBytes(bankWithTtmaAt(1025), "bank.bin"));
    EXPECT_EQ(0u, m_bank.m_dwTtmaSize);
    EXPECT_EQ(0u, m_bank.m_dwTtmaPos);
}

TEST_F(LoadTest, TtmaAfterThePriorityChunkIsKeptWithoutRepair)
{
    CBankBuilder b;
    b.Prio("After", 2).Ttma(20, 3).Imap({Entry(1, 1)}, {});
    std::vector<unsigned char> bytes = b.Bytes();
    ASSERT_EQ(1, LoadBytes(bytes));
    EXPECT_EQ(26u, m_bank.m_dwTtmaPos);
    ASSERT_EQ(20u, m_bank.m_dwTtmaSize);
    EXPECT_TRUE(std::equal(bytes.begin() + 26, bytes.begin() + 46, m_bank.m_pTtmaData.get()));
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
    EXPECT_EQ(bytes, ReadFileBytes(m_path));
}

TEST_F(LoadTest, ConvertedBankLoadsUnchangedAndKeepsNoTtmaData)
{
    CBankBuilder b;
    b.Ttma(40).Prio("Conv", 9, "TTPR").Imap({Entry(2, 0)}, {Entry(0, 0)}, "TTIM");
    for (const char* name : {"conv.94b", "CONV.94B", "conv.txt"})
    {
        ASSERT_EQ(1, LoadBytes(b.Bytes(), name));
        EXPECT_EQ(b.Bytes(), ReadFileBytes(m_path));
        EXPECT_EQ(m_path.string(), m_bank.m_strPathName);
        EXPECT_EQ(1u, m_bank.m_arrInstruments.size());
    }
    // Only a .94b file counts as converted; its TTMA data is let go.
    EXPECT_TRUE(CSoundBank::HasBankExtension("x.94B"));
    EXPECT_FALSE(CSoundBank::HasBankExtension("x.94bak"));
    EXPECT_EQ(40u, m_bank.m_dwTtmaSize); // conv.txt keeps its block
    ASSERT_EQ(1, LoadBytes(b.Bytes(), "conv.94b"));
    EXPECT_EQ(0u, m_bank.m_dwTtmaSize);
    EXPECT_EQ(nullptr, m_bank.m_pTtmaData);
    // Each .94b load asked the repair question (answered No); conv.txt did not.
    ASSERT_EQ(3u, m_messages.m_messages.size());
    for (const RecordedMessage& m : m_messages.m_messages)
        EXPECT_EQ(unsigned(MsgQuestion), m.style);
    EXPECT_EQ(CSoundBank::RepairDeclined, m_bank.GetRepairOutcome());
}

TEST_F(LoadTest, TruncatedFilesNeverReadPastTheEnd)
{
    // Priority chunk cut inside its name: missing bytes read as zero.
    CBankBuilder cutName;
    cutName.Imap({Entry(1, 0)}, {}).Raw("PRIO").U32(10).Raw("Ab");
    ASSERT_EQ(1, LoadBytes(cutName.Bytes()));
    EXPECT_EQ(std::string("Ab\0\0\0\0\0\0", 8), m_bank.m_strBankName);
    EXPECT_EQ(0, m_bank.m_wPriority);

    // An instrument list without terminator ends at the end of the file.
    CBankBuilder cutList;
    cutList.Prio("L", 1).Raw("IMAP").U32(100).U16(5).Raw(std::string("\x01\0\0\0", 4)).U16(6).Raw("\x02");
    ASSERT_EQ(1, LoadBytes(cutList.Bytes()));
    EXPECT_THAT(Pairs(m_bank.m_arrInstruments), ElementsAre(std::pair(5, 1)));
    EXPECT_THAT(m_bank.m_arrDrumsets, IsEmpty());

    // A drum list cut right after the instrument terminator.
    CBankBuilder cutDrums;
    cutDrums.Prio("L", 1).Raw("IMAP").U32(8).U16(3).Raw(std::string("\0\0\0\0", 4)).U16(0xFFFF);
    ASSERT_EQ(1, LoadBytes(cutDrums.Bytes()));
    EXPECT_EQ(1u, m_bank.m_arrInstruments.size());
    EXPECT_THAT(m_bank.m_arrDrumsets, IsEmpty());

    // Identifier in the last four bytes: the chunk's data lies wholly past the end.
    CBankBuilder idOnly;
    idOnly.Prio("E", 1).Raw("IMAP");
    ASSERT_EQ(1, LoadBytes(idOnly.Bytes()));
    EXPECT_THAT(m_bank.m_arrInstruments, IsEmpty());
}

TEST_F(LoadTest, TtmaLengthPastTheEndIsIgnored)
{
    CBankBuilder b;
    b.Raw("TTMA").U32(0xFFFFFFF0u).Filler(10).Prio("Huge", 1).Imap({}, {});
    ASSERT_EQ(1, LoadBytes(b.Bytes(), "huge.bin"));
    EXPECT_EQ(0u, m_bank.m_dwTtmaSize);
    EXPECT_EQ(0u, m_bank.m_dwTtmaPos);
    EXPECT_EQ(nullptr, m_bank.m_pTtmaData);

    // Exactly up to the end is still a chunk.
    CBankBuilder exact;
    exact.Prio("Ok", 1).Imap({}, {}).Raw("TTMA").U32(3).Raw("abc");
    ASSERT_EQ(1, LoadBytes(exact.Bytes(), "exact.bin"));
    EXPECT_EQ(3u, m_bank.m_dwTtmaSize);
}

TEST(SoundBankTest, SetEntryKeepsTheRestBytesAndClearKeepsThePath)
{
    CBankBuilder b;
    b.Prio("Set", 1).Imap({BankEntry{}}, {BankEntry{}});
    CMemorySource source(b.Bytes());
    CSoundBank bank;
    ASSERT_EQ(1, bank.LoadFrom(source, "mem.94b", REPAIRPOLICY{}));
    bank.SetInstrument(0, 99, 5);
    bank.SetDrumset(0, 7, 1);
    EXPECT_EQ(99, bank.GetInstrument(0).wProgram);
    EXPECT_EQ(5, bank.GetInstrument(0).byVariation);
    EXPECT_EQ(0x22, bank.GetInstrument(0).abRest[1]);
    EXPECT_EQ(7, bank.GetDrumset(0).wProgram);
    bank.Clear();
    EXPECT_TRUE(bank.m_arrInstruments.empty());
    EXPECT_EQ(0u, bank.m_dwPrioPos);
    EXPECT_EQ("mem.94b", bank.m_strPathName);
}
