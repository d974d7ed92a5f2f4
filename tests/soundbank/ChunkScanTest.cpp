// The fast identifier scans must give exactly what the byte-by-byte scan gives, on every path.
#include "base/ByteSource.h"
#include "soundbank/ChunkScan.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace
{
const CHUNKIDPAIR kPrio = {"PRIO", "TTPR"};
const CHUNKIDPAIR kImap = {"IMAP", "TTIM"};

// Random bytes over a small alphabet, so that identifiers and near-misses occur often, with
// now and then a whole identifier written in.
std::vector<unsigned char> NoisyBytes(std::mt19937& rng, size_t n)
{
    static const char kAlphabet[] = "PRIOTMAXY";
    static const char* const kIds[] = {"PRIO", "TTPR", "IMAP", "TTIM", "TTMA"};
    std::uniform_int_distribution<int> pick(0, 8);
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes)
        b = static_cast<unsigned char>(kAlphabet[pick(rng)]);
    for (int k = 0; n >= 4 && k < 2; ++k)
        if (rng() % 3 == 0)
            std::memcpy(&bytes[rng() % (n - 3)], kIds[rng() % 5], 4);
    return bytes;
}

std::vector<SCANPATH> AvailablePaths()
{
    std::vector<SCANPATH> paths;
    for (SCANPATH path : {SCANPATH::Portable, SCANPATH::Sse2, SCANPATH::Avx2, SCANPATH::Avx512})
        if (IsScanPathAvailable(path))
            paths.push_back(path);
    return paths;
}

// A source that holds its bytes in memory but offers them only through ReadAt, as a file does,
// and notes the size of every read.
class CBlockSource : public CByteSource
{
public:
    explicit CBlockSource(const std::vector<unsigned char>& bytes) : m_memory(bytes) {}
    uint64_t Size() const override { return m_memory.Size(); }
    size_t ReadAt(uint64_t offset, void* buf, size_t n) override
    {
        m_reads.emplace_back(offset, n);
        return m_memory.ReadAt(offset, buf, n);
    }
    std::vector<std::pair<uint64_t, size_t>> m_reads; // offset and length of every read

private:
    CMemorySource m_memory;
};

void ExpectBothScansAgree(const std::vector<unsigned char>& bytes, const std::string& where)
{
    uint64_t prio = FindChunkIdBytewise(bytes.data(), bytes.size(), kPrio.id1, kPrio.id2);
    uint64_t imap = FindChunkIdBytewise(bytes.data(), bytes.size(), kImap.id1, kImap.id2);
    CMemorySource memory(bytes);
    CBlockSource blocks(bytes);
    for (CByteSource* source : {static_cast<CByteSource*>(&memory), static_cast<CByteSource*>(&blocks)})
    {
        CHUNKSTARTS starts = ScanForChunkIds(*source, kPrio, kImap);
        ASSERT_EQ(prio, starts.first) << where;
        ASSERT_EQ(imap, starts.second) << where;
        starts = ScanForChunkIds(*source, kImap, kPrio);
        ASSERT_EQ(imap, starts.first) << where;
        ASSERT_EQ(prio, starts.second) << where;
    }
}
} // namespace

