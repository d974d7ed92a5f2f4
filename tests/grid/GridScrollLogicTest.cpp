// The scroll bars' rules: ranges and pages, the 1000-unit scale above 1,000 rows, the
// three-position bar, every scroll code, thumb tips and the bar claiming its room.
#include "GridTestSupport.h"
#include "grid/GridScrollLogic.h"

#include <gtest/gtest.h>

namespace
{
class CFakeBar : public IGridBarWindow
{
public:
    int m_nMin = -1, m_nMax = -1, m_nPage = -1, m_nPos = -1, m_nRanges = 0;
    void SetBarRange(int nMin, int nMax, int nPage) override
    {
        m_nMin = nMin;
        m_nMax = nMax;
        m_nPage = nPage;
        ++m_nRanges;
    }
    void SetBarPos(int nPos) override { m_nPos = nPos; }
};

class CFakeTip : public CFakeChild, public IGridTipWindow
{
public:
    int m_nAlign = 0, m_nStyle = 0, m_x = 0, m_y = 0, m_nMinWidth = 0;
    std::string m_strText;
    bool m_bShown = false;
    int SetHintAlign(int n) override { m_nAlign = n; return 0; }
    int SetHintStyle(int n) override { m_nStyle = n; return 0; }
    int SetHintText(const char* psz, bool) override { m_strText = psz; return 0; }
    int PlaceHint(int x, int y, int w) override { m_x = x; m_y = y; m_nMinWidth = w; return 0; }
    int ShowHint() override { m_bShown = true; return 0; }
    int HideHint() override { m_bShown = false; return 0; }
};

class CTipGrid : public CRecordingGrid
{
public:
    int OnVScrollTip(long nRow, std::string* p) override { *p = "Row " + S(nRow); return 1; }
    int OnHScrollTip(int nCol, std::string* p) override { *p = "Col " + S(nCol); return 1; }
};

struct ScrollFixture : ::testing::Test
{
    CTipGrid grid;
    CFakeChild cells;
    CFakeTip tip;
    CFakeBar bar;
    CGridScrollLogic vert{&grid, true};
    CGridScrollLogic horz{&grid, false};

    void SetUp() override
    {
        grid.AttachChild(GRID_CHILD_CELLS, &cells);
        grid.AttachChild(GRID_CHILD_HINT, &tip);
        // A 300-pixel cell area under a 20-pixel heading, right of a 40-pixel heading.
        grid.SetLayoutSize(456, 320);
        grid.SetColCount(3);
        grid.SetRowCount(128);
        grid.AdjustLayout();
        ASSERT_EQ(grid.GetSheet()->m_nCellAreaHeight, 300);
    }
};
} // namespace

TEST_F(ScrollFixture, VerticalRangeIsThePageAndTheLargestTopRow)
{
    vert.UpdateBar(bar);
    const long n = grid.GetSheet()->m_nMaxTopRow;
    EXPECT_EQ(bar.m_nPage, 15);
    EXPECT_EQ(bar.m_nMin, 0);
    EXPECT_EQ(bar.m_nMax, static_cast<int>(15 + n - 1));
    vert.UpdateBar(bar);
    EXPECT_EQ(bar.m_nRanges, 1); // nothing changed
}

TEST_F(ScrollFixture, AboveAThousandRowsTheBarIsScaledToAThousandUnits)
{
    grid.SetRowCount(100000);
    grid.GetSheet()->m_nMaxTopRow = 5000;
    grid.GetSheet()->m_nTopRow = 2500;
    vert.UpdateBar(bar);
    EXPECT_EQ(bar.m_nMax, 1000);
    EXPECT_EQ(bar.m_nPage, 1);
    EXPECT_EQ(bar.m_nPos, 500);
    // With the default switches dragging the thumb does not scroll; releasing it does.
    vert.OnScroll(GRID_SB_THUMBTRACK, 250, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 2500);
    EXPECT_EQ(vert.Tracked(), 1250);
    vert.OnScroll(GRID_SB_THUMBPOSITION, 250, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 1250);
    EXPECT_TRUE(cells.m_bFocus); // the cell area took the focus first
    // Live tracking scrolls while dragging.
    grid.GetSheet()->m_nVScrollMode = 1;
    vert.OnScroll(GRID_SB_THUMBTRACK, 100, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 500);
}

TEST_F(ScrollFixture, ThreePositionBarKeepsItsThumbInTheMiddle)
{
    grid.GetSheet()->m_nVScrollMode = 2;
    vert.UpdateBar(bar);
    EXPECT_EQ(bar.m_nMin, 0);
    EXPECT_EQ(bar.m_nMax, 2);
    EXPECT_EQ(bar.m_nPage, 0);
    EXPECT_EQ(bar.m_nPos, 1);
    bar.m_nPos = 2; // the user pressed the down arrow
    vert.OnScroll(GRID_SB_LINEDOWN, 2, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 1);
    EXPECT_EQ(bar.m_nPos, 1);
}

