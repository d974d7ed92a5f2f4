// CGridHint: the grid's own tip window, created hidden; its users place and show it.
#pragma once

#include "grid/GridChildWnd.h"

class CGridHint : public CGridChildWnd
{
  public:
    explicit CGridHint(CGridCtrl* pGrid) : CGridChildWnd(pGrid, 7) { Hide(); }
    void SetSheet(CGridInfo*) override {}
};
