// CBrowserWindow: the HTML window inside the view, with its Back keys, links and the selection
// the find bar makes.
#pragma once

#include <wx/html/htmlwin.h>

#include <functional>
#include <string>

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
    // Asked about every page loaded from a location, with its text in UTF-8: true when it
    // changed the text to show. The file itself is never changed.
    void SetPageFilter(std::function<bool(const wxString& location, std::string& text)> filter)
    {
        m_pageFilter = std::move(filter);
    }

    bool LoadPage(const wxString& location) override;
    bool SetPage(const wxString& source) override;
    // A number of the page on show, new with every page any browser window loads (0: none yet).
    unsigned GetPageNumber() const { return m_nPageNumber; }

    // Selects the text from character fromChar of the word cell from to just before character
    // toChar of the word cell to, as a drag of the mouse would, and scrolls it into view.
    void SelectText(const wxHtmlCell* from, int fromChar, const wxHtmlCell* to, int toChar);
    // Takes the selection away.
    void ClearSelection();

protected:
    void OnLinkClicked(const wxHtmlLinkInfo& link) override;

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);
    // Makes the selection of the text between the two places and scrolls it into view.
    void ApplyTextSelection(bool bScroll);
    void ScrollIntoView(const wxRect& rect);
    bool IsTextSelectionShown() const;

    unsigned m_nPageNumber = 0;
    // The text the find bar selected, and the selection made of it. The window widens a selection
    // to whole words when it is resized, so this one is made again afterwards while it is still
    // the one on show.
    const wxHtmlSelection* m_pTextSelection = nullptr;
    const wxHtmlCell* m_pSelFrom = nullptr;
    const wxHtmlCell* m_pSelTo = nullptr;
    int m_nSelFromChar = 0;
    int m_nSelToChar = 0;

    std::function<bool(const wxString& href)> m_linkHandler;
    std::function<bool(const wxString& location, std::string& text)> m_pageFilter;
    // The location being loaded, while its text is set.
    wxString m_strLoading;
};
