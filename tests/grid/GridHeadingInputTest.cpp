// The headings' mouse rules: hit tests, sizing zones and their cursors,
// dragging sizes (never negative), best fit, column moves and the notifications they raise.
#include "GridTestSupport.h"
#include "grid/GridColors.h"
#include "grid/GridCornerInput.h"
#include "grid/GridHeadingInput.h"
#include "grid/GridHeadingPaint.h"
#include "support/RecordingGridDC.h"
#include "grid/GridInfo.h"
#include "grid/GridKeys.h"

#include <gtest/gtest.h>

namespace
{
class CHeadingGrid : public CRecordingGrid
{
public:
    // An owner that answers white for every section and selects a font of its own.
    CGridFont* m_pOwnerFont = nullptr;
    GRIDCOLOR OnBackColor(int) override { return 0xFFFFFF; }
    void OnPrepareDC(CGridDC* pDC, CGridDC*, int) override
    {
        if (m_pOwnerFont)
            pDC->SelectFont(m_pOwnerFont);
    }
    int m_bAllowDrop = 1;
    int m_bAllowColResize = 1;
    int OnCanResizeCol(int nCol) override { Log("canresize " + S(nCol)); return m_bAllowColResize; }
    void OnColResizing(int nCol, int* pn) override { Log("colresizing " + S(nCol) + "=" + S(*pn)); }
    void OnColResized(int nCol, int* pn) override { Log("colresized " + S(nCol) + "=" + S(*pn)); }
    void OnRowResized(long nRow, int* pn) override { Log("rowresized " + S(nRow) + "=" + S(*pn)); }
    int OnColHeadingResized(int* pn) override { Log("headresized " + S(*pn)); return 1; }
    int OnColDragStart(int nCol) override { Log("dragstart " + S(nCol)); return 1; }
    int OnCanColDrop(int nFrom, int nTo) override { Log("candrop " + S(nFrom) + ">" + S(nTo)); return m_bAllowDrop; }
    void OnColHeadingLeftClick(int nCol, long nRow, int bDown, GRIDRECT*, GRIDPOINT*, int) override
    {
        Log("colclick " + S(nCol) + "," + S(nRow) + "," + S(bDown));
    }
    void OnColHeadingRightClick(int nCol, long nRow, int bDown, GRIDRECT*, GRIDPOINT*, int) override
    {
        Log("colright " + S(nCol) + "," + S(nRow) + "," + S(bDown));
    }
};

class CFakeHeading : public IGridHeadingWindow
{
public:
    int m_nCursor = -1;
    bool m_bCaptured = false;
    int m_nMarkers = 0, m_nErased = 0, m_nRepaints = 0;
    GRIDRECT m_rcMarker, m_rcErased;
    void SetCursorKind(int n) override { m_nCursor = n; }
    void Capture() override { m_bCaptured = true; }
    void Release() override { m_bCaptured = false; }
    void DrawMarker(const GRIDRECT& rc) override { ++m_nMarkers; m_rcMarker = rc; }
    void EraseMarker(const GRIDRECT& rc) override
    {
        ++m_nErased;
        m_rcErased = rc;
    }
    void RepaintHeading() override { ++m_nRepaints; }
    GRIDPOINT ToScreen(GRIDPOINT pt) const override { return pt; }
};

struct HeadingFixture : ::testing::Test
{
    CHeadingGrid grid;
    CFakeChild cells, top, side;
    CFakeEdit edit;
    CFakeHeading wnd;
    CGridHeadingInput cols{&grid, false};
    CGridHeadingInput rows{&grid, true};

    void SetUp() override
    {
        grid.AttachChild(GRID_CHILD_CELLS, &cells);
        grid.AttachEditBox(&edit);
        grid.SetLayoutSize(400, 300);
        grid.SetColCount(10); // 75 pixels each
        grid.SetRowCount(1000000); // 20 pixels each
        grid.AdjustLayout();
        grid.Clear();
    }
    void Move(CGridHeadingInput& in, int x, int y, unsigned nFlags = 0) { in.OnMouseMove({x, y}, nFlags, wnd); }
};
} // namespace

