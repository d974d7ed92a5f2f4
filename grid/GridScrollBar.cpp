// CGridScrollBar: range, page and position from the sheet; scroll codes to grid steps.
#include "grid/GridScrollBar.h"

#include "grid/GridCtrl.h"

#include <algorithm>

CGridScrollBar::CGridScrollBar(CGridCtrl* pGrid, bool bVertical)
    : wxScrollBar(pGrid, bVertical ? 6 : 7, wxDefaultPosition, wxSize(0, 0), bVertical ? wxSB_VERTICAL : wxSB_HORIZONTAL),
      m_pGrid(pGrid), m_bVertical(bVertical)
{
    Bind(wxEVT_SCROLL_LINEUP, &CGridScrollBar::OnScrollEvent, this);
    Bind(wxEVT_SCROLL_LINEDOWN, &CGridScrollBar::OnScrollEvent, this);
    Bind(wxEVT_SCROLL_PAGEUP, &CGridScrollBar::OnScrollEvent, this);
    Bind(wxEVT_SCROLL_PAGEDOWN, &CGridScrollBar::OnScrollEvent, this);
    Bind(wxEVT_SCROLL_TOP, &CGridScrollBar::OnScrollEvent, this);
    Bind(wxEVT_SCROLL_BOTTOM, &CGridScrollBar::OnScrollEvent, this);
    Bind(wxEVT_SCROLL_THUMBRELEASE, &CGridScrollBar::OnScrollEvent, this);
    Bind(wxEVT_SCROLL_THUMBTRACK, &CGridScrollBar::OnScrollEvent, this);
}

void CGridScrollBar::SetSheet(CGridInfo* pInfo)
{
    m_pInfo = pInfo;
    m_nLastMax = -1;
}

void CGridScrollBar::Place(const GRIDRECT& rc, bool)
{
    SetSize(rc.left, rc.top, std::max(0, rc.Width()), std::max(0, rc.Height()));
    Show(!rc.IsEmpty());
    m_nLastMax = -1;
    UpdateBar();
}

// Bars over more than 1000 rows scale their range to 1000 units.
void CGridScrollBar::UpdateBar()
{
    if (!m_pInfo)
        return;
    const CGridInfo& s = *m_pInfo;
    const long nMax = m_bVertical ? s.m_nMaxTopRow : s.m_nMaxLeftCol;
    const int nPage = m_bVertical ? std::max(1, s.m_nCellAreaHeight / s.m_nDefRowHeight)
                                  : std::max(1, s.m_nCellAreaWidth / std::max(1, s.m_nDefColWidth));
    if (nMax != m_nLastMax || nPage != m_nLastPage)
    {
        m_nLastMax = nMax;
        m_nLastPage = nPage;
        if (m_bVertical && nMax > 1000)
        {
            m_dToBar = 1000.0 / static_cast<double>(nMax);
            m_dToRows = static_cast<double>(nMax) * 0.001;
            SetScrollbar(GetThumbPosition(), 1, 1001, 1, false);
        }
        else
        {
            m_dToBar = m_dToRows = 1.0;
            SetScrollbar(GetThumbPosition(), nPage, static_cast<int>(nMax) + nPage, nPage, false);
        }
    }
    const long nPos = m_bVertical ? s.m_nTopRow : s.m_nLeftCol;
    SetThumbPosition(static_cast<int>(static_cast<double>(nPos) * m_dToBar));
}

void CGridScrollBar::OnScrollEvent(wxScrollEvent& event)
{
    if (IGridChild* pCells = m_pGrid->GetChild(GRID_CHILD_CELLS))
        if (!pCells->HasFocus())
            pCells->SetFocus();
    auto move = [&](int nHow) { return m_bVertical ? m_pGrid->StepTopRow(nHow) : m_pGrid->StepLeftCol(nHow); };
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_SCROLL_LINEUP)
        move(GRID_STEP_PREV);
    else if (type == wxEVT_SCROLL_LINEDOWN)
        move(GRID_STEP_NEXT);
    else if (type == wxEVT_SCROLL_PAGEUP)
        move(GRID_STEP_PAGEUP);
    else if (type == wxEVT_SCROLL_PAGEDOWN)
        move(GRID_STEP_PAGEDOWN);
    else if (type == wxEVT_SCROLL_TOP)
        move(GRID_STEP_FIRST);
    else if (type == wxEVT_SCROLL_BOTTOM)
        move(GRID_STEP_LAST);
    else if (type == wxEVT_SCROLL_THUMBRELEASE)
    {
        if (m_bVertical)
            m_pGrid->ScrollToRow(static_cast<long>(event.GetPosition() * m_dToRows));
        else
            m_pGrid->ScrollToCol(event.GetPosition());
    }
    UpdateBar();
}
