// CGridWnd: event translation for the cell area.
#include "grid/wx/GridWnd.h"

#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWxDC.h"
#include "grid/wx/GridWxInput.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/utils.h>

CGridWnd::CGridWnd(CGridCtrl* pGrid)
    : CGridChildWnd(pGrid, 1, wxWANTS_CHARS), m_area(pGrid), m_dragTimer(this)
{
    SetCursor(wxCursor(wxCURSOR_ARROW));
    Bind(wxEVT_PAINT, &CGridWnd::OnPaint, this);
    Bind(wxEVT_KEY_DOWN, &CGridWnd::OnKeyDown, this);
    Bind(wxEVT_KEY_UP, &CGridWnd::OnKeyUp, this);
    Bind(wxEVT_CHAR, &CGridWnd::OnChar, this);
    for (const wxEventTypeTag<wxMouseEvent>& type :
         {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
          wxEVT_RIGHT_DCLICK, wxEVT_MOTION})
        Bind(type, &CGridWnd::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &CGridWnd::OnWheel, this);
    Bind(wxEVT_SET_FOCUS, &CGridWnd::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &CGridWnd::OnFocus, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CGridWnd::OnCaptureLost, this);
    Bind(wxEVT_TIMER, &CGridWnd::OnDragTimer, this);
}

CGridWnd::~CGridWnd()
{
    m_dragTimer.Stop();
    m_pBorrower = nullptr;
    ReleaseMouseIfHeld();
}

void CGridWnd::LendMouse(IGridMouseBorrower* pBorrower)
{
    m_dragTimer.Stop();
    m_pBorrower = pBorrower;
    if (!HasCapture())
        CaptureMouse();
}

void CGridWnd::TakeMouseBack(IGridMouseBorrower* pBorrower)
{
    if (m_pBorrower != pBorrower)
        return;
    m_pBorrower = nullptr;
    ReleaseMouseIfHeld();
}

bool CGridWnd::HasPendingPaint() const
{
    return false;
}

// Repaints go through the paint event: the hinted cells become an invalid rectangle, and the
// paint pass draws the cells under the invalid region.
void CGridWnd::DrawHinted()
{
    const GRIDRECT rc = m_area.HintedPixels();
    m_pGrid->GetDrawHints().Reset();
    if (!rc.IsEmpty())
        RefreshRect(GridToWxRect(rc), false);
}

void CGridWnd::Sleep(int nMilliseconds)
{
    wxMilliSleep(static_cast<unsigned long>(nMilliseconds));
}

GRIDPOINT CGridWnd::ToScreen(const GRIDPOINT& pt) const
{
    const wxPoint p = ClientToScreen(wxPoint(pt.x, pt.y));
    return GRIDPOINT{p.x, p.y};
}

// The cells under the invalid region are painted into a bitmap in memory and copied to the
// window at once: hundreds of small fills and text copies cost a fraction there of what they
// cost sent one by one to the window's surface, which may live in the display server.
void CGridWnd::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxRect box = GetUpdateRegion().GetBox();
    if (!m_pInfo || box.IsEmpty())
        return;
    const double dScale = GetDPIScaleFactor();
    if (!m_bmpBuffer.IsOk() || m_bmpBuffer.GetLogicalWidth() < box.width || m_bmpBuffer.GetLogicalHeight() < box.height)
    {
        const wxSize szOld = m_bmpBuffer.IsOk() ? m_bmpBuffer.GetLogicalSize() : wxSize(0, 0);
        m_bmpBuffer.CreateWithDIPSize(wxSize(std::max(szOld.x, box.width), std::max(szOld.y, box.height)), dScale);
    }
    wxMemoryDC mdc(m_bmpBuffer);
    mdc.SetDeviceOrigin(-box.x, -box.y);
    CGridWxDC gdc(mdc, m_pGrid->GetTextCache());
    gdc.SetFocusWindow(this);
    gdc.FillRect(GridFromWxRect(box), m_pGrid->OnBackColor(GRID_SECTION_CELLS));
    m_area.HintPixels(GridFromWxRect(box));
    m_area.PaintCells(&gdc, HasFocus());
    dc.Blit(box.x, box.y, box.width, box.height, &mdc, box.x, box.y);
}

void CGridWnd::OnKeyDown(wxKeyEvent& event)
{
    const unsigned nKey = GridKeyFromWx(event);
    if (nKey == 0 || !m_area.OnKeyDown(nKey, GridFlagsFromKey(event), *this))
        event.Skip();
}

