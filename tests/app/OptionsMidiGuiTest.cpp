// The MIDI output in Options: the sequencer's ports with "None" first, chosen from the keyboard
// and kept in the user's configuration; without a sequencer a disabled list that says why and
// keeps the choice made on a machine that had one; the instruments' channel, which never offers
// the drum channel 10.
#include "app/MidiOutputChoice.h"
#include "app/OptionsDlg.h"
#include "app/Settings.h"
#include "report/MappingReport.h"
#include "res/StringTable.h"
#include "support/MessageRecorder.h"
#include "support/RecordingMidiOutput.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/fileconf.h>
#include <wx/stattext.h>
#include <wx/tooltip.h>
#include <wx/uiaction.h>

#include <functional>

namespace
{
class OptionsMidiGuiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pBefore =
            wxConfigBase::Set(new wxFileConfig("", "", (m_dir / "orvane.conf").string(), "", wxCONFIG_USE_LOCAL_FILE));
    }
    void TearDown() override { delete wxConfigBase::Set(m_pBefore); }

    static void Settle(int nRounds = 8)
    {
        for (int i = 0; i < nRounds; ++i)
        {
            wxYield();
            wxTheApp->ProcessIdle();
            wxMilliSleep(15);
        }
    }
    // Shows Options modally and runs script inside its loop; a dialog left open is cancelled.
    int RunOptions(const std::function<void(COptionsDlg&)>& script)
    {
        COptionsDlg dlg(nullptr, &m_report, m_settings);
        dlg.CallAfter(
            [&]
            {
                dlg.Raise();
                Settle(20);
                script(dlg);
                Settle();
                if (dlg.IsModal())
                    dlg.EndModal(wxID_ABORT);
            });
        return dlg.ShowModal();
    }
    void ClickOk(COptionsDlg& dlg)
    {
        wxWindow* ok = dlg.FindWindow(wxID_OK);
        m_sim.MouseMove(ok->GetScreenRect().GetPosition() + ok->GetClientSize() / 2);
        Settle(3);
        m_sim.MouseClick();
        Settle();
    }
    static wxChoice* List(COptionsDlg& dlg)
    {
        return dynamic_cast<wxChoice*>(dlg.FindWindow(COptionsDlg::IDC_MIDI_OUTPUT));
    }
    static wxChoice* Channels(COptionsDlg& dlg)
    {
        return dynamic_cast<wxChoice*>(dlg.FindWindow(COptionsDlg::IDC_MIDI_CHANNEL));
    }
    static std::string ChannelShown(COptionsDlg& dlg) { return Channels(dlg)->GetStringSelection().utf8_string(); }

    CTempDir m_dir;
    wxConfigBase* m_pBefore = nullptr;
    CMappingReport m_report;
    CSettings m_settings;
    CMessageRecorder m_messages{AnswerOk};
    CRecordingMidiOutput m_output;
    wxUIActionSimulator m_sim;
};
} // namespace

