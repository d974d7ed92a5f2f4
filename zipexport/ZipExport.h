// The file steps of "Export to Zip": the bank goes beside the mapping page for the time of the
// export, and both are archived under their plain file names.
#pragma once

#include <filesystem>

// What becomes of an archive that exists already: it keeps its other entries, or it is
// replaced by one holding only the page and the bank (once the new one is complete).
enum class ZipArchiveMode
{
    AddEntries,
    Replace
};

// The archive the export proposes for a bank: in the bank's folder, the bank's name with ".zip"
// in place of its extension ("/banks/piano.94b" gives "/banks/piano.zip").
std::filesystem::path SuggestedArchivePath(const std::filesystem::path& bankPath);

// Packs the page and the bank into the archive: the bank is copied into the page's directory,
// the page and the bank's file name are archived in that order, and the copy is removed again.
// The pictures the page shows from this machine's files follow under their plain names, and the
// archived page refers to them by those names.
// A bank that already lies in that directory is archived where it is and never removed.
// An archive named as the bank itself is refused. An empty bank path (no bank open) does
// nothing. Returns 1 when the archive was written; 0 otherwise, with any failure already reported.
int ExportBankToZip(const std::filesystem::path& bankPath, const std::filesystem::path& pagePath,
                    const std::filesystem::path& archivePath, ZipArchiveMode mode = ZipArchiveMode::AddEntries);
