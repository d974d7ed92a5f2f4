// Whole-file digests from XXH3 hashes of blocks, read through one buffer so memory does not grow
// with the bank.
#include "journal/FileDigest.h"

#include <xxhash.h>
#if defined(__x86_64__)
// The library picks the widest vector unit the processor has (AVX2 where there is one) at run
// time: the same hashes, nearly twice as fast as its SSE2 build.
#include <xxh_x86dispatch.h>
#endif

#include <set>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace
{
// Small enough that undoing a repair needs no more memory than the repair itself.
constexpr size_t kDigestBlock = 64 * 1024;

// The digest is the sum of the XXH3 hashes of the file's 64 KiB blocks, each seeded with its
// number, and of its size: a change of a few bytes changes it by what their blocks' hashes
// change, so the digest after a write-back needs only the blocks it touches.
uint64_t BlockHash(const unsigned char* p, size_t n, uint64_t index)
{
    return XXH3_64bits_withSeed(p, n, index + 1);
}

uint64_t SizeHash(uint64_t size)
{
    return XXH3_64bits_withSeed(nullptr, 0, size);
}

// Reads the file block by block and hands each block to visit(index, bytes, count).
template <class Visit> bool ReadBlocks(IFileSystem& fs, int handle, uint64_t size, Visit visit)
{
    std::vector<unsigned char> buffer(static_cast<size_t>(std::min<uint64_t>(size, kDigestBlock)));
    for (uint64_t at = 0; at < size;)
    {
        size_t step = static_cast<size_t>(std::min<uint64_t>(buffer.size(), size - at));
        if (!ReadExactly(fs, handle, at, buffer.data(), step))
        {
            if (!fs.LastError())
                fs.SetLastError(kErrShort);
            return false;
        }
        visit(at / kDigestBlock, buffer.data(), step);
        at += step;
    }
    return true;
}

struct CACHEDDIGEST
{
    FILESTAT stat;
    uint64_t nDigest;
};
std::mutex g_cacheLock;
std::map<std::string, CACHEDDIGEST>& Cache()
{
    static std::map<std::string, CACHEDDIGEST> cache;
    return cache;
}
} // namespace

// The digest of bytes handed over in pieces of any length, as DigestFile gives it for a file
// holding them.
class CStreamDigest
{
public:
    CStreamDigest() : m_state(XXH3_createState(), XXH3_freeState) {}
    bool IsReady() const { return m_state != nullptr; }

    void Add(const unsigned char* p, size_t n)
    {
        while (m_state && n > 0)
        {
            if (m_nFill == 0)
                XXH3_64bits_reset_withSeed(m_state.get(), m_nSize / kDigestBlock + 1);
            const size_t step = std::min(n, kDigestBlock - m_nFill);
            XXH3_64bits_update(m_state.get(), p, step);
            p += step, n -= step, m_nFill += step, m_nSize += step;
            if (m_nFill == kDigestBlock)
            {
                m_nSum += XXH3_64bits_digest(m_state.get());
                m_nFill = 0;
            }
        }
    }
    uint64_t Digest() const
    {
        return m_nSum + (m_nFill && m_state ? XXH3_64bits_digest(m_state.get()) : 0) + SizeHash(m_nSize);
    }

private:
    std::unique_ptr<XXH3_state_t, XXH_errorcode (*)(XXH3_state_t*)> m_state;
    size_t m_nFill = 0;
    uint64_t m_nSize = 0;
    uint64_t m_nSum = 0;
};

bool DigestFile(IFileSystem& fs, int handle, uint64_t size, uint64_t& digest)
{
    uint64_t sum = SizeHash(size);
    if (!ReadBlocks(fs, handle, size,
                    [&](uint64_t index, const unsigned char* p, size_t n) { sum += BlockHash(p, n, index); }))
        return false;
    digest = sum;
    return true;
}

bool DigestChange(IFileSystem& fs, int handle, uint64_t size, const std::vector<JOURNALSPAN>& spans, bool bBeforeKnown,
                  uint64_t& before, uint64_t& after)
{
    if (!bBeforeKnown && !DigestFile(fs, handle, size, before))
        return false;
    std::set<uint64_t> blocks;
    for (const JOURNALSPAN& span : spans)
        for (uint64_t at = span.nAt; at < span.nAt + span.strNew.size(); at = (at / kDigestBlock + 1) * kDigestBlock)
            blocks.insert(at / kDigestBlock);
    after = before;
    std::vector<unsigned char> block;
    for (uint64_t index : blocks)
    {
        const uint64_t start = index * kDigestBlock;
        if (start >= size)
            return fs.SetLastError(kErrShort), false;
        block.resize(static_cast<size_t>(std::min<uint64_t>(kDigestBlock, size - start)));
        if (!ReadExactly(fs, handle, start, block.data(), block.size()))
            return fs.SetLastError(fs.LastError() ? fs.LastError() : kErrShort), false;
        after -= BlockHash(block.data(), block.size(), index);
        for (const JOURNALSPAN& span : spans)
        {
            const uint64_t from = std::max(span.nAt, start);
            const uint64_t to = std::min<uint64_t>(span.nAt + span.strNew.size(), start + block.size());
            if (from < to)
                std::memcpy(block.data() + (from - start), span.strNew.data() + (from - span.nAt),
                            static_cast<size_t>(to - from));
        }
        after += BlockHash(block.data(), block.size(), index);
    }
    return true;
}

