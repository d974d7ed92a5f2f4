// The window's export of the open bank's instrument definition: read the bank, write the file
// in one piece, say what went wrong or was left out.
#pragma once

#include "instrdef/InstrDefFormat.h"

#include <filesystem>

// Writes the definition of the bank at bankPath to outPath (replaced only once complete). 1
// written, after a warning when entries above 127 were left out; 0 after its message (the bank
// cannot be read, the file would be the bank, the file cannot be written), with nothing changed.
int ExportBankInstrDef(const std::filesystem::path& bankPath, INSTRDEFFORMAT format,
                       const std::filesystem::path& outPath);
