// orvane-cli export: instrument definitions for sequencers (MIDI Name Document, Cakewalk .ins,
// REAPER bank, Cubase patch-name script, CSV) from one bank, or from the answers of a set of
// banks. Never changes a bank.
#include "base/FileSystem.h"
#include "base/Utf8.h"
#include "bankset/BankOperands.h"
#include "bankset/BankSet.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "instrdef/InstrDefFormat.h"
#include "instrdef/NamePattern.h"
#include "report/PageFile.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>

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
    // Banks are read as they are: a converted bank maps its programs all the same.
    CBankSet set;
    set.Load(paths);
    std::vector<std::string> names;
    size_t readable = 0;
    for (const SETBANK& bank : set.GetBanks())
    {
        if (bank.nStatus == BankUnreadable)
        {
            err << "orvane-cli: " << PrintableText(bank.strPath) << ": " << PrintableText(bank.strReason) << "\n";
            failed = true;
        }
        else
            ++readable;
        std::string name = bank.strName;
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        names.push_back(std::move(name));
    }
    // With no bank read there is nothing to define: an older file of that name is kept.
    if (!readable)
        return kCliBankFailed;

    // One bank gives its entries (a later entry for a slot it maps already is hidden behind the
    // first); several give the set's answers.
    const bool singleBank = set.GetBanks().size() == 1;
    INSTRDEFROWS rows = RowsFromSlots(SlotsOfSet(set), names, options.bAnsweredOnly);
    if (singleBank)
        rows.nHiddenInBank = set.GetRule().summary.nEntriesHidden;
    NameRows(rows.rows, options.bPatternGiven ? &pattern : nullptr, singleBank);

    std::string device = options.device;
    if (device.empty() && singleBank)
        device = names[0];
    if (device.empty() && singleBank)
        device = std::filesystem::path(set.GetBanks()[0].strPath).stem().string();
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
