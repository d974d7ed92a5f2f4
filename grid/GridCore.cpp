// CGridCore: construction, counts and sizes, the modes, the children and repaint requests.
#include "grid/GridCore.h"

#include "grid/GridArrowType.h"
#include "grid/GridCellType.h"
#include "grid/GridCheckBoxType.h"
#include "grid/GridDropListType.h"
#include "grid/GridSheetTabStrip.h"
#include "grid/GridColors.h"
#include "grid/GridDC.h"

CGridCore::CGridCore() : m_pTabStrip(std::make_unique<CGridSheetTabStrip>(this))
{
    m_penShadow = CGridPen{0, 1, GridGetSysColor(GRID_COLOR_BTNSHADOW)};
    m_arrBuiltinTypes.push_back(std::make_unique<CGridCellType>());
    m_arrBuiltinTypes.push_back(std::make_unique<CGridDropListType>());
    m_arrBuiltinTypes.push_back(std::make_unique<CGridCheckBoxType>());
    m_arrBuiltinTypes.push_back(std::make_unique<CGridArrowType>());
    SetSheetCount(1);
    for (auto& pType : m_arrBuiltinTypes)
        RegisterCellType(pType.get());
}

CGridCore::~CGridCore()
{
    for (auto& pSheet : m_arrSheets)
        pSheet->m_pMemStore->DeleteAll();
}

// ---- Counts and sizes ----

int CGridCore::SetColCount(int nCount, int bRedraw)
{
    if (nCount < 0 || nCount > 32000)
        return 1;
    CGridInfo& s = *m_pInfo;
    const int nOld = s.m_nColCount;
    s.m_arrCols.resize(static_cast<size_t>(nCount));
    for (int i = nOld; i < nCount; ++i)
    {
        GRIDCOLUMN& c = s.m_arrCols[static_cast<size_t>(i)];
        c.nWidth = s.m_nDefColWidth;
        c.pDataSource = s.m_pDataSource;
        c.pDefaultCell = std::make_unique<CGridCell>(*s.m_pGridDefault);
        c.nSourceIndex = i;
    }
    s.m_nColCount = nCount;
    RecalcMaxLeftCol();
    if (s.m_nCurrentCol >= nCount)
        s.m_nCurrentCol = nCount - 1;
    if (s.m_nNotifiedCol >= nCount)
        s.m_nNotifiedCol = s.m_nPrevNotifiedCol = nCount - 1;
    if (s.m_nCurrentCol < 0 && nCount > 0)
        SetCurrentCol(0);
    if (bRedraw)
        RepaintAll();
    return 0;
}

int CGridCore::SetRowCount(long nCount, int bRedraw)
{
    if (nCount < 0)
        return 1;
    CGridInfo& s = *m_pInfo;
    if (nCount > 64000 && !s.m_bUniformHeight)
        SetFixedRowHeights(1);
    if (!s.m_bUniformHeight)
        s.m_arrRowHeights.resize(static_cast<size_t>(nCount), s.m_nDefRowHeight);
    s.m_nRowCount = nCount;
    const long nOldTop = s.m_nTopRow;
    RecalcMaxTopRow(true);
    if (s.m_nTopRow != nOldTop)
        ChangeDispatch();
    if (s.m_nCurrentRow >= nCount)
        s.m_nCurrentRow = nCount - 1;
    if (s.m_nNotifiedRow >= nCount)
        s.m_nNotifiedRow = s.m_nPrevNotifiedRow = nCount - 1;
    if (s.m_nCurrentRow < 0 && nCount > 0)
        SetCurrentRow(0);
    if (bRedraw)
        RepaintAll();
    return 0;
}

int CGridCore::SetColumnWidth(int nCol, int nWidth)
{
    if (nCol < 0)
    {
        SetRowHeadingColWidth(nCol, nWidth);
        return 1;
    }
    if (nCol >= m_pInfo->m_nColCount)
        return 1;
    m_pInfo->m_arrCols[static_cast<size_t>(nCol)].nWidth = std::max(0, nWidth);
    RecalcMaxLeftCol();
    return 0;
}

