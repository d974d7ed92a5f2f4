// Edit > Find on the page with real keys: Ctrl+F opens the bar, typing selects the match and
// scrolls to it, Enter, Shift+Enter, F3 and Shift+F3 step through the matches round the page's
// ends, a text not on the page is said in the bar, Escape gives the page back with the match to
// copy; the field's own keys stay the field's, and the match stays exact when the window is
// resized.
#include "app/FindBar.h"
#include "support/BankBuilder.h"
#include "support/gui/ClipboardText.h"
#include "support/gui/ShellFixture.h"

#include <wx/checkbox.h>
#include <wx/html/htmlcell.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace
{
class PageFindGuiTest : public CShellFixture
{
protected:
    // A bank with every General MIDI program, so the page is longer than the window.
    std::string MakeLongBank()
    {
        std::vector<BankEntry> instruments;
        for (uint16_t program = 0; program < 128; ++program)
            instruments.push_back(BankEntry{program, 0});
        CBankBuilder bank;
        bank.Filler(16).Prio("Concert", 3).Imap(instruments, {{0, 0}}).Filler(8);
        const std::string path = (m_dir / "long.94b").string();
        bank.WriteTo(path);
        return path;
    }
    void Settle()
    {
        for (int i = 0; i < 4; ++i)
        {
            PumpEvents();
            wxMilliSleep(10);
        }
    }
    void Press(int key, int modifiers = wxMOD_NONE)
    {
        m_keys.Char(key, modifiers);
        Settle();
    }
    void Type(const char* text)
    {
        m_keys.Text(text);
        Settle();
    }
    CFindBar* Bar() const { return m_frame->GetFindBar(); }
    std::string Status() const { return Bar()->GetStatus().utf8_string(); }
    std::string Selected() const { return View()->GetBrowser()->SelectionToText().utf8_string(); }
    int Top() const
    {
        int x = 0, y = 0, unitX = 0, unitY = 0;
        View()->GetBrowser()->GetViewStart(&x, &y);
        View()->GetBrowser()->GetScrollPixelsPerUnit(&unitX, &unitY);
        return y * unitY;
    }
    // Whether the page's word cell with this text is within the window's height.
    bool WordInSight(const wxString& word) const
    {
        const wxHtmlCell* root = View()->GetBrowser()->GetInternalRepresentation();
        for (wxHtmlTerminalCellsInterator it(root->GetFirstTerminal(), root->GetLastTerminal()); it; ++it)
            if (it->ConvertToText(nullptr) == word)
            {
                const int y = it->GetAbsPos().y;
                return y >= Top() && y + it->GetHeight() <= Top() + View()->GetBrowser()->GetClientSize().y;
            }
        return false;
    }

    wxUIActionSimulator m_keys;
};
} // namespace

TEST_F(PageFindGuiTest, TypedTextIsSelectedInSightAndTheKeysStepThroughTheMatches)
{
    StartShell(MakeLongBank());
    FocusPage();
    EXPECT_FALSE(Bar()->IsShown());
    Press('f', wxMOD_CONTROL);
    ASSERT_TRUE(Bar()->IsShown());
    EXPECT_EQ(Bar()->GetField(), wxWindow::FindFocus());

    // The last instrument is far below the window's height.
    ASSERT_EQ(0, Top());
    Type("gunshot");
    EXPECT_EQ("gunshot", Bar()->GetField()->GetValue().utf8_string());
    EXPECT_EQ("Gunshot", Selected());
    EXPECT_EQ("Match 1 of 1", Status());
    EXPECT_GT(Top(), 0);
    EXPECT_TRUE(WordInSight("Gunshot"));

    // Six GM names hold "Piano"; typed afresh it is looked for from the match on show, so the
    // search goes round the end to the first.
    Press('a', wxMOD_CONTROL);
    Type("piano");
    EXPECT_EQ("Piano", Selected());
    EXPECT_EQ("Match 1 of 6", Status());
    EXPECT_LT(Top(), 100);
    EXPECT_TRUE(WordInSight("Piano"));
    Press(WXK_RETURN);
    EXPECT_EQ("Match 2 of 6", Status());
    Press(WXK_F3);
    EXPECT_EQ("Match 3 of 6", Status());
    Press(WXK_F3, wxMOD_SHIFT);
    EXPECT_EQ("Match 2 of 6", Status());
    Press(WXK_RETURN, wxMOD_SHIFT);
    EXPECT_EQ("Match 1 of 6", Status());
    Press(WXK_RETURN, wxMOD_SHIFT);
    EXPECT_EQ("Match 6 of 6, continued from the bottom", Status());
    EXPECT_EQ("Piano", Selected());

    // Not on the page: the bar says so and nothing stays selected; one Backspace finds it again.
    Type("x");
    EXPECT_EQ("Not found", Status());
    EXPECT_EQ("", Selected());
    Press(WXK_BACK);
    EXPECT_EQ("piano", Bar()->GetField()->GetValue().utf8_string());
    EXPECT_EQ("Match 6 of 6", Status());

    // Escape gives the page the keyboard, and Ctrl+C there copies the match.
    Press(WXK_ESCAPE);
    EXPECT_FALSE(Bar()->IsShown());
    EXPECT_EQ(View()->GetBrowser(), wxWindow::FindFocus());
    PutOnClipboard("old");
    Press('c', wxMOD_CONTROL);
    EXPECT_EQ("Piano", FromClipboard());
    CloseShell();
}

