// CGridTopHeading: paint and presses.
#include "grid/GridTopHeading.h"

#include "grid/GridCtrl.h"
#include "grid/GridHeadingPaint.h"
#include "grid/GridWxDC.h"

#include <wx/dcbuffer.h>

CGridTopHeading::CGridTopHeading(CGridCtrl* pGrid) : CGridChildWnd(pGrid, GRID_SECTION_COLHEADING)
{
    Bind(wxEVT_PAINT, &CGridTopHeading::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CGridTopHeading::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CGridTopHeading::OnMouse, this);
}

void CGridTopHeading::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc);
    const wxSize sz = GetClientSize();
    if (m_pInfo)
        GridPaintColHeading(*m_pGrid, gdc, GRIDSIZE{sz.x, sz.y});
}

void CGridTopHeading::OnMouse(wxMouseEvent& event)
{
    const bool bDown = event.GetEventType() == wxEVT_LEFT_DOWN;
    if (bDown)
        m_pGrid->CancelEdit();
    GRIDPOINT pt{event.GetX(), event.GetY()};
    GRIDRECT rc = GridFromWxRect(GetClientRect());
    m_pGrid->OnColHeadingLeftClick(-1, -1, bDown ? 1 : 0, &rc, &pt, 0);
}
