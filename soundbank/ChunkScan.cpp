// The identifier scan. A vector step compares many start offsets at once against the first and the
// last byte of each identifier; the few offsets where both fit are compared in full. Sources
// that are not in memory are read in blocks into one buffer that stays in the processor's cache
// between the read and the scan.
#include "soundbank/ChunkScan.h"

#include "base/ByteSource.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ORVANE_SCAN_X86 1
#endif

namespace
{
// The identifiers of one search, each kept once.
struct IDSET
{
    size_t count = 0;
    uint32_t word[4] = {};
    unsigned char first[4] = {};
    unsigned char last[4] = {};
};

inline uint32_t Load32(const unsigned char* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

IDSET MakeIdSet(const char* const* ids, size_t count)
{
    IDSET set;
    for (size_t k = 0; k < count && k < 4; ++k)
    {
        const auto* id = reinterpret_cast<const unsigned char*>(ids[k]);
        uint32_t word = Load32(id);
        if (std::find(set.word, set.word + set.count, word) != set.word + set.count)
            continue;
        set.word[set.count] = word;
        set.first[set.count] = id[0];
        set.last[set.count] = id[3];
        ++set.count;
    }
    return set;
}

inline bool MatchesAt(const unsigned char* p, const IDSET& set)
{
    uint32_t v = Load32(p);
    for (size_t k = 0; k < set.count; ++k)
        if (v == set.word[k])
            return true;
    return false;
}

// Tests the start offsets from i on one at a time.
uint64_t FindFrom(const unsigned char* data, size_t i, size_t n, const IDSET& set)
{
    for (; i + 4 <= n; ++i)
        if (MatchesAt(data + i, set))
            return i;
    return kNoChunk;
}

// Full comparisons at the candidate offsets base + bit of a mask; the first that matches.
inline uint64_t VerifyCandidates(const unsigned char* data, size_t base, uint64_t bits, const IDSET& set)
{
    for (; bits; bits &= bits - 1)
    {
        size_t at = base + static_cast<size_t>(__builtin_ctzll(bits));
        if (MatchesAt(data + at, set))
            return at;
    }
    return kNoChunk;
}

#ifdef ORVANE_SCAN_X86
template <size_t N> uint64_t FindSse2(const unsigned char* data, size_t n, const IDSET& set)
{
    __m128i first[N], last[N];
    for (size_t k = 0; k < N; ++k)
    {
        first[k] = _mm_set1_epi8(static_cast<char>(set.first[k]));
        last[k] = _mm_set1_epi8(static_cast<char>(set.last[k]));
    }
    size_t i = 0;
    // A step tests the start offsets i .. i + 15, which reads bytes up to i + 18.
    for (; i + 19 <= n; i += 16)
    {
        __m128i x0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        __m128i x3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 3));
        __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(x0, first[0]), _mm_cmpeq_epi8(x3, last[0]));
        for (size_t k = 1; k < N; ++k)
            hit = _mm_or_si128(hit, _mm_and_si128(_mm_cmpeq_epi8(x0, first[k]), _mm_cmpeq_epi8(x3, last[k])));
        if (unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(hit)))
        {
            uint64_t at = VerifyCandidates(data, i, bits, set);
            if (at != kNoChunk)
                return at;
        }
    }
    return FindFrom(data, i, n, set);
}

template <size_t N>
__attribute__((target("avx2"))) inline __m256i CandidatesAvx2(const unsigned char* p, const __m256i* first,
                                                              const __m256i* last)
{
    __m256i x0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    __m256i x3 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 3));
    __m256i hit = _mm256_and_si256(_mm256_cmpeq_epi8(x0, first[0]), _mm256_cmpeq_epi8(x3, last[0]));
    for (size_t k = 1; k < N; ++k)
        hit = _mm256_or_si256(hit, _mm256_and_si256(_mm256_cmpeq_epi8(x0, first[k]), _mm256_cmpeq_epi8(x3, last[k])));
    return hit;
}

template <size_t N>
__attribute__((target("avx2"))) uint64_t FindAvx2(const unsigned char* data, size_t n, const IDSET& set)
{
    __m256i first[N], last[N];
    for (size_t k = 0; k < N; ++k)
    {
        first[k] = _mm256_set1_epi8(static_cast<char>(set.first[k]));
        last[k] = _mm256_set1_epi8(static_cast<char>(set.last[k]));
    }
    size_t i = 0;
    // A step tests the start offsets i .. i + 63, which reads bytes up to i + 66; the two halves
    // are tested for candidates together, as candidates are rare.
    for (; i + 67 <= n; i += 64)
    {
        __m256i a = CandidatesAvx2<N>(data + i, first, last);
        __m256i b = CandidatesAvx2<N>(data + i + 32, first, last);
        if (_mm256_testz_si256(_mm256_or_si256(a, b), _mm256_or_si256(a, b)))
            continue;
        uint64_t bits = static_cast<uint32_t>(_mm256_movemask_epi8(a)) |
                        static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(b))) << 32;
        uint64_t at = VerifyCandidates(data, i, bits, set);
        if (at != kNoChunk)
            return at;
    }
    for (; i + 35 <= n; i += 32)
    {
        uint64_t bits = static_cast<uint32_t>(_mm256_movemask_epi8(CandidatesAvx2<N>(data + i, first, last)));
        uint64_t at = VerifyCandidates(data, i, bits, set);
        if (at != kNoChunk)
            return at;
    }
    return FindFrom(data, i, n, set);
}

