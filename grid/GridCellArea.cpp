// CGridCellArea: the paint pass, the update after moves and scrolls, and the hint arithmetic.
// Input handling is in GridCellAreaInput.cpp.
#include "grid/GridCellArea.h"

#include "grid/GridAxis.h"
#include "grid/GridCellType.h"
#include "grid/GridCore.h"
#include "grid/GridDC.h"

#include <algorithm>
#include <climits>

void CGridCellArea::HintAll()
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    m_pGrid->GetDrawHints().AddRange(0, 0, s.m_nColCount, s.m_nRowCount);
}

void CGridCellArea::HintPixels(const GRIDRECT& rc)
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    if (rc.IsEmpty())
        return;
    const CGridColAxis cols(s);
    const CGridRowAxis rows(s);
    const long c1 = cols.IndexAt(s.m_nLeftCol, std::max(0, rc.left));
    const long c2 = cols.IndexAt(s.m_nLeftCol, std::max(0, rc.right - 1));
    const long r1 = rows.IndexAt(s.m_nTopRow, std::max(0, rc.top));
    const long r2 = rows.IndexAt(s.m_nTopRow, std::max(0, rc.bottom - 1));
    m_pGrid->GetDrawHints().AddRange(static_cast<int>(c1), r1, static_cast<int>(c2), r2);
}

GRIDRECT CGridCellArea::HintedPixels() const
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    const CGridDrawHints& hints = m_pGrid->GetDrawHints();
    if (hints.IsEmpty())
        return GRIDRECT{};
    int c1, c2;
    long r1, r2;
    hints.GetBounds(&c1, &r1, &c2, &r2);
    const CGridColAxis cols(s);
    const CGridRowAxis rows(s);
    const int nWidth = s.m_nCellAreaWidth;
    const int nHeight = s.m_nCellAreaHeight;
    GRIDRECT rc;
    rc.left =
        static_cast<int>(std::clamp(cols.Offset(s.m_nLeftCol, c1, nWidth), 0L, static_cast<long>(nWidth)));
    rc.right = static_cast<int>(
        std::clamp(cols.Offset(s.m_nLeftCol, c2 + 1L, nWidth), 0L, static_cast<long>(nWidth)));
    rc.top =
        static_cast<int>(std::clamp(rows.Offset(s.m_nTopRow, r1, nHeight), 0L, static_cast<long>(nHeight)));
    rc.bottom = static_cast<int>(
        std::clamp(rows.Offset(s.m_nTopRow, r2 + 1, nHeight), 0L, static_cast<long>(nHeight)));
    // Joined blocks and overflowing text reach beyond their cells: widen to the full rows.
    if (s.m_bJoins || s.m_bOverflow)
    {
        rc.left = 0;
        rc.right = nWidth;
    }
    // The paint pass fills the space past the last column and row; a scroll may have left old
    // pixels there.
    if (c2 >= s.m_nColCount - 1)
        rc.right = nWidth;
    if (r2 >= s.m_nRowCount - 1)
        rc.bottom = nHeight;
    return rc;
}

