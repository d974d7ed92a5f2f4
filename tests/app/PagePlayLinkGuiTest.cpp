// The play links of the mapping page in the window: a click on an entry's link plays it on the
// chosen MIDI output and the status bar says so, a second click stops it, the page file keeps
// no link, and without a sequencer the status bar says why nothing plays; on a bank set's page a
// link plays the entry that answers, from its own bank.
#include "app/MidiOutputChoice.h"
#include "report/PlayLinks.h"
#include "res/StringTable.h"
#include "support/BankBuilder.h"
#include "support/RecordingMidiOutput.h"
#include "support/gui/ShellFixture.h"

#include <wx/fileconf.h>
#include <wx/html/htmlcell.h>
#include <wx/uiaction.h>

#include <fstream>
#include <sstream>

namespace
{
class PagePlayLinkGuiTest : public CShellFixture
{
protected:
    void StartWithBank()
    {
        wxConfigBase::Set(new wxFileConfig("", "", (m_dir / "orvane.conf").string(), "", wxCONFIG_USE_LOCAL_FILE));
        SaveMidiOutputChoice("128:0");
        StartShell(MakeBank("x.94b"));
        FocusPage();
    }
    // Clicks the play link of an entry on the page on show, as a user does.
    void ClickPlayLink(bool bDrumset, uint64_t index, const std::string& bank = "")
    {
        ASSERT_TRUE(ClickPageLink(PlayLinkHref({bDrumset, index, bank})));
    }
    std::string Status() const { return m_frame->GetStatusBar()->GetStatusText(0).utf8_string(); }

    CRecordingMidiOutput m_output;
    wxUIActionSimulator m_keys;
};
} // namespace

TEST_F(PagePlayLinkGuiTest, AClickOnAnEntrysLinkPlaysItAndASecondClickStopsIt)
{
    StartWithBank();
    ClickPlayLink(false, 2);
    ASSERT_EQ(1u, m_output.m_played.size());
    // Entry 2 of the instruments: program 5, variation 8.
    EXPECT_EQ((MIDIEVENT{0, {0xB0, 0, 8}, 3}), m_output.m_played[0][0]);
    EXPECT_EQ((MIDIEVENT{0, {0xC0, 5, 0}, 2}), m_output.m_played[0][2]);
    EXPECT_EQ("Playing instrument 2: Electric Piano 2, program 5, variation 8 on Card: Synth (128:0)", Status());

    ClickPlayLink(false, 2);
    EXPECT_EQ(1u, m_output.m_played.size());
    EXPECT_EQ((std::vector<std::vector<int>>{{1}}), m_output.m_stops);
    EXPECT_EQ(GetString(IDS_AUDITION_STOPPED), Status());

    ClickPlayLink(true, 0);
    ASSERT_EQ(2u, m_output.m_played.size());
    EXPECT_EQ(10, EventChannel(m_output.m_played[1][0]));

    // The page's file, which Save As and the web browser copy, holds no link.
    std::ifstream in(Doc()->m_report.m_strOutputPath);
    std::stringstream page;
    page << in.rdbuf();
    EXPECT_NE(std::string::npos, page.str().find("Electric Piano 2"));
    EXPECT_EQ(std::string::npos, page.str().find("orvane-play:"));
}

TEST_F(PagePlayLinkGuiTest, WithoutASequencerTheStatusBarSaysWhyNothingPlays)
{
    m_output.m_strUnavailable = "no /dev/snd/seq";
    StartWithBank();
    ClickPlayLink(false, 0);
    EXPECT_TRUE(m_output.m_played.empty());
    EXPECT_EQ("No MIDI sequencer: no /dev/snd/seq", Status());
}

TEST_F(PagePlayLinkGuiTest, OnABankSetsPageALinkPlaysTheEntryThatAnswersFromItsOwnBank)
{
    wxConfigBase::Set(new wxFileConfig("", "", (m_dir / "orvane.conf").string(), "", wxCONFIG_USE_LOCAL_FILE));
    SaveMidiOutputChoice("128:0");
    StartShell();
    // "Low" maps program 0 at variation 1; "High", of a higher priority, maps it as its second entry.
    BankEntry low, first, second;
    low.program = 0;
    low.variation = 1;
    first.program = 9;
    second = low;
    CBankBuilder().Prio("Low", 1).Imap({low}, {}).WriteTo(m_dir / "low.94b");
    CBankBuilder().Prio("High", 9).Imap({first, second}, {}).WriteTo(m_dir / "high.94b");
    const std::string high = (m_dir / "high.94b").string();
    ASSERT_TRUE(m_frame->OpenBankSet({(m_dir / "low.94b").string(), high}));
    FocusPage();
    ClickPlayLink(false, 1, high);
    ASSERT_EQ(1u, m_output.m_played.size());
    EXPECT_EQ((MIDIEVENT{0, {0xB0, 0, 1}, 3}), m_output.m_played[0][0]);
    EXPECT_EQ((MIDIEVENT{0, {0xC0, 0, 0}, 2}), m_output.m_played[0][2]);
    // The set page's file holds no link.
    std::ifstream in(View()->GetBankSet().GetPagePath());
    std::stringstream page;
    page << in.rdbuf();
    EXPECT_EQ(std::string::npos, page.str().find("orvane-play:"));
}
