// The sheet-tab strip: its paint pass (buttons, slanted tabs with their labels, the highlighted
// tab open towards the sheet, clipping between the buttons and the grip), hit tests, tab
// choices and the notification they raise, scrolling by a tab, the popup and resizing the
// strip by its grip.
#include "GridTestSupport.h"
#include "grid/GridColors.h"
#include "grid/GridInfo.h"
#include "grid/GridKeys.h"
#include "grid/GridSheetTabStrip.h"
#include "support/RecordingGridDC.h"

#include <gtest/gtest.h>

namespace
{
class CTabGrid : public CRecordingGrid
{
public:
    void OnSheetTabClicked(int nId) override { Log("tab " + S(nId)); }
};

class CFakeTabWindow : public IGridTabWindow
{
public:
    int m_nCursor = -1;
    bool m_bCaptured = false;
    void SetCursorKind(int n) override { m_nCursor = n; }
    void Capture() override { m_bCaptured = true; }
    void Release() override { m_bCaptured = false; }
    GRIDPOINT ToScreen(GRIDPOINT pt) const override { return GRIDPOINT{pt.x + 1000, pt.y + 500}; }
};

// The recording DC measures 7 pixels a character; the classic metrics give 16-pixel buttons.
// A strip 300 x 17 has a slant of 8 and its tabs between x = 32 and x = 294.
struct SheetTabFixture : ::testing::Test
{
    CTabGrid grid;
    CFakeChild cells, tabs, hbar;
    CFakeEdit edit;
    CFakeTabWindow wnd;
    CRecordingGridDC dc;
    const GRIDSIZE sz{300, 17};

    void SetUp() override
    {
        grid.AttachChild(GRID_CHILD_CELLS, &cells);
        grid.AttachChild(GRID_CHILD_TABS, &tabs);
        grid.AttachChild(GRID_CHILD_HSCROLL, &hbar);
        grid.AttachEditBox(&edit);
        grid.SetLayoutSize(600, 400);
        grid.SetColCount(4);
        grid.SetRowCount(10);
        grid.Clear();
    }
    CGridSheetTabStrip& Strip() { return grid.GetSheetTabs(); }
    void AddThree()
    {
        Strip().AddTab("Alpha", 10); // 35 + 12 = 47 wide inside its slants
        Strip().AddTab("Beta", 11);
        Strip().AddTab("Gamma", 12);
        Strip().Measure(dc);
        dc.Clear();
    }
    // The fills of one pixel row, in drawing order.
    std::vector<const CRecordingGridDC::OP*> FillsAt(int y, GRIDCOLOR cr) const
    {
        std::vector<const CRecordingGridDC::OP*> arr;
        for (const auto& op : dc.m_ops)
            if (op.nKind == CRecordingGridDC::FILL && op.rc.top == y && op.rc.Height() == 1 && op.crBack == cr)
                arr.push_back(&op);
        return arr;
    }
};
} // namespace

TEST_F(SheetTabFixture, TabsAreLaidOutSideBySideSharingTheirSlants)
{
    AddThree();
    EXPECT_EQ(Strip().GetTabCount(), 3);
    EXPECT_EQ(Strip().GetTab(0).nWidth, 47);
    EXPECT_EQ(Strip().TabArea(sz), (GRIDRECT{32, 0, 294, 17}));
    EXPECT_EQ(Strip().TabRect(0, sz), (GRIDRECT{32, 0, 32 + 47 + 16, 17}));
    // The next tab begins where this one's bottom-right slant begins.
    EXPECT_EQ(Strip().TabRect(1, sz).left, 32 + 47 + 8);
    EXPECT_EQ(Strip().GetCurrentTab(), 0);
}

