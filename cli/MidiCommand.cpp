// orvane-cli ports and play: the MIDI sequencer's ports, and one entry of a bank played on one of
// them (the selection, then a note or the drum figure). Banks are only read.
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "midi/MidiEvents.h"
#include "midi/MidiOutputSlot.h"
#include "soundbank/GmNames.h"
#include "soundbank/SoundBank.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <csignal>
#include <ostream>
#include <thread>

namespace
{
const char* const kPortsHead = "Usage: orvane-cli ports [--json]\n\n"
                               "Lists the MIDI sequencer's ports that accept events (a card's synthesizer, a\n"
                               "software synthesizer), as `aconnect -o` does: address, client and port name.";
const char* const kPlayHead = "Usage: orvane-cli play --port PORT (--instrument I | --drumset J) [--channel C] BANK\n\n"
                              "Plays entry I of the bank's instrument list (or J of its drum-set list, counted\n"
                              "from 0) on the sequencer port: Bank Select MSB = variation, LSB = 0, Program\n"
                              "Change = program, then middle C for a second (a drum figure on channel 10 for a drum\n"
                              "set). Returns when the audition ends; Ctrl+C stops it and sends All Notes Off.";
const char* const kMidiFooter =
    "Exit status: 0 done, 1 no MIDI sequencer, no such port, or a bank or entry that cannot\n"
    "be played, 2 usage error, 130 stopped by Ctrl+C.";

// Says why nothing can be played here; empty when a sequencer is at hand.
bool NoSequencer(IMidiOutput& output, std::ostream& err)
{
    const std::string reason = output.Unavailable();
    if (reason.empty())
        return false;
    err << "orvane-cli: no MIDI sequencer: " << reason << "\n";
    return true;
}

int RunPorts(bool json, std::ostream& out, std::ostream& err)
{
    IMidiOutput& output = MidiOutputSlot().Get();
    if (NoSequencer(output, err))
        return kCliBankFailed;
    const std::vector<MIDIPORT> ports = output.ListPorts();
    if (json)
    {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const MIDIPORT& p : ports)
            list.push_back({{"address", p.Address()},
                            {"client", p.nClient},
                            {"port", p.nPort},
                            {"client_name", p.strClient},
                            {"port_name", p.strPort}});
        WriteJsonDocument(out, nlohmann::ordered_json{{"ports", std::move(list)}});
        return kCliOk;
    }
    for (const MIDIPORT& p : ports)
        out << p.Address() << "\t" << PrintableText(p.strClient) << "\t" << PrintableText(p.strPort) << "\n";
    return kCliOk;
}

struct PLAYOPTIONS
{
    std::string port;
    unsigned long nInstrument = 0;
    unsigned long nDrumset = 0;
    bool bDrumset = false;
    int nChannel = 1;
    std::string bank;
};

bool ParseIndex(const std::string& text, unsigned long& value)
{
    return ParseDecimal(text, 99999999, value);
}

std::atomic<bool> g_bInterrupted{false};

extern "C" void OnInterrupt(int)
{
    g_bInterrupted = true;
}

// Ctrl+C (and SIGTERM) stop the audition instead of the program while it plays.
class CInterruptScope
{
public:
    CInterruptScope()
    {
        g_bInterrupted = false;
        struct sigaction action = {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_oldInt);
        sigaction(SIGTERM, &action, &m_oldTerm);
    }
    ~CInterruptScope()
    {
        sigaction(SIGINT, &m_oldInt, nullptr);
        sigaction(SIGTERM, &m_oldTerm, nullptr);
    }
    CInterruptScope(const CInterruptScope&) = delete;
    CInterruptScope& operator=(const CInterruptScope&) = delete;

private:
    struct sigaction m_oldInt = {};
    struct sigaction m_oldTerm = {};
};

