// CGridCorner: paint, cursors and mouse translation.
#include "grid/wx/GridCorner.h"

#include "grid/wx/GridCtrl.h"
#include "grid/GridHeadingPaint.h"
#include "grid/wx/GridWxDC.h"
#include "grid/wx/GridWxInput.h"

#include <wx/dcbuffer.h>

CGridCorner::CGridCorner(CGridCtrl* pGrid) : CGridChildWnd(pGrid, GRID_SECTION_CORNER), m_input(pGrid)
{
    Bind(wxEVT_PAINT, &CGridCorner::OnPaint, this);
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MOTION})
        Bind(type, &CGridCorner::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});
}

void CGridCorner::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc, m_pGrid->GetTextCache());
    const wxSize sz = GetClientSize();
    if (m_pInfo)
        GridPaintCorner(*m_pGrid, gdc, GRIDSIZE{sz.x, sz.y});
}

void CGridCorner::OnMouse(wxMouseEvent& event)
{
    const GRIDPOINT pt{event.GetX(), event.GetY()};
    const GRIDRECT rc = GridFromWxRect(GetClientRect());
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MOTION)
        m_input.OnMouseMove(pt, GridFlagsFromMouse(event), rc, *this);
    else if (type == wxEVT_LEFT_DOWN)
        m_input.OnLeftDown(pt, rc, *this);
    else if (type == wxEVT_LEFT_UP)
        m_input.OnLeftUp(pt, rc, *this);
    else if (type == wxEVT_LEFT_DCLICK)
        m_input.OnLeftDouble(pt, rc);
    else if (type == wxEVT_RIGHT_DOWN)
        m_input.OnRightDown(pt, rc, *this);
    else if (type == wxEVT_RIGHT_UP)
        m_input.OnRightUp(pt, rc);
}

void CGridCorner::SetCursorKind(int nCursor)
{
    SetCursor(wxCursor(nCursor == GRID_CURSOR_SIZEWE   ? wxCURSOR_SIZEWE
                       : nCursor == GRID_CURSOR_SIZENS ? wxCURSOR_SIZENS
                                                       : wxCURSOR_ARROW));
}

void CGridCorner::Capture()
{
    if (!HasCapture())
        CaptureMouse();
}

void CGridCorner::Release()
{
    if (HasCapture())
        ReleaseMouse();
}

GRIDPOINT CGridCorner::ToScreen(GRIDPOINT pt) const
{
    const wxPoint p = ClientToScreen(wxPoint(pt.x, pt.y));
    return GRIDPOINT{p.x, p.y};
}
