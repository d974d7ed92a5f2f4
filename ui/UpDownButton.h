// CUpDownButton: a narrow vertical pair of arrow buttons beside a number field. A click on the
// upper half sends wxEVT_SPIN_UP, on the lower half wxEVT_SPIN_DOWN; a half held down repeats,
// after a pause, until it is released or the pointer leaves it. It never takes the keyboard
// focus, so the field beside it keeps the caret and its typing.
#pragma once

#include <wx/control.h>
#include <wx/timer.h>

class CUpDownButton : public wxControl
{
public:
    // Pause before a held arrow repeats, and the time between repeats, in milliseconds.
    static constexpr int kRepeatDelay = 400;
    static constexpr int kRepeatInterval = 60;

    CUpDownButton(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize);

    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }

    // The half under a point of the client area: +1 the upper, -1 the lower.
    int HalfAt(const wxPoint& point) const;
    // The half held down now, or 0.
    int GetPressed() const { return m_nPressed; }

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnTimer(wxTimerEvent& event);
    void Release();
    void SendStep(int nDelta);

    wxTimer m_timer;
    int m_nPressed = 0;   // the half held down
    bool m_bOver = false; // the pointer is over the held half
};