int CGridCore::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_pInfo->m_nColCount)
        return 1;
    return m_pInfo->m_arrCols[static_cast<size_t>(nCol)].nWidth;
}

int CGridCore::GetColumnWidth(int nCol, int* pnWidth) const
{
    if (nCol < 0 || nCol >= m_pInfo->m_nColCount)
        return 1;
    if (pnWidth)
        *pnWidth = m_pInfo->m_arrCols[static_cast<size_t>(nCol)].nWidth;
    return 0;
}

int CGridCore::SetDefaultRowHeight(int nHeight)
{
    if (nHeight < 1 || nHeight > 1024)
        return 1;
    m_pInfo->m_nDefRowHeight = nHeight;
    RecalcMaxTopRow(false);
    return 0;
}

int CGridCore::SetFixedRowHeights(int bFixed)
{
    CGridInfo& s = *m_pInfo;
    if (bFixed)
    {
        s.m_arrRowHeights.clear();
        s.m_arrRowHeights.shrink_to_fit();
        s.m_bUniformHeight = 1;
    }
    else
    {
        s.m_arrRowHeights.assign(static_cast<size_t>(s.m_nRowCount), s.m_nDefRowHeight);
        s.m_bUniformHeight = 0;
    }
    return 0;
}

int CGridCore::SetRowHeight(long nRow, int nHeight)
{
    CGridInfo& s = *m_pInfo;
    if (nRow < 0 || nRow >= s.m_nRowCount)
        return 0;
    nHeight = std::max(0, nHeight);
    if (s.m_bUniformHeight)
        s.m_nDefRowHeight = std::max(1, nHeight);
    else
        s.m_arrRowHeights[static_cast<size_t>(nRow)] = nHeight;
    RecalcMaxTopRow(false);
    return 0;
}

int CGridCore::GetRowHeight(long nRow) const { return m_pInfo->RowHeight(nRow); }

// Rescales heading sizes to a new total: each becomes round(total / old sum * size).
static void RescaleHeadings(std::vector<int>& arrSizes, int nTotal)
{
    int nSum = 0;
    for (int n : arrSizes)
        nSum += n;
    if (nSum == 0)
        return;
    for (int& n : arrSizes)
        n = static_cast<int>(static_cast<double>(nTotal) / nSum * n + 0.5);
}

int CGridCore::SetColHeadingHeight(int nHeight)
{
    if (nHeight < 0 || nHeight > 1024)
        return 1;
    RescaleHeadings(m_pInfo->m_arrHeadingRows, nHeight);
    m_pInfo->m_nColHeadingHeight = nHeight;
    AdjustLayout();
    return 0;
}

int CGridCore::SetRowHeadingWidth(int nWidth)
{
    if (nWidth < 0 || nWidth > 1024)
        return 1;
    RescaleHeadings(m_pInfo->m_arrHeadingCols, nWidth);
    m_pInfo->m_nRowHeadingWidth = nWidth;
    AdjustLayout();
    return 0;
}

int CGridCore::SetColHeadingRowHeight(int nHeadingRow, int nHeight)
{
    const int nIndex = ~nHeadingRow;
    if (nHeadingRow >= 0 || nIndex >= static_cast<int>(m_pInfo->m_arrHeadingRows.size()))
        return 1;
    if (nHeight < 0 || nHeight > 1024)
        return 2;
    m_pInfo->m_arrHeadingRows[static_cast<size_t>(nIndex)] = nHeight;
    return 0;
}

int CGridCore::SetRowHeadingColWidth(int nHeadingCol, int nWidth)
{
    const int nIndex = ~nHeadingCol;
    if (nHeadingCol >= 0 || nIndex >= static_cast<int>(m_pInfo->m_arrHeadingCols.size()))
        return 1;
    if (nWidth < 0 || nWidth > 1024)
        return 2;
    m_pInfo->m_arrHeadingCols[static_cast<size_t>(nIndex)] = nWidth;
    if (m_pInfo->m_arrHeadingCols.size() == 1)
        SetRowHeadingWidth(nWidth);
    return 0;
}

