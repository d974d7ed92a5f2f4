// The real file system and the copy used for backups.
#include "base/FileSystem.h"

#include "base/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace
{
// Copy buffer for backups.
constexpr size_t kCopyBlock = 64 * 1024;
} // namespace

CSlot<IFileSystem>& FileSystemSlot()
{
    static CPosixFileSystem posix;
    static CSlot<IFileSystem> slot(posix);
    return slot;
}

int CPosixFileSystem::OpenRead(const std::filesystem::path& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)))
    {
        ::close(fd);
        return -1;
    }
    return fd;
}

int CPosixFileSystem::OpenReadWrite(const std::filesystem::path& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)))
    {
        ::close(fd);
        return -1;
    }
    return fd;
}

int CPosixFileSystem::Create(const std::filesystem::path& path, unsigned mode)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, static_cast<mode_t>(mode & 07777));
}

bool CPosixFileSystem::Stat(int handle, FILESTAT& stat)
{
    struct stat st;
    if (::fstat(handle, &st) != 0)
        return false;
    stat.nSize = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
    stat.nMode = static_cast<unsigned>(st.st_mode & 07777);
    return true;
}

bool CPosixFileSystem::ReadAt(int handle, uint64_t offset, void* buf, size_t n, size_t& got)
{
    got = 0;
    while (got < n)
    {
        ssize_t done = ::pread(handle, static_cast<unsigned char*>(buf) + got, n - got,
                               static_cast<off_t>(offset + got));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return false;
        if (done == 0)
            break;
        got += static_cast<size_t>(done);
    }
    return true;
}

bool CPosixFileSystem::WriteAt(int handle, uint64_t offset, const void* buf, size_t n)
{
    size_t written = 0;
    while (written < n)
    {
        ssize_t done = ::pwrite(handle, static_cast<const unsigned char*>(buf) + written, n - written,
                                static_cast<off_t>(offset + written));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        written += static_cast<size_t>(done);
    }
    return true;
}

bool CPosixFileSystem::Sync(int handle)
{
    return ::fsync(handle) == 0;
}

bool CPosixFileSystem::Close(int handle)
{
    return ::close(handle) == 0;
}

bool CPosixFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool CPosixFileSystem::Remove(const std::filesystem::path& path)
{
    return ::unlink(path.c_str()) == 0;
}

std::unique_ptr<CByteSource> CPosixFileSystem::OpenSource(const std::filesystem::path& path)
{
    return CFileSource::Open(path);
}

bool ReadExactly(IFileSystem& fs, int handle, uint64_t offset, void* buf, size_t n)
{
    size_t got = 0;
    return fs.ReadAt(handle, offset, buf, n, got) && got == n;
}

int CopyFileReplacing(IFileSystem& fs, const std::filesystem::path& from, const std::filesystem::path& to)
{
    CFsHandle source(fs, fs.OpenRead(from));
    FILESTAT stat;
    if (!source.IsOpen() || !fs.Stat(source.Get(), stat))
        return 0;

    std::filesystem::path temp = to;
    temp += ".new";
    CFsHandle target(fs, fs.Create(temp, stat.nMode));
    if (!target.IsOpen())
        return 0;

    // Exactly the length found at the start is copied; a file that ends early or cannot be
    // read makes the copy fail rather than leave a short backup.
    bool ok = true;
    std::vector<unsigned char> buffer(kCopyBlock);
    for (uint64_t offset = 0; ok && offset < stat.nSize;)
    {
        size_t want = static_cast<size_t>(std::min<uint64_t>(kCopyBlock, stat.nSize - offset));
        ok = ReadExactly(fs, source.Get(), offset, buffer.data(), want) &&
             fs.WriteAt(target.Get(), offset, buffer.data(), want);
        offset += want;
    }
    ok = ok && fs.Sync(target.Get());
    ok = target.Close() && ok;
    ok = source.Close() && ok;
    ok = ok && fs.Rename(temp, to);
    if (!ok)
    {
        fs.Remove(temp);
        return 0;
    }
    return 1;
}
