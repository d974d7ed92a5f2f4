// Paint passes of the column heading, the row heading and the corner: every heading cell is
// drawn by its cell type through the drawing seam.
#pragma once

#include "grid/GridTypes.h"

class CGridCore;
class CGridDC;

// nHighlightCol: the column being moved, drawn highlighted (-1 for none).
void GridPaintColHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz, int nHighlightCol = -1);
void GridPaintRowHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz);
void GridPaintCorner(CGridCore& grid, CGridDC& dc, GRIDSIZE sz);
