// The cell area's input: the key table and its acceleration, the wheel, clicks and their
// notifications, drag selection with auto-scroll, multi-selection and cell tips.
#include "GridAreaSupport.h"

#include "grid/GridCheckBoxType.h"

#include <gtest/gtest.h>

namespace
{
class CClickGrid : public CRecordingGrid
{
  public:
    std::vector<std::string> m_clicks;
    std::string m_strTip;
    void OnCellLeftClick(int nCol, long nRow, int bDown, GRIDRECT*, GRIDPOINT*, int nProcessed) override
    {
        m_clicks.push_back("left " + std::to_string(nCol) + "," + std::to_string(nRow) +
                           (bDown ? " down" : " up") + (nProcessed ? " processed" : ""));
    }
    void OnCellRightClick(int nCol, long nRow, int bDown, GRIDRECT*, GRIDPOINT*, int) override
    {
        m_clicks.push_back("right " + std::to_string(nCol) + "," + std::to_string(nRow) +
                           (bDown ? " down" : " up"));
    }
    int OnTipText(int nCol, long nRow, int nSection, std::string* pstr) override
    {
        if (m_strTip.empty())
            return CRecordingGrid::OnTipText(nCol, nRow, nSection, pstr);
        *pstr = m_strTip;
        return 1;
    }
};

// 10 columns of 75 and rows of 20 in a 450 x 200 cell area.
struct InputFixture : ::testing::Test
{
    CClickGrid grid;
    CRecordingAreaWindow wnd{&grid};

    void SetUp() override
    {
        grid.AttachChild(GRID_CHILD_CELLS, &wnd);
        grid.SetLayoutSize(40 + 450 + 16, 20 + 200 + 16);
        grid.SetColCount(10);
        grid.SetRowCount(100);
        grid.AdjustLayout();
        ASSERT_EQ(grid.GetSheet()->m_nCellAreaHeight, 200);
        wnd.PaintAll();
        grid.Clear();
    }
    CGridCellArea& Area() { return wnd.m_area; }
    int Key(unsigned nKey, unsigned nFlags = 0) { return Area().OnKeyDown(nKey, nFlags, wnd); }
    GRIDPOINT CellPoint(int nCol, long nRow) const
    {
        const CGridInfo& s = *grid.GetSheet();
        return GRIDPOINT{(nCol - s.m_nLeftCol) * 75 + 10, static_cast<int>(nRow - s.m_nTopRow) * 20 + 5};
    }
};
} // namespace

TEST_F(InputFixture, KeyTableMovesTheCurrentCell)
{
    grid.SetCurrentCell(4, 10);
    Key(GRID_VK_HOME);
    EXPECT_EQ(grid.CurrentCol(), 0);
    EXPECT_EQ(grid.CurrentRow(), 10);
    Key(GRID_VK_END);
    EXPECT_EQ(grid.CurrentCol(), 9);
    Key(GRID_VK_HOME, GRID_MK_CONTROL);
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(grid.CurrentCol(), 9);
    Key(GRID_VK_END, GRID_MK_CONTROL);
    EXPECT_EQ(grid.CurrentRow(), 99);
    Key(GRID_VK_PRIOR);
    EXPECT_EQ(grid.CurrentRow(), 99 - 11); // a 200-pixel page of 20-pixel rows
    Key(GRID_VK_LEFT);
    Key(GRID_VK_UP);
    EXPECT_EQ(grid.CurrentCol(), 8);
    EXPECT_EQ(grid.CurrentRow(), 87);
    EXPECT_EQ(Key(GRID_VK_F2), 0); // no action: the window passes it on
    EXPECT_EQ(Key(GRID_VK_TAB), 0);
}

TEST_F(InputFixture, HeldArrowKeysAccelerateAndAReleaseStartsAgain)
{
    grid.SetKeyAcceleration(4, 0);
    std::vector<long> steps;
    long nLast = grid.CurrentRow();
    for (int i = 0; i < 15; ++i)
    {
        Key(GRID_VK_DOWN);
        steps.push_back(grid.CurrentRow() - nLast);
        nLast = grid.CurrentRow();
    }
    EXPECT_EQ(steps, (std::vector<long>{1, 1, 1, 2, 2, 2, 2, 9, 9, 9, 9, 28, 24, 0, 0})); // clamped at row 99
    Area().OnKeyUp();
    grid.SetCurrentRow(0);
    Key(GRID_VK_DOWN);
    EXPECT_EQ(grid.CurrentRow(), 1);
    // The delay is waited between the first slow repeats only.
    grid.SetKeyAcceleration(4, 30);
    Area().OnKeyUp();
    Key(GRID_VK_DOWN);
    Key(GRID_VK_DOWN);
    Key(GRID_VK_DOWN);
    Key(GRID_VK_DOWN);
    EXPECT_EQ(wnd.m_nSlept, 60);
}

