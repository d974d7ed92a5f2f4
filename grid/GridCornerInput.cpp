// CGridCornerInput: sizing the headings from the corner, and its clicks.
#include "grid/GridCornerInput.h"

#include "grid/GridCore.h"
#include "grid/GridKeys.h"

#include <algorithm>

void CGridCornerInput::OnMouseMove(GRIDPOINT pt, unsigned nFlags, const GRIDRECT& rc, IGridHeadingWindow& wnd)
{
    CGridInfo& s = *m_pGrid->GetSheet();
    if (m_bCaptured)
    {
        if (m_bVertical)
        {
            int nHeight = std::max(0, pt.y);
            m_pGrid->OnColHeadingResizing(&nHeight);
            m_pGrid->SetColHeadingHeight(nHeight);
        }
        else if (m_bHorizontal)
        {
            int nWidth = std::max(0, pt.x);
            m_pGrid->OnRowHeadingResizing(&nWidth);
            m_pGrid->SetRowHeadingWidth(nWidth);
        }
        m_pGrid->AdjustLayout();
        return;
    }
    if ((nFlags & GRID_MK_LBUTTON) || s.m_nSizingMode <= 0)
        return;
    m_bHorizontal = pt.x > rc.right - 4 && m_pGrid->OnCanResizeRowHeading();
    m_bVertical = !m_bHorizontal && pt.y > rc.bottom - 4 && m_pGrid->OnCanResizeColHeading();
    const bool bWas = m_bSizing;
    m_bSizing = m_bHorizontal || m_bVertical;
    const int nCursor = s.m_nCursors[m_bHorizontal ? GRID_CURSOR_SIZEWE
                                     : m_bVertical ? GRID_CURSOR_SIZENS
                                                   : GRID_CURSOR_ARROW];
    if (m_bSizing || bWas)
    {
        m_nCursor = nCursor;
        wnd.SetCursorKind(nCursor);
    }
}

void CGridCornerInput::OnLeftDown(GRIDPOINT pt, const GRIDRECT& rc, IGridHeadingWindow& wnd)
{
    m_pGrid->CancelEdit();
    if (m_bSizing)
    {
        m_bCaptured = true;
        wnd.Capture();
        return;
    }
    GRIDRECT rcCopy = rc;
    m_pGrid->OnCornerLeftClick(1, &rcCopy, &pt, 0);
}

void CGridCornerInput::OnLeftUp(GRIDPOINT pt, const GRIDRECT& rc, IGridHeadingWindow& wnd)
{
    if (m_bCaptured)
    {
        m_bCaptured = false;
        wnd.Release();
    }
    GRIDRECT rcCopy = rc;
    m_pGrid->OnCornerLeftClick(0, &rcCopy, &pt, 0);
}

void CGridCornerInput::OnLeftDouble(GRIDPOINT pt, const GRIDRECT& rc)
{
    GRIDRECT rcCopy = rc;
    m_pGrid->OnCornerDoubleClick(&rcCopy, &pt, 0);
}

void CGridCornerInput::OnRightDown(GRIDPOINT pt, const GRIDRECT& rc, IGridHeadingWindow& wnd)
{
    GRIDRECT rcCopy = rc;
    m_pGrid->OnCornerRightClick(1, &rcCopy, &pt, 0);
    if (m_pGrid->GetSheet()->m_bPopupEnabled)
    {
        GRIDPOINT ptScreen = wnd.ToScreen(pt);
        m_pGrid->StartPopupMenu(-1, -1, &ptScreen, GRID_SECTION_CORNER);
    }
}

void CGridCornerInput::OnRightUp(GRIDPOINT pt, const GRIDRECT& rc)
{
    GRIDRECT rcCopy = rc;
    m_pGrid->OnCornerRightClick(0, &rcCopy, &pt, 0);
}
