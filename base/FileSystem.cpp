// The real file system, the copy used for backups and the reasons given in messages.
#include "base/FileSystem.h"

#include "base/ByteSource.h"
#include "base/ReplaceFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

namespace
{
// Copy buffer for backups.
constexpr size_t kCopyBlock = 64 * 1024;
} // namespace

void ToFileStat(const struct stat& st, FILESTAT& stat)
{
    stat.bRegular = S_ISREG(st.st_mode);
    stat.bLink = S_ISLNK(st.st_mode);
    stat.nSize = stat.bRegular ? static_cast<uint64_t>(st.st_size) : 0;
    stat.nMode = static_cast<unsigned>(st.st_mode & 07777);
    stat.nUid = st.st_uid;
    stat.nGid = st.st_gid;
    stat.nDevice = st.st_dev;
    stat.nInode = st.st_ino;
    stat.nMtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

CSlot<IFileSystem>& FileSystemSlot()
{
    static CPosixFileSystem posix;
    static CSlot<IFileSystem> slot(posix);
    return slot;
}

std::string FileErrorText(int error)
{
    switch (error)
    {
    case 0: return "unknown error";
    case kErrNotRegular: return "not a regular file";
    case kErrChanged: return "the file was changed by another program; nothing was written";
    case kErrReadOnly: return "the file is read-only";
    case kErrShort: return "the file ended early";
    case kErrBusy: return "another program is changing the file; nothing was written";
    case kErrReplaced: return "the file was replaced while it was written";
    case kErrEmpty: return "the file is empty";
    case kErrTooLarge: return "the file would grow past its size limit; the old one was kept";
    default: return std::strerror(error);
    }
}

std::string FileErrorDetail(const std::filesystem::path& path, int error)
{
    return path.string() + ": " + FileErrorText(error);
}

int OpenRegularFile(const std::filesystem::path& path, bool bWrite)
{
    // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; it is dropped again
    // for the regular file that is accepted.
    int fd = ::open(path.c_str(), (bWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0)
    {
        int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    if (!S_ISREG(st.st_mode))
    {
        ::close(fd);
        errno = S_ISDIR(st.st_mode) ? EISDIR : kErrNotRegular;
        return -1;
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

template <class T> T CPosixFileSystem::Fail(T fallback)
{
    SetLastError(errno);
    return fallback;
}

int CPosixFileSystem::OpenRead(const std::filesystem::path& path)
{
    int fd = OpenRegularFile(path, false);
    return fd >= 0 ? fd : Fail(-1);
}

int CPosixFileSystem::OpenReadWrite(const std::filesystem::path& path)
{
    int fd = OpenRegularFile(path, true);
    return fd >= 0 ? fd : Fail(-1);
}

int CPosixFileSystem::Create(const std::filesystem::path& path, unsigned mode)
{
    int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, static_cast<mode_t>(mode & 07777));
    if (fd < 0)
        return Fail(-1);
    // The umask may have taken bits away; the new file gets exactly the bits asked for.
    ::fchmod(fd, static_cast<mode_t>(mode & 07777));
    return fd;
}

int CPosixFileSystem::OpenStream(const std::filesystem::path& path)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return Fail(-1);
    // A regular file is replaced, never written over in place; a directory cannot be opened so.
    struct stat st;
    int error = ::fstat(fd, &st) != 0 ? errno : S_ISREG(st.st_mode) ? EEXIST : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (error)
    {
        ::close(fd);
        errno = error;
        return Fail(-1);
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool CPosixFileSystem::Stat(int handle, FILESTAT& stat)
{
    struct stat st;
    if (::fstat(handle, &st) != 0)
        return Fail(false);
    ToFileStat(st, stat);
    return true;
}

bool CPosixFileSystem::StatPath(const std::filesystem::path& path, FILESTAT& stat, bool bFollow)
{
    struct stat st;
    if ((bFollow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0)
        return Fail(false);
    ToFileStat(st, stat);
    return true;
}

bool CPosixFileSystem::Chown(int handle, unsigned uid, unsigned gid)
{
    return ::fchown(handle, static_cast<uid_t>(uid), static_cast<gid_t>(gid)) == 0 || Fail(false);
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
            return Fail(false);
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
        const unsigned char* from = static_cast<const unsigned char*>(buf) + written;
        ssize_t done = ::pwrite(handle, from, n - written, static_cast<off_t>(offset + written));
        if (done < 0 && errno == ESPIPE)
            done = ::write(handle, from, n - written); // a pipe or terminal: written in order
        if (done < 0 && errno == EINTR)
            continue;
        if (done == 0)
            errno = ENOSPC;
        if (done <= 0)
            return Fail(false);
        written += static_cast<size_t>(done);
    }
    return true;
}

bool CPosixFileSystem::Sync(int handle)
{
    return ::fsync(handle) == 0 || Fail(false);
}

bool CPosixFileSystem::SetSize(int handle, uint64_t size)
{
    return ::ftruncate(handle, static_cast<off_t>(size)) == 0 || Fail(false);
}

uint64_t CPosixFileSystem::NextData(int handle, uint64_t offset)
{
    off_t at = ::lseek(handle, static_cast<off_t>(offset), SEEK_DATA);
    if (at >= 0)
        return static_cast<uint64_t>(at);
    // ENXIO: only a hole up to the end; other errors (no SEEK_DATA here): treat as data.
    if (errno == ENXIO)
    {
        struct stat st;
        if (::fstat(handle, &st) == 0)
            return std::max<uint64_t>(offset, static_cast<uint64_t>(st.st_size));
    }
    return offset;
}

uint64_t CPosixFileSystem::NextHole(int handle, uint64_t offset)
{
    off_t at = ::lseek(handle, static_cast<off_t>(offset), SEEK_HOLE);
    return at >= 0 ? static_cast<uint64_t>(at) : UINT64_MAX;
}

bool CPosixFileSystem::Lock(int handle, bool bWait)
{
    int result;
    do
        result = ::flock(handle, LOCK_EX | (bWait ? 0 : LOCK_NB));
    while (result != 0 && errno == EINTR);
    return result == 0 || Fail(false);
}

bool CPosixFileSystem::Close(int handle)
{
    return ::close(handle) == 0 || Fail(false);
}

bool CPosixFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0 || Fail(false);
}

bool CPosixFileSystem::Remove(const std::filesystem::path& path)
{
    return ::unlink(path.c_str()) == 0 || Fail(false);
}

std::filesystem::path CPosixFileSystem::ResolveLinks(const std::filesystem::path& path)
{
    std::error_code ec;
    std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved;
}

std::unique_ptr<CByteSource> CPosixFileSystem::OpenSource(const std::filesystem::path& path)
{
    std::unique_ptr<CByteSource> source = CFileSource::Open(path);
    if (!source)
        SetLastError(errno);
    return source;
}

bool ReadExactly(IFileSystem& fs, int handle, uint64_t offset, void* buf, size_t n)
{
    size_t got = 0;
    if (!fs.ReadAt(handle, offset, buf, n, got))
        return false;
    if (got != n)
        fs.SetLastError(kErrShort);
    return got == n;
}

int CopyFileReplacing(IFileSystem& fs, const std::filesystem::path& from, const std::filesystem::path& to)
{
    CFsHandle source(fs, fs.OpenRead(from));
    FILESTAT stat;
    if (!source.IsOpen() || !fs.Stat(source.Get(), stat))
        return 0;

    CReplacingFile target(fs, to);
    if (!target.Create(stat.nMode))
        return fs.SetLastError(target.Error()), 0;

    // Exactly the length found at the start is copied, holes as holes; a file that ends early
    // or cannot be read makes the copy fail rather than leave a short copy.
    std::vector<unsigned char> buffer(kCopyBlock);
    if (!CopySparseRange(fs, source.Get(), 0, stat.nSize, target, 0, buffer))
        return 0;
    if (!target.SetSize(stat.nSize))
        return fs.SetLastError(target.Error()), 0;
    if (!source.Close() || !target.Commit())
        return fs.SetLastError(target.Error() ? target.Error() : fs.LastError()), 0;
    return 1;
}

bool IsSameFile(IFileSystem& fs, const std::filesystem::path& a, const std::filesystem::path& b)
{
    FILESTAT sa, sb;
    return fs.StatPath(a, sa) && fs.StatPath(b, sb) && sa.nDevice == sb.nDevice && sa.nInode == sb.nInode;
}

int FindOverwrittenInput(IFileSystem& fs, const std::filesystem::path& output,
                         const std::vector<std::filesystem::path>& inputs)
{
    return FindFirstOverwrittenInput(fs, {output}, inputs).second;
}

std::pair<int, int> FindFirstOverwrittenInput(IFileSystem& fs, const std::vector<std::filesystem::path>& outputs,
                                              const std::vector<std::filesystem::path>& inputs)
{
    std::map<std::pair<uint64_t, uint64_t>, int> byIdentity;
    FILESTAT stat;
    for (size_t i = 0; i < inputs.size(); ++i)
        if (!inputs[i].empty() && fs.StatPath(inputs[i], stat))
            byIdentity.emplace(std::pair{stat.nDevice, stat.nInode}, static_cast<int>(i));
    for (size_t o = 0; o < outputs.size(); ++o)
        if (fs.StatPath(outputs[o], stat))
            if (auto it = byIdentity.find({stat.nDevice, stat.nInode}); it != byIdentity.end())
                return {static_cast<int>(o), it->second};
    return {-1, -1};
}

int WriteFileReplacing(IFileSystem& fs, const std::filesystem::path& to, const void* data, size_t n, unsigned mode)
{
    CReplacingFile target(fs, to);
    if (!target.Create(mode) || !target.Write(0, data, n) || !target.Commit())
        return fs.SetLastError(target.Error()), 0;
    return 1;
}
