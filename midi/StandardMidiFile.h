// CStandardMidiFile: a Standard MIDI File of format 0 (one track), 480 ticks per quarter note,
// tempo 120, built in memory from events and marker meta events at absolute ticks.
#pragma once

#include "midi/MidiEvents.h"

#include <cstdint>
#include <string>

class CStandardMidiFile
{
public:
    CStandardMidiFile();

    // A marker meta event (type 6) at tick; the text is written as it is (UTF-8).
    void AddMarker(uint32_t tick, const std::string& text);
    // A channel message at its tick plus offset.
    void AddEvent(const MIDIEVENT& event, uint32_t offset = 0);
    // Ends the track at tick (never before the last event) and gives the whole file. Nothing can
    // be added afterwards.
    const std::string& Finish(uint32_t tick);

private:
    void Delta(uint32_t tick);
    void VarLen(uint32_t value);

    std::string m_track;
    std::string m_file;
    uint32_t m_dwLastTick = 0;
};
