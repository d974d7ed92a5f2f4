// CAuditionPlayer: what a play key does. It plays an entry on a port; the same entry asked again
// while it sounds stops it; another entry stops the one sounding first. Stopping, and the end of
// the player, send All Notes Off on the channel that was used.
#pragma once

#include "midi/MidiOutput.h"

#include <chrono>
#include <string>

class CAuditionPlayer
{
public:
    using Clock = std::chrono::steady_clock;

    explicit CAuditionPlayer(IMidiOutput& output) : m_output(output) {}
    ~CAuditionPlayer() { Stop(); }
    CAuditionPlayer(const CAuditionPlayer&) = delete;
    CAuditionPlayer& operator=(const CAuditionPlayer&) = delete;

    enum RESULT
    {
        Started, // the entry plays
        Stopped, // it was playing and is stopped
        Refused, // nothing can select it (program above 127): nothing sent
        Failed   // no sequencer, or the port cannot be reached: error says why
    };
    // Plays audition on port with instruments on channel, or stops it when it is the one still
    // sounding at now.
    RESULT Toggle(const AUDITION& audition, int channel, const std::string& port, std::string& error,
                  Clock::time_point now = Clock::now());
    // Stops what was played last (All Notes Off on its channel) unless it was stopped already.
    void Stop();
    // Whether an audition still sounds at now.
    bool IsPlaying(Clock::time_point now = Clock::now()) const { return m_bStarted && now < m_end; }

    // How long an audition sounds.
    static constexpr std::chrono::milliseconds kLength{1000};

private:
    IMidiOutput& m_output;
    std::string m_strPort; // the port opened last
    AUDITION m_current;
    int m_nChannel = 0;      // the channel of what was played last
    bool m_bStarted = false; // played and not stopped since
    Clock::time_point m_end;
};
