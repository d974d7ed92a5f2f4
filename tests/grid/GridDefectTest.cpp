// Faults of the core that once slipped through: leftovers of the scratch cell, a top row past
// the current row, half-done moves, skipped current-cell calls and hints without bound.
#include "grid/GridCellType.h"
#include "grid/GridTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct DefectFixture : ::testing::Test
{
    CRecordingGrid grid;
    CFakeChild cells;

    void SetUp() override
    {
        grid.AttachChild(GRID_CHILD_CELLS, &cells);
        grid.SetLayoutSize(400, 200);
        grid.SetColCount(3);
        grid.SetRowCount(10);
        grid.AdjustLayout();
        grid.Clear();
    }
};

class CCurrentTracker : public CGridCellType
{
  public:
    std::vector<std::string> m_log;
    void OnGotCurrent(int nCol, long nRow, CGridCell*) override { m_log.push_back("got " + Pos(nCol, nRow)); }
    void OnLostCurrent(int nCol, long nRow, CGridCell*) override
    {
        m_log.push_back("lost " + Pos(nCol, nRow));
    }

  private:
    static std::string Pos(int c, long r) { return std::to_string(c) + "," + std::to_string(r); }
};
} // namespace

TEST_F(DefectFixture, QuickSettersPastTheColumnsStoreNoLeftovers)
{
    grid.SetCellAlignment(0, 0, 2);
    grid.SetCellText(5, 0, "wide");
    CGridCell cell;
    ASSERT_EQ(grid.GetSheet()->m_pMemStore->GetCell(5, 0, &cell), 0);
    EXPECT_STREQ(cell.GetText(), "wide");
    EXPECT_FALSE(cell.HasProperty(GCP_ALIGNMENT));

    // A paste wider than the grid goes through the same path.
    grid.SetCurrentCell(0, 1);
    grid.SetCellAlignment(0, 1, 4);
    grid.PasteText("a\tb\tc\td\te");
    CGridCell past;
    ASSERT_EQ(grid.GetSheet()->m_pMemStore->GetCell(4, 1, &past), 0);
    EXPECT_FALSE(past.HasProperty(GCP_ALIGNMENT));
}

TEST(GridDefectTest, UniformRowsNeverPutTheTopRowPastTheCurrentRow)
{
    // Before the first layout the cell area has no height at all.
    CRecordingGrid grid;
    grid.SetFixedRowHeights(1);
    grid.SetColCount(2);
    grid.SetRowCount(10);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
    grid.SetCurrentRow(9);
    EXPECT_LE(grid.GetSheet()->m_nTopRow, 9);
    EXPECT_EQ(grid.CurrentRow(), 9);

    // A cell area shorter than one row shows the current row at the top.
    grid.SetLayoutSize(200, 30); // 10 pixels of cells under the 20-pixel heading
    grid.AdjustLayout();
    grid.SetCurrentRow(4);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 4);
    grid.SetCurrentRow(0);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
}

TEST_F(DefectFixture, MovePastTheLastRowFailsWholly)
{
    grid.SetCurrentCell(0, 9);
    grid.Clear();
    EXPECT_EQ(grid.SetCurrentCell(2, 12), 1);
    EXPECT_EQ(grid.CurrentCol(), 0);
    EXPECT_EQ(grid.CurrentRow(), 9);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"pastend 10,3,0"}));
}

TEST_F(DefectFixture, EveryChangeDispatchTellsTheCellTypes)
{
    CCurrentTracker tracker;
    const int nType = grid.RegisterCellType(&tracker);
    CGridCell cell;
    cell.SetCellType(nType);
    grid.SetCell(0, 0, &cell);
    grid.SetCurrentCell(1, 0);
    grid.SetCurrentCell(0, 0);
    tracker.m_log.clear();
    // A scroll keeps the notified cell and still runs the lost/got step.
    grid.SetLayoutSize(400, 100);
    grid.AdjustLayout();
    ASSERT_EQ(grid.ScrollToRow(2), 0);
    EXPECT_EQ(tracker.m_log, (std::vector<std::string>{"lost 0,0", "got 0,0"}));
}

TEST(GridDefectTest, HintsStayBoundedWhileNothingPaints)
{
    CGridDrawHints hints;
    for (int i = 0; i < 10000; ++i)
        hints.AddCell(i % 50, i);
    EXPECT_LE(hints.GetBlockCount(), static_cast<int>(CGridDrawHints::MAX_BLOCKS));
    EXPECT_EQ(hints.IsHinted(0, 0), 1);
    EXPECT_EQ(hints.IsHinted(49, 9999), 1);
    EXPECT_EQ(hints.IsHinted(50, 0), 0);
    hints.Reset();
    EXPECT_EQ(hints.IsHinted(0, 0), 0);
}
