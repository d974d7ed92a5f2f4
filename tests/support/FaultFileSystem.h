// A file system for tests that works on the real files but makes one chosen operation fail,
// the way a full disk or a failing device would: an open or create that is refused, a short
// write (part of the bytes land, then "no space"), a read or flush error, a close that reports
// an error, a rename that does not happen. It installs itself for its lifetime.
#pragma once

#include "base/FileSystem.h"

#include <cerrno>
#include <set>
#include <string>

class CFaultFileSystem : public IFileSystem
{
  public:
    // Fails the call with number nFailAt (1 = the first call of any operation); 0 fails none.
    explicit CFaultFileSystem(int nFailAt = 0);
    ~CFaultFileSystem() override;
    CFaultFileSystem(const CFaultFileSystem&) = delete;
    CFaultFileSystem& operator=(const CFaultFileSystem&) = delete;

    int OpenRead(const std::filesystem::path& path) override;
    int OpenReadWrite(const std::filesystem::path& path) override;
    int Create(const std::filesystem::path& path, unsigned mode) override;
    int OpenStream(const std::filesystem::path& path) override;
    bool Stat(int handle, FILESTAT& stat) override;
    bool StatPath(const std::filesystem::path& path, FILESTAT& stat, bool bFollow = true) override;
    bool Chown(int handle, unsigned uid, unsigned gid) override;
    bool ReadAt(int handle, uint64_t offset, void* buf, size_t n, size_t& got) override;
    bool WriteAt(int handle, uint64_t offset, const void* buf, size_t n) override;
    bool Sync(int handle) override;
    bool SetSize(int handle, uint64_t size) override;
    uint64_t NextData(int handle, uint64_t offset) override { return m_real.NextData(handle, offset); }
    uint64_t NextHole(int handle, uint64_t offset) override { return m_real.NextHole(handle, offset); }
    bool Lock(int handle, bool bWait) override { return Pass(m_real.Lock(handle, bWait)); }
    bool Close(int handle) override;
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    bool Remove(const std::filesystem::path& path) override;
    std::filesystem::path ResolveLinks(const std::filesystem::path& path) override;
    std::unique_ptr<CByteSource> OpenSource(const std::filesystem::path& path) override;

    // Whether the chosen call happened, and which operation it was ("WriteAt", ...).
    bool Failed() const { return !m_strFailed.empty(); }
    const std::string& FailedOperation() const { return m_strFailed; }
    int Calls() const { return m_nCalls; }

  private:
      // Counts the call; true when this is the one to fail (its error number then set).
      bool Fault(const char* operation, int error = EIO);
      // The real call's result, with its error number passed on.
      template <class T> T Pass(T result)
      {
          SetLastError(m_real.LastError());
          return result;
      }

    CPosixFileSystem m_real;
    int m_nFailAt;
    int m_nCalls = 0;
    std::string m_strFailed;
    CSlot<IFileSystem>::CScope m_scope;
};
