// The child windows' painting and input, kept to what lets the control be seen and used:
// cells and heading cells are drawn by their cell types, keys and clicks move the current cell.
#include "grid/GridChildWnd.h"

#include "grid/GridCellType.h"
#include "grid/GridCtrl.h"
#include "grid/GridWxDC.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>

CGridChildWnd::CGridChildWnd(CGridCtrl* pGrid, int nId, long nStyle)
    : wxWindow(pGrid, nId, wxDefaultPosition, wxSize(0, 0), nStyle | wxBORDER_NONE), m_pGrid(pGrid)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
}

void CGridChildWnd::Place(const GRIDRECT& rc, bool bRepaint)
{
    SetSize(rc.left, rc.top, std::max(0, rc.Width()), std::max(0, rc.Height()));
    if (bRepaint)
        Refresh(false);
}

// ---- Cell area ----

CGridWnd::CGridWnd(CGridCtrl* pGrid) : CGridChildWnd(pGrid, 1, wxWANTS_CHARS)
{
    Bind(wxEVT_PAINT, &CGridWnd::OnPaint, this);
    Bind(wxEVT_KEY_DOWN, &CGridWnd::OnKeyDown, this);
    Bind(wxEVT_CHAR, &CGridWnd::OnChar, this);
    Bind(wxEVT_LEFT_DOWN, &CGridWnd::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CGridWnd::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &CGridWnd::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &CGridWnd::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &CGridWnd::OnWheel, this);
    Bind(wxEVT_SET_FOCUS, &CGridWnd::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &CGridWnd::OnFocus, this);
}

void CGridWnd::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc);
    if (!m_pInfo)
        return;
    const CGridInfo& s = *m_pInfo;
    if (s.m_pDefaultFont)
        gdc.SelectFont(s.m_pDefaultFont);
    m_pGrid->OnPrepareDC(&gdc, nullptr, GRID_SECTION_CELLS);
    const wxSize sz = GetClientSize();
    CGridCell cell;
    GRIDRECT rcFocus;
    bool bFocus = false;
    int nRight = 0;
    int y = 0;
    long r = s.m_nTopRow;
    for (; r < s.m_nRowCount && y < sz.y; ++r)
    {
        const int h = s.RowHeight(r);
        if (h <= 0)
            continue;
        int x = 0;
        for (int c = s.m_nLeftCol; c < s.m_nColCount && x < sz.x; ++c)
        {
            const int w = s.ColWidth(c);
            if (w <= 0)
                continue;
            GRIDRECT rc{x, y, x + w, y + h};
            m_pGrid->GetCellResolved(c, r, &cell);
            const bool bCurrent = (c == s.m_nNotifiedCol || s.m_bWholeRowHighlight) && r == s.m_nNotifiedRow;
            int nBlock = 0;
            const int bSelected = bCurrent ? 0 : s.m_pMultiSelect->IsSelected(c, r, &nBlock);
            gdc.SaveState();
            m_pGrid->GetCellTypeOf(cell)->OnDraw(&gdc, &rc, c, r, &cell, bSelected ? nBlock + 1 : 0, bCurrent);
            gdc.RestoreState();
            if (bCurrent && c == s.m_nNotifiedCol)
            {
                rcFocus = rc;
                bFocus = true;
            }
            x += w;
        }
        nRight = std::max(nRight, x);
        y += h;
    }
    m_pGrid->GetDrawHints().Reset();
    const GRIDCOLOR crBack = m_pGrid->OnBackColor(GRID_SECTION_CELLS);
    if (nRight < sz.x)
        gdc.FillRect(GRIDRECT{nRight, 0, sz.x, sz.y}, crBack);
    if (y < sz.y)
        gdc.FillRect(GRIDRECT{0, y, std::min(nRight, sz.x), sz.y}, crBack);
    if (bFocus && HasFocus())
        m_pGrid->OnDrawFocus(&gdc, &rcFocus);
}

