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
const char* const kHelp = "Usage: orvane-cli set BANK [--name TEXT] [--priority N]\n"
                          "                  [--instrument I=PROGRAM:VARIATION]... [--drumset J=PROGRAM:VARIATION]...\n"
                          "                  [--from-csv FILE] [--dry-run] [--backup]\n\n"
                          "Writes new values into the bank in place, as the bank inspector's OK does: nothing is\n"
                          "added, removed or moved, and values not given are written back as they were read.\n"
                          "A converted TTS bank is not repaired (see 'orvane-cli repair').\n\n"
                          "  --name TEXT          bank name, at most 8 characters of Windows-1252\n"
                          "  --priority N         bank priority, 0 to 127\n"
                          "  --instrument I=P:V   program P and variation V (0 to 127) of instrument I\n"
                          "  --drumset J=P:V      program P and variation V (0 to 127) of drum set J\n"
                          "                       (entries are numbered from 0, as 'orvane-cli info' shows them)\n"
                          "  --from-csv FILE      every row of FILE ('-' for standard input) in the form\n"
                          "                       'orvane-cli info --csv' writes: the columns list (instrument\n"
                          "                       or drumset), index, program and variation are found by their\n"
                          "                       header names, others are ignored. Programs may be 0 to 65535\n"
                          "                       and variations 0 to 255 here, as the file holds them. A row\n"
                          "                       naming no entry of the bank, a value out of range, an entry\n"
                          "                       given twice or a malformed line stops the command with\n"
                          "                       FILE:LINE: REASON and exit status 1 before anything is written\n"
                          "  --dry-run            print what would change, one line per entry ('instrument\n"
                          "                       I: P:V -> P:V'), and write nothing\n"
                          "  --backup             copy the bank to BANK.bak first (nothing is written when the\n"
                          "                       copy fails)\n\n"
                          "Exit status: 0 written, 1 the bank could not be read or written or the CSV is refused,\n"
                          "2 usage error, an unreadable CSV file or a value out of range (nothing is written then).\n";

struct ENTRYCHANGE
{
    bool bDrumset;
    unsigned long nIndex;
    unsigned long nProgram;
    unsigned long nVariation;
};

// Decimal digits only, at most max.
bool ParseNumber(const std::string& text, unsigned long max, unsigned long& value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoul(text);
    return value <= max;
}

// "I=PROGRAM:VARIATION" with program and variation from 0 to 127.
bool ParseEntry(const std::string& text, ENTRYCHANGE& change)
{
    size_t eq = text.find('=');
    size_t colon = text.find(':', eq == std::string::npos ? 0 : eq);
    return eq != std::string::npos && colon != std::string::npos &&
           ParseNumber(text.substr(0, eq), 99999999, change.nIndex) &&
           ParseNumber(text.substr(eq + 1, colon - eq - 1), 127, change.nProgram) &&
           ParseNumber(text.substr(colon + 1), 127, change.nVariation);
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
} // namespace

int RunSetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> paths;
    bool hasName = false, hasPriority = false, backup = false, dryRun = false;
    std::string name, csvPath;
    unsigned long priority = 0;
    std::vector<ENTRYCHANGE> changes;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (IsEndOfOptions(arg))
        {
            paths.insert(paths.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        }
        if (IsHelpFlag(arg))
        {
            out << kHelp;
            return kCliOk;
        }
        bool takesValue = arg == "--name" || arg == "--priority" || arg == "--instrument" || arg == "--drumset" ||
                          arg == "--from-csv";
        if (takesValue && i + 1 >= args.size())
            return UsageError(err, "set", "option '" + arg + "' needs a value");
        if (arg == "--backup")
            backup = true;
        else if (arg == "--dry-run")
            dryRun = true;
        else if (arg == "--from-csv")
        {
            if (!csvPath.empty())
                return UsageError(err, "set", "give --from-csv once");
            csvPath = args[++i];
            if (csvPath.empty())
                return UsageError(err, "set", "--from-csv needs a file name ('-' for standard input)");
        }
        else if (arg == "--name")
        {
            const std::string& text = args[++i];
            name = Utf8ToCp1252(text);
            if (!BankNameCanHold(text))
                return UsageError(err, "set",
                                  "the name '" + text + "' has characters a bank name cannot hold");
            if (name.size() > 8)
                return UsageError(err, "set", "the name '" + text + "' is longer than 8 characters");
            hasName = true;
        }
        else if (arg == "--priority")
        {
            if (!ParseNumber(args[++i], 127, priority))
                return UsageError(err, "set", "priority '" + args[i] + "' is not a number from 0 to 127");
            hasPriority = true;
        }
        else if (arg == "--instrument" || arg == "--drumset")
        {
            ENTRYCHANGE change{arg == "--drumset", 0, 0, 0};
            if (!ParseEntry(args[++i], change))
                return UsageError(
                    err, "set", "'" + args[i] + "' is not INDEX=PROGRAM:VARIATION with values from 0 to 127");
            changes.push_back(change);
        }
        else if (arg.size() > 1 && arg[0] == '-')
            return UsageError(err, "set", "unknown option '" + arg + "'");
        else
            paths.push_back(arg);
    }
    if (paths.size() != 1)
        return UsageError(err, "set", "give exactly one bank");
    if (!csvPath.empty() && !changes.empty())
        return UsageError(err, "set", "--from-csv does not go with --instrument or --drumset");
    const std::string& path = paths[0];

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
            bank.SetDrumset(index, static_cast<uint16_t>(change.nProgram),
                            static_cast<uint8_t>(change.nVariation));
        else
            bank.SetInstrument(index, static_cast<uint16_t>(change.nProgram),
                               static_cast<uint8_t>(change.nVariation));
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
