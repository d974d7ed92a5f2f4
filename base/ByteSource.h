// Bounds-checked random access to a bank's bytes: a file on disk or a buffer in memory.
// A read past the end yields fewer bytes (or none), never memory outside the data.
#pragma once

#include "base/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

class CByteSource
{
public:
    virtual ~CByteSource() = default;

    virtual uint64_t Size() const = 0;
    // Copies up to n bytes starting at offset into buf; returns how many were copied.
    virtual size_t ReadAt(uint64_t offset, void* buf, size_t n) = 0;
    // The whole content when it already sits in memory, else nullptr.
    virtual const unsigned char* Data() const { return nullptr; }
    // Which file the bytes come from, as it was when opened; false for bytes of no file.
    virtual bool GetFileStat(FILESTAT& stat) const
    {
        (void)stat;
        return false;
    }

    // Like ReadAt, but fills the bytes past the end with zeros; returns how many were real.
    size_t ReadZeroFilled(uint64_t offset, void* buf, size_t n);
};

class CMemorySource : public CByteSource
{
public:
    CMemorySource(const unsigned char* data, size_t size) : m_pData(data), m_nSize(size) {}
    explicit CMemorySource(const std::vector<unsigned char>& bytes) : CMemorySource(bytes.data(), bytes.size()) {}

    uint64_t Size() const override { return m_nSize; }
    size_t ReadAt(uint64_t offset, void* buf, size_t n) override;
    const unsigned char* Data() const override { return m_pData; }

private:
    const unsigned char* m_pData;
    size_t m_nSize;
};

// A regular file opened for reading, with the kernel told it is read sequentially. Small reads are
// served from a block cache so that walking an entry list six bytes at a time costs no system
// call per entry; large reads go straight into the caller's buffer.
class CFileSource : public CByteSource
{
public:
    // nullptr (errno set) when the path cannot be opened for reading or is no regular file; a
    // FIFO or device is refused at once, never waited on.
    static std::unique_ptr<CFileSource> Open(const std::filesystem::path& path);
    ~CFileSource() override;

    uint64_t Size() const override { return m_nSize; }
    size_t ReadAt(uint64_t offset, void* buf, size_t n) override;
    bool GetFileStat(FILESTAT& stat) const override
    {
        stat = m_stat;
        return true;
    }

private:
    CFileSource(int fd, uint64_t size) : m_fd(fd), m_nSize(size) {}
    size_t ReadDirect(uint64_t offset, void* buf, size_t n);

    static constexpr size_t kCacheSize = 64 * 1024;
    int m_fd;
    uint64_t m_nSize;
    FILESTAT m_stat;
    std::vector<unsigned char> m_cache;
    uint64_t m_nCacheOffset = 0;
    size_t m_nCacheLength = 0;
};
