// orvane-cli export: instrument definitions for sequencers (MIDI Name Document, Cakewalk .ins,
// REAPER bank, Cubase patch-name script, CSV) from one bank, or from the answers of a set of
// banks. Never changes a bank.
#include "base/FileSystem.h"
#include "base/Utf8.h"
#include "cli/BankFiles.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "instrdef/InstrDefFormat.h"
#include "instrdef/NamePattern.h"
#include "report/PageFile.h"
#include "soundbank/SoundBank.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <tuple>

namespace
{
const char* const kHead =
    "Usage: orvane-cli export --format FORMAT [-o FILE] [--device NAME] [--name PATTERN]\n"
    "                         [--answered-only] BANK|DIR...\n\n"
    "Writes an instrument definition a sequencer reads to name programs and bank selects:\n"
    "  midnam   MIDI Name Document (Ardour, Qtractor, Logic, ...)\n"
    "  ins      Cakewalk instrument definitions (Cakewalk/SONAR, Qtractor, VMPK, ...)\n"
    "  reabank  REAPER bank file\n"
    "  cubase   Cubase patch-name script\n"
    "  csv      one line per program, for a spreadsheet\n"
    "One bank gives its entries. Several banks or a directory (every .94b file below it) give\n"
    "what the card answers with all of them loaded; a slot that banks of equal priority map is\n"
    "written once per bank, its name marked with \"?\". Programs and variations above 127 cannot\n"
    "be selected from a sequencer: they are left out and counted. Banks are only read.";
const char* const kFooter = "Name fields: {gm} {bank} {program} {variation} {cubaseprog} {cubasebank} {index} {list};\n"
                            "the default is \"{gm} ({bank})\", and \"{gm}\" at variation 0 of a single bank.\n"
                            "Exit status: 0 written, 1 a bank could not be read (the others are exported), 2 usage or\n"
                            "output error.";

struct EXPORTOPTIONS
{
    std::string format;
    std::string output;
    std::string device;
    std::string pattern;
    bool bPatternGiven = false;
    bool bAnsweredOnly = false;
    std::vector<std::string> operands;
};

bool IsFormat(const std::string& text, INSTRDEFFORMAT& format)
{
    return ParseInstrDefFormat(text, format);
}

// The set's answer for every (list, program, variation) slot: entries ordered by priority
// (highest first), then by the bank's place in the set, then by entry index. The first answers
// when its priority is held by one bank only; when several banks share it the slot is undecided
// and those banks contend. The other entries are hidden and left out.
std::vector<INSTRDEFSLOT> SetAnswers(const std::vector<std::unique_ptr<CSoundBank>>& banks)
{
    struct ENTRY
    {
        uint16_t wPriority;
        size_t nBank;
        uint32_t nIndex;
    };
    std::map<std::tuple<bool, uint16_t, uint8_t>, std::vector<ENTRY>> slots;
    for (size_t b = 0; b < banks.size(); ++b)
        for (bool drumset : {false, true})
        {
            const auto& list = drumset ? banks[b]->m_arrDrumsets : banks[b]->m_arrInstruments;
            for (size_t i = 0; i < list.size(); ++i)
                slots[{drumset, list[i].wProgram, list[i].byVariation}].push_back(
                    {banks[b]->m_wPriority, b, static_cast<uint32_t>(i)});
        }
    std::vector<INSTRDEFSLOT> answers;
    answers.reserve(slots.size());
    for (auto& [key, entries] : slots)
    {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const ENTRY& a, const ENTRY& b) { return a.wPriority > b.wPriority; });
        INSTRDEFSLOT slot;
        std::tie(slot.bDrumset, slot.wProgram, slot.byVariation) = key;
        slot.entries.push_back({entries[0].nBank, entries[0].nIndex});
        for (size_t k = 1; k < entries.size() && entries[k].wPriority == entries[0].wPriority; ++k)
        {
            const size_t bank = entries[k].nBank;
            if (std::none_of(slot.entries.begin(), slot.entries.end(),
                             [bank](const INSTRDEFANSWER& e) { return e.nBank == bank; }))
                slot.entries.push_back({bank, entries[k].nIndex});
        }
        slot.bUndecided = slot.entries.size() > 1;
        answers.push_back(std::move(slot));
    }
    return answers;
}

void Warn(std::ostream& err, uint64_t count, const std::string& why)
{
    if (count)
        err << "orvane-cli: warning: " << count << (count == 1 ? " entry" : " entries") << " left out: " << why << "\n";
}

