// Moving the current cell, scrolling, the change dispatch and its vetoes.
#include "GridTestSupport.h"
#include "grid/GridCellType.h"

#include <gtest/gtest.h>

namespace
{
// A 100-pixel-high, 300-pixel-wide cell area (headings 20 high, 40 wide, bars 16).
struct GridFixture : ::testing::Test
{
    CRecordingGrid grid;
    CRecordingSource source;

    void SetUp() override
    {
        source.m_pLog = &grid.m_log;
        source.SetGrid(&grid);
        grid.GetSheet()->m_pDataSource = &source;
        grid.SetLayoutSize(40 + 300 + 16, 20 + 100 + 16);
        grid.SetColCount(10);
        grid.SetRowCount(50);
        grid.AdjustLayout();
        grid.Clear();
    }
};
} // namespace

TEST_F(GridFixture, FirstCountsMoveToTheFirstCell)
{
    CRecordingGrid fresh;
    EXPECT_EQ(fresh.CurrentCol(), -1);
    EXPECT_EQ(fresh.CurrentRow(), -1);
    fresh.SetColCount(3);
    EXPECT_EQ(fresh.CurrentCol(), 0);
    EXPECT_EQ(fresh.CurrentRow(), -1);
    fresh.SetRowCount(4);
    EXPECT_EQ(fresh.CurrentRow(), 0);
    EXPECT_EQ(grid.GetSheet()->m_nCellAreaHeight, 100);
    EXPECT_EQ(grid.GetSheet()->m_nCellAreaWidth, 300);
}

TEST_F(GridFixture, ChangeDispatchRunsInItsOrder)
{
    ASSERT_EQ(grid.SetCurrentCell(2, 7), 0);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"srccanmove", "canmove", "srccol 0>2", "col 0>2", "srcrow 0>7",
                                                    "row 0>7", "cell", "top 0>3"}));
    EXPECT_EQ(grid.CurrentCol(), 2);
    EXPECT_EQ(grid.CurrentRow(), 7);
}

TEST_F(GridFixture, MoveToTheCurrentCellRaisesNothing)
{
    EXPECT_EQ(grid.SetCurrentCell(0, 0), 0);
    EXPECT_TRUE(grid.m_log.empty());
}

TEST_F(GridFixture, VetoesLeaveEverythingUnchanged)
{
    grid.m_bAllowMove = 0;
    EXPECT_EQ(grid.SetCurrentRow(30), 2);
    EXPECT_EQ(grid.SetCurrentCell(3, 3), 2);
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
    grid.m_bAllowMove = 1;
    source.m_nCanMove = 0;
    grid.Clear();
    EXPECT_EQ(grid.SetCurrentCol(4), 2);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"srccanmove"}));
    EXPECT_EQ(grid.CurrentCol(), 0);
    source.m_nCanMove = 2; // anything but 1 refuses
    EXPECT_EQ(grid.SetCurrentCell(4, 4), 2);
    EXPECT_EQ(grid.CurrentCol(), 0);
}

// A move past the last row tells the source and the owner and moves nothing, not even the
// column of a cell move.
TEST_F(GridFixture, StepPastTheLastRowTellsAndStays)
{
    grid.SetCurrentRow(49);
    grid.Clear();
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_NEXT), 1);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"srcpastend 50,1", "pastend 50,1,0"}));
    EXPECT_EQ(grid.CurrentRow(), 49);
    grid.Clear();
    EXPECT_EQ(grid.SetCurrentCell(2, 52), 1);
    EXPECT_EQ(grid.CurrentCol(), 0);
    EXPECT_EQ(grid.CurrentRow(), 49);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"srcpastend 50,3", "pastend 50,3,0"}));
}

TEST(GridNavigationTest, UniformRowsNeverPutTheTopRowPastTheCurrentRow)
{
    // Before the first layout the cell area has no height at all.
    CRecordingGrid grid;
    grid.SetFixedRowHeights(1);
    grid.SetColCount(2);
    grid.SetRowCount(10);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
    grid.SetCurrentRow(9);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 9);
    EXPECT_EQ(grid.CurrentRow(), 9);

    // A cell area shorter than one row shows the current row at the top.
    grid.SetLayoutSize(200, 30); // 10 pixels of cells under the 20-pixel heading
    grid.AdjustLayout();
    grid.SetCurrentRow(4);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 4);
    grid.SetCurrentRow(0);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
}

// Every change dispatch, a scroll that keeps the notified cell too, runs the cell types'
// lost- and got-current calls.
TEST_F(GridFixture, EveryChangeDispatchTellsTheCellTypes)
{
    class CCurrentTracker : public CGridCellType
    {
    public:
        std::vector<std::string> m_log;
        void OnGotCurrent(int nCol, long nRow, CGridCell*) override { m_log.push_back("got " + Pos(nCol, nRow)); }
        void OnLostCurrent(int nCol, long nRow, CGridCell*) override { m_log.push_back("lost " + Pos(nCol, nRow)); }

    private:
        static std::string Pos(int c, long r) { return std::to_string(c) + "," + std::to_string(r); }
    } tracker;
    const int nType = grid.RegisterCellType(&tracker);
    CGridCell cell;
    cell.SetCellType(nType);
    grid.SetCell(0, 0, &cell);
    grid.SetCurrentCell(1, 0);
    grid.SetCurrentCell(0, 0);
    tracker.m_log.clear();
    ASSERT_EQ(grid.ScrollToRow(2), 0);
    EXPECT_EQ(tracker.m_log, (std::vector<std::string>{"lost 0,0", "got 0,0"}));
}

