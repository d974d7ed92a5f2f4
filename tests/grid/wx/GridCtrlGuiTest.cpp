// The grid window: it builds its children, lays them out, survives resizes and sheet switches,
// and runs an edit through its real edit box.
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridEdit.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/scrolbar.h>
#include <wx/textctrl.h>

namespace
{
struct GridCtrlGuiTest : ::testing::Test
{
    wxFrame* pFrame = nullptr;
    CGridCtrl* pGrid = nullptr;

    void SetUp() override
    {
        pFrame = new wxFrame(nullptr, wxID_ANY, "grid", wxDefaultPosition, wxSize(500, 400));
        pGrid = new CGridCtrl(pFrame, wxID_ANY);
        pFrame->Show();
        pGrid->SetSize(0, 0, 400, 300);
        wxYield();
    }
    void TearDown() override
    {
        pFrame->Destroy();
        wxYield();
    }

    wxWindow* Child(int nSlot) const { return dynamic_cast<wxWindow*>(pGrid->GetChild(nSlot)); }
};
} // namespace

TEST_F(GridCtrlGuiTest, ChildrenAreCreatedInOrderAndLaidOut)
{
    for (int i = 0; i < GRID_CHILD_COUNT; ++i)
        ASSERT_NE(Child(i), nullptr) << i;
    EXPECT_EQ(Child(GRID_CHILD_CELLS)->GetId(), 1);
    EXPECT_EQ(Child(GRID_CHILD_VSCROLL)->GetId(), 6);
    EXPECT_EQ(Child(GRID_CHILD_HSCROLL)->GetId(), 7);
    EXPECT_FALSE(Child(GRID_CHILD_HINT)->IsShown());
    ASSERT_NE(pGrid->GetEditBox(), nullptr);
    EXPECT_EQ(dynamic_cast<wxWindow*>(pGrid->GetEditBox())->GetId(), 123);

    pGrid->SetColCount(20);
    pGrid->SetRowCount(200);
    pGrid->AdjustLayout();
    const wxSize client = pGrid->GetClientSize();
    const wxRect rcCells = Child(GRID_CHILD_CELLS)->GetRect();
    EXPECT_EQ(rcCells.x, 40);
    EXPECT_EQ(rcCells.y, 20);
    const wxRect rcV = Child(GRID_CHILD_VSCROLL)->GetRect();
    EXPECT_EQ(rcV.GetRight() + 1, client.x);
    EXPECT_EQ(rcCells.GetRight() + 1, rcV.x);
    EXPECT_TRUE(Child(GRID_CHILD_VSCROLL)->IsShown());
    EXPECT_EQ(pGrid->GetSheet()->m_nCellAreaWidth, rcCells.width);
}

TEST_F(GridCtrlGuiTest, ResizeRelaysOutAndHidesBarsThatAreNotNeeded)
{
    pGrid->SetColCount(2);
    pGrid->SetRowCount(3);
    pGrid->SetSize(0, 0, 450, 350);
    wxYield();
    const wxSize client = pGrid->GetClientSize();
    EXPECT_EQ(Child(GRID_CHILD_CELLS)->GetRect().GetRight() + 1, client.x);
    EXPECT_FALSE(Child(GRID_CHILD_VSCROLL)->IsShown());
    pGrid->SetRowCount(500);
    pGrid->SetSize(0, 0, 200, 150);
    wxYield();
    EXPECT_TRUE(Child(GRID_CHILD_VSCROLL)->IsShown());
    EXPECT_GT(pGrid->GetSheet()->m_nMaxTopRow, 400);
}

TEST_F(GridCtrlGuiTest, SheetSwitchPointsChildrenAtTheNewSheet)
{
    pGrid->SetColCount(5);
    pGrid->SetRowCount(5);
    ASSERT_EQ(pGrid->SetSheetCount(2), 0);
    ASSERT_EQ(pGrid->SwitchSheet(1, 1), 0);
    EXPECT_EQ(pGrid->GetColCount(), 0);
    pGrid->SetColCount(3);
    pGrid->SetRowCount(500);
    wxYield();
    // The bars show the sheet that is current: 500 rows need the vertical bar, 5 do not.
    auto* pBar = dynamic_cast<wxScrollBar*>(Child(GRID_CHILD_VSCROLL));
    ASSERT_NE(pBar, nullptr);
    EXPECT_TRUE(pBar->IsShown());
    EXPECT_EQ(pBar->GetRange(), pBar->GetThumbSize() + pGrid->GetSheet()->m_nMaxTopRow);
    ASSERT_EQ(pGrid->SwitchSheet(0, 1), 0);
    wxYield();
    EXPECT_EQ(pGrid->GetColCount(), 5);
    EXPECT_FALSE(pBar->IsShown());
    pGrid->ScrollToRow(0);
    ASSERT_EQ(pGrid->SwitchSheet(1, 1), 0);
    pGrid->ScrollToRow(30);
    wxYield();
    EXPECT_TRUE(pBar->IsShown());
    EXPECT_EQ(pBar->GetThumbPosition(), 30);
}

