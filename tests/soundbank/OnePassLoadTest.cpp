// Loading finds the priority and mapping chunks in one pass: which message a missing chunk gives,
// and chunks deep in a large file, across the blocks the file is read in.
#include "base/ByteSource.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using ::testing::ElementsAre;

TEST(OnePassLoadTest, AMissingPriorityChunkIsReportedBeforeAMissingMappingChunk)
{
    CTempDir dir;
    CMessageRecorder messages;
    CSoundBank bank;
    CBankBuilder imapOnly, prioOnly, neither;
    imapOnly.Filler(50).Imap(CBankBuilder::Entries(3), {});
    prioOnly.Filler(50).Prio("Alone", 4);
    neither.Filler(50);
    for (const CBankBuilder* b : {&imapOnly, &prioOnly, &neither})
    {
        ASSERT_TRUE(b->WriteTo(dir / "bank.94b"));
        EXPECT_EQ(0, bank.Load(dir / "bank.94b", REPAIRPOLICY{}));
    }
    EXPECT_THAT(messages.Texts(), ElementsAre("Unable to find PRIO chunk !", "Unable to find IMAP chunk !",
                                              "Unable to find PRIO chunk !"));

    // A bank object used before tells a missing priority chunk apart all the same.
    CBankBuilder good;
    good.Prio("Good", 1).Imap({}, {});
    CMemorySource goodBytes(good.Bytes());
    ASSERT_EQ(1, bank.FindPrioAndImap(goodBytes));
    CMemorySource imapBytes(imapOnly.Bytes());
    EXPECT_EQ(0, bank.FindPrioAndImap(imapBytes));
    EXPECT_EQ(0u, bank.m_dwPrioPos);
}

TEST(OnePassLoadTest, ChunksDeepInALargeFileAcrossReadBlocks)
{
    CTempDir dir;
    CMessageRecorder messages;
    // The mapping chunk first, the priority chunk after it; each identifier in turn straddles a
    // 64 KiB boundary of the file (every block boundary of the reader is one of them).
    for (size_t boundary : {size_t(256) << 10, size_t(1) << 20})
        for (size_t d = 1; d < 4; ++d)
        {
            CBankBuilder b;
            b.Filler(boundary - d).Imap(CBankBuilder::Entries(300), CBankBuilder::Entries(2));
            size_t prio = (b.Bytes().size() | 0xFFFF) + 1 - d;
            b.Filler(prio - b.Bytes().size()).Prio("Deep", 77).Filler(4096);
            ASSERT_TRUE(b.WriteTo(dir / "deep.94b"));
            CSoundBank bank;
            ASSERT_EQ(1, bank.Load(dir / "deep.94b", REPAIRPOLICY{})) << boundary << " " << d;
            EXPECT_EQ(boundary - d + 8, bank.m_dwImapPos);
            EXPECT_EQ(prio + 8, bank.m_dwPrioPos);
            EXPECT_EQ(77, bank.m_wPriority);
            EXPECT_EQ(300u, bank.m_arrInstruments.size());
            EXPECT_EQ(2u, bank.m_arrDrumsets.size());
        }
    EXPECT_TRUE(messages.m_messages.empty());
}

namespace
{
// A file of 5 GiB holding zeros but for a few bytes placed at chosen offsets.
class CFarSource : public CByteSource
{
public:
    void Put(uint64_t at, const std::vector<unsigned char>& bytes) { m_parts.push_back({at, bytes}); }
    uint64_t Size() const override { return 5ull << 30; }
    size_t ReadAt(uint64_t offset, void* buf, size_t n) override
    {
        if (offset >= Size())
            return 0;
        n = static_cast<size_t>(std::min<uint64_t>(n, Size() - offset));
        auto* out = static_cast<unsigned char*>(buf);
        std::fill(out, out + n, 0);
        for (const auto& [at, bytes] : m_parts)
            for (size_t i = 0; i < bytes.size(); ++i)
                if (at + i >= offset && at + i < offset + n)
                    out[at + i - offset] = bytes[i];
        return n;
    }

private:
    std::vector<std::pair<uint64_t, std::vector<unsigned char>>> m_parts;
};
} // namespace

TEST(OnePassLoadTest, AChunkOnlyBeyond4GiBIsReportedAsOutOfReachNotAsMissing)
{
    CBankBuilder prio, imap;
    prio.Prio("Far", 1);
    imap.Imap(CBankBuilder::Entries(2), {});
    CFarSource farPrio;
    farPrio.Put(9ull << 29, prio.Bytes()); // at 4.5 GiB
    CFarSource farImap;
    farImap.Put(100, prio.Bytes());
    farImap.Put(9ull << 29, imap.Bytes());
    CMessageRecorder messages;
    CSoundBank bank;
    EXPECT_EQ(0, bank.LoadFrom(farPrio, "far.94b", REPAIRPOLICY{}));
    EXPECT_EQ(0, bank.LoadFrom(farImap, "far.94b", REPAIRPOLICY{}));
    EXPECT_THAT(messages.Texts(),
                ElementsAre("The PRIO chunk lies beyond 4 GiB, where the positions of the format cannot reach !",
                            "The IMAP chunk lies beyond 4 GiB, where the positions of the format cannot reach !"));
}