// Both headings hit from the first scrolled position, as the cell area does.
TEST_F(HeadingFixture, HitTestsStartAtTheLeftColumnAndTheTopRow)
{
    int nCol;
    long nRow;
    GRIDRECT rc;
    ASSERT_EQ(cols.HitTest({80, 5}, &nCol, &nRow, &rc), 0);
    EXPECT_EQ(nCol, 1);
    EXPECT_EQ(nRow, -1);
    EXPECT_EQ(rc, (GRIDRECT{75, 0, 150, 20}));
    grid.GetSheet()->m_nLeftCol = 4;
    ASSERT_EQ(cols.HitTest({80, 5}, &nCol, &nRow, &rc), 0);
    EXPECT_EQ(nCol, 5);
    EXPECT_EQ(rc, (GRIDRECT{75, 0, 150, 20}));
    int nCellCol;
    long nCellRow;
    ASSERT_EQ(grid.CellFromPoint(80, 5, &nCellCol, &nCellRow), 0);
    EXPECT_EQ(nCellCol, nCol);
    EXPECT_EQ(cols.HitTest({10, 25}, &nCol, &nRow, &rc), 1); // below the heading rows
    EXPECT_EQ(nCol, -1);
    // The row heading: rows on y, heading columns on x.
    grid.GetSheet()->m_nTopRow = 500;
    EXPECT_EQ(rows.HitTest({5, 45}, &nCol, &nRow, &rc), 1); // left of the 25-pixel heading column
    ASSERT_EQ(rows.HitTest({20, 45}, &nCol, &nRow, &rc), 0);
    EXPECT_EQ(nRow, 502);
    EXPECT_EQ(nCol, -1);
}

TEST_F(HeadingFixture, SizingZonesLieStrictlyWithinThreePixels)
{
    Move(cols, 73, 5); // 2 pixels left of column 0's right edge
    EXPECT_TRUE(cols.InZone());
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_SIZEWE);
    EXPECT_EQ(grid.m_log.back(), "canresize 0");
    Move(cols, 72, 5); // 3 pixels
    EXPECT_FALSE(cols.InZone());
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_ARROW);
    // A zero-width next column is sized instead.
    grid.SetColumnWidth(1, 0);
    Move(cols, 76, 5);
    EXPECT_EQ(grid.m_log.back(), "canresize 1");
    // A refusal leaves the state unchanged.
    grid.m_bAllowColResize = 0;
    Move(cols, 10, 5);
    Move(cols, 149, 5);
    EXPECT_FALSE(cols.InZone());
    // The heading row's bottom edge gives the north-south cursor; rows give it too.
    Move(cols, 30, 18);
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_SIZENS);
    Move(rows, 10, 41);
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_SIZENS);
    Move(rows, 39, 10);
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_SIZEWE);
    grid.GetSheet()->m_nSizingMode = 0;
    wnd.m_nCursor = -1;
    Move(rows, 39, 10);
    EXPECT_EQ(wnd.m_nCursor, -1);
}

TEST_F(HeadingFixture, DraggingAColumnBorderNeverGivesANegativeWidth)
{
    Move(cols, 149, 5);
    cols.OnLeftDown({149, 5}, GRID_MK_LBUTTON, wnd);
    EXPECT_TRUE(cols.IsCaptured());
    EXPECT_TRUE(wnd.m_bCaptured);
    EXPECT_TRUE(cells.m_bFocus);
    grid.Clear();
    Move(cols, 170, 5, GRID_MK_LBUTTON);
    EXPECT_EQ(grid.GetColumnWidth(1), 96);
    EXPECT_EQ(grid.m_log.front(), "colresizing 1=96");
    const int cx = grid.GetSheet()->m_nCellAreaWidth, cy = grid.GetSheet()->m_nCellAreaHeight;
    EXPECT_EQ(wnd.m_rcMarker, (GRIDRECT{169, 0, 171, cy}));
    // The cells from the dragged column on are repainted on every move.
    EXPECT_EQ(wnd.m_rcErased, (GRIDRECT{71, 0, cx, cy}));
    Move(cols, 20, 5, GRID_MK_LBUTTON); // left of the column's left edge
    EXPECT_EQ(grid.GetColumnWidth(1), 0);
    EXPECT_EQ(wnd.m_nErased, 2);
    EXPECT_EQ(wnd.m_rcErased, (GRIDRECT{71, 0, cx, cy}));
    EXPECT_EQ(wnd.m_rcMarker, (GRIDRECT{73, 0, 75, cy}));
    cols.OnLeftUp({20, 5}, 0, wnd);
    EXPECT_EQ(grid.m_log.back(), "colresized 1=0");
    EXPECT_FALSE(wnd.m_bCaptured);
    EXPECT_EQ(wnd.m_nErased, 3);
}

