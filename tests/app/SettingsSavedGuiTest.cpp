// Settings are kept when they change, not only at a normal exit: Options OK writes the settings
// file at once, and opening a bank writes the recent-file list at once.
#include "app/OptionsDlg.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/fileconf.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <filesystem>

namespace
{
class SettingsSavedGuiTest : public CShellFixture
{
protected:
    COptionsDlg* ShownOptions()
    {
        for (wxWindow* top : wxTopLevelWindows)
            if (auto* dlg = dynamic_cast<COptionsDlg*>(top); dlg && dlg->IsModal())
                return dlg;
        return nullptr;
    }
};

void Settle(int rounds)
{
    for (int r = 0; r < rounds; ++r)
    {
        wxYield();
        wxMilliSleep(15);
    }
}

TEST_F(SettingsSavedGuiTest, OptionsOkWritesTheSettingsFileAtOnce)
{
    StartShell();
    ASSERT_FALSE(std::filesystem::exists(SettingsPath()));
    FocusPage();

    // Ctrl+B opens the dialog; once it is on show, "keep a backup copy" and OK are clicked.
    wxUIActionSimulator sim;
    wxTimer timer;
    bool sawDialog = false;
    timer.Bind(wxEVT_TIMER,
               [&](wxTimerEvent&)
               {
                   COptionsDlg* dlg = ShownOptions();
                   if (!dlg)
                       return;
                   timer.Stop();
                   sawDialog = true;
                   Settle(5);
                   auto clickOn = [&](wxWindow* window)
                   {
                       sim.MouseMove(window->GetScreenRect().GetPosition() + wxPoint(6, window->GetSize().y / 2));
                       Settle(3);
                       sim.MouseClick();
                       Settle(8);
                   };
                   clickOn(dlg->FindWindow(COptionsDlg::IDC_KEEP_BACKUP));
                   clickOn(dlg->FindWindow(wxID_OK));
                   // A dialog the clicks did not close ends here, so the test fails rather than hangs.
                   if (dlg->IsModal())
                       dlg->EndModal(wxID_CANCEL);
               });
    timer.Start(50);
    sim.Char('b', wxMOD_CONTROL);
    for (int i = 0; i < 100 && !sawDialog; ++i)
        Settle(2);
    timer.Stop();
    ASSERT_TRUE(sawDialog);

    // Written while the window is still open.
    CSettings written;
    ASSERT_EQ(1, written.Load(SettingsPath()));
    EXPECT_EQ(1, written.m_bKeepBackup);
}

TEST_F(SettingsSavedGuiTest, OpeningABankWritesTheRecentFileListAtOnce)
{
    const std::filesystem::path file = m_dir / "recent.conf";
    wxConfigBase* previous = wxConfigBase::Set(new wxFileConfig(
        "Orvane test", wxString(), wxString::FromUTF8(file.string()), wxString(), wxCONFIG_USE_LOCAL_FILE));
    const std::string bank = MakeBank("recent.94b");
    StartShell(bank);
    EXPECT_NE(std::string::npos, ReadFileText(file).find("recent.94b")) << ReadFileText(file);
    CloseShell();
    delete wxConfigBase::Set(previous);
}
} // namespace
