// CGridSheetTabs: paint, mouse translation, capture and cursors of the tab strip.
#include "grid/wx/GridSheetTabs.h"

#include "grid/GridInfo.h"
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWxDC.h"
#include "grid/wx/GridWxInput.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>

CGridSheetTabs::CGridSheetTabs(CGridCtrl* pGrid) : CGridChildWnd(pGrid, 5, wxCLIP_CHILDREN)
{
    Bind(wxEVT_PAINT, &CGridSheetTabs::OnPaint, this);
    // The tabs' slants follow the strip's height: a new size repaints all of it.
    Bind(wxEVT_SIZE,
         [this](wxSizeEvent& event)
         {
             event.Skip();
             Refresh(false);
         });
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN, wxEVT_MOTION})
        Bind(type, &CGridSheetTabs::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CGridSheetTabs::OnCaptureLost, this);
}

CGridSheetTabs::~CGridSheetTabs()
{
    Release();
}

CGridSheetTabStrip& CGridSheetTabs::Strip()
{
    return m_pGrid->GetSheetTabs();
}

GRIDSIZE CGridSheetTabs::Size() const
{
    const wxSize sz = GetClientSize();
    return GRIDSIZE{sz.x, sz.y};
}

void CGridSheetTabs::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc, m_pGrid->GetTextCache());
    Strip().Paint(gdc, Size());
}

void CGridSheetTabs::OnMouse(wxMouseEvent& event)
{
    // Hit tests need the labels' widths, which a paint may not have measured yet.
    if (!Strip().IsMeasured())
    {
        wxClientDC dc(this);
        CGridWxDC gdc(dc, m_pGrid->GetTextCache());
        Strip().Measure(gdc);
    }
    const GRIDPOINT pt{event.GetX(), event.GetY()};
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MOTION)
        Strip().OnMouseMove(pt, GridFlagsFromMouse(event), Size(), *this);
    else if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK)
        Strip().OnLeftDown(pt, Size(), *this);
    else if (type == wxEVT_LEFT_UP)
        Strip().OnLeftUp(pt, *this);
    else if (type == wxEVT_RIGHT_DOWN)
        Strip().OnRightDown(pt, Size(), *this);
}

void CGridSheetTabs::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    Strip().OnCaptureLost();
}

void CGridSheetTabs::SetCursorKind(int nCursor)
{
    SetCursor(wxCursor(nCursor == GRID_CURSOR_SIZEWE ? wxCURSOR_SIZEWE : wxCURSOR_ARROW));
}

void CGridSheetTabs::Capture()
{
    if (!HasCapture())
        CaptureMouse();
}

void CGridSheetTabs::Release()
{
    if (HasCapture())
        ReleaseMouse();
}

GRIDPOINT CGridSheetTabs::ToScreen(GRIDPOINT pt) const
{
    const wxPoint p = ClientToScreen(wxPoint(pt.x, pt.y));
    return GRIDPOINT{p.x, p.y};
}