TEST_F(PageFindGuiTest, MatchCaseAMatchAcrossWordsAndAResizedWindowKeepTheExactMatch)
{
    StartShell(MakeLongBank());
    FocusPage();
    Press('f', wxMOD_CONTROL);
    Type("Grand Pia");
    EXPECT_EQ("Grand Pia", Selected());
    EXPECT_EQ("Match 1 of 2", Status());

    // The window works out a selection again when it is resized; the match stays what it was.
    const wxSize size = m_frame->GetSize();
    m_frame->SetSize(size.x - 120, size.y - 60);
    Settle();
    EXPECT_EQ("Grand Pia", Selected());
    m_frame->SetSize(size);
    Settle();

    // Match case, ticked by a click: "grand pia" is not on the page, "Grand Pia" is.
    Press('a', wxMOD_CONTROL);
    Type("grand pia");
    EXPECT_EQ("Match 1 of 2", Status());
    wxCheckBox* matchCase = nullptr;
    for (wxWindow* child : Bar()->GetChildren())
        if (auto* box = dynamic_cast<wxCheckBox*>(child))
            matchCase = box;
    ASSERT_NE(nullptr, matchCase);
    m_keys.MouseMove(matchCase->GetScreenRect().GetLeftTop() + wxPoint(6, matchCase->GetSize().y / 2));
    Settle();
    m_keys.MouseClick();
    Settle();
    EXPECT_TRUE(matchCase->GetValue());
    EXPECT_EQ("Not found", Status());
    CloseShell();
}

TEST_F(PageFindGuiTest, TheFieldKeepsItsOwnEditingKeysAndF3OpensTheBarOnAnyPage)
{
    // The start page: no bank, and a page to search all the same.
    StartShell();
    FocusPage();
    // With nothing to look for yet, F3 opens the bar to type it.
    Press(WXK_F3);
    ASSERT_TRUE(Bar()->IsShown());
    EXPECT_EQ(Bar()->GetField(), wxWindow::FindFocus());
    // Ctrl+V pastes into the field, though the frame's Paste is off.
    PutOnClipboard("soundbank");
    Press('v', wxMOD_CONTROL);
    EXPECT_EQ("soundbank", Bar()->GetField()->GetValue().utf8_string());
    EXPECT_EQ("soundbank", Selected());
    const std::string first = Status();
    EXPECT_EQ(0u, first.rfind("Match 1 of ", 0)) << first;

    // Closed, the bar comes back with F3 and the next match.
    Press(WXK_ESCAPE);
    ASSERT_FALSE(Bar()->IsShown());
    Press(WXK_F3);
    EXPECT_TRUE(Bar()->IsShown());
    EXPECT_EQ(0u, Status().rfind("Match 2 of ", 0)) << Status();
    CloseShell();
}