TEST(ChunkScanTest, EveryPathEqualsBytewiseScanOnRandomData)
{
    std::mt19937 rng(1234);
    const char* const kAll[] = {"PRIO", "TTPR", "IMAP", "TTIM"};
    for (SCANPATH path : AvailablePaths())
        for (int round = 0; round < 3000; ++round)
        {
            std::vector<unsigned char> bytes = NoisyBytes(rng, rng() % 300);
            for (auto ids : {std::pair("PRIO", "TTPR"), std::pair("TTMA", "TTMA"), std::pair("IMAP", "TTIM")})
            {
                const char* const pair[] = {ids.first, ids.second};
                uint64_t expected = FindChunkIdBytewise(bytes.data(), bytes.size(), ids.first, ids.second);
                ASSERT_EQ(expected, FindAnyChunkId(path, bytes.data(), bytes.size(), pair, 2)) << "round " << round;
                ASSERT_EQ(expected, FindChunkId(bytes.data(), bytes.size(), ids.first, ids.second));
            }
            // All four identifiers at once: the earlier of the two pairs' first offsets.
            uint64_t expected = std::min(FindChunkIdBytewise(bytes.data(), bytes.size(), "PRIO", "TTPR"),
                                         FindChunkIdBytewise(bytes.data(), bytes.size(), "IMAP", "TTIM"));
            ASSERT_EQ(expected, FindAnyChunkId(path, bytes.data(), bytes.size(), kAll, 4)) << "round " << round;
        }
}

TEST(ChunkScanTest, EveryOffsetAndTailLengthIsSeenOnEveryPath)
{
    for (SCANPATH path : AvailablePaths())
        for (size_t n = 0; n < 140; ++n)
            for (size_t at = 0; at + 4 <= n; ++at)
            {
                // Near-misses everywhere else: first and last letters fit, the middle does not.
                std::vector<unsigned char> bytes(n, 'x');
                for (size_t i = 0; i + 4 <= n; i += 5)
                    std::copy_n("TxxR", 4, bytes.begin() + static_cast<long>(i));
                std::copy_n("TTPR", 4, bytes.begin() + static_cast<long>(at));
                const char* const ids[] = {"PRIO", "TTPR"};
                ASSERT_EQ(at, FindAnyChunkId(path, bytes.data(), n, ids, 2)) << n << " " << at;
            }
    std::vector<unsigned char> three = {'P', 'R', 'I'};
    EXPECT_EQ(kNoChunk, FindChunkId(three.data(), 3, "PRIO", "TTPR"));
}

TEST(ChunkScanTest, OnePassFindsBothPairsLikeTwoBytewiseScans)
{
    std::mt19937 rng(99);
    for (int round = 0; round < 3000; ++round)
        ExpectBothScansAgree(NoisyBytes(rng, rng() % 600), "round " + std::to_string(round));

    // Identifiers that overlap each other, within a pair and across the two pairs.
    for (const char* text : {"IMAPRIO", "TTPRIO", "TTIMAP", "PRIMAP", "TTPRTTIM", "IMAPRIOTTIM", "TTTPRIO", "IMAP",
                             "xxPRIOxx", "IMAIMAPRIPRIO"})
    {
        std::vector<unsigned char> bytes(text, text + std::strlen(text));
        ExpectBothScansAgree(bytes, text);
    }
}

TEST(ChunkScanTest, PairsThatShareAnIdentifierAreBothFoundAtIt)
{
    std::vector<unsigned char> bytes(100, 'x');
    std::copy_n("TTMA", 4, bytes.begin() + 40);
    CMemorySource memory(bytes);
    CHUNKSTARTS starts = ScanForChunkIds(memory, {"TTMA", "TTMA"}, {"PRIO", "TTMA"});
    EXPECT_EQ(40u, starts.first);
    EXPECT_EQ(40u, starts.second);
}

TEST(ChunkScanTest, BlockBoundariesAreCrossedWithLargeReads)
{
    // Identifiers just before, across and just after every 64 KiB boundary of a 1 MiB source:
    // whatever the block size, each boundary of the reads is among them.
    const size_t size = size_t(1) << 20;
    for (size_t boundary = size_t(64) << 10; boundary < size; boundary += size_t(64) << 10)
        for (size_t d = 0; d < 5; ++d)
        {
            std::vector<unsigned char> bytes(size, 0);
            size_t imap = boundary - 4 + d;
            std::copy_n("IMAPRIO", 7,
                        bytes.begin() + static_cast<long>(imap)); // PRIO shares the boundary too
            CBlockSource blocks(bytes);
            CHUNKSTARTS starts = ScanForChunkIds(blocks, kPrio, kImap);
            ASSERT_EQ(imap + 3, starts.first) << boundary << " " << d;
            ASSERT_EQ(imap, starts.second) << boundary << " " << d;
            // The pass reads in large blocks, never byte by byte, and stops once both are found.
            for (auto [offset, n] : blocks.m_reads)
            {
                ASSERT_LE(offset, imap + 3);
                ASSERT_TRUE(n >= (size_t(64) << 10) || offset + n >= size);
            }
        }
}

