// The cell area window under a real display: events from the X server reach the plain cell
// area through CGridWnd. A click moves the current cell, a drag selects, a wheel notch
// scrolls three rows, a held arrow key accelerates and a check box toggles on a click.
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWnd.h"
#include "support/gui/GridFrameFixture.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <dlfcn.h>

namespace
{
// The wheel is X buttons 4 (away) and 5 (towards the user); the simulator has no wheel, so the
// presses go through the XTest extension the simulator itself uses.
bool FakeWheel(int nButton)
{
    using OpenFn = void* (*)(const char*);
    using FlushFn = int (*)(void*);
    using CloseFn = int (*)(void*);
    using ButtonFn = int (*)(void*, unsigned, int, unsigned long);
    void* pX11 = dlopen("libX11.so.6", RTLD_NOW);
    void* pXtst = dlopen("libXtst.so.6", RTLD_NOW);
    if (!pX11 || !pXtst)
        return false;
    auto open = reinterpret_cast<OpenFn>(dlsym(pX11, "XOpenDisplay"));
    auto flush = reinterpret_cast<FlushFn>(dlsym(pX11, "XFlush"));
    auto close = reinterpret_cast<CloseFn>(dlsym(pX11, "XCloseDisplay"));
    auto button = reinterpret_cast<ButtonFn>(dlsym(pXtst, "XTestFakeButtonEvent"));
    void* pDisplay = (open && flush && close && button) ? open(nullptr) : nullptr;
    if (!pDisplay)
        return false;
    button(pDisplay, static_cast<unsigned>(nButton), 1, 0);
    button(pDisplay, static_cast<unsigned>(nButton), 0, 0);
    flush(pDisplay);
    close(pDisplay);
    return true;
}

struct GridWndGuiTest : CGridFrameFixture
{
    void SetUp() override
    {
        MakeGrid("grid window", wxSize(700, 500), 8, 200);
        Cells()->SetFocus();
        Pump();
    }
    CGridWnd* Cells() const { return dynamic_cast<CGridWnd*>(pGrid->GetChild(GRID_CHILD_CELLS)); }
    wxPoint ScreenOf(int nCol, long nRow, int dx = 10, int dy = 8) const
    {
        GRIDRECT rc;
        pGrid->GetCellBounds(nCol, nRow, &rc);
        return Cells()->ClientToScreen(wxPoint(rc.left + dx, rc.top + dy));
    }
};
} // namespace

TEST_F(GridWndGuiTest, ClickMovesTheCurrentCell)
{
    MoveTo(ScreenOf(3, 5));
    sim.MouseClick();
    Pump();
    EXPECT_EQ(pGrid->CurrentCol(), 3);
    EXPECT_EQ(pGrid->CurrentRow(), 5);
    EXPECT_TRUE(Cells()->HasFocus());
}

TEST_F(GridWndGuiTest, DragSelectsABlock)
{
    pGrid->SetSelectionMode(1);
    MoveTo(ScreenOf(1, 2));
    sim.MouseDown();
    Pump();
    MoveTo(ScreenOf(2, 3));
    MoveTo(ScreenOf(3, 4));
    sim.MouseUp();
    Pump();
    CGridMultiSelect& sel = *pGrid->GetSheet()->m_pMultiSelect;
    EXPECT_EQ(sel.IsSelected(2, 3), 1);
    EXPECT_EQ(sel.IsSelected(3, 4), 1);
    EXPECT_EQ(sel.IsSelected(4, 4), 0);
    EXPECT_EQ(pGrid->CurrentCol(), 1); // the block's anchor
    EXPECT_EQ(pGrid->CurrentRow(), 2);
}

TEST_F(GridWndGuiTest, WheelNotchScrollsThreeRows)
{
    pGrid->ScrollToRow(10);
    MoveTo(ScreenOf(2, 12));
    if (!FakeWheel(5))
        GTEST_SKIP() << "the XTest extension is not available";
    Pump();
    EXPECT_EQ(pGrid->GetSheet()->m_nTopRow, 13);
    ASSERT_TRUE(FakeWheel(4));
    Pump();
    EXPECT_EQ(pGrid->GetSheet()->m_nTopRow, 10);
}

