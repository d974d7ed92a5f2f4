// Counts, sizes, layout, sheets, tables and column moves of the grid core.
#include "GridTestSupport.h"

#include "grid/GridCellType.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

TEST(GridCoreTest, CountsRejectOutOfRangeValuesAndChangeNothing)
{
    CRecordingGrid grid;
    EXPECT_EQ(grid.SetColCount(32001), 1);
    EXPECT_EQ(grid.SetColCount(-1), 1);
    EXPECT_EQ(grid.GetColCount(), 0);
    EXPECT_EQ(grid.SetRowCount(-1), 1);
    EXPECT_EQ(grid.SetSheetCount(0), 1);
    EXPECT_EQ(grid.SetSheetCount(1025), 1);
    EXPECT_EQ(grid.GetSheetCount(), 1);
    EXPECT_EQ(grid.SetDefaultRowHeight(0), 1);
    EXPECT_EQ(grid.SetDefaultRowHeight(1025), 1);
    EXPECT_EQ(grid.SetDefaultRowHeight(1024), 0);
    EXPECT_EQ(grid.SetHighlightMode(4), 1);
    EXPECT_EQ(grid.SetHighlightMode(3), 0);
}

TEST(GridCoreTest, ManyRowsSwitchToUniformHeights)
{
    CRecordingGrid grid;
    grid.SetRowCount(64000);
    EXPECT_EQ(grid.GetSheet()->m_bUniformHeight, 0);
    EXPECT_EQ(grid.GetSheet()->m_arrRowHeights.size(), 64000u);
    grid.SetRowCount(64001);
    EXPECT_EQ(grid.GetSheet()->m_bUniformHeight, 1);
    EXPECT_TRUE(grid.GetSheet()->m_arrRowHeights.empty());
    grid.SetRowHeight(5, 30); // uniform: sets the default height
    EXPECT_EQ(grid.GetRowHeight(100), 30);
}

TEST(GridCoreTest, WidthsAndHeightsOutsideTheGrid)
{
    CRecordingGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetColumnWidth(0), 75);
    EXPECT_EQ(grid.GetColumnWidth(2), 1);
    int nWidth = 0;
    EXPECT_EQ(grid.GetColumnWidth(5, &nWidth), 1);
    EXPECT_EQ(grid.GetRowHeight(3), 0);
    EXPECT_EQ(grid.SetColumnWidth(1, 50), 0);
    EXPECT_EQ(grid.GetColumnWidth(1), 50);
    EXPECT_EQ(grid.SetColumnWidth(-1, 33), 1); // a heading column: sets its width
    EXPECT_EQ(grid.GetSheet()->m_arrHeadingCols[0], 33);
    EXPECT_EQ(grid.GetSheet()->m_nRowHeadingWidth, 33);
    // Rows kept their height when the count grows.
    grid.SetRowHeight(1, 44);
    grid.SetRowCount(10);
    EXPECT_EQ(grid.GetRowHeight(1), 44);
    EXPECT_EQ(grid.GetRowHeight(9), 20);
}

TEST(GridCoreTest, HeadingHeightRescalesHeadingRows)
{
    CRecordingGrid grid;
    EXPECT_EQ(grid.SetColHeadingHeight(40), 0);
    EXPECT_EQ(grid.GetSheet()->m_arrHeadingRows, (std::vector<int>{40}));
    grid.GetSheet()->m_arrHeadingRows = {10, 10};
    grid.SetColHeadingHeight(40);
    EXPECT_EQ(grid.GetSheet()->m_arrHeadingRows, (std::vector<int>{20, 20}));
    EXPECT_EQ(grid.SetColHeadingHeight(0), 0); // hides the column heading
    EXPECT_EQ(grid.SetColHeadingHeight(1025), 1);
    EXPECT_EQ(grid.SetColHeadingRowHeight(0, 5), 1);
    EXPECT_EQ(grid.SetColHeadingRowHeight(-3, 5), 1);
    EXPECT_EQ(grid.SetColHeadingRowHeight(-2, 2000), 2);
    EXPECT_EQ(grid.SetColHeadingRowHeight(-2, 7), 0);
    EXPECT_EQ(grid.GetSheet()->m_arrHeadingRows[1], 7);
}

