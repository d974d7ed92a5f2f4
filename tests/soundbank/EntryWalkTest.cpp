// Walking the mapping lists in large blocks gives exactly what a walk of one six-byte read per
// entry gives: lists around the block size, terminators on block boundaries, lists that run
// into the end of the file, from memory and from a file, and a walk stopped part way.
#include "base/ByteCodec.h"
#include "base/ByteSource.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
struct WALKED
{
    bool drumset;
    uint64_t index;
    IMAPENTRY entry;
    bool operator==(const WALKED& o) const
    {
        return drumset == o.drumset && index == o.index && entry.wProgram == o.entry.wProgram &&
               entry.byVariation == o.entry.byVariation && entry.abRest[0] == o.entry.abRest[0] &&
               entry.abRest[1] == o.entry.abRest[1] && entry.abRest[2] == o.entry.abRest[2];
    }
};

// The walk as one read of six bytes per entry.
std::vector<WALKED> WalkOneByOne(const std::vector<unsigned char>& bytes, uint64_t pos)
{
    std::vector<WALKED> walked;
    for (bool drumset : {false, true})
        for (uint64_t index = 0;; ++index)
        {
            const uint64_t left = pos < bytes.size() ? bytes.size() - pos : 0;
            if (left >= 2 && bytes[pos] == 0xFF && bytes[pos + 1] == 0xFF)
            {
                pos += 2;
                break;
            }
            if (left < 6)
            {
                pos = bytes.size();
                break;
            }
            WALKED w{drumset, index, {}};
            w.entry.wProgram = GetLe16(&bytes[pos]);
            w.entry.byVariation = bytes[pos + 2];
            std::copy(&bytes[pos + 3], &bytes[pos + 6], w.entry.abRest);
            walked.push_back(w);
            pos += 6;
        }
    return walked;
}

std::vector<WALKED> WalkInRuns(const CSoundBank& bank, CByteSource& source)
{
    std::vector<WALKED> walked;
    bank.ForEachEntry(source,
                      [&](bool drumset, uint64_t index, const IMAPENTRY& entry)
                      {
                          walked.push_back({drumset, index, entry});
                          return true;
                      });
    return walked;
}

// n entries of random bytes whose first two are never FF FF, so that only the ends end a list;
// every other entry starts with one FF.
std::vector<unsigned char> RandomEntries(size_t n, std::mt19937& rng)
{
    std::vector<unsigned char> bytes(6 * n);
    for (auto& b : bytes)
        b = static_cast<unsigned char>(rng());
    for (size_t i = 0; i < n; ++i)
    {
        bytes[6 * i] = i % 2 ? 0xFF : bytes[6 * i];
        if (bytes[6 * i] == 0xFF && bytes[6 * i + 1] == 0xFF)
            bytes[6 * i + 1] = 0;
    }
    return bytes;
}

class EntryWalkTest : public ::testing::Test
{
protected:
    // The bank's bytes with the mapping identifier after the priority chunk; lists as given.
    std::vector<unsigned char> Bank(const std::vector<unsigned char>& lists)
    {
        CBankBuilder b;
        b.Prio("Walk", 1).Raw(std::string("IMAP\0\0\0\0", 8)).Raw(lists);
        return b.Bytes();
    }
    // The walk from memory and from the file equals the one-by-one walk, and so do the lists
    // and the counts that a load keeps.
    void ExpectSameWalk(const std::vector<unsigned char>& bytes)
    {
        CMemorySource memory(bytes);
        CSoundBank bank;
        ASSERT_EQ(1, bank.LoadFrom(memory, "walk.94b", REPAIRPOLICY{}));
        const std::vector<WALKED> expected = WalkOneByOne(bytes, bank.m_dwImapPos);
        EXPECT_TRUE(WalkInRuns(bank, memory) == expected);

        WriteFileBytes(m_dir / "walk.94b", bytes);
        CSoundBank fromFile;
        ASSERT_EQ(1, fromFile.Load(m_dir / "walk.94b", REPAIRPOLICY{}));
        auto file = CFileSource::Open(m_dir / "walk.94b");
        ASSERT_TRUE(file);
        EXPECT_TRUE(WalkInRuns(fromFile, *file) == expected);

        std::vector<WALKED> kept;
        for (bool drumset : {false, true})
        {
            const auto& list = drumset ? fromFile.m_arrDrumsets : fromFile.m_arrInstruments;
            for (size_t i = 0; i < list.size(); ++i)
                kept.push_back({drumset, i, list[i]});
        }
        EXPECT_TRUE(kept == expected);
        EXPECT_EQ(fromFile.m_arrInstruments.size(), fromFile.m_nInstrumentCount);
        EXPECT_EQ(fromFile.m_arrDrumsets.size(), fromFile.m_nDrumsetCount);
        EXPECT_EQ(bank.m_nEntryDigest, fromFile.m_nEntryDigest);
    }