TEST_F(SheetTabFixture, PaintDrawsEveryLabelInItsTabAndTheCurrentTabLastInTheWindowColour)
{
    AddThree();
    Strip().SetCurrentTab(11);
    Strip().Paint(dc, sz);
    EXPECT_EQ(dc.m_nDepth, 0);
    // The strip's face first, the current tab on top of its neighbours.
    ASSERT_FALSE(dc.m_ops.empty());
    EXPECT_EQ(dc.m_ops[0].rc, (GRIDRECT{0, 0, 300, 17}));
    EXPECT_EQ(dc.m_ops[0].crBack, GridGetSysColor(GRID_COLOR_BTNFACE));
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"Gamma", "Alpha", "Beta"}));
    for (int i = 0; i < 3; ++i)
    {
        const GRIDRECT rcTab = Strip().TabRect(i, sz);
        const auto* pText = dc.FindText(Strip().GetTab(i).strName);
        ASSERT_NE(pText, nullptr);
        EXPECT_EQ(pText->x1, rcTab.left + 8 + 6);
        EXPECT_EQ(pText->y1, (17 - 14) / 2);
        EXPECT_GE(pText->rc.left, rcTab.left + 8);
        EXPECT_LE(pText->rc.right, rcTab.right - 8);
        EXPECT_EQ(pText->crText, GridGetSysColor(GRID_COLOR_WINDOWTEXT));
    }
    // Only the current tab reaches the top row, open towards the sheet, in the window colour.
    const GRIDRECT rcBeta = Strip().TabRect(1, sz);
    const auto arrTop = FillsAt(0, GridGetSysColor(GRID_COLOR_WINDOW));
    ASSERT_EQ(arrTop.size(), 1u);
    EXPECT_EQ(arrTop[0]->rc.left, rcBeta.left + 1);
    EXPECT_EQ(arrTop[0]->rc.right, rcBeta.right - 1);
    // Its rows narrow towards the bottom, where the edge colour closes it.
    const auto arrMid = FillsAt(8, GridGetSysColor(GRID_COLOR_WINDOW));
    ASSERT_EQ(arrMid.size(), 1u);
    EXPECT_EQ(arrMid[0]->rc.left, rcBeta.left + 1 + 4);
    const auto arrBottom = FillsAt(16, GridGetSysColor(GRID_COLOR_BTNSHADOW));
    EXPECT_EQ(arrBottom.size(), 3u);
    // The other tabs are drawn in the face colour below the strip's top line.
    EXPECT_EQ(FillsAt(1, GridGetSysColor(GRID_COLOR_BTNFACE)).size(), 2u);
}

TEST_F(SheetTabFixture, TabsBeyondTheAreaAreClippedAndTheButtonsShowWhichWayTheyScroll)
{
    for (int i = 0; i < 8; ++i)
        Strip().AddTab(("Sheet " + std::to_string(i + 1)).c_str(), i);
    Strip().Paint(dc, sz);
    const GRIDRECT rcArea = Strip().TabArea(sz);
    for (const auto& op : dc.m_ops)
    {
        if (op.nKind == CRecordingGridDC::FILL && op.rc.Height() == 1)
        {
            EXPECT_GE(op.rc.left, rcArea.left);
            EXPECT_LE(op.rc.right, rcArea.right);
        }
        if (op.nKind == CRecordingGridDC::TEXT_CLIPPED)
        {
            EXPECT_LE(op.rc.right, rcArea.right);
        }
    }
    // Labels wholly past the end are not drawn at all.
    EXPECT_EQ(dc.FindText("Sheet 8"), nullptr);
    // Arrows: the left one greyed, the right one black.
    auto arrowLines = [&](int nButtonLeft, GRIDCOLOR cr)
    {
        int n = 0;
        for (const auto& op : dc.m_ops)
            if (op.nKind == CRecordingGridDC::LINE && op.x1 == op.x2 && op.x1 > nButtonLeft + 2 &&
                op.x1 < nButtonLeft + 14 && op.crText == cr)
                ++n;
        return n;
    };
    EXPECT_EQ(arrowLines(0, GridGetSysColor(GRID_COLOR_BTNSHADOW)), 4);
    EXPECT_EQ(arrowLines(16, 0x000000), 4);

    ASSERT_TRUE(Strip().Scroll(1, sz));
    EXPECT_EQ(Strip().TabRect(1, sz).left, rcArea.left);
    dc.Clear();
    Strip().Paint(dc, sz);
    EXPECT_EQ(arrowLines(0, 0x000000), 4);
    EXPECT_EQ(dc.FindText("Sheet 1"), nullptr);
}