TEST(GridCoreTest, StretchRejectsBadRangesAndFillsTheArea)
{
    CRecordingGrid grid;
    grid.SetLayoutSize(40 + 300, 20 + 100);
    grid.SetColCount(2);
    grid.AdjustLayout();
    EXPECT_EQ(grid.StretchColsToWindow(0, 3), 1);
    EXPECT_EQ(grid.GetColumnWidth(0), 75);
    grid.SetColumnWidth(1, 25);
    EXPECT_EQ(grid.StretchColsToWindow(0, 1), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 225);
    EXPECT_EQ(grid.GetColumnWidth(1), 75);
}

TEST(GridCoreTest, LayoutHidesBarsWhenEverythingFits)
{
    CRecordingGrid grid;
    grid.SetLayoutSize(400, 200);
    grid.SetColCount(2);  // 150 of 360
    grid.SetRowCount(3);  // 60 of 180
    grid.AdjustLayout();
    const GRIDRECT* rc = grid.GetSheet()->m_rcSections;
    EXPECT_EQ(rc[GRID_RC_CELLS], (GRIDRECT{40, 20, 400, 200}));
    EXPECT_TRUE(rc[GRID_RC_VSCROLL].IsEmpty());
    EXPECT_TRUE(rc[GRID_RC_HSCROLL].IsEmpty());
    EXPECT_EQ(grid.GetSheet()->m_nVScrollWidth, 16); // restored for the next layout

    // Sheet tabs keep the horizontal bar's row.
    grid.GetSheet()->m_nTabWidth = 100;
    grid.AdjustLayout();
    EXPECT_EQ(rc[GRID_RC_HSCROLL], (GRIDRECT{100, 184, 400, 200}));
    EXPECT_EQ(rc[GRID_RC_TABS], (GRIDRECT{0, 184, 100, 200}));
    grid.GetSheet()->m_nTabWidth = 0;

    // Rows adding up exactly to the available height keep the vertical bar.
    grid.SetRowCount(9);
    grid.AdjustLayout();
    // (the columns still fit beside the bar, so the horizontal bar goes)
    EXPECT_EQ(rc[GRID_RC_VSCROLL], (GRIDRECT{384, 0, 400, 200}));
    EXPECT_TRUE(rc[GRID_RC_HSCROLL].IsEmpty());
    EXPECT_EQ(rc[GRID_RC_CELLS], (GRIDRECT{40, 20, 384, 200}));
    EXPECT_EQ(rc[GRID_RC_COLHEADING], (GRIDRECT{40, 0, 384, 20}));
    EXPECT_EQ(rc[GRID_RC_ROWHEADING], (GRIDRECT{0, 20, 40, 200}));
    EXPECT_EQ(rc[GRID_RC_CORNER], (GRIDRECT{0, 0, 40, 20}));
    ASSERT_EQ(grid.m_layoutRects.size(), 7u);
    EXPECT_EQ(grid.m_layoutRects[0], rc[GRID_RC_CELLS]);
}

TEST(GridCoreTest, LayoutPlacesTheChildren)
{
    CRecordingGrid grid;
    CFakeChild children[GRID_CHILD_COUNT];
    for (int i = 0; i < GRID_CHILD_COUNT; ++i)
        grid.AttachChild(i, &children[i]);
    grid.SetLayoutSize(300, 200);
    grid.SetColCount(10);
    grid.SetRowCount(100);
    grid.AdjustLayout();
    EXPECT_EQ(children[GRID_CHILD_CELLS].m_rc, (GRIDRECT{40, 20, 284, 184}));
    EXPECT_EQ(children[GRID_CHILD_VSCROLL].m_rc, (GRIDRECT{284, 0, 300, 184}));
    EXPECT_EQ(children[GRID_CHILD_HSCROLL].m_rc, (GRIDRECT{0, 184, 284, 200}));
    EXPECT_TRUE(children[GRID_CHILD_CELLS].m_bFocus);
    EXPECT_EQ(grid.GetSheet()->m_nMaxTopRow, 92);
}

