// The file operations that read or replace a user's files. Everything that rewrites a bank
// (repair, backup copy, write-back), the settings file and the export's copy goes through one
// IFileSystem, so that tests can make any single operation fail and a fuzzer can work on files
// held in memory.
#pragma once

#include "base/Slot.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CByteSource;
struct stat;

struct FILESTAT
{
    uint64_t nSize = 0;
    unsigned nMode = 0644; // permission bits
    bool bRegular = true;
    bool bLink = false;
    // Who owns it and which file it is: a file replaced by another program differs here.
    unsigned nUid = 0;
    unsigned nGid = 0;
    uint64_t nDevice = 0;
    uint64_t nInode = 0;
    int64_t nMtimeNs = 0;

    bool SameFileAs(const FILESTAT& other) const
    {
        return nDevice == other.nDevice && nInode == other.nInode && nSize == other.nSize && nMtimeNs == other.nMtimeNs;
    }
};

class IFileSystem
{
  public:
    virtual ~IFileSystem() = default;

    // Handles are small non-negative numbers; -1 means the open failed. Only regular files are
    // opened, and a special file (a FIFO, a device) is refused at once instead of blocking.
    virtual int OpenRead(const std::filesystem::path& path) = 0;
    // An existing regular file, for reading and writing; never created or truncated.
    virtual int OpenReadWrite(const std::filesystem::path& path) = 0;
    // Creates a new file for writing with the given permission bits. Fails when anything of that
    // name exists, a symbolic link included: it is never followed.
    virtual int Create(const std::filesystem::path& path, unsigned mode) = 0;
    // An existing file that is no regular file (a terminal, a pipe, a device), to write a
    // stream into; never created. A FIFO without a reader is refused instead of waited on.
    virtual int OpenStream(const std::filesystem::path& path)
    {
        (void)path;
        SetLastError(EOPNOTSUPP);
        return -1;
    }

    virtual bool Stat(int handle, FILESTAT& stat) = 0;
    // The file a path names now, links followed unless bFollow is false (a link then reports
    // bLink); false when there is none.
    virtual bool StatPath(const std::filesystem::path& path, FILESTAT& stat, bool bFollow = true) = 0;
    // Gives the file the owner and group; false when the process may not.
    virtual bool Chown(int handle, unsigned uid, unsigned gid) = 0;
    // Reads up to n bytes at offset; got < n only at the end of the file. false on a read error.
    virtual bool ReadAt(int handle, uint64_t offset, void* buf, size_t n, size_t& got) = 0;
    // Writes all n bytes at offset (a stream opened with OpenStream ignores the offset); false
    // when any of them could not be written.
    virtual bool WriteAt(int handle, uint64_t offset, const void* buf, size_t n) = 0;
    // Forces the written data to the disk.
    virtual bool Sync(int handle) = 0;
    // Sets a file's length; bytes past the old end read as zeros (a hole where the system can).
    virtual bool SetSize(int handle, uint64_t size) = 0;
    // The first offset at or after offset that holds data, and the first hole after that, for
    // copying sparse files without filling their holes. Files without holes: offset, and the end.
    virtual uint64_t NextData(int handle, uint64_t offset)
    {
        (void)handle;
        return offset;
    }
    virtual uint64_t NextHole(int handle, uint64_t offset)
    {
        (void)handle;
        (void)offset;
        return UINT64_MAX;
    }
    // Takes the exclusive advisory lock of an open file, held until the handle is closed. With
    // bWait false, fails at once (EWOULDBLOCK) while another open of the file holds it.
    virtual bool Lock(int handle, bool bWait)
    {
        (void)handle;
        (void)bWait;
        return true;
    }
    // Closes the handle in any case; false when the system reported an error.
    virtual bool Close(int handle) = 0;

    // Replaces to with from in one step.
    virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Removes a name; a symbolic link is removed itself, never its target.
    virtual bool Remove(const std::filesystem::path& path) = 0;
    // The file a path leads to once every symbolic link in it is followed; the path itself when
    // it cannot be resolved.
    virtual std::filesystem::path ResolveLinks(const std::filesystem::path& path) = 0;

    // The whole file for reading a bank; nullptr when it cannot be opened or is no regular file.
    virtual std::unique_ptr<CByteSource> OpenSource(const std::filesystem::path& path) = 0;

    // The error number (errno) of the last operation that failed, 0 when unknown.
    int LastError() const { return m_nLastError; }
    void SetLastError(int error) { m_nLastError = error; }

private:
    int m_nLastError = 0;
};

// The real file system (POSIX calls).
class CPosixFileSystem : public IFileSystem
{
  public:
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
    uint64_t NextData(int handle, uint64_t offset) override;
    uint64_t NextHole(int handle, uint64_t offset) override;
    bool Lock(int handle, bool bWait) override;
    bool Close(int handle) override;
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    bool Remove(const std::filesystem::path& path) override;
    std::filesystem::path ResolveLinks(const std::filesystem::path& path) override;
    std::unique_ptr<CByteSource> OpenSource(const std::filesystem::path& path) override;

private:
    // Records errno for LastError; returns fallback.
    template <class T> T Fail(T fallback);
};

// Opens a regular file for reading without blocking on a FIFO or a device: -1 (errno set) for
// anything else.
int OpenRegularFile(const std::filesystem::path& path, bool bWrite);

// Fills stat from a system stat record.
void ToFileStat(const struct stat& st, FILESTAT& stat);

// Error numbers of our own, beside errno's.
enum : int
{
    kErrNotRegular = 10001, // a FIFO, device, directory or other non-regular file
    kErrChanged = 10002,    // replaced or changed by another program since it was read
    kErrReadOnly = 10003,   // has no write permission bit: its owner made it read-only
    kErrShort = 10004,      // ended before the expected length
    kErrBusy = 10005,       // another writer of this program held the file too long
    kErrReplaced = 10006,   // the name led to another file once the write was done
    kErrEmpty = 10007,      // holds nothing where content is needed
    kErrTooLarge = 10008    // would grow past the size it is allowed
};
// A short reason for an error number, for messages: "No space left on device".
std::string FileErrorText(int error);
// "PATH: REASON", the detail line of a file's failure message.
std::string FileErrorDetail(const std::filesystem::path& path, int error);

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

// True when a and b name the same file (same device and inode, links followed); false when
// either cannot be looked at.
bool IsSameFile(IFileSystem& fs, const std::filesystem::path& a, const std::filesystem::path& b);
// The index of the first of inputs that writing output would overwrite, or -1 when none: a
// file written is never one the program reads to make it.
int FindOverwrittenInput(IFileSystem& fs, const std::filesystem::path& output,
                         const std::vector<std::filesystem::path>& inputs);
// The same for many outputs: the index of the first output that would overwrite one of inputs,
// and that input's index; {-1, -1} when none. Every file is looked at once, so the check grows
// with the number of files, not with its square.
std::pair<int, int> FindFirstOverwrittenInput(IFileSystem& fs, const std::vector<std::filesystem::path>& outputs,
                                              const std::vector<std::filesystem::path>& inputs);

// Copies from to to, replacing an existing to only once the copy is complete and on disk (see
// CReplacingFile). On failure an existing to is left as it was and nothing is left behind.
// 1 copied, 0 failed (no message; fs.LastError() says why).
int CopyFileReplacing(IFileSystem& fs, const std::filesystem::path& from, const std::filesystem::path& to);
// The same for bytes at hand.
int WriteFileReplacing(IFileSystem& fs, const std::filesystem::path& to, const void* data, size_t n, unsigned mode);
