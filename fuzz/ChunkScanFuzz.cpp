// Feeds arbitrary bytes to the identifier scans: every candidate search, and the one pass for
// both pairs, must give what the byte-by-byte scan gives and never read outside the bytes (they
// are copied into a buffer of exactly their size, so the sanitizer sees any read past it).
#include "base/ByteSource.h"
#include "soundbank/ChunkScan.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace
{
void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<unsigned char> bytes(data, data + size);
    const unsigned char* p = bytes.data();
    const uint64_t prio = FindChunkIdBytewise(p, size, "PRIO", "TTPR");
    const uint64_t imap = FindChunkIdBytewise(p, size, "IMAP", "TTIM");
    const uint64_t ttma = FindChunkIdBytewise(p, size, "TTMA", "TTMA");
    const char* const all[] = {"PRIO", "TTPR", "IMAP", "TTIM"};
    const char* const prioIds[] = {"PRIO", "TTPR"};
    const char* const ttmaIds[] = {"TTMA"};
    for (SCANPATH path : {SCANPATH::Portable, SCANPATH::Sse2, SCANPATH::Avx2, SCANPATH::Avx512})
    {
        if (!IsScanPathAvailable(path))
            continue;
        Check(FindAnyChunkId(path, p, size, prioIds, 2) == prio);
        Check(FindAnyChunkId(path, p, size, ttmaIds, 1) == ttma);
        Check(FindAnyChunkId(path, p, size, all, 4) == std::min(prio, imap));
    }
    CMemorySource source(bytes);
    CHUNKSTARTS starts = ScanForChunkIds(source, {"PRIO", "TTPR"}, {"IMAP", "TTIM"});
    Check(starts.first == prio && starts.second == imap);
    Check(ScanForChunkId(source, "TTMA", "TTMA", 1024) == (ttma <= 1024 ? ttma : kNoChunk));
    return 0;
}
