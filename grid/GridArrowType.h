// CGridArrowType: a small arrow glyph (one or two triangles, pointing left or right).
#pragma once

#include "grid/GridCellType.h"

enum GridArrowParam : int
{
    GRID_ARROW_RIGHT = 0x10,
    GRID_ARROW_LEFT = 0x20,
    GRID_ARROW_DOUBLERIGHT = 0x40,
    GRID_ARROW_DOUBLELEFT = 0x80
};

class CGridArrowType : public CGridCellType
{
  public:
    CGridArrowType();
    void OnDraw(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell, int bSelected,
                int bCurrent) override;

  private:
    // A triangle with its base at x (7 pixels high, centred on cy) and its tip 3 pixels away
    // in direction nDir (+1 right, -1 left).
    static void DrawTriangle(CGridDC* pDC, int x, int cy, int nDir, const CGridPen& pen);
};
