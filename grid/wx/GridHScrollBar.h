// CGridHScrollBar: the horizontal bar; it scrolls the columns.
#pragma once

#include "grid/wx/GridScrollBar.h"

class CGridHScrollBar : public CGridScrollBar
{
  public:
    explicit CGridHScrollBar(CGridCtrl* pGrid) : CGridScrollBar(pGrid, false) {}
};
