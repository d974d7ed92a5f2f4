// CRecentFileHistory: the recent-file list, kept in the File menu in the place of its "Recent File"
// item (above Exit) rather than at the menu's end. The menu is brought up to date whenever the list
// changes, so it already has its entries, and its size, when it opens.
#pragma once

#include <wx/filehistory.h>

#include <vector>

class CRecentFileHistory : public wxFileHistory
{
public:
    // placeholderId: the disabled item with placeholderText that stands in the list's place while
    // it is empty; help: the status-bar prompt of every entry.
    CRecentFileHistory(size_t maxFiles, int placeholderId, const wxString& placeholderText, const wxString& help);

    void AddFileToHistory(const wxString& file) override;
    void RemoveFileFromHistory(size_t i) override;
    void UseMenu(wxMenu* menu) override;
    void RemoveMenu(wxMenu* menu) override;
    // Loading a list from the configuration ends here too, through the base class.
    void AddFilesToMenu() override;
    // Replaces the entries (or the placeholder) in menu with the list as it is now.
    void AddFilesToMenu(wxMenu* menu) override;

private:
    bool IsEntryId(int id) const;

    int m_nPlaceholderId;
    wxString m_strPlaceholder;
    wxString m_strHelp;
    // The menus kept up to date; the base class's own list stays empty, since it would append
    // the entries at the end of each menu.
    std::vector<wxMenu*> m_menus;
};
