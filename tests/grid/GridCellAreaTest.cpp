// The cell area's paint pass and incremental updates, counted with the recording surface:
// what a change, a scroll and a jump draw, joined blocks, the end of the rows, focus.
#include "GridAreaSupport.h"

#include <gtest/gtest.h>

namespace
{
// 12 columns of 75 and rows of 20 in a 900 x 400 cell area: 12 x 20 cells a page.
struct PaintFixture : AreaFixture
{
    void SetUp() override
    {
        Build(40 + 900 + 16, 20 + 400 + 16, 14, 1000);
        ASSERT_EQ(grid.GetSheet()->m_nCellAreaWidth, 900);
        ASSERT_EQ(grid.GetSheet()->m_nCellAreaHeight, 400);
    }
};
} // namespace

TEST_F(PaintFixture, FullPaintDrawsEveryVisibleCellOnceAndTheFocus)
{
    wnd.m_bFocus = true;
    wnd.PaintAll();
    EXPECT_EQ(Area().m_nCellsDrawn, 12 * 20);
    EXPECT_EQ(Area().GetLastVisibleCol(), 11);
    EXPECT_EQ(Area().GetLastVisibleRow(), 19L);
    EXPECT_EQ(wnd.m_dc.Count(CRecordingGridDC::FOCUS), 1);
    EXPECT_EQ(wnd.m_dc.m_nDepth, 0);
    EXPECT_TRUE(grid.GetDrawHints().IsEmpty());
    wnd.ResetCounts();
    wnd.m_bFocus = false;
    wnd.PaintAll();
    EXPECT_EQ(wnd.m_dc.Count(CRecordingGridDC::FOCUS), 0);
}

TEST_F(PaintFixture, OneCellChangeDrawsExactlyOneCell)
{
    grid.SetCellText(5, 7, "changed");
    grid.RepaintCell(5, 7);
    EXPECT_EQ(Area().m_nCellsDrawn, 1);
    ASSERT_NE(wnd.m_dc.FindText("changed"), nullptr);
    EXPECT_EQ(wnd.m_dc.FindText("changed")->rc.left, 5 * 75);
    EXPECT_EQ(wnd.m_nScrolls, 0);
}

TEST_F(PaintFixture, OneRowScrollDrawsTheNewRowAndTheNotifiedCells)
{
    ASSERT_EQ(grid.ScrollToRow(1), 0);
    EXPECT_EQ(wnd.m_nScrolls, 1);
    EXPECT_EQ(wnd.m_dy, -20);
    EXPECT_EQ(wnd.m_dx, 0);
    // Row 20 came into view; the notified cell (0, 0) is now above the view.
    EXPECT_EQ(Area().m_nCellsDrawn, 12);
    wnd.ResetCounts();
    grid.SetCurrentCell(3, 5);
    wnd.ResetCounts();
    ASSERT_EQ(grid.ScrollToRow(0), 0);
    EXPECT_EQ(wnd.m_dy, 20);
    EXPECT_EQ(Area().m_nCellsDrawn, 12 + 1);
}

TEST_F(PaintFixture, ScrollFurtherThanTheAreaDrawsThePageOnce)
{
    ASSERT_EQ(grid.ScrollToRow(500), 0);
    EXPECT_EQ(wnd.m_nScrolls, 0);
    EXPECT_EQ(Area().m_nCellsDrawn, 12 * 20);
    wnd.ResetCounts();
    ASSERT_EQ(grid.ScrollToCol(2), 0); // 150 pixels to the left: two columns come in at the right
    EXPECT_EQ(wnd.m_dx, -150);
    EXPECT_EQ(Area().m_nCellsDrawn, 2 * 20);
}

TEST_F(PaintFixture, MovingTheCurrentCellRedrawsTheOldAndTheNewCell)
{
    grid.SetCurrentCell(2, 2);
    EXPECT_EQ(Area().m_nCellsDrawn, 2);
    wnd.ResetCounts();
    grid.SetWholeRowHighlight(1);
    grid.SetCurrentCell(2, 3);
    EXPECT_EQ(Area().m_nCellsDrawn, 2 * 12);
}

TEST_F(PaintFixture, JoinedBlockIsDrawnOnceAsTheWholeBlock)
{
    CGridCell origin;
    origin.SetText("joined");
    origin.SetJoin(1, 2, 1);
    grid.SetCell(1, 1, &origin);
    CGridCell member;
    for (int c = 1; c <= 3; ++c)
        for (long r = 1; r <= 2; ++r)
            if (c != 1 || r != 1)
            {
                member.SetJoin(0, 1 - c, 1 - r);
                grid.SetCell(c, r, &member);
            }
    wnd.PaintAll();
    EXPECT_EQ(Area().m_nCellsDrawn, 12 * 20 - 5);
    const auto* pText = wnd.m_dc.FindText("joined");
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(pText->rc.right, 4 * 75 - 1);
    EXPECT_EQ(pText->rc.bottom, 3 * 20 - 1);
}

TEST(GridCellAreaTest, PaintingTheLastRowAsksTheSourceAboutTheEnd)
{
    struct Fixture : AreaFixture
    {
        void TestBody() override {}
    } f;
    CRecordingSource source;
    source.m_pLog = &f.grid.m_log;
    source.SetGrid(&f.grid);
    f.grid.GetSheet()->m_pDataSource = &source;
    f.Build(400, 300, 3, 5);
    f.grid.Clear();
    f.wnd.PaintAll();
    EXPECT_EQ(f.grid.m_log, (std::vector<std::string>{"srcpastend 5,1", "pastend 5,1,0"}));
    // A source that adds rows gets them drawn in the same pass.
    source.m_nAddRows = 2;
    f.wnd.ResetCounts();
    f.wnd.PaintAll();
    // The pass goes on asking at each new end until the area is full (14 rows of 20).
    EXPECT_GE(f.grid.GetRowCount(), 14);
    EXPECT_EQ(f.wnd.m_area.m_nCellsDrawn, 3 * 14);
}

// The space past the last column and row is filled, and a repaint of the last row or column
// covers it, so no pixels of an earlier paint stay there.
TEST_F(PaintFixture, SpaceBeyondTheCellsIsFilledWithTheBackColour)
{
    grid.SetColCount(2);
    grid.SetRowCount(3);
    wnd.ResetCounts();
    wnd.PaintAll();
    std::vector<GRIDRECT> arrFills;
    for (const auto& op : wnd.m_dc.m_ops)
        if (op.nKind == CRecordingGridDC::FILL && op.crBack == grid.OnBackColor(1))
            arrFills.push_back(op.rc);
    // Everything fits: the bars are gone and the area is 916 x 416.
    EXPECT_EQ(arrFills, (std::vector<GRIDRECT>{{150, 0, 916, 416}, {0, 60, 150, 416}}));
    grid.GetDrawHints().AddCell(1, 2);
    EXPECT_EQ(Area().HintedPixels(), (GRIDRECT{0, 40, 916, 416}));
    grid.GetDrawHints().Reset();
    grid.GetDrawHints().AddCell(0, 1);
    EXPECT_EQ(Area().HintedPixels(), (GRIDRECT{0, 20, 916, 40})); // overflow widens to the row
}

TEST(GridCellAreaTest, HintsStayBoundedWhileNothingPaints)
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
