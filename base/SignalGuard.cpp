// Signal blocking around writes and the async-signal-safe table of temporary files.
#include "base/SignalGuard.h"

#include <unistd.h>

#include <atomic>
#include <cstring>

namespace
{
constexpr int kSlots = 8;
constexpr size_t kPathMax = 4096;

// Each slot's path is written before it is marked in use and read only while it is, so the
// handler never sees a half-written name.
struct TEMPSLOT
{
    std::atomic<bool> bInUse{false};
    char szPath[kPathMax];
};
TEMPSLOT g_slots[kSlots];

extern "C" void RemoveTempFilesAndExit(int sig)
{
    for (TEMPSLOT& slot : g_slots)
        if (slot.bInUse.load())
            ::unlink(slot.szPath);
    ::_exit(128 + sig);
}
} // namespace

CSignalGuard::CSignalGuard(bool bBlockStops) : m_bBlocked(bBlockStops)
{
    if (m_bBlocked)
    {
        sigset_t stops;
        sigemptyset(&stops);
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            sigaddset(&stops, sig);
        pthread_sigmask(SIG_BLOCK, &stops, &m_oldMask);
    }
    struct sigaction ignore;
    std::memset(&ignore, 0, sizeof ignore);
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &m_oldXfsz);
}

CSignalGuard::~CSignalGuard()
{
    sigaction(SIGXFSZ, &m_oldXfsz, nullptr);
    if (m_bBlocked)
        pthread_sigmask(SIG_SETMASK, &m_oldMask, nullptr);
}

int RegisterTempFile(const char* path)
{
    if (std::strlen(path) >= kPathMax)
        return -1;
    for (int i = 0; i < kSlots; ++i)
    {
        TEMPSLOT& slot = g_slots[i];
        if (slot.bInUse.load())
            continue;
        std::strcpy(slot.szPath, path);
        slot.bInUse.store(true);
        return i;
    }
    return -1;
}

void UnregisterTempFile(int slot)
{
    if (slot >= 0 && slot < kSlots)
        g_slots[slot].bInUse.store(false);
}

void RemoveTempFilesOnSignals()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = RemoveTempFilesAndExit;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
