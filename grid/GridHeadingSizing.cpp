// CGridHeadingInput: sizing columns, rows and heading bands by dragging their edges.
#include "grid/GridHeadingInput.h"

#include "grid/GridAxis.h"
#include "grid/GridCore.h"
#include "grid/GridKeys.h"

#include <algorithm>

namespace
{
// A boundary is hit when the pointer lies strictly within 3 pixels of it.
bool NearEdge(int nCoord, long nEdge)
{
    return nCoord > nEdge - 3 && nCoord < nEdge + 3;
}
} // namespace

int CGridHeadingInput::CanResize(long n) const
{
    return m_bRows ? m_pGrid->OnCanResizeRow(n) : m_pGrid->OnCanResizeCol(static_cast<int>(n));
}

void CGridHeadingInput::Resizing(long n, int* pnSize) const
{
    if (m_bRows)
        m_pGrid->OnRowResizing(n, pnSize);
    else
        m_pGrid->OnColResizing(static_cast<int>(n), pnSize);
}

void CGridHeadingInput::SetSize(long n, int nSize) const
{
    if (m_bRows)
        m_pGrid->SetRowHeight(n, nSize);
    else
        m_pGrid->SetColumnWidth(static_cast<int>(n), nSize);
}

int CGridHeadingInput::GetSize(long n) const
{
    return m_bRows ? m_pGrid->GetRowHeight(n) : m_pGrid->GetColumnWidth(static_cast<int>(n));
}

// A column's (row's) right (bottom) edge near the pointer; a zero-size next one is sized instead,
// so that a hidden column can be dragged open.
bool CGridHeadingInput::FindPositionZone(int nAlong)
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    const CGridAxis axis = m_bRows ? static_cast<CGridAxis>(CGridRowAxis(s)) : CGridColAxis(s);
    const long nCount = axis.Count();
    const int nExtent = CellExtent();
    long nEdge = 0;
    long i = FirstScrolled();
    while (i < nCount && nEdge <= nExtent)
    {
        nEdge += axis.Size(i);
        if (NearEdge(nAlong, nEdge))
        {
            long n = i;
            if (n + 1 < nCount && axis.Size(n + 1) == 0)
                ++n;
            if (!CanResize(n))
                return false;
            m_nSizing = n;
            m_nStartSize = axis.Size(n);
            m_nStartCoord = nAlong;
            // The rows above the border, counted to the nearest edge (the pointer may lie just
            // above it).
            const int h = std::max(1, s.m_nDefRowHeight);
            m_nRowsAbove = m_bRows && s.m_bUniformHeight ? (nAlong + h / 2) / h : 0;
            return true;
        }
        ++i;
    }
    return false;
}

// The bottom (right) edge of a heading row (column) near the pointer, from the outside in.
bool CGridHeadingInput::FindHeadingZone(int nAcross)
{
    int nEdge = HeadingTotal();
    for (int h = -1; h >= -HeadingCount(); --h)
    {
        if (NearEdge(nAcross, nEdge))
        {
            if (!(m_bRows ? m_pGrid->OnCanResizeRowHeading() : m_pGrid->OnCanResizeColHeading()))
                return false;
            m_nSizing = h;
            m_nStartSize = HeadingSize(h);
            m_nStartCoord = nAcross;
            m_nStartTotal = HeadingTotal();
            return true;
        }
        nEdge -= HeadingSize(h);
    }
    return false;
}

void CGridHeadingInput::UpdateZone(GRIDPOINT pt, IGridHeadingWindow& wnd)
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    if (s.m_nSizingMode == 0)
        return;
    const int nWe = s.m_nCursors[GRID_CURSOR_SIZEWE], nNs = s.m_nCursors[GRID_CURSOR_SIZENS];
    bool bHit;
    if (m_bRows)
    {
        // Heading columns first, then rows.
        m_bHeadingZone = bHit = FindHeadingZone(Across(pt));
        if (!bHit)
            bHit = FindPositionZone(Along(pt));
        m_nCursor = !bHit ? m_nCursor : m_bHeadingZone ? nWe : nNs;
    }
    else
    {
        bHit = FindPositionZone(Along(pt));
        m_bHeadingZone = !bHit && FindHeadingZone(Across(pt));
        bHit = bHit || m_bHeadingZone;
        m_nCursor = !bHit ? m_nCursor : m_bHeadingZone ? nNs : nWe;
    }
    if (bHit)
    {
        m_bZone = true;
        wnd.SetCursorKind(m_nCursor);
    }
    else if (m_bZone)
    {
        m_bZone = false;
        m_nCursor = s.m_nCursors[GRID_CURSOR_ARROW];
        wnd.SetCursorKind(m_nCursor);
    }
}