void CGridWnd::OnKeyUp(wxKeyEvent& event)
{
    m_area.OnKeyUp();
    event.Skip();
}

// Only keys that make characters reach the cell types as characters; F2 or an arrow passed
// on by the key handler are no characters.
void CGridWnd::OnChar(wxKeyEvent& event)
{
    const wxChar ch = event.GetUnicodeKey();
    if (ch == WXK_NONE)
    {
        event.Skip();
        return;
    }
    m_area.OnChar(static_cast<unsigned>(ch), GridFlagsFromKey(event));
}

void CGridWnd::ReleaseMouseIfHeld()
{
    if (HasCapture())
        ReleaseMouse();
}

void CGridWnd::OnMouse(wxMouseEvent& event)
{
    if (m_pBorrower && m_pBorrower->OnBorrowedMouse(event))
        return;
    const GRIDPOINT pt{event.GetX(), event.GetY()};
    const unsigned nFlags = GridFlagsFromMouse(event);
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MOTION)
    {
        if (m_pInfo && m_pInfo->m_bCellTips)
            UpdateTip(pt);
        // A move ends any auto-scroll wait; the area says whether another one is due.
        m_dragTimer.Stop();
        const int nDelay = m_area.OnMouseMove(pt, nFlags);
        if (nDelay > 0 && HasCapture())
        {
            m_ptDrag = pt;
            m_nDragFlags = nFlags;
            m_dragTimer.StartOnce(nDelay);
        }
        return;
    }
    if (type == wxEVT_LEFT_DOWN && !m_pGrid->EndEditBeforeClick())
        return;
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN)
        wxWindow::SetFocus();
    if (type == wxEVT_LEFT_DOWN)
    {
        // A cell type that opened a window of its own (the drop list) keeps the mouse for it.
        if (m_area.OnLeftDown(pt, nFlags) && !HasCapture() && wxWindow::FindFocus() == this)
            CaptureMouse();
    }
    else if (type == wxEVT_LEFT_UP)
    {
        m_dragTimer.Stop();
        m_area.OnLeftUp(pt, nFlags);
        if (!m_pBorrower)
            ReleaseMouseIfHeld();
    }
    else if (type == wxEVT_LEFT_DCLICK)
        m_area.OnLeftDoubleClick(pt, nFlags);
    else if (type == wxEVT_RIGHT_DOWN)
    {
        m_area.OnRightDown(pt, nFlags, *this);
        // Without a popup menu of the grid's own, the toolkit turns the click into a context-menu
        // event, which the grid's owner may answer with a menu of its own.
        if (!m_pInfo || !m_pInfo->m_bPopupEnabled)
            event.Skip();
    }
    else if (type == wxEVT_RIGHT_UP)
        m_area.OnRightUp(pt, nFlags);
    else if (type == wxEVT_RIGHT_DCLICK)
        m_area.OnRightDoubleClick(pt, nFlags);
}

void CGridWnd::OnDragTimer(wxTimerEvent&)
{
    if (!HasCapture() || !wxGetMouseState().LeftIsDown())
        return;
    const int nDelay = m_area.DragStep(m_ptDrag, m_nDragFlags | GRID_MK_LBUTTON);
    if (nDelay > 0)
        m_dragTimer.StartOnce(nDelay);
}

void CGridWnd::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_dragTimer.Stop();
    if (IGridMouseBorrower* pBorrower = m_pBorrower)
    {
        m_pBorrower = nullptr;
        pBorrower->OnBorrowedMouseLost();
    }
}

void CGridWnd::OnWheel(wxMouseEvent& event)
{
    if (m_pBorrower && m_pBorrower->OnBorrowedMouse(event))
        return;
    m_area.OnWheel(event.GetWheelRotation());
    event.Skip();
}

void CGridWnd::OnFocus(wxFocusEvent& event)
{
    event.Skip();
    if (!m_pInfo)
        return;
    if (event.GetEventType() == wxEVT_SET_FOCUS)
        m_area.OnSetFocus();
    else
        m_area.OnKillFocus();
}

void CGridWnd::UpdateTip(GRIDPOINT pt)
{
    std::string strText;
    GridShowToolTip(*this, m_area.GetTipText(pt, &strText) == 1 ? &strText : nullptr);
}
