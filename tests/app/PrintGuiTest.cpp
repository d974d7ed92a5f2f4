// Printing the page on show: Ctrl+P opens the print dialog with all pages chosen, not page 1;
// File > Print Preview, chosen from the keyboard, shows the page's preview.
#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"

#include "support/BankBuilder.h"

#include <wx/menu.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/uiaction.h>

namespace
{
class PrintGuiTest : public CShellFixture
{
};

TEST_F(PrintGuiTest, CtrlPOpensThePrintDialogOnAllPages)
{
    // A bank long enough for a page of several printed pages.
    CBankBuilder bank;
    bank.Filler(16).Prio("Long", 1).Imap(CBankBuilder::Entries(150), CBankBuilder::Entries(20));
    bank.WriteTo(m_dir / "long.94b");
    StartShell((m_dir / "long.94b").string());
    FocusPage();

    wxUIActionSimulator keys;
    bool shown = false;
    wxTEST_DIALOG(
        {
            keys.Char('p', wxMOD_CONTROL);
            PumpEvents();
        },
        ExpectDialog<wxPrintDialogBase>(
            [&shown](wxPrintDialogBase* dlg)
            {
                shown = true;
                const wxPrintDialogData& data = dlg->GetPrintDialogData();
                EXPECT_TRUE(data.GetAllPages());
                EXPECT_FALSE(data.GetSelection());
                return wxID_CANCEL;
            }));
    EXPECT_TRUE(shown);
}

TEST_F(PrintGuiTest, FilePrintPreviewShowsThePreview)
{
    StartShell(MakeBank("preview.94b"));
    FocusPage();
    EXPECT_TRUE(IsEnabled(wxID_PREVIEW));

    // Alt+F opens File, V chooses Print Preview.
    wxUIActionSimulator keys;
    keys.Char('f', wxMOD_ALT);
    for (int i = 0; i < 5; ++i)
    {
        PumpEvents();
        wxMilliSleep(20);
    }
    keys.Char('v');
    wxPreviewFrame* preview = nullptr;
    for (int i = 0; i < 100 && !preview; ++i)
    {
        PumpEvents();
        wxMilliSleep(20);
        for (wxWindow* top : wxTopLevelWindows)
            if (auto* frame = dynamic_cast<wxPreviewFrame*>(top); frame && frame->IsShown())
                preview = frame;
    }
    ASSERT_NE(nullptr, preview) << "no preview window";
    preview->Close(true);
    PumpEvents();
}
} // namespace
