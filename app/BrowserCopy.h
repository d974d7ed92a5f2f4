// Copies of the mapping page for the desktop's web browser. The browser gets a file of its own in
// the system temporary directory, never the program's private page directory, and keeps showing
// the page it was given when the program renders the next one.
#pragma once

#include <filesystem>
#include <string>

// Copies page to a new file "orvane-page-XXXXXX.html" (mode 0600) made exclusively in the system
// temporary directory and returns its path; "" when the page cannot be read or the copy written,
// with detail ("PATH: REASON") saying why. A failed copy leaves no file behind.
std::filesystem::path CopyPageForBrowser(const std::filesystem::path& page, std::string& detail);

// Removes the copies this program made; the program calls it when it ends.
void RemoveBrowserCopies();
