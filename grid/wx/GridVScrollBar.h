// CGridVScrollBar: the vertical bar; it scrolls the rows.
#pragma once

#include "grid/wx/GridScrollBar.h"

class CGridVScrollBar : public CGridScrollBar
{
  public:
    explicit CGridVScrollBar(CGridCtrl* pGrid) : CGridScrollBar(pGrid, true) {}
};