TEST_F(SheetTabFixture, ScrollingMovesOneTabAtATimeAndStopsAtBothEnds)
{
    for (int i = 0; i < 8; ++i)
        Strip().AddTab(("Sheet " + std::to_string(i + 1)).c_str(), i);
    Strip().Measure(dc);
    EXPECT_FALSE(Strip().Scroll(-1, sz));
    int nSteps = 0;
    while (Strip().Scroll(1, sz))
        ++nSteps;
    EXPECT_GT(nSteps, 0);
    // At the right end the last tab ends at the area's right edge.
    EXPECT_EQ(Strip().TabRect(7, sz).right, Strip().TabArea(sz).right);
    while (Strip().Scroll(-1, sz))
        --nSteps;
    EXPECT_EQ(nSteps, 0);
    EXPECT_EQ(Strip().GetScroll(), 0);
    // The buttons do the same.
    Strip().OnLeftDown(GRIDPOINT{20, 8}, sz, wnd);
    EXPECT_GT(Strip().GetScroll(), 0);
    Strip().OnLeftDown(GRIDPOINT{4, 8}, sz, wnd);
    EXPECT_EQ(Strip().GetScroll(), 0);
    EXPECT_TRUE(grid.m_log.empty());
}

TEST_F(SheetTabFixture, HitTestsFollowTheSlantedOutlinesWithTheCurrentTabOnTop)
{
    AddThree();
    using S = CGridSheetTabStrip;
    EXPECT_EQ(Strip().HitTest(GRIDPOINT{3, 8}, sz).nKind, S::TABHIT_SCROLLLEFT);
    EXPECT_EQ(Strip().HitTest(GRIDPOINT{20, 8}, sz).nKind, S::TABHIT_SCROLLRIGHT);
    EXPECT_EQ(Strip().HitTest(GRIDPOINT{296, 8}, sz).nKind, S::TABHIT_GRIP);
    EXPECT_EQ(Strip().HitTest(GRIDPOINT{296, 17}, sz).nKind, S::TABHIT_NONE);
    EXPECT_EQ(Strip().HitTest(GRIDPOINT{280, 8}, sz).nKind, S::TABHIT_NONE); // past the last tab
    const GRIDRECT rc0 = Strip().TabRect(0, sz);
    const GRIDRECT rc1 = Strip().TabRect(1, sz);
    EXPECT_EQ(Strip().HitTest(GRIDPOINT{rc0.left + 30, 8}, sz).nTab, 0);
    EXPECT_EQ(Strip().HitTest(GRIDPOINT{rc1.left + 30, 8}, sz).nTab, 1);
    // The bottom-left corner outside the slant belongs to no tab.
    EXPECT_EQ(Strip().HitTest(GRIDPOINT{rc0.left + 1, 16}, sz).nKind, S::TABHIT_NONE);
    // Where two tabs overlap at the top, the current one wins.
    const GRIDPOINT ptShared{rc1.left + 2, 1};
    EXPECT_EQ(Strip().HitTest(ptShared, sz).nTab, 0);
    Strip().SetCurrentTab(11);
    EXPECT_EQ(Strip().HitTest(ptShared, sz).nTab, 1);
}

TEST_F(SheetTabFixture, APressOnATabHighlightsItScrollsItIntoViewAndTellsTheOwner)
{
    for (int i = 0; i < 8; ++i)
        Strip().AddTab(("Sheet " + std::to_string(i + 1)).c_str(), 100 + i);
    Strip().Measure(dc);
    const int nRepaints = tabs.m_nRepaints;
    // The fourth tab shows only in part at the right.
    const GRIDRECT rc3 = Strip().TabRect(3, sz);
    ASSERT_GT(rc3.right, Strip().TabArea(sz).right);
    ASSERT_LT(rc3.left + 20, Strip().TabArea(sz).right);
    Strip().OnLeftDown(GRIDPOINT{rc3.left + 16, 8}, sz, wnd);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"tab 103"}));
    EXPECT_EQ(Strip().GetCurrentTab(), 3);
    EXPECT_GT(tabs.m_nRepaints, nRepaints);
    EXPECT_EQ(Strip().TabRect(3, sz).right, Strip().TabArea(sz).right);
    EXPECT_FALSE(wnd.m_bCaptured);
    // A press between tabs chooses nothing.
    grid.Clear();
    Strip().OnLeftDown(GRIDPOINT{Strip().TabRect(3, sz).left + 1, 16}, sz, wnd);
    EXPECT_TRUE(grid.m_log.empty());
    EXPECT_EQ(Strip().GetCurrentTab(), 3);
}

