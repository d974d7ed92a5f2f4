// The tip window's placement and painting as plain code: a one-line box of text placed by
// alignment bits around an anchor point and kept inside its parent.
#pragma once

#include "grid/GridTypes.h"

#include <string>

class CGridDC;
class CGridFont;

struct CGridHintLayout
{
    std::string m_strText;
    GRIDCOLOR m_crText = 0x000000;
    GRIDCOLOR m_crBack = 0xE0FFFF;
    // 4 centred horizontally, 2 left of the anchor, else right of it; 0x20 centred vertically,
    // 0x10 above the anchor, else below it.
    int m_nAlign = 1;
    int m_nStyle = 1;
    CGridFont* m_pFont = nullptr;
    int m_nLineHeight = 0;

    // The box for the anchor (x, y) in a parent of size szParent: the text's width plus 4, at
    // least nMinWidth, and the line height plus the frame's two pixels.
    GRIDRECT Place(int x, int y, int nMinWidth, int nTextWidth, GRIDSIZE szParent) const;
    // Fills the box, draws the text at (2, 1) and frames it.
    void Paint(CGridDC& dc, GRIDSIZE szBox) const;
};
