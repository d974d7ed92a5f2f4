// orvane-cli undo and redo: take back the newest change Orvane made to a bank, or make the change
// undone last again, from the change journal.
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "journal/ChangeJournal.h"

#include <ostream>

namespace
{
const char* const kUndoHead =
    "Usage: orvane-cli undo BANK\n\n"
    "Undoes the newest change Orvane made to the bank (an inspector OK, 'orvane-cli set' or a\n"
    "TTS repair, from this or an earlier run) and restores the bank's exact bytes from before\n"
    "it. Several undos in a row walk back through the history ('orvane-cli history BANK').\n"
    "Nothing is written unless the bank is exactly as the change left it: a bank changed by\n"
    "another program since is left alone. The bank is written the way the change wrote it (in\n"
    "place, or a repair through BANK.new renamed over it), keeping its owner and mode; a link\n"
    "is followed to the bank.";
const char* const kUndoFooter =
    "Exit status: 0 undone, 1 nothing to undo, the bank was changed since, or it could not be\n"
    "written (it is then as it was) or the change journal could not record it, 2 usage\n"
    "error.";

const char* const kRedoHead =
    "Usage: orvane-cli redo BANK\n\n"
    "Makes the change undone last ('orvane-cli undo', or Undo in the desktop program) again,\n"
    "giving the bank its exact bytes from after that change. Nothing is written unless the\n"
    "bank is exactly as the undo left it. A new change to the bank ends what can be redone.";
const char* const kRedoFooter =
    "Exit status: 0 redone, 1 nothing to redo, the bank was changed since, or it could not be\n"
    "written (it is then as it was) or the change journal could not record it, 2 usage\n"
    "error.";

int RunStep(const std::string& bank, bool bUndo, std::ostream& out)
{
    std::string summary;
    StepResult result = bUndo ? UndoLastChange(bank, &summary) : RedoLastChange(bank, &summary);
    if (result != StepResult::Done)
        return kCliBankFailed;
    out << PrintableText(bank) << ": " << (bUndo ? "undone: " : "redone: ") << PrintableText(summary) << "\n";
    return kCliOk;
}

CliCommand AddStepCommand(CLI::App& cli, bool bUndo)
{
    auto bank = std::make_shared<std::string>();
    CLI::App* command = bUndo
                            ? AddCommand(cli, "undo", "undo the newest change made to a bank", kUndoHead, kUndoFooter)
                            : AddCommand(cli, "redo", "redo the change to a bank undone last", kRedoHead, kRedoFooter);
    command->add_option("BANK", *bank)->required();
    return {command, [bank, bUndo](std::ostream& out, std::ostream&) { return RunStep(*bank, bUndo, out); }};
}
} // namespace

CliCommand AddUndoCommand(CLI::App& cli)
{
    return AddStepCommand(cli, true);
}

CliCommand AddRedoCommand(CLI::App& cli)
{
    return AddStepCommand(cli, false);
}
