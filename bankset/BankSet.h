// The bank set: several banks a card loads at once, and which of them answers each program and
// variation. The rule is one function over banks already read (ApplyBankSetRule); CBankSet reads
// the banks, keeps the rule's result and answers questions about it.
#pragma once

#include "soundbank/SoundBank.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

enum BANKSTATUS : uint8_t
{
    BankOk,          // read as it is
    BankNeedsRepair, // a converted bank, read as it is and never repaired here
    BankUnreadable   // takes no part in the rule; strReason says why
};

// One bank of the set as it was read.
struct SETBANK
{
    std::string strPath;    // as given
    std::string strName;    // UTF-8 text of the name
    uint16_t wPriority = 0; // the higher answers first
    BANKSTATUS nStatus = BankUnreadable;
    std::string strReason;
    // Which file was read (both 0 when it could not be opened), to tell one file under two names.
    uint64_t nDevice = 0;
    uint64_t nInode = 0;
    std::vector<IMAPENTRY> arrInstruments;
    std::vector<IMAPENTRY> arrDrumsets;
};

enum SLOTSTATE : uint8_t
{
    SlotSole,     // one bank maps the slot
    SlotWins,     // several banks do, one of them alone at the highest priority
    SlotUndecided // two or more banks share the highest priority: no known answer
};

// One entry of a bank that maps a slot.
struct SLOTENTRY
{
    uint32_t nBank;  // index into the set's banks
    uint32_t nIndex; // entry index in its bank's list
    uint16_t wPriority;
    bool bHidden; // never heard while the set is loaded
};

// A (list, program, variation) that at least one readable bank maps. Its entries are
// arrEntries[nFirst, nFirst + nCount) of the rule, ordered by priority (highest first), then by
// the bank's place in the set, then by entry index; unless undecided, the first one answers.
struct SETSLOT
{
    bool bDrumset;
    uint16_t wProgram;
    uint8_t byVariation;
    SLOTSTATE nState;
    uint32_t nFirst;
    uint32_t nCount;
};

// A place where a new bank's entry would hide nothing.
struct FREESLOT
{
    bool bDrumset;
    uint16_t wProgram;
    uint8_t byVariation;
};

struct SETSUMMARY
{
    size_t nBanksRead = 0; // banks that take part (ok or needing repair)
    size_t nBanksUnreadable = 0;
    size_t nSlotsMapped = 0;
    size_t nSlotsWon = 0; // answered by one bank over others
    size_t nSlotsUndecided = 0;
    size_t nEntriesHidden = 0;
    size_t nFreeSlots = 0; // size of arrFree
};

struct BANKSETRULE
{
    std::vector<SETSLOT> arrSlots; // instruments first, then drum sets; each by program, then variation
    std::vector<SLOTENTRY> arrEntries;
    // Every instrument program 0-127, and every General MIDI / GS drum kit program, at variation
    // 0 that no bank maps, in list and program order.
    std::vector<FREESLOT> arrFree;
    // For each instrument program 0-127 some bank maps, its lowest variation 0-127 no bank maps
    // (none when all are taken).
    std::vector<FREESLOT> arrNextFree;
    SETSUMMARY summary;
};

// The drum programs that have a General MIDI / GS kit, in order.
inline constexpr uint16_t kGsDrumKitPrograms[] = {0, 8, 16, 24, 25, 32, 40, 48, 56, 127};

// The rule, over banks in set order. Unreadable banks take no part. Time n log n, memory linear
// in the entries.
BANKSETRULE ApplyBankSetRule(const std::vector<SETBANK>& banks);

// Reads the bank at path as it is: a converted bank is read without repair (BankNeedsRepair);
// one that cannot be read is BankUnreadable with the reason. No message is shown.
SETBANK ReadSetBank(const std::string& path);

class CBankSet
{
public:
    // Reads every path in order (already expanded, see ExpandBankOperands) and applies the rule.
    // The same file named twice is read once, at its first place.
    void Load(const std::vector<std::string>& paths);
    // Reads the bank at index again after it changed and applies the rule anew. false when
    // there is no such bank.
    bool Reload(size_t index);
    // The place of the bank that is the file at path (the same file by any name); -1 for none.
    int FindBank(const std::filesystem::path& path) const;

    const std::vector<SETBANK>& GetBanks() const { return m_arrBanks; }
    const BANKSETRULE& GetRule() const { return m_rule; }
    // The slot, or nullptr when no bank maps it.
    const SETSLOT* FindSlot(bool bDrumset, uint16_t wProgram, uint8_t byVariation) const;
    // The entry that answers slot; nullptr when it is undecided.
    const SLOTENTRY* GetAnswer(const SETSLOT& slot) const;
    // The slot's entries in the rule's order.
    const SLOTENTRY* EntriesBegin(const SETSLOT& slot) const { return m_rule.arrEntries.data() + slot.nFirst; }
    const SLOTENTRY* EntriesEnd(const SETSLOT& slot) const { return EntriesBegin(slot) + slot.nCount; }
    // Whether any bank could not be read, and whether any slot is undecided.
    bool HasUnreadable() const { return m_rule.summary.nBanksUnreadable != 0; }
    bool HasUndecided() const { return m_rule.summary.nSlotsUndecided != 0; }

private:
    std::vector<SETBANK> m_arrBanks;
    BANKSETRULE m_rule;
};
