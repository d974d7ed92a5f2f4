// orvane-cli set: changes a bank's name, priority and mapping entries in place, with the same
// limits and the same backup-then-save steps as the desktop program's bank inspector.
#include "cli/Cli.h"
#include "base/WriterLock.h"
#include "cli/CliSupport.h"
#include "soundbank/BankName.h"
#include "soundbank/SoundBank.h"

#include <ostream>

namespace
{
const char* const kHelp = "Usage: orvane-cli set BANK [--name TEXT] [--priority N]\n"
                          "                  [--instrument I=PROGRAM:VARIATION]... [--drumset J=PROGRAM:VARIATION]...\n"
                          "                  [--backup]\n\n"
                          "Writes new values into the bank in place, as the bank inspector's OK does: nothing is\n"
                          "added, removed or moved, and values not given are written back as they were read.\n"
                          "A converted TTS bank is not repaired (see 'orvane-cli repair').\n\n"
                          "  --name TEXT          bank name, at most 8 characters of Windows-1252\n"
                          "  --priority N         bank priority, 0 to 127\n"
                          "  --instrument I=P:V   program P and variation V (0 to 127) of instrument I\n"
                          "  --drumset J=P:V      program P and variation V (0 to 127) of drum set J\n"
                          "                       (entries are numbered from 0, as 'orvane-cli info' shows them)\n"
                          "  --backup             copy the bank to BANK.bak first (nothing is written when the\n"
                          "                       copy fails)\n\n"
                          "Exit status: 0 written, 1 the bank could not be read or written, 2 usage error or a\n"
                          "value out of range (nothing is written then).\n";

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
} // namespace

int RunSetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> paths;
    bool hasName = false, hasPriority = false, backup = false;
    std::string name;
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
        bool takesValue =
            arg == "--name" || arg == "--priority" || arg == "--instrument" || arg == "--drumset";
        if (takesValue && i + 1 >= args.size())
            return UsageError(err, "set", "option '" + arg + "' needs a value");
        if (arg == "--backup")
            backup = true;
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
    const std::string& path = paths[0];

    // Read as the inspector reads it; a converted bank is edited as it is, never repaired. The
    // lock keeps another writer out from this read to the end of the write.
    CWriterLock lock(GetFileSystem());
    if (!CSoundBank::LockForWriting(lock, path))
        return kCliBankFailed;
    CSoundBank bank;
    if (!bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        return kCliBankFailed;
    for (const ENTRYCHANGE& change : changes)
    {
        size_t count = change.bDrumset ? bank.m_arrDrumsets.size() : bank.m_arrInstruments.size();
        if (change.nIndex >= count)
            return UsageError(err, "set",
                              std::string(change.bDrumset ? "drum set " : "instrument ") +
                                  std::to_string(change.nIndex) + " does not exist (the bank has " +
                                  std::to_string(count) + ")");
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