// The key is held until the server's auto-repeat has sent several presses.
TEST_F(GridWndGuiTest, HeldArrowKeyAccelerates)
{
    pGrid->SetKeyAcceleration(2, 0);
    pGrid->SetCurrentCell(0, 0);
    sim.KeyDown(WXK_DOWN);
    for (int i = 0; i < 150 && Cells()->GetArea().GetKeyRepeat() < 5; ++i)
        Pump(1);
    const long nPresses = Cells()->GetArea().GetKeyRepeat();
    sim.KeyUp(WXK_DOWN);
    Pump();
    ASSERT_GE(nPresses, 5);
    long nExpected = 0;
    for (long i = 1; i <= nPresses; ++i)
        nExpected += (i / 2) * (i / 2) * (i / 2) + 1;
    EXPECT_EQ(pGrid->CurrentRow(), std::min(nExpected, 199L));
    EXPECT_GT(pGrid->CurrentRow(), nPresses);
    EXPECT_EQ(Cells()->GetArea().GetKeyRepeat(), 0); // the release starts again at one
    const long nRow = pGrid->CurrentRow();
    sim.KeyDown(WXK_UP);
    sim.KeyUp(WXK_UP);
    Pump();
    EXPECT_EQ(pGrid->CurrentRow(), nRow - 1);
}

namespace
{
class CKeyLogGrid : public CGridCtrl
{
public:
    using CGridCtrl::CGridCtrl;
    std::vector<unsigned> m_arrKeys;
    void OnGridKeyDown(unsigned* pnKey, int) override { m_arrKeys.push_back(*pnKey); }
};
} // namespace

