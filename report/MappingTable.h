// The mapping as a table of one row per entry, in the columns 'orvane-cli info --csv' and the
// page's Copy share: list, index, program, variation, Cubase Prog., Cubase Bank, GM name.
#pragma once

#include "soundbank/SoundBank.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The list an entry belongs to as a table names it: "instrument" or "drumset".
const char* MappingListName(bool bDrumset);
// Reads a list name as a table or a spreadsheet may spell it: "instrument", "drumset", their
// plurals and "drum set", in any case, spaces around it allowed. false for anything else.
bool ParseMappingListName(std::string_view text, bool& bDrumset);

// The columns of one entry after its list and index.
struct MAPPINGROW
{
    unsigned nProgram;
    unsigned nVariation;
    unsigned nCubaseProg;  // the program counted from 1
    unsigned nCubaseBank;  // the variation times 128
    const char* pszGmName; // "" without one
};
MAPPINGROW MakeMappingRow(bool bDrumset, const IMAPENTRY& entry);

// The whole mapping as tab-separated lines ending in "\n": a header line (the page's column
// names), then one line per instrument and per drum set.
std::string MappingTabText(const CSoundBank& bank);

// Most entries the page's Copy puts on the clipboard (about 40 MiB of text).
constexpr uint64_t kMappingCopyMaxEntries = 1000000;

// The page's Copy without a selection: reads the bank at path (a converted one is never
// repaired here) into MappingTabText. 1 with text; 0 after the reader's message, or after
// "Nothing was copied" for a bank of more than kMappingCopyMaxEntries entries.
int MappingCopyText(const std::filesystem::path& path, std::string& text);
