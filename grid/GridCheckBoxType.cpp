// CGridCheckBoxType: the box in one of three drawing styles with a tick or a cross, and its
// toggling by a click released on the box or by Space.
#include "grid/GridCheckBoxType.h"

#include "grid/GridCell.h"
#include "grid/GridColors.h"
#include "grid/GridCore.h"
#include "grid/GridDC.h"

#include <algorithm>

namespace
{
const GRIDTYPEID CHECKBOX_ID = {
    {0x3b, 0x1f, 0x6a, 0x52, 0x0c, 0x47, 0x4e, 0x11, 0x9a, 0x21, 0x5d, 0x70, 0xc4, 0x02, 0x8e, 0x03}};
const CGridPen BLACK{0, 1, 0x000000};

// A square ring of one-pixel lines at (x, y) of size n.
void Ring(CGridDC* pDC, int x, int y, int n, const CGridPen& penTopLeft, const CGridPen& penBottomRight)
{
    pDC->DrawLine(x, y + n - 1, x, y, penTopLeft);
    pDC->DrawLine(x, y, x + n - 1, y, penTopLeft);
    pDC->DrawLine(x + n - 1, y, x + n - 1, y + n - 1, penBottomRight);
    pDC->DrawLine(x + n - 1, y + n - 1, x, y + n - 1, penBottomRight);
}
} // namespace

CGridCheckBoxType::CGridCheckBoxType()
    : m_penShadow{0, 1, GridGetSysColor(GRID_COLOR_BTNSHADOW)}, m_penFace{0, 1,
                                                                          GridGetSysColor(GRID_COLOR_BTNFACE)}
{
    m_bEditable = 0;
    m_bCanOverflow = 0;
}

const char* CGridCheckBoxType::GetName() const
{
    return "Standard CheckBox Type";
}
const GRIDTYPEID* CGridCheckBoxType::GetTypeId() const
{
    return &CHECKBOX_ID;
}

int CGridCheckBoxType::BoxSize(const GRIDRECT& rc)
{
    return std::min(rc.Height() - 6, 12);
}

GRIDPOINT CGridCheckBoxType::BoxOrigin(const GRIDRECT& rc)
{
    return GRIDPOINT{rc.left + 3, rc.top + (rc.Height() - BoxSize(rc)) / 2};
}

void CGridCheckBoxType::OnDraw(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell,
                               int bSelected, int bCurrent)
{
    if (!pDC || !pRect || !pCell)
        return;
    GRIDRECT rc;
    DrawCellBorder(pDC, *pRect, &rc, pCell);
    const int nSize = BoxSize(rc);
    const GRIDPOINT box = BoxOrigin(rc);
    const GRIDCOLOR crStrip =
        IsHighlighted(bSelected, bCurrent) ? pCell->GetHBackColor() : pCell->GetBackColor();
    pDC->FillRect(GRIDRECT{rc.left, rc.top, std::min(rc.right, rc.left + std::max(0, nSize) + 6), rc.bottom},
                  crStrip);
    if (nSize > 5)
    {
        const int nParam = pCell->GetCellTypeParam();
        DrawBox(pDC, box.x, box.y, nSize, nParam);
        if (pCell->GetNumber() > 0)
        {
            const int nRing = (nParam & (GRID_CHECK_SUNKEN3D | GRID_CHECK_RAISED3D)) ? 2 : 1;
            DrawMark(pDC, box.x + nRing, box.y + nRing, box.x + nSize - nRing, box.y + nSize - nRing, nSize,
                     nParam);
        }
    }
    m_bUseLabel = 1;
    const GRIDRECT rcLabel{rc.left + std::max(0, nSize) + 6, rc.top, rc.right, rc.bottom};
    if (!rcLabel.IsEmpty())
        DrawCellText(pDC, rcLabel, 0, nCol, nRow, pCell, bSelected, bCurrent);
}