TEST_F(GridFixture, DataSourceMayAddRowsPastTheEnd)
{
    grid.SetCurrentRow(49);
    source.m_nAddRows = 10;
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_NEXT), 0);
    EXPECT_EQ(grid.GetRowCount(), 60);
    EXPECT_EQ(grid.CurrentRow(), 50);
}

TEST_F(GridFixture, MovesAreClampedIntoTheGrid)
{
    EXPECT_EQ(grid.SetCurrentRow(500), 0);
    EXPECT_EQ(grid.CurrentRow(), 49);
    EXPECT_EQ(grid.SetCurrentRow(-5), 0);
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(grid.SetCurrentCol(99), 0);
    EXPECT_EQ(grid.CurrentCol(), 9);
    EXPECT_EQ(grid.SetCurrentCol(99), 1);
    EXPECT_EQ(grid.SetCurrentCell(10, 0), 1);
    EXPECT_EQ(grid.StepCurrentCol(7), 0);
    EXPECT_EQ(grid.CurrentCol(), 9);
}

TEST_F(GridFixture, PageMovesSixTwentyPixelRowsInAHundredPixelArea)
{
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_PAGEDOWN), 0);
    EXPECT_EQ(grid.CurrentRow(), 6);
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_PAGEDOWN), 0);
    EXPECT_EQ(grid.CurrentRow(), 12);
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_PAGEUP), 0);
    EXPECT_EQ(grid.CurrentRow(), 6);
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_LAST), 0);
    EXPECT_EQ(grid.CurrentRow(), 49);
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_PAGEDOWN), 1); // clamped at the last row
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_FIRST), 0);
    EXPECT_EQ(grid.CurrentRow(), 0);
}

TEST_F(GridFixture, LargestTopRowAndKeepingTheRowVisible)
{
    grid.SetRowCount(10);
    EXPECT_EQ(grid.GetSheet()->m_nMaxTopRow, 5);
    grid.SetCurrentRow(9);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 5);
    grid.SetCurrentRow(2);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 2);
    // Uniform mode gives the same answer.
    grid.SetFixedRowHeights(1);
    grid.SetRowCount(10);
    EXPECT_EQ(grid.GetSheet()->m_nMaxTopRow, 5);
    grid.SetCurrentRow(9);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 5);
}

TEST_F(GridFixture, LargestTopRowWithUnevenRows)
{
    grid.SetRowCount(6);
    grid.SetRowHeight(5, 150); // taller than the area: the last row itself
    EXPECT_EQ(grid.GetSheet()->m_nMaxTopRow, 5);
    grid.SetRowHeight(5, 20);
    grid.SetRowHeight(4, 70);
    EXPECT_EQ(grid.GetSheet()->m_nMaxTopRow, 4);
}

TEST_F(GridFixture, ScrollingClampsAndCanBeVetoed)
{
    EXPECT_EQ(grid.ScrollToRow(1000), 0);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, grid.GetSheet()->m_nMaxTopRow);
    EXPECT_EQ(grid.m_log.back(), "top 0>" + std::to_string(grid.GetSheet()->m_nMaxTopRow));
    grid.m_bAllowScroll = 0;
    EXPECT_EQ(grid.ScrollToRow(0), 2);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, grid.GetSheet()->m_nMaxTopRow);
    grid.m_bAllowScroll = 1;
    EXPECT_EQ(grid.StepTopRow(GRID_STEP_FIRST), 0);
    EXPECT_EQ(grid.StepTopRow(GRID_STEP_PAGEDOWN), 0);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 6);
    EXPECT_EQ(grid.StepLeftCol(GRID_STEP_NEXT), 0);
    EXPECT_EQ(grid.GetSheet()->m_nLeftCol, 1);
    EXPECT_EQ(grid.StepLeftCol(GRID_STEP_LAST), 0);
    EXPECT_EQ(grid.GetSheet()->m_nLeftCol, grid.GetSheet()->m_nMaxLeftCol);
    EXPECT_EQ(grid.CurrentRow(), 0); // scrolling leaves the current cell
}