TEST(GridCoreTest, SheetsAreCreatedNotifiedAndSwitched)
{
    CRecordingGrid grid;
    CFakeChild cells, hint;
    grid.AttachChild(GRID_CHILD_CELLS, &cells);
    grid.AttachChild(GRID_CHILD_HINT, &hint);
    grid.GetSheet()->m_nTabWidth = 80;
    grid.SetColCount(4);
    grid.Clear();
    EXPECT_EQ(grid.SetSheetCount(3), 0);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"sheet 1", "sheet 2"}));
    EXPECT_EQ(grid.GetCurrentSheet(), 0);
    EXPECT_EQ(grid.SwitchSheet(3, 1), 1);
    EXPECT_EQ(grid.SwitchSheet(2, 1), 0);
    EXPECT_EQ(grid.GetColCount(), 0);
    EXPECT_EQ(cells.m_pInfo, grid.GetSheet());
    EXPECT_EQ(hint.m_pInfo, nullptr); // the tip window keeps only the control
    EXPECT_EQ(grid.GetSheet()->m_nTabWidth, 80);
    EXPECT_EQ(grid.SetSheetCount(1), 0); // the current sheet goes: the last one left becomes current
    EXPECT_EQ(grid.GetCurrentSheet(), 0);
    EXPECT_EQ(grid.GetColCount(), 4);
    EXPECT_EQ(cells.m_pInfo, grid.GetSheet());
}

TEST(GridCoreTest, FontsAreSharedByDescriptionAndFace)
{
    CRecordingGrid grid;
    const int a = grid.RegisterFont("Arial", 14, 400);
    const int b = grid.RegisterFont("Arial", 14, 400);
    const int c = grid.RegisterFont("Arial", 14, 700);
    const int d = grid.RegisterFont(std::string(40, 'x').c_str(), 14, 400);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(grid.GetFontRefCount(a), 2);
    EXPECT_EQ(grid.GetGridFont(d)->GetFaceName(), "");
    EXPECT_EQ(grid.SetDefaultFont(99), 1);
    EXPECT_EQ(grid.SetDefaultFont(c), 0);
    EXPECT_EQ(grid.GetSheet()->m_pDefaultFont, grid.GetGridFont(c));
}

TEST(GridCoreTest, BuiltinCellTypesAndRegistration)
{
    CRecordingGrid grid;
    EXPECT_STREQ(grid.GetCellType(0)->GetName(), "Normal Cell Type (default)");
    EXPECT_STREQ(grid.GetCellType(1)->GetName(), "Standard DropList");
    EXPECT_STREQ(grid.GetCellType(2)->GetName(), "Standard CheckBox Type");
    EXPECT_STREQ(grid.GetCellType(3)->GetName(), "Normal Cell Type (default)");
    EXPECT_EQ(grid.GetCellType(2)->m_bEditable, 0);
    CGridCellType mine;
    EXPECT_EQ(grid.RegisterCellType(&mine), 4);
    EXPECT_EQ(mine.m_nTypeIndex, 4);
    EXPECT_EQ(mine.m_pGrid, &grid);
    EXPECT_EQ(grid.RegisterCellType(nullptr), -1);
    CGridCell cell;
    cell.SetCellType(77); // unregistered: the normal type
    EXPECT_EQ(grid.GetCellTypeOf(cell), grid.GetCellType(0));

    CGridMemStore s1, s2;
    EXPECT_EQ(grid.RegisterDataSource(&s1), 1);
    EXPECT_EQ(grid.RegisterDataSource(&s2), 2);
    EXPECT_EQ(s2.GetSourceIndex(), 2);
    EXPECT_EQ(grid.RegisterDataSource(nullptr), 1);
}

