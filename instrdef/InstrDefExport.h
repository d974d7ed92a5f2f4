// The window's export of the open bank's, or the open bank set's, instrument definition: read the
// bank, write the file in one piece, say what went wrong or was left out.
#pragma once

#include "instrdef/InstrDefFormat.h"

#include <filesystem>

class CBankSet;

// Writes the definition of the bank at bankPath to outPath (replaced only once complete). 1
// written, after a warning when entries above 127 were left out; 0 after its message (the bank
// cannot be read, the file would be the bank, the file cannot be written), with nothing changed.
int ExportBankInstrDef(const std::filesystem::path& bankPath, INSTRDEFFORMAT format,
                       const std::filesystem::path& outPath);

// The same for a set of banks already read: the answer of each slot, the banks of an undecided
// slot each with a "?" mark, under the device name "Bank set" unless device is given. 1 written,
// 0 after its message (nothing of the set could be read, the file would be one of the banks, it
// cannot be written).
int ExportSetInstrDef(const CBankSet& set, INSTRDEFFORMAT format, const std::filesystem::path& outPath,
                      const std::string& device = std::string());