// The current cell is always a block's origin, the one cell of it that is drawn.
TEST_F(GridFixture, JoinedBlocksMoveToTheirOrigin)
{
    auto join = [&](int c1, long r1, int c2, long r2)
    {
        for (int c = c1; c <= c2; ++c)
            for (long r = r1; r <= r2; ++r)
            {
                CGridCell cell;
                if (c == c1 && r == r1)
                    cell.SetJoin(1, c2 - c1, r2 - r1);
                else
                    cell.SetJoin(0, c1 - c, r1 - r);
                grid.SetCell(c, r, &cell);
            }
    };
    join(2, 4, 3, 6);
    join(0, 0, 1, 2);
    EXPECT_EQ(grid.SetCurrentCell(3, 5), 0);
    EXPECT_EQ(grid.CurrentCol(), 2);
    EXPECT_EQ(grid.CurrentRow(), 4);
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_NEXT), 0); // down from inside: past the block
    EXPECT_EQ(grid.CurrentRow(), 7);
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_PREV), 0); // up into it from below: its origin
    EXPECT_EQ(grid.CurrentRow(), 4);
    grid.SetCurrentCell(3, 7);
    EXPECT_EQ(grid.StepCurrentRow(GRID_STEP_PREV), 0); // from below its second column
    EXPECT_EQ(grid.CurrentCol(), 2);
    EXPECT_EQ(grid.CurrentRow(), 4);
    grid.SetCurrentCell(2, 1);
    EXPECT_EQ(grid.StepCurrentCol(GRID_STEP_PREV), 0); // left into a block at row 0
    EXPECT_EQ(grid.CurrentCol(), 0);
    EXPECT_EQ(grid.CurrentRow(), 0);
}

TEST_F(GridFixture, MultiSelectionAnchorsTheNotifiedCell)
{
    grid.SetSelectionMode(1);
    grid.SetCurrentCell(1, 1);
    grid.m_bShift = true;
    grid.SetCurrentCell(3, 4);
    EXPECT_EQ(grid.CurrentCol(), 1); // the anchor stays notified
    EXPECT_EQ(grid.CurrentRow(), 1);
    EXPECT_EQ(grid.GetSheet()->m_pMultiSelect->IsSelected(2, 3), 1);
    grid.m_bShift = false;
    grid.ClearSelection();
    EXPECT_EQ(grid.GetSheet()->m_pMultiSelect->IsSelected(2, 3), 0);
}

TEST_F(GridFixture, ChildrenFollowEachDispatch)
{
    CFakeChild cells, top, side;
    grid.AttachChild(GRID_CHILD_CELLS, &cells);
    grid.AttachChild(GRID_CHILD_COLHEADING, &top);
    grid.AttachChild(GRID_CHILD_ROWHEADING, &side);
    grid.SetCurrentRow(3);
    EXPECT_EQ(cells.m_nUpdates, 1);
    EXPECT_EQ(top.m_nUpdates, 1);
    EXPECT_EQ(side.m_nUpdates, 1);
    grid.RepaintCell(1, 1);
    EXPECT_EQ(cells.m_nHintedPaints, 1);
    EXPECT_EQ(grid.GetDrawHints().IsHinted(1, 1), 1);
    grid.RepaintCell(-1, 4);
    EXPECT_EQ(side.m_nRepaints, 1);
    grid.EnableRepaint(0);
    grid.RepaintAll();
    EXPECT_EQ(top.m_nRepaints, 0);
    grid.EnableRepaint(1);
    grid.RepaintAll();
    EXPECT_EQ(top.m_nRepaints, 1);
}

TEST_F(GridFixture, TallRowsStayVisibleInPerRowMode)
{
    grid.SetRowHeight(10, 70);
    grid.SetCurrentRow(10); // 70 + row 9 (20) fit in 100, row 8 does not
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 9);
    grid.SetRowHeight(12, 150); // taller than the area: it becomes the top row
    grid.SetCurrentRow(12);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 12);
}

TEST_F(GridFixture, ColumnPagesAndScrollVeto)
{
    // 300-pixel area and 75-pixel columns: a page moves five columns.
    EXPECT_EQ(grid.StepCurrentCol(GRID_STEP_PAGEDOWN), 0);
    EXPECT_EQ(grid.CurrentCol(), 5);
    EXPECT_EQ(grid.GetSheet()->m_nLeftCol, 2);
    EXPECT_EQ(grid.StepCurrentCol(GRID_STEP_PAGEUP), 0);
    EXPECT_EQ(grid.CurrentCol(), 0);
    EXPECT_EQ(grid.GetSheet()->m_nLeftCol, 0);
    grid.m_bAllowScroll = 0;
    EXPECT_EQ(grid.ScrollToCol(3), 2);
    EXPECT_EQ(grid.GetSheet()->m_nLeftCol, 0);
}

TEST_F(GridFixture, TrackingWindowMovesOffTheCurrentCell)
{
    struct CTrack : IGridTrackWindow
    {
        GRIDRECT rc{0, 0, 100, 50};
        GRIDRECT GetScreenRect() const override { return rc; }
        void MoveTo(const GRIDRECT& r) override { rc = r; }
    } track;
    grid.SetTrackWindow(&track);
    grid.SetCurrentCell(0, 1); // cell at (40, 40)-(115, 60) in the control: covered
    EXPECT_EQ(track.rc, (GRIDRECT{120, 0, 220, 50}));
    grid.SetCurrentCell(3, 1); // no longer covered: stays
    EXPECT_EQ(track.rc, (GRIDRECT{120, 0, 220, 50}));
    grid.SetTrackWindow(nullptr);
}
