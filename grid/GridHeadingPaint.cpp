// The heading paint passes. Heading row -1 and heading column -1 lie next to the cells.
#include "grid/GridHeadingPaint.h"

#include "grid/GridCellType.h"
#include "grid/GridCore.h"
#include "grid/GridAxis.h"
#include "grid/GridDC.h"

#include <set>
#include <utility>

namespace
{
void Prepare(CGridCore& grid, CGridDC& dc, GRIDSIZE sz, int nSection)
{
    dc.FillRect(GRIDRECT{0, 0, sz.cx, sz.cy}, grid.OnBackColor(nSection));
    if (CGridFont* pFont = grid.GetSheet()->m_pDefaultFont)
        dc.SelectFont(pFont);
    grid.OnPrepareDC(&dc, nullptr, nSection);
}

void DrawHeadingCell(CGridCore& grid, CGridDC& dc, CGridCell& cell, int nCol, long nRow, GRIDRECT rc,
                     int bHighlight = 0)
{
    grid.GetCellResolved(nCol, nRow, &cell);
    dc.SaveState();
    grid.GetCellTypeOf(cell)->OnDraw(&dc, &rc, nCol, nRow, &cell, bHighlight, 0);
    dc.RestoreState();
}
} // namespace

void GridPaintColHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz, int nHighlightCol)
{
    Prepare(grid, dc, sz, GRID_SECTION_COLHEADING);
    const CGridInfo& s = *grid.GetSheet();
    const CGridColAxis cols(s);
    CGridCell cell;
    const int nCount = static_cast<int>(s.m_arrHeadingRows.size());
    const int yFirst = s.m_nColHeadingHeight - s.HeadingRowsSum();
    // Top of heading row r (-count .. -1, and -1 + 1 = 0 for the bottom edge).
    auto rowTop = [&](long r) {
        int y = yFirst;
        for (long h = -nCount; h < r && h < 0; ++h)
            y += s.m_arrHeadingRows[static_cast<size_t>(~h)];
        return y;
    };
    std::set<std::pair<int, long>> drawn; // joined blocks already drawn in this pass
    for (int h = nCount - 1; h >= 0; --h)
    {
        const long nRow = ~h;
        const int y = rowTop(nRow);
        const int nHeight = s.m_arrHeadingRows[static_cast<size_t>(h)];
        int x = 0;
        for (int c = s.m_nLeftCol; c < s.m_nColCount && x < sz.cx; ++c)
        {
            const int w = s.ColWidth(c);
            int nOrgCol, nLastCol;
            long nOrgRow, nLastRow;
            if (s.m_bJoins && grid.FindJoinBlock(c, nRow, &nOrgCol, &nOrgRow, &nLastCol, &nLastRow))
            {
                if (drawn.insert({nOrgCol, nOrgRow}).second)
                {
                    const int nLeft = x + static_cast<int>(cols.Distance(c, nOrgCol, 1L << 30));
                    const int nRight = x + static_cast<int>(cols.Distance(c, nLastCol + 1, 1L << 30));
                    const GRIDRECT rc{nLeft, rowTop(nOrgRow), nRight, rowTop(std::min(nLastRow, -1L) + 1)};
                    if (!rc.IsEmpty())
                        DrawHeadingCell(grid, dc, cell, nOrgCol, nOrgRow, rc, nOrgCol == nHighlightCol);
                }
            }
            else if (w > 0)
                DrawHeadingCell(grid, dc, cell, c, nRow, GRIDRECT{x, y, x + w, y + nHeight}, c == nHighlightCol);
            x += w;
        }
    }
}

void GridPaintRowHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz)
{
    Prepare(grid, dc, sz, GRID_SECTION_ROWHEADING);
    const CGridInfo& s = *grid.GetSheet();
    CGridCell cell;
    int x = s.m_nRowHeadingWidth - s.HeadingColsSum();
    for (int h = static_cast<int>(s.m_arrHeadingCols.size()) - 1; h >= 0; --h)
    {
        const int nWidth = s.m_arrHeadingCols[static_cast<size_t>(h)];
        int y = 0;
        for (long r = s.m_nTopRow; r < s.m_nRowCount && y < sz.cy; ++r)
        {
            const int nHeight = s.RowHeight(r);
            if (nHeight > 0)
                DrawHeadingCell(grid, dc, cell, ~h, r, GRIDRECT{x, y, x + nWidth, y + nHeight});
            y += nHeight;
        }
        x += nWidth;
    }
}

void GridPaintCorner(CGridCore& grid, CGridDC& dc, GRIDSIZE sz)
{
    Prepare(grid, dc, sz, GRID_SECTION_CORNER);
    CGridCell cell;
    DrawHeadingCell(grid, dc, cell, -1, -1, GRIDRECT{0, 0, sz.cx, sz.cy});
}
