// "Export to Zip": asks for the archive's name and packs the open bank with its mapping page.
#pragma once

#include <string>

class wxWindow;

// Shows the save dialog for the archive (".zip" added to a name without extension, and an existing
// archive of that name replaced only when the user agrees) and exports the bank and the page into it. With no bank open nothing is shown and nothing is made.
void RunExportToZipCommand(wxWindow* parent, const std::string& bankPath, const std::string& pagePath);

// The archive name for what was typed in the dialog: ".zip" is added when it has no extension.
std::string ZipArchivePathFor(const std::string& chosenPath);