template <size_t N>
__attribute__((target("avx512f,avx512bw"))) uint64_t FindAvx512(const unsigned char* data, size_t n, const IDSET& set)
{
    __m512i first[N], last[N];
    for (size_t k = 0; k < N; ++k)
    {
        first[k] = _mm512_set1_epi8(static_cast<char>(set.first[k]));
        last[k] = _mm512_set1_epi8(static_cast<char>(set.last[k]));
    }
    size_t i = 0;
    // A step tests the start offsets i .. i + 63, which reads bytes up to i + 66; the compare
    // of the last bytes runs only where the first byte fits.
    for (; i + 67 <= n; i += 64)
    {
        __m512i x0 = _mm512_loadu_si512(data + i);
        __m512i x3 = _mm512_loadu_si512(data + i + 3);
        __mmask64 hit = _mm512_mask_cmpeq_epi8_mask(_mm512_cmpeq_epi8_mask(x0, first[0]), x3, last[0]);
        for (size_t k = 1; k < N; ++k)
            hit |= _mm512_mask_cmpeq_epi8_mask(_mm512_cmpeq_epi8_mask(x0, first[k]), x3, last[k]);
        if (hit)
        {
            uint64_t at = VerifyCandidates(data, i, hit, set);
            if (at != kNoChunk)
                return at;
        }
    }
    return FindFrom(data, i, n, set);
}
#endif

// Eight start offsets a step: the first and last bytes of each offset are tested in a 64-bit word
// (a zero byte of x ^ pattern marks a fit; the test may flag extra bytes but never misses one),
// and a step with a candidate is compared in full offset by offset.
uint64_t FindPortable(const unsigned char* data, size_t n, const IDSET& set)
{
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    auto zeroBytes = [](uint64_t x) { return (x - kOnes) & ~x & kHigh; };
    size_t i = 0;
    for (; i + 11 <= n; i += 8)
    {
        uint64_t x0, x3;
        std::memcpy(&x0, data + i, 8);
        std::memcpy(&x3, data + i + 3, 8);
        uint64_t candidates = 0;
        for (size_t k = 0; k < set.count; ++k)
            candidates |= zeroBytes(x0 ^ (kOnes * set.first[k])) & zeroBytes(x3 ^ (kOnes * set.last[k]));
        if (candidates)
        {
            uint64_t at = FindFrom(data, i, i + 11, set);
            if (at != kNoChunk)
                return at;
        }
    }
    return FindFrom(data, i, n, set);
}

using FINDFN = uint64_t (*)(const unsigned char* data, size_t n, const IDSET& set);

uint64_t FindInSet(SCANPATH path, const unsigned char* data, size_t n, const IDSET& set)
{
    if (set.count == 0)
        return kNoChunk;
#ifdef ORVANE_SCAN_X86
    // One instance of each vector search per number of identifiers, so their compares unroll.
    static const FINDFN kAvx512[] = {FindAvx512<1>, FindAvx512<2>, FindAvx512<3>, FindAvx512<4>};
    static const FINDFN kAvx2[] = {FindAvx2<1>, FindAvx2<2>, FindAvx2<3>, FindAvx2<4>};
    static const FINDFN kSse2[] = {FindSse2<1>, FindSse2<2>, FindSse2<3>, FindSse2<4>};
    switch (path)
    {
    case SCANPATH::Avx512:
        return kAvx512[set.count - 1](data, n, set);
    case SCANPATH::Avx2:
        return kAvx2[set.count - 1](data, n, set);
    case SCANPATH::Sse2:
        return kSse2[set.count - 1](data, n, set);
    case SCANPATH::Portable:
        break;
    }
#else
    (void)path;
#endif
    return FindPortable(data, n, set);
}
} // namespace

bool IsScanPathAvailable(SCANPATH path)
{
#ifdef ORVANE_SCAN_X86
    __builtin_cpu_init();
    if (path == SCANPATH::Avx512)
        return __builtin_cpu_supports("avx512bw");
    if (path == SCANPATH::Avx2)
        return __builtin_cpu_supports("avx2");
    return true;
#else
    return path == SCANPATH::Portable;
#endif
}

SCANPATH BestScanPath()
{
    static const SCANPATH best = []
    {
        for (SCANPATH path : {SCANPATH::Avx512, SCANPATH::Avx2, SCANPATH::Sse2})
            if (IsScanPathAvailable(path))
                return path;
        return SCANPATH::Portable;
    }();
    return best;
}