TEST(ChunkScanTest, FileScanAcrossBlockBoundariesAndLimit)
{
    CTempDir dir;
    // Identifiers straddling 1 MiB boundaries of the file.
    for (size_t at : {size_t(0), (size_t(1) << 20) - 2, (size_t(1) << 20), (size_t(2) << 20) + 5})
    {
        std::vector<unsigned char> bytes((size_t(3) << 20), 0);
        std::copy_n("IMAP", 4, bytes.begin() + static_cast<long>(at));
        std::copy_n("TTPR", 4, bytes.end() - 4);
        WriteFileBytes(dir / "scan.bin", bytes);
        auto file = CFileSource::Open(dir / "scan.bin");
        ASSERT_TRUE(file);
        EXPECT_EQ(at, ScanForChunkId(*file, "IMAP", "TTIM"));
        CHUNKSTARTS starts = ScanForChunkIds(*file, kPrio, kImap);
        EXPECT_EQ(bytes.size() - 4, starts.first);
        EXPECT_EQ(at, starts.second);
        CMemorySource memory(bytes);
        EXPECT_EQ(at, ScanForChunkId(memory, "IMAP", "TTIM"));
    }
    // Only start offsets up to the limit count, in memory and through reads.
    std::vector<unsigned char> bytes(2000, 0);
    std::copy_n("TTMA", 4, bytes.begin() + 1024);
    std::copy_n("PRIO", 4, bytes.begin() + 1500);
    CMemorySource memory(bytes);
    CBlockSource blocks(bytes);
    for (CByteSource* source : {static_cast<CByteSource*>(&memory), static_cast<CByteSource*>(&blocks)})
    {
        EXPECT_EQ(1024u, ScanForChunkId(*source, "TTMA", "TTMA", 1024));
        EXPECT_EQ(kNoChunk, ScanForChunkId(*source, "TTMA", "TTMA", 1023));
        CHUNKSTARTS starts = ScanForChunkIds(*source, {"TTMA", "TTMA"}, kPrio, 1499);
        EXPECT_EQ(1024u, starts.first);
        EXPECT_EQ(kNoChunk, starts.second);
    }
}

TEST(ByteSourceTest, ReadsAreBoundedAndZeroFilled)
{
    CTempDir dir;
    std::vector<unsigned char> bytes(200000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 31);
    WriteFileBytes(dir / "f.bin", bytes);
    auto file = CFileSource::Open(dir / "f.bin");
    ASSERT_TRUE(file);
    CMemorySource memory(bytes);
    for (CByteSource* source : {static_cast<CByteSource*>(file.get()), static_cast<CByteSource*>(&memory)})
    {
        unsigned char buf[8];
        // Walk across cache blocks in small steps, as the list reader does.
        for (uint64_t at = 65530; at < 65550; ++at)
        {
            ASSERT_EQ(6u, source->ReadAt(at, buf, 6));
            ASSERT_EQ(bytes[at + 5], buf[5]);
        }
        EXPECT_EQ(3u, source->ReadZeroFilled(bytes.size() - 3, buf, 8));
        EXPECT_EQ(bytes.back(), buf[2]);
        EXPECT_EQ(0, buf[3]);
        EXPECT_EQ(0, buf[7]);
        EXPECT_EQ(0u, source->ReadAt(bytes.size() + 100, buf, 8));
    }
    EXPECT_FALSE(CFileSource::Open(dir / "missing"));
}
