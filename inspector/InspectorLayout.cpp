// Converting dialog units with a base wide enough for the texts.
#include "inspector/InspectorLayout.h"

#include <algorithm>
#include <cmath>

DLGBASE FitDialogBase(DLGBASE fontBase, const std::vector<DLGNEED>& needs)
{
    DLGBASE base = fontBase;
    for (const DLGNEED& need : needs)
    {
        if (need.cx > 0)
            base.x = std::max(base.x, 4.0 * (need.nPixelsX + 1) / need.cx);
        if (need.cy > 0)
            base.y = std::max(base.y, 8.0 * (need.nPixelsY + 1) / need.cy);
    }
    return base;
}

DLGPIXELS DialogToPixels(const DLGBASE& base, int x, int y, int cx, int cy)
{
    auto px = [](double unit, int n) { return static_cast<int>(std::lround(n * unit)); };
    const int left = px(base.x / 4, x), right = px(base.x / 4, x + cx);
    const int top = px(base.y / 8, y), bottom = px(base.y / 8, y + cy);
    return DLGPIXELS{left, top, right - left, bottom - top};
}
