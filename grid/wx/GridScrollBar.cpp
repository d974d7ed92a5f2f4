// CGridScrollBar: the toolkit's scroll events into the bar's rules.
#include "grid/wx/GridScrollBar.h"

#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWxDC.h"

#include <algorithm>

CGridScrollBar::CGridScrollBar(CGridCtrl* pGrid, bool bVertical)
    : wxScrollBar(pGrid, bVertical ? 6 : 7, wxDefaultPosition, wxSize(0, 0), bVertical ? wxSB_VERTICAL : wxSB_HORIZONTAL),
      m_pGrid(pGrid), m_logic(pGrid, bVertical)
{
    for (auto type : {wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN,
                      wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_THUMBRELEASE, wxEVT_SCROLL_THUMBTRACK})
        Bind(type, &CGridScrollBar::OnScrollEvent, this);
    Bind(wxEVT_RIGHT_DOWN, &CGridScrollBar::OnRightDown, this);
    Bind(wxEVT_ENTER_WINDOW, &CGridScrollBar::OnHover, this);
    Bind(wxEVT_MOTION, &CGridScrollBar::OnHover, this);
}

void CGridScrollBar::SetSheet(CGridInfo* pInfo)
{
    m_pInfo = pInfo;
    m_logic.Reset();
}

void CGridScrollBar::Place(const GRIDRECT& rc, bool)
{
    SetSize(rc.left, rc.top, std::max(0, rc.Width()), std::max(0, rc.Height()));
    Show(!rc.IsEmpty());
    m_logic.Reset();
    UpdateBar();
}

void CGridScrollBar::UpdateBar()
{
    if (m_pInfo && m_pGrid->GetSheet() == m_pInfo)
        m_logic.UpdateBar(*this);
}

void CGridScrollBar::SetBarRange(int nMin, int nMax, int nPage)
{
    m_nMin = nMin;
    const int nThumb = std::max(1, nPage);
    SetScrollbar(std::max(0, GetThumbPosition()), nThumb, std::max(nThumb, nMax - nMin + 1), nThumb, false);
    Refresh(false);
}

void CGridScrollBar::SetBarPos(int nPos)
{
    SetThumbPosition(std::max(0, nPos - m_nMin));
    UpdateHoverTip();
}

void CGridScrollBar::OnScrollEvent(wxScrollEvent& event)
{
    const wxEventType type = event.GetEventType();
    const int nCode = type == wxEVT_SCROLL_LINEUP         ? GRID_SB_LINEUP
                      : type == wxEVT_SCROLL_LINEDOWN     ? GRID_SB_LINEDOWN
                      : type == wxEVT_SCROLL_PAGEUP       ? GRID_SB_PAGEUP
                      : type == wxEVT_SCROLL_PAGEDOWN     ? GRID_SB_PAGEDOWN
                      : type == wxEVT_SCROLL_TOP          ? GRID_SB_TOP
                      : type == wxEVT_SCROLL_BOTTOM       ? GRID_SB_BOTTOM
                      : type == wxEVT_SCROLL_THUMBRELEASE ? GRID_SB_THUMBPOSITION
                      : type == wxEVT_SCROLL_THUMBTRACK   ? GRID_SB_THUMBTRACK
                                                          : GRID_SB_ENDSCROLL;
    const wxPoint pt = m_pGrid->ScreenToClient(wxGetMousePosition());
    m_bTracking = nCode == GRID_SB_THUMBTRACK;
    if (m_bTracking && GetToolTip())
        UnsetToolTip();
    m_logic.OnScroll(nCode, event.GetPosition() + m_nMin, GRIDPOINT{pt.x, pt.y}, *this);
}

void CGridScrollBar::OnRightDown(wxMouseEvent& event)
{
    event.Skip();
    const wxPoint pt = ClientToScreen(event.GetPosition());
    m_logic.OnRightDown(GRIDPOINT{pt.x, pt.y});
}

void CGridScrollBar::OnHover(wxMouseEvent& event)
{
    event.Skip();
    UpdateHoverTip();
}

// The hover tip names what the view now shows, so it follows every scroll.
void CGridScrollBar::UpdateHoverTip()
{
    if (!m_pInfo || m_pGrid->GetSheet() != m_pInfo)
        return;
    std::string strText;
    const bool bTip = !m_bTracking && m_logic.HoverTip(&strText);
    GridShowToolTip(*this, bTip ? &strText : nullptr);
}
