// Paint passes of the column heading, the row heading and the corner: every heading cell is
// drawn by its cell type through the drawing seam.
#pragma once

#include "grid/GridTypes.h"

class CGridCore;
class CGridDC;

void GridPaintColHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz);
void GridPaintRowHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz);
void GridPaintCorner(CGridCore& grid, CGridDC& dc, GRIDSIZE sz);
