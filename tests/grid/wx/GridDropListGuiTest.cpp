// The drop list under a real display: opened by a click on a cell's button, the list holds the
// mouse, so a click anywhere outside it (another cell, a heading) closes it without a choice and
// a click on an item chooses; every way of closing it, and the grid going while it is open,
// lets the mouse go.
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWnd.h"
#include "support/gui/GridFrameFixture.h"

#include <gtest/gtest.h>

#include <wx/listbox.h>
#include <wx/textctrl.h>

namespace
{
struct GridDropListGuiTest : CGridFrameFixture
{
    void SetUp() override
    {
        MakeGrid("grid drop list", wxSize(700, 500), 8, 40, wxSize(600, 400));
        CGridCell cell;
        cell.SetCellType(1);
        cell.SetText("Red");
        cell.SetLabel("Red\nGreen\nBlue\nYellow\n");
        pGrid->SetCell(2, 2, &cell);
        Cells()->SetFocus();
        Pump();
    }
    CGridWnd* Cells() const { return dynamic_cast<CGridWnd*>(pGrid->GetChild(GRID_CHILD_CELLS)); }
    wxListBox* List() const { return dynamic_cast<wxListBox*>(Cells()->FindWindow(123)); }
    wxPoint ScreenOf(int nCol, long nRow, int dx, int dy) const
    {
        GRIDRECT rc;
        pGrid->GetCellBounds(nCol, nRow, &rc);
        return Cells()->ClientToScreen(wxPoint(rc.left + dx, rc.top + dy));
    }
    void ClickTheButton()
    {
        GRIDRECT rc;
        pGrid->GetCellBounds(2, 2, &rc);
        MoveTo(ScreenOf(2, 2, rc.Width() - 5, rc.Height() / 2));
        sim.MouseClick();
        Pump();
    }
    std::string Text() const
    {
        std::string s;
        pGrid->GetCellText(2, 2, &s);
        return s;
    }
};
} // namespace

TEST_F(GridDropListGuiTest, AClickOutsideTheOpenListClosesItWithoutChoosing)
{
    ClickTheButton();
    ASSERT_NE(List(), nullptr);
    ASSERT_TRUE(List()->IsShown());
    // The cell area holds the mouse for the list (a native list under GTK hears nothing of a
    // capture of its own).
    EXPECT_EQ(wxWindow::GetCapture(), Cells());
    EXPECT_TRUE(Cells()->IsMouseLent());

    // Another cell: the list closes, nothing is chosen and the click goes no further.
    MoveTo(ScreenOf(6, 10, 10, 8));
    sim.MouseClick();
    Pump();
    EXPECT_FALSE(List()->IsShown());
    EXPECT_EQ(Text(), "Red");
    EXPECT_EQ(pGrid->CurrentCol(), 2);
    EXPECT_EQ(pGrid->CurrentRow(), 2);
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);

    // A heading takes no focus; the click there closes the list all the same.
    ClickTheButton();
    ASSERT_TRUE(List()->IsShown());
    wxWindow* pHeading = dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_COLHEADING));
    MoveTo(pHeading->ClientToScreen(wxPoint(pHeading->GetClientSize().x - 20, 5)));
    sim.MouseClick();
    Pump();
    EXPECT_FALSE(List()->IsShown());
    EXPECT_EQ(Text(), "Red");
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);

    // The cells work as before: a click moves the current cell.
    MoveTo(ScreenOf(5, 6, 10, 8));
    sim.MouseClick();
    Pump();
    EXPECT_EQ(pGrid->CurrentCol(), 5);
    EXPECT_EQ(pGrid->CurrentRow(), 6);
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}

TEST_F(GridDropListGuiTest, AClickOnAnItemChoosesIt)
{
    ClickTheButton();
    ASSERT_TRUE(List()->IsShown());
    const int nItem = 2;
    const wxRect rcItem = [&]
    {
        // The items are stacked from the top; find the third by hit tests down the list.
        for (int y = 1; y < List()->GetClientSize().y; ++y)
            if (List()->HitTest(wxPoint(15, y)) == nItem)
                return wxRect(15, y, 1, 1);
        return wxRect();
    }();
    ASSERT_FALSE(rcItem.IsEmpty());
    MoveTo(List()->ClientToScreen(rcItem.GetTopLeft() + wxPoint(0, 3)));
    sim.MouseClick();
    Pump();
    EXPECT_FALSE(List()->IsShown());
    EXPECT_EQ(Text(), "Blue");
    EXPECT_TRUE(Cells()->HasFocus());
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}

TEST_F(GridDropListGuiTest, EscapeEnterAndLosingTheFocusLetTheMouseGo)
{
    ClickTheButton();
    ASSERT_TRUE(Cells()->IsMouseLent());
    sim.Char(WXK_ESCAPE);
    Pump();
    EXPECT_FALSE(List()->IsShown());
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
    EXPECT_EQ(Text(), "Red");

    // Opened from the keyboard, chosen with Enter.
    sim.Char(WXK_RETURN);
    Pump();
    ASSERT_TRUE(List()->IsShown());
    EXPECT_EQ(wxWindow::GetCapture(), Cells());
    sim.Char(WXK_DOWN);
    Pump();
    const std::string strSelected = List()->GetStringSelection().utf8_string();
    sim.Char(WXK_RETURN);
    Pump();
    EXPECT_FALSE(List()->IsShown());
    EXPECT_EQ(Text(), strSelected);
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);

    // Another control of the frame takes the focus (as when the user switches windows).
    auto* pOther = new wxTextCtrl(pFrame, wxID_ANY, "", wxPoint(620, 10), wxSize(60, 24));
    Pump();
    Cells()->SetFocus();
    Pump();
    ClickTheButton();
    ASSERT_TRUE(List()->IsShown());
    pOther->SetFocus();
    Pump();
    EXPECT_FALSE(List()->IsShown());
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}

TEST_F(GridDropListGuiTest, TheGridGoingWhileTheListIsOpenLetsTheMouseGo)
{
    ClickTheButton();
    ASSERT_EQ(wxWindow::GetCapture(), Cells());
    pFrame->Destroy();
    pFrame = nullptr;
    Pump();
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
    // The display still answers: a new window gets a click.
    MakeGrid("after", wxSize(400, 300), 3, 5);
    auto* pCells = dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_CELLS));
    GRIDRECT rc;
    pGrid->GetCellBounds(2, 3, &rc);
    MoveTo(pCells->ClientToScreen(wxPoint(rc.left + 5, rc.top + 5)));
    sim.MouseClick();
    Pump();
    EXPECT_EQ(pGrid->CurrentCol(), 2);
    EXPECT_EQ(pGrid->CurrentRow(), 3);
}
