// CBrowserWindow: the HTML window inside the view, with its Back keys and links.
#pragma once

#include <wx/html/htmlwin.h>

// The browser window inside the view. Backspace and Alt+Left go back in its history; links to
// web pages go to the desktop's browser, all others are followed here.
class CBrowserWindow : public wxHtmlWindow
{
public:
    explicit CBrowserWindow(wxWindow* parent);
    // Loads the current page again, keeping the scroll position.
    void Reload();

protected:
    void OnLinkClicked(const wxHtmlLinkInfo& link) override;

private:
    void OnKeyDown(wxKeyEvent& event);
};
