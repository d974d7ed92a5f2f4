#include "support/gui/InspectorTyping.h"

#include "inspector/BankInspectorDlg.h"
#include "inspector/InspectorGrid.h"
#include "support/gui/ShellFixture.h"

#include <wx/timer.h>
#include <wx/uiaction.h>

namespace
{
void Settle(int rounds)
{
    for (int r = 0; r < rounds; ++r)
    {
        wxYield();
        wxMilliSleep(15);
    }
}

CBankInspectorDlg* ShownInspector()
{
    for (wxWindow* top : wxTopLevelWindows)
        if (auto* dlg = dynamic_cast<CBankInspectorDlg*>(top); dlg && dlg->IsModal())
            return dlg;
    return nullptr;
}
} // namespace

void ClickInspectorCell(CBankInspectorDlg& dlg, wxUIActionSimulator& sim, int nCol, long nRow)
{
    GRIDRECT rc;
    dlg.GetGrid()->GetCellBounds(nCol, nRow, &rc);
    auto* cells = dynamic_cast<wxWindow*>(dlg.GetGrid()->GetChild(GRID_CHILD_CELLS));
    sim.MouseMove(cells->ClientToScreen(wxPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2)));
    Settle(3);
    sim.MouseClick();
    Settle(8);
}

bool RunInInspector(const std::function<void(CBankInspectorDlg&, wxUIActionSimulator&)>& script)
{
    // The dialog is modal: a timer runs the script once it is on show.
    bool sawDialog = false;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER,
               [&](wxTimerEvent&)
               {
                   CBankInspectorDlg* dlg = ShownInspector();
                   if (!dlg)
                       return;
                   timer.Stop();
                   sawDialog = true;
                   wxUIActionSimulator sim;
                   script(*dlg, sim);
                   Settle(8);
                   if (dlg->IsModal())
                       dlg->EndModal(wxID_CANCEL);
               });
    timer.Start(100);
    // A dialog the keys never closed is closed after a while, so a failing test ends.
    wxTimer guard;
    guard.Bind(wxEVT_TIMER,
               [&](wxTimerEvent&)
               {
                   if (CBankInspectorDlg* dlg = ShownInspector())
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
    return sawDialog;
}

bool TypeFirstProgramInInspector(const std::string& text)
{
    return RunInInspector(
        [&](CBankInspectorDlg& dlg, wxUIActionSimulator& sim)
        {
            ClickInspectorCell(dlg, sim, 0, 0);
            for (char key : text)
            {
                sim.Text(std::string(1, key).c_str());
                Settle(3);
            }
            Settle(8);
            sim.MouseMove(dlg.FindWindow(wxID_OK)->GetScreenRect().GetPosition() + wxPoint(8, 6));
            Settle(3);
            sim.MouseClick();
        });
}
