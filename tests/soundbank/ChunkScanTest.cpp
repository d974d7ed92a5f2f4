// The fast identifier scan must give exactly what the byte-by-byte scan gives.
#include "base/ByteSource.h"
#include "soundbank/ChunkScan.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
// Random bytes over a small alphabet, so that identifiers and near-misses occur often.
std::vector<unsigned char> NoisyBytes(std::mt19937& rng, size_t n)
{
    static const char kAlphabet[] = "PRIOTMAXY";
    std::uniform_int_distribution<int> pick(0, 8);
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes)
        b = static_cast<unsigned char>(kAlphabet[pick(rng)]);
    return bytes;
}
} // namespace

TEST(ChunkScanTest, VectorScanEqualsBytewiseScanOnRandomData)
{
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round)
    {
        std::vector<unsigned char> bytes = NoisyBytes(rng, rng() % 300);
        for (auto ids : {std::pair("PRIO", "TTPR"), std::pair("TTMA", "TTMA"), std::pair("IMAP", "TTIM")})
        {
            uint64_t expected = FindChunkIdBytewise(bytes.data(), bytes.size(), ids.first, ids.second);
            ASSERT_EQ(expected, FindChunkId(bytes.data(), bytes.size(), ids.first, ids.second)) << "round " << round;
        }
    }
}

TEST(ChunkScanTest, EveryOffsetAndTailLengthIsSeen)
{
    for (size_t n = 0; n < 70; ++n)
        for (size_t at = 0; at + 4 <= n; ++at)
        {
            std::vector<unsigned char> bytes(n, 'x');
            std::copy_n("TTPR", 4, bytes.begin() + static_cast<long>(at));
            ASSERT_EQ(at, FindChunkId(bytes.data(), n, "PRIO", "TTPR")) << n << " " << at;
        }
    std::vector<unsigned char> three = {'P', 'R', 'I'};
    EXPECT_EQ(kNoChunk, FindChunkId(three.data(), 3, "PRIO", "TTPR"));
}

TEST(ChunkScanTest, FileScanAcrossBlockBoundariesAndLimit)
{
    CTempDir dir;
    // Identifiers straddling the 1 MiB read blocks of the file scan.
    for (size_t at : {size_t(0), (size_t(1) << 20) - 2, (size_t(1) << 20), (size_t(2) << 20) + 5})
    {
        std::vector<unsigned char> bytes((size_t(3) << 20), 0);
        std::copy_n("IMAP", 4, bytes.begin() + static_cast<long>(at));
        WriteFileBytes(dir / "scan.bin", bytes);
        auto file = CFileSource::Open(dir / "scan.bin");
        ASSERT_TRUE(file);
        EXPECT_EQ(at, ScanForChunkId(*file, "IMAP", "TTIM"));
        CMemorySource memory(bytes);
        EXPECT_EQ(at, ScanForChunkId(memory, "IMAP", "TTIM"));
    }
    std::vector<unsigned char> bytes(2000, 0);
    std::copy_n("TTMA", 4, bytes.begin() + 1024);
    CMemorySource memory(bytes);
    EXPECT_EQ(1024u, ScanForChunkId(memory, "TTMA", "TTMA", 1024));
    EXPECT_EQ(kNoChunk, ScanForChunkId(memory, "TTMA", "TTMA", 1023));
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
