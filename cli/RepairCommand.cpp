// orvane-cli repair: repairs converted TTS banks without asking, as the desktop program does
// with automatic repair switched on.
#include "cli/Cli.h"
#include "base/WriterLock.h"
#include "cli/CliSupport.h"
#include "soundbank/SoundBank.h"

#include <ostream>

namespace
{
const char* const kHead = "Usage: orvane-cli repair [--backup] BANK...\n\n"
                          "Repairs banks converted from the TTS format (a TTMA chunk in front of the priority\n"
                          "chunk of a .94b file) so that every bank loader accepts them: the priority chunk is\n"
                          "moved in front of the TTMA chunk; nothing else changes. The repaired file is written\n"
                          "beside the bank as BANK.new and then replaces it; on failure the bank stays as it was.\n"
                          "Prints 'repaired', 'nothing to repair' or 'not repaired' for each bank.";
const char* const kFooter = "Exit status: 0 every bank was repaired or needed nothing, 1 a bank could not be read\n"
                            "or repaired, 2 usage error.";

int RunRepair(const std::vector<std::string>& paths, bool backup, std::ostream& out)
{
    const REPAIRPOLICY policy{REPAIRPOLICY::Automatic, backup, backup};
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
} // namespace

CliCommand AddRepairCommand(CLI::App& cli)
{
    struct OPTIONS
    {
        bool bBackup = false;
        std::vector<std::string> banks;
    };
    auto options = std::make_shared<OPTIONS>();
    CLI::App* repair = AddCommand(cli, "repair", "repair converted TTS banks without asking", kHead, kFooter);
    repair->add_flag("--backup", options->bBackup,
                     "copy each bank to BANK.bak before repairing it (a bank whose copy fails\nis not repaired)");
    repair->add_option("BANK", options->banks)->required();
    return {repair,
            [options](std::ostream& out, std::ostream&) { return RunRepair(options->banks, options->bBackup, out); }};
}
