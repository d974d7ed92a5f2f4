// The heading paint passes, written once for both headings: positions (columns or rows) run
// along a heading, its heading rows or columns across it. Heading index -1 lies next to the
// cells.
#include "grid/GridHeadingPaint.h"

#include "grid/GridAxis.h"
#include "grid/GridCellType.h"
#include "grid/GridColors.h"
#include "grid/GridCore.h"
#include "grid/GridDC.h"

#include <set>
#include <utility>

namespace
{
// The owner prepares the device context before the sheet's default font is chosen, so that
// font wins over one the owner selects.
void Prepare(CGridCore& grid, CGridDC& dc, int nSection)
{
    grid.OnPrepareDC(&dc, nullptr, nSection);
    if (CGridFont* pFont = grid.GetSheet()->m_pDefaultFont)
        dc.SelectFont(pFont);
}

void DrawHeadingCell(CGridCore& grid, CGridDC& dc, CGridCell& cell, int nCol, long nRow, GRIDRECT rc,
                     int bHighlight = 0)
{
    grid.GetCellResolved(nCol, nRow, &cell);
    dc.SaveState();
    grid.GetCellTypeOf(cell)->OnDraw(&dc, &rc, nCol, nRow, &cell, bHighlight, 0);
    dc.RestoreState();
}

void PaintHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz, bool bRows, int nHighlight)
{
    Prepare(grid, dc, bRows ? GRID_SECTION_ROWHEADING : GRID_SECTION_COLHEADING);
    const CGridInfo& s = *grid.GetSheet();
    const CGridAxis axis = bRows ? static_cast<CGridAxis>(CGridRowAxis(s)) : CGridColAxis(s);
    const std::vector<int>& arrAcross = bRows ? s.m_arrHeadingCols : s.m_arrHeadingRows;
    const int nAcrossCount = static_cast<int>(arrAcross.size());
    const int nAlongEnd = bRows ? sz.cy : sz.cx;
    const int nAcrossEnd = bRows ? sz.cx : sz.cy;
    const int nFirstAcross =
        (bRows ? s.m_nRowHeadingWidth - s.HeadingColsSum() : s.m_nColHeadingHeight - s.HeadingRowsSum());
    auto rect = [bRows](long a1, long a2, long c1, long c2)
    {
        return bRows ? GRIDRECT{static_cast<int>(c1), static_cast<int>(a1), static_cast<int>(c2), static_cast<int>(a2)}
                     : GRIDRECT{static_cast<int>(a1), static_cast<int>(c1), static_cast<int>(a2), static_cast<int>(c2)};
    };
    // Start of heading index h (-count .. -1; 0 gives the edge next to the cells).
    auto acrossStart = [&](long h)
    {
        int n = nFirstAcross;
        for (long i = -nAcrossCount; i < h && i < 0; ++i)
            n += arrAcross[static_cast<size_t>(~i)];
        return n;
    };
    const long nFirst = bRows ? s.m_nTopRow : s.m_nLeftCol;
    auto highlighted = [&](int nCol) { return !bRows && nCol == nHighlight ? 1 : 0; };
    CGridCell cell;
    std::set<std::pair<int, long>> drawn; // joined blocks already drawn in this pass
    long nAlong = 0;
    for (int h = nAcrossCount - 1; h >= 0; --h)
    {
        const long nHeading = ~h;
        const int nAcross = acrossStart(nHeading);
        const int nAcrossSize = arrAcross[static_cast<size_t>(h)];
        nAlong = 0;
        for (long p = nFirst; p < axis.Count() && nAlong < nAlongEnd; ++p)
        {
            const int nSize = axis.Size(p);
            const int nCol = static_cast<int>(bRows ? nHeading : p);
            const long nRow = bRows ? p : nHeading;
            int nOrgCol, nLastCol;
            long nOrgRow, nLastRow;
            if (s.m_bJoins && grid.FindJoinBlock(nCol, nRow, &nOrgCol, &nOrgRow, &nLastCol, &nLastRow))
            {
                if (drawn.insert({nOrgCol, nOrgRow}).second)
                {
                    const long nOrgPos = bRows ? nOrgRow : nOrgCol, nLastPos = bRows ? nLastRow : nLastCol;
                    const long nOrgHead = bRows ? nOrgCol : nOrgRow;
                    const long nLastHead = std::min(-1L, bRows ? static_cast<long>(nLastCol) : nLastRow);
                    const GRIDRECT rc = rect(nAlong + axis.Distance(p, nOrgPos, 1L << 30),
                                             nAlong + axis.Distance(p, nLastPos + 1, 1L << 30), acrossStart(nOrgHead),
                                             acrossStart(nLastHead + 1));
                    if (!rc.IsEmpty())
                        DrawHeadingCell(grid, dc, cell, nOrgCol, nOrgRow, rc, highlighted(nOrgCol));
                }
            }
            else if (nSize > 0)
                DrawHeadingCell(grid, dc, cell, nCol, nRow,
                                rect(nAlong, nAlong + nSize, nAcross, nAcross + nAcrossSize), highlighted(nCol));
            nAlong += nSize;
        }
    }
    // What no heading cell covers shows the heading cells' own face.
    const GRIDCOLOR crFace = s.m_pHeadingDefault->GetBackColor();
    if (nAlong < nAlongEnd)
        dc.FillRect(rect(nAlong, nAlongEnd, 0, nAcrossEnd), crFace);
    if (nFirstAcross > 0)
        dc.FillRect(rect(0, std::min<long>(nAlong, nAlongEnd), 0, nFirstAcross), crFace);
}
} // namespace

void GridPaintColHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz, int nHighlightCol)
{
    PaintHeading(grid, dc, sz, false, nHighlightCol);
}

void GridPaintRowHeading(CGridCore& grid, CGridDC& dc, GRIDSIZE sz)
{
    PaintHeading(grid, dc, sz, true, -1);
}

void GridPaintCorner(CGridCore& grid, CGridDC& dc, GRIDSIZE sz)
{
    Prepare(grid, dc, GRID_SECTION_CORNER);
    dc.FillRect(GRIDRECT{0, 0, sz.cx, sz.cy}, GridGetSysColor(GRID_COLOR_BTNFACE));
    CGridCell cell;
    DrawHeadingCell(grid, dc, cell, -1, -1, GRIDRECT{0, 0, sz.cx, sz.cy});
}
