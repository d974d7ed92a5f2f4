// CGridCore navigation: moves of the current cell, scrolling, the change dispatch, cell access
// with its layering, and the in-place edit protocol.
#include "grid/GridCore.h"

#include "grid/GridCellType.h"
#include "grid/GridDataSource.h"

#include <algorithm>

// ---- Moves ----

void CGridCore::ResetNotifiedToAnchor()
{
    CGridInfo& s = *m_pInfo;
    if (m_nSelInputKind != 0 || IsShiftDown() || IsControlDown())
        return;
    int nCol;
    long nRow;
    if (s.m_pMultiSelect->GetAnchor(&nCol, &nRow) == 0)
    {
        s.m_nNotifiedCol = nCol;
        s.m_nNotifiedRow = nRow;
    }
}

// Applies the lower and upper row bounds; past the end the data source and the owner hear of
// it first (a source may add rows). Returns 1 when the move cannot go further.
int CGridCore::ApplyRowBounds(long* pnRow)
{
    CGridInfo& s = *m_pInfo;
    if (*pnRow < 0)
        *pnRow = 0;
    if (*pnRow >= s.m_nRowCount)
    {
        long nAdded = 0;
        CGridDataSource* pSource = s.m_pDataSource;
        if (pSource)
            pSource->OnSourcePastEnd(s.m_nRowCount, *pnRow - s.m_nRowCount + 1, &nAdded);
        const long nCount = s.m_nRowCount;
        OnRowsPastEnd(nCount, *pnRow - nCount + 1, nAdded);
        if (*pnRow >= nCount)
        {
            if (s.m_nCurrentRow == nCount - 1)
                return 1;
            *pnRow = nCount - 1;
        }
    }
    return 0;
}

int CGridCore::SetCurrentRow(long nRow)
{
    CGridInfo& s = *m_pInfo;
    ResetNotifiedToAnchor();
    if (nRow == s.m_nCurrentRow)
        return 0;
    if (ApplyRowBounds(&nRow))
        return 1;
    if (s.m_bJoins && s.m_nCurrentCol >= 0 && nRow >= 0)
    {
        int nOrgCol, nLastCol;
        long nOrgRow, nLastRow;
        if (FindJoinBlock(s.m_nCurrentCol, nRow, &nOrgCol, &nOrgRow, &nLastCol, &nLastRow))
        {
            const long nCur = s.m_nCurrentRow;
            const bool bInside = nCur >= nOrgRow && nCur <= nLastRow;
            // Out of a block past its edge; into one, or with no row beyond it, onto its origin.
            if (m_nSelInputKind == 0 && bInside && nCur > nRow && nOrgRow - 1 >= 1)
                nRow = nOrgRow - 1;
            else if (m_nSelInputKind == 0 && bInside && nCur < nRow && nLastRow + 1 < s.m_nRowCount)
                nRow = nLastRow + 1;
            else if (nOrgCol != s.m_nCurrentCol)
                return SetCurrentCell(nOrgCol, nOrgRow); // the block starts left of the column
            else
                nRow = nOrgRow;
        }
    }
    if (nRow == s.m_nCurrentRow)
        return 0;
    if (!OnCanMoveCurrent(s.m_nCurrentCol, s.m_nCurrentRow, s.m_nCurrentCol, nRow))
        return 2;
    s.m_nCurrentRow = nRow;
    KeepRowVisible();
    ChangeDispatch();
    return 0;
}

