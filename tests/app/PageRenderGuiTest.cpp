// The mapping page made again after Options: into a private directory made anew when something
// removed it, and a page that cannot be made told to the user.
#include "app/OptionsDlg.h"
#include "res/StringTable.h"
#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <filesystem>

namespace
{
class PageRenderGuiTest : public CShellFixture
{
protected:
    // Ctrl+B typed into the window, the options dialog closed with OK.
    void OptionsOk()
    {
        FocusPage();
        wxUIActionSimulator keys;
        keys.Char('b', wxMOD_CONTROL);
        PumpEvents();
    }
};
} // namespace

TEST_F(PageRenderGuiTest, APrivateDirectoryRemovedWhileTheProgramRunsIsMadeAnewForThePage)
{
    StartShell(MakeBank("demo.94b", "Cleaned"));
    const std::filesystem::path page = Doc()->m_report.m_strOutputPath;
    std::filesystem::remove_all(page.parent_path()); // a cleaner of the temporary directory
    wxTEST_DIALOG(OptionsOk(), ExpectDialogClosedWith<COptionsDlg>(wxID_OK));
    const std::filesystem::path now = Doc()->m_report.m_strOutputPath;
    EXPECT_NE(page.parent_path(), now.parent_path());
    EXPECT_NE(std::string::npos, ReadFileText(now).find("Cleaned"));
    EXPECT_NE(std::string::npos, View()->GetLocation().find(now.parent_path().filename().string()));
    CloseShell();
}

TEST_F(PageRenderGuiTest, APageThatCannotBeMadeFromItsTemplateIsTold)
{
    StartShell(MakeBank("demo.94b"));
    const std::filesystem::path empty = m_dir / "Qzr.mas";
    WriteFileText(empty, "");
    Doc()->m_report.m_strTemplatePath = empty;
    wxTEST_DIALOG(OptionsOk(), ExpectDialogClosedWith<COptionsDlg>(wxID_OK),
                  ExpectMessage(GetString(IDS_CANTMAKEPAGE)));
    CloseShell();
}
