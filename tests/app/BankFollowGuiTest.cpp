// The window follows its bank on disk: changes made by `orvane-cli set` and `undo`, and a copy
// renamed over the bank, show on the page within seconds and are said in the status bar, with
// Undo and Redo naming the journal's changes; a removed bank is said to be gone and its page
// stays; the window's own changes are not taken for another program's; and after a touch, Undo
// stays on offer and says why it cannot undo.
#include "res/StringTable.h"
#include "support/BankBuilder.h"
#include "support/CliRunner.h"
#include "support/gui/InspectorTyping.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <functional>

namespace
{
class BankFollowGuiTest : public CShellFixture
{
protected:
    void SetUp() override
    {
        CShellFixture::SetUp();
        m_bank = MakeBank("follow.94b", "Concert");
        StartShell(m_bank);
        m_frame->Raise();
        PumpEvents();
    }

    std::string Page() const { return ReadFileText(Doc()->m_report.m_strOutputPath); }
    std::string Status() const { return m_frame->GetStatusBar()->GetStatusText(0).utf8_string(); }
    bool PageShows(const std::string& text) const { return Page().find(text) != std::string::npos; }

    // Lets the window run until done() holds, for at most about five seconds.
    static bool WaitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 100; ++i)
        {
            if (done())
                return true;
            PumpEvents();
            wxMilliSleep(50);
        }
        return done();
    }

    // The Edit menu's item as the idle-time update left it, before the menu opens.
    std::string Label(int id) const { return m_frame->GetMenuBar()->FindItem(id)->GetItemLabel().utf8_string(); }

    std::string m_bank;
};
} // namespace

TEST_F(BankFollowGuiTest, ChangesOfOtherProgramsShowOnThePageAndInTheEditMenu)
{
    ASSERT_FALSE(PageShows(">99<"));
    EXPECT_EQ("&Undo\tCtrl+Z", Label(wxID_UNDO));

    const CliRun set = RunCli({"set", m_bank, "--instrument", "0=99:0"});
    ASSERT_EQ(0, set.code) << set.err;
    ASSERT_TRUE(WaitFor([&] { return PageShows(">99<"); })) << "the page did not follow `orvane-cli set`: " << Status();
    EXPECT_EQ("follow.94b was changed by another program: the page shows it as it is now.", Status());
    ASSERT_TRUE(WaitFor([&] { return Label(wxID_UNDO) == "&Undo command-line change\tCtrl+Z"; })) << Label(wxID_UNDO);
    EXPECT_TRUE(IsEnabled(wxID_UNDO));

    ASSERT_EQ(0, RunCli({"undo", m_bank}).code);
    ASSERT_TRUE(WaitFor([&] { return !PageShows(">99<"); })) << "the page did not follow `orvane-cli undo`";
    ASSERT_TRUE(WaitFor([&] { return Label(wxID_REDO) == "&Redo command-line change\tCtrl+Y"; })) << Label(wxID_REDO);
    EXPECT_EQ("&Undo\tCtrl+Z", Label(wxID_UNDO));

    // Another bank copied beside it and renamed over it, as an editor saving a copy does.
    CBankBuilder other;
    other.Filler(16).Prio("Strings", 5).Imap({{77, 0}, {41, 0}}, {{0, 0}}).Filler(8);
    ASSERT_TRUE(other.WriteTo((m_dir / "follow.94b.tmp").string()));
    std::filesystem::rename(m_dir / "follow.94b.tmp", m_bank);
    ASSERT_TRUE(WaitFor([&] { return PageShows(">77<"); })) << "the page did not follow a copy renamed over the bank";

    // Removed: said so; the page keeps what it showed.
    std::filesystem::remove(m_bank);
    ASSERT_TRUE(WaitFor([&] { return Status() == "follow.94b is no longer on disk: the page shows it as it was."; }))
        << Status();
    EXPECT_TRUE(PageShows(">77<"));
    EXPECT_EQ(std::string::npos, View()->GetLocation().find("NoBank"));
}

TEST_F(BankFollowGuiTest, TheWindowsOwnChangeIsNotTakenForAnotherPrograms)
{
    ASSERT_TRUE(TypeFirstProgramInInspector("99"));
    ASSERT_TRUE(PageShows(">99<"));
    const auto written = std::filesystem::last_write_time(Doc()->m_report.m_strOutputPath);
    // Three looks at the bank: none finds a change to show.
    for (int i = 0; i < 30; ++i)
    {
        PumpEvents();
        wxMilliSleep(50);
    }
    EXPECT_EQ(std::string::npos, Status().find("another program")) << Status();
    EXPECT_EQ(written, std::filesystem::last_write_time(Doc()->m_report.m_strOutputPath));
}

TEST_F(BankFollowGuiTest, AfterATouchUndoSaysWhyItCannotUndo)
{
    ASSERT_TRUE(TypeFirstProgramInInspector("99"));
    const auto changed = ReadFileBytes(m_bank);
    std::filesystem::last_write_time(m_bank, std::filesystem::last_write_time(m_bank) + std::chrono::seconds(5));
    ASSERT_TRUE(WaitFor([&] { return Status().find("another program") != std::string::npos; })) << Status();

    // Still offered, with the reason as its prompt; chosen, the journal's message says it.
    ASSERT_TRUE(IsEnabled(wxID_UNDO));
    m_frame->GetMenuBar()->UpdateMenus();
    wxMenuItem* undo = m_frame->GetMenuBar()->FindItem(wxID_UNDO);
    EXPECT_EQ("&Undo inspector change\tCtrl+Z", undo->GetItemLabel().utf8_string());
    EXPECT_NE(std::string::npos, undo->GetHelp().utf8_string().find(
                                     "cannot be undone: the soundbank was changed by another program since."))
        << undo->GetHelp();
    FocusPage();
    wxUIActionSimulator keys;
    wxTEST_DIALOG(
        {
            keys.Char('z', wxMOD_CONTROL);
            PumpEvents();
        },
        ExpectMessage(GetString(IDS_UNDO_CHANGED), "Orvane", wxICON_EXCLAMATION));
    EXPECT_EQ(changed, ReadFileBytes(m_bank));
    EXPECT_TRUE(PageShows(">99<"));
}
