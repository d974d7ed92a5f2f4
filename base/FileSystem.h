// The file operations that read or change a user's bank file. Everything that rewrites a bank
// (repair, backup copy, write-back) goes through one IFileSystem, so that tests can make any
// single operation fail and a fuzzer can work on files held in memory.
#pragma once

#include "base/Slot.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

class CByteSource;

struct FILESTAT
{
    uint64_t nSize = 0;
    unsigned nMode = 0644; // permission bits
};

class IFileSystem
{
  public:
    virtual ~IFileSystem() = default;

    // Handles are small non-negative numbers; -1 means the open failed.
    virtual int OpenRead(const std::filesystem::path& path) = 0;
    // An existing regular file, for reading and writing; never created or truncated.
    virtual int OpenReadWrite(const std::filesystem::path& path) = 0;
    // Creates the file or truncates an existing one, for writing, with the given permission bits.
    virtual int Create(const std::filesystem::path& path, unsigned mode) = 0;

    virtual bool Stat(int handle, FILESTAT& stat) = 0;
    // Reads up to n bytes at offset; got < n only at the end of the file. false on a read error.
    virtual bool ReadAt(int handle, uint64_t offset, void* buf, size_t n, size_t& got) = 0;
    // Writes all n bytes at offset; false when any of them could not be written.
    virtual bool WriteAt(int handle, uint64_t offset, const void* buf, size_t n) = 0;
    // Forces the written data to the disk.
    virtual bool Sync(int handle) = 0;
    // Closes the handle in any case; false when the system reported an error.
    virtual bool Close(int handle) = 0;

    // Replaces to with from in one step.
    virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual bool Remove(const std::filesystem::path& path) = 0;

    // The whole file for reading a bank; nullptr when it cannot be opened or is a directory.
    virtual std::unique_ptr<CByteSource> OpenSource(const std::filesystem::path& path) = 0;
};

// The real file system (POSIX calls).
class CPosixFileSystem : public IFileSystem
{
  public:
    int OpenRead(const std::filesystem::path& path) override;
    int OpenReadWrite(const std::filesystem::path& path) override;
    int Create(const std::filesystem::path& path, unsigned mode) override;
    bool Stat(int handle, FILESTAT& stat) override;
    bool ReadAt(int handle, uint64_t offset, void* buf, size_t n, size_t& got) override;
    bool WriteAt(int handle, uint64_t offset, const void* buf, size_t n) override;
    bool Sync(int handle) override;
    bool Close(int handle) override;
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    bool Remove(const std::filesystem::path& path) override;
    std::unique_ptr<CByteSource> OpenSource(const std::filesystem::path& path) override;
};

// The file system the program uses: the real one unless another was installed.
CSlot<IFileSystem>& FileSystemSlot();
inline IFileSystem& GetFileSystem()
{
    return FileSystemSlot().Get();
}

// An open handle that is closed when it goes out of scope. Close() reports the close's result;
// a handle closed by the destructor was already given up on.
class CFsHandle
{
  public:
    CFsHandle(IFileSystem& fs, int handle) : m_fs(fs), m_nHandle(handle) {}
    ~CFsHandle()
    {
        if (m_nHandle >= 0)
            m_fs.Close(m_nHandle);
    }
    CFsHandle(const CFsHandle&) = delete;
    CFsHandle& operator=(const CFsHandle&) = delete;

    bool IsOpen() const { return m_nHandle >= 0; }
    int Get() const { return m_nHandle; }
    bool Close()
    {
        int handle = m_nHandle;
        m_nHandle = -1;
        return handle >= 0 && m_fs.Close(handle);
    }

  private:
    IFileSystem& m_fs;
    int m_nHandle;
};

// Reads exactly n bytes at offset; false on a read error or when the file ends before.
bool ReadExactly(IFileSystem& fs, int handle, uint64_t offset, void* buf, size_t n);

// Copies from to to, replacing an existing to only once the copy is complete and on disk: it is
// written to "<to>.new" first and renamed. On failure that temporary file is removed and an
// existing to is left as it was. 1 copied, 0 failed (no message).
int CopyFileReplacing(IFileSystem& fs, const std::filesystem::path& from, const std::filesystem::path& to);
