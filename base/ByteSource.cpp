// Byte sources over memory and over regular files.
#include "base/ByteSource.h"

#include "base/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

size_t CByteSource::ReadZeroFilled(uint64_t offset, void* buf, size_t n)
{
    size_t got = ReadAt(offset, buf, n);
    if (got < n)
        std::memset(static_cast<unsigned char*>(buf) + got, 0, n - got);
    return got;
}

size_t CMemorySource::ReadAt(uint64_t offset, void* buf, size_t n)
{
    if (offset >= m_nSize)
        return 0;
    size_t count = static_cast<size_t>(std::min<uint64_t>(n, m_nSize - offset));
    std::memcpy(buf, m_pData + offset, count);
    return count;
}

std::unique_ptr<CFileSource> CFileSource::Open(const std::filesystem::path& path)
{
    int fd = OpenRegularFile(path, false);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0)
    {
        int error = errno;
        ::close(fd);
        errno = error;
        return nullptr;
    }
    // Banks are read front to back (the chunk scan, then short lists): a larger read-ahead helps
    // when the file is not in the page cache yet. Only a hint; its failure changes nothing.
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    std::unique_ptr<CFileSource> source(new CFileSource(fd, static_cast<uint64_t>(st.st_size)));
    ToFileStat(st, source->m_stat);
    return source;
}

CFileSource::~CFileSource()
{
    ::close(m_fd);
}

size_t CFileSource::ReadDirect(uint64_t offset, void* buf, size_t n)
{
    size_t done = 0;
    while (done < n)
    {
        ssize_t got = ::pread(m_fd, static_cast<unsigned char*>(buf) + done, n - done,
                              static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // end of file or a read error: both end the data here
        done += static_cast<size_t>(got);
    }
    return done;
}

size_t CFileSource::ReadAt(uint64_t offset, void* buf, size_t n)
{
    if (offset >= m_nSize || n == 0)
        return 0;
    n = static_cast<size_t>(std::min<uint64_t>(n, m_nSize - offset));
    if (n >= kCacheSize)
        return ReadDirect(offset, buf, n);

    if (offset < m_nCacheOffset || offset + n > m_nCacheOffset + m_nCacheLength)
    {
        m_cache.resize(kCacheSize);
        m_nCacheOffset = offset;
        m_nCacheLength = ReadDirect(offset, m_cache.data(), kCacheSize);
    }
    size_t available = static_cast<size_t>(
        std::min<uint64_t>(n, m_nCacheOffset + m_nCacheLength > offset ? m_nCacheOffset + m_nCacheLength - offset : 0));
    std::memcpy(buf, m_cache.data() + (offset - m_nCacheOffset), available);
    return available;
}