void CGridHeadingInput::ShowMarker(const GRIDRECT& rc, IGridHeadingWindow& wnd)
{
    ClearMarker(wnd);
    m_rcMarker = rc;
    wnd.DrawMarker(rc);
}

void CGridHeadingInput::ClearMarker(IGridHeadingWindow& wnd)
{
    if (m_rcMarker.left != -1 || m_rcMarker.top != -1)
        wnd.EraseMarker(m_rcMarker);
    m_rcMarker = GRIDRECT{-1, -1, -1, -1};
}

void CGridHeadingInput::DragSize(GRIDPOINT pt, IGridHeadingWindow& wnd)
{
    CGridInfo& s = *m_pGrid->GetSheet();
    if (m_bHeadingZone)
    {
        const int d = Across(pt) - m_nStartCoord;
        const int nSize = std::max(0, m_nStartSize + d);
        int nTotal = std::max(0, m_nStartTotal + d);
        if (m_bRows)
        {
            m_pGrid->SetRowHeadingColWidth(static_cast<int>(m_nSizing), nSize);
            m_pGrid->OnRowHeadingResizing(&nTotal);
            s.m_nRowHeadingWidth = std::min(std::max(0, nTotal), 1024);
        }
        else
        {
            m_pGrid->SetColHeadingRowHeight(static_cast<int>(m_nSizing), nSize);
            m_pGrid->OnColHeadingResizing(&nTotal);
            s.m_nColHeadingHeight = std::min(std::max(0, nTotal), 1024);
        }
        m_pGrid->AdjustLayout();
        wnd.RepaintHeading();
        return;
    }
    // The edge never passes the position's own start: the smallest size is 0.
    const int nAlong = std::max(Along(pt), m_nStartCoord - m_nStartSize);
    int nSize = m_nStartSize + nAlong - m_nStartCoord;
    if (m_bRows && s.m_bUniformHeight)
        nSize = m_nRowsAbove > 0 ? std::max(1, nAlong) / static_cast<int>(m_nRowsAbove) : std::max(1, nAlong);
    Resizing(m_nSizing, &nSize);
    SetSize(m_nSizing, std::max(0, nSize));
    if (s.m_nSizingMode == 1)
    {
        // The last heading row (column) takes what the heading's total leaves over, so heading
        // sizes that no longer add up are set right while the heading is redrawn.
        std::vector<int>& arrHeading = m_bRows ? s.m_arrHeadingCols : s.m_arrHeadingRows;
        if (!arrHeading.empty())
        {
            const int nTotal = m_bRows ? s.m_nRowHeadingWidth : s.m_nColHeadingHeight;
            const int nOthers = (m_bRows ? s.HeadingColsSum() : s.HeadingRowsSum()) - arrHeading.back();
            arrHeading.back() = std::max(0, nTotal - nOthers);
        }
        wnd.RepaintHeading();
        // Everything from the dragged column (row) on has moved: it is repainted with the new
        // size, which also takes the old marker away. With uniform heights every row moved.
        const int nFrom = (m_bRows && s.m_bUniformHeight) ? 0 : std::max(0, m_nStartCoord - m_nStartSize - 3);
        wnd.EraseMarker(m_bRows ? GRIDRECT{0, nFrom, s.m_nCellAreaWidth, s.m_nCellAreaHeight}
                                : GRIDRECT{nFrom, 0, s.m_nCellAreaWidth, s.m_nCellAreaHeight});
        m_rcMarker = GRIDRECT{-1, -1, -1, -1};
        ShowMarker(m_bRows ? GRIDRECT{0, nAlong - 1, s.m_nCellAreaWidth, nAlong + 1}
                           : GRIDRECT{nAlong - 1, 0, nAlong + 1, s.m_nCellAreaHeight},
                   wnd);
    }
    else
        m_pGrid->RepaintAll();
}
