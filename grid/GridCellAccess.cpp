// CGridCore cell access: reading cells with their layers of defaults, storing them, the quick
// text and alignment operations, and the joined blocks cells belong to.
#include "grid/GridCore.h"

#include "grid/GridDataSource.h"

#include <algorithm>

// ---- Joined blocks ----

// Finds the joined block a cell belongs to; false when the cell is not joined.
bool CGridCore::FindJoinBlock(int nCol, long nRow, int* pnOriginCol, long* pnOriginRow, int* pnLastCol,
                              long* pnLastRow)
{
    CGridCell cell;
    GetCellResolved(nCol, nRow, &cell);
    int nOrigin = 0;
    int nColOff = 0;
    long nRowOff = 0;
    if (cell.GetJoin(&nOrigin, &nColOff, &nRowOff) != 0)
        return false;
    int nOrgCol = nCol;
    long nOrgRow = nRow;
    if (!nOrigin)
    {
        nOrgCol = nCol + nColOff;
        nOrgRow = nRow + nRowOff;
        GetCellResolved(nOrgCol, nOrgRow, &cell);
        if (cell.GetJoin(&nOrigin, &nColOff, &nRowOff) != 0 || !nOrigin)
            return false;
    }
    *pnOriginCol = nOrgCol;
    *pnOriginRow = nOrgRow;
    *pnLastCol = nOrgCol + std::max(0, nColOff);
    *pnLastRow = nOrgRow + std::max(0L, nRowOff);
    return true;
}

// ---- Cell access ----

int CGridCore::GetCell(int nCol, long nRow, CGridCell* pCell)
{
    if (!pCell)
        return 1;
    pCell->SetMask(0);
    if (nCol >= m_pInfo->m_nColCount)
        return 1;
    int nSourceCol = nCol;
    CGridDataSource* pSource = SourceOf(nCol, &nSourceCol);
    return pSource ? pSource->GetCell(nSourceCol, nRow, pCell) : 1;
}

// The cell as drawn and edited: defaults, then the stored properties, then the owner's
// changes, then the formatter and the style.
int CGridCore::GetCellResolved(int nCol, long nRow, CGridCell* pCell)
{
    if (!pCell)
        return 0;
    const CGridInfo& s = *m_pInfo;
    pCell->SetMask(0);
    if (nCol < 0 || nRow < 0 || nCol >= s.m_nColCount)
        s.m_pHeadingDefault->CopyTo(pCell);
    else if (const CGridCell* pDefault = s.m_arrCols[static_cast<size_t>(nCol)].pDefaultCell.get())
        pDefault->CopyTo(pCell);
    if (nRow >= s.m_nRowCount)
        return 0;
    int nSourceCol = nCol;
    CGridDataSource* pSource = SourceOf(nCol, &nSourceCol);
    if (pSource)
        pSource->GetCell(nSourceCol, nRow, pCell);
    OnCellFetched(nSourceCol, nRow, pCell);
    if (CGridFormatter* pFormatter = pCell->GetFormatter())
        pFormatter->Format(pCell);
    if (CGridCell* pStyle = pCell->GetStyle())
        if (pStyle != pCell)
            pCell->MergeFrom(pStyle);
    return 0;
}

int CGridCore::SetCell(int nCol, long nRow, CGridCell* pCell)
{
    if (!pCell)
        return 0;
    OnCellStoring(nCol, nRow, pCell);
    int nSourceCol = nCol;
    CGridDataSource* pSource = SourceOf(nCol, &nSourceCol);
    if (pSource)
        pSource->SetCell(nSourceCol, nRow, pCell);
    return 0;
}

int CGridCore::GetCellText(int nCol, long nRow, std::string* pstrText)
{
    CGridCell cell;
    GetCell(nCol, nRow, &cell);
    if (pstrText)
        *pstrText = cell.GetText() ? cell.GetText() : "";
    return 0;
}

int CGridCore::SetCellText(int nCol, long nRow, const char* pszText)
{
    GetCell(nCol, nRow, &m_quickCell);
    m_quickCell.SetText(pszText);
    return SetCell(nCol, nRow, &m_quickCell);
}

int CGridCore::SetCellAlignment(int nCol, long nRow, short nAlignment)
{
    GetCell(nCol, nRow, &m_quickCell);
    m_quickCell.SetAlignment(nAlignment);
    return SetCell(nCol, nRow, &m_quickCell);
}

int CGridCore::FindTextLeftOf(int* pnCol, long nRow)
{
    if (!pnCol || *pnCol <= 0 || nRow < 0)
        return 1;
    int nSourceCol = *pnCol;
    CGridDataSource* pSource = SourceOf(*pnCol, &nSourceCol);
    if (!pSource || pSource->FindPrevNonBlank(&nSourceCol, nRow) != 0)
        return 1;
    *pnCol = DisplayColOfSource(pSource, nSourceCol);
    return 0;
}
