// CInspectorAudition: what the inspector's play key, menu item and button do, with no display.
// It finds the entry of a table row, plays it on the chosen port through the process-wide MIDI
// output (a second press stops it) and gives the line the dialog shows; while no port can be
// used it says why, and the dialog disables its play commands with that text as their tip.
#pragma once

#include "midi/AuditionPlayer.h"
#include "soundbank/SoundBank.h"

#include <string>

class CInspectorAudition
{
public:
    // port: the MIDI output chosen in Options ("" for none), as "client:port".
    explicit CInspectorAudition(std::string port, int channel = 1);

    // "" when entries can be played; otherwise why not ("No MIDI sequencer: REASON", or that
    // no output is chosen).
    std::string Unavailable() const { return m_strUnavailable; }

    enum RESULT
    {
        Nothing, // the row shows no entry, or nothing can be played: nothing sent
        Started,
        Stopped,
        Refused, // the entry's program is above 127: nothing sent, message shown
        Failed   // the port could not be reached: message shown
    };
    // Plays (or stops) entry nRow of the bank's instruments or drum sets; status is the line to
    // show afterwards.
    RESULT Press(const CSoundBank& bank, bool bDrumsets, long nRow, std::string& status);
    // Stops what sounds (All Notes Off on its channel).
    void Stop() { m_player.Stop(); }

    // "Card: Synth (128:0)" for a port the sequencer lists, else the setting as it is.
    static std::string PortLabel(IMidiOutput& output, const std::string& port);
    // "Playing instrument 3: Acoustic Grand Piano, program 0, variation 3 on PORT".
    static std::string PlayingText(bool bDrumset, long nIndex, const IMAPENTRY& entry, const std::string& portLabel);

private:
    CAuditionPlayer m_player;
    std::string m_strPort;
    std::string m_strPortLabel;
    std::string m_strUnavailable;
    int m_nChannel;
};
