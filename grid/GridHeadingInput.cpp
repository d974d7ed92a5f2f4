// CGridHeadingInput: the headings' geometry, hit tests, clicks and column moves.
#include "grid/GridHeadingInput.h"

#include "grid/GridAxis.h"
#include "grid/GridCellType.h"
#include "grid/GridCore.h"
#include "grid/GridKeys.h"

#include <algorithm>

int CGridHeadingInput::CellExtent() const
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    return m_bRows ? s.m_nCellAreaHeight : s.m_nCellAreaWidth;
}

int CGridHeadingInput::HeadingTotal() const
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    return m_bRows ? s.m_nRowHeadingWidth : s.m_nColHeadingHeight;
}

int CGridHeadingInput::HeadingCount() const
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    return static_cast<int>(m_bRows ? s.m_arrHeadingCols.size() : s.m_arrHeadingRows.size());
}

// nIndex is -1 for the heading row (column) next to the cells, -count for the outermost.
int CGridHeadingInput::HeadingSize(int nIndex) const
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    const auto& arr = m_bRows ? s.m_arrHeadingCols : s.m_arrHeadingRows;
    const size_t n = static_cast<size_t>(~nIndex);
    return nIndex < 0 && n < arr.size() ? arr[n] : 0;
}

long CGridHeadingInput::FirstScrolled() const
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    return m_bRows ? s.m_nTopRow : s.m_nLeftCol;
}

int CGridHeadingInput::HitTest(GRIDPOINT pt, int* pnCol, long* pnRow, GRIDRECT* pRect) const
{
    const CGridInfo& s = *m_pGrid->GetSheet();
    const CGridAxis axis = m_bRows ? static_cast<CGridAxis>(CGridRowAxis(s)) : CGridColAxis(s);
    *pnCol = -1;
    *pnRow = -1;
    const int nAlong = Along(pt);
    long nPos = -1, nStart = 0, nEnd = 0;
    if (nAlong >= 0)
    {
        long nHit, nFrom, nTo;
        if (axis.HitAt(FirstScrolled(), nAlong, &nHit, &nFrom, &nTo))
        {
            nPos = nHit;
            nStart = nFrom;
            nEnd = nTo;
        }
    }
    int nHeading = 0, nHFrom = 0, nHTo = 0;
    const int nAcross = Across(pt);
    for (int h = -HeadingCount(), nEdge = HeadingTotal() - (m_bRows ? s.HeadingColsSum() : s.HeadingRowsSum());
         h <= -1; ++h)
    {
        const int n = HeadingSize(h);
        if (nAcross >= nEdge && nAcross < nEdge + n)
        {
            nHeading = h;
            nHFrom = nEdge;
            nHTo = nEdge + n;
            break;
        }
        nEdge += n;
    }
    if (nPos < 0 || nHeading == 0)
        return 1;
    // A joined heading cell is hit as its whole block, named by its origin.
    int nOrgCol, nLastCol;
    long nOrgRow, nLastRow;
    if (s.m_bJoins && m_pGrid->FindJoinBlock(m_bRows ? nHeading : static_cast<int>(nPos), m_bRows ? nPos : nHeading,
                                             &nOrgCol, &nOrgRow, &nLastCol, &nLastRow))
    {
        const long nOrgPos = m_bRows ? nOrgRow : nOrgCol, nLastPos = m_bRows ? nLastRow : nLastCol;
        const int nOrgHeading = static_cast<int>(m_bRows ? nOrgCol : nOrgRow);
        const int nLastHeading = static_cast<int>(std::min(-1L, m_bRows ? static_cast<long>(nLastCol) : nLastRow));
        const long nLimit = 1L << 30;
        const long nPosStart = nStart;
        nStart = nPosStart + axis.Distance(nPos, nOrgPos, nLimit);
        nEnd = nPosStart + axis.Distance(nPos, nLastPos + 1, nLimit);
        for (int h = nHeading; h > nOrgHeading; --h)
            nHFrom -= HeadingSize(h - 1);
        for (int h = nHeading; h < nLastHeading; ++h)
            nHTo += HeadingSize(h + 1);
        nPos = nOrgPos;
        nHeading = nOrgHeading;
    }
    if (m_bRows)
    {
        *pnCol = nHeading;
        *pnRow = nPos;
        *pRect = GRIDRECT{nHFrom, static_cast<int>(nStart), nHTo, static_cast<int>(nEnd)};
    }
    else
    {
        *pnCol = static_cast<int>(nPos);
        *pnRow = nHeading;
        *pRect = GRIDRECT{static_cast<int>(nStart), nHFrom, static_cast<int>(nEnd), nHTo};
    }
    return 0;
}

