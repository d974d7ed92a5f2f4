// The colour-source seam: system colours and metrics that grid cells and sheets fall back to.
// Plain code asks here; the window code installs a source backed by the desktop's settings.
#pragma once

#include "base/Slot.h"
#include "grid/GridTypes.h"

enum GridSysColor : int
{
    GRID_COLOR_WINDOW = 5,
    GRID_COLOR_WINDOWTEXT = 8,
    GRID_COLOR_HIGHLIGHT = 13,
    GRID_COLOR_HIGHLIGHTTEXT = 14,
    GRID_COLOR_BTNFACE = 15,
    GRID_COLOR_BTNSHADOW = 16
};

enum GridSysMetric : int
{
    GRID_SM_CXVSCROLL = 2,
    GRID_SM_CYHSCROLL = 3
};

class IGridColorSource
{
public:
    virtual ~IGridColorSource() = default;
    virtual GRIDCOLOR GetSysColor(int nIndex) const = 0;
    virtual int GetSystemMetric(int nIndex) const = 0;
};

// Where the grid's colours come from; its built-in source gives the classic desktop colours.
CSlot<IGridColorSource>& GridColorSlot();
GRIDCOLOR GridGetSysColor(int nIndex);
int GridGetSystemMetric(int nIndex);
