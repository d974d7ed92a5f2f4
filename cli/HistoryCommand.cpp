// orvane-cli history: lists the changes this program made to banks, newest first, as the change
// journal holds them, and which one can be undone or redone now.
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "journal/ChangeJournal.h"

#include <ostream>

namespace
{
const char* const kHelp =
    "Usage: orvane-cli history [--json] BANK...\n\n"
    "Lists the changes Orvane made to each bank (inspector OKs, 'orvane-cli set', TTS repairs),\n"
    "newest first, from the change journal: when, what kind, a short summary, and whether the\n"
    "change can be undone now ('orvane-cli undo') or, once undone, redone ('orvane-cli redo').\n"
    "A change can be undone only while the bank is exactly as the change left it.\n\n"
    "  --json   one JSON document: an array of {\"bank\", \"changes\": [{\"id\", \"time\",\n"
    "           \"unix_time\", \"kind\", \"summary\", \"state\", \"can_undo\", \"can_redo\"}]}\n\n"
    "Status words: 'can undo' (the next undo takes it back), 'done', 'changed since' (the\n"
    "bank no longer is as the change left it), 'can redo' (the next redo makes it again),\n"
    "'undone'.\n\n"
    "The journal lives in $XDG_STATE_HOME/orvane (default ~/.local/state/orvane).\n\n"
    "Exit status: 0 listed, 1 a journal could not be read, 2 usage error.\n";

std::string StatusWord(const JOURNALSTATUS& status, size_t i)
{
    const int index = static_cast<int>(i);
    if (index == status.nUndo)
        return status.bCanUndo ? "can undo" : "changed since";
    if (index == status.nRedo)
        return status.bCanRedo ? "can redo" : "undone";
    return status.changes[i].IsApplied() ? "done" : "undone";
}
} // namespace

int RunHistoryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliFormat format = CliFormat::Text;
    std::vector<std::string> banks;
    int code = ParseListingWords(args, "history", kHelp, out, err, format, banks);
    if (code >= 0)
        return code;
    if (format == CliFormat::Csv)
        return UsageError(err, "history", "unknown option '--csv'");

    code = kCliOk;
    if (format == CliFormat::Json)
        out << "[";
    bool first = true;
    for (const std::string& bank : banks)
    {
        JOURNALSTATUS status;
        if (!GetJournalStatus(bank, status))
        {
            code = kCliBankFailed;
            continue;
        }
        if (format == CliFormat::Text)
        {
            out << PrintableText(bank) << ":" << (status.changes.empty() ? " no changes" : "") << "\n";
            for (size_t i = status.changes.size(); i-- > 0;)
            {
                const JOURNALCHANGE& c = status.changes[i];
                std::string word = StatusWord(status, i);
                out << "  " << ChangeTimeText(c.nTime) << "  " << c.strKind
                    << std::string(c.strKind.size() < 9 ? 9 - c.strKind.size() : 0, ' ') << "  " << word
                    << std::string(word.size() < 13 ? 13 - word.size() : 0, ' ') << "  "
                    << PrintableText(ChangeSummaryText(c)) << "\n";
            }
            continue;
        }
        out << (first ? "" : ",") << "\n  {\"bank\": " << JsonString(bank) << ", \"changes\": [";
        first = false;
        for (size_t i = status.changes.size(), n = 0; i-- > 0; ++n)
        {
            const JOURNALCHANGE& c = status.changes[i];
            const int index = static_cast<int>(i);
            out << (n ? "," : "") << "\n    {\"id\": " << c.nId << ", \"time\": " << JsonString(ChangeTimeText(c.nTime))
                << ", \"unix_time\": " << c.nTime << ", \"kind\": " << JsonString(c.strKind)
                << ", \"summary\": " << JsonString(c.strSummary) << ", \"state\": \""
                << (c.IsApplied() ? "done" : "undone")
                << "\", \"can_undo\": " << (index == status.nUndo && status.bCanUndo ? "true" : "false")
                << ", \"can_redo\": " << (index == status.nRedo && status.bCanRedo ? "true" : "false") << "}";
        }
        out << (status.changes.empty() ? "]}" : "\n  ]}");
    }
    if (format == CliFormat::Json)
        out << (first ? "]\n" : "\n]\n");
    return code;
}
