// Export to Zip of a bank set: the set page and every bank of the set in one archive, the page's
// bank links naming the banks beside it so that the unpacked page opens them wherever it goes.
#pragma once

#include "bankset/BankSet.h"
#include "bankset/BankSetPage.h"
#include "zipexport/ZipExport.h"

#include <filesystem>
#include <string>
#include <vector>

// The names the banks at paths are stored under: each bank's file name, with "-2", "-3"... before
// its extension where a name (compared without case, as some systems unpack) is already taken or
// is one of the reserved names (the page's).
std::vector<std::string> ZipBankNames(const std::vector<std::string>& paths, const std::vector<std::string>& reserved);

// Packs set's page, rendered as page is set up but with relative bank links, under pageName, then
// every bank of the set that is a file on disk under its ZipBankNames name, then the pictures the
// page shows. A missing bank keeps its link to where it was. An archive named as one of the banks
// is refused. 1 when the archive was written; 0 otherwise, with any failure already reported.
int ExportBankSetToZip(const CBankSet& set, CBankSetPage page, const std::string& pageName,
                       const std::filesystem::path& archivePath, ZipArchiveMode mode = ZipArchiveMode::AddEntries);
