// The temporary-file-and-rename replacement of a user's file.
#include "base/ReplaceFile.h"

#include "base/SignalGuard.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace
{
// How many unique names are tried before giving up.
constexpr int kUniqueTries = 64;
} // namespace

CReplacingFile::CReplacingFile(IFileSystem& fs, std::filesystem::path target, std::string suffix)
    : m_fs(fs), m_target(std::move(target)), m_strSuffix(std::move(suffix))
{
}

CReplacingFile::~CReplacingFile()
{
    if (m_nHandle >= 0)
        m_fs.Close(m_nHandle);
    if (!m_tempPath.empty() && !m_bCommitted && !m_bKeep)
        m_fs.Remove(m_tempPath);
    UnregisterTempFile(m_nCleanupSlot);
}

void CReplacingFile::Keep()
{
    m_bKeep = true;
    UnregisterTempFile(m_nCleanupSlot);
    m_nCleanupSlot = -1;
}

bool CReplacingFile::Failed(int error)
{
    m_nError = error ? error : EIO;
    return false;
}

bool CReplacingFile::CreateAt(const std::filesystem::path& path, unsigned mode)
{
    m_nHandle = m_fs.Create(path, mode);
    if (m_nHandle < 0)
        return false;
    // Held while the file is written, so that another writer can tell it from a stale one.
    m_fs.Lock(m_nHandle, false);
    m_tempPath = path;
    m_nCleanupSlot = RegisterTempFile(path.c_str());
    return true;
}

bool CReplacingFile::IsStale(const std::filesystem::path& path)
{
    CFsHandle other(m_fs, m_fs.OpenRead(path));
    return !other.IsOpen() || m_fs.Lock(other.Get(), false);
}

bool CReplacingFile::Create(unsigned mode, const FILESTAT* owner)
{
    std::filesystem::path named = m_target;
    named += m_strSuffix;

    // A stale file or link of ours is removed; anything else of that name (a FIFO, a
    // directory, the file another writer is writing now) is left alone and a unique name is
    // used instead, as it is when the name is too long for the file system.
    FILESTAT existing;
    bool taken = m_fs.StatPath(named, existing, false);
    const int lookError = taken ? 0 : m_fs.LastError();
    if (!taken && lookError != ENOENT && lookError != ENAMETOOLONG)
        return Failed(lookError); // the directory cannot even be looked into
    if (taken && (existing.bLink || (existing.bRegular && IsStale(named))))
        taken = !m_fs.Remove(named);
    if (lookError == ENAMETOOLONG || taken || !CreateAt(named, mode))
    {
        int error = lookError == ENAMETOOLONG ? ENAMETOOLONG : taken ? EEXIST : m_fs.LastError();
        if (error != EEXIST && error != ENAMETOOLONG)
            return Failed(error);
        const std::filesystem::path dir = m_target.parent_path();
        for (int i = 0; i < kUniqueTries && m_nHandle < 0; ++i)
        {
            std::filesystem::path unique =
                dir / (".orvane-" + std::to_string(::getpid()) + "-" + std::to_string(i) + ".tmp");
            if (!CreateAt(unique, mode) && m_fs.LastError() != EEXIST)
                return Failed(m_fs.LastError());
        }
        if (m_nHandle < 0)
            return Failed(EEXIST);
    }
    if (owner)
        m_fs.Chown(m_nHandle, owner->nUid, owner->nGid); // best effort: only root may give files away
    return true;
}

bool CReplacingFile::Write(uint64_t offset, const void* data, size_t n)
{
    if (m_nHandle < 0)
        return Failed(EBADF);
    return m_fs.WriteAt(m_nHandle, offset, data, n) || Failed(m_fs.LastError());
}

bool CReplacingFile::SetSize(uint64_t size)
{
    if (m_nHandle < 0)
        return Failed(EBADF);
    return m_fs.SetSize(m_nHandle, size) || Failed(m_fs.LastError());
}

bool CReplacingFile::Finish()
{
    if (m_bFinished)
        return true;
    if (m_nHandle < 0)
        return Failed(EBADF);
    bool ok = !m_bFlush || m_fs.Sync(m_nHandle) || Failed(m_fs.LastError());
    int handle = m_nHandle;
    m_nHandle = -1;
    ok = (m_fs.Close(handle) || Failed(m_fs.LastError())) && ok;
    m_bFinished = ok;
    return ok;
}

bool CReplacingFile::Commit(const FILESTAT* expected)
{
    if (!Finish())
        return false;
    if (expected)
    {
        FILESTAT now;
        if (!m_fs.StatPath(m_target, now) || !now.SameFileAs(*expected))
            return Failed(kErrChanged);
    }
    if (!m_fs.Rename(m_tempPath, m_target))
        return Failed(m_fs.LastError());
    m_bCommitted = true;
    UnregisterTempFile(m_nCleanupSlot);
    m_nCleanupSlot = -1;
    return true;
}

bool CopySparseRange(IFileSystem& fs, int source, uint64_t from, uint64_t to, CReplacingFile& target, uint64_t at,
                     std::vector<unsigned char>& buffer, const CopyObserver& seen)
{
    while (from < to)
    {
        const uint64_t data = std::min(fs.NextData(source, from), to);
        if (seen && data > from)
            seen(nullptr, static_cast<size_t>(data - from));
        at += data - from;
        from = data;
        if (from >= to)
            break;
        const uint64_t hole = std::max(fs.NextHole(source, from), from + 1);
        const size_t n = static_cast<size_t>(std::min<uint64_t>({buffer.size(), to - from, hole - from}));
        if (!ReadExactly(fs, source, from, buffer.data(), n))
            return false;
        if (seen)
            seen(buffer.data(), n);
        if (!target.Write(at, buffer.data(), n))
            return fs.SetLastError(target.Error()), false;
        from += n;
        at += n;
    }
    return true;
}
