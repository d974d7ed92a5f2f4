#include "support/gui/ChoiceAnswer.h"

#include "support/gui/ShellFixture.h"

#include <wx/choicdlg.h>
#include <wx/uiaction.h>

CChoiceAnswer::CChoiceAnswer(std::vector<int> keys)
{
    m_timer.Bind(wxEVT_TIMER,
                 [this, keys](wxTimerEvent&)
                 {
                     for (wxWindow* top : wxTopLevelWindows)
                         if (auto* dlg = dynamic_cast<wxSingleChoiceDialog*>(top); dlg && dlg->IsModal())
                         {
                             m_timer.Stop();
                             m_strTitle = dlg->GetTitle();
                             wxUIActionSimulator sim;
                             for (size_t i = 0; i < keys.size(); ++i)
                             {
                                 if (i > 0)
                                     PumpEvents();
                                 sim.Char(keys[i]);
                             }
                             return;
                         }
                 });
    m_timer.Start(100);
}
