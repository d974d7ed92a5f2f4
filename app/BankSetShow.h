// CBankSetShow: the bank set the view shows. It reads the banks, writes the bank-set page into the
// program's private directory with the mapping page's look and shows it; a link of that page to
// one of its banks names the bank to open as the document.
#pragma once

#include "bankset/BankSet.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class COrvaneView;

// The look of the page: the colours and image of the settings, as the mapping page has them.
struct SETLOOK
{
    uint32_t crText = 0x000000;
    uint32_t crBackground = 0xFFFFFF;
    std::filesystem::path strImagePath;
};

class CBankSetShow
{
public:
    // Reads the banks operands name (files, and the .94b files below folders) and shows their
    // page in view. false after a message when no bank was found or the page cannot be written.
    bool Open(COrvaneView& view, const std::vector<std::string>& operands, const SETLOOK& look);
    // The bank a link of the set page names; "" for a link to anything else.
    std::string BankOfLink(const std::string& href) const;
    // Whether location (the view's page) is the set page.
    bool IsShownAt(const std::string& location) const;

    const CBankSet& GetSet() const { return m_set; }

private:
    CBankSet m_set;
    std::filesystem::path m_strPagePath;
};
