// CGridSheetTabStrip's paint pass: the strip's face with a dark line along the cells above,
// the two scroll buttons, the tabs (the highlighted one last, in the window colour and open
// towards the sheet) and the sizing grip. Tabs are drawn row by row, each row clipped to the
// part of the strip between the buttons and the grip.
#include "grid/GridSheetTabStrip.h"

#include "grid/GridColors.h"
#include "grid/GridDC.h"

#include <algorithm>

namespace
{
constexpr GRIDCOLOR WHITE = 0xFFFFFF;

void FillSpan(CGridDC& dc, int nLeft, int nRight, int y, const GRIDRECT& rcClip, GRIDCOLOR cr)
{
    const GRIDRECT rc{std::max(nLeft, rcClip.left), y, std::min(nRight, rcClip.right), y + 1};
    if (!rc.IsEmpty())
        dc.FillRect(rc, cr);
}
} // namespace

void CGridSheetTabStrip::Paint(CGridDC& dc, GRIDSIZE sz)
{
    m_szLast = sz;
    Measure(dc);
    ClampScroll(sz);
    const GRIDCOLOR crShadow = GridGetSysColor(GRID_COLOR_BTNSHADOW);
    dc.FillRect(GRIDRECT{0, 0, sz.cx, sz.cy}, GridGetSysColor(GRID_COLOR_BTNFACE));
    dc.DrawLine(0, 0, sz.cx, 0, CGridPen{0, 1, crShadow});
    PaintButton(dc, 0, sz);
    PaintButton(dc, 1, sz);
    // Tabs further left lie on top of those to their right.
    for (int i = GetTabCount() - 1; i >= 0; --i)
        if (i != m_nCurrent)
            PaintTab(dc, i, false, sz);
    if (m_nCurrent >= 0 && m_nCurrent < GetTabCount())
        PaintTab(dc, m_nCurrent, true, sz);
    PaintGrip(dc, sz);
}

// A raised button with a small arrow, greyed when the tabs cannot scroll that way.
void CGridSheetTabStrip::PaintButton(CGridDC& dc, int nButton, GRIDSIZE sz)
{
    const int bw = ButtonWidth();
    const GRIDRECT rc{nButton * bw, 1, std::min(sz.cx, (nButton + 1) * bw), sz.cy};
    if (rc.IsEmpty())
        return;
    const CGridPen penWhite{0, 1, WHITE};
    const CGridPen penShadow{0, 1, GridGetSysColor(GRID_COLOR_BTNSHADOW)};
    dc.DrawLine(rc.left, rc.top, rc.right - 1, rc.top, penWhite);
    dc.DrawLine(rc.left, rc.top, rc.left, rc.bottom - 1, penWhite);
    dc.DrawLine(rc.right - 1, rc.top, rc.right - 1, rc.bottom, penShadow);
    dc.DrawLine(rc.left, rc.bottom - 1, rc.right - 1, rc.bottom - 1, penShadow);
    const bool bEnabled = CanScroll(nButton == 0 ? -1 : 1, sz);
    const CGridPen penArrow{0, 1, bEnabled ? GridGetSysColor(GRID_COLOR_WINDOWTEXT) : penShadow.m_crColor};
    const int cx = rc.left + rc.Width() / 2;
    const int cy = rc.top + rc.Height() / 2;
    // Four columns growing from the tip: the arrow points away from the tabs' start or end.
    for (int i = 0; i < 4; ++i)
    {
        const int x = nButton == 0 ? cx - 2 + i : cx + 1 - i;
        dc.DrawLine(x, cy - i, x, cy + i + 1, penArrow);
    }
}

void CGridSheetTabStrip::PaintTab(CGridDC& dc, int nIndex, bool bCurrent, GRIDSIZE sz)
{
    const GRIDRECT rcArea = TabArea(sz);
    const GRIDRECT rc = TabRect(nIndex, sz);
    if (rc.right <= rcArea.left || rc.left >= rcArea.right)
        return;
    const GRIDCOLOR crBody = GridGetSysColor(bCurrent ? GRID_COLOR_WINDOW : GRID_COLOR_BTNFACE);
    const GRIDCOLOR crEdge = GridGetSysColor(GRID_COLOR_BTNSHADOW);
    const int nSlant = Slant(sz);
    // The highlighted tab joins the sheet: its top row is body, not the strip's line.
    for (int y = bCurrent ? 0 : 1; y < sz.cy; ++y)
    {
        const int nInset = y * nSlant / std::max(1, sz.cy - 1);
        const int l = rc.left + nInset;
        const int r = rc.right - nInset;
        if (y == sz.cy - 1)
        {
            FillSpan(dc, l, r, y, rcArea, crEdge);
            continue;
        }
        FillSpan(dc, l + 1, r - 1, y, rcArea, crBody);
        FillSpan(dc, l, l + 1, y, rcArea, crEdge);
        FillSpan(dc, r - 1, r, y, rcArea, crEdge);
    }
    const GRIDRECT rcText{std::max(rc.left + nSlant, rcArea.left), 1, std::min(rc.right - nSlant, rcArea.right),
                          sz.cy - 1};
    if (rcText.IsEmpty())
        return;
    dc.SaveState();
    dc.SelectFont(&m_font);
    const TAB& tab = GetTab(nIndex);
    const GRIDSIZE ext = dc.GetTextExtent(tab.strName);
    dc.DrawTextClipped(tab.strName, rc.left + nSlant + TEXT_PAD, (sz.cy - ext.cy) / 2, rcText,
                       GridGetSysColor(GRID_COLOR_WINDOWTEXT));
    dc.RestoreState();
}

// Two upright lines, light and dark, where the strip meets the horizontal bar.
void CGridSheetTabStrip::PaintGrip(CGridDC& dc, GRIDSIZE sz)
{
    const GRIDRECT rcArea = TabArea(sz);
    if (rcArea.right >= sz.cx)
        return;
    const int x = rcArea.right + GRIP_WIDTH / 2 - 1;
    dc.DrawLine(x, 2, x, sz.cy - 1, CGridPen{0, 1, WHITE});
    dc.DrawLine(x + 1, 2, x + 1, sz.cy - 1, CGridPen{0, 1, GridGetSysColor(GRID_COLOR_BTNSHADOW)});
}
