// The scroll bars under a real display: dragging the vertical thumb of a 5,000-row sheet
// scrolls only when it is released, and the horizontal bar appears as soon as the columns no
// longer fit.
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridScrollBar.h"
#include "support/gui/GridFrameFixture.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace
{
struct GridScrollBarGuiTest : CGridFrameFixture
{
    void SetUp() override { MakeGrid("grid bars", wxSize(600, 400), 3, 5000, wxSize(500, 350)); }
    wxWindow* Child(int nSlot) const { return dynamic_cast<wxWindow*>(pGrid->GetChild(nSlot)); }
};
} // namespace

TEST_F(GridScrollBarGuiTest, DraggingTheThumbScrollsOnlyOnRelease)
{
    wxWindow* pBar = Child(GRID_CHILD_VSCROLL);
    ASSERT_TRUE(pBar->IsShown());
    const wxRect rc = pBar->GetScreenRect();
    ASSERT_GT(rc.height, 100);
    const wxPoint ptThumb(rc.x + rc.width / 2, rc.y + rc.width / 2 + 4);
    sim.MouseMove(ptThumb);
    Pump(2);
    sim.MouseDown();
    Pump(2);
    for (int dy = 10; dy <= 120; dy += 10)
    {
        sim.MouseMove(ptThumb + wxPoint(0, dy));
        Pump(1);
    }
    Pump();
    EXPECT_EQ(pGrid->GetSheet()->m_nTopRow, 0);
    EXPECT_GT(dynamic_cast<CGridScrollBar*>(pBar)->GetLogic().Tracked(), 0);
    sim.MouseUp();
    Pump();
    EXPECT_GT(pGrid->GetSheet()->m_nTopRow, 0);
}

TEST_F(GridScrollBarGuiTest, TheHorizontalBarAppearsWhenColumnsStopFitting)
{
    EXPECT_FALSE(Child(GRID_CHILD_HSCROLL)->IsShown());
    pGrid->SetColCount(20);
    Pump();
    EXPECT_TRUE(Child(GRID_CHILD_HSCROLL)->IsShown());
    EXPECT_GT(Child(GRID_CHILD_HSCROLL)->GetSize().y, 0);
    // The sheet-tab strip exists as child 5 and never shows.
    EXPECT_EQ(Child(GRID_CHILD_TABS)->GetId(), 5);
    EXPECT_EQ(Child(GRID_CHILD_TABS)->GetSize().x, 0);
}
