// The drawing steps all cell types share: the border with its grid lines and bevels, the text
// with its colours, alignment and overflow, and the bitmap beside the text.
#include "grid/GridCellType.h"

#include "grid/GridBitmap.h"
#include "grid/GridCell.h"
#include "grid/GridCore.h"
#include "grid/GridDC.h"

#include <algorithm>

namespace
{
// One side of a border drawn as nWidth parallel one-pixel lines, outermost first.
void DrawSide(CGridDC* pDC, const GRIDRECT& r, int nSide, int nWidth, const CGridPen& pen)
{
    for (int i = 0; i < nWidth; ++i)
        switch (nSide)
        {
        case 0:
            pDC->DrawLine(r.left + i, r.top, r.left + i, r.bottom, pen);
            break;
        case 1:
            pDC->DrawLine(r.left, r.top + i, r.right, r.top + i, pen);
            break;
        case 2:
            pDC->DrawLine(r.right - 1 - i, r.top, r.right - 1 - i, r.bottom, pen);
            break;
        default:
            pDC->DrawLine(r.left, r.bottom - 1 - i, r.right, r.bottom - 1 - i, pen);
            break;
        }
}

// Rings of a bevel: left and top edges in one pen, right and bottom in the other.
void DrawBevel(CGridDC* pDC, const GRIDRECT& r, int nWidth, const CGridPen& penTopLeft,
               const CGridPen& penBottomRight)
{
    for (int i = 0; i < nWidth; ++i)
    {
        const int l = r.left + i, t = r.top + i, rt = r.right - i - 1, b = r.bottom - i - 1;
        pDC->DrawLine(l, b, l, t, penTopLeft);
        pDC->DrawLine(l, t, rt, t, penTopLeft);
        pDC->DrawLine(rt, t, rt, b, penBottomRight);
        pDC->DrawLine(rt, b, l, b, penBottomRight);
    }
}
} // namespace

const CGridInfo* CGridCellType::Sheet() const
{
    return m_pGrid ? m_pGrid->GetSheet() : nullptr;
}

bool CGridCellType::IsHighlighted(int bSelected, int bCurrent) const
{
    const CGridInfo* s = Sheet();
    return bSelected || (bCurrent && s && (s->m_nHighlightMode & 2));
}

int CGridCellType::SendEvent(int nCol, long nRow, int nEvent, intptr_t nParam)
{
    return m_pGrid ? m_pGrid->OnCellTypeEvent(m_nTypeIndex, nCol, nRow, nEvent, nParam) : 1;
}

void CGridCellType::DrawCellBorder(CGridDC* pDC, const GRIDRECT& rcIn, GRIDRECT* pOut, const CGridCell* pCell)
{
    const CGridInfo* s = Sheet();
    const CGridPen gridPen = s ? s->m_gridLinePen : CGridPen{0, 1, 0xDCDCDC};
    const int nStyle = pCell ? pCell->GetBorder() : 0;
    const CGridPen pen = (pCell && pCell->GetBorderPen()) ? *pCell->GetBorderPen() : gridPen;
    const bool bGridLines = (!s || s->m_bGridLines) && !(nStyle & (GRID_BORDER_SUNKEN | GRID_BORDER_RAISED));
    int nWidth[4] = {0, 0, 0, 0}; // left, top, right, bottom

    for (int nSide = 0; nSide < 4; ++nSide)
    {
        const int nBit = 1 << nSide;
        if (nStyle & nBit)
        {
            DrawSide(pDC, rcIn, nSide, 1, pen);
            nWidth[nSide] = 1;
        }
        else if (bGridLines && nSide >= 2)
        {
            DrawSide(pDC, rcIn, nSide, 1, gridPen);
            nWidth[nSide] = 1;
        }
        if (nStyle & (nBit << GRID_BORDER_MEDIUM_SHIFT))
        {
            DrawSide(pDC, rcIn, nSide, 2, pen);
            nWidth[nSide] = 2;
        }
        if (nStyle & (nBit << GRID_BORDER_THICK_SHIFT))
        {
            DrawSide(pDC, rcIn, nSide, 3, pen);
            nWidth[nSide] = 3;
        }
    }
    const int nBevel = s ? s->m_nBevelWidth : 1;
    const CGridPen white = m_pGrid ? m_pGrid->GetWhitePen() : CGridPen{0, 1, 0xFFFFFF};
    const CGridPen shadow = m_pGrid ? m_pGrid->GetShadowPen() : CGridPen{0, 1, 0x808080};
    if (nStyle & GRID_BORDER_SUNKEN)
        DrawBevel(pDC, rcIn, nBevel, shadow, white);
    if (nStyle & GRID_BORDER_RAISED)
        DrawBevel(pDC, rcIn, nBevel, white, shadow);
    if (nStyle & (GRID_BORDER_SUNKEN | GRID_BORDER_RAISED))
        std::fill(std::begin(nWidth), std::end(nWidth), nBevel);
    if (pOut)
        *pOut = GRIDRECT{rcIn.left + nWidth[0], rcIn.top + nWidth[1], rcIn.right - nWidth[2],
                         rcIn.bottom - nWidth[3]};
}

