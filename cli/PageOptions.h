// The page options shared by the commands that render a mapping page (map, zip).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace CLI
{
class App;
}

struct CPageOptions
{
    std::string templatePath; // empty: Qzr.mas beside the program
    uint32_t textColor = 0x000000;
    uint32_t backColor = 0xFFFFFF;
    std::string imagePath;
    uint64_t maxPageSize = 1ull << 30; // a page written to a regular file stops here
};

// Adds --template, --text-color, --back-color, --image and --max-page-size, which fill options.
void AddPageOptions(CLI::App& command, CPageOptions& options);

// Renders the page of one bank to pagePath. kCliOk, kCliBankFailed (page written without
// rows) or kCliUsage (template or page not usable).
int RenderPage(const std::string& bankPath, const std::string& pagePath, const CPageOptions& options,
               std::ostream& err);
