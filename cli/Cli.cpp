// Dispatch of orvane-cli's commands and its overall help.
#include "cli/Cli.h"

#include "cli/CliSupport.h"
#include "journal/ChangeJournal.h"

#include <ostream>

namespace
{
struct CliCommand
{
    const char* name;
    const char* summary;
    int (*run)(const std::vector<std::string>&, std::ostream&, std::ostream&);
};

const CliCommand kCommands[] = {
    {"info", "show name, priority, mapping and chunk positions of banks", RunInfoCommand},
    {"map", "render the MIDI mapping page of banks", RunMapCommand},
    {"zip", "pack a bank and its mapping page into a ZIP archive", RunZipCommand},
    {"repair", "repair converted TTS banks without asking", RunRepairCommand},
    {"set", "change a bank's name, priority and mapping entries in place", RunSetCommand},
    {"overlap", "list the program and variation numbers several banks map", RunOverlapCommand},
    {"history", "list the changes made to banks, newest first", RunHistoryCommand},
    {"undo", "undo the newest change made to a bank", RunUndoCommand},
    {"redo", "redo the change to a bank undone last", RunRedoCommand},
};

void PrintHelp(std::ostream& out)
{
    out << "Usage: orvane-cli COMMAND [OPTIONS] ...\n\n"
           "Shows and edits the MIDI mapping of .94b soundbanks.\n\nCommands:\n";
    for (const CliCommand& c : kCommands)
        out << "  " << c.name << std::string(10 - std::string(c.name).size(), ' ') << c.summary << "\n";
    out << "\nRun 'orvane-cli COMMAND --help' for the options of a command.\n";
}
} // namespace

int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
    {
        PrintHelp(err);
        return kCliUsage;
    }
    if (IsHelpFlag(args[0]) || args[0] == "help")
    {
        PrintHelp(out);
        return kCliOk;
    }
    for (const CliCommand& c : kCommands)
        if (args[0] == c.name)
        {
            CCliMessageSink sink(err);
            // Every change a command makes to a bank is recorded first, so it can be undone.
            CJournalScope journal("set");
            int code = c.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
            // A full disk or a closed pipe on standard output loses what was printed: say so.
            out.flush();
            if (!out)
            {
                err << "orvane-cli: cannot write to standard output\n";
                return kCliUsage;
            }
            return code;
        }
    return UsageError(err, "", "unknown command '" + args[0] + "'");
}
