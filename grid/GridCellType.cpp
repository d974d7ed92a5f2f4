// CGridCellType: the normal type. It draws the border and the text, continuing a neighbour's
// text that overflows into it when it has none of its own.
#include "grid/GridCellType.h"

#include "grid/GridCell.h"
#include "grid/GridCore.h"
#include "grid/GridDC.h"

#include <cstdlib>

namespace
{
const GRIDTYPEID NORMAL_ID = {{0x3b, 0x1f, 0x6a, 0x52, 0x0c, 0x47, 0x4e, 0x11, 0x9a, 0x21, 0x5d, 0x70, 0xc4, 0x02, 0x8e, 0x01}};
} // namespace

CGridCellType::CGridCellType() = default;

const char* CGridCellType::GetName() const { return "Normal Cell Type (default)"; }
const GRIDTYPEID* CGridCellType::GetTypeId() const { return &NORMAL_ID; }
int CGridCellType::GetEditRect(GRIDRECT*) { return 0; }
int CGridCellType::OnLeftClick(int, long, int, GRIDRECT*, GRIDPOINT*) { return 0; }
int CGridCellType::OnRightClick(int, long, int, GRIDRECT*, GRIDPOINT*) { return 0; }
int CGridCellType::OnDoubleClick(int, long, GRIDRECT*, GRIDPOINT*) { return 0; }
int CGridCellType::OnKeyDown(int, long, unsigned*) { return 0; }
int CGridCellType::OnChar(int, long, unsigned*) { return 0; }
int CGridCellType::OnMouseMove(int, long, GRIDPOINT*, unsigned) { return 0; }

void CGridCellType::OnDraw(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell, int bSelected,
                           int bCurrent)
{
    if (!pDC || !pRect || !pCell)
        return;
    GRIDRECT rcInner;
    const CGridInfo* s = Sheet();
    if (s && s->m_bOverflow && nCol >= 0 && nRow >= 0 && CanOverflow(*pCell) && !pCell->GetText())
    {
        CGridCell source;
        int nSource = -1;
        int nOffset = 0;
        if (FindOverflow(pDC, nCol, nRow, &nSource, &source, &nOffset))
        {
            DrawCellBorder(pDC, *pRect, &rcInner, pCell);
            DrawCellText(pDC, rcInner, nOffset, nSource, nRow, &source, bSelected, bCurrent);
            return;
        }
    }
    DrawCellBorder(pDC, *pRect, &rcInner, pCell);
    DrawCellText(pDC, rcInner, 0, nCol, nRow, pCell, bSelected, bCurrent);
}

// Draws with the cell's font scaled to the rectangle's share of the row height.
void CGridCellType::OnDrawScaled(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell)
{
    if (!pDC || !pRect || !pCell || !m_pGrid)
        return;
    const CGridInfo* s = Sheet();
    const int nRowHeight = nRow < 0 ? (~nRow < static_cast<long>(s->m_arrHeadingRows.size())
                                           ? s->m_arrHeadingRows[static_cast<size_t>(~nRow)]
                                           : 0)
                                    : s->RowHeight(nRow);
    CGridFont* pFont = pCell->GetFont() ? pCell->GetFont() : s->m_pDefaultFont;
    if (nRowHeight <= 0 || !pFont)
    {
        OnDraw(pDC, pRect, nCol, nRow, pCell, 0, 0);
        return;
    }
    GRIDLOGFONT lf = pFont->GetLogFont();
    lf.lfHeight = static_cast<int32_t>(static_cast<double>(lf.lfHeight) * pRect->Height() / nRowHeight);
    CGridFont scaled(lf, pFont->GetFaceName());
    CGridCell copy(*pCell);
    copy.SetFont(&scaled);
    OnDraw(pDC, pRect, nCol, nRow, &copy, 0, 0);
}

void CGridCellType::MeasureFit(CGridDC* pDC, GRIDSIZE* pSize, CGridCell* pCell)
{
    if (!pSize)
        return;
    if (!pCell || !pCell->GetText() || !pDC)
    {
        *pSize = GRIDSIZE{9, 5};
        return;
    }
    pDC->SaveState();
    CGridFont* pFont = pCell->GetFont();
    if (!pFont && m_pGrid)
        pFont = m_pGrid->GetSheet()->m_pDefaultFont;
    if (pFont)
        pDC->SelectFont(pFont);
    const GRIDSIZE sz = pDC->GetTextExtent(pCell->GetText());
    pDC->RestoreState();
    *pSize = GRIDSIZE{sz.cx + 6, sz.cy + 2};
}