void CGridWnd::OnKeyDown(wxKeyEvent& event)
{
    m_pInfo->m_nSelInputKind = 0;
    unsigned nKey = static_cast<unsigned>(event.GetKeyCode());
    CGridCell cell;
    m_pGrid->GetCellResolved(m_pGrid->CurrentCol(), m_pGrid->CurrentRow(), &cell);
    const int nProcessed = m_pGrid->GetCellTypeOf(cell)->OnKeyDown(m_pGrid->CurrentCol(), m_pGrid->CurrentRow(), &nKey);
    m_pGrid->OnGridKeyDown(&nKey, nProcessed);
    const int nCol = m_pInfo->m_nCurrentCol;
    const long nRow = m_pInfo->m_nCurrentRow;
    switch (nKey)
    {
    case WXK_PAGEUP: m_pGrid->StepCurrentRow(GRID_STEP_PAGEUP); break;
    case WXK_PAGEDOWN: m_pGrid->StepCurrentRow(GRID_STEP_PAGEDOWN); break;
    case WXK_HOME:
        event.ControlDown() ? m_pGrid->StepCurrentRow(GRID_STEP_FIRST) : m_pGrid->StepCurrentCol(GRID_STEP_FIRST);
        break;
    case WXK_END:
        event.ControlDown() ? m_pGrid->StepCurrentRow(GRID_STEP_LAST) : m_pGrid->StepCurrentCol(GRID_STEP_LAST);
        break;
    case WXK_LEFT: m_pGrid->SetCurrentCol(nCol - 1); break;
    case WXK_RIGHT: m_pGrid->SetCurrentCol(nCol + 1); break;
    case WXK_UP: m_pGrid->SetCurrentRow(nRow - 1); break;
    case WXK_DOWN: m_pGrid->SetCurrentRow(nRow + 1); break;
    default: event.Skip(); break;
    }
}

void CGridWnd::OnChar(wxKeyEvent& event)
{
    unsigned nChar = static_cast<unsigned>(event.GetUnicodeKey());
    if (nChar == 0)
        nChar = static_cast<unsigned>(event.GetKeyCode());
    CGridCell cell;
    m_pGrid->GetCellResolved(m_pGrid->CurrentCol(), m_pGrid->CurrentRow(), &cell);
    const int nProcessed = m_pGrid->GetCellTypeOf(cell)->OnChar(m_pGrid->CurrentCol(), m_pGrid->CurrentRow(), &nChar);
    m_pGrid->OnGridChar(&nChar, nProcessed);
}

void CGridWnd::OnMouse(wxMouseEvent& event)
{
    const wxEventType type = event.GetEventType();
    if ((type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN) && m_pGrid->IsEditing())
        return;
    if (type == wxEVT_LEFT_DOWN)
        SetFocus();
    GRIDPOINT pt{event.GetX(), event.GetY()};
    int nCol = -1;
    long nRow = -1;
    GRIDRECT rc;
    const bool bHit = m_pGrid->CellFromPoint(pt.x, pt.y, &nCol, &nRow, &rc) == 0;
    if (!bHit)
    {
        nCol = -1;
        nRow = -1;
    }
    CGridCell cell;
    if (bHit)
        m_pGrid->GetCellResolved(nCol, nRow, &cell);
    CGridCellType* pType = m_pGrid->GetCellTypeOf(cell);
    int nProcessed = 0;
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN)
    {
        const bool bLeft = type == wxEVT_LEFT_DOWN;
        m_pInfo->m_nSelInputKind = bLeft ? 1 : 2;
        m_pInfo->m_nSelInputFlags = (event.ShiftDown() ? 0x4u : 0u) | (event.ControlDown() ? 0x8u : 0u);
        if (bHit)
        {
            m_pGrid->SetCurrentCell(nCol, nRow);
            nProcessed = bLeft ? pType->OnLeftClick(nCol, nRow, 1, &rc, &pt) : pType->OnRightClick(nCol, nRow, 1, &rc, &pt);
        }
        if (bLeft)
            m_pGrid->OnCellLeftClick(nCol, nRow, 1, &rc, &pt, nProcessed);
        else
            m_pGrid->OnCellRightClick(nCol, nRow, 1, &rc, &pt, nProcessed);
        m_pInfo->m_nSelInputKind = 0;
        if (!bLeft && m_pInfo->m_bPopupEnabled)
        {
            const wxPoint screen = ClientToScreen(wxPoint(pt.x, pt.y));
            GRIDPOINT ptScreen{screen.x, screen.y};
            m_pGrid->StartPopupMenu(nCol, nRow, &ptScreen, GRID_SECTION_CELLS);
        }
    }
    else if (type == wxEVT_LEFT_UP)
    {
        if (bHit)
            nProcessed = pType->OnLeftClick(nCol, nRow, 0, &rc, &pt);
        m_pGrid->OnCellLeftClick(nCol, nRow, 0, &rc, &pt, nProcessed);
    }
    else if (type == wxEVT_LEFT_DCLICK)
    {
        if (bHit)
            nProcessed = pType->OnDoubleClick(nCol, nRow, &rc, &pt);
        m_pGrid->OnCellDoubleClick(nCol, nRow, &rc, &pt, nProcessed);
    }
}

// Three rows per notch; a delta below one notch scrolls nothing.
void CGridWnd::OnWheel(wxMouseEvent& event)
{
    const int nNotches = event.GetWheelRotation() / 120;
    if (nNotches != 0)
        m_pGrid->ScrollToRow(m_pInfo->m_nTopRow - nNotches * 3);
}