int RunPlay(const PLAYOPTIONS& options, std::ostream& out, std::ostream& err)
{
    const bool drumset = options.bDrumset;
    const unsigned long index = drumset ? options.nDrumset : options.nInstrument;
    const char* kind = drumset ? "drum set" : "instrument";
    if (!drumset && !IsInstrumentChannel(options.nChannel))
        return UsageError(err, "play", "--channel must be 1 to 16 but not 10 (the drum channel)");

    CCliMessageSink sink(err);
    sink.m_strBank = options.bank;
    CSoundBank bank;
    if (!bank.Load(options.bank, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        return kCliBankFailed;
    const auto& list = drumset ? bank.m_arrDrumsets : bank.m_arrInstruments;
    if (index >= list.size())
        return UsageError(err, "play",
                          std::string(kind) + " " + std::to_string(index) + " does not exist (the bank has " +
                              std::to_string(list.size()) + ")");
    const IMAPENTRY& entry = list[index];
    std::vector<MIDIEVENT> events;
    if (!BuildAudition({drumset, entry.wProgram, entry.byVariation}, options.nChannel, kMidiTicksPerSecond, events))
    {
        err << "orvane-cli: " << kind << " " << index << " has program " << entry.wProgram
            << ", which no program change can select (0 to 127); nothing was sent\n";
        return kCliBankFailed;
    }

    IMidiOutput& output = MidiOutputSlot().Get();
    if (NoSequencer(output, err))
        return kCliBankFailed;
    std::string error;
    if (!output.Open(options.port, error))
    {
        err << "orvane-cli: " << PrintableText(error) << "\n";
        return kCliBankFailed;
    }
    const char* gm = GmEntryName(drumset, entry.wProgram);
    out << "Playing " << (drumset ? "drum set " : "instrument ") << index << ": "
        << (gm ? gm : "Program " + std::to_string(entry.wProgram)) << ", program " << entry.wProgram << ", variation "
        << int(entry.byVariation) << " on " << PrintableText(options.port) << "\n";
    out.flush();
    const int channel = drumset ? kMidiDrumChannel : options.nChannel;
    CInterruptScope interrupt;
    if (!output.Play(events, error))
    {
        output.Stop({channel});
        err << "orvane-cli: " << PrintableText(error) << "\n";
        return kCliBankFailed;
    }
    // The sequencer plays the events; the command waits for their end, a little longer for the
    // last note off to reach the port.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1000 + 100);
    while (std::chrono::steady_clock::now() < end && !g_bInterrupted)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (g_bInterrupted)
    {
        output.Stop({channel});
        err << "orvane-cli: stopped\n";
        return 130;
    }
    return kCliOk;
}
} // namespace

CliCommand AddPortsCommand(CLI::App& cli)
{
    auto json = std::make_shared<bool>(false);
    CLI::App* ports =
        AddCommand(cli, "ports", "list the MIDI sequencer's ports an audition can go to", kPortsHead, kMidiFooter);
    ports->add_flag("--json", *json, "one JSON object with the list of ports");
    return {ports, [json](std::ostream& out, std::ostream& err) { return RunPorts(*json, out, err); }};
}

CliCommand AddPlayCommand(CLI::App& cli)
{
    auto options = std::make_shared<PLAYOPTIONS>();
    CLI::App* play = AddCommand(cli, "play", "play one entry of a bank on a MIDI port", kPlayHead, kMidiFooter);
    play->add_option("BANK", options->bank)->required();
    CLI::Option* instrument = play->add_option("--instrument", options->nInstrument, "the instrument entry to play")
                                  ->check(ValueCheck(ParseIndex, "an entry number"))
                                  ->type_name("I");
    CLI::Option* drumset = play->add_option("--drumset", options->nDrumset, "the drum-set entry to play")
                               ->check(ValueCheck(ParseIndex, "an entry number"))
                               ->type_name("J");
    instrument->excludes(drumset);
    play->add_option("--channel", options->nChannel, "the channel of an instrument, 1 to 16 but not 10 (default 1)")
        ->type_name("C");
    play->add_option("--port", options->port, "the port: CLIENT:PORT numbers or names, as 'ports' lists them")
        ->required()
        ->type_name("PORT");
    return {play, [options, instrument, drumset](std::ostream& out, std::ostream& err)
            {
                if (!instrument->count() && !drumset->count())
                    return UsageError(err, "play", "give --instrument I or --drumset J");
                options->bDrumset = drumset->count() > 0;
                return RunPlay(*options, out, err);
            }};
}
