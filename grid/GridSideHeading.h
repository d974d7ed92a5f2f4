// CGridSideHeading: the row heading (section 3): heading cells left of the cell area, painted
// through their cell types; sizing and clicks run through CGridHeadingWnd.
#pragma once

#include "grid/GridHeadingWnd.h"

class CGridSideHeading : public CGridHeadingWnd
{
  public:
    explicit CGridSideHeading(CGridCtrl* pGrid);

  private:
    void OnPaint(wxPaintEvent& event);
};
