// CGridMultiSelect: blocks of the multiple selection, opened and extended by keys and mouse.
#include "grid/GridMultiSelect.h"

#include "grid/GridCore.h"
#include "grid/GridInfo.h"
#include "grid/GridKeys.h"

#include <algorithm>

void CGridMultiSelect::Normalise(BLOCK& b) const
{
    if (m_nMode & MODE_WHOLEROWS)
    {
        b.nLeft = 0;
        b.nRight = m_pInfo ? m_pInfo->m_nColCount : 0;
    }
    else
    {
        b.nLeft = std::min(b.nStartCol, b.nEndCol);
        b.nRight = std::max(b.nStartCol, b.nEndCol);
    }
    b.nTop = std::min(b.nStartRow, b.nEndRow);
    b.nBottom = std::max(b.nStartRow, b.nEndRow);
}

void CGridMultiSelect::HintBounds()
{
    int c1, c2;
    long r1, r2;
    if (m_pGrid && GetBounds(&c1, &r1, &c2, &r2) == 0)
        m_pGrid->GetDrawHints().AddRange(c1, r1, c2, r2);
}

int CGridMultiSelect::OnKeyMove(int nCol, long nRow, bool bShift, bool bCtrl)
{
    if (nCol == m_nLastCol && nRow == m_nLastRow)
        return 0;
    if (bShift)
        return ExtendTo(nCol, nRow);
    if (!bCtrl)
    {
        HintBounds();
        ClearBlocks();
    }
    OpenBlock(nCol, nRow);
    return 0;
}

int CGridMultiSelect::OnLeftPress(int nCol, long nRow, unsigned nKeyFlags)
{
    if (nCol == m_nLastCol && nRow == m_nLastRow)
        return 0;
    m_nLastCol = nCol;
    m_nLastRow = nRow;
    if (!(nKeyFlags & GRID_MK_CONTROL))
    {
        if (nKeyFlags & GRID_MK_SHIFT)
            return ExtendTo(nCol, nRow);
        HintBounds();
        ClearBlocks();
        m_nLastCol = nCol;
        m_nLastRow = nRow;
    }
    OpenBlock(nCol, nRow);
    return 0;
}

int CGridMultiSelect::OnRightPress(int nCol, long nRow)
{
    if (IsSelected(nCol, nRow))
        return 0;
    HintBounds();
    ClearBlocks();
    OpenBlock(nCol, nRow);
    return 0;
}

int CGridMultiSelect::OnDrag(int nCol, long nRow)
{
    if (nCol == m_nLastCol && nRow == m_nLastRow)
        return 0;
    return ExtendTo(nCol, nRow);
}

void CGridMultiSelect::OpenBlock(int nCol, long nRow)
{
    if (m_nMode & MODE_WHOLEROWS)
        nCol = 1;
    m_nAnchorCol = nCol;
    m_nAnchorRow = nRow;
    m_bHasBlocks = true;
    BLOCK b{nCol, nCol, nRow, nRow, 0, 0, 0, 0, 1};
    Normalise(b);
    m_arrBlocks.push_back(b);
    m_bJustStarted = true;
}

int CGridMultiSelect::ExtendTo(int nCol, long nRow)
{
    if (m_arrBlocks.empty())
        return 1;
    if (m_nMode & MODE_WHOLEROWS)
        nCol = 1;
    BLOCK& b = m_arrBlocks.back();
    const BLOCK old = b;
    b.nEndCol = nCol;
    b.nEndRow = nRow;
    Normalise(b);
    if (m_bJustStarted)
    {
        m_bJustStarted = false;
        ++m_nExtensions;
    }
    if (m_pGrid)
    {
        CGridDrawHints& hints = m_pGrid->GetDrawHints();
        const int nLeft = std::min(old.nLeft, b.nLeft);
        const int nRight = std::max(old.nRight, b.nRight);
        const long nTop = std::min(old.nTop, b.nTop);
        const long nBottom = std::max(old.nBottom, b.nBottom);
        if (old.nEndRow != b.nEndRow)
            hints.AddRange(nLeft, std::min(old.nEndRow, b.nEndRow), nRight, std::max(old.nEndRow, b.nEndRow));
        if (old.nEndCol != b.nEndCol)
            hints.AddRange(std::min(old.nEndCol, b.nEndCol), nTop, std::max(old.nEndCol, b.nEndCol), nBottom);
    }
    return 0;
}

int CGridMultiSelect::IsSelected(int nCol, long nRow, int* pnNumber) const
{
    if (m_arrBlocks.empty())
        return 0;
    if (m_nMode & MODE_WHOLEROWS)
        nCol = 1;
    int nFound = -1;
    for (size_t i = 0; i < m_arrBlocks.size(); ++i)
    {
        const BLOCK& b = m_arrBlocks[i];
        const int nLeft = (m_nMode & MODE_WHOLEROWS) ? 1 : b.nLeft;
        const int nRight = (m_nMode & MODE_WHOLEROWS) ? 1 : b.nRight;
        if (nCol >= nLeft && nCol <= nRight && nRow >= b.nTop && nRow <= b.nBottom)
        {
            nFound = static_cast<int>(i);
            if (m_nMode & MODE_FIRSTDECIDES)
                break;
        }
    }
    if (nFound < 0)
        return 0;
    if (pnNumber)
        *pnNumber = nFound;
    return m_arrBlocks[static_cast<size_t>(nFound)].bSelected;
}

int CGridMultiSelect::GetBounds(int* pnCol1, long* pnRow1, int* pnCol2, long* pnRow2) const
{
    if (m_arrBlocks.empty())
        return 2;
    int c1 = m_arrBlocks[0].nLeft, c2 = m_arrBlocks[0].nRight;
    long r1 = m_arrBlocks[0].nTop, r2 = m_arrBlocks[0].nBottom;
    for (const BLOCK& b : m_arrBlocks)
    {
        c1 = std::min(c1, b.nLeft);
        c2 = std::max(c2, b.nRight);
        r1 = std::min(r1, b.nTop);
        r2 = std::max(r2, b.nBottom);
    }
    *pnCol1 = c1;
    *pnRow1 = r1;
    *pnCol2 = c2;
    *pnRow2 = r2;
    return 0;
}

int CGridMultiSelect::GetAnchor(int* pnCol, long* pnRow) const
{
    if (!m_bHasBlocks)
        return 1;
    *pnCol = m_nAnchorCol;
    *pnRow = m_nAnchorRow;
    return 0;
}

void CGridMultiSelect::ClearBlocks()
{
    const bool bRepaint = m_arrBlocks.size() > 1 && m_nExtensions > 1;
    m_arrBlocks.clear();
    m_bHasBlocks = false;
    m_bJustStarted = false;
    m_nExtensions = 0;
    m_nLastCol = -1;
    m_nLastRow = -1;
    if (bRepaint && m_pGrid)
        m_pGrid->RepaintAll();
}
