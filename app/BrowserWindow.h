// CBrowserWindow: the HTML window inside the view, with its Back keys and links.
#pragma once

#include <wx/html/htmlwin.h>

#include <functional>

// The browser window inside the view. Backspace and Alt+Left go back in its history; links to
// web pages go to the desktop's browser, all others are followed here.
class CBrowserWindow : public wxHtmlWindow
{
public:
    explicit CBrowserWindow(wxWindow* parent);
    // Loads the current page again, keeping the scroll position.
    void Reload();
    // Asked first about every link clicked: true when it took the link.
    void SetLinkHandler(std::function<bool(const wxString& href)> handler) { m_linkHandler = std::move(handler); }

protected:
    void OnLinkClicked(const wxHtmlLinkInfo& link) override;

private:
    void OnKeyDown(wxKeyEvent& event);

    std::function<bool(const wxString& href)> m_linkHandler;
};
