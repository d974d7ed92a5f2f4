// The bank-set rule: which entry of which bank answers each slot, which entries are hidden, and
// where a new bank's entries could go without hiding anything.
#include "bankset/BankSet.h"

#include <algorithm>
#include <bitset>

namespace
{
// One entry of a readable bank, with the slot it maps packed into one sortable key.
struct RECORD
{
    uint32_t nKey; // list, program, variation
    uint16_t wPriority;
    uint32_t nBank;
    uint32_t nIndex;
};

uint32_t SlotKey(bool bDrumset, uint16_t wProgram, uint8_t byVariation)
{
    return (static_cast<uint32_t>(bDrumset) << 24) | (static_cast<uint32_t>(wProgram) << 8) | byVariation;
}

// Every entry of the readable banks, in the rule's order within each slot.
std::vector<RECORD> SortedRecords(const std::vector<SETBANK>& banks)
{
    size_t total = 0;
    for (const SETBANK& bank : banks)
        if (bank.nStatus != BankUnreadable)
            total += bank.arrInstruments.size() + bank.arrDrumsets.size();
    std::vector<RECORD> records;
    records.reserve(total);
    for (size_t b = 0; b < banks.size(); ++b)
    {
        const SETBANK& bank = banks[b];
        if (bank.nStatus == BankUnreadable)
            continue;
        for (bool drumset : {false, true})
        {
            const std::vector<IMAPENTRY>& list = drumset ? bank.arrDrumsets : bank.arrInstruments;
            for (size_t i = 0; i < list.size(); ++i)
                records.push_back({SlotKey(drumset, list[i].wProgram, list[i].byVariation), bank.wPriority,
                                   static_cast<uint32_t>(b), static_cast<uint32_t>(i)});
        }
    }
    std::sort(records.begin(), records.end(),
              [](const RECORD& a, const RECORD& b)
              {
                  if (a.nKey != b.nKey)
                      return a.nKey < b.nKey;
                  if (a.wPriority != b.wPriority)
                      return a.wPriority > b.wPriority;
                  return a.nBank != b.nBank ? a.nBank < b.nBank : a.nIndex < b.nIndex;
              });
    return records;
}
} // namespace

BANKSETRULE ApplyBankSetRule(const std::vector<SETBANK>& banks)
{
    BANKSETRULE rule;
    SETSUMMARY& sum = rule.summary;
    for (const SETBANK& bank : banks)
        ++(bank.nStatus == BankUnreadable ? sum.nBanksUnreadable : sum.nBanksRead);

    const std::vector<RECORD> records = SortedRecords(banks);
    rule.arrEntries.reserve(records.size());
    // Variations mapped per instrument program 0-127, and drum programs 0-127 mapped at variation 0.
    std::vector<std::bitset<128>> instrumentVariations(128);
    std::bitset<128> instrumentMapped, drumsAtZero;
    for (size_t first = 0; first < records.size();)
    {
        const RECORD& head = records[first];
        size_t end = first + 1;
        while (end < records.size() && records[end].nKey == head.nKey)
            ++end;
        SETSLOT slot{(head.nKey >> 24) != 0,
                     static_cast<uint16_t>(head.nKey >> 8),
                     static_cast<uint8_t>(head.nKey),
                     SlotSole,
                     static_cast<uint32_t>(rule.arrEntries.size()),
                     static_cast<uint32_t>(end - first)};
        // A bank's first entry at the highest priority contends for the slot; every other entry,
        // a lower bank's or a second one of the same bank, is hidden.
        size_t contenders = 0;
        bool otherBanks = false;
        for (size_t k = first; k < end; ++k)
        {
            const RECORD& r = records[k];
            const bool firstOfBank = k == first || records[k - 1].nBank != r.nBank;
            const bool contends = r.wPriority == head.wPriority && firstOfBank;
            contenders += contends;
            otherBanks = otherBanks || r.nBank != head.nBank;
            rule.arrEntries.push_back({r.nBank, r.nIndex, r.wPriority, !contends});
        }
        slot.nState = contenders > 1 ? SlotUndecided : otherBanks ? SlotWins : SlotSole;
        sum.nEntriesHidden += (end - first) - contenders;
        sum.nSlotsWon += slot.nState == SlotWins;
        sum.nSlotsUndecided += slot.nState == SlotUndecided;
        if (slot.wProgram < 128)
        {
            if (!slot.bDrumset)
            {
                instrumentMapped.set(slot.wProgram);
                if (slot.byVariation < 128)
                    instrumentVariations[slot.wProgram].set(slot.byVariation);
            }
            else if (slot.byVariation == 0)
                drumsAtZero.set(slot.wProgram);
        }
        rule.arrSlots.push_back(slot);
        first = end;
    }
    sum.nSlotsMapped = rule.arrSlots.size();

    for (uint16_t program = 0; program < 128; ++program)
        if (!instrumentVariations[program].test(0))
            rule.arrFree.push_back({false, program, 0});
    for (uint16_t program : kGsDrumKitPrograms)
        if (!drumsAtZero.test(program))
            rule.arrFree.push_back({true, program, 0});
    for (uint16_t program = 0; program < 128; ++program)
    {
        if (!instrumentMapped.test(program) || instrumentVariations[program].all())
            continue;
        uint8_t variation = 0;
        while (instrumentVariations[program].test(variation))
            ++variation;
        rule.arrNextFree.push_back({false, program, variation});
    }
    sum.nFreeSlots = rule.arrFree.size();
    return rule;
}
