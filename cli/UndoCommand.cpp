// orvane-cli undo and redo: take back the newest change Orvane made to a bank, or make the change
// undone last again, from the change journal.
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "journal/ChangeJournal.h"

#include <ostream>

namespace
{
const char* const kUndoHelp =
    "Usage: orvane-cli undo BANK\n\n"
    "Undoes the newest change Orvane made to the bank (an inspector OK, 'orvane-cli set' or a\n"
    "TTS repair, from this or an earlier run) and restores the bank's exact bytes from before\n"
    "it. Several undos in a row walk back through the history ('orvane-cli history BANK').\n"
    "Nothing is written unless the bank is exactly as the change left it: a bank changed by\n"
    "another program since is left alone. The bank is written the way the change wrote it (in\n"
    "place, or a repair through BANK.new renamed over it), keeping its owner and mode; a link\n"
    "is followed to the bank.\n\n"
    "Exit status: 0 undone, 1 nothing to undo, the bank was changed since, or it could not be\n"
    "written (it is then as it was) or the change journal could not record it, 2 usage\n"
    "error.\n";

const char* const kRedoHelp =
    "Usage: orvane-cli redo BANK\n\n"
    "Makes the change undone last ('orvane-cli undo', or Undo in the desktop program) again,\n"
    "giving the bank its exact bytes from after that change. Nothing is written unless the\n"
    "bank is exactly as the undo left it. A new change to the bank ends what can be redone.\n\n"
    "Exit status: 0 redone, 1 nothing to redo, the bank was changed since, or it could not be\n"
    "written (it is then as it was) or the change journal could not record it, 2 usage\n"
    "error.\n";

int RunStep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool bUndo)
{
    const char* command = bUndo ? "undo" : "redo";
    std::vector<std::string> banks;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (IsEndOfOptions(arg))
        {
            banks.insert(banks.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        }
        if (IsHelpFlag(arg))
        {
            out << (bUndo ? kUndoHelp : kRedoHelp);
            return kCliOk;
        }
        if (arg.size() > 1 && arg[0] == '-')
            return UsageError(err, command, "unknown option '" + arg + "'");
        banks.push_back(arg);
    }
    if (banks.size() != 1)
        return UsageError(err, command, "give exactly one bank");
    std::string summary;
    StepResult result = bUndo ? UndoLastChange(banks[0], &summary) : RedoLastChange(banks[0], &summary);
    if (result != StepResult::Done)
        return kCliBankFailed;
    out << PrintableText(banks[0]) << ": " << (bUndo ? "undone: " : "redone: ") << PrintableText(summary) << "\n";
    return kCliOk;
}
} // namespace

int RunUndoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunStep(args, out, err, true);
}

int RunRedoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunStep(args, out, err, false);
}
