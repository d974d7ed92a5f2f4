// orvane-cli tour: a Standard MIDI File that walks through a bank entry by entry (or through the
// answers of a set of banks), so that any MIDI player routed to a card plays the bank. Banks are
// only read.
#include "bankset/BankOperands.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "midi/MidiTour.h"
#include "report/PageFile.h"
#include "soundbank/BankName.h"
#include "soundbank/SoundBank.h"

#include <ostream>

namespace
{
const char* const kHead = "Usage: orvane-cli tour [-o FILE] [--seconds S] [--channel C] BANK|DIR...\n\n"
                          "Writes a Standard MIDI File (format 0, 480 ticks per quarter, tempo 120) that plays\n"
                          "every entry of the bank in turn: a marker naming the entry, Bank Select MSB =\n"
                          "variation, LSB = 0, Program Change = program, then middle C (a drum figure on channel\n"
                          "10 for a drum set) and a pause, S seconds per entry. With several banks or a directory,\n"
                          "the entries that answer each program and variation when the banks are loaded together,\n"
                          "in list, program and variation order. `aplaymidi -p PORT FILE` plays it on a card.";
const char* const kFooter =
    "Exit status: 0 written, 1 a bank could not be read (the others are still toured), 2 usage\n"
    "or output error. Entries whose program is above 127 are left out with a warning.";

struct TOUROPTS
{
    std::string output;
    double dSeconds = 2.0;
    int nChannel = 1;
    std::vector<std::string> operands;
};

// Every entry of one bank, instruments then drum sets, in the bank's order.
void AddBankStops(const CSoundBank& bank, std::vector<TOURSTOP>& stops)
{
    const std::string name = Cp1252ToUtf8(BankNameText(bank.GetBankName()));
    for (bool drumset : {false, true})
    {
        const auto& list = drumset ? bank.m_arrDrumsets : bank.m_arrInstruments;
        for (size_t i = 0; i < list.size(); ++i)
            stops.push_back({{drumset, list[i].wProgram, list[i].byVariation},
                             TourMarker(drumset, i, list[i].wProgram, list[i].byVariation, name)});
    }
}

int RunTour(const TOUROPTS& options, std::ostream& out, std::ostream& err)
{
    if (!(options.dSeconds >= kMinTourSeconds && options.dSeconds <= kMaxTourSeconds))
        return UsageError(err, "tour", "--seconds must be from 0.25 to 600");
    if (!IsInstrumentChannel(options.nChannel))
        return UsageError(err, "tour", "--channel must be 1 to 16 but not 10 (the drum channel)");
    bool failed = false;
    const std::vector<std::string> paths = ExpandBankOperands(options.operands, err, failed);
    std::vector<TOURSTOP> stops;
    CCliMessageSink sink(err);
    for (const std::string& path : paths)
    {
        CSoundBank bank;
        sink.m_strBank = path;
        if (!bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        {
            failed = true;
            continue;
        }
        AddBankStops(bank, stops);
    }
    size_t skipped = 0;
    const std::string file = BuildTour(stops, TOUROPTIONS{options.dSeconds, options.nChannel}, skipped);
    if (skipped)
        err << "orvane-cli: warning: " << skipped << " entries with a program above 127 left out\n";
    if (options.output.empty() || options.output == "-")
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    else
    {
        CPageFile page(GetFileSystem());
        if (!page.Open(options.output) || !page.WriteLines(file) || !page.Commit())
        {
            err << "orvane-cli: " << FileErrorDetail(options.output, page.Error()) << "\n";
            return kCliUsage;
        }
    }
    return failed ? kCliBankFailed : kCliOk;
}
} // namespace

CliCommand AddTourCommand(CLI::App& cli)
{
    auto options = std::make_shared<TOUROPTS>();
    CLI::App* tour = AddCommand(cli, "tour", "write a MIDI file that plays every entry of a bank", kHead, kFooter);
    tour->add_option("-o", options->output, "the MIDI file to write ('-' or none: standard output)")->type_name("FILE");
    tour->add_option("--seconds", options->dSeconds, "seconds per entry, 0.25 to 600 (default 2)")->type_name("S");
    tour->add_option("--channel", options->nChannel, "the channel of instruments, 1 to 16 but not 10 (default 1)")
        ->type_name("C");
    AddBankOperands(*tour, options->operands);
    return {tour, [options](std::ostream& out, std::ostream& err) { return RunTour(*options, out, err); }};
}