void CGridHeadingInput::OnMouseMove(GRIDPOINT pt, unsigned nFlags, IGridHeadingWindow& wnd)
{
    if (m_bCaptured)
        DragSize(pt, wnd);
    else if (m_nMoveSource >= 0 && (nFlags & GRID_MK_LBUTTON))
        DragMove(pt, wnd);
    else if (!(nFlags & (GRID_MK_LBUTTON | GRID_MK_RBUTTON)))
        UpdateZone(pt, wnd);
}

void CGridHeadingInput::Click(int nCol, long nRow, int bDown, bool bRight, GRIDRECT* pRect, GRIDPOINT* pPoint,
                              int nProcessed)
{
    if (m_bRows)
        (m_pGrid->*(bRight ? &CGridCore::OnRowHeadingRightClick : &CGridCore::OnRowHeadingLeftClick))(
            nCol, nRow, bDown, pRect, pPoint, nProcessed);
    else
        (m_pGrid->*(bRight ? &CGridCore::OnColHeadingRightClick : &CGridCore::OnColHeadingLeftClick))(
            nCol, nRow, bDown, pRect, pPoint, nProcessed);
}

void CGridHeadingInput::OnLeftDown(GRIDPOINT pt, unsigned, IGridHeadingWindow& wnd)
{
    m_pGrid->CancelEdit();
    if (m_bZone)
    {
        m_bCaptured = true;
        wnd.Capture();
        if (IGridChild* pCells = m_pGrid->GetChild(GRID_CHILD_CELLS))
            if (!pCells->HasFocus())
                pCells->SetFocus();
        return;
    }
    int nCol;
    long nRow;
    GRIDRECT rc;
    if (HitTest(pt, &nCol, &nRow, &rc) != 0)
        return;
    const int nProcessed = m_pGrid->GetCellTypeAt(nCol, nRow)->OnLeftClick(nCol, nRow, m_bRows ? 0 : 1, &rc, &pt);
    Click(nCol, nRow, 1, false, &rc, &pt, nProcessed);
    if (!m_bRows)
    {
        if (m_pGrid->GetSheet()->m_bColMove && m_pGrid->OnColDragStart(nCol))
            m_nMoveSource = nCol;
        wnd.Capture();
    }
}

void CGridHeadingInput::OnLeftUp(GRIDPOINT pt, unsigned, IGridHeadingWindow& wnd)
{
    if (m_bCaptured)
    {
        if (m_bHeadingZone)
        {
            int nTotal = HeadingTotal();
            if (m_bRows)
                m_pGrid->OnRowHeadingResized(&nTotal);
            else
                m_pGrid->OnColHeadingResized(&nTotal);
        }
        else
        {
            int nSize = GetSize(m_nSizing);
            const int nWas = nSize;
            if (m_bRows)
                m_pGrid->OnRowResized(m_nSizing, &nSize);
            else
                m_pGrid->OnColResized(static_cast<int>(m_nSizing), &nSize);
            if (nSize != nWas)
                SetSize(m_nSizing, nSize);
        }
        m_bCaptured = false;
        ClearMarker(wnd);
        wnd.Release();
        m_pGrid->AdjustLayout();
        m_pGrid->RepaintAll();
        return;
    }
    int nCol;
    long nRow;
    GRIDRECT rc;
    if (HitTest(pt, &nCol, &nRow, &rc) == 0)
    {
        const int nProcessed = m_pGrid->GetCellTypeAt(nCol, nRow)->OnLeftClick(nCol, nRow, 0, &rc, &pt);
        Click(nCol, nRow, 0, false, &rc, &pt, nProcessed);
    }
    if (m_nMoveSource >= 0)
        DropMove(wnd);
    if (!m_bRows)
        wnd.Release();
}

void CGridHeadingInput::OnLeftDouble(GRIDPOINT pt, unsigned nFlags, IGridHeadingWindow& wnd)
{
    if (m_bZone && !m_bHeadingZone && !m_bRows)
    {
        if (m_pGrid->GetSheet()->m_bBestFitOnDblClick)
        {
            m_pGrid->AutoFitCols(static_cast<int>(m_nSizing), static_cast<int>(m_nSizing), 20, 1);
            m_pGrid->RepaintAll();
        }
        m_bZone = false;
        UpdateZone(pt, wnd);
        return;
    }
    (void)nFlags;
    int nCol;
    long nRow;
    GRIDRECT rc;
    if (HitTest(pt, &nCol, &nRow, &rc) != 0)
        return;
    const int nProcessed = m_pGrid->GetCellTypeAt(nCol, nRow)->OnDoubleClick(nCol, nRow, &rc, &pt);
    if (m_bRows)
        m_pGrid->OnRowHeadingDoubleClick(nCol, nRow, &rc, &pt, nProcessed);
    else
        m_pGrid->OnColHeadingDoubleClick(nCol, nRow, &rc, &pt, nProcessed);
}

