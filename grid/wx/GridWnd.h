// CGridWnd: the cell area window. It translates paint, key, mouse, wheel and focus events for
// CGridCellArea, holds the mouse capture during presses and drags, runs the drag auto-scroll
// on a timer and shows cell tips.
#pragma once

#include "grid/GridCellArea.h"
#include "grid/wx/GridChildWnd.h"

#include <wx/bitmap.h>
#include <wx/timer.h>

// A window that borrows the cell area's hold on the mouse (the open drop list). Under GTK a
// native list that captures the mouse hears none of it, so the cell area captures for it and
// passes every mouse event on, in the cell area's coordinates; false lets the cell area handle
// the event itself.
class IGridMouseBorrower
{
public:
    virtual ~IGridMouseBorrower() = default;
    virtual bool OnBorrowedMouse(wxMouseEvent& event) = 0;
    // Something outside the program took the mouse away.
    virtual void OnBorrowedMouseLost() = 0;
};

class CGridWnd : public CGridChildWnd, public IGridCellWindow
{
  public:
    explicit CGridWnd(CGridCtrl* pGrid);
    ~CGridWnd() override;

    CGridCellArea& GetArea() { return m_area; }
    // Captures the mouse for pBorrower until it gives it back (or the window goes).
    void LendMouse(IGridMouseBorrower* pBorrower);
    void TakeMouseBack(IGridMouseBorrower* pBorrower);
    bool IsMouseLent() const { return m_pBorrower != nullptr; }

    // IGridChild
    void UpdatePosition() override { m_area.Update(*this); }
    void Repaint() override { Refresh(false); }
    void PaintHinted() override { m_area.Update(*this); }
    void SetFocus() override { wxWindow::SetFocus(); }
    bool HasFocus() const override { return wxWindow::HasFocus(); }

    // IGridCellWindow
    bool HasPendingPaint() const override;
    void FlushPaint() override { wxWindow::Update(); }
    void ScrollPixels(int dx, int dy) override { ScrollWindow(dx, dy); }
    void DrawHinted() override;
    void Sleep(int nMilliseconds) override;
    GRIDPOINT ToScreen(const GRIDPOINT& pt) const override;

  private:
    void OnPaint(wxPaintEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnFocus(wxFocusEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnDragTimer(wxTimerEvent& event);
    void ReleaseMouseIfHeld();
    void UpdateTip(GRIDPOINT pt);

    CGridCellArea m_area;
    wxBitmap m_bmpBuffer; // the paint buffer, grown to the largest invalid box so far
    wxTimer m_dragTimer;
    GRIDPOINT m_ptDrag;
    unsigned m_nDragFlags = 0;
    IGridMouseBorrower* m_pBorrower = nullptr;
};
