// Whole-file XXH3 digests, streamed through one buffer so memory does not grow with the bank.
#include "journal/FileDigest.h"

#include <xxhash.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace
{
// Small enough that undoing a repair needs no more memory than the repair itself.
constexpr size_t kDigestBlock = 64 * 1024;

struct XXH3Deleter
{
    void operator()(XXH3_state_t* state) const { XXH3_freeState(state); }
};
using XXH3Ptr = std::unique_ptr<XXH3_state_t, XXH3Deleter>;

XXH3Ptr NewState()
{
    XXH3Ptr state(XXH3_createState());
    if (state)
        XXH3_64bits_reset(state.get());
    return state;
}

// Reads the file block by block and hands each block to visit(offset, bytes, count).
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
        visit(at, buffer.data(), step);
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

bool DigestFile(IFileSystem& fs, int handle, uint64_t size, uint64_t& digest)
{
    XXH3Ptr state = NewState();
    if (!state)
        return fs.SetLastError(ENOMEM), false;
    if (!ReadBlocks(fs, handle, size,
                    [&](uint64_t, const unsigned char* p, size_t n) { XXH3_64bits_update(state.get(), p, n); }))
        return false;
    digest = XXH3_64bits_digest(state.get());
    return true;
}

bool DigestFileWithSpans(IFileSystem& fs, int handle, uint64_t size, const std::vector<JOURNALSPAN>& spans,
                         uint64_t& before, uint64_t& after)
{
    XXH3Ptr old = NewState(), updated = NewState();
    if (!old || !updated)
        return fs.SetLastError(ENOMEM), false;
    // The after digest takes the unchanged bytes from the block and the new bytes of the spans
    // (sorted by position, never overlapping) where they lie.
    std::vector<const JOURNALSPAN*> sorted;
    for (const JOURNALSPAN& span : spans)
        sorted.push_back(&span);
    std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->nAt < b->nAt; });
    size_t next = 0;
    auto visit = [&](uint64_t at, const unsigned char* p, size_t n)
    {
        XXH3_64bits_update(old.get(), p, n);
        uint64_t pos = at;
        const uint64_t end = at + n;
        while (pos < end)
        {
            while (next < sorted.size() && sorted[next]->nAt + sorted[next]->strNew.size() <= pos)
                ++next;
            if (next == sorted.size() || sorted[next]->nAt >= end)
            {
                XXH3_64bits_update(updated.get(), p + (pos - at), static_cast<size_t>(end - pos));
                break;
            }
            const JOURNALSPAN& span = *sorted[next];
            if (span.nAt > pos)
            {
                XXH3_64bits_update(updated.get(), p + (pos - at), static_cast<size_t>(span.nAt - pos));
                pos = span.nAt;
            }
            const uint64_t stop = std::min<uint64_t>(end, span.nAt + span.strNew.size());
            XXH3_64bits_update(updated.get(), span.strNew.data() + (pos - span.nAt), static_cast<size_t>(stop - pos));
            pos = stop;
        }
    };
    if (!ReadBlocks(fs, handle, size, visit))
        return false;
    before = XXH3_64bits_digest(old.get());
    after = XXH3_64bits_digest(updated.get());
    return true;
}

bool DigestPath(IFileSystem& fs, const std::filesystem::path& path, FILESTAT& stat, uint64_t& digest, bool bCached)
{
    CFsHandle file(fs, fs.OpenRead(path));
    if (!file.IsOpen() || !fs.Stat(file.Get(), stat))
        return false;
    if (bCached)
    {
        std::lock_guard<std::mutex> guard(g_cacheLock);
        auto it = Cache().find(path.string());
        if (it != Cache().end() && it->second.stat.SameFileAs(stat))
        {
            digest = it->second.nDigest;
            return true;
        }
    }
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