int CGridCore::SetCurrentCol(int nCol)
{
    CGridInfo& s = *m_pInfo;
    ResetNotifiedToAnchor();
    if (nCol == s.m_nCurrentCol)
        return 0;
    if (nCol < 0)
        nCol = 0;
    if (nCol >= s.m_nColCount)
    {
        if (s.m_nCurrentCol == s.m_nColCount - 1)
            return 1;
        nCol = s.m_nColCount - 1;
    }
    if (s.m_bJoins && s.m_nCurrentRow >= 0 && nCol >= 0)
    {
        int nOrgCol, nLastCol;
        long nOrgRow, nLastRow;
        if (FindJoinBlock(nCol, s.m_nCurrentRow, &nOrgCol, &nOrgRow, &nLastCol, &nLastRow))
        {
            const int nCur = s.m_nCurrentCol;
            const bool bInside = nCur >= nOrgCol && nCur <= nLastCol;
            if (m_nSelInputKind == 0 && bInside && nCur > nCol && nOrgCol - 1 >= 1)
                nCol = nOrgCol - 1;
            else if (m_nSelInputKind == 0 && bInside && nCur < nCol && nLastCol + 1 < s.m_nColCount)
                nCol = nLastCol + 1;
            else if (nOrgRow != s.m_nCurrentRow)
                return SetCurrentCell(nOrgCol, nOrgRow); // the block starts above the row
            else
                nCol = nOrgCol;
        }
    }
    if (nCol == s.m_nCurrentCol)
        return 0;
    if (s.m_pDataSource && s.m_pDataSource->OnSourceCanMove(s.m_nCurrentCol, s.m_nCurrentRow, nCol,
                                                            s.m_nCurrentRow) != 1)
        return 2;
    if (!OnCanMoveCurrent(s.m_nCurrentCol, s.m_nCurrentRow, nCol, s.m_nCurrentRow))
        return 2;
    s.m_nCurrentCol = nCol;
    KeepColVisible();
    ChangeDispatch();
    return 0;
}

int CGridCore::SetCurrentCell(int nCol, long nRow)
{
    CGridInfo& s = *m_pInfo;
    if (nCol == s.m_nCurrentCol && nRow == s.m_nCurrentRow)
        return 0;
    if (nCol < 0 || nCol >= s.m_nColCount)
        return 1;
    if (nRow < 0)
        nRow = 0;
    if (nRow >= s.m_nRowCount && ApplyRowBounds(&nRow))
        return 1; // the row cannot go further: no part of the move happens
    if (s.m_bJoins)
    {
        int nLastCol;
        long nLastRow;
        FindJoinBlock(nCol, nRow, &nCol, &nRow, &nLastCol, &nLastRow);
    }
    if (s.m_pDataSource &&
        s.m_pDataSource->OnSourceCanMove(s.m_nNotifiedCol, s.m_nNotifiedRow, nCol, nRow) != 1)
        return 2;
    if (!OnCanMoveCurrent(s.m_nNotifiedCol, s.m_nNotifiedRow, nCol, nRow))
        return 2;
    s.m_nCurrentCol = nCol;
    s.m_nCurrentRow = nRow;
    KeepColVisible();
    KeepRowVisible();
    ChangeDispatch();
    return 0;
}

int CGridCore::StepCurrentRow(int nHow)
{
    const long nCur = m_pInfo->m_nCurrentRow;
    switch (nHow)
    {
    case GRID_STEP_PREV: return SetCurrentRow(nCur - 1);
    case GRID_STEP_NEXT: return SetCurrentRow(nCur + 1);
    case GRID_STEP_PAGEUP: return SetCurrentRow(PageTarget(nCur, -1, false));
    case GRID_STEP_PAGEDOWN: return SetCurrentRow(PageTarget(nCur, 1, false));
    case GRID_STEP_FIRST: return SetCurrentRow(0);
    case GRID_STEP_LAST: return SetCurrentRow(m_pInfo->m_nRowCount - 1);
    default: return 0;
    }
}

int CGridCore::StepCurrentCol(int nHow)
{
    const int nCur = m_pInfo->m_nCurrentCol;
    switch (nHow)
    {
    case GRID_STEP_PREV: return SetCurrentCol(nCur - 1);
    case GRID_STEP_NEXT: return SetCurrentCol(nCur + 1);
    case GRID_STEP_PAGEUP: return SetCurrentCol(PageTargetCol(nCur, -1));
    case GRID_STEP_PAGEDOWN: return SetCurrentCol(PageTargetCol(nCur, 1));
    case GRID_STEP_FIRST: return SetCurrentCol(0);
    case GRID_STEP_LAST: return SetCurrentCol(m_pInfo->m_nColCount - 1);
    default: return 0;
    }
}

int CGridCore::ScrollToRow(long nRow)
{
    CGridInfo& s = *m_pInfo;
    if (nRow == s.m_nTopRow)
        return 0;
    nRow = std::clamp(nRow, 0L, s.m_nMaxTopRow);
    if (nRow == s.m_nTopRow)
        return s.m_nRowCount == 0 ? 1 : 0;
    if (!OnCanScroll(s.m_nLeftCol, s.m_nTopRow, s.m_nLeftCol, nRow))
        return 2;
    s.m_nTopRow = nRow;
    ChangeDispatch();
    return 0;
}

