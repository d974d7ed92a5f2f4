// A MIDI output for tests: records what is played and stopped, lists the ports it is given, and
// can stand for a machine without a sequencer.
#pragma once

#include "midi/MidiOutputSlot.h"

#include <string>
#include <vector>

class CRecordingMidiOutput : public IMidiOutput
{
public:
    CRecordingMidiOutput() : m_scope(MidiOutputSlot(), this) {}

    std::string Unavailable() override { return m_strUnavailable; }
    std::vector<MIDIPORT> ListPorts() override { return m_ports; }
    bool Open(const std::string& port, std::string& error) override
    {
        for (const MIDIPORT& p : m_ports)
            if (p.Address() == port || p.strClient == port)
            {
                m_strOpen = port;
                return true;
            }
        error = "no such port: " + port;
        return false;
    }
    bool Play(const std::vector<MIDIEVENT>& events, std::string&) override
    {
        m_played.push_back(events);
        return true;
    }
    void Stop(const std::vector<int>& channels) override { m_stops.push_back(channels); }

    std::string m_strUnavailable;
    std::vector<MIDIPORT> m_ports{{128, 0, "Card", "Synth"}, {14, 0, "Midi Through", "Midi Through Port-0"}};
    std::string m_strOpen;
    std::vector<std::vector<MIDIEVENT>> m_played;
    std::vector<std::vector<int>> m_stops;

private:
    CSlot<IMidiOutput>::CScope m_scope;
};
