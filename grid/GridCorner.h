// CGridCorner: the corner button (section 4) where the two headings meet. It paints through
// its cell types and reports presses to the owner; a press abandons a running edit.
#pragma once

#include "grid/GridChildWnd.h"

class CGridCorner : public CGridChildWnd
{
  public:
    explicit CGridCorner(CGridCtrl* pGrid);

  private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
};
