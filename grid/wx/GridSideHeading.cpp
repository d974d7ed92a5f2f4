// CGridSideHeading: paint.
#include "grid/wx/GridSideHeading.h"

#include "grid/GridAxis.h"
#include "grid/wx/GridCtrl.h"
#include "grid/GridHeadingPaint.h"
#include "grid/wx/GridWxDC.h"

#include <wx/dcbuffer.h>

CGridSideHeading::CGridSideHeading(CGridCtrl* pGrid) : CGridHeadingWnd(pGrid, GRID_SECTION_ROWHEADING, true)
{
    Bind(wxEVT_PAINT, &CGridSideHeading::OnPaint, this);
}

void CGridSideHeading::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc, m_pGrid->GetTextCache());
    const wxSize sz = GetClientSize();
    if (m_pInfo)
        GridPaintRowHeading(*m_pGrid, gdc, GRIDSIZE{sz.x, sz.y});
}

void CGridSideHeading::SetSheet(CGridInfo* pInfo)
{
    CGridHeadingWnd::SetSheet(pInfo);
    m_nLastTop = m_nLastNotified = -1;
}

void CGridSideHeading::RefreshRow(long nRow)
{
    const CGridInfo& s = *m_pInfo;
    if (nRow < s.m_nTopRow || nRow >= s.m_nRowCount)
        return;
    const CGridRowAxis rows(s);
    const long y = rows.Distance(s.m_nTopRow, nRow, s.m_nCellAreaHeight);
    if (y <= s.m_nCellAreaHeight)
        RefreshRect(wxRect(0, static_cast<int>(y), GetClientSize().x, rows.Size(nRow)), false);
}

void CGridSideHeading::UpdatePosition()
{
    if (!m_pInfo)
        return;
    const CGridInfo& s = *m_pInfo;
    const int nHeight = s.m_nCellAreaHeight;
    if (m_nLastTop >= 0 && m_nLastTop != s.m_nTopRow)
    {
        const long d = CGridRowAxis(s).Distance(m_nLastTop, s.m_nTopRow, nHeight);
        if (d > -nHeight && d < nHeight)
            ScrollWindow(0, static_cast<int>(-d)); // the uncovered rows are invalidated
        else
            Refresh(false);
    }
    else if (m_nLastTop != s.m_nTopRow)
        Refresh(false);
    m_nLastTop = s.m_nTopRow;
    if (m_nLastNotified != s.m_nNotifiedRow)
    {
        RefreshRow(m_nLastNotified);
        RefreshRow(s.m_nNotifiedRow);
        m_nLastNotified = s.m_nNotifiedRow;
    }
}
