// CGridHintLayout: where the tip goes and how it looks.
#include "grid/GridHintLayout.h"

#include "grid/GridDC.h"

#include <algorithm>

GRIDRECT CGridHintLayout::Place(int x, int y, int nMinWidth, int nTextWidth, GRIDSIZE szParent) const
{
    const int w = std::max(nTextWidth + 4, nMinWidth);
    const int h = m_nLineHeight + 2;
    int nLeft = (m_nAlign & 4) ? x - w / 2 : (m_nAlign & 2) ? x - w : x;
    int nTop = (m_nAlign & 0x20) ? y - h / 2 : (m_nAlign & 0x10) ? y - h : y;
    // Kept inside the parent by moving, the size kept; a box larger than the parent starts
    // left of or above it.
    nLeft = std::max(nLeft, 0);
    nTop = std::max(nTop, 0);
    nLeft -= std::max(0, nLeft + w - szParent.cx);
    nTop -= std::max(0, nTop + h - szParent.cy);
    return GRIDRECT{nLeft, nTop, nLeft + w, nTop + h};
}

void CGridHintLayout::Paint(CGridDC& dc, GRIDSIZE szBox) const
{
    const GRIDRECT rc{0, 0, szBox.cx, szBox.cy};
    dc.SaveState();
    if (m_pFont)
        dc.SelectFont(m_pFont);
    dc.DrawTextOpaque(m_strText, 2, 1, rc, m_crText, m_crBack);
    const CGridPen pen{0, 1, 0x000000};
    dc.DrawLine(0, 0, szBox.cx - 1, 0, pen);
    dc.DrawLine(szBox.cx - 1, 0, szBox.cx - 1, szBox.cy - 1, pen);
    dc.DrawLine(szBox.cx - 1, szBox.cy - 1, 0, szBox.cy - 1, pen);
    dc.DrawLine(0, szBox.cy - 1, 0, 0, pen);
    dc.RestoreState();
}
