// CWriterLock: the exclusive lock a writer of this program holds on a user's file from the read
// it decides on to the end of its write, so that two writers never both act on the same old
// contents and one of them silently undo the other. The lock is advisory: it orders this
// program's writers (the command-line tool, the desktop program), not other programs.
#pragma once

#include "base/FileSystem.h"

#include <filesystem>
#include <string>

class CWriterLock
{
public:
    explicit CWriterLock(IFileSystem& fs) : m_fs(fs) {}
    ~CWriterLock() { Release(); }
    CWriterLock(const CWriterLock&) = delete;
    CWriterLock& operator=(const CWriterLock&) = delete;

    // Opens the file at path and waits up to nWaitMs for its lock. A file renamed over path by
    // the writer that held the lock is opened and locked afresh. false (Error() says why) when
    // the file cannot be opened or another writer keeps it longer.
    bool Acquire(const std::filesystem::path& path, int nWaitMs = 10000);
    // The same, but a file this program already holds (a command that locked the bank before
    // reading it, now writing it) counts as locked at once: a second lock would wait on itself.
    bool AcquireUnlessHeld(const std::filesystem::path& path, int nWaitMs = 10000);
    void Release();
    bool IsHeld() const { return m_nHandle >= 0; }
    int Error() const { return m_nError; }

private:
    IFileSystem& m_fs;
    int m_nHandle = -1;
    int m_nError = 0;
    FILESTAT m_held;
    bool m_bRegistered = false;
    std::string m_strName;
};

// Whether path now leads to another file than the one stat describes (device and inode), or to
// none. A path that cannot be looked at (an I/O error) proves nothing: false.
bool PathLeadsElsewhere(IFileSystem& fs, const std::filesystem::path& path, const FILESTAT& stat);
