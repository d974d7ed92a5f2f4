// The page options shared by the commands that render a mapping page (map, zip).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

struct CPageOptions
{
    std::string templatePath; // empty: Qzr.mas beside the program
    uint32_t textColor = 0x000000;
    uint32_t backColor = 0xFFFFFF;
    std::string imagePath;
    uint64_t maxPageSize = 1ull << 30; // a page written to a regular file stops here
};

// Takes the page option at args[i] (and its value, moving i on). False with error set when
// the option is unknown or its value is bad.
bool ParsePageOption(const std::vector<std::string>& args, size_t& i, CPageOptions& options, std::string& error);

// Renders the page of one bank to pagePath. kCliOk, kCliBankFailed (page written without
// rows) or kCliUsage (template or page not usable).
int RenderPage(const std::string& bankPath, const std::string& pagePath, const CPageOptions& options,
               std::ostream& err);
