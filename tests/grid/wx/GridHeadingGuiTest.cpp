// The column heading under a real display: the sizing cursor near a border, dragging a border
// past the column's left edge, and a double click on a border fitting the column.
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridHeadingWnd.h"
#include "grid/GridInfo.h"
#include "support/gui/GridFrameFixture.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace
{
struct GridHeadingGuiTest : CGridFrameFixture
{
    void SetUp() override { MakeGrid("grid heading", wxSize(700, 500), 6, 50); }
    CGridHeadingWnd* Top() const { return dynamic_cast<CGridHeadingWnd*>(pGrid->GetChild(GRID_CHILD_COLHEADING)); }
    // A point of the column heading, x from the right edge of column nCol.
    wxPoint AtBorder(int nCol, int dx) const
    {
        int x = 0;
        for (int c = 0; c <= nCol; ++c)
            x += pGrid->GetColumnWidth(c);
        return Top()->ClientToScreen(wxPoint(x + dx, 8));
    }
};
} // namespace

TEST_F(GridHeadingGuiTest, TheSizingCursorShowsWithinTwoPixelsOfABorder)
{
    MoveTo(AtBorder(1, -10));
    MoveTo(AtBorder(1, -2));
    EXPECT_TRUE(Top()->GetInput().InZone());
    EXPECT_EQ(Top()->GetInput().GetCursor(), GRID_CURSOR_SIZEWE);
    MoveTo(AtBorder(1, -3));
    EXPECT_FALSE(Top()->GetInput().InZone());
    EXPECT_EQ(Top()->GetInput().GetCursor(), GRID_CURSOR_ARROW);
}

TEST_F(GridHeadingGuiTest, DraggingABorderPastTheLeftEdgeGivesWidthZero)
{
    MoveTo(AtBorder(2, -1));
    ASSERT_TRUE(Top()->GetInput().InZone());
    sim.MouseDown();
    Pump();
    MoveTo(AtBorder(2, -40));
    EXPECT_EQ(pGrid->GetColumnWidth(2), 75 - 39);
    MoveTo(AtBorder(0, -20)); // left of column 2's left edge
    sim.MouseUp();
    Pump();
    EXPECT_EQ(pGrid->GetColumnWidth(2), 0);
    EXPECT_FALSE(Top()->GetInput().IsCaptured());
    EXPECT_EQ(pGrid->GetColumnWidth(1), 75);
}

TEST_F(GridHeadingGuiTest, ADoubleClickOnABorderFitsTheColumn)
{
    pGrid->SetCellText(1, 3, "a rather long text that needs room");
    MoveTo(AtBorder(1, -1));
    ASSERT_TRUE(Top()->GetInput().InZone());
    sim.MouseDblClick();
    Pump();
    EXPECT_GT(pGrid->GetColumnWidth(1), 150);
    EXPECT_EQ(pGrid->GetColumnWidth(0), 75);
}

TEST_F(GridHeadingGuiTest, DraggingAHeadingMovesTheColumnWhenEnabled)
{
    pGrid->GetSheet()->m_bColMove = 1;
    pGrid->SetCellText(0, 0, "moved");
    MoveTo(AtBorder(0, -40));
    sim.MouseDown();
    Pump();
    MoveTo(AtBorder(1, -30));
    MoveTo(AtBorder(2, -10)); // right half of column 2
    EXPECT_EQ(Top()->GetInput().HighlightedCol(), 0);
    sim.MouseUp();
    Pump();
    std::string s;
    pGrid->GetCellText(2, 0, &s);
    EXPECT_EQ(s, "moved");
    EXPECT_EQ(Top()->GetInput().HighlightedCol(), -1);
}