int CGridCore::SetSelectionMode(int nMode, int nMultiSelectFlags)
{
    if (nMode < 0 || nMode > 3)
        return 1;
    m_pInfo->m_nSelectionMode = nMode;
    m_pInfo->m_pMultiSelect->m_nMode =
        nMultiSelectFlags & (CGridMultiSelect::MODE_WHOLEROWS | CGridMultiSelect::MODE_FIRSTDECIDES);
    return 0;
}

int CGridCore::SetKeyAcceleration(int nDivisor, int nDelay)
{
    if (nDivisor < 0 || nDelay < 0)
        return 1;
    m_pInfo->m_nKeyAccelDivisor = nDivisor;
    m_pInfo->m_nKeyAccelDelay = nDelay;
    return 0;
}

int CGridCore::SetDragScroll(int nExponent, int nDelay)
{
    if (nExponent < 0 || nDelay < 0)
        return 1;
    m_pInfo->m_nDragScrollExp = nExponent;
    m_pInfo->m_nDragScrollDelay = nDelay;
    return 0;
}

int CGridCore::SetHighlightMode(int nMode)
{
    if (nMode < 0 || nMode > 3)
        return 1;
    m_pInfo->m_nHighlightMode = nMode;
    return 0;
}

// ---- Children ----

void CGridCore::AttachChild(int nSlot, IGridChild* pChild)
{
    if (nSlot < 0 || nSlot >= GRID_CHILD_COUNT)
        return;
    m_pChildren[nSlot] = pChild;
    if (pChild && nSlot != GRID_CHILD_HINT)
        pChild->SetSheet(m_pInfo);
}

void CGridCore::AttachEditBox(IGridEditWindow* pEdit)
{
    for (auto& pSheet : m_arrSheets)
        if (pSheet->m_pEditWnd == m_pEditBox)
            pSheet->m_pEditWnd = pEdit;
    m_pEditBox = pEdit;
}

// ---- Repainting and selection ----

int CGridCore::RepaintAll()
{
    if (!m_bUpdateEnabled)
        return 0;
    for (IGridChild* p : m_pChildren)
        if (p && p != m_pChildren[GRID_CHILD_HINT])
            p->Repaint();
    return 0;
}

int CGridCore::RepaintCell(int nCol, long nRow)
{
    if (nCol < 0 || nRow < 0)
    {
        IGridChild* p = m_pChildren[nCol < 0 ? GRID_CHILD_ROWHEADING : GRID_CHILD_COLHEADING];
        if (p && m_bUpdateEnabled)
            p->Repaint();
        return 0;
    }
    m_hints.AddCell(nCol, nRow);
    if (m_pChildren[GRID_CHILD_CELLS] && m_bUpdateEnabled)
        m_pChildren[GRID_CHILD_CELLS]->PaintHinted();
    return 0;
}

int CGridCore::RepaintRange(int nCol1, long nRow1, int nCol2, long nRow2)
{
    m_hints.AddRange(nCol1, nRow1, nCol2, nRow2);
    if (m_pChildren[GRID_CHILD_CELLS] && m_bUpdateEnabled)
        m_pChildren[GRID_CHILD_CELLS]->PaintHinted();
    return 0;
}

int CGridCore::EnableRepaint(int bEnable)
{
    m_bUpdateEnabled = bEnable ? 1 : 0;
    return 0;
}

int CGridCore::ClearSelection()
{
    m_pInfo->m_pMultiSelect->ClearBlocks();
    m_pInfo->m_nCurrentCol = m_pInfo->m_nNotifiedCol;
    m_pInfo->m_nCurrentRow = m_pInfo->m_nNotifiedRow;
    return 0;
}
