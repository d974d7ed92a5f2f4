// CGridSideHeading: paint and presses.
#include "grid/GridSideHeading.h"

#include "grid/GridCtrl.h"
#include "grid/GridHeadingPaint.h"
#include "grid/GridWxDC.h"

#include <wx/dcbuffer.h>

CGridSideHeading::CGridSideHeading(CGridCtrl* pGrid) : CGridChildWnd(pGrid, GRID_SECTION_ROWHEADING)
{
    Bind(wxEVT_PAINT, &CGridSideHeading::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CGridSideHeading::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CGridSideHeading::OnMouse, this);
}

void CGridSideHeading::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc);
    const wxSize sz = GetClientSize();
    if (m_pInfo)
        GridPaintRowHeading(*m_pGrid, gdc, GRIDSIZE{sz.x, sz.y});
}

void CGridSideHeading::OnMouse(wxMouseEvent& event)
{
    const bool bDown = event.GetEventType() == wxEVT_LEFT_DOWN;
    if (bDown)
        m_pGrid->CancelEdit();
    GRIDPOINT pt{event.GetX(), event.GetY()};
    GRIDRECT rc = GridFromWxRect(GetClientRect());
    m_pGrid->OnRowHeadingLeftClick(-1, -1, bDown ? 1 : 0, &rc, &pt, 0);
}
