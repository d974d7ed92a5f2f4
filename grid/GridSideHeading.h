// CGridSideHeading: the row heading (section 3): heading cells left of the cell area. It paints through
// its cell types and reports presses to the owner; a press abandons a running edit.
#pragma once

#include "grid/GridChildWnd.h"

class CGridSideHeading : public CGridChildWnd
{
  public:
    explicit CGridSideHeading(CGridCtrl* pGrid);

  private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
};