CRepairDigest::CRepairDigest(uint64_t to, uint64_t from, const std::string& chunk)
    : m_nTo(to), m_nFrom(from), m_strChunk(chunk), m_pBefore(std::make_unique<CStreamDigest>()),
      m_pAfter(std::make_unique<CStreamDigest>())
{
}

CRepairDigest::~CRepairDigest() = default;

void CRepairDigest::Add(const unsigned char* bytes, size_t n)
{
    static const unsigned char kZeros[4096] = {};
    while (bytes == nullptr && n > sizeof kZeros)
    {
        Feed(kZeros, sizeof kZeros);
        n -= sizeof kZeros;
    }
    Feed(bytes ? bytes : kZeros, n);
}

void CRepairDigest::Feed(const unsigned char* bytes, size_t n)
{
    m_pBefore->Add(bytes, n);
    // These bytes' share of the repaired file, in its order: the chunk goes in at m_nTo, its old
    // place is left out.
    const uint64_t start = m_nAt, end = m_nAt + n;
    auto add = [&](uint64_t a, uint64_t b)
    {
        a = std::max(a, start), b = std::min(b, end);
        if (a < b)
            m_pAfter->Add(bytes + (a - start), static_cast<size_t>(b - a));
    };
    add(0, m_nTo);
    if (!m_bChunkAdded && end >= m_nTo)
    {
        m_pAfter->Add(reinterpret_cast<const unsigned char*>(m_strChunk.data()), m_strChunk.size());
        m_bChunkAdded = true;
    }
    add(m_nTo, m_nFrom);
    add(m_nFrom + 18, UINT64_MAX);
    m_nAt = end;
}

bool CRepairDigest::Complete(uint64_t size) const
{
    return m_pBefore->IsReady() && m_pAfter->IsReady() && m_strChunk.size() == 18 && m_nTo <= m_nFrom &&
           m_nFrom <= size && size - m_nFrom >= 18 && m_nAt == size;
}

uint64_t CRepairDigest::Before() const
{
    return m_pBefore->Digest();
}

uint64_t CRepairDigest::After() const
{
    return m_pAfter->Digest();
}

bool DigestRepair(IFileSystem& fs, int handle, uint64_t size, uint64_t to, uint64_t from, const std::string& chunk,
                  bool bBeforeKnown, uint64_t& before, uint64_t& after)
{
    CRepairDigest digest(to, from, chunk);
    if (!ReadBlocks(fs, handle, size, [&](uint64_t, const unsigned char* p, size_t n) { digest.Add(p, n); }))
        return false;
    if (!digest.Complete(size))
        return fs.SetLastError(kErrShort), false;
    if (!bBeforeKnown)
        before = digest.Before();
    after = digest.After();
    return true;
}

bool CachedDigest(const std::filesystem::path& path, const FILESTAT& stat, uint64_t& digest)
{
    std::lock_guard<std::mutex> guard(g_cacheLock);
    auto it = Cache().find(path.string());
    if (it == Cache().end() || !it->second.stat.SameFileAs(stat))
        return false;
    digest = it->second.nDigest;
    return true;
}

bool DigestPath(IFileSystem& fs, const std::filesystem::path& path, FILESTAT& stat, uint64_t& digest, bool bCached)
{
    CFsHandle file(fs, fs.OpenRead(path));
    if (!file.IsOpen() || !fs.Stat(file.Get(), stat))
        return false;
    if (bCached && CachedDigest(path, stat, digest))
        return true;
    if (!DigestFile(fs, file.Get(), stat.nSize, digest))
        return false;
    RememberDigest(path, stat, digest);
    return true;
}

void RememberDigest(const std::filesystem::path& path, const FILESTAT& stat, uint64_t digest)
{
    std::lock_guard<std::mutex> guard(g_cacheLock);
    std::map<std::string, CACHEDDIGEST>& cache = Cache();
    // A handful of banks are open at a time; an old entry costs nothing but memory.
    if (cache.size() >= 64)
        cache.clear();
    cache[path.string()] = CACHEDDIGEST{stat, digest};
}

void ForgetDigests()
{
    std::lock_guard<std::mutex> guard(g_cacheLock);
    Cache().clear();
}

std::string DigestText(uint64_t digest)
{
    static const char kHex[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, digest >>= 4)
        text[static_cast<size_t>(i)] = kHex[digest & 15];
    return text;
}

bool ParseDigestText(const std::string& text, uint64_t& digest)
{
    if (text.size() != 16 || text.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    digest = std::stoull(text, nullptr, 16);
    return true;
}
