// Taking and giving up a writer's lock on a file.
#include "base/WriterLock.h"

#include <cerrno>
#include <chrono>
#include <thread>

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
        FILESTAT held;
        if (m_fs.Stat(m_nHandle, held) && !PathLeadsElsewhere(m_fs, path, held))
            return true;
        Release();
        if (std::chrono::steady_clock::now() >= deadline)
        {
            m_nError = kErrBusy;
            return false;
        }
    }
}

void CWriterLock::Release()
{
    if (m_nHandle >= 0)
        m_fs.Close(m_nHandle);
    m_nHandle = -1;
}
