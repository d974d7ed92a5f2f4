// CReplacingFile: the one way a user's file gets new content. The bytes go to a temporary file
// beside it, created exclusively and never through a link, then flushed, closed and renamed
// over the file in one step, so the file is always either the old one or the new one. A
// replacement that is given up removes its temporary file.
#pragma once

#include "base/FileSystem.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class CReplacingFile
{
public:
    // The temporary file is "<target><suffix>", or a short unique name in the same directory
    // when that name is too long or taken by something that is no file of ours.
    CReplacingFile(IFileSystem& fs, std::filesystem::path target, std::string suffix = ".new");
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // Creates the temporary file with the permission bits; with owner, also gives it that
    // file's owner and group where the process may. A stale regular file or link of the
    // temporary name is removed first; one another writer still holds is left alone.
    bool Create(unsigned mode, const FILESTAT* owner = nullptr);
    int Handle() const { return m_nHandle; }
    const std::filesystem::path& TempPath() const { return m_tempPath; }
    const std::filesystem::path& Target() const { return m_target; }

    // Whether Finish waits until the bytes are on the disk (the default). A file that lives only
    // while the program runs, in its private directory, is replaced without waiting.
    void SetFlush(bool bFlush) { m_bFlush = bFlush; }
    bool Write(uint64_t offset, const void* data, size_t n);
    // Sets the file's length (the end of a copy that ends in a hole).
    bool SetSize(uint64_t size);
    // Flushes the written bytes to the disk and closes the temporary file.
    bool Finish();
    // Renames the finished file over the target. With expected, the target must still be the
    // file it describes (checked right before the rename), or nothing is renamed.
    bool Commit(const FILESTAT* expected = nullptr);
    // Leaves the temporary file in place: a complete file whose rename failed is kept for the user.
    void Keep();

    // errno (or one of our kErr numbers) of the step that failed.
    int Error() const { return m_nError; }

private:
    bool Failed(int error);
    bool CreateAt(const std::filesystem::path& path, unsigned mode);
    // Whether the file at path is left over from a writer that is gone (none holds its lock).
    bool IsStale(const std::filesystem::path& path);

    IFileSystem& m_fs;
    std::filesystem::path m_target;
    std::string m_strSuffix;
    std::filesystem::path m_tempPath;
    int m_nHandle = -1;
    bool m_bFinished = false;
    bool m_bCommitted = false;
    bool m_bKeep = false;
    bool m_bFlush = true;
    int m_nError = 0;
    int m_nCleanupSlot = -1;
};

// Told the bytes a copy reads, in order: a hole's zeros as nullptr with their count.
using CopyObserver = std::function<void(const unsigned char* bytes, size_t n)>;

// Copies the source bytes [from, to) into the target at offset at. Holes of a sparse source stay
// holes: only the data between them is read and written, so the caller sets the final length.
// seen, when set, is told every byte of the range.
bool CopySparseRange(IFileSystem& fs, int source, uint64_t from, uint64_t to, CReplacingFile& target, uint64_t at,
                     std::vector<unsigned char>& buffer, const CopyObserver& seen = {});
