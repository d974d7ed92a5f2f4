// orvane-cli ports, play and tour, through a recording MIDI output (no sound system needed).
#include "support/BankBuilder.h"
#include "support/CliRunner.h"
#include "support/RecordingMidiOutput.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>

using ::testing::HasSubstr;

namespace
{
BankEntry Entry(uint16_t program, uint8_t variation)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

class MidiCommandTest : public ::testing::Test
{
protected:
    MidiCommandTest()
    {
        CBankBuilder bank;
        bank.Prio("Two", 5).Imap({Entry(0, 3), Entry(300, 0)}, {Entry(25, 1)});
        bank.WriteTo(m_bank);
    }

    CTempDir m_dir;
    std::string m_bank = (m_dir / "two.94b").string();
    CRecordingMidiOutput m_output;
};

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

TEST_F(MidiCommandTest, PortsListsAddressesAndNamesAsTextAndJson)
{
    CliRun text = RunCli({"ports"});
    EXPECT_EQ(0, text.code) << text.err;
    EXPECT_EQ("128:0\tCard\tSynth\n14:0\tMidi Through\tMidi Through Port-0\n", text.out);
    CliRun json = RunCli({"ports", "--json"});
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    ASSERT_EQ(2u, doc["ports"].size());
    EXPECT_EQ("128:0", doc["ports"][0]["address"]);
    EXPECT_EQ("Midi Through Port-0", doc["ports"][1]["port_name"]);
}

TEST_F(MidiCommandTest, WithoutASequencerEveryMidiCommandSaysWhyAndExitsOne)
{
    m_output.m_strUnavailable = "No such file or directory";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"ports"}, {"play", "--port", "128:0", "--instrument", "0", m_bank}})
    {
        CliRun run = RunCli(args);
        EXPECT_EQ(1, run.code);
        EXPECT_EQ("orvane-cli: no MIDI sequencer: No such file or directory\n", run.err);
    }
    EXPECT_TRUE(m_output.m_played.empty());
    // A tour needs no sequencer.
    EXPECT_EQ(0, RunCli({"tour", "-o", (m_dir / "t.mid").string(), m_bank}).code);
}

TEST_F(MidiCommandTest, PlaySendsTheEntrysAuditionToThePortNamed)
{
    CliRun run = RunCli({"play", "--port", "Card", "--drumset", "0", m_bank});
    EXPECT_EQ(0, run.code) << run.err;
    EXPECT_EQ("Playing drum set 0: TR-808, program 25, variation 1 on Card\n", run.out);
    EXPECT_EQ("Card", m_output.m_strOpen);
    ASSERT_EQ(1u, m_output.m_played.size());
    const std::vector<MIDIEVENT>& events = m_output.m_played[0];
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ((MIDIEVENT{0, {0xB9, 0, 1}, 3}), events[0]);
    EXPECT_EQ((MIDIEVENT{0, {0xC9, 25, 0}, 2}), events[2]);
}

TEST_F(MidiCommandTest, PlayRefusesWhatCannotBePlayedAndSendsNothing)
{
    CliRun high = RunCli({"play", "--port", "128:0", "--instrument", "1", m_bank});
    EXPECT_EQ(1, high.code);
    EXPECT_THAT(high.err, HasSubstr("instrument 1 has program 300, which no program change can select"));
    CliRun missing = RunCli({"play", "--port", "128:0", "--instrument", "2", m_bank});
    EXPECT_EQ(2, missing.code);
    EXPECT_THAT(missing.err, HasSubstr("instrument 2 does not exist (the bank has 2)"));
    CliRun port = RunCli({"play", "--port", "99:0", "--instrument", "0", m_bank});
    EXPECT_EQ(1, port.code);
    EXPECT_THAT(port.err, HasSubstr("no such port: 99:0"));
    EXPECT_EQ(2, RunCli({"play", "--port", "128:0", m_bank}).code);
    EXPECT_EQ(2, RunCli({"play", "--port", "128:0", "--instrument", "0", "--drumset", "0", m_bank}).code);
    EXPECT_EQ(2, RunCli({"play", "--port", "128:0", "--instrument", "0", "--channel", "10", m_bank}).code);
    EXPECT_TRUE(m_output.m_played.empty());
}

TEST_F(MidiCommandTest, TourWritesTheFileOrStandardOutputAndWarnsOfWhatItLeftOut)
{
    const auto path = m_dir / "tour.mid";
    CliRun run = RunCli({"tour", "-o", path.string(), "--seconds", "1", m_bank});
    EXPECT_EQ(0, run.code) << run.err;
    EXPECT_EQ("orvane-cli: warning: 1 entries with a program above 127 left out\n", run.err);
    const std::string file = ReadAll(path);
    EXPECT_EQ("MThd", file.substr(0, 4));
    EXPECT_EQ(file, RunCli({"tour", "--seconds", "1", m_bank}).out);
    // Nothing beside the file is left behind.
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}));

    EXPECT_EQ(2, RunCli({"tour", "--seconds", "0.1", m_bank}).code);
    EXPECT_EQ(2, RunCli({"tour", "--channel", "10", m_bank}).code);
    CliRun unreadable = RunCli({"tour", "-o", path.string(), "--seconds", "1", (m_dir / "none.94b").string(), m_bank});
    EXPECT_EQ(1, unreadable.code);
    EXPECT_EQ(file, ReadAll(path));
}
