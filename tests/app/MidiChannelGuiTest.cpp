// The instruments' channel chosen in Options reaches every way of playing from the window: the
// page's play links and Space in the inspector opened with Ctrl+I, on a bank's page and on a bank
// set's page; drum sets stay on channel 10.
#include "app/MidiOutputChoice.h"
#include "inspector/BankInspectorDlg.h"
#include "report/PlayLinks.h"
#include "support/BankBuilder.h"
#include "support/RecordingMidiOutput.h"
#include "support/gui/ChoiceAnswer.h"
#include "support/gui/InspectorTyping.h"
#include "support/gui/ShellFixture.h"

#include <wx/fileconf.h>
#include <wx/uiaction.h>

namespace
{
class MidiChannelGuiTest : public CShellFixture
{
protected:
    void ChooseOutputAndChannel(int channel)
    {
        wxConfigBase::Set(new wxFileConfig("", "", (m_dir / "orvane.conf").string(), "", wxCONFIG_USE_LOCAL_FILE));
        SaveMidiOutputChoice("128:0");
        SaveMidiChannel(channel);
    }
    // The channels the events of the nth audition played are on.
    std::set<int> Channels(size_t n) const
    {
        std::set<int> channels;
        for (const MIDIEVENT& e : m_output.m_played.at(n))
            channels.insert(EventChannel(e));
        return channels;
    }
    // Space on the instrument row nRow of the inspector opened with Ctrl+I.
    bool PlayInInspector(long nRow)
    {
        return RunInInspector(
            [&](CBankInspectorDlg& dlg, wxUIActionSimulator& sim)
            {
                ClickInspectorCell(dlg, sim, 0, nRow);
                sim.Char(WXK_SPACE);
                PumpEvents();
            });
    }

    CRecordingMidiOutput m_output;
};
} // namespace

TEST_F(MidiChannelGuiTest, PlayLinksAndTheInspectorPlayInstrumentsOnTheChosenChannel)
{
    ChooseOutputAndChannel(11);
    StartShell(MakeBank("x.94b"));
    FocusPage();
    ASSERT_TRUE(ClickPageLink(PlayLinkHref({false, 2, ""})));
    ASSERT_EQ(1u, m_output.m_played.size());
    EXPECT_EQ(std::set<int>{11}, Channels(0));
    ASSERT_TRUE(ClickPageLink(PlayLinkHref({true, 0, ""})));
    ASSERT_EQ(2u, m_output.m_played.size());
    EXPECT_EQ(std::set<int>{10}, Channels(1));

    ASSERT_TRUE(PlayInInspector(1)) << "Ctrl+I did not open the inspector";
    ASSERT_EQ(3u, m_output.m_played.size());
    EXPECT_EQ(std::set<int>{11}, Channels(2));
    EXPECT_EQ("128:0", m_output.m_strOpen);
}

TEST_F(MidiChannelGuiTest, TheInspectorOfABankOfASetPlaysOnTheChosenOutputAndChannel)
{
    ChooseOutputAndChannel(3);
    StartShell();
    CBankBuilder().Prio("Low", 1).Imap({{0, 1}}, {}).WriteTo(m_dir / "low.94b");
    CBankBuilder().Prio("High", 9).Imap({{9, 0}, {0, 1}}, {}).WriteTo(m_dir / "high.94b");
    ASSERT_TRUE(m_frame->OpenBankSet({(m_dir / "low.94b").string(), (m_dir / "high.94b").string()}));
    FocusPage();
    // Ctrl+I asks which bank first: Enter takes the one proposed.
    CChoiceAnswer chooser({WXK_RETURN});
    ASSERT_TRUE(PlayInInspector(0)) << "Ctrl+I did not open the inspector";
    EXPECT_FALSE(chooser.m_strTitle.empty());
    ASSERT_EQ(1u, m_output.m_played.size());
    EXPECT_EQ(std::set<int>{3}, Channels(0));
    EXPECT_EQ("128:0", m_output.m_strOpen);
}