// Draws the bitmap 2 pixels in from the left and top, shrunk to the height when it is too
// tall; returns the width it takes with its margins.
int CGridCellType::DrawCellBitmap(CGridDC* pDC, CGridBitmap* pBitmap, const GRIDRECT& rc, GRIDCOLOR crBack)
{
    if (!pBitmap || pBitmap->GetHeight() <= 0)
        return 0;
    const int nAvail = rc.Height() - 4;
    int w = pBitmap->GetWidth();
    int h = pBitmap->GetHeight();
    int y = rc.top + (rc.Height() - h) / 2;
    if (h > nAvail)
    {
        const int nPercent = nAvail > 0 ? nAvail * 100 / h : 0;
        w = w * nPercent / 100;
        h = std::max(0, nAvail);
        y = rc.top + 2;
    }
    w = std::max(0, std::min(w, rc.Width() - 4));
    pDC->FillRect(GRIDRECT{rc.left, rc.top, rc.left + w + 4, rc.bottom}, crBack);
    if (w > 0 && h > 0)
        pDC->DrawBitmap(pBitmap, GRIDRECT{rc.left + 2, y, rc.left + 2 + w, y + h});
    return w + 4;
}

void CGridCellType::DrawCellText(CGridDC* pDC, const GRIDRECT& rcIn, int nOffset, int, long, CGridCell* pCell,
                                 int bSelected, int bCurrent)
{
    const CGridInfo* s = Sheet();
    const int nMargin = s ? s->m_nTextMargin : 4;
    const char* psz = (m_bUseLabel || pCell->GetCellTypeParam() == 8) ? pCell->GetLabel() : pCell->GetText();
    const std::string strText = psz ? psz : "";
    if (CGridFont* pFont = pCell->GetFont())
        pDC->SelectFont(pFont);
    const bool bHighlight = IsHighlighted(bSelected, bCurrent);
    const GRIDCOLOR crText = bHighlight ? pCell->GetHTextColor() : pCell->GetTextColor();
    const GRIDCOLOR crBack = bHighlight ? pCell->GetHBackColor() : pCell->GetBackColor();

    GRIDRECT rc = rcIn;
    if (CGridBitmap* pBitmap = pCell->GetBitmap())
        rc.left += DrawCellBitmap(pDC, pBitmap, rc, crBack);
    if (rc.IsEmpty())
        return;

    const short nAlign = pCell->GetAlignment();
    const int nParam = pCell->GetCellTypeParam() & 0xFF;
    // Text at the top left needs no measuring; measuring costs as much as drawing.
    const bool bMeasure =
        !strText.empty() &&
        ((nAlign & (GRID_ALIGN_CENTER | GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER | GRID_ALIGN_BOTTOM)) ||
         (nParam & 4));
    const GRIDSIZE sz = bMeasure ? pDC->GetTextExtent(strText) : GRIDSIZE{0, 0};
    int x = rc.left + nMargin + nOffset;
    if (nAlign & GRID_ALIGN_CENTER)
        x = rc.left + (rc.Width() - sz.cx) / 2;
    else if (nAlign & GRID_ALIGN_RIGHT)
        x = rc.right - nMargin - sz.cx;
    int y = rc.top + 1;
    if (nAlign & GRID_ALIGN_VCENTER)
        y = rc.top + (rc.Height() - sz.cy) / 2;
    else if (nAlign & GRID_ALIGN_BOTTOM)
        y = rc.bottom - 1 - sz.cy;
    if (nOffset < 0)
        rc.left -= 1;

    if (nParam & 2)
    {
        pDC->FillRect(rc, crBack);
        pDC->DrawTextWrapped(strText, rc, crText);
    }
    else if ((nParam & 4) && sz.cx > rc.Width() - 6)
    {
        const int nClip = rc.right - pDC->GetTextExtent("...").cx - 3;
        pDC->FillRect(rc, crBack);
        pDC->DrawTextClipped(strText, rc.left + 3, y, GRIDRECT{rc.left, rc.top, nClip, rc.bottom}, crText);
        pDC->DrawTextClipped("...", nClip, y, rc, crText);
    }
    else
        pDC->DrawTextOpaque(strText, x, y, rc, crText, crBack);
}

bool CGridCellType::CanOverflow(const CGridCell& cell) const
{
    if (cell.HasProperty(GCP_CELLTYPEPARAM) || cell.HasProperty(GCP_JOIN))
        return false;
    return m_bCanOverflow != 0;
}

bool CGridCellType::FindOverflow(CGridDC* pDC, int nCol, long nRow, int* pnSourceCol, CGridCell* pSource,
                                 int* pnOffset)
{
    const CGridInfo* s = Sheet();
    if (!m_pGrid || !s || !s->m_bOverflow)
        return false;
    int nSource = nCol;
    if (m_pGrid->FindTextLeftOf(&nSource, nRow) != 0 || nSource >= nCol || nSource < 0)
        return false;
    m_pGrid->GetCellResolved(nSource, nRow, pSource);
    pDC->SaveState();
    if (CGridFont* pFont = pSource->GetFont())
        pDC->SelectFont(pFont);
    const int nNeed = pDC->GetTextExtent(pSource->GetText() ? pSource->GetText() : "").cx + s->m_nTextMargin;
    pDC->RestoreState();
    if (s->ColWidth(nSource) >= nNeed)
        return false;
    if (!m_pGrid->GetCellTypeOf(*pSource)->CanOverflow(*pSource))
        return false;
    long nSum = 0;
    int c = nSource;
    while (nSum <= nNeed && c < nCol)
        nSum += s->ColWidth(c++);
    if (c != nCol || nSum >= nNeed)
        return false;
    *pnSourceCol = nSource;
    *pnOffset = static_cast<int>(-nSum);
    return true;
}