// The definition to the file, replaced only once it is complete, or to standard output.
int WriteOutput(const std::string& text, const std::string& path, const std::vector<std::string>& banks,
                std::ostream& out, std::ostream& err)
{
    if (path.empty() || path == "-")
    {
        out << text;
        return kCliOk;
    }
    IFileSystem& fs = GetFileSystem();
    const std::vector<std::filesystem::path> inputs(banks.begin(), banks.end());
    const int clash = FindOverwrittenInput(fs, path, inputs);
    if (clash >= 0)
    {
        err << "orvane-cli: " << PrintableText(path) << " would overwrite the bank "
            << PrintableText(banks[static_cast<size_t>(clash)]) << "; nothing was written\n";
        return kCliUsage;
    }
    CPageFile file(fs);
    if (!file.Open(path) || !file.WriteLines(text) || !file.Commit())
    {
        err << "orvane-cli: cannot write " << PrintableText(FileErrorDetail(path, file.Error())) << "\n";
        return kCliUsage;
    }
    return kCliOk;
}

int RunExport(const EXPORTOPTIONS& options, std::ostream& out, std::ostream& err)
{
    INSTRDEFFORMAT format = InstrDefMidnam;
    ParseInstrDefFormat(options.format, format);
    CNamePattern pattern;
    if (options.bPatternGiven && !pattern.Parse(options.pattern))
        return UsageError(err, "export", PrintableText(pattern.m_strError));

    bool failed = false;
    const std::vector<std::string> paths = ExpandBankOperands(options.operands, err, failed);
    if (paths.empty())
        return failed ? kCliBankFailed : UsageError(err, "export", "no bank found");
    std::vector<std::unique_ptr<CSoundBank>> banks;
    std::vector<std::string> names;
    {
        CCliMessageSink sink(err);
        for (const std::string& path : paths)
        {
            auto bank = std::make_unique<CSoundBank>();
            sink.m_strBank = path;
            // Read as it is: a converted bank maps its programs all the same, and nothing is asked.
            if (!bank->Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
            {
                failed = true;
                continue;
            }
            names.push_back(BankDisplayName(bank->m_strBankName));
            banks.push_back(std::move(bank));
        }
    }

    // With no bank read there is nothing to define: an older file of that name is kept.
    if (banks.empty())
        return kCliBankFailed;
    uint64_t hidden = 0;
    std::vector<INSTRDEFSLOT> slots;
    if (paths.size() == 1 && banks.size() == 1)
        slots = SlotsOfBank(*banks[0], hidden);
    else
        slots = SetAnswers(banks);
    INSTRDEFROWS rows = RowsFromSlots(slots, names, options.bAnsweredOnly);
    rows.nHiddenInBank += hidden;
    const bool singleBank = paths.size() == 1;
    NameRows(rows.rows, options.bPatternGiven ? &pattern : nullptr, singleBank);

    std::string device = options.device;
    if (device.empty() && singleBank && !banks.empty())
        device = BankDisplayName(banks[0]->m_strBankName);
    if (device.empty() && singleBank)
        device = std::filesystem::path(paths[0]).stem().string();
    if (device.empty() && options.operands.size() == 1)
    {
        // A folder's set is named after the folder.
        std::string folder = options.operands[0];
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        device = std::filesystem::path(folder).filename().string();
    }
    if (device.empty())
        device = "Bank set";

    std::string text;
    if (!WriteInstrDef(format, device, rows.rows, text))
    {
        err << "orvane-cli: cannot make the " << InstrDefFormatName(format) << " document\n";
        return kCliUsage;
    }
    Warn(err, rows.nProgramsAbove127, "programs above 127 cannot be selected by a program change");
    Warn(err, rows.nVariationsAbove127, "variations above 127 cannot be selected by a bank select");
    Warn(err, rows.nHiddenInBank, "a bank maps the same program and variation again; only the first is heard");
    if (rows.nUndecidedLeftOut)
        err << "orvane-cli: " << rows.nUndecidedLeftOut
            << " undecided slots left out: banks of equal priority map them\n";
    const int code = WriteOutput(text, options.output, paths, out, err);
    return code != kCliOk ? code : failed ? kCliBankFailed : kCliOk;
}
} // namespace

CliCommand AddExportCommand(CLI::App& cli)
{
    auto options = std::make_shared<EXPORTOPTIONS>();
    CLI::App* command = AddCommand(cli, "export", "write instrument definitions for sequencers", kHead, kFooter);
    command->add_option("--format", options->format, "midnam, ins, reabank, cubase or csv")
        ->type_name("FORMAT")
        ->required()
        ->check(ValueCheck(IsFormat, "a format: midnam, ins, reabank, cubase or csv"));
    command->add_option("-o", options->output, "write to FILE, replaced once complete (default or -: standard output)")
        ->type_name("FILE");
    command->add_option("--device", options->device, "the instrument's name in the sequencer (default: the bank's)")
        ->type_name("NAME");
    command
        ->add_option_function<std::string>(
            "--name",
            [options](const std::string& text)
            {
                options->pattern = text;
                options->bPatternGiven = true;
            },
            "how each program is named (fields below)")
        ->type_name("PATTERN");
    command->add_flag("--answered-only", options->bAnsweredOnly,
                      "leave out slots that banks of equal priority map (several banks)");
    AddBankOperands(*command, options->operands);
    return {command, [options](std::ostream& out, std::ostream& err) { return RunExport(*options, out, err); }};
}