// While a border is dragged the last heading row (column) takes what the heading's total leaves
// over, so heading sizes that stopped adding up are set right.
TEST_F(HeadingFixture, ABorderDragMakesTheHeadingSizesAddUp)
{
    CGridInfo& s = *grid.GetSheet();
    s.m_arrHeadingRows = {10, 10};
    s.m_nColHeadingHeight = 30;
    s.m_arrHeadingCols = {25, 40};
    s.m_nRowHeadingWidth = 50;
    Move(cols, 149, 35);
    cols.OnLeftDown({149, 35}, GRID_MK_LBUTTON, wnd);
    Move(cols, 160, 35, GRID_MK_LBUTTON);
    EXPECT_EQ(s.m_arrHeadingRows, (std::vector<int>{10, 20}));
    cols.OnLeftUp({160, 35}, 0, wnd);
    grid.SetFixedRowHeights(0);
    Move(rows, 10, 39);
    rows.OnLeftDown({10, 39}, GRID_MK_LBUTTON, wnd);
    Move(rows, 10, 45, GRID_MK_LBUTTON);
    EXPECT_EQ(s.m_arrHeadingCols, (std::vector<int>{25, 25}));
    rows.OnLeftUp({10, 45}, 0, wnd);
    // A heading whose other rows already take more than the total leaves the last at 0.
    s.m_arrHeadingRows = {40, 10};
    Move(cols, 149 + 11, 35);
    cols.OnLeftDown({160, 35}, GRID_MK_LBUTTON, wnd);
    Move(cols, 150, 35, GRID_MK_LBUTTON);
    EXPECT_EQ(s.m_arrHeadingRows, (std::vector<int>{40, 0}));
}

TEST_F(HeadingFixture, DraggingRowAndHeadingBordersInAMillionRows)
{
    // Rows of uniform height: the border below two rows dragged to y = 50 gives 25 each.
    ASSERT_TRUE(grid.GetSheet()->m_bUniformHeight);
    Move(rows, 10, 38);
    rows.OnLeftDown({10, 38}, GRID_MK_LBUTTON, wnd);
    Move(rows, 10, 50, GRID_MK_LBUTTON);
    EXPECT_EQ(grid.GetRowHeight(7), 25);
    rows.OnLeftUp({10, 50}, 0, wnd);
    EXPECT_EQ(grid.m_log.back(), "rowresized 1=25");
    grid.SetFixedRowHeights(0);
    ASSERT_FALSE(grid.GetSheet()->m_bUniformHeight);
    Move(rows, 10, 49);
    rows.OnLeftDown({10, 49}, GRID_MK_LBUTTON, wnd);
    Move(rows, 10, 60, GRID_MK_LBUTTON);
    EXPECT_EQ(grid.GetRowHeight(1), 36);
    rows.OnLeftUp({10, 60}, 0, wnd);
    // The heading row's height and the heading's total follow the drag.
    Move(cols, 30, 19);
    cols.OnLeftDown({30, 19}, GRID_MK_LBUTTON, wnd);
    Move(cols, 30, 40, GRID_MK_LBUTTON);
    EXPECT_EQ(grid.GetSheet()->m_nColHeadingHeight, 41);
    Move(cols, 30, -80, GRID_MK_LBUTTON);
    EXPECT_EQ(grid.GetSheet()->m_nColHeadingHeight, 0);
    cols.OnLeftUp({30, -80}, 0, wnd);
    EXPECT_EQ(grid.m_log.back(), "headresized 0");
}

TEST_F(HeadingFixture, EveryLeftPressAbandonsTheEdit)
{
    ASSERT_EQ(grid.BeginEdit(1, 1, 0), 0);
    cols.OnLeftDown({10, 5}, GRID_MK_LBUTTON, wnd);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_FALSE(edit.m_bShown);
    EXPECT_EQ(grid.m_log.back(), "colclick 0,-1,1");
}

