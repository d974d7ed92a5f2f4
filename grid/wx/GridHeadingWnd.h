// CGridHeadingWnd: the window side shared by the column and the row heading. It translates
// mouse events into the heading's input rules, sets the sizing cursors, holds the capture and
// draws the drag marker over the cell area.
#pragma once

#include "grid/wx/GridChildWnd.h"
#include "grid/GridHeadingInput.h"

#include <wx/timer.h>

class wxMouseEvent;

class CGridHeadingWnd : public CGridChildWnd, public IGridHeadingWindow
{
public:
    CGridHeadingWnd(CGridCtrl* pGrid, int nId, bool bRows);

    const CGridHeadingInput& GetInput() const { return m_input; }

    void SetCursorKind(int nCursor) override;
    void Capture() override;
    void Release() override;
    void DrawMarker(const GRIDRECT& rc) override;
    void EraseMarker(const GRIDRECT& rc) override;
    void RepaintHeading() override;
    GRIDPOINT ToScreen(GRIDPOINT pt) const override;

protected:
    CGridHeadingInput m_input;

private:
    void OnMouse(wxMouseEvent& event);
    void OnRepeat(wxTimerEvent& event);

    wxTimer m_repeat; // repeats a column move held past an edge
    GRIDPOINT m_ptLast;
};
