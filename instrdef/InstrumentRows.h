// The neutral list every instrument-definition format is written from: one row per program a
// sequencer can select, with the numbers it sends and the name it shows. Rows come from one
// bank, or from the answers of a set of banks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CBankSet;
class CSoundBank;
class CNamePattern;

struct INSTRDEFROW
{
    bool bDrumset = false;
    uint16_t wProgram = 0;   // 0..127, the program change sent
    uint8_t byVariation = 0; // 0..127, sent as bank select MSB (CC 0); the LSB (CC 32) is 0
    uint32_t nIndex = 0;     // the entry's index in its bank's list
    std::string strGmName;   // the General MIDI / GS name, or "Program N"
    std::string strBankName; // the answering bank's name as UTF-8
    // One of several banks of equal priority that map an undecided slot: the card's choice
    // among them is not known.
    bool bContender = false;
    std::string strName; // the name shown, filled by NameRows
};

// What a set of banks answers for one slot: the bank that is heard, or for an undecided slot
// every bank that shares the highest priority. Hidden entries are not listed.
struct INSTRDEFANSWER
{
    size_t nBank;    // index into the set's banks
    uint32_t nIndex; // entry index in that bank's list
};
struct INSTRDEFSLOT
{
    bool bDrumset = false;
    uint16_t wProgram = 0;
    uint8_t byVariation = 0;
    bool bUndecided = false;
    std::vector<INSTRDEFANSWER> entries; // one unless undecided
};

// The rows and what could not become one.
struct INSTRDEFROWS
{
    std::vector<INSTRDEFROW> rows;    // by list (instruments first), variation, program
    uint64_t nProgramsAbove127 = 0;   // a program change cannot select them
    uint64_t nVariationsAbove127 = 0; // a bank select cannot reach them
    uint64_t nHiddenInBank = 0;       // a later entry of one bank for a slot it maps already
    uint64_t nUndecidedLeftOut = 0;   // undecided slots left out on request
};

// The slots one bank answers: the first entry of each (list, program, variation); a later entry
// for the same slot can never be heard and is counted in hidden.
std::vector<INSTRDEFSLOT> SlotsOfBank(const CSoundBank& bank, uint64_t& hidden);

// The answers of a set of banks (the bank-set rule) as slots: the entry that answers each slot,
// or for an undecided one every bank that shares the highest priority. Hidden entries are left out.
std::vector<INSTRDEFSLOT> SlotsOfSet(const CBankSet& set);

// Rows for the slots; bankNames are the set's banks' names as UTF-8 (see BankDisplayName). Undecided slots
// give a contender row per bank, or none with answeredOnly. Names are left empty.
INSTRDEFROWS RowsFromSlots(const std::vector<INSTRDEFSLOT>& slots, const std::vector<std::string>& bankNames,
                           bool answeredOnly);

// Fills strName: the pattern, or without one "{gm} ({bank})", and "{gm}" alone at variation 0
// when singleBank. A contender's name ends in " ?". Names are made fit for any output (see
// CleanText).
void NameRows(std::vector<INSTRDEFROW>& rows, const CNamePattern* pattern, bool singleBank);

// A bank's name as shown: the bytes before the first zero byte, trailing spaces trimmed, as
// Windows-1252 text in UTF-8.
std::string BankDisplayName(const std::string& rawName);

// Text fit for every format: malformed UTF-8 and control characters (C0, DEL, C1) become U+FFFD,
// as do the noncharacters U+FFFE and U+FFFF, which XML does not allow either.
std::string CleanText(const std::string& text);
