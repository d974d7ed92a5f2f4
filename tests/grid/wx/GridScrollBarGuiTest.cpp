// The scroll bars under a real display: dragging the vertical thumb of a 5,000-row sheet
// scrolls only when it is released, with tips on the tip window names the row under the thumb
// and the bar's hover tip the row in view, and the horizontal bar appears as soon as the
// columns no longer fit.
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridHint.h"
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

namespace
{
class CRowTipGrid : public CGridCtrl
{
public:
    CRowTipGrid(wxWindow* pParent) : CGridCtrl(pParent, wxID_ANY, wxPoint(0, 0), wxSize(500, 350)) {}
    int OnVScrollTip(long nRow, std::string* pstrText) override
    {
        *pstrText = "Row " + std::to_string(nRow + 1);
        return 1;
    }
};
} // namespace

TEST_F(GridScrollBarGuiTest, WithTipsOnTheThumbAndTheBarNameTheirRows)
{
    pFrame->Destroy();
    Pump();
    pFrame = new wxFrame(nullptr, wxID_ANY, "grid tips", wxPoint(20, 20), wxSize(600, 400));
    pGrid = new CRowTipGrid(pFrame);
    pGrid->SetColCount(3);
    pGrid->SetRowCount(5000);
    pGrid->EnableScrollTips(0, 1);
    pFrame->Show();
    Pump();
    wxWindow* pBar = Child(GRID_CHILD_VSCROLL);
    auto* pHint = dynamic_cast<CGridHint*>(pGrid->GetChild(GRID_CHILD_HINT));
    const wxRect rc = pBar->GetScreenRect();
    const wxPoint ptThumb(rc.x + rc.width / 2, rc.y + rc.width / 2 + 4);
    MoveTo(ptThumb);
    sim.MouseDown();
    Pump(2);
    for (int dy = 10; dy <= 100; dy += 10)
    {
        sim.MouseMove(ptThumb + wxPoint(0, dy));
        Pump(1);
    }
    Pump();
    // The tip beside the bar names the row the thumb would bring to the top.
    const long nTracked = dynamic_cast<CGridScrollBar*>(pBar)->GetLogic().Tracked();
    ASSERT_GT(nTracked, 0);
    EXPECT_TRUE(pHint->IsShown());
    EXPECT_EQ(pHint->GetLayout().m_strText, "Row " + std::to_string(nTracked + 1));
    EXPECT_LE(pHint->GetRect().GetRight(), pBar->GetPosition().x);
    EXPECT_EQ(pBar->GetToolTip(), nullptr); // the hover tip keeps out of the thumb's way
    sim.MouseUp();
    Pump();
    EXPECT_FALSE(pHint->IsShown());
    const long nTop = pGrid->GetSheet()->m_nTopRow;
    EXPECT_GT(nTop, 0);
    // Hovering over the bar: its tool tip names the row now at the top.
    MoveTo(ptThumb + wxPoint(0, 150));
    EXPECT_EQ(pBar->GetToolTipText(), "Row " + std::to_string(nTop + 1));
    // The tip follows a scroll by a click on the bar, and goes once the tips are switched off.
    MoveTo(wxPoint(ptThumb.x, rc.GetBottom() - 4));
    sim.MouseClick();
    Pump();
    const long nNewTop = pGrid->GetSheet()->m_nTopRow;
    ASSERT_NE(nNewTop, nTop);
    EXPECT_EQ(pBar->GetToolTipText(), "Row " + std::to_string(nNewTop + 1));
    pGrid->EnableScrollTips(0, 0);
    MoveTo(ptThumb);
    sim.MouseClick();
    Pump();
    ASSERT_NE(pGrid->GetSheet()->m_nTopRow, nNewTop);
    EXPECT_EQ(pBar->GetToolTip(), nullptr);
}

TEST_F(GridScrollBarGuiTest, TheHorizontalBarAppearsWhenColumnsStopFitting)
{
    EXPECT_FALSE(Child(GRID_CHILD_HSCROLL)->IsShown());
    pGrid->SetColCount(20);
    Pump();
    EXPECT_TRUE(Child(GRID_CHILD_HSCROLL)->IsShown());
    EXPECT_GT(Child(GRID_CHILD_HSCROLL)->GetSize().y, 0);
    // The sheet-tab strip exists as child 5 and shows only once given a width.
    EXPECT_EQ(Child(GRID_CHILD_TABS)->GetId(), 5);
    EXPECT_EQ(Child(GRID_CHILD_TABS)->GetSize().x, 0);
}
