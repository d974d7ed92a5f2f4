// The sheet-tab strip under a real display: it shows its tabs once it has a width, a click on a
// tab switches the sheet (the owner's answer to the notification) and moves the highlight, the
// arrow buttons scroll the tabs and the grip resizes the strip, letting the mouse go after.
#include "grid/GridColors.h"
#include "grid/GridSheetTabStrip.h"
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWxDC.h"
#include "support/gui/GridFrameFixture.h"

#include <gtest/gtest.h>

#include <wx/image.h>

#include <X11/Xlib.h>
#include <dlfcn.h>

namespace
{
// Reads screen pixels from the X server itself: under GTK 3 a second wxScreenDC grab in one
// process gives back what the first one saw.
wxImage GrabFromX(const wxRect& rc)
{
    wxImage img;
    using OpenFn = Display* (*)(const char*);
    using RootFn = Window (*)(Display*);
    using GetImageFn = XImage* (*)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long, int);
    using CloseFn = int (*)(Display*);
    void* pX11 = dlopen("libX11.so.6", RTLD_NOW);
    if (!pX11)
        return img;
    auto open = reinterpret_cast<OpenFn>(dlsym(pX11, "XOpenDisplay"));
    auto root = reinterpret_cast<RootFn>(dlsym(pX11, "XDefaultRootWindow"));
    auto getImage = reinterpret_cast<GetImageFn>(dlsym(pX11, "XGetImage"));
    auto close = reinterpret_cast<CloseFn>(dlsym(pX11, "XCloseDisplay"));
    Display* pDisplay = (open && root && getImage && close) ? open(nullptr) : nullptr;
    if (!pDisplay)
        return img;
    XImage* pImage = getImage(pDisplay, root(pDisplay), rc.x, rc.y, static_cast<unsigned>(rc.width),
                              static_cast<unsigned>(rc.height), ~0UL, ZPixmap);
    if (pImage)
    {
        img.Create(rc.width, rc.height);
        for (int y = 0; y < rc.height; ++y)
            for (int x = 0; x < rc.width; ++x)
            {
                const unsigned long px = pImage->f.get_pixel(pImage, x, y);
                img.SetRGB(x, y, (px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
            }
        pImage->f.destroy_image(pImage);
    }
    close(pDisplay);
    return img;
}

class CTabbedGrid : public CGridCtrl
{
public:
    CTabbedGrid(wxWindow* pParent) : CGridCtrl(pParent, wxID_ANY) {}
    void OnSheetTabClicked(int nId) override
    {
        m_arrClicked.push_back(nId);
        SwitchSheet(nId, 1);
    }
    std::vector<int> m_arrClicked;
};

struct GridSheetTabsGuiTest : CGridFrameFixture
{
    void SetUp() override
    {
        pFrame = new wxFrame(nullptr, wxID_ANY, "grid tabs", wxPoint(20, 20), wxSize(700, 450));
        pTabbed = new CTabbedGrid(pFrame);
        pGrid = pTabbed;
        pGrid->SetSheetCount(nSheets);
        for (int i = 0; i < nSheets; ++i)
        {
            pGrid->SwitchSheet(i, 0);
            pGrid->SetColCount(4);
            pGrid->SetRowCount(20 + i);
            pGrid->GetSheetTabs().AddTab(("Sheet number " + std::to_string(i + 1)).c_str(), i);
        }
        pGrid->SwitchSheet(0, 1);
        pGrid->SetSheetTabWidth(360);
        pFrame->Show();
        pFrame->Raise();
        Pump();
    }
    wxWindow* Tabs() const { return dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_TABS)); }
    GRIDSIZE StripSize() const { return GRIDSIZE{Tabs()->GetClientSize().x, Tabs()->GetClientSize().y}; }
    wxPoint ScreenOfTab(int n) const
    {
        const GRIDRECT rc = pGrid->GetSheetTabs().TabRect(n, StripSize());
        return Tabs()->ClientToScreen(wxPoint((rc.left + rc.right) / 2, StripSize().cy / 2));
    }
    wxImage Grab() const { return GrabFromX(wxRect(Tabs()->GetScreenPosition(), Tabs()->GetClientSize())); }
    // How many pixels of the strip's top row, over the part of the tab its neighbours do not
    // share, have the window colour.
    int WindowPixelsOnTop(const wxImage& img, int nTab) const
    {
        const GRIDRECT rc = pGrid->GetSheetTabs().TabRect(nTab, StripSize());
        const int nSlant = pGrid->GetSheetTabs().Slant(StripSize());
        const wxColour cr = GridToWxColour(GridGetSysColor(GRID_COLOR_WINDOW));
        int n = 0;
        for (int x = std::max(0, rc.left + nSlant); x < std::min(img.GetWidth(), rc.right - nSlant); ++x)
            n += img.GetRed(x, 0) == cr.Red() && img.GetGreen(x, 0) == cr.Green() && img.GetBlue(x, 0) == cr.Blue();
        return n;
    }

