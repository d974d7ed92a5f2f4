// Printing the page on show: Ctrl+P opens the print dialog with all pages chosen, not page 1;
// File > Print Preview, chosen from the keyboard, and the print dialog's own Preview button show
// the page's preview.
#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"

#include "support/BankBuilder.h"

#include <wx/menu.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <gtk/gtk.h>

#include <string>

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

namespace
{
// The toolkit's own print dialog, once it is on screen.
GtkWidget* ShownPrintDialog()
{
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next)
        if (std::string(G_OBJECT_TYPE_NAME(w->data)) == "GtkPrintUnixDialog" &&
            gtk_widget_get_visible(GTK_WIDGET(w->data)))
            found = GTK_WIDGET(w->data);
    g_list_free(windows);
    return found;
}

TEST_F(PrintGuiTest, ThePrintDialogsPreviewButtonShowsThePreview)
{
    StartShell(MakeBank("dialog.94b"));
    FocusPage();

    // Ctrl+P runs the real print dialog in a loop of its own; a timer waits for it there and
    // presses its Preview button by its key, Alt+V, as a user does.
    wxUIActionSimulator keys;
    wxTimer timer;
    bool pressed = false;
    timer.Bind(wxEVT_TIMER,
               [&](wxTimerEvent&)
               {
                   if (!pressed && ShownPrintDialog())
                   {
                       pressed = true;
                       keys.Char('v', wxMOD_ALT);
                   }
               });
    timer.Start(300);
    keys.Char('p', wxMOD_CONTROL);
    wxPreviewFrame* preview = nullptr;
    for (int i = 0; i < 500 && !preview; ++i)
    {
        PumpEvents();
        wxMilliSleep(20);
        for (wxWindow* top : wxTopLevelWindows)
            if (auto* frame = dynamic_cast<wxPreviewFrame*>(top); frame && frame->IsShown())
                preview = frame;
    }
    timer.Stop();
    EXPECT_TRUE(pressed) << "the print dialog did not appear";
    ASSERT_NE(nullptr, preview) << "no preview window after the dialog's Preview button";
    EXPECT_EQ(nullptr, ShownPrintDialog());
    preview->Close(true);
    PumpEvents();
}
} // namespace
