// CHoverButton: a push button drawn in its own face and caption colours. A flat button shows no
// border until the mouse is over it (raised), and a sunken border with the caption moved one
// pixel right and down while it is pressed. A dotted ring inside the border shows that it has
// the keyboard focus, so a keyboard user sees which button Enter presses.
#pragma once

#include <wx/control.h>

#include <cstdint>

class CHoverButton : public wxControl
{
public:
    // Bits of a drawing request, as the owner-drawn buttons of the platform used them.
    enum
    {
        ODA_DRAWENTIRE = 1,
        ODA_SELECT = 2,
        ODA_FOCUS = 4,
        ODS_SELECTED = 1,
        ODS_DISABLED = 4,
        ODS_FOCUS = 0x10,
    };

    CHoverButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize);

    void SetFlat(bool flat) { m_bFlat = flat; }
    void SetCaptionColor(uint32_t color);
    void SetFaceColor(uint32_t color);

    // Draws the button for one request into dc; the focus action alone draws nothing.
    virtual void DrawButton(wxDC& dc, const wxRect& rect, int action, int state);
    virtual void DrawBorder(wxDC& dc, const wxRect& rect, int state);
    // The focus ring: dots of the caption colour on every other pixel, 3 pixels inside the edge.
    void DrawFocusRing(wxDC& dc, const wxRect& rect);
    // The state bits of the button as it is now; painting adds ODS_FOCUS while it has the focus.
    int GetDrawState() const;

    uint32_t m_crText;
    uint32_t m_crFace;
    int m_bAutoLayout = 1;
    int m_nLastAction = 0;
    int m_nLastState = 0;
    bool m_bActive = true;
    bool m_bFlat = true;
    bool m_bHover = false;
    bool m_bPressed = false;

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnMouseLeave(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnFocus(wxFocusEvent& event);
    void Click();
};

// A 1-pixel frame: top and left in one colour, bottom and right in the other, as the program's
// own buttons draw their raised and sunken edges.
void Draw3dRect(wxDC& dc, const wxRect& r, const wxColour& topLeft, const wxColour& bottomRight);
