// CGridTopHeading: the column heading (section 2): heading cells above the cell area, painted
// through their cell types; sizing, moving and clicks run through CGridHeadingWnd.
#pragma once

#include "grid/wx/GridHeadingWnd.h"

class CGridTopHeading : public CGridHeadingWnd
{
  public:
    explicit CGridTopHeading(CGridCtrl* pGrid);

  private:
    void OnPaint(wxPaintEvent& event);
};
