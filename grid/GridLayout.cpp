// CGridCore layout arithmetic: the seven section rectangles, the largest top row and left
// column, keeping the current cell visible, page steps, hit tests and column fitting.
#include "grid/GridCore.h"

#include "grid/GridAxis.h"

#include "grid/GridCellType.h"
#include "grid/GridDC.h"

#include <algorithm>
#include <climits>

namespace
{
// Stands in for a device context when the control has none to measure with.
class CEstimateDC : public CGridDC
{
public:
    void SaveState() override {}
    void RestoreState() override {}
    void SelectFont(CGridFont*) override {}
    void FillRect(const GRIDRECT&, GRIDCOLOR) override {}
    void DrawLine(int, int, int, int, const CGridPen&) override {}
    void DrawTextOpaque(const std::string&, int, int, const GRIDRECT&, GRIDCOLOR, GRIDCOLOR) override {}
    void DrawTextClipped(const std::string&, int, int, const GRIDRECT&, GRIDCOLOR) override {}
    void DrawTextWrapped(const std::string&, const GRIDRECT&, GRIDCOLOR) override {}
    void DrawBitmap(CGridBitmap*, const GRIDRECT&) override {}
    GRIDSIZE GetTextExtent(const std::string& str) override { return GRIDSIZE{7 * static_cast<int>(str.size()), 14}; }
    void DrawFocusRect(const GRIDRECT&) override {}
};
} // namespace

void CGridCore::AdjustLayout()
{
    CGridInfo& s = *m_pInfo;
    // A resize must not end a running edit or pull the focus from another control.
    if (m_pChildren[GRID_CHILD_CELLS] && !m_pChildren[GRID_CHILD_CELLS]->HasFocus() && !m_bEditing &&
        IsFocusOnControl())
        m_pChildren[GRID_CHILD_CELLS]->SetFocus();

    const int nSavedV = s.m_nVScrollWidth;
    const int nSavedH = s.m_nHScrollHeight;
    const int nSavedT = s.m_nTabWidth;
    const GRIDSIZE sz = GetControlClientSize();
    const int cx = sz.cx;
    const int cy = sz.cy;
    const int CH = s.m_nColHeadingHeight;
    const int RW = s.m_nRowHeadingWidth;

    if (s.m_nTabWidth > 0)
        s.m_nTabWidth = std::max(4, std::min(s.m_nTabWidth, (cx - RW) - 30));

    // Sums stop as soon as they pass the available size.
    const int nAvailW = cx - RW;
    const int nAvailH = cy - CH;
    long long nColSum = 0;
    for (int c = 0; c < s.m_nColCount && nColSum <= nAvailW; ++c)
        nColSum += s.ColWidth(c);
    long long nRowSum = 0;
    if (s.m_bUniformHeight)
        nRowSum = static_cast<long long>(s.m_nRowCount) * s.m_nDefRowHeight;
    else
        for (long r = 0; r < s.m_nRowCount && nRowSum <= nAvailH; ++r)
            nRowSum += s.RowHeight(r);

    const bool bColsFit = nColSum < nAvailW;
    const bool bRowsFit = nRowSum < nAvailH;
    if (bRowsFit && (bColsFit || nRowSum < nAvailH - s.m_nHScrollHeight))
        s.m_nVScrollWidth = 0;
    if (bColsFit && s.m_nTabWidth == 0 && (bRowsFit || nColSum < nAvailW - s.m_nVScrollWidth))
        s.m_nHScrollHeight = 0;

    const int W = s.m_nVScrollWidth;
    const int H = s.m_nHScrollHeight;
    const int T = s.m_nTabWidth;
    GRIDRECT* rc = s.m_rcSections;
    rc[GRID_RC_VSCROLL] = GRIDRECT{cx - W, 0, cx, cy - H};
    rc[GRID_RC_HSCROLL] = GRIDRECT{T, cy - H, cx - W, cy};
    rc[GRID_RC_TABS] = GRIDRECT{0, cy - H, T, cy};
    rc[GRID_RC_COLHEADING] = GRIDRECT{RW, 0, cx - W, CH};
    rc[GRID_RC_ROWHEADING] = GRIDRECT{0, CH, RW, cy - H};
    rc[GRID_RC_CORNER] = GRIDRECT{0, 0, RW, CH};
    rc[GRID_RC_CELLS] = GRIDRECT{RW, CH, cx - W, cy - H};

    OnLayoutAdjust(&rc[GRID_RC_CELLS], &rc[GRID_RC_COLHEADING], &rc[GRID_RC_ROWHEADING], &rc[GRID_RC_CORNER],
                   &rc[GRID_RC_VSCROLL], &rc[GRID_RC_HSCROLL], &rc[GRID_RC_TABS]);
    s.m_nCellAreaWidth = rc[GRID_RC_CELLS].Width();
    s.m_nCellAreaHeight = rc[GRID_RC_CELLS].Height();

    if (s.m_bTabsResizing)
    {
        for (int n : {GRID_CHILD_HSCROLL, GRID_CHILD_TABS})
            if (m_pChildren[n])
                m_pChildren[n]->Place(rc[n == GRID_CHILD_HSCROLL ? GRID_RC_HSCROLL : GRID_RC_TABS], true);
    }
    else
    {
        PlaceChildren();
        ++m_nLayoutDepth;
        RecalcMaxTopRow(m_nLayoutDepth < 2);
        --m_nLayoutDepth;
        RecalcMaxLeftCol();
        RepaintAll();
    }

    s.m_nVScrollWidth = nSavedV;
    s.m_nHScrollHeight = nSavedH;
    s.m_nTabWidth = nSavedT;
    s.m_nPrevTopRow = s.m_nTopRow;
    s.m_nPrevLeftCol = s.m_nLeftCol;
}

