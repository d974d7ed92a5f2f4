// CGridTopHeading: the column heading (section 2): heading cells above the cell area. It paints through
// its cell types and reports presses to the owner; a press abandons a running edit.
#pragma once

#include "grid/GridChildWnd.h"

class CGridTopHeading : public CGridChildWnd
{
  public:
    explicit CGridTopHeading(CGridCtrl* pGrid);

  private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
};