void CGridCellArea::PaintCells(CGridDC* pDC, bool bFocus)
{
    CGridInfo& s = *m_pGrid->GetSheet();
    CGridDrawHints& hints = m_pGrid->GetDrawHints();
    if (s.m_pDefaultFont)
        pDC->SelectFont(s.m_pDefaultFont);
    m_pGrid->OnPrepareDC(pDC, nullptr, GRID_SECTION_CELLS);

    const int nWidth = s.m_nCellAreaWidth;
    const int nHeight = s.m_nCellAreaHeight;
    CGridMultiSelect& sel = *s.m_pMultiSelect;
    const bool bSelecting = (s.m_nSelectionMode & 3) != 0;
    CGridCell cell;
    GRIDRECT rcFocus;
    bool bHasFocusRect = false;
    int nRightEdge = 0;
    bool bAllCols = true;
    int y = 0;
    long r = s.m_nTopRow;
    m_nLastVisibleCol = s.m_nColCount - 1;
    m_nLastVisibleRow = s.m_nRowCount - 1;
    m_bLastColCut = m_bLastRowCut = false;

    for (; r < s.m_nRowCount && y < nHeight; ++r)
    {
        const int h = s.RowHeight(r);
        if (h <= 0)
            continue;
        int x = 0;
        int c = s.m_nLeftCol;
        bAllCols = true;
        for (; c < s.m_nColCount; ++c)
        {
            const int w = s.ColWidth(c);
            if (w <= 0)
                continue;
            GRIDRECT rc{x, y, x + w, y + h};
            if (hints.IsHinted(c, r))
            {
                int nCol = c;
                long nRow = r;
                m_pGrid->GetCellResolved(c, r, &cell);
                bool bDraw = true;
                if (s.m_bJoins && cell.HasProperty(GCP_JOIN))
                {
                    int nLastCol;
                    long nLastRow;
                    if (m_pGrid->FindJoinBlock(c, r, &nCol, &nRow, &nLastCol, &nLastRow))
                    {
                        bDraw = !hints.IsJoinDrawn(nCol, nRow);
                        if (bDraw)
                        {
                            hints.AddJoinDrawn(nCol, nRow);
                            m_pGrid->GetCellBounds(nCol, nRow, &rc);
                            if (nCol != c || nRow != r)
                                m_pGrid->GetCellResolved(nCol, nRow, &cell);
                        }
                    }
                }
                if (bDraw)
                {
                    const bool bCurrent =
                        (nCol == s.m_nNotifiedCol || s.m_bWholeRowHighlight) && nRow == s.m_nNotifiedRow;
                    int nBlock = 0;
                    const int bSelected =
                        (!bCurrent && bSelecting && sel.IsSelected(nCol, nRow, &nBlock)) ? nBlock + 1 : 0;
                    pDC->SaveState();
                    m_pGrid->GetCellTypeOf(cell)->OnDraw(pDC, &rc, nCol, nRow, &cell, bSelected,
                                                         bCurrent ? 1 : 0);
                    pDC->RestoreState();
                    ++m_nCellsDrawn;
                    if (bCurrent)
                    {
                        rcFocus = rc;
                        bHasFocusRect = true;
                    }
                }
            }
            x += w;
            if (x >= nWidth)
            {
                m_nLastVisibleCol = c;
                m_bLastColCut = x > nWidth;
                bAllCols = false;
                break;
            }
        }
        if (bAllCols)
            nRightEdge = x;
        else
            nRightEdge = nWidth;
        y += h;
        if (y >= nHeight)
        {
            m_nLastVisibleRow = r;
            m_bLastRowCut = y > nHeight;
            ++r;
            break;
        }
        if (r == s.m_nRowCount - 1)
        {
            // Showing the last row tells the data source and the owner about the end.
            const long nCount = s.m_nRowCount;
            long nNext = nCount;
            m_pGrid->ApplyRowBounds(&nNext);
            if (s.m_nRowCount > nCount)
                hints.AddRange(0, nCount, s.m_nColCount, s.m_nRowCount - 1);
        }
    }
    hints.Reset();

    const GRIDCOLOR crBack = m_pGrid->OnBackColor(GRID_SECTION_CELLS);
    if (nRightEdge < nWidth)
        pDC->FillRect(GRIDRECT{nRightEdge, 0, nWidth, nHeight}, crBack);
    if (y < nHeight)
        pDC->FillRect(GRIDRECT{0, y, std::min(nRightEdge, nWidth), nHeight}, crBack);
    if (bFocus && bHasFocusRect)
    {
        if (s.m_bWholeRowHighlight)
        {
            rcFocus.left = 0;
            rcFocus.right = std::min(nRightEdge, nWidth);
        }
        m_pGrid->OnDrawFocus(pDC, &rcFocus);
    }
}

void CGridCellArea::HintNotified(int nCol, long nRow)
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    if (nCol < 0 || nRow < 0)
        return;
    if (s.m_bWholeRowHighlight)
        m_pGrid->GetDrawHints().AddRange(0, nRow, s.m_nColCount, nRow);
    else
        m_pGrid->GetDrawHints().AddCell(nCol, nRow);
}

void CGridCellArea::Update(IGridCellWindow& wnd)
{
    if (wnd.HasPendingPaint())
    {
        m_pGrid->GetDrawHints().Reset();
        wnd.FlushPaint();
        return;
    }
    CGridInfo& s = *m_pGrid->GetSheet();
    CGridDrawHints& hints = m_pGrid->GetDrawHints();
    const CGridColAxis cols(s);
    const CGridRowAxis rows(s);
    long dx = cols.Distance(s.m_nPrevLeftCol, s.m_nLeftCol, s.m_nCellAreaWidth);
    long dy = rows.Distance(s.m_nPrevTopRow, s.m_nTopRow, s.m_nCellAreaHeight);
    if (std::labs(dx) > s.m_nCellAreaWidth || std::labs(dy) > s.m_nCellAreaHeight)
    {
        HintAll();
        dx = dy = 0;
    }
    if (dx != 0 || dy != 0)
    {
        wnd.ScrollPixels(static_cast<int>(-dx), static_cast<int>(-dy));
        if (dx > 0)
            hints.AddRange(m_bLastColCut ? m_nLastVisibleCol : m_nLastVisibleCol + 1, 0, s.m_nColCount,
                           s.m_nRowCount);
        else if (dx < 0)
            hints.AddRange(0, 0, s.m_nPrevLeftCol - 1, s.m_nRowCount);
        if (dy > 0)
            hints.AddRange(0, m_bLastRowCut ? m_nLastVisibleRow : m_nLastVisibleRow + 1, s.m_nColCount,
                           s.m_nRowCount);
        else if (dy < 0)
            hints.AddRange(0, 0, s.m_nColCount, s.m_nPrevTopRow - 1);
    }
    if (dx != 0 || dy != 0 || s.m_nPrevNotifiedCol != s.m_nNotifiedCol ||
        s.m_nPrevNotifiedRow != s.m_nNotifiedRow)
    {
        HintNotified(s.m_nPrevNotifiedCol, s.m_nPrevNotifiedRow);
        HintNotified(s.m_nNotifiedCol, s.m_nNotifiedRow);
    }
    if (!hints.IsEmpty())
        wnd.DrawHinted();
}
