// CBankSetShow: the bank set the view shows. It reads the banks, writes the bank-set page into the
// program's private directory with the mapping page's look and shows it; a link of that page to
// one of its banks names the bank to open as the document.
#pragma once

#include "bankset/BankSet.h"
#include "app/BankWatch.h"
#include "bankset/BankSetPage.h"

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
    // Reads the same banks again and writes their page anew, which the view reloads when it
    // shows it. false after a message when the page cannot be written.
    bool Refresh(COrvaneView& view);
    // Whether a set was opened.
    bool IsOpen() const { return !m_set.GetBanks().empty(); }

    const CBankSet& GetSet() const { return m_set; }
    // A page maker with the look the set was shown with.
    CBankSetPage MakePage() const;
    // The set page's file in the private directory.
    const std::filesystem::path& GetPagePath() const { return m_strPagePath; }
    // The paths of the set's banks, in set order.
    std::vector<std::string> GetBankPaths() const;
    // The set's banks watched on disk, from the state each was read in.
    CBankSetWatch& GetWatch() { return m_watch; }
    // The single folder the set was opened from, or "" for a set of chosen files.
    const std::string& GetFolder() const { return m_strFolder; }

    // The bank of the set last opened from a link or changed from the window ("" for none): the
    // one the inspector proposes and the one Undo and Redo act on while the set page is on show.
    std::string m_strLastBank;
    std::string m_strLastChanged;

    // Where the set page's answering entries are, for the play links the view adds.
    const std::vector<ENTRYMARK>& GetEntryMarks() const { return m_arrEntryMarks; }

private:
    bool RenderPage();

    CBankSet m_set;
    SETLOOK m_look;
    CBankSetWatch m_watch;
    std::string m_strFolder;
    std::filesystem::path m_strPagePath;
    std::vector<ENTRYMARK> m_arrEntryMarks;
};
