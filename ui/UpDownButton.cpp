// Drawing and mouse handling of the up-down arrows.
#include "ui/UpDownButton.h"

#include "ui/HoverButton.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/spinbutt.h>

#include <algorithm>

CUpDownButton::CUpDownButton(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxControl(parent, id, pos, size, wxBORDER_NONE), m_timer(this)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize(size);
    Bind(wxEVT_PAINT, &CUpDownButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CUpDownButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CUpDownButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CUpDownButton::OnLeftUp, this);
    Bind(wxEVT_MOTION, &CUpDownButton::OnMotion, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CUpDownButton::OnCaptureLost, this);
    Bind(wxEVT_TIMER, &CUpDownButton::OnTimer, this);
}

wxSize CUpDownButton::DoGetBestSize() const
{
    return FromDIP(wxSize(16, 22));
}

int CUpDownButton::HalfAt(const wxPoint& point) const
{
    return point.y < GetClientSize().y / 2 ? 1 : -1;
}

void CUpDownButton::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT);
    const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW);
    const wxColour arrow = wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
    dc.SetBackground(wxBrush(face));
    dc.Clear();
    const int upperHeight = size.y / 2;
    for (int half : {1, -1})
    {
        const wxRect rect =
            half > 0 ? wxRect(0, 0, size.x, upperHeight) : wxRect(0, upperHeight, size.x, size.y - upperHeight);
        const bool sunk = m_nPressed == half && m_bOver;
        Draw3dRect(dc, rect, sunk ? shadow : light, sunk ? light : shadow);
        // A triangle pointing up or down, as wide as the half allows, shifted a pixel when pressed.
        const int w = std::max(3, std::min(rect.width - 6, (rect.height - 4) * 2) | 1);
        const int h = (w + 1) / 2;
        const int cx = rect.x + rect.width / 2 + (sunk ? 1 : 0);
        const int top = rect.y + (rect.height - h) / 2 + (sunk ? 1 : 0);
        const wxPoint points[3] = {
            half > 0 ? wxPoint(cx, top) : wxPoint(cx - w / 2, top),
            half > 0 ? wxPoint(cx - w / 2, top + h - 1) : wxPoint(cx + w / 2, top),
            half > 0 ? wxPoint(cx + w / 2, top + h - 1) : wxPoint(cx, top + h - 1),
        };
        dc.SetPen(wxPen(arrow));
        dc.SetBrush(wxBrush(arrow));
        dc.DrawPolygon(3, points);
    }
}

void CUpDownButton::SendStep(int nDelta)
{
    wxSpinEvent event(nDelta > 0 ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void CUpDownButton::OnLeftDown(wxMouseEvent& event)
{
    if (!IsEnabled())
        return;
    m_nPressed = HalfAt(event.GetPosition());
    m_bOver = true;
    if (!HasCapture())
        CaptureMouse();
    Refresh();
    SendStep(m_nPressed);
    m_timer.StartOnce(kRepeatDelay);
}

void CUpDownButton::OnMotion(wxMouseEvent& event)
{
    if (!m_nPressed)
        return;
    const bool over = GetClientRect().Contains(event.GetPosition()) && HalfAt(event.GetPosition()) == m_nPressed;
    if (over != m_bOver)
    {
        m_bOver = over;
        Refresh();
    }
}

void CUpDownButton::OnTimer(wxTimerEvent&)
{
    // A held half steps again while the pointer stays on it.
    if (!m_nPressed)
        return;
    if (m_bOver)
        SendStep(m_nPressed);
    m_timer.StartOnce(kRepeatInterval);
}

void CUpDownButton::OnLeftUp(wxMouseEvent&)
{
    Release();
}

void CUpDownButton::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_nPressed = 0;
    m_timer.Stop();
    Refresh();
}

void CUpDownButton::Release()
{
    m_timer.Stop();
    m_nPressed = 0;
    m_bOver = false;
    if (HasCapture())
        ReleaseMouse();
    Refresh();
}