TEST_F(HeadingFixture, ColumnMoveOnlyWhenEnabled)
{
    cols.OnLeftDown({10, 5}, GRID_MK_LBUTTON, wnd);
    Move(cols, 250, 5, GRID_MK_LBUTTON);
    cols.OnLeftUp({250, 5}, 0, wnd);
    for (const std::string& s : grid.m_log)
        EXPECT_EQ(s.find("candrop"), std::string::npos) << s;

    grid.GetSheet()->m_bColMove = 1;
    grid.SetCellText(0, 0, "first");
    cols.OnLeftDown({10, 5}, GRID_MK_LBUTTON, wnd);
    Move(cols, 30, 5, GRID_MK_LBUTTON); // over the source: no target yet
    EXPECT_EQ(cols.MoveTarget(), -1);
    Move(cols, 250, 5, GRID_MK_LBUTTON); // left half of column 3
    EXPECT_EQ(cols.MoveTarget(), 3);
    EXPECT_EQ(wnd.m_rcMarker.left, 225);
    Move(cols, 280, 5, GRID_MK_LBUTTON); // right half
    EXPECT_EQ(cols.MoveTarget(), 4);
    EXPECT_EQ(cols.HighlightedCol(), 0);
    EXPECT_EQ(wnd.m_rcMarker.left, 300);
    cols.OnLeftUp({280, 5}, 0, wnd);
    EXPECT_EQ(grid.m_log.back(), "candrop 0>3");
    std::string s;
    grid.GetCellText(3, 0, &s);
    EXPECT_EQ(s, "first");
    EXPECT_EQ(cols.HighlightedCol(), -1);
}

TEST_F(HeadingFixture, RightPressRaisesTheNotificationAndThePopupWhenEnabled)
{
    cols.OnRightDown({80, 5}, wnd);
    cols.OnRightUp({80, 5}, wnd);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"colright 1,-1,1", "colright 1,-1,0"}));
    EXPECT_TRUE(grid.m_arrPopupPoints.empty());
    grid.EnablePopupMenu(1);
    grid.Clear();
    cols.OnRightDown({80, 5}, wnd);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"colright 1,-1,1", "popupstart 1,-1,2"}));
    EXPECT_EQ(grid.m_arrPopupPoints, (std::vector<GRIDPOINT>{GRIDPOINT{80, 5}}));
}

TEST_F(HeadingFixture, TheCornersEdgesSizeTheHeadings)
{
    CGridCornerInput corner(&grid);
    const GRIDRECT rc{0, 0, 40, 20};
    corner.OnMouseMove({38, 5}, 0, rc, wnd); // right edge: the row heading's width
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_SIZEWE);
    corner.OnLeftDown({38, 5}, rc, wnd);
    EXPECT_TRUE(wnd.m_bCaptured);
    corner.OnMouseMove({70, 5}, GRID_MK_LBUTTON, rc, wnd);
    EXPECT_EQ(grid.GetSheet()->m_nRowHeadingWidth, 70);
    corner.OnMouseMove({-30, 5}, GRID_MK_LBUTTON, rc, wnd);
    EXPECT_EQ(grid.GetSheet()->m_nRowHeadingWidth, 0);
    corner.OnLeftUp({-30, 5}, rc, wnd);
    EXPECT_FALSE(wnd.m_bCaptured);

    const GRIDRECT rc2{0, 0, 60, 20};
    corner.OnMouseMove({10, 18}, 0, rc2, wnd); // bottom edge: the column heading's height
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_SIZENS);
    corner.OnLeftDown({10, 18}, rc2, wnd);
    corner.OnMouseMove({10, 33}, GRID_MK_LBUTTON, rc2, wnd);
    EXPECT_EQ(grid.GetSheet()->m_nColHeadingHeight, 33);
    corner.OnLeftUp({10, 33}, rc2, wnd);
    corner.OnMouseMove({10, 5}, 0, rc2, wnd);
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_ARROW);
}

