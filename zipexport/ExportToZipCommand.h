// "Export to Zip": asks for the archive's name and packs the open bank with its mapping page.
#pragma once

#include <filesystem>
#include <string>

class wxWindow;
class CBankSet;
class CBankSetPage;

// Shows the save dialog for the archive (".zip" added to a name without extension, and an existing
// archive of that name replaced only when the user agrees) and exports the bank and the page into it. With no bank open
// nothing is shown and nothing is made.
void RunExportToZipCommand(wxWindow* parent, const std::string& bankPath, const std::string& pagePath);

// The same for a bank set: the set page (looking as page is set up) and every bank of the set;
// the dialog proposes suggested.
void RunExportSetToZipCommand(wxWindow* parent, const CBankSet& set, const CBankSetPage& page,
                              const std::string& pageName, const std::filesystem::path& suggested);

// The archive name for what was typed in the dialog: ".zip" is added when it has no extension.
std::string ZipArchivePathFor(const std::string& chosenPath);
