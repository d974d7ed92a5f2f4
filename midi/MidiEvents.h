// The MIDI events of an audition, as data: what is sent to a synthesizer to select one entry of a
// bank and let it sound. Times are in ticks of 480 per quarter note at 120 beats per minute, so
// 960 ticks make a second, the same for a sequencer queue and for a Standard MIDI File.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kMidiTicksPerQuarter = 480;
constexpr uint32_t kMidiTempo = 500000; // microseconds per quarter note: 120 beats per minute
constexpr uint32_t kMidiTicksPerSecond = 960;
constexpr int kMidiDrumChannel = 10;

// One channel message at a time in ticks from the start of the audition. abData holds the status
// byte with its channel and one or two data bytes.
struct MIDIEVENT
{
    uint32_t dwTick = 0;
    uint8_t abData[3] = {0, 0, 0};
    uint8_t nSize = 0;

    bool operator==(const MIDIEVENT&) const = default;
};

// What an audition plays: an entry of the instrument list or of the drum-set list.
struct AUDITION
{
    bool bDrumset = false;
    uint16_t wProgram = 0;
    uint8_t byVariation = 0;
};

// Whether the channel (1-16) may play instruments: the drum channel 10 may not.
bool IsInstrumentChannel(int channel);

// The audition's events in time order, lasting nTicks: Bank Select MSB (controller 0) =
// variation, Bank Select LSB (controller 32) = 0 and Program Change = program, then middle C at
// velocity 100 for an instrument on channel, or a short figure on channel 10 for a drum set
// (bass drum 36, snare 38, closed hi-hat 42, crash 49), every note ended by its note off by
// nTicks. False with nothing in events for a program above 127, which no program change
// selects, or an instrument channel outside 1-16 or equal to 10.
bool BuildAudition(const AUDITION& audition, int channel, uint32_t nTicks, std::vector<MIDIEVENT>& events);

// All Notes Off (controller 123) on each channel (1-16) of the list, at tick 0.
std::vector<MIDIEVENT> AllNotesOff(const std::vector<int>& channels);

// The channel (1-16) an event is on.
inline int EventChannel(const MIDIEVENT& e)
{
    return (e.abData[0] & 0x0F) + 1;
}
