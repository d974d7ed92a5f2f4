// The set page follows its banks: a bank of the set rewritten by another program is shown anew
// with a word in the status bar, Ctrl+I on the set page asks which bank to inspect and the page
// shows the change, and Ctrl+Z on the set page takes back that change.
#include "support/BankBuilder.h"
#include "support/gui/ChoiceAnswer.h"
#include "support/gui/InspectorTyping.h"
#include "support/gui/ShellFixture.h"

#include <wx/uiaction.h>

namespace
{
bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Whether the page's first won slot is answered by bank (the answer follows the state).
bool Wins(const std::string& page, const std::string& bank)
{
    const size_t at = page.find("wins");
    return at != std::string::npos && page.substr(at, 40).find(bank) != std::string::npos;
}

class BankSetFollowGuiTest : public CShellFixture
{
protected:
    std::string MakeSetBank(const std::string& file, const std::string& name, uint16_t priority)
    {
        CBankBuilder bank;
        BankEntry piano;
        bank.Prio(name, priority).Imap({piano}, {});
        // Written beside and renamed over, as another program replaces a bank whole.
        bank.WriteTo(m_dir / (file + ".new"));
        std::filesystem::rename(m_dir / (file + ".new"), m_dir / file);
        return (m_dir / file).string();
    }
    std::string PageText() const { return View()->GetBrowser()->ToText().utf8_string(); }
    std::string Status() const { return m_frame->GetStatusBar()->GetStatusText(0).utf8_string(); }
    // Lets the bank watch look a few times, until the status bar says part.
    bool WaitForStatus(const std::string& part)
    {
        for (int i = 0; i < 60 && !Contains(Status(), part); ++i)
        {
            wxMilliSleep(50);
            PumpEvents();
        }
        return Contains(Status(), part);
    }
};
} // namespace

TEST_F(BankSetFollowGuiTest, ABankOfTheSetChangedOnDiskOrRemovedIsShownAnew)
{
    StartShell();
    const std::string alpha = MakeSetBank("alpha.94b", "Alpha", 10);
    const std::string beta = MakeSetBank("beta.94b", "Beta", 20);
    ASSERT_TRUE(m_frame->OpenBankSet({alpha, beta}));
    PumpEvents();
    EXPECT_TRUE(Wins(PageText(), "Beta")) << PageText();

    // Beta at a lower priority than Alpha: Alpha now answers.
    wxMilliSleep(20);
    MakeSetBank("beta.94b", "Beta", 5);
    ASSERT_TRUE(WaitForStatus("beta.94b was changed")) << Status();
    EXPECT_TRUE(Wins(PageText(), "Alpha")) << PageText();

    std::filesystem::remove(alpha);
    ASSERT_TRUE(WaitForStatus("alpha.94b is no longer on disk")) << Status();
    EXPECT_FALSE(Wins(PageText(), "Alpha")) << PageText();
    EXPECT_TRUE(Contains(View()->GetLocation(), "bankset.html"));
}

TEST_F(BankSetFollowGuiTest, TheInspectorAsksWhichBankOfTheSetAndUndoOnTheSetPageTakesItsChangeBack)
{
    StartShell();
    const std::string alpha = MakeSetBank("alpha.94b", "Alpha", 10);
    const std::string beta = MakeSetBank("beta.94b", "Beta", 20);
    ASSERT_TRUE(m_frame->OpenBankSet({alpha, beta}));
    FocusPage();
    EXPECT_TRUE(IsEnabled(CMD_BANKINSPECTOR));
    EXPECT_FALSE(IsEnabled(wxID_UNDO));

    // The list of the set's banks: Down picks the second one, Enter goes on to the inspector.
    CChoiceAnswer chooser({WXK_DOWN, WXK_RETURN});
    ASSERT_TRUE(TypeFirstProgramInInspector("99"));
    EXPECT_EQ("Bank Inspector", chooser.m_strTitle);
    PumpEvents();
    // Beta's entry moved to program 99: Alpha is alone at program 0 and nothing wins any more.
    EXPECT_TRUE(Contains(View()->GetLocation(), "bankset.html"));
    EXPECT_FALSE(Contains(PageText(), "wins")) << PageText();

    // The change was the program's own: the watch tells nothing of it.
    for (int i = 0; i < 25; ++i)
    {
        wxMilliSleep(50);
        PumpEvents();
    }
    EXPECT_FALSE(Contains(Status(), "was changed")) << Status();

    FocusPage();
    ASSERT_TRUE(IsEnabled(wxID_UNDO));
    wxUIActionSimulator keys;
    keys.Char('z', wxMOD_CONTROL);
    PumpEvents();
    EXPECT_TRUE(Wins(PageText(), "Beta")) << PageText();
}
