// Drawing and mouse handling of the hover button.
#include "ui/HoverButton.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace
{
wxColour FromRef(uint32_t c)
{
    return wxColour(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

uint32_t ToRef(const wxColour& c)
{
    return static_cast<uint32_t>(c.Red()) | (static_cast<uint32_t>(c.Green()) << 8) |
           (static_cast<uint32_t>(c.Blue()) << 16);
}
} // namespace

void Draw3dRect(wxDC& dc, const wxRect& r, const wxColour& topLeft, const wxColour& bottomRight)
{
    dc.SetPen(wxPen(topLeft));
    dc.DrawLine(r.GetLeft(), r.GetBottom(), r.GetLeft(), r.GetTop());
    dc.DrawLine(r.GetLeft(), r.GetTop(), r.GetRight() + 1, r.GetTop());
    dc.SetPen(wxPen(bottomRight));
    dc.DrawLine(r.GetRight(), r.GetTop() + 1, r.GetRight(), r.GetBottom() + 1);
    dc.DrawLine(r.GetLeft() + 1, r.GetBottom(), r.GetRight(), r.GetBottom());
    dc.SetPen(wxNullPen);
}

CHoverButton::CHoverButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                           const wxSize& size)
    : wxControl(parent, id, pos, size, wxBORDER_NONE | wxWANTS_CHARS),
      m_crText(ToRef(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT))),
      m_crFace(ToRef(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)))
{
    SetLabel(label);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize(size);
    Bind(wxEVT_PAINT, &CHoverButton::OnPaint, this);
    Bind(wxEVT_MOTION, &CHoverButton::OnMouseMove, this);
    Bind(wxEVT_ENTER_WINDOW, &CHoverButton::OnMouseMove, this);
    Bind(wxEVT_LEAVE_WINDOW, &CHoverButton::OnMouseLeave, this);
    Bind(wxEVT_LEFT_DOWN, &CHoverButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CHoverButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CHoverButton::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CHoverButton::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CHoverButton::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, &CHoverButton::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &CHoverButton::OnFocus, this);
}

void CHoverButton::SetCaptionColor(uint32_t color)
{
    m_crText = color;
    Refresh();
}

void CHoverButton::SetFaceColor(uint32_t color)
{
    m_crFace = color;
    Refresh();
}

wxSize CHoverButton::DoGetBestSize() const
{
    wxString text = wxControl::RemoveMnemonics(GetLabel());
    wxSize extent = GetTextExtent(text.empty() ? wxString("M") : text);
    return wxSize(extent.x + 24, extent.y + 12);
}

int CHoverButton::GetDrawState() const
{
    int state = 0;
    if (m_bPressed && m_bHover)
        state |= ODS_SELECTED;
    if (!IsEnabled())
        state |= ODS_DISABLED;
    return state;
}

void CHoverButton::DrawButton(wxDC& dc, const wxRect& rect, int action, int state)
{
    if (action != ODA_FOCUS)
    {
        const int p = (state & ODS_SELECTED) ? 1 : 0;
        const bool disabled = (state & ODS_DISABLED) != 0;
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(disabled ? wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE) : FromRef(m_crFace)));
        dc.DrawRectangle(rect);

        wxString caption;
        int accel = wxControl::FindAccelIndex(GetLabel(), &caption);
        if (!caption.empty())
        {
            dc.SetFont(GetFont());
            wxSize extent = dc.GetTextExtent(caption);
            int x = (rect.width - extent.x) >> 1;
            int y = ((rect.height - extent.y) >> 1) - 1;
            x += p + rect.x;
            y += p + rect.y;
            dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
            wxRect textRect(x, y, extent.x, extent.y);
            if (disabled)
            {
                // The platform's disabled look: an embossed caption.
                dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT));
                dc.DrawLabel(caption, wxRect(textRect.x + 1, textRect.y + 1, textRect.width, textRect.height), wxALIGN_LEFT | wxALIGN_TOP, accel);
                dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW));
                dc.DrawLabel(caption, textRect, wxALIGN_LEFT | wxALIGN_TOP, accel);
            }
            else
            {
                dc.SetTextForeground(FromRef(m_crText));
                dc.DrawLabel(caption, textRect, wxALIGN_LEFT | wxALIGN_TOP, accel);
            }
        }
        DrawBorder(dc, rect, state);
        if (state & ODS_FOCUS)
            DrawFocusRing(dc, rect);
        dc.SetBrush(wxNullBrush);
    }
    m_nLastState = state;
    m_nLastAction = action;
}

