// The browser window's selection made from characters rather than mouse points: its ends measured
// in the fonts the page draws them in, scrolled into view, and kept exact when the window is
// resized.
#include "app/BrowserWindow.h"

#include <wx/dcclient.h>
#include <wx/html/htmlcell.h>

#include <algorithm>

namespace
{
// The width of the first nChars characters of a word cell's text in the current font of dc.
int WidthOfStart(wxDC& dc, const wxHtmlCell* word, int nChars)
{
    const wxString text = word->ConvertToText(nullptr);
    nChars = std::clamp(nChars, 0, static_cast<int>(text.length()));
    if (nChars == 0)
        return 0;
    wxArrayInt widths;
    if (!dc.GetPartialTextExtents(text, widths) || widths.size() < static_cast<size_t>(nChars))
        return dc.GetTextExtent(text.Left(nChars)).x;
    return widths[static_cast<size_t>(nChars) - 1];
}

// Walks the page's cells from its first to the cell to, setting the fonts its font cells set as
// a paint would, and measures the start of from and of to in their own fonts.
void MeasureEnds(wxDC& dc, const wxHtmlCell* root, const wxHtmlCell* from, int fromChar, const wxHtmlCell* to,
                 int toChar, int& fromWidth, int& toWidth)
{
    fromWidth = toWidth = 0;
    wxHtmlRenderingInfo info;
    wxDefaultHtmlRenderingStyle style;
    info.SetStyle(&style);
    for (wxHtmlTerminalCellsInterator it(root->GetFirstTerminal(), to); it; ++it)
    {
        if (auto* font = dynamic_cast<const wxHtmlFontCell*>(*it))
            const_cast<wxHtmlFontCell*>(font)->DrawInvisible(dc, 0, 0, info);
        if (*it == from)
            fromWidth = WidthOfStart(dc, from, fromChar);
        if (*it == to)
            toWidth = WidthOfStart(dc, to, toChar);
    }
}
} // namespace

void CBrowserWindow::SelectText(const wxHtmlCell* from, int fromChar, const wxHtmlCell* to, int toChar)
{
    m_pSelFrom = from;
    m_pSelTo = to;
    m_nSelFromChar = fromChar;
    m_nSelToChar = toChar;
    ApplyTextSelection(true);
}

void CBrowserWindow::ClearSelection()
{
    m_pSelFrom = m_pSelTo = nullptr;
    m_pTextSelection = nullptr;
    if (m_selection)
    {
        wxDELETE(m_selection);
        Refresh();
    }
}

void CBrowserWindow::ApplyTextSelection(bool bScroll)
{
    const wxHtmlCell* root = GetInternalRepresentation();
    if (!root || !m_pSelFrom || !m_pSelTo)
        return;
    int fromWidth = 0;
    int toWidth = 0;
    {
        wxClientDC dc(this);
        MeasureEnds(dc, root, m_pSelFrom, m_nSelFromChar, m_pSelTo, m_nSelToChar, fromWidth, toWidth);
    }
    // The points are the ones a mouse drag would give for these characters, so that the window
    // finds the same characters again when it works them out for itself.
    const wxPoint fromAt = m_pSelFrom->GetAbsPos();
    const wxPoint toAt = m_pSelTo->GetAbsPos();
    auto* selection = new wxHtmlSelection;
    selection->Set(fromAt + wxPoint(fromWidth, 0), m_pSelFrom, toAt + wxPoint(toWidth, 0), m_pSelTo);
    selection->SetFromCharacterPos(m_nSelFromChar);
    selection->SetToCharacterPos(m_nSelToChar);
    selection->SetExtentBeforeSelection(static_cast<unsigned>(fromWidth));
    selection->SetExtentBeforeSelectionEnd(static_cast<unsigned>(toWidth));
    delete m_selection;
    m_selection = selection;
    m_pTextSelection = selection;

    if (bScroll)
    {
        wxRect rect(fromAt + wxPoint(fromWidth, 0), wxSize(1, m_pSelFrom->GetHeight()));
        rect.Union(wxRect(toAt + wxPoint(toWidth, 0), wxSize(1, m_pSelTo->GetHeight())));
        ScrollIntoView(rect);
    }
    Refresh();
}

void CBrowserWindow::ScrollIntoView(const wxRect& rect)
{
    int unitX = 0, unitY = 0;
    GetScrollPixelsPerUnit(&unitX, &unitY);
    int startX = 0, startY = 0;
    GetViewStart(&startX, &startY);
    const wxSize client = GetClientSize();
    int x = -1, y = -1;
    // A match out of sight is brought to a third of the way down, with some of what is above it,
    // as browsers do; one already in sight stays where it is.
    const int top = startY * unitY;
    if (unitY > 0 && (rect.GetTop() < top || rect.GetBottom() >= top + client.y))
        y = std::max(0, rect.GetTop() - client.y / 3) / unitY;
    const int left = startX * unitX;
    if (unitX > 0 && (rect.GetLeft() < left || rect.GetRight() >= left + client.x))
        x = std::max(0, std::min(rect.GetLeft(), rect.GetRight() - client.x * 3 / 4)) / unitX;
    if (x >= 0 || y >= 0)
        Scroll(x, y);
}

bool CBrowserWindow::IsTextSelectionShown() const
{
    // A selection the user makes is a new one, though it may be made where this one was freed.
    return m_selection && m_selection == m_pTextSelection && m_selection->GetFromCell() == m_pSelFrom &&
           m_selection->GetToCell() == m_pSelTo;
}

void CBrowserWindow::OnSize(wxSizeEvent& event)
{
    // The window's own handler runs after this one and widens the selection to whole words: the
    // selection made here is made again afterwards, unless the user has made another since.
    event.Skip();
    if (!IsTextSelectionShown())
        return;
    CallAfter(
        [this]
        {
            if (IsTextSelectionShown())
                ApplyTextSelection(false);
        });
}