int CGridCore::ScrollToCol(int nCol)
{
    CGridInfo& s = *m_pInfo;
    if (nCol == s.m_nLeftCol)
        return 0;
    nCol = std::clamp(nCol, 0, s.m_nMaxLeftCol);
    if (nCol == s.m_nLeftCol)
        return s.m_nColCount == 0 ? 1 : 0;
    if (!OnCanScroll(s.m_nLeftCol, s.m_nTopRow, nCol, s.m_nTopRow))
        return 2;
    s.m_nLeftCol = nCol;
    ChangeDispatch();
    return 0;
}

int CGridCore::StepTopRow(int nHow)
{
    const long nTop = m_pInfo->m_nTopRow;
    switch (nHow)
    {
    case GRID_STEP_PREV: return ScrollToRow(nTop - 1);
    case GRID_STEP_NEXT: return ScrollToRow(nTop + 1);
    case GRID_STEP_PAGEUP: return ScrollToRow(PageTarget(nTop, -1, false));
    case GRID_STEP_PAGEDOWN: return ScrollToRow(PageTarget(nTop, 1, true));
    case GRID_STEP_FIRST: return ScrollToRow(0);
    case GRID_STEP_LAST: return ScrollToRow(m_pInfo->m_nRowCount - 1);
    default: return 0;
    }
}

int CGridCore::StepLeftCol(int nHow)
{
    const int nLeft = m_pInfo->m_nLeftCol;
    switch (nHow)
    {
    case GRID_STEP_PREV: return ScrollToCol(nLeft - 1);
    case GRID_STEP_NEXT: return ScrollToCol(nLeft + 1);
    case GRID_STEP_PAGEUP: return ScrollToCol(PageTargetCol(nLeft, -1));
    case GRID_STEP_PAGEDOWN: return ScrollToCol(PageTargetCol(nLeft, 1));
    case GRID_STEP_FIRST: return ScrollToCol(0);
    case GRID_STEP_LAST: return ScrollToCol(m_pInfo->m_nColCount - 1);
    default: return 0;
    }
}

// ---- Change dispatch ----

