// Reading the banks of a set as they are, and the questions a page or a window asks of the set.
#include "bankset/BankSet.h"

#include "base/Utf8.h"
#include "res/MessageBox.h"
#include "soundbank/BankName.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <utility>

namespace
{
// Keeps the reader's failure instead of showing it: a set reports its unreadable banks together.
class CReasonSink : public IMessageSink
{
public:
    explicit CReasonSink(const std::string& path) : m_strPath(path), m_scope(MessageSinkSlot(), this) {}
    int Show(const std::string& text, const std::string&, unsigned style) override
    {
        if ((style & 0xF0) == MsgIconStop && m_strReason.empty())
            m_strReason = text;
        return (style & 0x0F) == MsgYesNo ? AnswerNo : AnswerOk;
    }
    int ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                   const std::string& detail) override
    {
        const bool first = m_strReason.empty();
        const int answer = Show(text, caption, style);
        // "PATH: REASON" adds only its reason: the bank's path is known.
        std::string why = detail;
        if (why.compare(0, m_strPath.size() + 2, m_strPath + ": ") == 0)
            why.erase(0, m_strPath.size() + 2);
        if (first && !why.empty() && !m_strReason.empty())
            m_strReason += " (" + why + ")";
        return answer;
    }

    std::string m_strReason;

private:
    std::string m_strPath;
    CSlot<IMessageSink>::CScope m_scope;
};
} // namespace

SETBANK ReadSetBank(const std::string& path)
{
    SETBANK set;
    set.strPath = path;
    CSoundBank bank;
    CReasonSink sink(path);
    const int loaded = bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false});
    if (bank.m_bKnowsFile)
    {
        set.nDevice = bank.m_fileStat.nDevice;
        set.nInode = bank.m_fileStat.nInode;
    }
    if (!loaded)
    {
        set.nStatus = BankUnreadable;
        set.strReason = sink.m_strReason.empty() ? "cannot be read" : sink.m_strReason;
        return set;
    }
    set.strName = Cp1252ToUtf8(BankNameText(bank.GetBankName()));
    set.wPriority = bank.m_wPriority;
    set.nStatus = bank.GetRepairOutcome() == CSoundBank::RepairDeclined ? BankNeedsRepair : BankOk;
    set.arrInstruments = std::move(bank.m_arrInstruments);
    set.arrDrumsets = std::move(bank.m_arrDrumsets);
    return set;
}

namespace
{
// The file a path leads to, to tell the same bank under two names; the path itself when the
// file cannot be reached.
std::filesystem::path FileIdentity(const std::filesystem::path& path)
{
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::canonical(path, ec);
    return ec ? std::filesystem::absolute(path, ec).lexically_normal() : canonical;
}
} // namespace

void CBankSet::Load(const std::vector<std::string>& paths)
{
    m_arrBanks.clear();
    m_arrBanks.reserve(paths.size());
    // A file is known by its device and inode once read; one that could not be opened by its path.
    std::set<std::pair<uint64_t, uint64_t>> files;
    std::set<std::string> unopened;
    for (const std::string& path : paths)
    {
        SETBANK bank = ReadSetBank(path);
        const bool known = bank.nDevice != 0 || bank.nInode != 0;
        if (known ? files.insert({bank.nDevice, bank.nInode}).second : unopened.insert(path).second)
            m_arrBanks.push_back(std::move(bank));
    }
    m_rule = ApplyBankSetRule(m_arrBanks);
}

bool CBankSet::Reload(size_t index)
{
    if (index >= m_arrBanks.size())
        return false;
    m_arrBanks[index] = ReadSetBank(m_arrBanks[index].strPath);
    m_rule = ApplyBankSetRule(m_arrBanks);
    return true;
}

int CBankSet::FindBank(const std::filesystem::path& path) const
{
    const std::filesystem::path wanted = FileIdentity(path);
    for (size_t i = 0; i < m_arrBanks.size(); ++i)
        if (FileIdentity(m_arrBanks[i].strPath) == wanted)
            return static_cast<int>(i);
    return -1;
}

const SETSLOT* CBankSet::FindSlot(bool bDrumset, uint16_t wProgram, uint8_t byVariation) const
{
    const auto key = std::make_tuple(bDrumset, wProgram, byVariation);
    const auto at =
        std::lower_bound(m_rule.arrSlots.begin(), m_rule.arrSlots.end(), key,
                         [](const SETSLOT& slot, const auto& wanted)
                         { return std::make_tuple(slot.bDrumset, slot.wProgram, slot.byVariation) < wanted; });
    if (at == m_rule.arrSlots.end() || std::make_tuple(at->bDrumset, at->wProgram, at->byVariation) != key)
        return nullptr;
    return &*at;
}

const SLOTENTRY* CBankSet::GetAnswer(const SETSLOT& slot) const
{
    return slot.nState == SlotUndecided ? nullptr : EntriesBegin(slot);
}