void CGridHeadingInput::OnRightDown(GRIDPOINT pt, IGridHeadingWindow& wnd)
{
    int nCol;
    long nRow;
    GRIDRECT rc;
    if (HitTest(pt, &nCol, &nRow, &rc) != 0)
        return;
    const int nProcessed = m_pGrid->GetCellTypeAt(nCol, nRow)->OnRightClick(nCol, nRow, 0, &rc, &pt);
    Click(nCol, nRow, 1, true, &rc, &pt, nProcessed);
    if (m_pGrid->GetSheet()->m_bPopupEnabled)
    {
        GRIDPOINT ptScreen = wnd.ToScreen(pt);
        m_pGrid->StartPopupMenu(nCol, nRow, &ptScreen, m_bRows ? GRID_SECTION_ROWHEADING : GRID_SECTION_COLHEADING);
    }
}

void CGridHeadingInput::OnRightUp(GRIDPOINT pt, IGridHeadingWindow&)
{
    int nCol;
    long nRow;
    GRIDRECT rc;
    if (HitTest(pt, &nCol, &nRow, &rc) != 0)
        return;
    const int nProcessed = m_pGrid->GetCellTypeAt(nCol, nRow)->OnRightClick(nCol, nRow, 0, &rc, &pt);
    Click(nCol, nRow, 0, true, &rc, &pt, nProcessed);
}

bool CGridHeadingInput::IsMoveScrolling(GRIDPOINT pt) const
{
    return m_nMoveSource >= 0 && !m_bRows && (pt.x < 0 || pt.x > m_pGrid->GetSheet()->m_nCellAreaWidth);
}

void CGridHeadingInput::DragMove(GRIDPOINT pt, IGridHeadingWindow& wnd)
{
    CGridInfo& s = *m_pGrid->GetSheet();
    if (pt.x < 0 || pt.x > s.m_nCellAreaWidth)
    {
        // One step per move past an edge; the window repeats the move while the pointer stays.
        ClearMarker(wnd);
        m_pGrid->StepLeftCol(pt.x < 0 ? 0 : 1);
        wnd.RepaintHeading();
        return;
    }
    int nCol;
    long nRow;
    GRIDRECT rc;
    if (HitTest(GRIDPOINT{pt.x, std::max(1, s.m_nColHeadingHeight - 1)}, &nCol, &nRow, &rc) != 0 &&
        HitTest(GRIDPOINT{pt.x, 1}, &nCol, &nRow, &rc) != 0)
        return;
    if (nCol == m_nMoveSource && m_nMoveTarget < 0)
        return;
    const bool bFirst = m_nMoveTarget < 0;
    int nEdge;
    if (pt.x > (rc.left + rc.right) / 2)
    {
        m_nMoveTarget = nCol + 1;
        nEdge = rc.right;
    }
    else
    {
        m_nMoveTarget = nCol;
        nEdge = rc.left;
    }
    m_nMoveTarget = std::min(m_nMoveTarget, s.m_nColCount);
    if (bFirst)
        wnd.RepaintHeading(); // the source is drawn highlighted from now on
    ShowMarker(GRIDRECT{nEdge, 0, nEdge + 2, s.m_nCellAreaHeight}, wnd);
}

void CGridHeadingInput::DropMove(IGridHeadingWindow& wnd)
{
    const int nDrop = m_nMoveTarget < 0 ? -1 : m_nMoveTarget > m_nMoveSource ? m_nMoveTarget - 1 : m_nMoveTarget;
    const bool bTarget = m_nMoveTarget >= 0;
    ClearMarker(wnd);
    if (m_pGrid->OnCanColDrop(m_nMoveSource, nDrop) && bTarget)
        m_pGrid->MoveColumn(m_nMoveSource, m_nMoveTarget, 1);
    m_nMoveSource = m_nMoveTarget = -1;
    if (bTarget)
        m_pGrid->RepaintAll();
    else
        wnd.RepaintHeading();
}
