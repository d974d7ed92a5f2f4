// CGridMemStore: search for a cell's text and sorting of the rows.
#include "grid/GridMemStore.h"

#include "grid/GridCell.h"
#include "grid/GridCore.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace
{
bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool ContainsNoCase(std::string_view hay, std::string_view needle)
{
    auto it = std::search(
        hay.begin(), hay.end(), needle.begin(), needle.end(),
        [](char x, char y)
        { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
    return it != hay.end() || needle.empty();
}

bool TextMatches(const char* pszCell, const char* pszFind, int nFlags)
{
    std::string_view cell = pszCell ? pszCell : "";
    std::string_view find = pszFind ? pszFind : "";
    const bool bPartial = (nFlags & GRID_FIND_PARTIAL) != 0;
    const bool bNoCase = (nFlags & GRID_FIND_NOCASE) != 0;
    if (bPartial && bNoCase)
        return ContainsNoCase(cell, find);
    if (bPartial)
        return cell.find(find) != std::string_view::npos;
    if (bNoCase)
        return EqualNoCase(cell, find);
    return cell == find;
}
} // namespace

int CGridMemStore::FindFirst(const char* pszText, int* pnCol, long* pnRow, int nFlags)
{
    if (!pnCol || !pnRow)
        return 1;
    if (nFlags & GRID_FIND_ALLCOLS)
    {
        *pnCol = -1;
        *pnRow = 0;
    }
    else
        *pnRow = -1;
    return FindNext(pszText, pnCol, pnRow, nFlags);
}

// Searches forwards from the position after (col, row): down the same column, or with
// GRID_FIND_ALLCOLS along the rows. Placeholders between stored cells are skipped, so a gap
// in a row never hides the cells after it.
int CGridMemStore::FindNext(const char* pszText, int* pnCol, long* pnRow, int nFlags)
{
    if (!pnCol || !pnRow)
        return 1;
    const bool bAllCols = (nFlags & GRID_FIND_ALLCOLS) != 0;
    int nCol = bAllCols ? *pnCol + 1 : *pnCol;
    long nRow = bAllCols ? *pnRow : *pnRow + 1;
    if (nRow < 0 && !bAllCols)
        nRow = 0;
    for (; MoveToRow(nRow) == 0; ++nRow)
    {
        if (!bAllCols)
        {
            if (MoveToCol(nCol) == 0 && m_pCursorCell->pCell &&
                TextMatches(m_pCursorCell->pCell->GetText(), pszText, nFlags))
            {
                m_nFindCol = *pnCol = nCol;
                m_nFindRow = *pnRow = nRow;
                return 0;
            }
            continue;
        }
        for (int c = std::max(nCol, 0); MoveToCol(c) == 0; ++c)
        {
            if (m_pCursorCell->pCell && TextMatches(m_pCursorCell->pCell->GetText(), pszText, nFlags))
            {
                m_nFindCol = *pnCol = c;
                m_nFindRow = *pnRow = nRow;
                return 0;
            }
        }
        nCol = 0;
    }
    return 1;
}

// Orders rows 0 and below by the key columns, comparing with the control's OnCompareCells.
// The result is the order a pass-and-swap sort gives (swap only on a positive comparison, keys
// in order, equal rows keep their order), reached with a stable O(n log n) sort.
int CGridMemStore::SortRows(int* pnKeyCols, int nKeyCount, int nFlags)
{
    if (!m_pCursorRow || !pnKeyCols || nKeyCount <= 0)
        return 0;
    ROWNODE* pRow = FirstRowNode();
    long nIndex = m_nCursorRow;
    while (pRow && nIndex < 0)
    {
        pRow = pRow->pNext;
        ++nIndex;
    }
    std::vector<ROWNODE*> arrRows;
    for (; pRow; pRow = pRow->pNext)
        arrRows.push_back(pRow);
    const size_t nRows = arrRows.size();
    if (nRows < 2)
        return 0;

    std::vector<CGridCell*> arrKeys(nRows * nKeyCount);
    for (size_t r = 0; r < nRows; ++r)
        for (int k = 0; k < nKeyCount; ++k)
        {
            CELLNODE* p = CellNodeInRow(arrRows[r], pnKeyCols[k]);
            arrKeys[r * nKeyCount + k] = p ? p->pCell : nullptr;
        }

    auto compare = [&](size_t a, size_t b)
    {
        for (int k = 0; k < nKeyCount; ++k)
        {
            CGridCell* pA = arrKeys[a * nKeyCount + k];
            CGridCell* pB = arrKeys[b * nKeyCount + k];
            int n = m_pGrid ? m_pGrid->OnCompareCells(pA, pB, nFlags) : GridDefaultCompareCells(pA, pB, nFlags);
            if (n != 0)
                return n;
        }
        return 0;
    };
    std::vector<size_t> arrOrder(nRows);
    for (size_t i = 0; i < nRows; ++i)
        arrOrder[i] = i;
    // q goes before p exactly when the pass-and-swap sort would swap p in front of q.
    std::stable_sort(arrOrder.begin(), arrOrder.end(), [&](size_t p, size_t q) { return compare(q, p) > 0; });

    std::vector<CELLNODE*> arrFirst(nRows);
    for (size_t i = 0; i < nRows; ++i)
        arrFirst[i] = arrRows[arrOrder[i]]->pFirst;
    for (size_t i = 0; i < nRows; ++i)
        arrRows[i]->pFirst = arrFirst[i];
    ResetColCursor();
    return 0;
}
