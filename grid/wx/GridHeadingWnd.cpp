// CGridHeadingWnd: mouse translation, cursors, capture and the drag marker.
#include "grid/wx/GridHeadingWnd.h"

#include "grid/wx/GridCtrl.h"
#include "grid/GridKeys.h"
#include "grid/wx/GridWxDC.h"
#include "grid/wx/GridWxInput.h"

#include <wx/dcclient.h>
#include <wx/utils.h>

CGridHeadingWnd::CGridHeadingWnd(CGridCtrl* pGrid, int nId, bool bRows)
    : CGridChildWnd(pGrid, nId), m_input(pGrid, bRows)
{
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MOTION})
        Bind(type, &CGridHeadingWnd::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});
    m_repeat.SetOwner(this);
    Bind(wxEVT_TIMER, &CGridHeadingWnd::OnRepeat, this);
}

void CGridHeadingWnd::OnRepeat(wxTimerEvent&)
{
    if (!wxGetMouseState().LeftIsDown() || !m_input.IsMoveScrolling(m_ptLast))
    {
        m_repeat.Stop();
        return;
    }
    m_input.OnMouseMove(m_ptLast, GRID_MK_LBUTTON, *this);
}

void CGridHeadingWnd::OnMouse(wxMouseEvent& event)
{
    const GRIDPOINT pt{event.GetX(), event.GetY()};
    const unsigned nFlags = GridFlagsFromMouse(event);
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MOTION)
    {
        m_ptLast = pt;
        m_input.OnMouseMove(pt, nFlags, *this);
        if (m_input.IsMoveScrolling(pt) && !m_repeat.IsRunning())
            m_repeat.Start(60);
    }
    else if (type == wxEVT_LEFT_DOWN)
        m_input.OnLeftDown(pt, nFlags, *this);
    else if (type == wxEVT_LEFT_UP)
        m_input.OnLeftUp(pt, nFlags, *this);
    else if (type == wxEVT_LEFT_DCLICK)
        m_input.OnLeftDouble(pt, nFlags, *this);
    else if (type == wxEVT_RIGHT_DOWN)
        m_input.OnRightDown(pt, *this);
    else if (type == wxEVT_RIGHT_UP)
        m_input.OnRightUp(pt, *this);
}

void CGridHeadingWnd::SetCursorKind(int nCursor)
{
    SetCursor(wxCursor(nCursor == GRID_CURSOR_SIZEWE   ? wxCURSOR_SIZEWE
                       : nCursor == GRID_CURSOR_SIZENS ? wxCURSOR_SIZENS
                                                       : wxCURSOR_ARROW));
}

void CGridHeadingWnd::Capture()
{
    if (!HasCapture())
        CaptureMouse();
}

void CGridHeadingWnd::Release()
{
    if (HasCapture())
        ReleaseMouse();
}

void CGridHeadingWnd::DrawMarker(const GRIDRECT& rc)
{
    if (auto* pCells = dynamic_cast<wxWindow*>(m_pGrid->GetChild(GRID_CHILD_CELLS)))
    {
        pCells->Update();
        wxClientDC dc(pCells);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(*wxBLACK_BRUSH);
        dc.DrawRectangle(GridToWxRect(rc));
    }
}

void CGridHeadingWnd::EraseMarker(const GRIDRECT& rc)
{
    if (auto* pCells = dynamic_cast<wxWindow*>(m_pGrid->GetChild(GRID_CHILD_CELLS)))
        pCells->RefreshRect(GridToWxRect(rc), false);
}

void CGridHeadingWnd::RepaintHeading()
{
    Refresh(false);
    Update();
}

GRIDPOINT CGridHeadingWnd::ToScreen(GRIDPOINT pt) const
{
    const wxPoint p = ClientToScreen(wxPoint(pt.x, pt.y));
    return GRIDPOINT{p.x, p.y};
}
