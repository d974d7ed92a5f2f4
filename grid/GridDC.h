// The drawing seam: cell types draw through these primitives, so their logic stays plain and
// a recording surface can stand in for a real device context in tests.
#pragma once

#include "grid/GridTypes.h"

#include <string>

class CGridFont;

class CGridDC
{
public:
    virtual ~CGridDC() = default;
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;
    virtual void SelectFont(CGridFont* pFont) = 0;
    virtual void FillRect(const GRIDRECT& rc, GRIDCOLOR cr) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, const CGridPen& pen) = 0;
    // Draws text at (x, y) clipped to rc, with rc filled in the background colour first.
    virtual void DrawTextOpaque(const std::string& strText, int x, int y, const GRIDRECT& rc, GRIDCOLOR crText,
                                GRIDCOLOR crBack) = 0;
    virtual GRIDSIZE GetTextExtent(const std::string& strText) = 0;
    virtual void DrawFocusRect(const GRIDRECT& rc) = 0;
};