TEST(GridCoreTest, MoveColumnReordersDisplayNotData)
{
    CRecordingGrid grid;
    grid.SetColCount(4);
    for (int c = 0; c < 4; ++c)
        grid.SetCellText(c, 0, std::to_string(c).c_str());
    grid.SetRowCount(1);
    grid.SetColumnWidth(0, 10);
    EXPECT_EQ(grid.MoveColumn(0, 2, 1), 0); // before column 2
    std::string s;
    std::string strOrder;
    for (int c = 0; c < 4; ++c)
    {
        grid.GetCellText(c, 0, &s);
        strOrder += s;
    }
    EXPECT_EQ(strOrder, "1023");
    EXPECT_EQ(grid.GetColumnWidth(1), 10);
    EXPECT_EQ(grid.MoveColumn(3, 3, 0), 0); // after itself: nothing moves
    EXPECT_EQ(grid.MoveColumn(4, 0, 1), 1);
    EXPECT_EQ(grid.MoveColumn(0, 4, 1), 0);  // insertion point 4 = the end
    EXPECT_EQ(grid.MoveColumn(0, 4, 0), 1);  // insertion point 5 is outside
    EXPECT_EQ(grid.GetSheet()->m_arrCols[3].nSourceIndex, 1);
}

TEST(GridCoreTest, PasteSplitsFieldsAtTabsAndLineEnds)
{
    CRecordingGrid grid;
    grid.SetColCount(5);
    grid.SetRowCount(5);
    grid.SetCurrentCell(1, 1);
    grid.SetSelectionMode(1);
    grid.PasteText("a\tb\r\nc\t\td\n");
    std::string s;
    grid.GetCellText(1, 1, &s);
    EXPECT_EQ(s, "a");
    grid.GetCellText(2, 1, &s);
    EXPECT_EQ(s, "b");
    grid.GetCellText(1, 2, &s);
    EXPECT_EQ(s, "c");
    CGridCell cell;
    EXPECT_EQ(grid.GetCell(2, 2, &cell), 0); // an empty field stores ""
    EXPECT_STREQ(cell.GetText(), "");
    grid.GetCellText(3, 2, &s);
    EXPECT_EQ(s, "d");
    EXPECT_EQ(grid.GetCell(1, 3, &cell), 1);
    EXPECT_EQ(grid.GetSheet()->m_pMultiSelect->IsSelected(3, 2), 1);
}

TEST(GridCoreTest, PopupNeedsTheSwitchAndTheOwner)
{
    CRecordingGrid grid;
    GRIDPOINT pt{5, 5};
    EXPECT_EQ(grid.StartPopupMenu(1, 1, &pt, 1), 1); // switched off
    grid.EnablePopupMenu(1);
    grid.m_bAllowPopup = 0;
    EXPECT_EQ(grid.StartPopupMenu(1, 1, &pt, 1), 2); // the owner refuses
    grid.m_bAllowPopup = 1;
    grid.m_nTrackResult = 0;
    EXPECT_EQ(grid.StartPopupMenu(1, 1, &pt, 1), 3); // the menu failed
    grid.m_nTrackResult = 1;
    EXPECT_EQ(grid.StartPopupMenu(1, 2, &pt, 1), 0);
    EXPECT_EQ(grid.m_arrPopupPoints.size(), 2u);
    grid.Clear();
    grid.OnPopupMenuCommand(999);
    grid.OnPopupMenuCommand(1001);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"popup 1,2,1,1001"}));
}

TEST(GridCoreTest, FindHandlerMovesToTheMatchOrSaysNotFound)
{
    CRecordingGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(10);
    grid.SetCellText(0, 4, "Needle");
    grid.SetCellText(0, 7, "needle");
    EXPECT_EQ(grid.HandleFindRequest(GRID_FR_DOWN, "needle", ""), 0); // no dialog: nothing
    grid.SetFindDialog(true);
    EXPECT_EQ(grid.HandleFindRequest(GRID_FR_DOWN, "needle", ""), 1);
    EXPECT_EQ(grid.CurrentRow(), 4);
    EXPECT_EQ(grid.HandleFindRequest(GRID_FR_DOWN | GRID_FR_MATCHCASE | GRID_FR_REPLACEALL, "needle", "pin"), 1);
    std::string s;
    grid.GetCellText(0, 7, &s);
    EXPECT_EQ(s, "pin");
    grid.GetCellText(0, 4, &s);
    EXPECT_EQ(s, "Needle");

    CMessageRecorder recorder;
    EXPECT_EQ(grid.HandleFindRequest(GRID_FR_DOWN | GRID_FR_MATCHCASE, "absent", ""), 0);
    ASSERT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_EQ(recorder.m_messages[0].text, "Item not found");
    EXPECT_EQ(recorder.m_messages[0].caption, "Not Found");
}

