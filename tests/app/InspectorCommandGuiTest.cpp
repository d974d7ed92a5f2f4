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

    // Once the dialog is on show, a program number is changed through the table and OK clicked.
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
                           dlg->GetGrid()->Table().SetCellText(0, 0, "99");
                           dlg->OnInspectorEdited(0, 0);
                           wxUIActionSimulator click;
                           click.MouseMove(dlg->FindWindow(wxID_OK)->GetScreenRect().GetPosition() + wxPoint(8, 6));
                           wxYield();
                           click.MouseClick();
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
