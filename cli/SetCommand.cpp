// orvane-cli set: changes a bank's name, priority and mapping entries in place, with the same
// limits and the same backup-then-save steps as the desktop program's bank inspector.
#include "cli/Cli.h"
#include "base/WriterLock.h"
#include "cli/CliSupport.h"
#include "cli/CsvMapping.h"
#include "soundbank/BankName.h"
#include "soundbank/SoundBank.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>

namespace
{
const char* const kHead = "Usage: orvane-cli set BANK [--name TEXT] [--priority N]\n"
                          "                  [--instrument I=PROGRAM:VARIATION]... [--drumset J=PROGRAM:VARIATION]...\n"
                          "                  [--from-csv FILE] [--dry-run] [--backup]\n\n"
                          "Writes new values into the bank in place, as the bank inspector's OK does: nothing is\n"
                          "added, removed or moved, and values not given are written back as they were read.\n"
                          "A converted TTS bank is not repaired (see 'orvane-cli repair').";
const char* const kFooter = "Exit status: 0 written, 1 the bank could not be read or written or the CSV is refused,\n"
                            "2 usage error, an unreadable CSV file or a value out of range (nothing is written then).";

struct ENTRYCHANGE
{
    bool bDrumset;
    unsigned long nIndex;
    unsigned long nProgram;
    unsigned long nVariation;
};

bool ParseMidiValue(const std::string& text, unsigned long& value)
{
    return ParseDecimal(text, 127, value);
}

bool IsFileName(const std::string& text, bool& name)
{
    return name = !text.empty();
}

// "I=PROGRAM:VARIATION" with program and variation from 0 to 127.
bool ParseEntry(const std::string& text, ENTRYCHANGE& change)
{
    size_t eq = text.find('=');
    size_t colon = text.find(':', eq == std::string::npos ? 0 : eq);
    return eq != std::string::npos && colon != std::string::npos &&
           ParseDecimal(text.substr(0, eq), 99999999, change.nIndex) &&
           ParseDecimal(text.substr(eq + 1, colon - eq - 1), 127, change.nProgram) &&
           ParseDecimal(text.substr(colon + 1), 127, change.nVariation);
}
// Reads the mapping CSV at csvPath ("-": standard input) against the bank's lists into changes.
// kCliOk, or the exit code after the message "orvane-cli: FILE[:LINE]: REASON".
int ReadCsvChanges(const std::string& csvPath, const CSoundBank& bank, std::vector<ENTRYCHANGE>& changes,
                   std::ostream& err)
{
    const std::string shown = PrintableText(csvPath == "-" ? "<stdin>" : csvPath);
    std::ifstream file;
    std::istream* in = &std::cin;
    if (csvPath != "-")
    {
        std::error_code ec;
        if (std::filesystem::is_directory(csvPath, ec))
            errno = EISDIR;
        else
            file.open(csvPath, std::ios::binary);
        if (!file.is_open())
        {
            err << "orvane-cli: " << shown << ": " << std::strerror(errno ? errno : EIO) << "\n";
            return kCliUsage;
        }
        in = &file;
    }
    CMappingCsvReader reader(bank.m_arrInstruments.size(), bank.m_arrDrumsets.size());
    if (!reader.Read(*in))
    {
        err << "orvane-cli: " << shown << ":" << reader.ErrorLine() << ": " << reader.ErrorReason() << "\n";
        return kCliBankFailed;
    }
    for (const MAPPINGCSVROW& row : reader.Rows())
        changes.push_back(ENTRYCHANGE{row.bDrumset, row.nIndex, row.wProgram, row.byVariation});
    return kCliOk;
}

// What a dry run prints: each entry whose values would change, as "instrument I: P:V -> P:V",
// and the name and priority when they would.
void PrintChanges(const CSoundBank& bank, const std::vector<ENTRYCHANGE>& changes, const std::string* name,
                  const unsigned long* priority, std::ostream& out)
{
    if (name && *name != bank.m_strBankName)
        out << "name: \"" << PrintableText(Cp1252ToUtf8(BankNameText(bank.m_strBankName))) << "\" -> \""
            << PrintableText(Cp1252ToUtf8(*name)) << "\"\n";
    if (priority && *priority != bank.m_wPriority)
        out << "priority: " << bank.m_wPriority << " -> " << *priority << "\n";
    for (const ENTRYCHANGE& change : changes)
    {
        const IMAPENTRY& old = (change.bDrumset ? bank.m_arrDrumsets : bank.m_arrInstruments)[change.nIndex];
        if (old.wProgram != change.nProgram || old.byVariation != change.nVariation)
            out << (change.bDrumset ? "drumset " : "instrument ") << change.nIndex << ": " << old.wProgram << ":"
                << int(old.byVariation) << " -> " << change.nProgram << ":" << change.nVariation << "\n";
    }
}

struct SETOPTIONS
{
    std::string path, name, priorityText, csvPath;
    std::vector<std::string> instruments, drumsets;
    bool backup = false, dryRun = false;
    CLI::Option *nameOption, *priorityOption;
};

int RunSet(const SETOPTIONS& options, std::ostream& out, std::ostream& err)
{
    const bool hasName = options.nameOption->count() > 0, hasPriority = options.priorityOption->count() > 0;
    const bool backup = options.backup, dryRun = options.dryRun;
    const std::string name = Utf8ToCp1252(options.name), &csvPath = options.csvPath, &path = options.path;
    unsigned long priority = 0;
    ParseMidiValue(options.priorityText, priority);
    std::vector<ENTRYCHANGE> changes;
    for (bool drumset : {false, true})
        for (const std::string& text : drumset ? options.drumsets : options.instruments)
        {
            changes.push_back(ENTRYCHANGE{drumset, 0, 0, 0});
            ParseEntry(text, changes.back());
        }

    // Read as the inspector reads it; a converted bank is edited as it is, never repaired. The
    // lock keeps another writer out from this read to the end of the write.
    CWriterLock lock(GetFileSystem());
    if (!dryRun && !CSoundBank::LockForWriting(lock, path))
        return kCliBankFailed;
    CSoundBank bank;
    if (!bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        return kCliBankFailed;
    if (!csvPath.empty())
        if (int code = ReadCsvChanges(csvPath, bank, changes, err); code != kCliOk)
            return code;
    for (const ENTRYCHANGE& change : changes)
    {
        size_t count = change.bDrumset ? bank.m_arrDrumsets.size() : bank.m_arrInstruments.size();
        if (change.nIndex >= count)
            return UsageError(err, "set",
                              std::string(change.bDrumset ? "drum set " : "instrument ") +
                                  std::to_string(change.nIndex) + " does not exist (the bank has " +
                                  std::to_string(count) + ")");
    }
    if (dryRun)
    {
        PrintChanges(bank, changes, hasName ? &name : nullptr, hasPriority ? &priority : nullptr, out);
        return kCliOk;
    }

    if (hasName)
        bank.m_strBankName = name;
    if (hasPriority)
        bank.m_wPriority = static_cast<uint16_t>(priority);
    for (const ENTRYCHANGE& change : changes)
    {
        int index = static_cast<int>(change.nIndex);
        if (change.bDrumset)
            bank.SetDrumset(index, static_cast<uint16_t>(change.nProgram), static_cast<uint8_t>(change.nVariation));
        else
            bank.SetInstrument(index, static_cast<uint16_t>(change.nProgram), static_cast<uint8_t>(change.nVariation));
    }
    // A backup that was asked for and could not be made stops the command before the bank
    // is touched.
    if (backup && !CSoundBank::MakeBackup(path))
        return kCliBankFailed;
    if (!bank.SaveInPlace())
        return kCliBankFailed;
    out << path << ": saved\n";
    return kCliOk;
}
} // namespace

CliCommand AddSetCommand(CLI::App& cli)
{
    auto options = std::make_shared<SETOPTIONS>();
    CLI::App* set =
        AddCommand(cli, "set", "change a bank's name, priority and mapping entries in place", kHead, kFooter);
    const CLI::Validator entry = ValueCheck(ParseEntry, "INDEX=PROGRAM:VARIATION with values from 0 to 127");
    options->nameOption =
        set->add_option("--name", options->name, "bank name, at most 8 characters of Windows-1252")
            ->type_name("TEXT")
            ->check(CLI::Validator(
                [](std::string& text)
                {
                    if (!BankNameCanHold(text))
                        return "the name '" + PrintableText(text) + "' has characters a bank name cannot hold";
                    if (Utf8ToCp1252(text).size() > 8)
                        return "the name '" + PrintableText(text) + "' is longer than 8 characters";
                    return std::string();
                },
                std::string()));
    options->priorityOption = set->add_option("--priority", options->priorityText, "bank priority, 0 to 127")
                                  ->type_name("N")
                                  ->check(ValueCheck(ParseMidiValue, "a number from 0 to 127"));
    set->add_option("--instrument", options->instruments, "program P and variation V (0 to 127) of instrument I")
        ->type_name("I=P:V")
        ->check(entry)
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    set->add_option("--drumset", options->drumsets,
                    "program P and variation V (0 to 127) of drum set J\n"
                    "(entries are numbered from 0, as 'orvane-cli info' shows them)")
        ->type_name("J=P:V")
        ->check(entry)
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    set->add_option("--from-csv", options->csvPath,
                    "every row of FILE ('-' for standard input) in the form\n"
                    "'orvane-cli info --csv' writes: the columns list (instrument\n"
                    "or drumset), index, program and variation are found by their\n"
                    "header names, others are ignored. Programs may be 0 to 65535\n"
                    "and variations 0 to 255 here, as the file holds them. A row\n"
                    "naming no entry of the bank, a value out of range, an entry\n"
                    "given twice or a malformed line stops the command with\n"
                    "FILE:LINE: REASON and exit status 1 before anything is written")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::Throw)
        ->check(ValueCheck(IsFileName, "a file name ('-' for standard input)"))
        ->excludes("--instrument")
        ->excludes("--drumset");
    set->add_flag("--dry-run", options->dryRun,
                  "print what would change, one line per entry ('instrument\n"
                  "I: P:V -> P:V'), and write nothing");
    set->add_flag("--backup", options->backup,
                  "copy the bank to BANK.bak first (nothing is written when the\ncopy fails)");
    set->add_option("BANK", options->path)->required();
    return {set, [options](std::ostream& out, std::ostream& err) { return RunSet(*options, out, err); }};
}
