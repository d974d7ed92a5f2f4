// CGridCellType: the normal type's behaviour (text drawing, measuring) and the identities of
// the other built-in types. Their drawing and mouse handling come with the cell area.
#include "grid/GridCellType.h"

#include "grid/GridCell.h"
#include "grid/GridColors.h"
#include "grid/GridCore.h"
#include "grid/GridDC.h"

namespace
{
const GRIDTYPEID NORMAL_ID = {{0x3b, 0x1f, 0x6a, 0x52, 0x0c, 0x47, 0x4e, 0x11, 0x9a, 0x21, 0x5d, 0x70, 0xc4, 0x02, 0x8e, 0x01}};
const GRIDTYPEID DROPLIST_ID = {{0x3b, 0x1f, 0x6a, 0x52, 0x0c, 0x47, 0x4e, 0x11, 0x9a, 0x21, 0x5d, 0x70, 0xc4, 0x02, 0x8e, 0x02}};
const GRIDTYPEID CHECKBOX_ID = {{0x3b, 0x1f, 0x6a, 0x52, 0x0c, 0x47, 0x4e, 0x11, 0x9a, 0x21, 0x5d, 0x70, 0xc4, 0x02, 0x8e, 0x03}};
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

// Background, aligned text within the sheet's margin, and the grid lines at right and bottom.
void CGridCellType::OnDraw(CGridDC* pDC, GRIDRECT* pRect, int, long, CGridCell* pCell, int bSelected, int bCurrent)
{
    if (!pDC || !pRect || !pCell)
        return;
    const CGridInfo* pInfo = m_pGrid ? m_pGrid->GetSheet() : nullptr;
    const int nMargin = pInfo ? pInfo->m_nTextMargin : 4;
    const bool bHighlight = bSelected || (bCurrent && pInfo && (pInfo->m_nHighlightMode & 2));
    const GRIDCOLOR crText = bHighlight ? pCell->GetHTextColor() : pCell->GetTextColor();
    const GRIDCOLOR crBack = bHighlight ? pCell->GetHBackColor() : pCell->GetBackColor();

    GRIDRECT rc = *pRect;
    if (!pInfo || pInfo->m_bGridLines)
    {
        const CGridPen pen = pCell->GetBorderPen() ? *pCell->GetBorderPen()
                                                   : (pInfo ? pInfo->m_gridLinePen : CGridPen{0, 1, 0xDCDCDC});
        pDC->DrawLine(rc.right - 1, rc.top, rc.right - 1, rc.bottom, pen);
        pDC->DrawLine(rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, pen);
        rc.right -= 1;
        rc.bottom -= 1;
    }
    const char* pszText = (m_bUseLabel || pCell->GetCellTypeParam() == 8) ? pCell->GetLabel() : pCell->GetText();
    const std::string strText = pszText ? pszText : "";
    if (CGridFont* pFont = pCell->GetFont())
        pDC->SelectFont(pFont);
    const GRIDSIZE sz = pDC->GetTextExtent(strText);
    const short nAlign = pCell->GetAlignment();
    int x = rc.left + nMargin;
    if (nAlign & 4)
        x = rc.left + (rc.Width() - sz.cx) / 2;
    else if (nAlign & 2)
        x = rc.right - nMargin - sz.cx;
    int y = rc.top + 1;
    if (nAlign & 0x20)
        y = rc.top + (rc.Height() - sz.cy) / 2;
    else if (nAlign & 0x10)
        y = rc.bottom - 1 - sz.cy;
    pDC->DrawTextOpaque(strText, x, y, rc, crText, crBack);
}

void CGridCellType::OnDrawScaled(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell)
{
    OnDraw(pDC, pRect, nCol, nRow, pCell, 0, 0);
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

CGridDropListType::CGridDropListType() : m_nButtonWidth(GridGetSystemMetric(GRID_SM_CXVSCROLL))
{
    m_bCanOverflow = 0;
}

const char* CGridDropListType::GetName() const { return "Standard DropList"; }
const GRIDTYPEID* CGridDropListType::GetTypeId() const { return &DROPLIST_ID; }

int CGridDropListType::GetEditRect(GRIDRECT* pRect)
{
    if (pRect)
        pRect->right -= m_nButtonWidth + 1;
    return 1;
}

void CGridDropListType::OnLostCurrent(int, long, CGridCell*)
{
    m_nListCol = -1;
    m_nListRow = -1;
}

CGridCheckBoxType::CGridCheckBoxType()
{
    m_bEditable = 0;
    m_bCanOverflow = 0;
}

const char* CGridCheckBoxType::GetName() const { return "Standard CheckBox Type"; }
const GRIDTYPEID* CGridCheckBoxType::GetTypeId() const { return &CHECKBOX_ID; }

CGridArrowType::CGridArrowType() { m_bEditable = 0; }
