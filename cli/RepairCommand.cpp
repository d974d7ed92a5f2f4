// orvane-cli repair: repairs converted TTS banks without asking, as the desktop program does
// with automatic repair switched on.
#include "cli/Cli.h"
#include "base/WriterLock.h"
#include "cli/CliSupport.h"
#include "soundbank/SoundBank.h"

#include <ostream>

namespace
{
const char* const kHelp = "Usage: orvane-cli repair [--backup] BANK...\n\n"
                          "Repairs banks converted from the TTS format (a TTMA chunk in front of the priority\n"
                          "chunk of a .94b file) so that every bank loader accepts them: the priority chunk is\n"
                          "moved in front of the TTMA chunk; nothing else changes. The repaired file is written\n"
                          "beside the bank as BANK.new and then replaces it; on failure the bank stays as it was.\n"
                          "Prints 'repaired', 'nothing to repair' or 'not repaired' for each bank.\n\n"
                          "  --backup   copy each bank to BANK.bak before repairing it (a bank whose copy fails\n"
                          "             is not repaired)\n\n"
                          "Exit status: 0 every bank was repaired or needed nothing, 1 a bank could not be read\n"
                          "or repaired, 2 usage error.\n";
} // namespace

int RunRepairCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    REPAIRPOLICY policy{REPAIRPOLICY::Automatic, false};
    std::vector<std::string> paths;
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
        if (arg == "--backup")
            policy.bKeepBackup = policy.bBackupRequired = true;
        else if (arg.size() > 1 && arg[0] == '-')
            return UsageError(err, "repair", "unknown option '" + arg + "'");
        else
            paths.push_back(arg);
    }
    if (paths.empty())
        return UsageError(err, "repair", "no bank given");

    int code = kCliOk;
    for (const std::string& path : paths)
    {
        CWriterLock lock(GetFileSystem());
        CSoundBank bank;
        bool loaded = CSoundBank::LockForWriting(lock, path) && bank.Load(path, policy) != 0;
        CSoundBank::RepairOutcome outcome = bank.GetRepairOutcome();
        if (loaded && outcome == CSoundBank::RepairNone)
            out << path << ": nothing to repair\n";
        else if (loaded && outcome == CSoundBank::RepairDone)
            out << path << ": repaired\n";
        else
        {
            out << path << ": not repaired\n";
            code = kCliBankFailed;
        }
    }
    return code;
}
