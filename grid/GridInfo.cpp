// CGridInfo: a sheet's defaults.
#include "grid/GridInfo.h"

#include "grid/GridColors.h"

#include <numeric>

CGridInfo::CGridInfo()
    : m_pGridDefault(std::make_unique<CGridCell>()), m_pHeadingDefault(std::make_unique<CGridCell>()),
      m_nVScrollWidth(GridGetSystemMetric(GRID_SM_CXVSCROLL)),
      m_nHScrollHeight(GridGetSystemMetric(GRID_SM_CYHSCROLL)), m_pMemStore(std::make_unique<CGridMemStore>()),
      m_pMultiSelect(std::make_unique<CGridMultiSelect>())
{
    m_pHeadingDefault->SetBackColor(GridGetSysColor(GRID_COLOR_BTNFACE));
    m_pHeadingDefault->SetBorder(0x2000);
    m_pHeadingDefault->SetAlignment(36);
    m_pDataSource = m_pMemStore.get();
    m_pMultiSelect->m_pInfo = this;
}

CGridInfo::~CGridInfo() = default;

int CGridInfo::RowHeight(long nRow) const
{
    if (nRow < 0 || nRow >= m_nRowCount)
        return 0;
    if (m_bUniformHeight || m_arrRowHeights.empty())
        return m_nDefRowHeight;
    return m_arrRowHeights[static_cast<size_t>(nRow)];
}

int CGridInfo::ColWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nColCount)
        return 0;
    return m_arrCols[static_cast<size_t>(nCol)].nWidth;
}

int CGridInfo::HeadingRowsSum() const { return std::accumulate(m_arrHeadingRows.begin(), m_arrHeadingRows.end(), 0); }
int CGridInfo::HeadingColsSum() const { return std::accumulate(m_arrHeadingCols.begin(), m_arrHeadingCols.end(), 0); }
