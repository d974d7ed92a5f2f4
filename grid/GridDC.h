// The drawing seam: the cell area, the headings and the cell types draw through these
// primitives, so their logic stays plain and a recording surface stands in for a real device
// context in tests. Lines leave out their end point; rectangles leave out right and bottom.
#pragma once

#include "grid/GridTypes.h"

#include <string>

class CGridBitmap;
class CGridFont;

class CGridDC
{
public:
    virtual ~CGridDC() = default;
    // The font and the clip rectangle are saved and restored together.
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;
    virtual void SelectFont(CGridFont* pFont) = 0;
    virtual void FillRect(const GRIDRECT& rc, GRIDCOLOR cr) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, const CGridPen& pen) = 0;
    // Draws text at (x, y) clipped to rc, with rc filled in the background colour first.
    virtual void DrawTextOpaque(const std::string& strText, int x, int y, const GRIDRECT& rc, GRIDCOLOR crText,
                                GRIDCOLOR crBack) = 0;
    // Draws text at (x, y) without background, clipped to rc.
    virtual void DrawTextClipped(const std::string& strText, int x, int y, const GRIDRECT& rc, GRIDCOLOR crText) = 0;
    // Draws text broken into lines at word boundaries inside rc, from its top left.
    virtual void DrawTextWrapped(const std::string& strText, const GRIDRECT& rc, GRIDCOLOR crText) = 0;
    virtual GRIDSIZE GetTextExtent(const std::string& strText) = 0;
    // Draws the bitmap scaled into rc.
    virtual void DrawBitmap(CGridBitmap* pBitmap, const GRIDRECT& rc) = 0;
    virtual void DrawFocusRect(const GRIDRECT& rc) = 0;
};