void CGridWnd::OnFocus(wxFocusEvent& event)
{
    event.Skip();
    if (!m_pInfo)
        return;
    if (event.GetEventType() == wxEVT_SET_FOCUS)
        m_pGrid->OnSectionGotFocus(GRID_SECTION_CELLS);
    m_pGrid->RepaintCell(m_pGrid->CurrentCol(), m_pGrid->CurrentRow());
    if (event.GetEventType() == wxEVT_KILL_FOCUS)
        m_pGrid->OnSectionLostFocus(GRID_SECTION_CELLS);
}

// ---- Headings and corner ----

CGridHeadingWnd::CGridHeadingWnd(CGridCtrl* pGrid, int nSection)
    : CGridChildWnd(pGrid, nSection), m_nSection(nSection)
{
    Bind(wxEVT_PAINT, &CGridHeadingWnd::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CGridHeadingWnd::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CGridHeadingWnd::OnMouse, this);
}

void CGridHeadingWnd::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc);
    const wxSize sz = GetClientSize();
    gdc.FillRect(GRIDRECT{0, 0, sz.x, sz.y}, m_pGrid->OnBackColor(m_nSection));
    if (!m_pInfo)
        return;
    const CGridInfo& s = *m_pInfo;
    if (s.m_pDefaultFont)
        gdc.SelectFont(s.m_pDefaultFont);
    m_pGrid->OnPrepareDC(&gdc, nullptr, m_nSection);
    CGridCell cell;
    auto draw = [&](int nCol, long nRow, GRIDRECT rc) {
        m_pGrid->GetCellResolved(nCol, nRow, &cell);
        gdc.SaveState();
        m_pGrid->GetCellTypeOf(cell)->OnDraw(&gdc, &rc, nCol, nRow, &cell, 0, 0);
        gdc.RestoreState();
    };
    const int nHeadRows = static_cast<int>(s.m_arrHeadingRows.size());
    const int nHeadCols = static_cast<int>(s.m_arrHeadingCols.size());
    if (m_nSection == GRID_SECTION_CORNER)
    {
        draw(-1, -1, GRIDRECT{0, 0, sz.x, sz.y});
        return;
    }
    if (m_nSection == GRID_SECTION_COLHEADING)
    {
        int y = s.m_nColHeadingHeight - s.HeadingRowsSum(); // heading row -1 sits next to the cells
        for (int h = nHeadRows - 1; h >= 0; --h)
        {
            const int nHeight = s.m_arrHeadingRows[static_cast<size_t>(h)];
            int x = 0;
            for (int c = s.m_nLeftCol; c < s.m_nColCount && x < sz.x; ++c)
            {
                draw(c, ~h, GRIDRECT{x, y, x + s.ColWidth(c), y + nHeight});
                x += s.ColWidth(c);
            }
            y += nHeight;
        }
        return;
    }
    int x = s.m_nRowHeadingWidth - s.HeadingColsSum(); // heading column -1 sits next to the cells
    for (int h = nHeadCols - 1; h >= 0; --h)
    {
        const int nWidth = s.m_arrHeadingCols[static_cast<size_t>(h)];
        int y = 0;
        for (long r = s.m_nTopRow; r < s.m_nRowCount && y < sz.y; ++r)
        {
            const int nHeight = s.RowHeight(r);
            if (nHeight > 0)
                draw(~h, r, GRIDRECT{x, y, x + nWidth, y + nHeight});
            y += nHeight;
        }
        x += nWidth;
    }
}

// A press in a heading abandons any edit first, then raises the heading's click notification.
void CGridHeadingWnd::OnMouse(wxMouseEvent& event)
{
    const bool bDown = event.GetEventType() == wxEVT_LEFT_DOWN;
    if (bDown)
        m_pGrid->CancelEdit();
    GRIDPOINT pt{event.GetX(), event.GetY()};
    GRIDRECT rc = GridFromWxRect(GetClientRect());
    if (m_nSection == GRID_SECTION_CORNER)
        m_pGrid->OnCornerLeftClick(bDown ? 1 : 0, &rc, &pt, 0);
    else if (m_nSection == GRID_SECTION_COLHEADING)
        m_pGrid->OnColHeadingLeftClick(-1, -1, bDown ? 1 : 0, &rc, &pt, 0);
    else
        m_pGrid->OnRowHeadingLeftClick(-1, -1, bDown ? 1 : 0, &rc, &pt, 0);
}

// ---- Tip window ----

CGridHint::CGridHint(CGridCtrl* pGrid) : CGridChildWnd(pGrid, 7)
{
    Hide();
}
