// From a bank or a set's answers to the rows of an instrument definition.
#include "instrdef/InstrumentRows.h"

#include "bankset/BankSet.h"
#include "base/Utf8.h"
#include "instrdef/NamePattern.h"
#include "soundbank/BankName.h"
#include "soundbank/GmNames.h"
#include "soundbank/SoundBank.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>

std::vector<INSTRDEFSLOT> SlotsOfBank(const CSoundBank& bank, uint64_t& hidden)
{
    std::vector<INSTRDEFSLOT> slots;
    slots.reserve(bank.m_arrInstruments.size() + bank.m_arrDrumsets.size());
    for (bool drumset : {false, true})
    {
        const std::vector<IMAPENTRY>& list = drumset ? bank.m_arrDrumsets : bank.m_arrInstruments;
        std::unordered_set<uint32_t> seen;
        seen.reserve(list.size());
        for (size_t i = 0; i < list.size(); ++i)
        {
            const uint32_t key = (uint32_t(list[i].wProgram) << 8) | list[i].byVariation;
            if (!seen.insert(key).second)
            {
                ++hidden;
                continue;
            }
            INSTRDEFSLOT slot;
            slot.bDrumset = drumset;
            slot.wProgram = list[i].wProgram;
            slot.byVariation = list[i].byVariation;
            slot.entries.push_back({0, static_cast<uint32_t>(i)});
            slots.push_back(std::move(slot));
        }
    }
    return slots;
}

std::vector<INSTRDEFSLOT> SlotsOfSet(const CBankSet& set)
{
    std::vector<INSTRDEFSLOT> slots;
    slots.reserve(set.GetRule().arrSlots.size());
    for (const SETSLOT& from : set.GetRule().arrSlots)
    {
        INSTRDEFSLOT slot;
        slot.bDrumset = from.bDrumset;
        slot.wProgram = from.wProgram;
        slot.byVariation = from.byVariation;
        slot.bUndecided = from.nState == SlotUndecided;
        for (const SLOTENTRY* e = set.EntriesBegin(from); e != set.EntriesEnd(from); ++e)
            if (!e->bHidden)
                slot.entries.push_back({e->nBank, e->nIndex});
        slots.push_back(std::move(slot));
    }
    return slots;
}

std::string BankDisplayName(const std::string& rawName)
{
    std::string text = BankNameText(rawName);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return Cp1252ToUtf8(text);
}

INSTRDEFROWS RowsFromSlots(const std::vector<INSTRDEFSLOT>& slots, const std::vector<std::string>& bankNames,
                           bool answeredOnly)
{
    INSTRDEFROWS result;
    result.rows.reserve(slots.size());
    for (const INSTRDEFSLOT& slot : slots)
    {
        // A program change carries 7 bits and so does the bank select: anything higher cannot be
        // reached from a sequencer and is left out rather than written wrapped.
        if (slot.wProgram > 127)
        {
            ++result.nProgramsAbove127;
            continue;
        }
        if (slot.byVariation > 127)
        {
            ++result.nVariationsAbove127;
            continue;
        }
        if (slot.bUndecided && answeredOnly)
        {
            ++result.nUndecidedLeftOut;
            continue;
        }
        const char* gm = GmEntryName(slot.bDrumset, slot.wProgram);
        for (const INSTRDEFANSWER& entry : slot.entries)
        {
            INSTRDEFROW row;
            row.bDrumset = slot.bDrumset;
            row.wProgram = slot.wProgram;
            row.byVariation = slot.byVariation;
            row.nIndex = entry.nIndex;
            row.strGmName = gm ? gm : "Program " + std::to_string(slot.wProgram);
            row.strBankName = entry.nBank < bankNames.size() ? bankNames[entry.nBank] : std::string();
            row.bContender = slot.bUndecided;
            result.rows.push_back(std::move(row));
        }
    }
    std::stable_sort(
        result.rows.begin(), result.rows.end(),
        [](const INSTRDEFROW& a, const INSTRDEFROW& b)
        { return std::tie(a.bDrumset, a.byVariation, a.wProgram) < std::tie(b.bDrumset, b.byVariation, b.wProgram); });
    return result;
}

void NameRows(std::vector<INSTRDEFROW>& rows, const CNamePattern* pattern, bool singleBank)
{
    CNamePattern fallback, gmOnly;
    fallback.Parse(CNamePattern::kDefault);
    gmOnly.Parse("{gm}");
    for (INSTRDEFROW& row : rows)
    {
        const CNamePattern& use = pattern ? *pattern : singleBank && row.byVariation == 0 ? gmOnly : fallback;
        row.strName = CleanText(use.Apply(row) + (row.bContender ? " ?" : ""));
    }
}

std::string CleanText(const std::string& text)
{
    const std::string valid = ToValidUtf8(text);
    std::string out;
    out.reserve(valid.size());
    static const char kReplacement[] = "\xEF\xBF\xBD";
    for (size_t i = 0; i < valid.size(); ++i)
    {
        const auto c = static_cast<unsigned char>(valid[i]);
        if (c < 0x20 || c == 0x7F)
            out += kReplacement;
        else if (c == 0xC2 && i + 1 < valid.size() && static_cast<unsigned char>(valid[i + 1]) < 0xA0)
        {
            out += kReplacement; // U+0080..U+009F
            ++i;
        }
        else if (c == 0xEF && i + 2 < valid.size() && static_cast<unsigned char>(valid[i + 1]) == 0xBF &&
                 (static_cast<unsigned char>(valid[i + 2]) & 0xFE) == 0xBE)
        {
            out += kReplacement; // U+FFFE, U+FFFF
            i += 2;
        }
        else
            out += static_cast<char>(c);
    }
    return out;
}
