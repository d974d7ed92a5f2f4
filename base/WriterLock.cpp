// Taking and giving up a writer's lock on a file.
#include "base/WriterLock.h"

#include <cerrno>
#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <utility>

namespace
{
// The files this program holds the writer's lock of, by device and inode, and the names they
// were locked by (known without looking at the file again).
std::set<std::pair<uint64_t, uint64_t>>& HeldFiles()
{
    static std::set<std::pair<uint64_t, uint64_t>> held;
    return held;
}
std::multiset<std::string>& HeldNames()
{
    static std::multiset<std::string> names;
    return names;
}
} // namespace

bool PathLeadsElsewhere(IFileSystem& fs, const std::filesystem::path& path, const FILESTAT& stat)
{
    FILESTAT now;
    if (!fs.StatPath(path, now))
        return fs.LastError() == ENOENT;
    return now.nDevice != stat.nDevice || now.nInode != stat.nInode;
}

bool CWriterLock::Acquire(const std::filesystem::path& path, int nWaitMs)
{
    Release();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(nWaitMs);
    for (;;)
    {
        m_nHandle = m_fs.OpenRead(path);
        if (m_nHandle < 0)
        {
            m_nError = m_fs.LastError() ? m_fs.LastError() : EIO;
            return false;
        }
        // Polled rather than waited on, so that a writer that never lets go is given up on.
        bool locked = m_fs.Lock(m_nHandle, false);
        while (!locked && (m_fs.LastError() == EWOULDBLOCK || m_fs.LastError() == EAGAIN) &&
               std::chrono::steady_clock::now() < deadline)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            locked = m_fs.Lock(m_nHandle, false);
        }
        if (!locked)
        {
            const int error = m_fs.LastError();
            Release();
            m_nError = error == EWOULDBLOCK || error == EAGAIN ? kErrBusy : (error ? error : EIO);
            return false;
        }
        // The writer before us may have renamed a new file over the name: that one is the bank now.
        if (m_fs.Stat(m_nHandle, m_held) && !PathLeadsElsewhere(m_fs, path, m_held))
        {
            m_bRegistered = HeldFiles().insert({m_held.nDevice, m_held.nInode}).second;
            if (m_bRegistered)
            {
                m_strName = path.lexically_normal().string();
                HeldNames().insert(m_strName);
            }
            return true;
        }
        Release();
        if (std::chrono::steady_clock::now() >= deadline)
        {
            m_nError = kErrBusy;
            return false;
        }
    }
}

bool CWriterLock::AcquireUnlessHeld(const std::filesystem::path& path, int nWaitMs)
{
    if (HeldNames().count(path.lexically_normal().string()))
        return true;
    FILESTAT now;
    if (m_fs.StatPath(path, now) && HeldFiles().count({now.nDevice, now.nInode}))
        return true;
    return Acquire(path, nWaitMs);
}

void CWriterLock::Release()
{
    if (m_nHandle < 0)
        return;
    if (m_bRegistered)
    {
        HeldFiles().erase({m_held.nDevice, m_held.nInode});
        HeldNames().erase(HeldNames().find(m_strName));
    }
    m_bRegistered = false;
    m_fs.Close(m_nHandle);
    m_nHandle = -1;
}
