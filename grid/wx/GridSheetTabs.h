// CGridSheetTabs: the strip of sheet tabs beside the horizontal bar (section 7). It keeps its
// place in the layout; the tabs themselves are drawn by their own code.
#pragma once

#include "grid/wx/GridChildWnd.h"

class CGridSheetTabs : public CGridChildWnd
{
  public:
    explicit CGridSheetTabs(CGridCtrl* pGrid) : CGridChildWnd(pGrid, 5) {}
};
