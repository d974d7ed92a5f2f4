// The ALSA sequencer output on this machine: without a sequencer it says why and plays nothing;
// with one (the snd-seq-dummy module gives a "Midi Through" port) an audition goes through a real
// port and is stopped.
#include "midi/AlsaMidiOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

TEST(AlsaMidiOutputTest, WithoutASequencerNothingOpensAndTheReasonIsGiven)
{
    CAlsaMidiOutput output("Orvane test");
    const std::string reason = output.Unavailable();
    if (reason.empty())
        GTEST_SKIP() << "this machine has an ALSA sequencer";
    EXPECT_TRUE(output.ListPorts().empty());
    std::string error;
    EXPECT_FALSE(output.Open("14:0", error));
    EXPECT_EQ(reason, error);
    EXPECT_FALSE(output.Play(AllNotesOff({1}), error));
    output.Stop({1});
}

TEST(AlsaMidiOutputTest, AnAuditionPlaysThroughARealPortAndStops)
{
    CAlsaMidiOutput output("Orvane test");
    if (const std::string reason = output.Unavailable(); !reason.empty())
        GTEST_SKIP() << "no ALSA sequencer here (" << reason << "); load snd-seq-dummy to run this test";
    const std::vector<MIDIPORT> ports = output.ListPorts();
    auto through =
        std::find_if(ports.begin(), ports.end(), [](const MIDIPORT& p) { return p.strClient == "Midi Through"; });
    if (through == ports.end())
        GTEST_SKIP() << "the sequencer has no Midi Through port (snd-seq-dummy is not loaded)";
    std::string error;
    ASSERT_TRUE(output.Open(through->Address(), error)) << error;
    std::vector<MIDIEVENT> events;
    ASSERT_TRUE(BuildAudition({false, 0, 1}, 1, 96, events));
    EXPECT_TRUE(output.Play(events, error)) << error;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    output.Stop({1});
    EXPECT_FALSE(output.Open("no such client", error));
}
