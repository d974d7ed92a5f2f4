// The inspector's play commands without a display: the entry of a row played on the chosen
// port and stopped by a second press, the status line's words, the refusal of a program no
// program change selects, and the reasons the commands are disabled.
#include "inspector/InspectorAudition.h"

#include "res/StringTable.h"
#include "support/MessageRecorder.h"
#include "support/RecordingMidiOutput.h"

#include <gtest/gtest.h>

namespace
{
class InspectorAuditionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_bank.m_arrInstruments = {Entry(0, 3), Entry(200, 0), Entry(40, 1)};
        m_bank.m_arrDrumsets = {Entry(25, 0), Entry(3, 0)};
    }
    static IMAPENTRY Entry(uint16_t program, uint8_t variation)
    {
        IMAPENTRY e{};
        e.wProgram = program;
        e.byVariation = variation;
        return e;
    }

    CRecordingMidiOutput m_output;
    CMessageRecorder m_messages{AnswerOk};
    CSoundBank m_bank;
    std::string m_status;
};
} // namespace

TEST_F(InspectorAuditionTest, ARowPlaysItsEntryAndASecondPressStopsIt)
{
    CInspectorAudition audition("128:0", 2);
    EXPECT_EQ("", audition.Unavailable());
    EXPECT_EQ(CInspectorAudition::Started, audition.Press(m_bank, false, 0, m_status));
    EXPECT_EQ("Playing instrument 0: Acoustic Grand Piano, program 0, variation 3 on Card: Synth (128:0)", m_status);
    ASSERT_EQ(1u, m_output.m_played.size());
    const std::vector<MIDIEVENT>& events = m_output.m_played[0];
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ((MIDIEVENT{0, {0xB1, 0, 3}, 3}), events[0]);  // bank select MSB = variation, channel 2
    EXPECT_EQ((MIDIEVENT{0, {0xB1, 32, 0}, 3}), events[1]); // bank select LSB
    EXPECT_EQ((MIDIEVENT{0, {0xC1, 0, 0}, 2}), events[2]);  // program change

    EXPECT_EQ(CInspectorAudition::Stopped, audition.Press(m_bank, false, 0, m_status));
    EXPECT_EQ(GetString(IDS_AUDITION_STOPPED), m_status);
    EXPECT_EQ((std::vector<std::vector<int>>{{2}}), m_output.m_stops);

    // A drum set plays on the drum channel; the end of the audition silences it.
    {
        CInspectorAudition drums("128:0");
        EXPECT_EQ(CInspectorAudition::Started, drums.Press(m_bank, true, 0, m_status));
        EXPECT_EQ("Playing drum set 0: TR-808, program 25, variation 0 on Card: Synth (128:0)", m_status);
        EXPECT_EQ(10, EventChannel(m_output.m_played.back()[0]));
    }
    EXPECT_EQ((std::vector<int>{10}), m_output.m_stops.back());
    // A program without a General MIDI name is called by its number.
    CInspectorAudition unnamed("128:0");
    EXPECT_EQ(CInspectorAudition::Started, unnamed.Press(m_bank, true, 1, m_status));
    EXPECT_EQ("Playing drum set 1: Program 3, program 3, variation 0 on Card: Synth (128:0)", m_status);
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(InspectorAuditionTest, RowsWithoutAnEntryAndProgramsAbove127SendNothing)
{
    CInspectorAudition audition("128:0");
    m_status = "before";
    EXPECT_EQ(CInspectorAudition::Nothing, audition.Press(m_bank, false, 3, m_status));
    EXPECT_EQ(CInspectorAudition::Nothing, audition.Press(m_bank, true, 2, m_status));
    EXPECT_EQ(CInspectorAudition::Nothing, audition.Press(m_bank, false, -1, m_status));
    EXPECT_EQ("before", m_status);
    EXPECT_TRUE(m_messages.m_messages.empty());

    EXPECT_EQ(CInspectorAudition::Refused, audition.Press(m_bank, false, 1, m_status));
    EXPECT_TRUE(m_output.m_played.empty());
    ASSERT_EQ(1u, m_messages.m_messages.size());
    EXPECT_EQ("The instrument 1 has program 200, which no program change can select (0 to 127). Nothing was sent.",
              m_messages.m_messages[0].text);
}

TEST_F(InspectorAuditionTest, APortThatFailsIsReportedAndNothingCounts)
{
    CInspectorAudition audition("99:0");
    EXPECT_EQ(CInspectorAudition::Failed, audition.Press(m_bank, false, 0, m_status));
    EXPECT_EQ("", m_status);
    ASSERT_EQ(1u, m_messages.m_messages.size());
    EXPECT_EQ("The entry could not be played on 99:0: no such port: 99:0", m_messages.m_messages[0].text);
    EXPECT_TRUE(m_output.m_played.empty());
}

TEST_F(InspectorAuditionTest, WithoutASequencerOrAPortTheCommandsSayWhy)
{
    m_output.m_strUnavailable = "no /dev/snd/seq";
    CInspectorAudition noSequencer("128:0");
    EXPECT_EQ("No MIDI sequencer: no /dev/snd/seq", noSequencer.Unavailable());
    EXPECT_EQ(CInspectorAudition::Nothing, noSequencer.Press(m_bank, false, 0, m_status));

    m_output.m_strUnavailable.clear();
    CInspectorAudition noPort("");
    EXPECT_EQ(GetString(IDS_AUDITION_NOPORT), noPort.Unavailable());
    EXPECT_EQ(CInspectorAudition::Nothing, noPort.Press(m_bank, false, 0, m_status));
    EXPECT_TRUE(m_output.m_played.empty());
    EXPECT_TRUE(m_messages.m_messages.empty());
}
