// Signals around writes to a user's file. CSignalGuard holds back the signals that would stop
// the program in the middle of a write and its undo; the cleanup registry lets a program's
// SIGINT/SIGTERM handler remove the temporary files of replacements still in progress.
#pragma once

#include <csignal>

class CSignalGuard
{
public:
    // bBlockStops: SIGINT, SIGTERM, SIGHUP and SIGQUIT wait until the guard ends. SIGXFSZ is
    // ignored either way, so a file grown past the size limit fails with EFBIG like any other
    // write error instead of killing the program.
    explicit CSignalGuard(bool bBlockStops = false);
    ~CSignalGuard();
    CSignalGuard(const CSignalGuard&) = delete;
    CSignalGuard& operator=(const CSignalGuard&) = delete;

private:
    bool m_bBlocked;
    sigset_t m_oldMask;
    struct sigaction m_oldXfsz;
};

// Temporary files being written; a slot number, or -1 when the table is full (the file is
// then just not removed on a signal).
int RegisterTempFile(const char* path);
void UnregisterTempFile(int slot);
// Installs SIGINT and SIGTERM handlers that remove every registered temporary file and end
// the program with status 128 + signal number (130, 143).
void RemoveTempFilesOnSignals();
