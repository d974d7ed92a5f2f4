// orvane-cli history: lists the changes this program made to banks, newest first, as the change
// journal holds them, and which one can be undone or redone now.
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "journal/ChangeJournal.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace
{
const char* const kHead = "Usage: orvane-cli history [--json] BANK...\n\n"
                          "Lists the changes Orvane made to each bank (inspector OKs, 'orvane-cli set', TTS repairs),\n"
                          "newest first, from the change journal: when, what kind, a short summary, and whether the\n"
                          "change can be undone now ('orvane-cli undo') or, once undone, redone ('orvane-cli redo').\n"
                          "A change can be undone only while the bank is exactly as the change left it.";
const char* const kFooter = "Status words: 'can undo' (the next undo takes it back), 'done', 'changed since' (the\n"
                            "bank no longer is as the change left it), 'can redo' (the next redo makes it again),\n"
                            "'undone'.\n\n"
                            "The journal lives in $XDG_STATE_HOME/orvane (default ~/.local/state/orvane).\n\n"
                            "Exit status: 0 listed, 1 a journal could not be read, 2 usage error.";

std::string StatusWord(const JOURNALSTATUS& status, size_t i)
{
    const int index = static_cast<int>(i);
    if (index == status.nUndo)
        return status.bCanUndo ? "can undo" : "changed since";
    if (index == status.nRedo)
        return status.bCanRedo ? "can redo" : "undone";
    return status.changes[i].IsApplied() ? "done" : "undone";
}

int RunHistory(const std::vector<std::string>& banks, bool json, std::ostream& out)
{
    int code = kCliOk;
    nlohmann::ordered_json doc = nlohmann::ordered_json::array();
    for (const std::string& bank : banks)
    {
        JOURNALSTATUS status;
        if (!GetJournalStatus(bank, status))
        {
            code = kCliBankFailed;
            continue;
        }
        if (!json)
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
        nlohmann::ordered_json changes = nlohmann::ordered_json::array();
        for (size_t i = status.changes.size(); i-- > 0;)
        {
            const JOURNALCHANGE& c = status.changes[i];
            const int index = static_cast<int>(i);
            changes.push_back({{"id", c.nId},
                               {"time", ChangeTimeText(c.nTime)},
                               {"unix_time", c.nTime},
                               {"kind", c.strKind},
                               {"summary", c.strSummary},
                               {"state", c.IsApplied() ? "done" : "undone"},
                               {"can_undo", index == status.nUndo && status.bCanUndo},
                               {"can_redo", index == status.nRedo && status.bCanRedo}});
        }
        doc.push_back({{"bank", bank}, {"changes", std::move(changes)}});
    }
    if (json)
        WriteJsonDocument(out, doc);
    return code;
}
} // namespace

CliCommand AddHistoryCommand(CLI::App& cli)
{
    auto options = std::make_shared<CListingOptions>();
    CLI::App* history = AddCommand(cli, "history", "list the changes made to banks, newest first", kHead, kFooter);
    AddListingOptions(*history, *options,
                      "one JSON document: an array of {\"bank\", \"changes\": [{\"id\", \"time\",\n"
                      "\"unix_time\", \"kind\", \"summary\", \"state\", \"can_undo\", \"can_redo\"}]}",
                      std::string());
    return {history,
            [options](std::ostream& out, std::ostream&) { return RunHistory(options->operands, options->bJson, out); }};
}
