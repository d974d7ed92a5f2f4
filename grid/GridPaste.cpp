// CGridCore: marking and pasting ranges, the popup menu and the find handler.
#include "grid/GridCore.h"

#include "grid/GridDataSource.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"

#include <algorithm>

int CGridCore::MarkRange(int nCol1, long nRow1, int nCol2, long nRow2)
{
    if (!(m_pInfo->m_nSelectionMode & 3))
        return 0;
    CGridMultiSelect& sel = *m_pInfo->m_pMultiSelect;
    sel.OpenBlock(nCol1, nRow1);
    sel.ExtendTo(nCol2, nRow2);
    RepaintRange(nCol1, nRow1, nCol2, nRow2);
    return 0;
}

// Stores tab-separated lines from the notified cell on: a tab moves one column right, a line
// end to the start column of the next row (CR LF counting once).
int CGridCore::PasteText(const std::string& strText)
{
    const int nStartCol = CurrentCol() < 0 ? 0 : CurrentCol();
    const long nStartRow = CurrentRow() < 0 ? 0 : CurrentRow();
    int nCol = nStartCol;
    long nRow = nStartRow;
    int nMaxCol = nStartCol;
    long nMaxRow = nStartRow;
    std::string strField;
    auto store = [&]
    {
        SetCellText(nCol, nRow, strField.c_str());
        nMaxCol = std::max(nMaxCol, nCol);
        nMaxRow = std::max(nMaxRow, nRow);
        strField.clear();
    };
    for (size_t i = 0; i < strText.size(); ++i)
    {
        const char ch = strText[i];
        if (ch == '\t')
        {
            store();
            ++nCol;
        }
        else if (ch == '\r' || ch == '\n')
        {
            store();
            if (ch == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n')
                ++i;
            nCol = nStartCol;
            ++nRow;
        }
        else
            strField += ch;
    }
    if (!strField.empty())
        store();
    ClearSelection();
    if (m_pInfo->m_nSelectionMode & 3)
    {
        m_pInfo->m_pMultiSelect->OpenBlock(nStartCol, nStartRow);
        m_pInfo->m_pMultiSelect->ExtendTo(nMaxCol, nMaxRow);
    }
    RepaintAll();
    return 0;
}

// ---- Popup menu ----

int CGridCore::StartPopupMenu(int nCol, long nRow, GRIDPOINT* pPoint, int nSection)
{
    if (!m_pInfo->m_bPopupEnabled)
        return 1;
    if (m_pInfo->m_bJoins && nCol >= 0 && nRow >= 0)
    {
        int nLastCol;
        long nLastRow;
        FindJoinBlock(nCol, nRow, &nCol, &nRow, &nLastCol, &nLastRow);
    }
    if (!OnPopupStart(nCol, nRow, nSection))
        return 2;
    m_nPopupCol = nCol;
    m_nPopupRow = nRow;
    m_nPopupSection = nSection;
    return TrackPopupMenu(pPoint ? *pPoint : GRIDPOINT{}) ? 0 : 3;
}

void CGridCore::OnPopupMenuCommand(int nId)
{
    if (nId >= 1000)
        OnPopupCommand(m_nPopupCol, m_nPopupRow, m_nPopupSection, nId);
}

// ---- Find ----

int CGridCore::HandleFindRequest(unsigned nFrFlags, const std::string& strFind, const std::string& strReplace)
{
    if (!FindDialogExists())
        return 0;
    if (nFrFlags & GRID_FR_DIALOGTERM)
    {
        OnFindStateReset();
        return 1;
    }
    int nFlags = 0;
    if (!(nFrFlags & GRID_FR_MATCHCASE))
        nFlags |= 2;
    if (!(nFrFlags & GRID_FR_WHOLEWORD))
        nFlags |= 1;
    if (!(nFrFlags & GRID_FR_DOWN))
        nFlags |= 4;
    if (m_bFindAllCols)
        nFlags |= 8;

    int nDisplayCol = std::max(CurrentCol(), 0);
    long nRow = CurrentRow();
    int nSourceCol = nDisplayCol;
    CGridDataSource* pSource = SourceOf(nDisplayCol, &nSourceCol);
    if (!pSource)
        return 0;
    if (pSource->FindNext(strFind.c_str(), &nSourceCol, &nRow, nFlags) != 0)
    {
        AppMessageBoxText(LoadStringId(IDS_GRID_NOTFOUND), MsgOk, LoadStringId(IDS_GRID_NOTFOUNDCAPTION));
        return 0;
    }
    nDisplayCol = DisplayColOfSource(pSource, nSourceCol);
    SetCurrentCell(nDisplayCol, nRow);
    if (nFrFlags & (GRID_FR_REPLACE | GRID_FR_REPLACEALL))
    {
        SetCellText(CurrentCol(), nRow, strReplace.c_str());
        while ((nFrFlags & GRID_FR_REPLACEALL) &&
               pSource->FindNext(strFind.c_str(), &nSourceCol, &nRow, nFlags) == 0)
        {
            nDisplayCol = DisplayColOfSource(pSource, nSourceCol);
            SetCellText(nDisplayCol, nRow, strReplace.c_str());
        }
        SetCurrentCell(nDisplayCol, nRow);
    }
    return 1;
}

CGridDataSource* CGridCore::SourceOf(int nCol, int* pnSourceCol) const
{
    if (nCol >= 0 && nCol < m_pInfo->m_nColCount)
    {
        const GRIDCOLUMN& c = m_pInfo->m_arrCols[static_cast<size_t>(nCol)];
        *pnSourceCol = c.nSourceIndex;
        return c.pDataSource ? c.pDataSource : m_pInfo->m_pDataSource;
    }
    *pnSourceCol = nCol;
    return m_pInfo->m_pDataSource;
}

int CGridCore::DisplayColOfSource(CGridDataSource* pSource, int nSourceCol) const
{
    for (int i = 0; i < m_pInfo->m_nColCount; ++i)
    {
        const GRIDCOLUMN& c = m_pInfo->m_arrCols[static_cast<size_t>(i)];
        if (c.nSourceIndex == nSourceCol &&
            (c.pDataSource ? c.pDataSource : m_pInfo->m_pDataSource) == pSource)
            return i;
    }
    return nSourceCol;
}