TEST_F(InputFixture, WheelScrollsThreeRowsPerNotch)
{
    grid.ScrollToRow(10);
    Area().OnWheel(120);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 7);
    Area().OnWheel(60);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 7);
    Area().OnWheel(-240);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 13);
    Area().OnWheel(120 * 10);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
}

TEST_F(InputFixture, ClicksMoveThroughTheCellTypeThenNotify)
{
    const GRIDPOINT pt = CellPoint(3, 4);
    EXPECT_TRUE(Area().OnLeftDown(pt, GRID_MK_LBUTTON));
    EXPECT_EQ(grid.CurrentCol(), 3);
    EXPECT_EQ(grid.CurrentRow(), 4);
    Area().OnLeftUp(pt, 0);
    EXPECT_EQ(grid.m_clicks, (std::vector<std::string>{"left 3,4 down", "left 3,4 up"}));
    EXPECT_EQ(grid.GetSelInputKind(), GRID_SEL_KEYS);
    // Below the last row: no cell, no move.
    grid.SetRowCount(5);
    grid.m_clicks.clear();
    Area().OnLeftDown(GRIDPOINT{10, 150}, GRID_MK_LBUTTON);
    EXPECT_EQ(grid.m_clicks, (std::vector<std::string>{"left -1,-1 down"}));
    EXPECT_EQ(grid.CurrentRow(), 4);
    // While editing presses are ignored.
    CFakeEdit edit;
    grid.AttachEditBox(&edit);
    grid.BeginEdit(0, 0, 0);
    grid.m_clicks.clear();
    EXPECT_FALSE(Area().OnLeftDown(CellPoint(2, 2), GRID_MK_LBUTTON));
    EXPECT_TRUE(grid.m_clicks.empty());
}

TEST_F(InputFixture, CheckBoxTogglesOnAClickAndCapturesTheMouse)
{
    CGridCell cell;
    cell.SetCellType(2);
    grid.SetCell(1, 1, &cell);
    const GRIDPOINT box{75 + 6, 20 + 10}; // 20-pixel row: 12-pixel box at (3, 4) of the cell
    Area().OnLeftDown(box, GRID_MK_LBUTTON);
    EXPECT_FALSE(Area().IsCellCaptured()); // the check box takes only the release
    Area().OnLeftUp(box, 0);
    CGridCell stored;
    grid.GetCell(1, 1, &stored);
    EXPECT_EQ(stored.GetNumber(), 1);
    EXPECT_EQ(grid.m_clicks.back(), "left 1,1 up processed");
}

TEST_F(InputFixture, RightPressMovesAndOpensThePopupAtTheScreenPoint)
{
    grid.EnablePopupMenu(1);
    const GRIDPOINT pt = CellPoint(2, 3);
    Area().OnRightDown(pt, GRID_MK_RBUTTON, wnd);
    EXPECT_EQ(grid.CurrentCol(), 2);
    EXPECT_EQ(grid.m_clicks, (std::vector<std::string>{"right 2,3 down"}));
    EXPECT_EQ(grid.m_log.back(), "popupstart 2,3,1");
    ASSERT_EQ(grid.m_arrPopupPoints.size(), 1u);
    EXPECT_EQ(grid.m_arrPopupPoints[0], wnd.ToScreen(pt));
}

