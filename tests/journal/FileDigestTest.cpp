// Digests of a bank and of its repair from one read: equal to digesting the repaired bytes
// themselves wherever the moved chunk and its new place fall against the 64 KiB blocks.
#include "journal/FileDigest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
uint64_t DigestOf(const std::filesystem::path& path)
{
    IFileSystem& fs = GetFileSystem();
    CFsHandle file(fs, fs.OpenRead(path));
    FILESTAT stat;
    uint64_t digest = 0;
    EXPECT_TRUE(file.IsOpen() && fs.Stat(file.Get(), stat) && DigestFile(fs, file.Get(), stat.nSize, digest));
    return digest;
}
} // namespace

TEST(FileDigestTest, RepairDigestsEqualThoseOfTheBankAndOfTheRepairedBytes)
{
    constexpr uint64_t kBlock = 64 * 1024;
    CTempDir dir;
    std::mt19937 random(7);
    const std::string chunk("PRIO\x0a\0\0\0NewName\0\x40\0", 18);
    struct CASE
    {
        uint64_t size, to, from;
    };
    // The chunk's new place and its old one at, across and right beside block ends; the file
    // ending right after the chunk, and within the first block.
    const CASE cases[] = {{3 * kBlock + 100, 0, 2 * kBlock + 5},
                          {3 * kBlock, kBlock - 9, 3 * kBlock - 18},
                          {4 * kBlock + 1, kBlock, kBlock + 18},
                          {2 * kBlock, 10, kBlock - 18},
                          {5 * kBlock - 3, 2 * kBlock - 1, 4 * kBlock - 7},
                          {300, 17, 200}};
    for (const CASE& c : cases)
    {
        std::vector<unsigned char> bank(c.size);
        for (unsigned char& b : bank)
            b = static_cast<unsigned char>(random());
        std::vector<unsigned char> repaired(bank.begin(), bank.begin() + static_cast<long>(c.to));
        repaired.insert(repaired.end(), chunk.begin(), chunk.end());
        repaired.insert(repaired.end(), bank.begin() + static_cast<long>(c.to),
                        bank.begin() + static_cast<long>(c.from));
        repaired.insert(repaired.end(), bank.begin() + static_cast<long>(c.from + 18), bank.end());
        ASSERT_EQ(bank.size(), repaired.size());
        WriteFileBytes(dir / "bank", bank);
        WriteFileBytes(dir / "repaired", repaired);

        IFileSystem& fs = GetFileSystem();
        CFsHandle file(fs, fs.OpenRead(dir / "bank"));
        ASSERT_TRUE(file.IsOpen());
        uint64_t before = 0, after = 0;
        ASSERT_TRUE(DigestRepair(fs, file.Get(), c.size, c.to, c.from, chunk, false, before, after));
        EXPECT_EQ(DigestOf(dir / "bank"), before) << c.size << " " << c.to << " " << c.from;
        EXPECT_EQ(DigestOf(dir / "repaired"), after) << c.size << " " << c.to << " " << c.from;
        // A digest known before is kept as it is.
        uint64_t known = 42, again = 0;
        ASSERT_TRUE(DigestRepair(fs, file.Get(), c.size, c.to, c.from, chunk, true, known, again));
        EXPECT_EQ(42u, known);
        EXPECT_EQ(after, again);
    }
    // A move that does not fit the file is refused, not read out of bounds.
    IFileSystem& fs = GetFileSystem();
    CFsHandle file(fs, fs.OpenRead(dir / "bank"));
    uint64_t before = 0, after = 0;
    EXPECT_FALSE(DigestRepair(fs, file.Get(), 300, 17, 290, chunk, false, before, after));
    EXPECT_FALSE(DigestRepair(fs, file.Get(), 300, 250, 200, chunk, false, before, after));
}