    CTempDir m_dir;
    CMessageRecorder m_messages;
    std::mt19937 m_rng{14};
};
} // namespace

TEST_F(EntryWalkTest, ListsAroundTheBlockSizeAndTerminatorsOnItsBoundaries)
{
    const std::vector<unsigned char> end = {0xFF, 0xFF};
    for (size_t n : {size_t(0), size_t(1), size_t(4095), size_t(4096), size_t(4097), size_t(8192), size_t(9000)})
        for (size_t m : {size_t(0), size_t(3), size_t(4096)})
        {
            SCOPED_TRACE(std::to_string(n) + " instruments, " + std::to_string(m) + " drum sets");
            std::vector<unsigned char> lists = RandomEntries(n, m_rng);
            lists.insert(lists.end(), end.begin(), end.end());
            const auto drums = RandomEntries(m, m_rng);
            lists.insert(lists.end(), drums.begin(), drums.end());
            lists.insert(lists.end(), end.begin(), end.end());
            lists.insert(lists.end(), 50, 0xFF); // after the lists nothing counts
            ExpectSameWalk(Bank(lists));
        }
}

TEST_F(EntryWalkTest, ListsRunningIntoTheEndOfTheFile)
{
    // The drum list, or the instrument list itself, has no terminator: the last 0 to 5 bytes
    // are a part of an entry, or the two bytes of a late terminator.
    for (size_t n : {size_t(2), size_t(4096), size_t(4097)})
        for (size_t tail = 0; tail < 6; ++tail)
            for (bool withDrums : {false, true})
                for (unsigned char fill : {0x00, 0xFF})
                {
                    SCOPED_TRACE(std::to_string(n) + " entries, tail " + std::to_string(tail));
                    std::vector<unsigned char> lists = RandomEntries(n, m_rng);
                    if (withDrums)
                    {
                        lists.push_back(0xFF);
                        lists.push_back(0xFF);
                        const auto drums = RandomEntries(n, m_rng);
                        lists.insert(lists.end(), drums.begin(), drums.end());
                    }
                    lists.insert(lists.end(), tail, fill);
                    ExpectSameWalk(Bank(lists));
                }
}

TEST_F(EntryWalkTest, AWalkStoppedPartWayVisitsNoFurtherEntry)
{
    std::vector<unsigned char> lists = RandomEntries(9000, m_rng);
    lists.push_back(0xFF);
    lists.push_back(0xFF);
    const auto drums = RandomEntries(10, m_rng);
    lists.insert(lists.end(), drums.begin(), drums.end());
    const auto bytes = Bank(lists);
    CMemorySource source(bytes);
    CSoundBank bank;
    bank.m_bKeepLists = false;
    ASSERT_EQ(1, bank.LoadFrom(source, "walk.94b", REPAIRPOLICY{}));
    EXPECT_EQ(9000u, bank.m_nInstrumentCount);
    EXPECT_TRUE(bank.m_arrInstruments.empty());
    for (uint64_t stopAt : {uint64_t(0), uint64_t(4095), uint64_t(4096), uint64_t(9004)})
    {
        uint64_t visits = 0;
        bank.ForEachEntry(source, [&](bool, uint64_t, const IMAPENTRY&) { return ++visits <= stopAt; });
        EXPECT_EQ(stopAt + 1, visits);
    }
    // In runs, the walk ends with the run whose visit says so.
    size_t runs = 0;
    bank.ForEachEntryRun(source,
                         [&](bool drumset, uint64_t first, const IMAPENTRY*, size_t count)
                         {
                             EXPECT_FALSE(drumset);
                             EXPECT_EQ(0u, first);
                             EXPECT_GT(count, 0u);
                             ++runs;
                             return false;
                         });
    EXPECT_EQ(1u, runs);
}
