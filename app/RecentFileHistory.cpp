// Keeping the recent-file entries in the File menu in place of its placeholder item.
#include "app/RecentFileHistory.h"

#include <wx/menu.h>

#include <algorithm>

CRecentFileHistory::CRecentFileHistory(size_t maxFiles, int placeholderId, const wxString& placeholderText,
                                       const wxString& help)
    : wxFileHistory(maxFiles), m_nPlaceholderId(placeholderId), m_strPlaceholder(placeholderText), m_strHelp(help)
{
}

void CRecentFileHistory::AddFileToHistory(const wxString& file)
{
    wxFileHistory::AddFileToHistory(file);
    AddFilesToMenu();
}

void CRecentFileHistory::RemoveFileFromHistory(size_t i)
{
    wxFileHistory::RemoveFileFromHistory(i);
    AddFilesToMenu();
}

void CRecentFileHistory::UseMenu(wxMenu* menu)
{
    if (menu && std::find(m_menus.begin(), m_menus.end(), menu) == m_menus.end())
        m_menus.push_back(menu);
}

void CRecentFileHistory::RemoveMenu(wxMenu* menu)
{
    m_menus.erase(std::remove(m_menus.begin(), m_menus.end(), menu), m_menus.end());
}

void CRecentFileHistory::AddFilesToMenu()
{
    for (wxMenu* menu : m_menus)
        AddFilesToMenu(menu);
}

bool CRecentFileHistory::IsEntryId(int id) const
{
    return id == m_nPlaceholderId || (id >= GetBaseId() && id < GetBaseId() + GetMaxFiles());
}

void CRecentFileHistory::AddFilesToMenu(wxMenu* menu)
{
    if (!menu)
        return;
    // The list's place is where its entries or the placeholder stand; a menu without either
    // gets the list at its end.
    size_t pos = menu->GetMenuItemCount();
    for (size_t i = 0; i < menu->GetMenuItemCount(); ++i)
        if (IsEntryId(menu->FindItemByPosition(i)->GetId()))
        {
            pos = i;
            break;
        }
    while (pos < menu->GetMenuItemCount() && IsEntryId(menu->FindItemByPosition(pos)->GetId()))
        menu->Destroy(menu->FindItemByPosition(pos));

    if (GetCount() == 0)
    {
        menu->Insert(pos, m_nPlaceholderId, m_strPlaceholder, m_strHelp);
        menu->Enable(m_nPlaceholderId, false);
        return;
    }
    for (size_t i = 0; i < GetCount(); ++i)
    {
        wxString path = GetHistoryFile(i);
        path.Replace("&", "&&");
        menu->Insert(pos + i, GetBaseId() + static_cast<int>(i), wxString::Format("&%zu %s", i + 1, path), m_strHelp);
    }
}
