// The ALSA sequencer behind IMidiOutput (see the header).
#include "midi/AlsaMidiOutput.h"

#include <alsa/asoundlib.h>

struct CAlsaMidiOutput::STATE
{
    snd_seq_t* pSeq = nullptr;
    int nPort = -1;  // our own port, the source of every event
    int nQueue = -1; // our queue
    snd_seq_addr_t dest{};
    bool bConnected = false;
};

namespace
{
std::string AlsaError(int code)
{
    return snd_strerror(code);
}

// The library's own messages ("ALSA lib seq_hw.c: ... failed") would go to standard error
// beside ours; every failure is reported by its code instead.
extern "C" void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

// One channel message as a sequencer event from our port to its subscriber.
bool ToSeqEvent(const MIDIEVENT& e, snd_seq_event_t& ev)
{
    snd_seq_ev_clear(&ev);
    const int channel = e.abData[0] & 0x0F;
    switch (e.abData[0] & 0xF0)
    {
    case 0x80: snd_seq_ev_set_noteoff(&ev, channel, e.abData[1], e.abData[2]); return true;
    case 0x90: snd_seq_ev_set_noteon(&ev, channel, e.abData[1], e.abData[2]); return true;
    case 0xB0: snd_seq_ev_set_controller(&ev, channel, e.abData[1], e.abData[2]); return true;
    case 0xC0: snd_seq_ev_set_pgmchange(&ev, channel, e.abData[1]); return true;
    default: return false;
    }
}
} // namespace

CAlsaMidiOutput::CAlsaMidiOutput(std::string clientName) : m_strClientName(std::move(clientName)) {}

CAlsaMidiOutput::~CAlsaMidiOutput()
{
    if (m_pState && m_pState->pSeq)
        snd_seq_close(m_pState->pSeq);
}

bool CAlsaMidiOutput::Connect()
{
    if (m_bTried)
        return m_pState != nullptr;
    m_bTried = true;
    snd_lib_error_set_handler(QuietAlsa);
    auto state = std::make_unique<STATE>();
    int err = snd_seq_open(&state->pSeq, "default", SND_SEQ_OPEN_OUTPUT, 0);
    if (err < 0)
    {
        m_strUnavailable = AlsaError(err);
        return false;
    }
    snd_seq_set_client_name(state->pSeq, m_strClientName.c_str());
    state->nPort =
        snd_seq_create_simple_port(state->pSeq, "audition", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                   SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    state->nQueue = snd_seq_alloc_named_queue(state->pSeq, "audition");
    if (state->nPort < 0 || state->nQueue < 0)
    {
        m_strUnavailable = AlsaError(state->nPort < 0 ? state->nPort : state->nQueue);
        snd_seq_close(state->pSeq);
        return false;
    }
    snd_seq_queue_tempo_t* tempo = nullptr;
    snd_seq_queue_tempo_alloca(&tempo);
    snd_seq_queue_tempo_set_tempo(tempo, kMidiTempo);
    snd_seq_queue_tempo_set_ppq(tempo, kMidiTicksPerQuarter);
    snd_seq_set_queue_tempo(state->pSeq, state->nQueue, tempo);
    snd_seq_start_queue(state->pSeq, state->nQueue, nullptr);
    snd_seq_drain_output(state->pSeq);
    m_pState = std::move(state);
    return true;
}

std::string CAlsaMidiOutput::Unavailable()
{
    Connect();
    return m_strUnavailable;
}

std::vector<MIDIPORT> CAlsaMidiOutput::ListPorts()
{
    std::vector<MIDIPORT> ports;
    if (!Connect())
        return ports;
    snd_seq_t* seq = m_pState->pSeq;
    const int self = snd_seq_client_id(seq);
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq, client) >= 0)
    {
        const int id = snd_seq_client_info_get_client(client);
        if (id == self)
            continue;
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0)
        {
            // Writable by subscription and not hidden: what `aconnect -o` lists.
            const unsigned caps = snd_seq_port_info_get_capability(port);
            const unsigned wanted = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
            if ((caps & wanted) != wanted || (caps & SND_SEQ_PORT_CAP_NO_EXPORT))
                continue;
            ports.push_back({id, snd_seq_port_info_get_port(port), snd_seq_client_info_get_name(client),
                             snd_seq_port_info_get_name(port)});
        }
    }
    return ports;
}

bool CAlsaMidiOutput::Open(const std::string& port, std::string& error)
{
    if (!Connect())
    {
        error = m_strUnavailable;
        return false;
    }
    snd_seq_addr_t dest{};
    int err = snd_seq_parse_address(m_pState->pSeq, &dest, port.c_str());
    if (err < 0)
    {
        error = "no such port: " + port;
        return false;
    }
    if (m_pState->bConnected)
        snd_seq_disconnect_to(m_pState->pSeq, m_pState->nPort, m_pState->dest.client, m_pState->dest.port);
    m_pState->bConnected = false;
    err = snd_seq_connect_to(m_pState->pSeq, m_pState->nPort, dest.client, dest.port);
    if (err < 0)
    {
        error = "cannot connect to " + port + ": " + AlsaError(err);
        return false;
    }
    m_pState->dest = dest;
    m_pState->bConnected = true;
    return true;
}

bool CAlsaMidiOutput::Play(const std::vector<MIDIEVENT>& events, std::string& error)
{
    if (!m_pState || !m_pState->bConnected)
    {
        error = "no port is open";
        return false;
    }
    for (const MIDIEVENT& e : events)
    {
        snd_seq_event_t ev;
        if (!ToSeqEvent(e, ev))
            continue;
        snd_seq_ev_set_source(&ev, m_pState->nPort);
        snd_seq_ev_set_subs(&ev);
        // Relative to the queue's time now: the audition starts when it is handed over.
        snd_seq_ev_schedule_tick(&ev, m_pState->nQueue, 1, e.dwTick);
        const int err = snd_seq_event_output(m_pState->pSeq, &ev);
        if (err < 0)
        {
            error = AlsaError(err);
            return false;
        }
    }
    const int err = snd_seq_drain_output(m_pState->pSeq);
    if (err < 0)
    {
        error = AlsaError(err);
        return false;
    }
    return true;
}

void CAlsaMidiOutput::Stop(const std::vector<int>& channels)
{
    if (!m_pState)
        return;
    snd_seq_t* seq = m_pState->pSeq;
    // What is still in our buffer or waiting in the queue is dropped.
    snd_seq_drop_output(seq);
    snd_seq_remove_events_t* remove = nullptr;
    snd_seq_remove_events_alloca(&remove);
    snd_seq_remove_events_set_condition(remove, SND_SEQ_REMOVE_OUTPUT | SND_SEQ_REMOVE_DEST);
    snd_seq_remove_events_set_queue(remove, m_pState->nQueue);
    snd_seq_remove_events_set_dest(remove, &m_pState->dest);
    snd_seq_remove_events(seq, remove);
    if (!m_pState->bConnected)
        return;
    for (const MIDIEVENT& e : AllNotesOff(channels))
    {
        snd_seq_event_t ev;
        ToSeqEvent(e, ev);
        snd_seq_ev_set_source(&ev, m_pState->nPort);
        snd_seq_ev_set_subs(&ev);
        snd_seq_ev_set_direct(&ev);
        snd_seq_event_output(seq, &ev);
    }
    snd_seq_drain_output(seq);
}
