// CBankWatch: tells from successive looks at the open bank's file whether another program changed
// it (new bytes, or another file renamed over it) or removed it, so that the window can show the
// bank as it now is. A change counts once the file has stayed the same between two looks, so a
// bank still being written is not read half-way.
#pragma once

#include "base/FileSystem.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// What one look at the bank's path found.
struct BANKSTAMP
{
    bool bPresent = false;
    FILESTAT stat;

    bool operator==(const BANKSTAMP& other) const
    {
        return bPresent == other.bPresent && (!bPresent || stat.SameFileAs(other.stat));
    }
};

// The bank's path as it is now: absent when it cannot be reached.
BANKSTAMP StampBank(IFileSystem& fs, const std::filesystem::path& bank);

enum class BankChange
{
    None,    // as the page shows it, or still changing
    Changed, // other bytes or another file under the bank's name, settled
    Gone     // no longer there
};

class CBankWatch
{
public:
    // The page now shows the bank in state shown (the program rendered it, or wrote it itself).
    void Shown(const BANKSTAMP& shown);
    // One look at the bank: reports each change once, then takes it as the state shown.
    BankChange Look(const BANKSTAMP& now);

private:
    BANKSTAMP m_shown;
    BANKSTAMP m_lastLook;
};

// The banks of a set, each watched as the open bank is.
class CBankSetWatch
{
public:
    // The page now shows banks as they are on disk (read again, or written by the program itself).
    void Shown(IFileSystem& fs, const std::vector<std::string>& banks);
    // One look at every bank: the banks changed or gone since shown, each told once.
    std::vector<std::pair<std::string, BankChange>> Look(IFileSystem& fs);
    const std::vector<std::string>& GetBanks() const { return m_banks; }

private:
    std::vector<std::string> m_banks;
    std::vector<CBankWatch> m_watches;
};