TEST_F(SheetTabFixture, RightPressOpensThePopupWithTheTabIndexOnlyWhenPopupsAreOn)
{
    AddThree();
    const GRIDRECT rc2 = Strip().TabRect(2, sz);
    Strip().OnRightDown(GRIDPOINT{rc2.left + 20, 8}, sz, wnd);
    EXPECT_TRUE(grid.m_log.empty());
    grid.EnablePopupMenu(1);
    Strip().OnRightDown(GRIDPOINT{rc2.left + 20, 8}, sz, wnd);
    Strip().OnRightDown(GRIDPOINT{280, 8}, sz, wnd);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"popupstart 2,0,7", "popupstart -1,0,7"}));
    ASSERT_EQ(grid.m_arrPopupPoints.size(), 2u);
    EXPECT_EQ(grid.m_arrPopupPoints[0], (GRIDPOINT{rc2.left + 1020, 508}));
}

TEST_F(SheetTabFixture, TabsAreLimitedToSixtyFourWithDistinctIdsAndKeepTheirHighlight)
{
    EXPECT_EQ(Strip().AddTab(nullptr, 1), 2);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(Strip().AddTab("x", i), 0);
    EXPECT_EQ(Strip().AddTab("one too many", 64), 1);
    Strip().RemoveAll();
    EXPECT_EQ(Strip().GetCurrentTab(), -1);
    AddThree();
    EXPECT_EQ(Strip().AddTab("Again", 11), 1);
    Strip().SetCurrentTab(12);
    EXPECT_EQ(Strip().DeleteTab(10), 0);
    EXPECT_EQ(Strip().GetTab(Strip().GetCurrentTab()).nId, 12);
    EXPECT_EQ(Strip().DeleteTab(12), 0);
    EXPECT_EQ(Strip().GetTab(Strip().GetCurrentTab()).nId, 11);
    EXPECT_EQ(Strip().DeleteTab(12), 1);
    EXPECT_EQ(Strip().SetCurrentTab(99), 1);
    // A new name is measured again.
    EXPECT_EQ(Strip().RenameTab(11, "A longer name"), 0);
    EXPECT_FALSE(Strip().IsMeasured());
    Strip().Measure(dc);
    EXPECT_EQ(Strip().GetTab(0).nWidth, 13 * 7 + 12);
}

TEST_F(SheetTabFixture, TheGripResizesTheStripBesideTheHorizontalBar)
{
    AddThree();
    EXPECT_EQ(grid.SetSheetTabWidth(-1), 1);
    ASSERT_EQ(grid.SetSheetTabWidth(300), 0);
    const GRIDRECT rcTabs = grid.GetSheet()->m_rcSections[GRID_RC_TABS];
    EXPECT_EQ(rcTabs.left, 0);
    EXPECT_EQ(rcTabs.right, 300);
    EXPECT_GT(rcTabs.Height(), 0); // the bar's row stays for the tabs although all columns fit
    EXPECT_EQ(hbar.m_rc.left, 300);
    EXPECT_EQ(tabs.m_rc, rcTabs);

    const GRIDSIZE szStrip{300, rcTabs.Height()};
    Strip().OnMouseMove(GRIDPOINT{100, 5}, 0, szStrip, wnd);
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_ARROW);
    Strip().OnMouseMove(GRIDPOINT{297, 5}, 0, szStrip, wnd);
    EXPECT_EQ(wnd.m_nCursor, GRID_CURSOR_SIZEWE);
    grid.Clear();
    Strip().OnLeftDown(GRIDPOINT{297, 5}, szStrip, wnd);
    EXPECT_TRUE(wnd.m_bCaptured);
    EXPECT_TRUE(grid.m_log.empty());
    // The pointer keeps its place on the grip: 40 pixels to the left makes the strip 260 wide.
    Strip().OnMouseMove(GRIDPOINT{257, 5}, GRID_MK_LBUTTON, szStrip, wnd);
    EXPECT_EQ(grid.GetSheet()->m_nTabWidth, 260);
    EXPECT_EQ(tabs.m_rc.right, 260);
    EXPECT_EQ(hbar.m_rc.left, 260);
    // Never narrower than four pixels.
    Strip().OnMouseMove(GRIDPOINT{-50, 5}, GRID_MK_LBUTTON, szStrip, wnd);
    EXPECT_EQ(grid.GetSheet()->m_nTabWidth, 4);
    Strip().OnLeftUp(GRIDPOINT{-50, 5}, wnd);
    EXPECT_FALSE(wnd.m_bCaptured);
    EXPECT_FALSE(Strip().IsSizing());
    // The width goes with the control to another sheet.
    grid.SetSheetCount(2);
    grid.SwitchSheet(1, 1);
    EXPECT_EQ(grid.GetSheet()->m_nTabWidth, 4);
}