    const int nSheets = 8;
    CTabbedGrid* pTabbed = nullptr;
};
} // namespace

TEST_F(GridSheetTabsGuiTest, AClickOnATabSwitchesTheSheetAndMovesTheHighlight)
{
    ASSERT_TRUE(Tabs()->IsShown());
    EXPECT_EQ(Tabs()->GetSize().x, 360);
    EXPECT_EQ(Tabs()->GetId(), 5);
    const int nHeight = Tabs()->GetSize().y;
    const wxImage before = Grab();
    ASSERT_TRUE(before.IsOk());
    // The highlighted first tab is open towards the sheet; the second is not.
    EXPECT_GT(WindowPixelsOnTop(before, 0), 40);
    EXPECT_EQ(WindowPixelsOnTop(before, 1), 0);

    MoveTo(ScreenOfTab(1));
    sim.MouseClick();
    Pump();
    EXPECT_EQ(pTabbed->m_arrClicked, (std::vector<int>{1}));
    EXPECT_EQ(pGrid->GetCurrentSheet(), 1);
    EXPECT_EQ(pGrid->GetRowCount(), 21);
    EXPECT_EQ(pGrid->GetSheetTabs().GetCurrentTab(), 1);
    // The strip stays with the new sheet, as it was, and shows the new highlight.
    EXPECT_EQ(Tabs()->GetSize().x, 360);
    EXPECT_EQ(Tabs()->GetSize().y, nHeight);
    const wxImage after = Grab();
    EXPECT_GT(WindowPixelsOnTop(after, 1), 40);
    EXPECT_EQ(WindowPixelsOnTop(after, 0), 0);
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}

TEST_F(GridSheetTabsGuiTest, TheArrowsScrollTheTabsAndTheGripResizesTheStrip)
{
    CGridSheetTabStrip& strip = pGrid->GetSheetTabs();
    ASSERT_TRUE(strip.CanScroll(1, StripSize()));
    const GRIDRECT rcArea = strip.TabArea(StripSize());
    MoveTo(Tabs()->ClientToScreen(wxPoint(rcArea.left * 3 / 4, StripSize().cy / 2)));
    sim.MouseClick();
    Pump();
    EXPECT_GT(strip.GetScroll(), 0);
    EXPECT_EQ(strip.TabRect(1, StripSize()).left, rcArea.left);
    EXPECT_TRUE(pTabbed->m_arrClicked.empty());

    // Drag the grip 80 pixels to the left: the strip narrows and the bar takes the room.
    const wxPoint ptGrip = Tabs()->ClientToScreen(wxPoint(StripSize().cx - 3, StripSize().cy / 2));
    MoveTo(ptGrip);
    sim.MouseDown();
    Pump(2);
    EXPECT_TRUE(Tabs()->HasCapture());
    for (int dx = 10; dx <= 80; dx += 10)
    {
        sim.MouseMove(ptGrip - wxPoint(dx, 0));
        Pump(1);
    }
    sim.MouseUp();
    Pump();
    EXPECT_EQ(Tabs()->GetSize().x, 280);
    EXPECT_EQ(dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_HSCROLL))->GetPosition().x, 280);
    EXPECT_EQ(pGrid->GetSheet()->m_nTabWidth, 280);
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}
