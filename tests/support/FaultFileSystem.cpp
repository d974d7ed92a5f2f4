// The fault-injecting file system: counts every call and fails the chosen one.
#include "support/FaultFileSystem.h"

#include "base/ByteSource.h"

#include <cerrno>

CFaultFileSystem::CFaultFileSystem(int nFailAt) : m_nFailAt(nFailAt), m_scope(FileSystemSlot(), this) {}

CFaultFileSystem::~CFaultFileSystem() = default;

bool CFaultFileSystem::Fault(const char* operation, int error)
{
    if (++m_nCalls != m_nFailAt)
        return false;
    m_strFailed = operation;
    SetLastError(error);
    return true;
}

int CFaultFileSystem::OpenRead(const std::filesystem::path& path)
{
    return Fault("OpenRead") ? -1 : Pass(m_real.OpenRead(path));
}

int CFaultFileSystem::OpenReadWrite(const std::filesystem::path& path)
{
    return Fault("OpenReadWrite") ? -1 : Pass(m_real.OpenReadWrite(path));
}

int CFaultFileSystem::Create(const std::filesystem::path& path, unsigned mode)
{
    return Fault("Create", ENOSPC) ? -1 : Pass(m_real.Create(path, mode));
}

int CFaultFileSystem::OpenStream(const std::filesystem::path& path)
{
    return Fault("OpenStream") ? -1 : Pass(m_real.OpenStream(path));
}

bool CFaultFileSystem::Stat(int handle, FILESTAT& stat)
{
    return !Fault("Stat") && Pass(m_real.Stat(handle, stat));
}

bool CFaultFileSystem::StatPath(const std::filesystem::path& path, FILESTAT& stat, bool bFollow)
{
    return !Fault("StatPath") && Pass(m_real.StatPath(path, stat, bFollow));
}

bool CFaultFileSystem::Chown(int handle, unsigned uid, unsigned gid)
{
    return !Fault("Chown", EPERM) && Pass(m_real.Chown(handle, uid, gid));
}

bool CFaultFileSystem::ReadAt(int handle, uint64_t offset, void* buf, size_t n, size_t& got)
{
    if (Fault("ReadAt"))
    {
        got = 0;
        return false;
    }
    return Pass(m_real.ReadAt(handle, offset, buf, n, got));
}

bool CFaultFileSystem::WriteAt(int handle, uint64_t offset, const void* buf, size_t n)
{
    if (Fault("WriteAt", ENOSPC))
    {
        // A short write: the first half reaches the file, then the disk is full.
        m_real.WriteAt(handle, offset, buf, n / 2);
        return false;
    }
    return Pass(m_real.WriteAt(handle, offset, buf, n));
}

bool CFaultFileSystem::Sync(int handle)
{
    return !Fault("Sync") && Pass(m_real.Sync(handle));
}

bool CFaultFileSystem::SetSize(int handle, uint64_t size)
{
    return !Fault("SetSize", ENOSPC) && Pass(m_real.SetSize(handle, size));
}

bool CFaultFileSystem::Close(int handle)
{
    // The handle is gone either way, as with a real close that reports an error.
    bool fail = Fault("Close");
    return Pass(m_real.Close(handle)) && !fail;
}

bool CFaultFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return !Fault("Rename") && Pass(m_real.Rename(from, to));
}

bool CFaultFileSystem::Remove(const std::filesystem::path& path)
{
    return !Fault("Remove") && Pass(m_real.Remove(path));
}

std::filesystem::path CFaultFileSystem::ResolveLinks(const std::filesystem::path& path)
{
    return Fault("ResolveLinks") ? path : m_real.ResolveLinks(path);
}

std::unique_ptr<CByteSource> CFaultFileSystem::OpenSource(const std::filesystem::path& path)
{
    return Fault("OpenSource") ? nullptr : Pass(m_real.OpenSource(path));
}
