// The view's browser window: reloading in place, links and the Back keys.
#include "app/BrowserWindow.h"

#include <wx/utils.h>

namespace
{
// Counts the pages loaded by every browser window, so that a number names one page.
unsigned g_nPagesLoaded = 0;
} // namespace

CBrowserWindow::CBrowserWindow(wxWindow* parent)
    : wxHtmlWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHW_DEFAULT_STYLE | wxBORDER_NONE)
{
    Bind(wxEVT_KEY_DOWN, &CBrowserWindow::OnKeyDown, this);
    Bind(wxEVT_SIZE, &CBrowserWindow::OnSize, this);
}

bool CBrowserWindow::LoadPage(const wxString& location)
{
    m_strLoading = location;
    const bool loaded = wxHtmlWindow::LoadPage(location);
    m_strLoading.clear();
    m_nPageNumber = ++g_nPagesLoaded;
    m_pSelFrom = m_pSelTo = nullptr;
    m_pTextSelection = nullptr;
    return loaded;
}

bool CBrowserWindow::SetPage(const wxString& source)
{
    // A page loaded from a file may be shown with changes of the filter's.
    std::string text;
    bool changed = false;
    if (!m_strLoading.empty() && m_pageFilter)
    {
        text = source.utf8_string();
        changed = m_pageFilter(m_strLoading, text);
    }
    const bool set = wxHtmlWindow::SetPage(changed ? wxString::FromUTF8(text) : source);
    m_nPageNumber = ++g_nPagesLoaded;
    m_pSelFrom = m_pSelTo = nullptr;
    m_pTextSelection = nullptr;
    return set;
}

void CBrowserWindow::Reload()
{
    wxString page = GetOpenedPage();
    if (page.empty())
        return;
    // The history keeps one entry for a page loaded again over itself.
    int x = 0, y = 0;
    GetViewStart(&x, &y);
    LoadPage(page);
    Scroll(x, y);
}

void CBrowserWindow::OnLinkClicked(const wxHtmlLinkInfo& link)
{
    wxString href = link.GetHref();
    if (m_linkHandler && m_linkHandler(href))
        return;
    if (href.StartsWith("http:") || href.StartsWith("https:") || href.StartsWith("mailto:"))
        wxLaunchDefaultBrowser(href);
    else
        wxHtmlWindow::OnLinkClicked(link);
}

void CBrowserWindow::OnKeyDown(wxKeyEvent& event)
{
    bool back = (event.GetKeyCode() == WXK_BACK && event.GetModifiers() == wxMOD_NONE) ||
                (event.GetKeyCode() == WXK_LEFT && event.GetModifiers() == wxMOD_ALT);
    if (back)
        HistoryBack();
    else
        event.Skip();
}