TEST(GridCoreTest, HitTestAndCellBoundsFollowTheScrolledView)
{
    CRecordingGrid grid;
    grid.SetLayoutSize(40 + 300 + 16, 20 + 100 + 16);
    grid.SetColCount(10);
    grid.SetRowCount(50);
    grid.AdjustLayout();
    int nCol = 0;
    long nRow = 0;
    GRIDRECT rc;
    ASSERT_EQ(grid.CellFromPoint(80, 45, &nCol, &nRow, &rc), 0);
    EXPECT_EQ(nCol, 1);
    EXPECT_EQ(nRow, 2);
    EXPECT_EQ(rc, (GRIDRECT{75, 40, 150, 60}));
    EXPECT_EQ(grid.CellFromPoint(-1, 5, &nCol, &nRow), 1);
    EXPECT_EQ(grid.CellFromPoint(5, 101, &nCol, &nRow), 1);
    grid.ScrollToRow(10);
    grid.ScrollToCol(2);
    ASSERT_EQ(grid.CellFromPoint(0, 0, &nCol, &nRow), 0);
    EXPECT_EQ(nCol, 2);
    EXPECT_EQ(nRow, 10);
    grid.GetCellBounds(3, 11, &rc);
    EXPECT_EQ(rc, (GRIDRECT{75, 20, 150, 40}));
    grid.GetCellBounds(0, 0, &rc); // left of and above the view: left and top stay 0
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
}

TEST(GridCoreTest, AutoFitColsTakesTheWidestMeasuredCell)
{
    CRecordingGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(5);
    grid.SetCellText(1, 0, "abc");
    grid.SetCellText(1, 3, "abcdefghij"); // 10 characters of 7 pixels + 6
    grid.SetCellText(1, -1, "x");
    EXPECT_EQ(grid.AutoFitCols(-2, 1, 0, 0), 1);
    EXPECT_EQ(grid.AutoFitCols(0, 3, 0, 0), 2);
    EXPECT_EQ(grid.AutoFitCols(2, 1, 0, 0), 3);
    EXPECT_EQ(grid.AutoFitCols(1, 2, 0, 1), 0);
    EXPECT_EQ(grid.GetColumnWidth(1), 76);
    EXPECT_EQ(grid.GetColumnWidth(2), 9); // nothing to measure: the empty cell's size
    EXPECT_EQ(grid.AutoFitCols(1, 1, 2, 0), 0); // only the first two rows
    EXPECT_EQ(grid.GetColumnWidth(1), 27);
}

TEST(GridCoreTest, ShrinkingTheRowCountClampsTheCurrentRow)
{
    CRecordingGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(20);
    grid.SetCurrentRow(15);
    grid.SetRowCount(10);
    EXPECT_EQ(grid.CurrentRow(), 9);
    grid.SetColCount(1);
    grid.SetCurrentCol(5);
    EXPECT_EQ(grid.CurrentCol(), 0);
    grid.SetColCount(0);
    EXPECT_EQ(grid.CurrentCol(), -1);
}

TEST(GridCoreTest, RowHeadingWidthRescalesHeadingColumns)
{
    CRecordingGrid grid;
    grid.GetSheet()->m_arrHeadingCols = {10, 30};
    EXPECT_EQ(grid.SetRowHeadingWidth(80), 0);
    EXPECT_EQ(grid.GetSheet()->m_arrHeadingCols, (std::vector<int>{20, 60}));
    EXPECT_EQ(grid.SetRowHeadingColWidth(-2, 5), 0); // two heading columns: the total stays
    EXPECT_EQ(grid.GetSheet()->m_nRowHeadingWidth, 80);
    EXPECT_EQ(grid.SetRowHeadingWidth(-1), 1);
}
