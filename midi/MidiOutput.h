// IMidiOutput: where auditions go, a port of the system's MIDI sequencer (a synthesizer, a
// card). The window and the command line play through this interface; tests give a recording
// one, so that nothing here needs a sound system.
#pragma once

#include "midi/MidiEvents.h"

#include <string>
#include <vector>

// A port a program can write to, as `aconnect -o` lists it.
struct MIDIPORT
{
    int nClient = 0;
    int nPort = 0;
    std::string strClient; // the client's name ("Midi Through")
    std::string strPort;   // the port's name ("Midi Through Port-0")

    // "14:0"
    std::string Address() const { return std::to_string(nClient) + ":" + std::to_string(nPort); }
};

class IMidiOutput
{
public:
    virtual ~IMidiOutput() = default;

    // Why no sequencer can be used here ("" when one can): no /dev/snd/seq in a container, say.
    virtual std::string Unavailable() = 0;
    // The ports that accept events, in the sequencer's order.
    virtual std::vector<MIDIPORT> ListPorts() = 0;
    // Sends to port: "client:port" numbers or names, as `aplaymidi -p` takes them. False with
    // error set.
    virtual bool Open(const std::string& port, std::string& error) = 0;
    // Hands events to the sequencer, scheduled from now on by their ticks; returns at once.
    virtual bool Play(const std::vector<MIDIEVENT>& events, std::string& error) = 0;
    // Drops what is still scheduled and sends All Notes Off at once on the channels.
    virtual void Stop(const std::vector<int>& channels) = 0;
};