void CHoverButton::DrawBorder(wxDC& dc, const wxRect& rect, int state)
{
    const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW);
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT);
    if (state & ODS_SELECTED)
        Draw3dRect(dc, rect, shadow, highlight);
    else if (m_bHover || !m_bFlat)
        Draw3dRect(dc, rect, highlight, shadow);
}

void CHoverButton::DrawFocusRing(wxDC& dc, const wxRect& rect)
{
    const wxRect ring = wxRect(rect).Deflate(3);
    if (ring.width < 2 || ring.height < 2)
        return;
    dc.SetPen(wxPen(FromRef(m_crText)));
    for (int x = ring.GetLeft(); x <= ring.GetRight(); x += 2)
    {
        dc.DrawPoint(x, ring.GetTop());
        dc.DrawPoint(x, ring.GetBottom());
    }
    for (int y = ring.GetTop() + 2; y < ring.GetBottom(); y += 2)
    {
        dc.DrawPoint(ring.GetLeft(), y);
        dc.DrawPoint(ring.GetRight(), y);
    }
    dc.SetPen(wxNullPen);
}

void CHoverButton::OnFocus(wxFocusEvent& event)
{
    Refresh();
    event.Skip();
}

void CHoverButton::OnPaint(wxPaintEvent&)
{
    // Every change of state repaints the whole button, so it always shows its current state.
    wxAutoBufferedPaintDC dc(this);
    DrawButton(dc, GetClientRect(), ODA_DRAWENTIRE, GetDrawState() | (HasFocus() ? ODS_FOCUS : 0));
}

void CHoverButton::OnMouseMove(wxMouseEvent& event)
{
    if (m_bActive)
    {
        bool inside = GetClientRect().Contains(event.GetPosition());
        if (inside != m_bHover)
        {
            m_bHover = inside;
            Refresh();
        }
    }
    event.Skip();
}

void CHoverButton::OnMouseLeave(wxMouseEvent& event)
{
    if (m_bActive && !HasCapture())
    {
        m_bHover = false;
        Refresh();
    }
    event.Skip();
}

void CHoverButton::OnLeftDown(wxMouseEvent& event)
{
    if (!m_bActive || !IsEnabled())
        return;
    SetFocus();
    m_bPressed = true;
    m_bHover = true;
    if (!HasCapture() && IsShownOnScreen())
        CaptureMouse();
    Refresh();
    event.Skip();
}

void CHoverButton::OnLeftUp(wxMouseEvent& event)
{
    if (HasCapture())
        ReleaseMouse();
    bool clicked = m_bPressed && GetClientRect().Contains(event.GetPosition());
    m_bPressed = false;
    m_bHover = GetClientRect().Contains(event.GetPosition());
    Refresh();
    if (clicked)
        Click();
}

void CHoverButton::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_bPressed = false;
    m_bHover = false;
    Refresh();
}

void CHoverButton::OnKeyDown(wxKeyEvent& event)
{
    if (IsEnabled() && (event.GetKeyCode() == WXK_SPACE || event.GetKeyCode() == WXK_RETURN))
        Click();
    else
        event.Skip();
}

void CHoverButton::Click()
{
    wxCommandEvent click(wxEVT_BUTTON, GetId());
    click.SetEventObject(this);
    ProcessWindowEvent(click);
}
