// CGridCore: the tables of cell types, data sources and fonts; the sheets; column moves and
// the columns' data sources and default cells.
#include "grid/GridCore.h"

#include "grid/GridColors.h"

#include "grid/GridCellType.h"
#include "grid/GridDropListType.h"
#include "grid/GridDataSource.h"

#include <cstring>

// ---- Tables ----

int CGridCore::RegisterCellType(CGridCellType* pType)
{
    if (!pType)
        return -1;
    const int n = m_cellTypes.Add(pType);
    pType->m_pGrid = this;
    pType->m_nTypeIndex = n;
    return n;
}

CGridCellType* CGridCore::GetCellType(int nIndex) const
{
    return m_cellTypes.Get(nIndex);
}

CGridDropListType* CGridCore::GetDropListType() const
{
    return static_cast<CGridDropListType*>(m_arrBuiltinTypes[1].get());
}

CGridCellType* CGridCore::GetCellTypeOf(const CGridCell& cell) const
{
    CGridCellType* p = m_cellTypes.Get(cell.GetCellType());
    return p ? p : m_cellTypes.Get(0);
}

CGridCellType* CGridCore::GetCellTypeAt(int nCol, long nRow)
{
    CGridCell cell;
    GetCellResolved(nCol, nRow, &cell);
    return GetCellTypeOf(cell);
}

int CGridCore::RegisterDataSource(CGridDataSource* pSource)
{
    if (!pSource)
        return 1;
    const int n = m_dataSources.Add(pSource);
    pSource->SetGrid(this);
    pSource->SetSourceIndex(n);
    return n;
}

int CGridCore::RegisterFont(const char* pszFace, int nHeight, int nWeight)
{
    GRIDLOGFONT lf;
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    return RegisterFont(lf, pszFace);
}

// Fonts are shared: the same description and face name give the same index, counted.
int CGridCore::RegisterFont(const GRIDLOGFONT& lf, const char* pszFace)
{
    std::string strFace = pszFace ? pszFace : "";
    if (strFace.size() >= 32)
        strFace.clear();
    for (int i = 0; i < m_fonts.GetSize(); ++i)
    {
        CGridFont* p = m_fonts.Get(i);
        if (p && std::memcmp(&p->GetLogFont(), &lf, sizeof lf) == 0 && p->GetFaceName() == strFace)
        {
            m_fonts.AddRef(i);
            return i;
        }
    }
    m_arrOwnedFonts.push_back(std::make_unique<CGridFont>(lf, strFace));
    return m_fonts.Add(m_arrOwnedFonts.back().get());
}

int CGridCore::SetDefaultFont(int nIndex)
{
    CGridFont* p = m_fonts.Get(nIndex);
    if (!p)
        return 1;
    m_pInfo->m_pDefaultFont = p;
    return 0;
}

// ---- Sheets and columns ----

int CGridCore::SetSheetCount(int nCount)
{
    if (nCount < 1 || nCount > 1024)
        return 1;
    const int nOld = GetSheetCount();
    const int nTabWidth = m_pInfo ? m_pInfo->m_nTabWidth : 0;
    if (nCount < nOld)
    {
        // Sheets going away must not stay pointed at by the children.
        if (m_nSheet >= nCount)
        {
            m_arrSheets[static_cast<size_t>(nCount - 1)]->m_nTabWidth = nTabWidth;
            SwitchSheet(nCount - 1, 1);
        }
        m_arrSheets.resize(static_cast<size_t>(nCount));
        return 0;
    }
    const int nKeep = m_nSheet;
    for (int i = nOld; i < nCount; ++i)
    {
        auto pSheet = std::make_unique<CGridInfo>();
        pSheet->m_pMemStore->SetGrid(this);
        pSheet->m_pMultiSelect->m_pGrid = this;
        pSheet->m_pEditWnd = m_pEditBox;
        m_arrSheets.push_back(std::move(pSheet));
        m_nSheet = i;
        m_pInfo = m_arrSheets.back().get();
        OnSheetCreated(i);
    }
    m_nSheet = nOld > 0 ? nKeep : 0;
    m_pInfo = m_arrSheets[static_cast<size_t>(m_nSheet)].get();
    return 0;
}

int CGridCore::SwitchSheet(int nIndex, int bUpdate)
{
    if (nIndex < 0 || nIndex >= GetSheetCount())
        return 1;
    const int bWasEnabled = m_bUpdateEnabled;
    if (!bUpdate)
        m_bUpdateEnabled = 0;
    if (m_pChildren[GRID_CHILD_CELLS])
        m_pChildren[GRID_CHILD_CELLS]->SetFocus();
    CGridInfo* pNew = m_arrSheets[static_cast<size_t>(nIndex)].get();
    pNew->m_nTabWidth = m_pInfo->m_nTabWidth;
    for (int i = 0; i < GRID_CHILD_COUNT; ++i)
        if (m_pChildren[i] && i != GRID_CHILD_HINT)
            m_pChildren[i]->SetSheet(pNew);
    m_nSheet = nIndex;
    m_pInfo = pNew;
    m_hints.Reset();
    AdjustLayout();
    m_bUpdateEnabled = bWasEnabled;
    return 0;
}

int CGridCore::SetSheetTabWidth(int nWidth, bool bUserSizing)
{
    if (nWidth < 0)
        return 1;
    m_pInfo->m_nTabWidth = nWidth;
    m_pInfo->m_bTabsResizing = bUserSizing ? 1 : 0;
    AdjustLayout();
    m_pInfo->m_bTabsResizing = 0;
    return 0;
}

void CGridCore::ApplySystemBarSizes()
{
    for (auto& pSheet : m_arrSheets)
    {
        pSheet->m_nVScrollWidth = GridGetSystemMetric(GRID_SM_CXVSCROLL);
        pSheet->m_nHScrollHeight = GridGetSystemMetric(GRID_SM_CYHSCROLL);
    }
}

int CGridCore::MoveColumn(int nFromCol, int nTargetCol, int bBefore)
{
    std::vector<GRIDCOLUMN>& arrCols = m_pInfo->m_arrCols;
    const int nCount = m_pInfo->m_nColCount;
    const int nInsert = bBefore ? nTargetCol : nTargetCol + 1;
    if (nFromCol < 0 || nFromCol >= nCount || nInsert < 0 || nInsert > nCount)
        return 1;
    if (nInsert == nFromCol || nInsert == nFromCol + 1)
        return 0;
    GRIDCOLUMN col = std::move(arrCols[static_cast<size_t>(nFromCol)]);
    arrCols.erase(arrCols.begin() + nFromCol);
    const int nAt = nInsert > nFromCol ? nInsert - 1 : nInsert;
    arrCols.insert(arrCols.begin() + nAt, std::move(col));
    return 0;
}

int CGridCore::SetColDataSource(int nCol, CGridDataSource* pSource)
{
    if (nCol < 0 || nCol >= m_pInfo->m_nColCount)
        return 1;
    m_pInfo->m_arrCols[static_cast<size_t>(nCol)].pDataSource = pSource ? pSource : m_pInfo->m_pDataSource;
    return 0;
}

int CGridCore::SetColDefaultCell(int nCol, const CGridCell& cell)
{
    if (nCol < 0 || nCol >= m_pInfo->m_nColCount)
        return 1;
    cell.CopyTo(m_pInfo->m_arrCols[static_cast<size_t>(nCol)].pDefaultCell.get());
    return 0;
}
