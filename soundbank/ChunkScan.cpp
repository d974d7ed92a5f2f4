// The identifier scan compares sixteen start offsets at a time with vector operations and
// falls back to the byte-by-byte test for the last few offsets.
#include "soundbank/ChunkScan.h"

#include "base/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
inline bool IdAt(const unsigned char* p, const char* id)
{
    return std::memcmp(p, id, 4) == 0;
}
} // namespace

uint64_t FindChunkIdBytewise(const unsigned char* data, size_t n, const char* id1, const char* id2)
{
    for (size_t i = 0; i + 4 <= n; ++i)
        if (IdAt(data + i, id1) || IdAt(data + i, id2))
            return i;
    return kNoChunk;
}

uint64_t FindChunkId(const unsigned char* data, size_t n, const char* id1, const char* id2)
{
    size_t i = 0;
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    typedef unsigned char V16 __attribute__((vector_size(16)));
    V16 a[4], b[4];
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 16; ++j)
        {
            a[k][j] = static_cast<unsigned char>(id1[k]);
            b[k][j] = static_cast<unsigned char>(id2[k]);
        }
    // Each round tests the start offsets i .. i + 15, which needs bytes up to i + 18.
    for (; i + 19 <= n; i += 16)
    {
        V16 x0, x1, x2, x3;
        std::memcpy(&x0, data + i, 16);
        std::memcpy(&x1, data + i + 1, 16);
        std::memcpy(&x2, data + i + 2, 16);
        std::memcpy(&x3, data + i + 3, 16);
        auto hit = ((x0 == a[0]) & (x1 == a[1]) & (x2 == a[2]) & (x3 == a[3])) |
                   ((x0 == b[0]) & (x1 == b[1]) & (x2 == b[2]) & (x3 == b[3]));
        uint64_t lo, hi;
        std::memcpy(&lo, &hit, 8);
        std::memcpy(&hi, reinterpret_cast<const unsigned char*>(&hit) + 8, 8);
        if (lo | hi)
            return i + (lo ? __builtin_ctzll(lo) / 8 : 8 + __builtin_ctzll(hi) / 8);
    }
#endif
    for (; i + 4 <= n; ++i)
        if (IdAt(data + i, id1) || IdAt(data + i, id2))
            return i;
    return kNoChunk;
}

uint64_t ScanForChunkId(CByteSource& source, const char* id1, const char* id2, uint64_t maxStart)
{
    const uint64_t size = source.Size();
    if (size < 4)
        return kNoChunk;
    // Bytes that can hold an identifier starting at or before maxStart.
    const uint64_t end = maxStart >= size - 4 ? size : maxStart + 4;

    if (const unsigned char* data = source.Data())
        return FindChunkId(data, static_cast<size_t>(end), id1, id2);

    // Blocks overlap by three bytes so an identifier across a block boundary is still seen.
    constexpr size_t kBlock = 1 << 20;
    std::vector<unsigned char> buffer(static_cast<size_t>(std::min<uint64_t>(end, kBlock + 3)));
    for (uint64_t offset = 0; offset + 4 <= end; offset += kBlock)
    {
        size_t want = static_cast<size_t>(std::min<uint64_t>(end - offset, kBlock + 3));
        size_t got = source.ReadAt(offset, buffer.data(), want);
        uint64_t hit = FindChunkId(buffer.data(), got, id1, id2);
        if (hit != kNoChunk)
            return offset + hit;
        if (got < want)
            break;
    }
    return kNoChunk;
}
