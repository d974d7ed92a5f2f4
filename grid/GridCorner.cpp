// CGridCorner: paint and presses.
#include "grid/GridCorner.h"

#include "grid/GridCtrl.h"
#include "grid/GridHeadingPaint.h"
#include "grid/GridWxDC.h"

#include <wx/dcbuffer.h>

CGridCorner::CGridCorner(CGridCtrl* pGrid) : CGridChildWnd(pGrid, GRID_SECTION_CORNER)
{
    Bind(wxEVT_PAINT, &CGridCorner::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CGridCorner::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CGridCorner::OnMouse, this);
}

void CGridCorner::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc);
    const wxSize sz = GetClientSize();
    if (m_pInfo)
        GridPaintCorner(*m_pGrid, gdc, GRIDSIZE{sz.x, sz.y});
}

void CGridCorner::OnMouse(wxMouseEvent& event)
{
    const bool bDown = event.GetEventType() == wxEVT_LEFT_DOWN;
    if (bDown)
        m_pGrid->CancelEdit();
    GRIDPOINT pt{event.GetX(), event.GetY()};
    GRIDRECT rc = GridFromWxRect(GetClientRect());
    m_pGrid->OnCornerLeftClick(bDown ? 1 : 0, &rc, &pt, 0);
}