void CGridCore::PlaceChildren()
{
    static const struct
    {
        int nChild;
        int nRect;
    } order[] = {{GRID_CHILD_CELLS, GRID_RC_CELLS},       {GRID_CHILD_COLHEADING, GRID_RC_COLHEADING},
                 {GRID_CHILD_ROWHEADING, GRID_RC_ROWHEADING}, {GRID_CHILD_CORNER, GRID_RC_CORNER},
                 {GRID_CHILD_VSCROLL, GRID_RC_VSCROLL},   {GRID_CHILD_HSCROLL, GRID_RC_HSCROLL},
                 {GRID_CHILD_TABS, GRID_RC_TABS}};
    for (const auto& o : order)
        if (m_pChildren[o.nChild])
            m_pChildren[o.nChild]->Place(m_pInfo->m_rcSections[o.nRect], true);
}

// Walks up from the last row while the rows still fit; the first row that does not fit
// leaves the one below it as the largest top row.
void CGridCore::RecalcMaxTopRow(bool bRelayout)
{
    CGridInfo& s = *m_pInfo;
    const long nOldMax = s.m_nMaxTopRow;
    long nMax = 0;
    if (s.m_nRowCount > 0)
    {
        if (s.m_bUniformHeight)
        {
            const long nFit = s.m_nCellAreaHeight >= 0 ? s.m_nCellAreaHeight / s.m_nDefRowHeight : 0;
            const long long nTotal = static_cast<long long>(s.m_nRowCount) * s.m_nDefRowHeight;
            nMax = nTotal <= s.m_nCellAreaHeight ? 0 : std::min(s.m_nRowCount - nFit, s.m_nRowCount - 1);
        }
        else
        {
            long nRemain = s.m_nCellAreaHeight;
            for (long r = s.m_nRowCount - 1; r >= 0; --r)
            {
                nRemain -= s.RowHeight(r);
                if (nRemain < 0)
                {
                    nMax = std::min(r + 1, s.m_nRowCount - 1);
                    break;
                }
            }
        }
    }
    s.m_nMaxTopRow = nMax;
    s.m_nTopRow = std::clamp(s.m_nTopRow, 0L, nMax);
    if (bRelayout && (nOldMax == 0) != (nMax == 0))
        AdjustLayout();
}

void CGridCore::RecalcMaxLeftCol()
{
    CGridInfo& s = *m_pInfo;
    int nMax = 0;
    long nRemain = s.m_nCellAreaWidth;
    for (int c = s.m_nColCount - 1; c >= 0; --c)
    {
        nRemain -= s.ColWidth(c);
        if (nRemain < 0)
        {
            nMax = std::min(c + 1, s.m_nColCount - 1);
            break;
        }
    }
    s.m_nMaxLeftCol = nMax;
    s.m_nLeftCol = std::clamp(s.m_nLeftCol, 0, nMax);
    // The horizontal bar follows a new largest left column, and claims its room if hidden.
    if (IGridChild* pBar = m_pChildren[GRID_CHILD_HSCROLL])
        pBar->UpdatePosition();
}

