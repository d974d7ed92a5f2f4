// Whole-file digests for the change journal: 64 bits from the XXH3 hashes of every 64 KiB block
// of a bank, fast enough to run at memory speed on every change, undo and redo.
#pragma once

#include "base/FileSystem.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Bytes of a bank that a change replaces: at nAt, strOld before and strNew after it.
struct JOURNALSPAN
{
    uint64_t nAt = 0;
    std::string strOld;
    std::string strNew;
};

// The digest of the size bytes of the open file; false (fs.LastError() says why) on a read
// error or when the file ends early.
bool DigestFile(IFileSystem& fs, int handle, uint64_t size, uint64_t& digest);
// The digest of the open file once every span's new bytes are written (after), reading only the
// blocks they touch; before is the digest of the file as it is, computed first unless known.
bool DigestChange(IFileSystem& fs, int handle, uint64_t size, const std::vector<JOURNALSPAN>& spans, bool bBeforeKnown,
                  uint64_t& before, uint64_t& after);
class CStreamDigest;

// The digests of a bank (Before) and of the file a repair makes of it (After: the 18 bytes at
// from moved to to and written as chunk, the bytes between moving 18 on), from the bank's bytes
// handed over in order.
class CRepairDigest
{
public:
    CRepairDigest(uint64_t to, uint64_t from, const std::string& chunk);
    ~CRepairDigest();
    CRepairDigest(const CRepairDigest&) = delete;
    CRepairDigest& operator=(const CRepairDigest&) = delete;

    // The next n bytes of the bank; bytes nullptr: n zero bytes.
    void Add(const unsigned char* bytes, size_t n);
    // The bytes handed over so far.
    uint64_t Size() const { return m_nAt; }
    uint64_t To() const { return m_nTo; }
    uint64_t From() const { return m_nFrom; }
    // Valid once the whole bank was handed over, which must hold the chunk's old place whole.
    bool Complete(uint64_t size) const;
    uint64_t Before() const;
    uint64_t After() const;

private:
    void Feed(const unsigned char* bytes, size_t n);

    uint64_t m_nTo, m_nFrom;
    std::string m_strChunk;
    uint64_t m_nAt = 0;
    std::unique_ptr<CStreamDigest> m_pBefore, m_pAfter;
    bool m_bChunkAdded = false;
};

// The digests of the open file (before, computed unless known) and of the file a repair makes of
// it (after), from one read of the file.
bool DigestRepair(IFileSystem& fs, int handle, uint64_t size, uint64_t to, uint64_t from, const std::string& chunk,
                  bool bBeforeKnown, uint64_t& before, uint64_t& after);
// The digest computed or told before for the file at path in the state stat describes.
bool CachedDigest(const std::filesystem::path& path, const FILESTAT& stat, uint64_t& digest);
// Opens path (links followed), gives its state and digest. With bCached, a digest computed before
// for a file of the same identity (device, inode, size, modification time) is reused: good enough
// to enable a menu, never to decide a write, since a change within one clock tick keeps all four.
bool DigestPath(IFileSystem& fs, const std::filesystem::path& path, FILESTAT& stat, uint64_t& digest,
                bool bCached = false);
// Tells the cache of DigestPath the digest of a file whose state is stat.
void RememberDigest(const std::filesystem::path& path, const FILESTAT& stat, uint64_t digest);
void ForgetDigests();

// 16 lowercase hexadecimal digits, and back (false for anything else).
std::string DigestText(uint64_t digest);
bool ParseDigestText(const std::string& text, uint64_t& digest);
