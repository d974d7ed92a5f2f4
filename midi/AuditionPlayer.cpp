// What a play key does (see the header).
#include "midi/AuditionPlayer.h"

CAuditionPlayer::RESULT CAuditionPlayer::Toggle(const AUDITION& audition, int channel, const std::string& port,
                                                std::string& error, Clock::time_point now)
{
    const bool same = m_current.bDrumset == audition.bDrumset && m_current.wProgram == audition.wProgram &&
                      m_current.byVariation == audition.byVariation && port == m_strPort;
    if (IsPlaying(now) && same)
    {
        Stop();
        return Stopped;
    }
    std::vector<MIDIEVENT> events;
    if (!BuildAudition(audition, channel, kMidiTicksPerSecond, events))
        return Refused;
    // The audition sounding is cut off before the next one starts.
    Stop();
    if (const std::string reason = m_output.Unavailable(); !reason.empty())
    {
        error = reason;
        return Failed;
    }
    if (port != m_strPort || m_strPort.empty())
    {
        m_strPort.clear();
        if (!m_output.Open(port, error))
            return Failed;
        m_strPort = port;
    }
    if (!m_output.Play(events, error))
        return Failed;
    m_current = audition;
    m_nChannel = audition.bDrumset ? kMidiDrumChannel : channel;
    m_bStarted = true;
    m_end = now + kLength;
    return Started;
}

void CAuditionPlayer::Stop()
{
    // Also after an audition ended by itself: a synthesizer that missed a note off is silenced.
    if (m_bStarted)
        m_output.Stop({m_nChannel});
    m_bStarted = false;
}