void CGridCheckBoxType::DrawBox(CGridDC* pDC, int x, int y, int n, int nParam)
{
    int nRing = 1;
    if (nParam & GRID_CHECK_SUNKEN3D)
    {
        Ring(pDC, x, y, n, m_penShadow, m_penLight);
        Ring(pDC, x + 1, y + 1, n - 2, BLACK, m_penFace);
        nRing = 2;
    }
    else if (nParam & GRID_CHECK_RAISED3D)
    {
        Ring(pDC, x, y, n, m_penLight, BLACK);
        Ring(pDC, x + 1, y + 1, n - 2, m_penFace, m_penShadow);
        nRing = 2;
    }
    else
        Ring(pDC, x, y, n, BLACK, BLACK);
    pDC->FillRect(GRIDRECT{x + nRing, y + nRing, x + n - nRing, y + n - nRing},
                  GridGetSysColor(GRID_COLOR_WINDOW));
}

// The tick or the cross inside the box whose inner edges are x, y, x2, y2.
void CGridCheckBoxType::DrawMark(CGridDC* pDC, int x, int y, int x2, int y2, int nSize, int nParam)
{
    const int nStrokes = nSize > 9 ? 3 : 2;
    if (nParam & GRID_CHECK_TICK)
    {
        for (int i = 0; i < nStrokes; ++i)
        {
            pDC->DrawLine(x + 2, y2 - 4 + i, x + 4, y2 - 2 + i, BLACK);
            pDC->DrawLine(x + 4, y2 - 2 + i, x2 - 1, y + 1 + i, BLACK);
        }
        return;
    }
    pDC->DrawLine(x + 1, y + 1, x2 - 1, y2 - 1, BLACK);
    pDC->DrawLine(x2 - 2, y + 1, x, y2 - 1, BLACK);
    if (nSize > 9)
    {
        pDC->DrawLine(x + 2, y + 1, x2 - 1, y2 - 2, BLACK);
        pDC->DrawLine(x2 - 2, y + 2, x + 1, y2 - 1, BLACK);
    }
}

int CGridCheckBoxType::OnLeftClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint)
{
    if (bDown || !pRect || !pPoint)
        return 0;
    const int nSize = BoxSize(*pRect);
    const GRIDPOINT box = BoxOrigin(*pRect);
    if (pPoint->x < box.x || pPoint->x > box.x + nSize || pPoint->y < box.y || pPoint->y > box.y + nSize)
        return 0;
    return Toggle(nCol, nRow, false);
}

int CGridCheckBoxType::OnDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint)
{
    return OnLeftClick(nCol, nRow, 1, pRect, pPoint);
}

int CGridCheckBoxType::OnChar(int, long, unsigned* pnChar)
{
    if (!pnChar || *pnChar != GRID_VK_SPACE || !m_pGrid)
        return 0;
    return Toggle(m_pGrid->CurrentCol(), m_pGrid->CurrentRow(), true);
}

// A click clears any positive number and sets 0; Space tests the cell as a switch. A cell
// read-only by its column's defaults is as read-only as one that stores the flag.
int CGridCheckBoxType::Toggle(int nCol, long nRow, bool bByKey)
{
    if (!m_pGrid || nCol < 0 || nRow < 0)
        return 0;
    CGridCell shown;
    m_pGrid->GetCellResolved(nCol, nRow, &shown);
    if (shown.GetReadOnly())
        return 0;
    CGridCell cell;
    m_pGrid->GetCell(nCol, nRow, &cell);
    const bool bWasSet = bByKey ? cell.GetBool() != 0 : cell.GetNumber() != 0;
    cell.SetNumber(bWasSet ? 0 : 1);
    m_pGrid->SetCell(nCol, nRow, &cell);
    m_pGrid->RepaintCell(nCol, nRow);
    SendEvent(nCol, nRow, CTE_CHECK_TOGGLED, bByKey ? (bWasSet ? 0 : 1) : 0);
    return 1;
}