// Function keys, the keypad and punctuation reach the owner, the keypad with codes of its own.
TEST_F(GridWndGuiTest, EveryKeyReachesTheOwner)
{
    auto* pKeys = new CKeyLogGrid(pFrame, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
    pKeys->SetColCount(2);
    pKeys->SetRowCount(5);
    Pump();
    dynamic_cast<wxWindow*>(pKeys->GetChild(GRID_CHILD_CELLS))->SetFocus();
    Pump();
    // Num Lock on for the keypad's digits, and off again afterwards.
    for (int nKey :
         {int(WXK_NUMLOCK), int(WXK_F5), int(WXK_NUMPAD7), int(WXK_NUMPAD_ENTER), int(','), int(WXK_NUMLOCK)})
        sim.Char(nKey);
    Pump();
    EXPECT_EQ(pKeys->m_arrKeys, (std::vector<unsigned>{GRID_VK_NUMLOCK, GRID_VK_F1 + 4, GRID_VK_NUMPAD0 + 7,
                                                       GRID_VK_NUMPAD_ENTER, GRID_VK_OEM_COMMA, GRID_VK_NUMLOCK}));
}

TEST_F(GridWndGuiTest, CheckBoxTogglesOnClick)
{
    CGridCell cell;
    cell.SetCellType(2);
    cell.SetLabel("on");
    pGrid->SetCell(1, 1, &cell);
    pGrid->RepaintCell(1, 1);
    const wxPoint box = ScreenOf(1, 1, 3 + 5, 10); // the box's middle in a 20-pixel row
    MoveTo(box);
    sim.MouseClick();
    Pump();
    CGridCell stored;
    pGrid->GetCell(1, 1, &stored);
    EXPECT_EQ(stored.GetNumber(), 1);
    sim.MouseClick();
    Pump();
    pGrid->GetCell(1, 1, &stored);
    EXPECT_EQ(stored.GetNumber(), 0);
    // Space reaches the current check box as a character; F2 is no character.
    sim.Char(WXK_F2);
    sim.Char(' ');
    Pump();
    pGrid->GetCell(1, 1, &stored);
    EXPECT_EQ(stored.GetNumber(), 1);
}

TEST_F(GridWndGuiTest, DropListOpensOnItsButtonAndStoresTheChoice)
{
    CGridCell cell;
    cell.SetCellType(1);
    cell.SetText("Red");
    cell.SetLabel("Red\nGreen\nBlue\n");
    pGrid->SetCell(2, 2, &cell);
    GRIDRECT rc;
    pGrid->GetCellBounds(2, 2, &rc);
    MoveTo(ScreenOf(2, 2, rc.Width() - 5, 10)); // on the button
    sim.MouseClick();
    Pump();
    wxWindow* pList = Cells()->FindWindow(123);
    ASSERT_NE(pList, nullptr);
    EXPECT_TRUE(pList->IsShown());
    EXPECT_EQ(wxWindow::FindFocus(), pList);
    sim.Char(WXK_DOWN);
    sim.Char(WXK_DOWN);
    Pump();
    const wxString strChosen = dynamic_cast<wxListBox*>(pList)->GetStringSelection();
    EXPECT_FALSE(strChosen.empty()); // the arrows moved the selection
    sim.Char(WXK_RETURN);
    Pump();
    EXPECT_FALSE(pList->IsShown());
    std::string s;
    pGrid->GetCellText(2, 2, &s);
    EXPECT_EQ(s, strChosen.utf8_string());
    EXPECT_NE(s, "Red");
    EXPECT_TRUE(Cells()->HasFocus());

    // Open again and pick a choice with the mouse.
    MoveTo(ScreenOf(2, 2, rc.Width() - 5, 10));
    sim.MouseClick();
    Pump();
    ASSERT_TRUE(pList->IsShown());
    auto* pListBox = dynamic_cast<wxListBox*>(pList);
    const wxPoint ptItem(15, 6);
    const int nItem = pListBox->HitTest(ptItem);
    ASSERT_NE(nItem, wxNOT_FOUND);
    const std::string strItem = pListBox->GetString(static_cast<unsigned>(nItem)).utf8_string();
    MoveTo(pList->ClientToScreen(ptItem));
    sim.MouseClick();
    Pump();
    EXPECT_FALSE(pList->IsShown());
    pGrid->GetCellText(2, 2, &s);
    EXPECT_EQ(s, strItem);
}

namespace
{
wxImage GrabScreen(const wxWindow* pWin)
{
    const wxRect rc(pWin->GetScreenPosition(), pWin->GetClientSize());
    wxBitmap bmp(rc.width, rc.height);
    wxMemoryDC mem(bmp);
    wxScreenDC screen;
    mem.Blit(0, 0, rc.width, rc.height, &screen, rc.x, rc.y);
    mem.SelectObject(wxNullBitmap);
    return bmp.ConvertToImage();
}

int DifferentPixels(const wxImage& a, const wxImage& b)
{
    if (a.GetSize() != b.GetSize())
        return -1;
    int n = 0;
    const unsigned char* pa = a.GetData();
    const unsigned char* pb = b.GetData();
    for (int i = 0; i < a.GetWidth() * a.GetHeight() * 3; i += 3)
        n += pa[i] != pb[i] || pa[i + 1] != pb[i + 1] || pa[i + 2] != pb[i + 2];
    return n;
}
} // namespace

// What the incremental update leaves on the screen after scrolls and moves is what a full
// repaint draws.
TEST_F(GridWndGuiTest, IncrementalUpdatesShowWhatAFullRepaintShows)
{
    for (long r = 0; r < 200; ++r)
        for (int c = 0; c < 8; ++c)
            pGrid->SetCellText(c, r, (std::to_string(r) + ":" + std::to_string(c)).c_str());
    pGrid->SetCellText(0, 3, "a text that overflows its column");
    pGrid->RepaintAll();
    Pump();
    pGrid->ScrollToRow(1);
    pGrid->ScrollToRow(4);
    pGrid->ScrollToCol(1);
    pGrid->SetCurrentCell(3, 8);
    pGrid->ScrollToRow(2);
    Pump(10);
    const wxImage incremental = GrabScreen(Cells());
    Cells()->Refresh();
    Pump(10);
    const wxImage full = GrabScreen(Cells());
    EXPECT_EQ(DifferentPixels(incremental, full), 0);
    // The grab holds the cells' text, not an empty surface.
    const wxImage blank(full.GetWidth(), full.GetHeight());
    EXPECT_GT(DifferentPixels(full, blank), 1000);
}

TEST_F(GridWndGuiTest, TheScrolledRowHeadingShowsWhatAFullRepaintShows)
{
    auto* pRows = dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_ROWHEADING));
    for (long r = 0; r < 200; ++r)
        pGrid->SetCellText(-1, r, std::to_string(r).c_str());
    pGrid->RepaintAll();
    Pump();
    pGrid->ScrollToRow(3);
    pGrid->SetCurrentCell(2, 6);
    pGrid->ScrollToRow(1);
    pGrid->ScrollToRow(40); // further than a page
    pGrid->ScrollToRow(38);
    Pump(10);
    const wxImage incremental = GrabScreen(pRows);
    pRows->Refresh();
    Pump(10);
    const wxImage full = GrabScreen(pRows);
    EXPECT_EQ(DifferentPixels(incremental, full), 0);
    EXPECT_EQ(pGrid->GetSheet()->m_nTopRow, 38);
}