TEST_F(HeadingFixture, AJoinedHeadingCellIsHitAndDrawnAsOneBlock)
{
    grid.SetColHeadingHeight(40);
    grid.GetSheet()->m_arrHeadingRows = {20, 20};
    // Columns 1 to 3 of the top heading row joined.
    CGridCell origin;
    origin.SetJoin(1, 2, 0);
    origin.SetText("Joined");
    grid.SetCell(1, -2, &origin);
    for (int c = 2; c <= 3; ++c)
    {
        CGridCell member;
        member.SetJoin(0, 1 - c, 0);
        grid.SetCell(c, -2, &member);
    }
    int nCol;
    long nRow;
    GRIDRECT rc;
    ASSERT_EQ(cols.HitTest({250, 5}, &nCol, &nRow, &rc), 0);
    EXPECT_EQ(nCol, 1);
    EXPECT_EQ(nRow, -2);
    EXPECT_EQ(rc, (GRIDRECT{75, 0, 300, 20}));
    ASSERT_EQ(cols.HitTest({250, 25}, &nCol, &nRow, &rc), 0); // the row below is not joined
    EXPECT_EQ(nCol, 3);
    EXPECT_EQ(rc, (GRIDRECT{225, 20, 300, 40}));

    CRecordingGridDC dc;
    GridPaintColHeading(grid, dc, GRIDSIZE{400, 40});
    int nJoined = 0;
    for (const auto& op : dc.m_ops)
        if (op.strText == "Joined")
        {
            ++nJoined;
            EXPECT_NEAR(op.rc.left, 75, 1); // the text clip, inside the cell's frame
            EXPECT_NEAR(op.rc.right, 300, 2);
        }
    EXPECT_EQ(nJoined, 1);
}

TEST_F(HeadingFixture, AJoinedRowHeadingCellIsDrawnOnce)
{
    // Rows 2 to 4 of the row heading joined, with the owner's white answer for the back colour.
    CGridCell origin;
    origin.SetJoin(1, 0, 2);
    origin.SetText("Rows");
    grid.SetCell(-1, 2, &origin);
    for (long r = 3; r <= 4; ++r)
    {
        CGridCell member;
        member.SetJoin(0, 0, 2 - r);
        grid.SetCell(-1, r, &member);
    }
    CRecordingGridDC dc;
    GridPaintRowHeading(grid, dc, GRIDSIZE{40, 280});
    const auto* pOp = dc.FindText("Rows");
    ASSERT_NE(pOp, nullptr);
    EXPECT_EQ(pOp->rc.top, 40 + 1);
    EXPECT_EQ(pOp->rc.bottom, 100 - 1);
    // The member cells draw nothing of their own: 14 rows, less two hidden members.
    EXPECT_EQ(dc.Count(CRecordingGridDC::TEXT_OPAQUE) + dc.Count(CRecordingGridDC::TEXT_CLIPPED), 12);
}

// Past the last column and row the headings show the heading cells' face, the corner the
// button face; the owner's font, chosen while preparing, yields to the sheet's default font.
TEST_F(HeadingFixture, HeadingsFillBeyondTheirCellsWithTheHeadingFace)
{
    grid.SetColCount(3);
    grid.SetRowCount(2);
    const int nDefault = grid.RegisterFont("Sans", 14, 400);
    grid.m_pOwnerFont = grid.GetGridFont(grid.RegisterFont("Serif", 20, 700));
    grid.SetDefaultFont(nDefault);
    grid.SetCellText(0, -1, "A");
    const GRIDCOLOR crFace = GridGetSysColor(GRID_COLOR_BTNFACE);
    auto fills = [](const CRecordingGridDC& dc, GRIDCOLOR cr)
    {
        std::vector<GRIDRECT> arr;
        for (const auto& op : dc.m_ops)
            if (op.nKind == CRecordingGridDC::FILL && op.crBack == cr)
                arr.push_back(op.rc);
        return arr;
    };
    CRecordingGridDC top, side, corner;
    GridPaintColHeading(grid, top, GRIDSIZE{360, 20});
    EXPECT_EQ(fills(top, 0xFFFFFF), std::vector<GRIDRECT>{});
    EXPECT_EQ(fills(top, crFace).back(), (GRIDRECT{225, 0, 360, 20}));
    ASSERT_NE(top.FindText("A"), nullptr);
    EXPECT_EQ(top.FindText("A")->pFont, grid.GetGridFont(nDefault));
    GridPaintRowHeading(grid, side, GRIDSIZE{40, 280});
    EXPECT_EQ(fills(side, 0xFFFFFF), std::vector<GRIDRECT>{});
    // Below the two rows, and left of the 25-pixel heading column in the 40-pixel heading.
    EXPECT_EQ(fills(side, crFace), (std::vector<GRIDRECT>{{0, 40, 40, 280}, {0, 0, 15, 40}}));
    GridPaintCorner(grid, corner, GRIDSIZE{40, 20});
    EXPECT_EQ(fills(corner, 0xFFFFFF), std::vector<GRIDRECT>{});
    EXPECT_EQ(fills(corner, crFace).front(), (GRIDRECT{0, 0, 40, 20}));
}