void CGridCore::KeepRowVisible()
{
    CGridInfo& s = *m_pInfo;
    if (s.m_nCurrentRow >= 0)
        s.m_nTopRow = CGridRowAxis(s).KeepVisible(s.m_nTopRow, s.m_nCurrentRow, s.m_nCellAreaHeight);
}

void CGridCore::KeepColVisible()
{
    CGridInfo& s = *m_pInfo;
    if (s.m_nCurrentCol >= 0)
        s.m_nLeftCol = static_cast<int>(CGridColAxis(s).KeepVisible(s.m_nLeftCol, s.m_nCurrentCol, s.m_nCellAreaWidth));
}

// Subtracts successive sizes from the cell area while the remainder stays non-negative; the
// target is the position after the last one subtracted.
long CGridCore::PageTarget(long nFrom, int nDir, bool bUseDefaultFromMax) const
{
    const CGridInfo& s = *m_pInfo;
    return CGridRowAxis(s).PageTarget(nFrom, nDir, s.m_nCellAreaHeight, bUseDefaultFromMax ? s.m_nMaxTopRow : LONG_MAX);
}

int CGridCore::PageTargetCol(int nFrom, int nDir) const
{
    const CGridInfo& s = *m_pInfo;
    return static_cast<int>(CGridColAxis(s).PageTarget(nFrom, nDir, s.m_nCellAreaWidth, LONG_MAX));
}

// Hit test in cell-area client coordinates; with joins the result is the block's origin.
int CGridCore::CellFromPoint(int x, int y, int* pnCol, long* pnRow, GRIDRECT* pRect)
{
    const CGridInfo& s = *m_pInfo;
    if (x < 0 || y < 0 || x > s.m_nCellAreaWidth || y > s.m_nCellAreaHeight)
        return 1;
    long nHitCol, nLeft, nRight, nRow, nTop, nBottom;
    if (!CGridColAxis(s).HitAt(s.m_nLeftCol, x, &nHitCol, &nLeft, &nRight) ||
        !CGridRowAxis(s).HitAt(s.m_nTopRow, y, &nRow, &nTop, &nBottom))
        return 1;
    int nCol = static_cast<int>(nHitCol);
    GRIDRECT rc{static_cast<int>(nLeft), static_cast<int>(nTop), static_cast<int>(nRight), static_cast<int>(nBottom)};
    if (s.m_bJoins)
    {
        int nLastCol;
        long nLastRow;
        if (FindJoinBlock(nCol, nRow, &nCol, &nRow, &nLastCol, &nLastRow))
            GetCellBounds(nCol, nRow, &rc);
    }
    if (pnCol)
        *pnCol = nCol;
    if (pnRow)
        *pnRow = nRow;
    if (pRect)
        *pRect = rc;
    return 0;
}

// Rectangle of a cell (or its joined block) in the coordinates of the window showing it:
// the cell area for cells, the row heading for heading columns, the column heading for
// heading rows.
int CGridCore::GetCellBounds(int nCol, long nRow, GRIDRECT* pRect)
{
    const CGridInfo& s = *m_pInfo;
    int nLastCol = nCol;
    long nLastRow = nRow;
    if (s.m_bJoins && nCol >= 0 && nRow >= 0)
        FindJoinBlock(nCol, nRow, &nCol, &nRow, &nLastCol, &nLastRow);
    GRIDRECT rc;
    if (nCol < 0)
    {
        const int nHeadCols = static_cast<int>(s.m_arrHeadingCols.size());
        int x = s.m_nRowHeadingWidth - s.HeadingColsSum(); // heading column -1 is next to the cells
        for (int i = nHeadCols - 1; i > ~nCol; --i)
            x += s.m_arrHeadingCols[static_cast<size_t>(i)];
        rc.left = x;
        rc.right = x + (~nCol < nHeadCols ? s.m_arrHeadingCols[static_cast<size_t>(~nCol)] : 0);
    }
    else
    {
        int x = 0;
        for (int c = s.m_nLeftCol; c < nCol; ++c)
            x += s.ColWidth(c);
        rc.left = nCol < s.m_nLeftCol ? 0 : x;
        for (int c = std::max(nCol, s.m_nLeftCol); c <= nLastCol; ++c)
            x += s.ColWidth(c);
        rc.right = x;
    }
    if (nRow < 0)
    {
        const int nHeadRows = static_cast<int>(s.m_arrHeadingRows.size());
        int y = s.m_nColHeadingHeight - s.HeadingRowsSum();
        for (int i = nHeadRows - 1; i > ~static_cast<int>(nRow); --i)
            y += s.m_arrHeadingRows[static_cast<size_t>(i)];
        rc.top = y;
        const int n = ~static_cast<int>(nRow);
        rc.bottom = y + (n < nHeadRows ? s.m_arrHeadingRows[static_cast<size_t>(n)] : 0);
    }
    else
    {
        long long y = 0;
        if (s.m_bUniformHeight)
        {
            rc.top = nRow < s.m_nTopRow ? 0 : static_cast<int>((nRow - s.m_nTopRow) * s.m_nDefRowHeight);
            y = static_cast<long long>(nLastRow - std::max(nRow, s.m_nTopRow) + 1) * s.m_nDefRowHeight + rc.top;
        }
        else
        {
            for (long r = s.m_nTopRow; r < nRow; ++r)
                y += s.RowHeight(r);
            rc.top = nRow < s.m_nTopRow ? 0 : static_cast<int>(y);
            for (long r = std::max(nRow, s.m_nTopRow); r <= nLastRow; ++r)
                y += s.RowHeight(r);
        }
        rc.bottom = static_cast<int>(y);
    }
    if (pRect)
        *pRect = rc;
    return 0;
}

