// Finding chunk identifiers: the first offset at which either of two four-byte identifiers begins,
// for one pair or for two pairs in the same pass. Every result equals that of testing every start
// offset in turn, byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>

class CByteSource;

constexpr uint64_t kNoChunk = ~uint64_t(0);

// Two identifiers that mark the same chunk ("PRIO" or "TTPR"); both may be the same.
struct CHUNKIDPAIR
{
    const char* id1;
    const char* id2;
};

// First start offsets of two pairs found in one pass; kNoChunk for a pair that does not occur.
struct CHUNKSTARTS
{
    uint64_t first = kNoChunk;
    uint64_t second = kNoChunk;
};

// First offset o (o + 4 <= n) at which id1 or id2 begins in data; kNoChunk when there is none.
uint64_t FindChunkId(const unsigned char* data, size_t n, const char* id1, const char* id2);

// The same over a whole source, testing only start offsets up to maxStart (inclusive).
// Reads through one buffer (or the source's memory), never byte by byte.
uint64_t ScanForChunkId(CByteSource& source, const char* id1, const char* id2, uint64_t maxStart = kNoChunk);

// Both pairs in one pass over the source, which ends as soon as both have been found.
CHUNKSTARTS ScanForChunkIds(CByteSource& source, const CHUNKIDPAIR& first, const CHUNKIDPAIR& second,
                            uint64_t maxStart = kNoChunk);

// The plain byte-by-byte scan, kept as the reference the fast scan is tested against.
uint64_t FindChunkIdBytewise(const unsigned char* data, size_t n, const char* id1, const char* id2);

// The candidate searches: vector compares find offsets whose first and last bytes fit one of the
// identifiers, and only there are all four bytes compared. The fastest one this processor runs
// is used by the scans above; each can be called directly so that all are tested.
enum class SCANPATH
{
    Portable, // plain C++, any processor
    Sse2,     // 16 offsets a step, every x86-64 processor
    Avx2,     // 32 offsets a step, chosen when the processor has AVX2
    Avx512    // 64 offsets a step, chosen when the processor has AVX-512BW
};
bool IsScanPathAvailable(SCANPATH path);
SCANPATH BestScanPath();
// First offset o (o + 4 <= n) at which any of the count (1 to 4) identifiers begins. A path the
// processor lacks runs as the best one it has.
uint64_t FindAnyChunkId(SCANPATH path, const unsigned char* data, size_t n, const char* const* ids, size_t count);