uint64_t FindAnyChunkId(SCANPATH path, const unsigned char* data, size_t n, const char* const* ids, size_t count)
{
    if (path != BestScanPath() && !IsScanPathAvailable(path))
        path = BestScanPath();
    return FindInSet(path, data, n, MakeIdSet(ids, count));
}

uint64_t FindChunkIdBytewise(const unsigned char* data, size_t n, const char* id1, const char* id2)
{
    for (size_t i = 0; i + 4 <= n; ++i)
        if (!std::memcmp(data + i, id1, 4) || !std::memcmp(data + i, id2, 4))
            return i;
    return kNoChunk;
}

uint64_t FindChunkId(const unsigned char* data, size_t n, const char* id1, const char* id2)
{
    const char* ids[] = {id1, id2};
    return FindAnyChunkId(BestScanPath(), data, n, ids, 2);
}

namespace
{
// One search over a source for one or two pairs; a pair's result is the first offset at which
// either of its identifiers begins.
class CPairSearch
{
public:
    CPairSearch(const CHUNKIDPAIR* pairs, size_t count) : m_pPairs(pairs), m_nCount(count) {}

    // Tests the start offsets 0 .. n - 4 of data, which begins at offset base of the source.
    // True once every pair has been found.
    bool Scan(const unsigned char* data, size_t n, uint64_t base)
    {
        size_t pos = 0;
        while (!Done())
        {
            const char* ids[4];
            size_t count = 0;
            for (size_t p = 0; p < m_nCount; ++p)
                if (m_found[p] == kNoChunk)
                {
                    ids[count++] = m_pPairs[p].id1;
                    ids[count++] = m_pPairs[p].id2;
                }
            uint64_t hit = pos < n ? FindAnyChunkId(m_path, data + pos, n - pos, ids, count) : kNoChunk;
            if (hit == kNoChunk)
                return false;
            size_t at = pos + static_cast<size_t>(hit);
            // Every pair still sought that begins here has its first offset here.
            for (size_t p = 0; p < m_nCount; ++p)
                if (m_found[p] == kNoChunk &&
                    (!std::memcmp(data + at, m_pPairs[p].id1, 4) || !std::memcmp(data + at, m_pPairs[p].id2, 4)))
                    m_found[p] = base + at;
            pos = at + 1;
        }
        return true;
    }

    bool Done() const
    {
        for (size_t p = 0; p < m_nCount; ++p)
            if (m_found[p] == kNoChunk)
                return false;
        return true;
    }
    uint64_t Found(size_t p) const { return m_found[p]; }

private:
    const CHUNKIDPAIR* m_pPairs;
    size_t m_nCount;
    uint64_t m_found[2] = {kNoChunk, kNoChunk};
    SCANPATH m_path = BestScanPath();
};

// Bytes read at a time from a source that is not in memory: large enough that the system calls
// cost nothing next to the copy, small enough that the block is still in the processor's cache
// when it is scanned.
constexpr size_t kBlock = size_t(256) << 10;

void RunSearch(CByteSource& source, CPairSearch& search, uint64_t maxStart)
{
    const uint64_t size = source.Size();
    if (size < 4)
        return;
    // Bytes that can hold an identifier starting at or before maxStart.
    const uint64_t end = maxStart >= size - 4 ? size : maxStart + 4;

    if (const unsigned char* data = source.Data())
    {
        search.Scan(data, static_cast<size_t>(end), 0);
        return;
    }
    // Blocks overlap by three bytes, so every start offset is tested exactly once, also where an
    // identifier runs across a block boundary.
    std::vector<unsigned char> buffer(static_cast<size_t>(std::min<uint64_t>(end, kBlock + 3)));
    for (uint64_t offset = 0; offset + 4 <= end; offset += kBlock)
    {
        size_t want = static_cast<size_t>(std::min<uint64_t>(end - offset, kBlock + 3));
        size_t got = source.ReadAt(offset, buffer.data(), want);
        if (search.Scan(buffer.data(), got, offset) || got < want)
            return;
    }
}
} // namespace

uint64_t ScanForChunkId(CByteSource& source, const char* id1, const char* id2, uint64_t maxStart)
{
    const CHUNKIDPAIR pair = {id1, id2};
    CPairSearch search(&pair, 1);
    RunSearch(source, search, maxStart);
    return search.Found(0);
}

CHUNKSTARTS ScanForChunkIds(CByteSource& source, const CHUNKIDPAIR& first, const CHUNKIDPAIR& second, uint64_t maxStart)
{
    const CHUNKIDPAIR pairs[] = {first, second};
    CPairSearch search(pairs, 2);
    RunSearch(source, search, maxStart);
    CHUNKSTARTS starts;
    starts.first = search.Found(0);
    starts.second = search.Found(1);
    return starts;
}
