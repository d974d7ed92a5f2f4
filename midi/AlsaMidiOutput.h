// CAlsaMidiOutput: IMidiOutput on the ALSA sequencer. Events go through a queue of its own
// running at 480 ticks per quarter note and tempo 120, so an audition is scheduled at once and
// played by the sequencer while the caller goes on.
#pragma once

#include "midi/MidiOutput.h"

#include <memory>

class CAlsaMidiOutput : public IMidiOutput
{
public:
    explicit CAlsaMidiOutput(std::string clientName = "Orvane");
    ~CAlsaMidiOutput() override;
    CAlsaMidiOutput(const CAlsaMidiOutput&) = delete;
    CAlsaMidiOutput& operator=(const CAlsaMidiOutput&) = delete;

    std::string Unavailable() override;
    std::vector<MIDIPORT> ListPorts() override;
    bool Open(const std::string& port, std::string& error) override;
    bool Play(const std::vector<MIDIEVENT>& events, std::string& error) override;
    void Stop(const std::vector<int>& channels) override;

private:
    struct STATE;
    // Opens the sequencer client on first use; false with m_strUnavailable set.
    bool Connect();

    std::string m_strClientName;
    std::unique_ptr<STATE> m_pState;
    std::string m_strUnavailable;
    bool m_bTried = false;
};
