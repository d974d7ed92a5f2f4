// The bank set in the window: several banks open as a set, a bank's name on the set page opens
// that bank by a real click, Alt+Left comes back to the set, Ctrl+Shift+O asks for banks, a
// folder opens the banks below it, and a folder without banks is said so.
#include "bankset/BankSetPage.h"
#include "support/BankBuilder.h"
#include "support/gui/ShellFixture.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/html/htmlcell.h>
#include <wx/uiaction.h>

namespace
{
bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Cancels the folder dialog (GTK's gives no folder back unless it was really shown).
class CancelFolder : public wxExpectModalBase<wxDirDialog, CancelFolder>
{
protected:
    int OnInvoked(wxDirDialog*) const override { return wxID_CANCEL; }
};

class BankSetGuiTest : public CShellFixture
{
protected:
    std::string MakeSetBank(const std::string& file, const std::string& name, uint16_t priority)
    {
        CBankBuilder bank;
        BankEntry piano;
        bank.Prio(name, priority).Imap({piano}, {});
        bank.WriteTo(m_dir / file);
        return (m_dir / file).string();
    }
    std::string PageText() const { return View()->GetBrowser()->ToText().utf8_string(); }
    // Clicks the link to bank on the page on show, as a user does.
    void ClickBankLink(const std::string& bank) { ASSERT_TRUE(ClickPageLink(BankFileUrl(bank))); }
    wxUIActionSimulator m_keys;
};
} // namespace

TEST_F(BankSetGuiTest, SeveralBanksOpenAsASetWhoseBankLinksOpenTheBankAndBackReturns)
{
    StartShell();
    const std::string alpha = MakeSetBank("alpha.94b", "Alpha", 10);
    const std::string beta = MakeSetBank("beta.94b", "Beta", 20);
    // As the program does with several banks on its command line.
    ASSERT_TRUE(m_frame->OpenBankSet({alpha, beta}));
    EXPECT_TRUE(Contains(View()->GetLocation(), "bankset.html")) << View()->GetLocation();
    EXPECT_TRUE(Contains(PageText(), "Alpha")) << PageText();
    EXPECT_TRUE(Contains(PageText(), "wins"));

    FocusPage();
    ClickBankLink(alpha);
    EXPECT_EQ(alpha, Doc()->GetFilename().utf8_string());
    EXPECT_TRUE(Contains(View()->GetLocation(), "midimap.html")) << View()->GetLocation();

    FocusPage();
    m_keys.Char(WXK_LEFT, wxMOD_ALT);
    PumpEvents();
    EXPECT_TRUE(Contains(View()->GetLocation(), "bankset.html")) << View()->GetLocation();

    // Several files dropped on the page open a set too.
    wxArrayString dropped;
    dropped.Add(wxString::FromUTF8(beta));
    dropped.Add(wxString::FromUTF8(alpha));
    ASSERT_TRUE(View()->OnDropFiles(dropped));
    EXPECT_EQ(beta, View()->GetBankSet().GetSet().GetBanks().at(0).strPath);
}

TEST_F(BankSetGuiTest, TheCommandsAskForBanksOrAFolderWhichOpensTheBanksBelowIt)
{
    StartShell();
    std::filesystem::create_directories(m_dir / "set" / "sub");
    MakeSetBank("set/alpha.94b", "Alpha", 10);
    MakeSetBank("set/sub/beta.94b", "Beta", 20);
    FocusPage();
    const std::string before = View()->GetLocation();
    wxTEST_DIALOG(m_keys.Char('o', wxMOD_CONTROL | wxMOD_SHIFT);
                  PumpEvents(), wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_EQ(before, View()->GetLocation());

    wxCommandEvent folder(wxEVT_MENU, CMD_OPEN_BANKSET_FOLDER);
    wxTEST_DIALOG(m_frame->ProcessWindowEvent(folder), CancelFolder());
    EXPECT_EQ(before, View()->GetLocation());

    // The folder the dialog gives, as the command passes it on.
    ASSERT_TRUE(m_frame->OpenBankSet({(m_dir / "set").string()}));
    EXPECT_TRUE(Contains(View()->GetLocation(), "bankset.html")) << View()->GetLocation();
    EXPECT_TRUE(Contains(PageText(), "Alpha"));
    EXPECT_TRUE(Contains(PageText(), "Beta"));

    std::filesystem::create_directory(m_dir / "empty");
    const std::string empty = (m_dir / "empty").string();
    wxTEST_DIALOG(EXPECT_FALSE(m_frame->OpenBankSet({empty})),
                  ExpectMessage("No soundbank was found in " + empty + "."));
}
