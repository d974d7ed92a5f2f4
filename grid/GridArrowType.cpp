// CGridArrowType: fills the cell and draws one or two small triangles in the text colour.
#include "grid/GridArrowType.h"

#include "grid/GridCell.h"
#include "grid/GridDC.h"

CGridArrowType::CGridArrowType()
{
    m_bEditable = 0;
}

void CGridArrowType::DrawTriangle(CGridDC* pDC, int x, int cy, int nDir, const CGridPen& pen)
{
    for (int i = 0; i <= 3; ++i)
        pDC->DrawLine(x + nDir * i, cy - 3 + i, x + nDir * i, cy + 4 - i, pen);
}

void CGridArrowType::OnDraw(CGridDC* pDC, GRIDRECT* pRect, int, long, CGridCell* pCell, int bSelected,
                            int bCurrent)
{
    if (!pDC || !pRect || !pCell)
        return;
    GRIDRECT rc;
    DrawCellBorder(pDC, *pRect, &rc, pCell);
    const bool bHighlight = bSelected || bCurrent;
    pDC->FillRect(rc, bHighlight ? pCell->GetHBackColor() : pCell->GetBackColor());
    if (rc.Width() <= 3)
        return;
    const CGridPen pen{0, 1, bHighlight ? pCell->GetHTextColor() : pCell->GetTextColor()};
    const int cx = rc.left + rc.Width() / 2;
    const int cy = rc.top + rc.Height() / 2;
    int nParam = pCell->GetCellTypeParam();
    if (nParam == 0)
        nParam = GRID_ARROW_RIGHT;
    if (nParam & GRID_ARROW_RIGHT)
        DrawTriangle(pDC, cx - 1, cy, 1, pen);
    else if (nParam & GRID_ARROW_LEFT)
        DrawTriangle(pDC, cx + 1, cy, -1, pen);
    else if (nParam & GRID_ARROW_DOUBLERIGHT)
    {
        DrawTriangle(pDC, cx - 4, cy, 1, pen);
        DrawTriangle(pDC, cx + 2, cy, 1, pen);
    }
    else if (nParam & GRID_ARROW_DOUBLELEFT)
    {
        DrawTriangle(pDC, cx + 4, cy, -1, pen);
        DrawTriangle(pDC, cx - 2, cy, -1, pen);
    }
}
