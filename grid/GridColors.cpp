// Built-in colour source (classic desktop colours) and the switch to an installed one.
#include "grid/GridColors.h"

namespace
{
class CClassicColors : public IGridColorSource
{
public:
    GRIDCOLOR GetSysColor(int nIndex) const override
    {
        switch (nIndex)
        {
        case GRID_COLOR_WINDOW: return 0xFFFFFF;
        case GRID_COLOR_WINDOWTEXT: return 0x000000;
        case GRID_COLOR_HIGHLIGHT: return 0x6A240A;
        case GRID_COLOR_HIGHLIGHTTEXT: return 0xFFFFFF;
        case GRID_COLOR_BTNFACE: return 0xC8D0D4;
        case GRID_COLOR_BTNSHADOW: return 0x808080;
        default: return 0;
        }
    }
    int GetSystemMetric(int nIndex) const override
    {
        return (nIndex == GRID_SM_CXVSCROLL || nIndex == GRID_SM_CYHSCROLL) ? 16 : 0;
    }
};

} // namespace

CSlot<IGridColorSource>& GridColorSlot()
{
    static CClassicColors classic;
    static CSlot<IGridColorSource> slot(classic);
    return slot;
}

GRIDCOLOR GridGetSysColor(int nIndex) { return GridColorSlot().Get().GetSysColor(nIndex); }
int GridGetSystemMetric(int nIndex) { return GridColorSlot().Get().GetSystemMetric(nIndex); }
