// The open bank's file compared with the state its page shows.
#include "app/BankWatch.h"

BANKSTAMP StampBank(IFileSystem& fs, const std::filesystem::path& bank)
{
    BANKSTAMP stamp;
    stamp.bPresent = !bank.empty() && fs.StatPath(bank, stamp.stat);
    return stamp;
}

void CBankWatch::Shown(const BANKSTAMP& shown)
{
    m_shown = shown;
    m_lastLook = shown;
}

BankChange CBankWatch::Look(const BANKSTAMP& now)
{
    const BANKSTAMP previous = m_lastLook;
    m_lastLook = now;
    if (now == m_shown)
        return BankChange::None;
    // A removal is told at once; the page keeps what it shows.
    if (!now.bPresent)
    {
        m_shown = now;
        return BankChange::Gone;
    }
    // New bytes count once a second look finds the file as the first did: a writer that
    // replaces the file whole is done at once, one that writes in place may still be at work.
    if (!(now == previous))
        return BankChange::None;
    m_shown = now;
    return BankChange::Changed;
}

void CBankSetWatch::Shown(IFileSystem& fs, const std::vector<std::string>& banks)
{
    m_banks = banks;
    m_watches.assign(banks.size(), CBankWatch());
    for (size_t i = 0; i < banks.size(); ++i)
        m_watches[i].Shown(StampBank(fs, banks[i]));
}

std::vector<std::pair<std::string, BankChange>> CBankSetWatch::Look(IFileSystem& fs)
{
    std::vector<std::pair<std::string, BankChange>> changes;
    for (size_t i = 0; i < m_banks.size(); ++i)
        if (const BankChange change = m_watches[i].Look(StampBank(fs, m_banks[i])); change != BankChange::None)
            changes.emplace_back(m_banks[i], change);
    return changes;
}
