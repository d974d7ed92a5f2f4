// CColorSwatch, the options dialog's colour samples, and the conversions between 0x00BBGGRR
// values and wxColour.
#pragma once

#include <wx/window.h>

#include <cstdint>

// A colour sample framed by a bump edge.
class CColorSwatch : public wxWindow
{
public:
    CColorSwatch(wxWindow* parent, wxWindowID id, uint32_t color);
    void SetColor(uint32_t color);
    uint32_t GetColor() const { return m_color; }
    // The sample: filled in its colour, outlined, with the edge around it.
    void Draw(wxDC& dc, wxRect rect) const;

private:
    void OnPaint(wxPaintEvent& event);
    uint32_t m_color;
};

// 0x00BBGGRR and wxColour.
wxColour ColourFromRef(uint32_t color);
uint32_t RefFromColour(const wxColour& colour);
