// The about box on the screen: a real click anywhere, outside the box too, closes it with OK;
// Escape closes it with Cancel, Enter and Space with OK.
#include "ui/AboutDlg.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

namespace
{
TEST(AboutDlgOnScreenGuiTest, ClickOutsideTheBoxClosesItWithOk)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(0, 0), wxSize(900, 700));
    frame->Show();
    wxTheApp->Yield();
    {
        CAboutDlg dlg(frame);
        dlg.CentreOnParent();

        // Once the box is on the screen, click the owner's corner, far outside the box; a box still
        // open after a few seconds is closed with Cancel so that the test ends.
        wxUIActionSimulator mouse;
        wxTimer click;
        int ticks = 0;
        click.Bind(wxEVT_TIMER,
                   [&](wxTimerEvent&)
                   {
                       ++ticks;
                       if (ticks == 5)
                       {
                           const wxRect box = dlg.GetScreenRect();
                           const wxPoint outside = frame->GetScreenRect().GetPosition() + wxPoint(20, 40);
                           EXPECT_FALSE(box.Contains(outside));
                           mouse.MouseMove(outside);
                           mouse.MouseClick();
                       }
                       else if (ticks == 60 && dlg.IsModal())
                           dlg.EndModal(wxID_CANCEL);
                   });
        click.Start(50);
        EXPECT_EQ(dlg.ShowModal(), wxID_OK);
        click.Stop();
        EXPECT_FALSE(dlg.HasCapture());
        // The pointer goes back out of the way of the windows of later tests.
        mouse.MouseMove(wxPoint(1270, 1010));
    }
    frame->Destroy();
    wxTheApp->Yield();
}

TEST(AboutDlgOnScreenGuiTest, EscapeEnterAndSpaceCloseTheBox)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(0, 0), wxSize(900, 700));
    frame->Show();
    wxTheApp->Yield();
    const struct
    {
        int key;
        int code;
    } presses[] = {{WXK_ESCAPE, wxID_CANCEL}, {WXK_RETURN, wxID_OK}, {WXK_SPACE, wxID_OK}};
    for (const auto& press : presses)
    {
        CAboutDlg dlg(frame);
        dlg.CentreOnParent();
        // Typed once the box is on the screen; a box still open after a few seconds is closed
        // with another code so that the test ends.
        wxUIActionSimulator keys;
        wxTimer timer;
        int ticks = 0;
        timer.Bind(wxEVT_TIMER,
                   [&](wxTimerEvent&)
                   {
                       ++ticks;
                       // Without a window manager the keyboard goes where the pointer is.
                       if (ticks == 3)
                           keys.MouseMove(dlg.GetScreenRect().GetPosition() + wxPoint(10, 10));
                       else if (ticks == 5)
                           keys.Char(press.key);
                       else if (ticks == 60 && dlg.IsModal())
                           dlg.EndModal(wxID_ABORT);
                   });
        timer.Start(50);
        EXPECT_EQ(press.code, dlg.ShowModal()) << "key " << press.key;
        timer.Stop();
        EXPECT_FALSE(dlg.HasCapture());
        // The pointer goes back out of the way of the windows of later tests.
        keys.MouseMove(wxPoint(1270, 1010));
    }
    frame->Destroy();
    wxTheApp->Yield();
}
} // namespace
