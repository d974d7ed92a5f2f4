// Edit > Copy on the mapping page with real keys and the real clipboard: the whole mapping as
// tab-separated lines when nothing is selected, the selected text when something is, and
// nothing to copy on a page without a bank.
#include "support/gui/ClipboardText.h"
#include "support/gui/ShellFixture.h"

#include <wx/uiaction.h>

namespace
{
class PageCopyGuiTest : public CShellFixture
{
protected:
    void Press(int key, int modifiers)
    {
        m_keys.Char(key, modifiers);
        for (int i = 0; i < 4; ++i)
        {
            PumpEvents();
            wxMilliSleep(10);
        }
    }
    wxUIActionSimulator m_keys;
};
} // namespace

TEST_F(PageCopyGuiTest, CtrlCWithoutASelectionCopiesTheHeaderAndOneLinePerEntry)
{
    StartShell(MakeBank("demo.94b"));
    FocusPage();
    EXPECT_TRUE(IsEnabled(wxID_COPY));
    PutOnClipboard("old");
    Press('c', wxMOD_CONTROL);
    EXPECT_EQ("list\tindex\tprogram\tvariation\tCubase Prog.\tCubase Bank\tGM name\n"
              "instrument\t0\t0\t0\t1\t0\tAcoustic Grand Piano\n"
              "instrument\t1\t1\t0\t2\t0\tBright Acoustic Piano\n"
              "instrument\t2\t5\t8\t6\t1024\tElectric Piano 2\n"
              "drumset\t0\t0\t0\t1\t0\tStandard\n",
              FromClipboard());

    // Ctrl+Insert too.
    PutOnClipboard("old");
    Press(WXK_INSERT, wxMOD_CONTROL);
    EXPECT_EQ(0u, FromClipboard().rfind("list\tindex\t", 0));
}

TEST_F(PageCopyGuiTest, TextSelectedInThePageIsCopiedAsItIs)
{
    StartShell(MakeBank("demo.94b"));
    FocusPage();
    // A drag across the top of the page selects some of its text.
    CBrowserWindow* browser = View()->GetBrowser();
    const wxPoint from = browser->ClientToScreen(wxPoint(5, 15));
    const wxPoint to = browser->ClientToScreen(wxPoint(browser->GetClientSize().x - 20, 120));
    m_keys.MouseMove(from);
    PumpEvents();
    m_keys.MouseDown();
    PumpEvents();
    for (int step = 1; step <= 5; ++step)
    {
        m_keys.MouseMove(from + (to - from) * step / 5);
        PumpEvents();
        wxMilliSleep(20);
    }
    m_keys.MouseUp();
    PumpEvents();
    const std::string selected = browser->SelectionToText().utf8_string();
    ASSERT_FALSE(selected.empty());
    PutOnClipboard("old");
    Press('c', wxMOD_CONTROL);
    EXPECT_EQ(selected, FromClipboard());
}

TEST_F(PageCopyGuiTest, CopyIsOffWhileNoMappingPageIsShown)
{
    StartShell();
    EXPECT_FALSE(IsEnabled(wxID_COPY));
    FocusPage();
    PutOnClipboard("old");
    Press('c', wxMOD_CONTROL);
    EXPECT_EQ("old", FromClipboard());
}
