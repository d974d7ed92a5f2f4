// The Bank Inspector command from the main window: Ctrl+I opens the dialog on the open bank, and
// after a changed program number and OK the mapping page shows the new number.
#include "inspector/BankInspectorDlg.h"
#include "inspector/InspectorGrid.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/timer.h>
#include <wx/uiaction.h>

namespace
{
class InspectorCommandGuiTest : public CShellFixture
{
};
} // namespace

TEST_F(InspectorCommandGuiTest, CtrlIOpensTheInspectorAndOkChangesTheMappingPage)
{
    StartShell(MakeBank("demo.94b"));
    m_frame->Raise();
    PumpEvents();
    const std::string before = ReadFileText(Doc()->m_report.m_strOutputPath);
    ASSERT_EQ(std::string::npos, before.find(">99<"));

    // Once the dialog is on show, a program number is typed into the table and OK clicked.
    bool sawDialog = false;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER,
               [&](wxTimerEvent&)
               {
                   for (wxWindow* top : wxTopLevelWindows)
                       if (auto* dlg = dynamic_cast<CBankInspectorDlg*>(top); dlg && dlg->IsModal())
                       {
                           timer.Stop();
                           sawDialog = true;
                           // Typed as a user types: a click on the first program, "99" a
                           // key at a time, then OK.
                           wxUIActionSimulator sim;
                           auto settle = [](int rounds)
                           {
                               for (int r = 0; r < rounds; ++r)
                               {
                                   wxYield();
                                   wxMilliSleep(15);
                               }
                           };
                           auto clickAt = [&](const wxPoint& screen)
                           {
                               sim.MouseMove(screen);
                               settle(3);
                               sim.MouseClick();
                               settle(8);
                           };
                           GRIDRECT rc;
                           dlg->GetGrid()->GetCellBounds(0, 0, &rc);
                           auto* cells = dynamic_cast<wxWindow*>(dlg->GetGrid()->GetChild(GRID_CHILD_CELLS));
                           clickAt(cells->ClientToScreen(wxPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2)));
                           for (const char* key : {"9", "9"})
                           {
                               sim.Text(key);
                               settle(3);
                           }
                           settle(8);
                           clickAt(dlg->FindWindow(wxID_OK)->GetScreenRect().GetPosition() + wxPoint(8, 6));
                           return;
                       }
               });
    timer.Start(100);
    wxTimer guard;
    guard.Bind(wxEVT_TIMER,
               [&](wxTimerEvent&)
               {
                   for (wxWindow* top : wxTopLevelWindows)
                       if (auto* dlg = dynamic_cast<CBankInspectorDlg*>(top); dlg && dlg->IsModal())
                           dlg->EndModal(wxID_CANCEL);
               });
    guard.StartOnce(10000);

    wxUIActionSimulator sim;
    sim.Char('i', wxMOD_CONTROL);
    PumpEvents();
    for (int i = 0; i < 50 && !sawDialog; ++i)
    {
        wxMilliSleep(50);
        PumpEvents();
    }
    PumpEvents();
    timer.Stop();
    guard.Stop();
    ASSERT_TRUE(sawDialog) << "Ctrl+I did not open the inspector";
    EXPECT_NE(std::string::npos, ReadFileText(Doc()->m_report.m_strOutputPath).find(">99<"));
}
