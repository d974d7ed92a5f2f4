// The events of an audition: which channel, which bank select and program change, and every note
// ended; what cannot be selected sends nothing.
#include "midi/MidiEvents.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
std::vector<MIDIEVENT> Audition(bool drumset, uint16_t program, uint8_t variation, int channel = 1)
{
    std::vector<MIDIEVENT> events;
    EXPECT_TRUE(BuildAudition({drumset, program, variation}, channel, 960, events));
    return events;
}

// The first three events: controller 0, controller 32, program change, all on channel.
void ExpectSelection(const std::vector<MIDIEVENT>& events, int channel, uint8_t variation, uint8_t program)
{
    ASSERT_GE(events.size(), 3u);
    const uint8_t ch = static_cast<uint8_t>(channel - 1);
    EXPECT_EQ((MIDIEVENT{0, {uint8_t(0xB0 | ch), 0, variation}, 3}), events[0]);
    EXPECT_EQ((MIDIEVENT{0, {uint8_t(0xB0 | ch), 32, 0}, 3}), events[1]);
    EXPECT_EQ((MIDIEVENT{0, {uint8_t(0xC0 | ch), program, 0}, 2}), events[2]);
}

// Every note on has a later note off of the same note, and nothing sounds past the end.
void ExpectNotesEnded(const std::vector<MIDIEVENT>& events, uint32_t end)
{
    std::map<uint8_t, int> sounding;
    uint32_t last = 0;
    for (const MIDIEVENT& e : events)
    {
        EXPECT_GE(e.dwTick, last) << "events out of order";
        last = e.dwTick;
        if ((e.abData[0] & 0xF0) == 0x90)
            ++sounding[e.abData[1]];
        else if ((e.abData[0] & 0xF0) == 0x80)
            --sounding[e.abData[1]];
        EXPECT_LE(e.dwTick, end);
    }
    for (const auto& [note, count] : sounding)
        EXPECT_EQ(0, count) << "note " << int(note);
}
} // namespace

TEST(MidiEventsTest, AnInstrumentSelectsItsVariationAndProgramThenPlaysMiddleC)
{
    for (uint8_t variation : {0, 1, 127})
    {
        const std::vector<MIDIEVENT> events = Audition(false, 5, variation, 3);
        ExpectSelection(events, 3, variation, 5);
        ASSERT_EQ(5u, events.size());
        EXPECT_EQ((MIDIEVENT{0, {0x92, 60, 100}, 3}), events[3]);
        EXPECT_EQ((MIDIEVENT{960, {0x82, 60, 0}, 3}), events[4]);
    }
    ExpectSelection(Audition(false, 127, 0, 16), 16, 0, 127);
}

TEST(MidiEventsTest, ADrumSetPlaysItsFigureOnChannelTenWhateverTheInstrumentChannel)
{
    const std::vector<MIDIEVENT> events = Audition(true, 25, 1, 3);
    ExpectSelection(events, 10, 1, 25);
    std::map<uint8_t, int> hits;
    for (const MIDIEVENT& e : events)
    {
        EXPECT_EQ(10, EventChannel(e));
        if ((e.abData[0] & 0xF0) == 0x90)
            ++hits[e.abData[1]];
    }
    EXPECT_EQ((std::map<uint8_t, int>{{36, 1}, {38, 1}, {42, 3}, {49, 1}}), hits);
    ExpectNotesEnded(events, 960);
}

TEST(MidiEventsTest, WhatNoMessageCanSelectIsRefusedWithNothingToSend)
{
    std::vector<MIDIEVENT> events(1);
    EXPECT_FALSE(BuildAudition({false, 128, 0}, 1, 960, events));
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(BuildAudition({true, 0xFFFF, 0}, 1, 960, events));
    EXPECT_FALSE(BuildAudition({false, 0, 128}, 1, 960, events));
    // An instrument on the drum channel, or on no channel at all.
    EXPECT_FALSE(BuildAudition({false, 0, 0}, 10, 960, events));
    EXPECT_FALSE(BuildAudition({false, 0, 0}, 0, 960, events));
    EXPECT_FALSE(BuildAudition({false, 0, 0}, 17, 960, events));
    EXPECT_TRUE(events.empty());
}

TEST(MidiEventsTest, AllNotesOffGoesToEveryChannelUsed)
{
    const std::vector<MIDIEVENT> events = AllNotesOff({1, 10, 0, 17});
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ((MIDIEVENT{0, {0xB0, 123, 0}, 3}), events[0]);
    EXPECT_EQ((MIDIEVENT{0, {0xB9, 123, 0}, 3}), events[1]);
}
