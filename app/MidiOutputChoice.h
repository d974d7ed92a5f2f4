// The MIDI output the window plays entries on: the user's choice, kept in the user's
// configuration beside the recent files, and the list Options offers it from.
#pragma once

#include <string>
#include <vector>

class IMidiOutput;

// The chosen port as "client:port"; "" for none.
std::string LoadMidiOutputChoice();
void SaveMidiOutputChoice(const std::string& port);

// The channel instruments play on (drum sets always play on 10): 1 to 16 but never 10, kept
// beside the output; 1 when none is kept or the kept one is not an instrument channel.
int LoadMidiChannel();
void SaveMidiChannel(int channel);

// The entries of the Options list: "None" first (an empty address), then the sequencer's ports,
// then a chosen port the sequencer does not list now, so that opening Options never loses it.
struct MIDICHOICE
{
    std::string strAddress;
    std::string strLabel;
};
std::vector<MIDICHOICE> MidiOutputChoices(IMidiOutput& output, const std::string& chosen);