TEST_F(GridCtrlGuiTest, EditRunsThroughTheRealEditBox)
{
    pGrid->SetColCount(3);
    pGrid->SetRowCount(3);
    pGrid->SetCellText(1, 1, "before");
    ASSERT_EQ(pGrid->BeginEdit(1, 1, 0), 0);
    auto* pEdit = dynamic_cast<wxTextCtrl*>(pGrid->GetEditBox());
    ASSERT_NE(pEdit, nullptr);
    EXPECT_TRUE(pEdit->IsShown());
    EXPECT_EQ(pEdit->GetParent(), Child(GRID_CHILD_CELLS));
    EXPECT_EQ(pEdit->GetValue(), "before");
    pEdit->ChangeValue("after");
    EXPECT_EQ(pGrid->EndEdit("after", 0, 0, 0, 0), 1);
    EXPECT_FALSE(pEdit->IsShown());
    std::string s;
    pGrid->GetCellText(1, 1, &s);
    EXPECT_EQ(s, "after");
}

namespace
{
// A subclass set up in its own notifications, as an owner's grid is.
class CSetupGrid : public CGridCtrl
{
public:
    CSetupGrid() = default;
    explicit CSetupGrid(wxWindow* pParent) : CGridCtrl(pParent, wxID_ANY, wxPoint(0, 0), wxSize(300, 200)) {}
    int m_nSetups = 0;
    int m_nLayouts = 0;
    void OnGridSetup() override
    {
        ++m_nSetups;
        SetColCount(4);
        SetRowCount(10);
    }
    void OnLayoutAdjust(GRIDRECT* pCells, GRIDRECT*, GRIDRECT*, GRIDRECT*, GRIDRECT*, GRIDRECT*, GRIDRECT*) override
    {
        ++m_nLayouts;
        pCells->right -= 10; // the subclass keeps a strip free
    }
};
} // namespace

TEST_F(GridCtrlGuiTest, TwoPhaseCreationRunsTheSubclassNotifications)
{
    auto* pSub = new CSetupGrid;
    ASSERT_TRUE(pSub->Create(pFrame, wxID_ANY, wxPoint(0, 0), wxSize(300, 200)));
    EXPECT_EQ(pSub->m_nSetups, 1);
    EXPECT_GT(pSub->m_nLayouts, 0);
    EXPECT_EQ(pSub->GetColCount(), 4);
    const wxWindow* pCells = dynamic_cast<wxWindow*>(pSub->GetChild(GRID_CHILD_CELLS));
    EXPECT_EQ(pCells->GetRect().GetRight() + 1, pSub->GetSheet()->m_rcSections[GRID_RC_CELLS].right);
    // Both fonts are reachable from a subclass: the window's and the grid's table entries.
    const int nFont = pSub->RegisterFont("", 13, 700);
    EXPECT_TRUE(pSub->GetFont().IsOk());
    EXPECT_EQ(pSub->GetGridFont(nFont)->GetLogFont().lfWeight, 700);
    pSub->Destroy();
}

// The base constructor cannot reach the subclass; the setup follows once the object is whole.
TEST_F(GridCtrlGuiTest, TheParentTakingConstructorRunsTheSubclassNotifications)
{
    auto* pSub = new CSetupGrid(pFrame);
    wxYield();
    EXPECT_EQ(pSub->m_nSetups, 1);
    EXPECT_EQ(pSub->GetColCount(), 4);
    EXPECT_GT(pSub->m_nLayouts, 0);
    pSub->Destroy();
}

TEST_F(GridCtrlGuiTest, AttachingAnExistingControlRunsTheSetup)
{
    auto* pSub = new CSetupGrid;
    ASSERT_TRUE(pSub->Create(pFrame, wxID_ANY, wxPoint(0, 0), wxSize(300, 200)));
    pSub->SetColCount(9);
    new wxWindow(pFrame, 4711, wxPoint(10, 10), wxSize(250, 150));
    EXPECT_EQ(pSub->AttachToDialogItem(pFrame, 4711u), 0);
    EXPECT_EQ(pSub->m_nSetups, 2);
    EXPECT_EQ(pSub->GetColCount(), 4);
    EXPECT_EQ(pSub->GetRect(), wxRect(10, 10, 250, 150));
    EXPECT_EQ(pFrame->FindWindow(4711), pSub); // the control takes the placeholder's id
    pSub->Destroy();
}
