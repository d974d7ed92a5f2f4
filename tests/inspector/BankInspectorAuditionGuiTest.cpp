// Playing entries from the inspector's table as a user does: Space on a row, the play button,
// the context menu's item, a second press stopping, the drum-set list on the drum channel, the
// dialog's end silencing what sounds, and the disabled commands with their reason when nothing
// can be played.
#include "InspectorGuiFixture.h"

#include "inspector/InspectorAudition.h"
#include "support/RecordingMidiOutput.h"

#include <wx/timer.h>
#include <wx/tooltip.h>

namespace
{
class BankInspectorAuditionGuiTest : public CInspectorGuiFixture
{
protected:
    static std::string Status(CBankInspectorDlg& dlg) { return Text(dlg, CBankInspectorDlg::IDC_PLAYSTATUS); }
    static std::string Tip(CBankInspectorDlg& dlg)
    {
        wxToolTip* tip = dlg.FindWindow(CBankInspectorDlg::IDC_PLAY)->GetToolTip();
        return tip ? tip->GetTip().utf8_string() : "";
    }
    // The program change among the events of an audition.
    static const MIDIEVENT* ProgramChange(const std::vector<MIDIEVENT>& events)
    {
        for (const MIDIEVENT& e : events)
            if ((e.abData[0] & 0xF0) == 0xC0)
                return &e;
        return nullptr;
    }

    CRecordingMidiOutput m_output;
};
} // namespace

TEST_F(BankInspectorAuditionGuiTest, SpacePlaysTheRowUnderTheCursorAndASecondSpaceStopsIt)
{
    m_strMidiPort = "128:0";
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            EXPECT_TRUE(dlg.FindWindow(CBankInspectorDlg::IDC_PLAY)->IsEnabled());
            EXPECT_EQ(GetString(IDS_AUDITION_PLAYTIP), Tip(dlg));
            ClickCell(dlg, 0, 2);
            Key(WXK_SPACE);
            ASSERT_EQ(1u, m_output.m_played.size());
            EXPECT_EQ("128:0", m_output.m_strOpen);
            const MIDIEVENT* program = ProgramChange(m_output.m_played[0]);
            ASSERT_NE(nullptr, program);
            EXPECT_EQ((MIDIEVENT{0, {0xC0, 2, 0}, 2}), *program);
            EXPECT_EQ((MIDIEVENT{0, {0xB0, 0, 2}, 3}), m_output.m_played[0][0]); // variation 2
            EXPECT_EQ(CInspectorAudition::PlayingText(false, 2, dlg.m_bank.m_arrInstruments[2], "Card: Synth (128:0)"),
                      Status(dlg));
            EXPECT_FALSE(dlg.GetGrid()->IsEditing());

            Key(WXK_SPACE);
            EXPECT_EQ(1u, m_output.m_played.size());
            EXPECT_EQ((std::vector<std::vector<int>>{{1}}), m_output.m_stops);
            EXPECT_EQ(GetString(IDS_AUDITION_STOPPED), Status(dlg));

            // The drum-set list plays its entries on the drum channel.
            Click(dlg, CBankInspectorDlg::IDC_DRUMSETS);
            ClickCell(dlg, 1, 1);
            Key(WXK_SPACE);
            ASSERT_EQ(2u, m_output.m_played.size());
            EXPECT_EQ((MIDIEVENT{0, {0xC9, 1, 0}, 2}), *ProgramChange(m_output.m_played[1]));
            EXPECT_EQ(0u, Status(dlg).find("Playing drum set 1: "));
        });
    // The dialog's end silenced the drum set that was still sounding.
    EXPECT_EQ((std::vector<int>{10}), m_output.m_stops.back());
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(BankInspectorAuditionGuiTest, ThePlayButtonPlaysTheCurrentRowAndLeavesTheKeysToTheTable)
{
    m_strMidiPort = "128:0";
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            ClickCell(dlg, 1, 1);
            Click(dlg, CBankInspectorDlg::IDC_PLAY);
            ASSERT_EQ(1u, m_output.m_played.size());
            EXPECT_EQ((MIDIEVENT{0, {0xC0, 1, 0}, 2}), *ProgramChange(m_output.m_played[0]));
            // Space then stops it from the table, which kept the keyboard.
            Key(WXK_SPACE);
            EXPECT_EQ(1u, m_output.m_stops.size());
            EXPECT_EQ(1u, m_output.m_played.size());
        });
}

TEST_F(BankInspectorAuditionGuiTest, TheContextMenusPlayItemPlaysTheRowRightClicked)
{
    m_strMidiPort = "128:0";
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            ClickCell(dlg, 0, 0);
            // The menu runs a loop of its own until it closes: a timer picks its item from the
            // keyboard meanwhile, as a user does with Down and Enter.
            int picks = 0;
            wxTimer picker;
            picker.Bind(wxEVT_TIMER,
                        [&](wxTimerEvent&)
                        {
                            ++picks;
                            m_sim.Char(WXK_DOWN);
                            wxMilliSleep(50);
                            m_sim.Char(WXK_RETURN);
                        });
            picker.StartOnce(400);
            GRIDRECT rc;
            dlg.GetGrid()->GetCellBounds(0, 2, &rc);
            m_sim.MouseMove(Cells(dlg)->ClientToScreen(wxPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2)));
            Settle(3);
            m_sim.MouseClick(wxMOUSE_BTN_RIGHT);
            Settle(40);
            EXPECT_EQ(1, picks);
            // The right click made row 2 the current one, and the item played it.
            ASSERT_EQ(1u, m_output.m_played.size());
            EXPECT_EQ((MIDIEVENT{0, {0xC0, 2, 0}, 2}), *ProgramChange(m_output.m_played[0]));
            EXPECT_EQ(0u, Status(dlg).find("Playing instrument 2: "));
        });
}

TEST_F(BankInspectorAuditionGuiTest, ASpaceDuringAnEditTypesNothingAndPlaysNothing)
{
    m_strMidiPort = "128:0";
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            ClickCell(dlg, 1, 0);
            Type("5");
            ASSERT_TRUE(dlg.GetGrid()->IsEditing());
            Key(WXK_SPACE);
            EXPECT_TRUE(m_output.m_played.empty());
            Key(WXK_ESCAPE);
        });
}

TEST_F(BankInspectorAuditionGuiTest, WithoutASequencerThePlayCommandsAreDisabledAndSayWhy)
{
    m_output.m_strUnavailable = "no /dev/snd/seq";
    m_strMidiPort = "128:0";
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            EXPECT_FALSE(dlg.FindWindow(CBankInspectorDlg::IDC_PLAY)->IsEnabled());
            EXPECT_EQ("No MIDI sequencer: no /dev/snd/seq", Tip(dlg));
            ClickCell(dlg, 0, 1);
            Key(WXK_SPACE);
            EXPECT_EQ("No MIDI sequencer: no /dev/snd/seq", Status(dlg));
        });
    EXPECT_TRUE(m_output.m_played.empty());
    EXPECT_TRUE(m_output.m_stops.empty());

    // With a sequencer but no output chosen, the tip sends the user to Options.
    m_output.m_strUnavailable.clear();
    m_strMidiPort.clear();
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            EXPECT_FALSE(dlg.FindWindow(CBankInspectorDlg::IDC_PLAY)->IsEnabled());
            EXPECT_EQ(GetString(IDS_AUDITION_NOPORT), Tip(dlg));
        });
    EXPECT_TRUE(m_output.m_played.empty());
}