TEST_F(OptionsMidiGuiTest, APortChosenFromTheKeyboardIsKeptInTheConfiguration)
{
    EXPECT_EQ(wxID_OK, RunOptions(
                           [&](COptionsDlg& dlg)
                           {
                               wxChoice* list = List(dlg);
                               ASSERT_NE(nullptr, list);
                               EXPECT_TRUE(list->IsEnabled());
                               ASSERT_EQ(3u, list->GetCount());
                               EXPECT_EQ(GetString(IDS_MIDI_NONE), list->GetString(0).utf8_string());
                               EXPECT_EQ("128:0  Card: Synth", list->GetString(1).utf8_string());
                               EXPECT_EQ(0, list->GetSelection());
                               list->SetFocus();
                               Settle();
                               m_sim.Char(WXK_DOWN);
                               Settle();
                               EXPECT_EQ(1, list->GetSelection());
                               ClickOk(dlg);
                           }));
    EXPECT_EQ("128:0", LoadMidiOutputChoice());
    // Options opens again at the port chosen.
    RunOptions([&](COptionsDlg& dlg) { EXPECT_EQ(1, List(dlg)->GetSelection()); });

    // A port the sequencer no longer lists is still offered, chosen, rather than lost.
    m_output.m_ports.erase(m_output.m_ports.begin());
    RunOptions(
        [&](COptionsDlg& dlg)
        {
            ASSERT_EQ(3u, List(dlg)->GetCount());
            EXPECT_EQ(2, List(dlg)->GetSelection());
            EXPECT_EQ("128:0", List(dlg)->GetString(2).utf8_string());
        });
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(OptionsMidiGuiTest, WithoutASequencerTheListIsDisabledSaysWhyAndKeepsTheChoice)
{
    SaveMidiOutputChoice("128:0");
    m_output.m_strUnavailable = "no /dev/snd/seq";
    EXPECT_EQ(wxID_OK, RunOptions(
                           [&](COptionsDlg& dlg)
                           {
                               wxChoice* list = List(dlg);
                               ASSERT_NE(nullptr, list);
                               EXPECT_FALSE(list->IsEnabled());
                               ASSERT_EQ(1u, list->GetCount());
                               EXPECT_EQ(GetString(IDS_MIDI_NONE), list->GetString(0).utf8_string());
                               ASSERT_NE(nullptr, list->GetToolTip());
                               EXPECT_EQ("No MIDI sequencer: no /dev/snd/seq", list->GetToolTip()->GetTip());
                               wxWindow* tip = dlg.FindWindow(COptionsDlg::IDC_MIDI_TIP);
                               ASSERT_NE(nullptr, tip);
                               EXPECT_EQ("No MIDI sequencer: no /dev/snd/seq", tip->GetLabel());
                               ClickOk(dlg);
                           }));
    EXPECT_EQ("128:0", LoadMidiOutputChoice());
}

TEST_F(OptionsMidiGuiTest, TheInstrumentsChannelIsTypedAfterTheOutputAndNeverTheDrumChannel)
{
    EXPECT_EQ(wxID_OK, RunOptions(
                           [&](COptionsDlg& dlg)
                           {
                               wxChoice* channels = Channels(dlg);
                               ASSERT_NE(nullptr, channels);
                               ASSERT_EQ(15u, channels->GetCount());
                               EXPECT_EQ(wxNOT_FOUND, channels->FindString("10"));
                               EXPECT_EQ("1", ChannelShown(dlg));
                               // Tab goes from the output to the channel; nine Downs pass 9 and
                               // land on 11.
                               List(dlg)->SetFocus();
                               Settle();
                               m_sim.Char(WXK_TAB);
                               Settle();
                               for (int i = 0; i < 9; ++i)
                               {
                                   m_sim.Char(WXK_DOWN);
                                   Settle(2);
                               }
                               EXPECT_EQ("11", ChannelShown(dlg));
                               ClickOk(dlg);
                           }));
    EXPECT_EQ(11, LoadMidiChannel());
    RunOptions([&](COptionsDlg& dlg) { EXPECT_EQ("11", ChannelShown(dlg)); });

    // Cancel keeps the channel kept before.
    EXPECT_NE(wxID_OK, RunOptions(
                           [&](COptionsDlg& dlg)
                           {
                               Channels(dlg)->SetFocus();
                               Settle();
                               m_sim.Char(WXK_UP);
                               Settle();
                               EXPECT_EQ("9", ChannelShown(dlg));
                               m_sim.Char(WXK_ESCAPE);
                               Settle();
                           }));
    EXPECT_EQ(11, LoadMidiChannel());

    // A kept value that is no instrument channel (the drum channel, or one edited by hand) is
    // shown and played as channel 1.
    for (long kept : {10L, 0L, 17L, -3L})
    {
        wxConfigBase::Get()->Write("/MIDI/Channel", kept);
        EXPECT_EQ(1, LoadMidiChannel()) << kept;
        RunOptions([&](COptionsDlg& dlg) { EXPECT_EQ("1", ChannelShown(dlg)) << kept; });
    }
    EXPECT_TRUE(m_messages.m_messages.empty());
}
