// The messages the toolkit would show by itself come through the program's message layer, with
// the caption "Orvane": the document manager's recent file that is gone and its open dialog's
// missing file, and the errors and warnings the toolkit logs (a file it cannot open, a print job
// that fails).
#include "support/gui/ShellFixture.h"

#include "app/MessageLog.h"
#include "res/StringTable.h"
#include "support/gui/ExpectDialog.h"

#include <wx/file.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/uiaction.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
class ToolkitMessagesGuiTest : public CShellFixture
{
protected:
    void SetUp() override
    {
        CShellFixture::SetUp();
        m_pOldLog = wxLog::SetActiveTarget(&m_log);
    }
    void TearDown() override
    {
        CShellFixture::TearDown();
        wxLog::SetActiveTarget(m_pOldLog);
    }

    CMessageLog m_log;
    wxLog* m_pOldLog = nullptr;
    wxUIActionSimulator m_keys;
};

// Expects one message box of the program whose text holds part, with the icon.
ExpectDialog<wxMessageDialog> ExpectMessageWith(const std::string& part, long icon)
{
    return ExpectDialog<wxMessageDialog>(
        [part, icon](wxMessageDialog* dlg)
        {
            EXPECT_NE(dlg->GetMessage().utf8_string().find(part), std::string::npos) << dlg->GetMessage();
            EXPECT_EQ(dlg->GetTitle().utf8_string(), "Orvane");
            EXPECT_EQ(dlg->GetMessageDialogStyle() & wxICON_MASK, icon);
            return wxID_OK;
        });
}

// File > 1 for a bank deleted since: the program says so and the entry leaves the list.
TEST_F(ToolkitMessagesGuiTest, RecentFileThatIsGoneIsReportedByTheProgram)
{
    const std::string gone = MakeBank("gone.94b");
    const std::string kept = MakeBank("kept.94b");
    StartShell(gone);
    FocusPage();
    wxTEST_DIALOG(
        {
            m_keys.Char('o', wxMOD_CONTROL);
            PumpEvents();
        },
        wxExpectModal<wxFileDialog>(wxString::FromUTF8(kept)));
    ASSERT_EQ(2u, m_manager->GetFileHistory()->GetCount());
    fs::remove(gone);

    FocusPage();
    wxTEST_DIALOG(
        {
            m_keys.Char('f', wxMOD_ALT);
            PumpEvents();
            m_keys.Char('2');
            PumpEvents();
        },
        ExpectMessage(FormatStringId(IDS_RECENT_GONE, {gone})));
    ASSERT_EQ(1u, m_manager->GetFileHistory()->GetCount());
    EXPECT_EQ(kept, m_manager->GetFileHistory()->GetHistoryFile(0).utf8_string());
    EXPECT_EQ(kept, Doc()->m_report.m_strBankPath.string());
}

// A name typed in File > Open that names no file: the program's own "Unable to open file !".
TEST_F(ToolkitMessagesGuiTest, OpenOfAMissingFileIsReportedByTheProgram)
{
    const std::string bank = MakeBank("demo.94b");
    StartShell(bank);
    FocusPage();
    wxTEST_DIALOG(
        {
            m_keys.Char('o', wxMOD_CONTROL);
            PumpEvents();
        },
        wxExpectModal<wxFileDialog>(wxString::FromUTF8((m_dir / "missing.94b").string())),
        ExpectMessage(GetString(IDS_CANTOPENFILE)));
    EXPECT_EQ(bank, Doc()->m_report.m_strBankPath.string());
}

// What the toolkit logs (here a file its own file class cannot open) is shown once the program
// is idle, as an error or a warning of the program; the same message twice is shown once.
TEST_F(ToolkitMessagesGuiTest, LoggedErrorsAndWarningsBecomeTheProgramsMessages)
{
    StartShell();
    const std::string missing = (m_dir / "missing.txt").string();
    wxTEST_DIALOG(
        {
            wxFile file;
            EXPECT_FALSE(file.Open(wxString::FromUTF8(missing)));
            EXPECT_FALSE(file.Open(wxString::FromUTF8(missing)));
            wxLogWarning("Paper nearly out");
            PumpEvents();
        },
        ExpectMessageWith(missing, wxICON_ERROR), ExpectMessageWith("Paper nearly out", wxICON_EXCLAMATION));
    // Nothing is left to show.
    {
        wxTestingModalHook hook(__FILE__, __LINE__, __func__);
        PumpEvents();
        hook.CheckUnmetExpectations();
    }
}
} // namespace
