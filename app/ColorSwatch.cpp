// The colour sample of the options dialog and the colour conversions.
#include "app/ColorSwatch.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

wxColour ColourFromRef(uint32_t color)
{
    return wxColour(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

uint32_t RefFromColour(const wxColour& colour)
{
    return static_cast<uint32_t>(colour.Red()) | (static_cast<uint32_t>(colour.Green()) << 8) |
           (static_cast<uint32_t>(colour.Blue()) << 16);
}

CColorSwatch::CColorSwatch(wxWindow* parent, wxWindowID id, uint32_t color)
    : wxWindow(parent, id, wxDefaultPosition, parent->ConvertDialogToPixels(wxSize(40, 14)), wxBORDER_NONE),
      m_color(color)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CColorSwatch::OnPaint, this);
}

void CColorSwatch::SetColor(uint32_t color)
{
    m_color = color;
    Refresh();
}

void CColorSwatch::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    Draw(dc, GetClientRect());
}

void CColorSwatch::Draw(wxDC& dc, wxRect r) const
{
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(ColourFromRef(m_color)));
    dc.DrawRectangle(r);

    // Bump edge: a raised outer ring around a sunken inner ring.
    auto ring = [&dc](wxRect rc, const wxColour& topLeft, const wxColour& bottomRight)
    {
        dc.SetPen(wxPen(topLeft));
        dc.DrawLine(rc.GetLeft(), rc.GetBottom(), rc.GetLeft(), rc.GetTop());
        dc.DrawLine(rc.GetLeft(), rc.GetTop(), rc.GetRight(), rc.GetTop());
        dc.SetPen(wxPen(bottomRight));
        dc.DrawLine(rc.GetRight(), rc.GetTop(), rc.GetRight(), rc.GetBottom());
        dc.DrawLine(rc.GetRight(), rc.GetBottom(), rc.GetLeft() - 1, rc.GetBottom());
    };
    ring(r, wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT), wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW));
    ring(r.Deflate(1), wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW),
         wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT));
}