int CGridCore::AutoFitCols(int nFirstCol, int nLastCol, long nRowsToCheck, int nFlags)
{
    CGridInfo& s = *m_pInfo;
    if (nFirstCol < -static_cast<int>(s.m_arrHeadingCols.size()))
        return 1;
    if (nLastCol >= s.m_nColCount)
        return 2;
    if (nLastCol < nFirstCol)
        return 3;
    CGridDC* pDC = AcquireMeasureDC();
    CEstimateDC estimate;
    CGridDC* pUse = pDC ? pDC : &estimate;
    CGridCell cell;
    for (int c = nFirstCol; c <= nLastCol; ++c)
    {
        int nWidest = 3;
        auto measure = [&](long r) {
            GetCellResolved(c, r, &cell);
            if (s.m_bJoins && cell.HasProperty(GCP_JOIN))
                return;
            GRIDSIZE sz;
            GetCellTypeOf(cell)->MeasureFit(pUse, &sz, &cell);
            nWidest = std::max(nWidest, sz.cx);
        };
        if (nFlags & 1)
            for (int h = -static_cast<int>(s.m_arrHeadingRows.size()); h <= -1; ++h)
                measure(h);
        long nMeasured = 0;
        for (long r = s.m_nTopRow; r < s.m_nRowCount && (nRowsToCheck == 0 || nMeasured < nRowsToCheck); ++r, ++nMeasured)
            measure(r);
        if (c >= 0)
            s.m_arrCols[static_cast<size_t>(c)].nWidth = nWidest;
        else
            SetRowHeadingColWidth(c, nWidest);
    }
    if (pDC)
        ReleaseMeasureDC(pDC);
    RecalcMaxLeftCol();
    AdjustLayout();
    return 0;
}

// Spreads the cell area's width over the columns in proportion to their widths; the last
// column takes what remains.
int CGridCore::StretchColsToWindow(int nFirstCol, int nLastCol)
{
    CGridInfo& s = *m_pInfo;
    if (nFirstCol < 0 || nLastCol < nFirstCol || nLastCol >= s.m_nColCount)
        return 1;
    long long nSum = 0;
    for (int c = nFirstCol; c <= nLastCol; ++c)
        nSum += s.ColWidth(c);
    if (nSum <= 0)
        return 1;
    // The scale is a fraction: a whole-number quotient would be 0 for columns wider than the
    // area (all but the last shrunk to nothing) and 1 for anything less than twice as wide.
    const float fScale = static_cast<float>(s.m_nCellAreaWidth) / static_cast<float>(nSum);
    int nUsed = 0;
    for (int c = nFirstCol; c < nLastCol; ++c)
    {
        int& w = s.m_arrCols[static_cast<size_t>(c)].nWidth;
        w = static_cast<int>(fScale * static_cast<float>(w));
        nUsed += w;
    }
    s.m_arrCols[static_cast<size_t>(nLastCol)].nWidth = std::max(0, s.m_nCellAreaWidth - nUsed);
    RecalcMaxLeftCol();
    RepaintAll();
    return 0;
}