TEST_F(ScrollFixture, ScrollCodesStepTheView)
{
    const long nMax = grid.GetSheet()->m_nMaxTopRow;
    vert.OnScroll(GRID_SB_LINEDOWN, 0, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 1);
    vert.OnScroll(GRID_SB_PAGEDOWN, 0, {}, bar); // 300 pixels of 20-pixel rows: 16 rows
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 1 + 16);
    vert.OnScroll(GRID_SB_BOTTOM, 0, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, nMax);
    vert.OnScroll(GRID_SB_PAGEUP, 0, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, nMax - 16);
    vert.OnScroll(GRID_SB_TOP, 0, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
    vert.OnScroll(GRID_SB_LINEUP, 0, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
    vert.OnScroll(GRID_SB_ENDSCROLL, 7, {}, bar);
    EXPECT_EQ(grid.GetSheet()->m_nTopRow, 0);
    EXPECT_EQ(bar.m_nPos, 0);
}

TEST_F(ScrollFixture, ThumbTipsShowTheIndexUnderTheThumb)
{
    grid.GetSheet()->m_bVScrollTips = 1;
    vert.OnScroll(GRID_SB_THUMBTRACK, 40, {100, 77}, bar);
    EXPECT_TRUE(tip.m_bShown);
    EXPECT_EQ(tip.m_strText, "Row 40");
    EXPECT_EQ(tip.m_nAlign, 0x22);
    EXPECT_EQ(tip.m_nStyle, 4);
    EXPECT_EQ(tip.m_x, grid.GetSheet()->m_rcSections[GRID_RC_VSCROLL].left - 1);
    EXPECT_EQ(tip.m_y, 77);
    EXPECT_EQ(tip.m_nMinWidth, 40);
    vert.OnScroll(GRID_SB_THUMBPOSITION, 40, {100, 77}, bar);
    EXPECT_FALSE(tip.m_bShown);

    grid.SetColCount(30);
    grid.AdjustLayout();
    grid.GetSheet()->m_bHScrollTips = 1;
    horz.OnScroll(GRID_SB_THUMBTRACK, 5, {120, 9}, bar);
    EXPECT_EQ(tip.m_strText, "Col 5");
    EXPECT_EQ(tip.m_nAlign, 0x14);
    EXPECT_EQ(tip.m_y, grid.GetSheet()->m_rcSections[GRID_RC_HSCROLL].top - 1);
    EXPECT_EQ(tip.m_nMinWidth, 20);
    EXPECT_EQ(grid.GetSheet()->m_nLeftCol, 0); // no live tracking by default
}

TEST_F(ScrollFixture, HoverTipsNameWhatTheViewShowsWhileTheSheetsTipsAreOn)
{
    std::string str = "stale";
    EXPECT_FALSE(vert.HoverTip(&str));
    EXPECT_EQ(str, "");
    grid.EnableScrollTips(0, 1);
    grid.ScrollToRow(12);
    ASSERT_TRUE(vert.HoverTip(&str));
    EXPECT_EQ(str, "Row 12");
    EXPECT_FALSE(horz.HoverTip(&str));
    grid.EnableScrollTips(1, 0);
    EXPECT_FALSE(vert.HoverTip(&str));
    ASSERT_TRUE(horz.HoverTip(&str));
    EXPECT_EQ(str, "Col 0");
    // An owner that gives no text shows no tip.
    CRecordingGrid plain;
    plain.EnableScrollTips(1, 1);
    CGridScrollLogic plainBar{&plain, true};
    EXPECT_FALSE(plainBar.HoverTip(&str));
}

TEST_F(ScrollFixture, AHiddenHorizontalBarClaimsItsRoomWhenColumnsNoLongerFit)
{
    struct CBarChild : CFakeChild
    {
        CGridScrollLogic* m_pLogic = nullptr;
        CFakeBar* m_pBar = nullptr;
        void UpdatePosition() override { m_pLogic->UpdateBar(*m_pBar); }
    } hbarChild;
    hbarChild.m_pLogic = &horz;
    hbarChild.m_pBar = &bar;
    grid.AttachChild(GRID_CHILD_HSCROLL, &hbarChild);
    grid.AdjustLayout();
    EXPECT_TRUE(grid.GetSheet()->m_rcSections[GRID_RC_HSCROLL].IsEmpty());
    grid.SetColCount(20);
    EXPECT_FALSE(grid.GetSheet()->m_rcSections[GRID_RC_HSCROLL].IsEmpty());
    EXPECT_GT(bar.m_nMax, 0);
    grid.AttachChild(GRID_CHILD_HSCROLL, nullptr);
}