TEST_F(InputFixture, DragExtendsTheBlockAndScrollsBeyondTheEdge)
{
    grid.SetSelectionMode(1);
    Area().OnLeftDown(CellPoint(1, 1), GRID_MK_LBUTTON);
    EXPECT_EQ(Area().OnMouseMove(CellPoint(3, 4), GRID_MK_LBUTTON), 0);
    CGridMultiSelect& sel = *grid.GetSheet()->m_pMultiSelect;
    EXPECT_EQ(sel.IsSelected(2, 3), 1);
    EXPECT_EQ(grid.CurrentCol(), 1); // the anchor stays notified
    EXPECT_EQ(grid.GetSheet()->m_nCurrentRow, 4);
    // Below the area without an exponent: one row per step, at the display's pace, no delay.
    const int nDelay = Area().OnMouseMove(GRIDPOINT{100, 230}, GRID_MK_LBUTTON);
    EXPECT_EQ(nDelay, CGridCellArea::MIN_DRAG_INTERVAL);
    EXPECT_EQ(grid.GetSheet()->m_nCurrentRow, 5);
    Area().DragStep(GRIDPOINT{100, 230}, GRID_MK_LBUTTON);
    EXPECT_EQ(grid.GetSheet()->m_nCurrentRow, 6);
    EXPECT_EQ(sel.IsSelected(1, 6), 1);
    // With an exponent the step grows with the distance; single steps wait the delay.
    grid.SetDragScroll(2, 100);
    EXPECT_EQ(Area().DragStep(GRIDPOINT{100, 200 + 5}, GRID_MK_LBUTTON), 100);
    EXPECT_EQ(grid.GetSheet()->m_nCurrentRow, 7);
    Area().DragStep(GRIDPOINT{100, 200 + 45}, GRID_MK_LBUTTON); // 45 / 20 + 1 = 3, squared
    EXPECT_EQ(grid.GetSheet()->m_nCurrentRow, 16);
    Area().OnLeftUp(CellPoint(1, 1), 0);
    EXPECT_EQ(Area().DragStep(GRIDPOINT{100, 245}, 0), 0); // no button, no step
}

TEST_F(InputFixture, PlainClickClearsTwoBlocksAndRepaintsEverything)
{
    grid.SetSelectionMode(1);
    Area().OnLeftDown(CellPoint(1, 1), GRID_MK_LBUTTON);
    Area().OnMouseMove(CellPoint(2, 2), GRID_MK_LBUTTON);
    Area().OnLeftUp(CellPoint(2, 2), 0);
    Area().OnLeftDown(CellPoint(4, 4), GRID_MK_LBUTTON | GRID_MK_CONTROL);
    Area().OnMouseMove(CellPoint(5, 5), GRID_MK_LBUTTON | GRID_MK_CONTROL);
    Area().OnLeftUp(CellPoint(5, 5), 0);
    CGridMultiSelect& sel = *grid.GetSheet()->m_pMultiSelect;
    ASSERT_EQ(sel.GetBlockCount(), 2);
    wnd.ResetCounts();
    Area().OnLeftDown(CellPoint(3, 8), GRID_MK_LBUTTON);
    EXPECT_EQ(sel.GetBlockCount(), 1);
    EXPECT_EQ(sel.IsSelected(3, 8), 1);
    EXPECT_EQ(sel.IsSelected(1, 1), 0);
    EXPECT_GE(wnd.m_nRepaints, 1);
}

TEST_F(InputFixture, ShiftKeysExtendAndWholeRowsSelectRows)
{
    grid.SetSelectionMode(1, CGridMultiSelect::MODE_WHOLEROWS);
    Key(GRID_VK_DOWN);
    Key(GRID_VK_DOWN, GRID_MK_SHIFT);
    Key(GRID_VK_DOWN, GRID_MK_SHIFT);
    CGridMultiSelect& sel = *grid.GetSheet()->m_pMultiSelect;
    EXPECT_EQ(sel.IsSelected(9, 1), 1);
    EXPECT_EQ(sel.IsSelected(0, 3), 1);
    EXPECT_EQ(sel.IsSelected(0, 4), 0);
    EXPECT_EQ(grid.CurrentRow(), 1);
}

TEST_F(InputFixture, TipsAreAskedPerCellAndCutTo79Characters)
{
    std::string s;
    EXPECT_EQ(Area().GetTipText(GRIDPOINT{10, 5}, &s), 0); // a new cell: the old tip goes
    EXPECT_EQ(Area().GetTipText(GRIDPOINT{12, 6}, &s), 1);
    EXPECT_EQ(s, "Col:0 Row:0");
    grid.m_strTip = std::string(100, 'x');
    EXPECT_EQ(Area().GetTipText(GRIDPOINT{12, 6}, &s), 1);
    EXPECT_EQ(s.size(), 79u);
    grid.SetRowCount(2);
    EXPECT_EQ(Area().GetTipText(GRIDPOINT{12, 150}, &s), -1);
}

TEST_F(InputFixture, FocusRedrawsTheNotifiedCellAndTellsTheOwner)
{
    wnd.ResetCounts();
    wnd.m_bFocus = true;
    Area().OnSetFocus();
    EXPECT_TRUE(Area().HasFocus());
    EXPECT_EQ(Area().m_nCellsDrawn, 1);
    EXPECT_EQ(wnd.m_dc.Count(CRecordingGridDC::FOCUS), 1);
    wnd.ResetCounts();
    wnd.m_bFocus = false;
    Area().OnKillFocus();
    EXPECT_EQ(wnd.m_dc.Count(CRecordingGridDC::FOCUS), 0);
}