void CGridCore::ChangeDispatch()
{
    CGridInfo& s = *m_pInfo;
    if (!(s.m_nSelectionMode & 3) || m_bEditing)
    {
        s.m_nNotifiedCol = s.m_nCurrentCol;
        s.m_nNotifiedRow = s.m_nCurrentRow;
    }
    else
    {
        CGridMultiSelect& sel = *s.m_pMultiSelect;
        switch (m_nSelInputKind)
        {
        case 1: sel.OnLeftPress(s.m_nCurrentCol, s.m_nCurrentRow, m_nSelInputFlags); break;
        case 2: sel.OnRightPress(s.m_nCurrentCol, s.m_nCurrentRow); break;
        case 3: sel.OnDrag(s.m_nCurrentCol, s.m_nCurrentRow); break;
        default:
            sel.OnKeyMove(s.m_nCurrentCol, s.m_nCurrentRow, IsShiftDown(), IsControlDown());
            break;
        }
        int nCol;
        long nRow;
        if (sel.GetAnchor(&nCol, &nRow) == 0)
        {
            s.m_nNotifiedCol = nCol;
            s.m_nNotifiedRow = nRow;
        }
        else
        {
            s.m_nNotifiedCol = s.m_nCurrentCol;
            s.m_nNotifiedRow = s.m_nCurrentRow;
        }
    }

    const int nOldCol = s.m_nPrevNotifiedCol;
    const int nNewCol = s.m_nNotifiedCol;
    const long nOldRow = s.m_nPrevNotifiedRow;
    const long nNewRow = s.m_nNotifiedRow;
    const bool bColChanged = nOldCol != nNewCol;
    const bool bRowChanged = nOldRow != nNewRow;
    if (bColChanged)
    {
        if (s.m_pDataSource)
            s.m_pDataSource->OnSourceColChanged(nOldCol, nNewCol);
        OnCurrentColChanged(nOldCol, nNewCol);
    }
    if (bRowChanged)
    {
        if (s.m_pDataSource)
            s.m_pDataSource->OnSourceRowChanged(nOldRow, nNewRow);
        OnCurrentRowChanged(nOldRow, nNewRow);
    }
    if (bColChanged || bRowChanged)
        OnCurrentCellChanged(nOldCol, nNewCol, nOldRow, nNewRow);
    if (s.m_nLeftCol != s.m_nPrevLeftCol)
        OnLeftColChanged(s.m_nPrevLeftCol, s.m_nLeftCol);
    if (s.m_nTopRow != s.m_nPrevTopRow)
        OnTopRowChanged(s.m_nPrevTopRow, s.m_nTopRow);

    KeepTrackWindowClear();

    {
        CGridCell cell;
        if (nOldCol >= 0 && nOldRow >= 0)
        {
            GetCellResolved(nOldCol, nOldRow, &cell);
            GetCellTypeOf(cell)->OnLostCurrent(nOldCol, nOldRow, &cell);
        }
        if (nNewCol >= 0 && nNewRow >= 0)
        {
            GetCellResolved(nNewCol, nNewRow, &cell);
            GetCellTypeOf(cell)->OnGotCurrent(nNewCol, nNewRow, &cell);
        }
    }

    for (int n : {GRID_CHILD_CELLS, GRID_CHILD_ROWHEADING, GRID_CHILD_COLHEADING, GRID_CHILD_VSCROLL,
                  GRID_CHILD_HSCROLL, GRID_CHILD_CORNER})
        if (m_pChildren[n])
            m_pChildren[n]->UpdatePosition();

    s.m_nPrevNotifiedCol = s.m_nNotifiedCol;
    s.m_nPrevNotifiedRow = s.m_nNotifiedRow;
    s.m_nPrevLeftCol = s.m_nLeftCol;
    s.m_nPrevTopRow = s.m_nTopRow;
}

GRIDRECT CGridCore::CellAreaToScreen(const GRIDRECT& rc) const
{
    const GRIDRECT& rcCells = m_pInfo->m_rcSections[GRID_RC_CELLS];
    return GRIDRECT{rc.left + rcCells.left, rc.top + rcCells.top, rc.right + rcCells.left, rc.bottom + rcCells.top};
}

// Moves the tracking window off the current cell: to its right with a 5-pixel gap if that
// fits on the screen, else below, else to its left, else above.
void CGridCore::KeepTrackWindowClear()
{
    if (!m_pTrackWnd || m_pInfo->m_nNotifiedCol < 0 || m_pInfo->m_nNotifiedRow < 0)
        return;
    GRIDRECT rcCell;
    GetCellBounds(m_pInfo->m_nNotifiedCol, m_pInfo->m_nNotifiedRow, &rcCell);
    rcCell = CellAreaToScreen(rcCell);
    GRIDRECT rcOld = m_pTrackWnd->GetScreenRect();
    const bool bCovers = rcOld.left < rcCell.right && rcCell.left < rcOld.right && rcOld.top < rcCell.bottom &&
                         rcCell.top < rcOld.bottom;
    if (!bCovers)
        return;
    const GRIDSIZE szScreen = GetScreenSize();
    const int w = rcOld.Width();
    const int h = rcOld.Height();
    GRIDRECT rcNew = rcOld;
    if (rcCell.right + 5 + w <= szScreen.cx)
        rcNew = GRIDRECT{rcCell.right + 5, rcOld.top, rcCell.right + 5 + w, rcOld.bottom};
    else if (rcCell.bottom + 5 + h <= szScreen.cy)
        rcNew = GRIDRECT{rcOld.left, rcCell.bottom + 5, rcOld.right, rcCell.bottom + 5 + h};
    else if (rcCell.left - 5 - w >= 0)
        rcNew = GRIDRECT{rcCell.left - 5 - w, rcOld.top, rcCell.left - 5, rcOld.bottom};
    else
        rcNew = GRIDRECT{rcOld.left, rcCell.top - 5 - h, rcOld.right, rcCell.top - 5};
    m_pTrackWnd->MoveTo(rcNew);
    OnTrackWindowMoved(&rcOld, &rcNew);
}
