// orvane-cli's parser: one CLI11 application with a subcommand per command, the help layout
// the manual page and the bash completion are made from, and usage errors in the tool's words.
#include "cli/Cli.h"

#include "cli/CliSupport.h"
#include "journal/ChangeJournal.h"

#include <algorithm>
#include <ostream>

#ifndef ORVANE_VERSION
#define ORVANE_VERSION "unknown"
#endif

namespace
{
const char* const kHead = "Usage: orvane-cli COMMAND [OPTIONS] ...\n\n"
                          "Shows and edits the MIDI mapping of .94b soundbanks.";
const char* const kFooter = "Run 'orvane-cli COMMAND --help' for the options of a command.";
const char* const kVersion =
    "orvane-cli " ORVANE_VERSION "\n"
    "Copyright 2026 the Orvane developers\n"
    "Licence GPL-3.0-or-later: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl-3.0.html>";

// "  NAMES   description", the description's further lines under its first.
void WriteItems(std::ostream& out, const std::vector<std::pair<std::string, std::string>>& items)
{
    size_t column = 0;
    for (const auto& item : items)
        column = std::max(column, item.first.size() + 3);
    for (const auto& [names, text] : items)
    {
        out << "  " << names << std::string(column - names.size(), ' ');
        for (size_t from = 0, end; from <= text.size(); from = end + 1)
        {
            end = std::min(text.find('\n', from), text.size());
            out << (from ? "\n  " + std::string(column, ' ') : "") << text.substr(from, end - from);
        }
        out << "\n";
    }
}

// "-o PAGE", "-h, --help", "--json".
std::string OptionNames(const CLI::Option& option)
{
    std::string names;
    for (const std::string& name : option.get_snames())
        names += (names.empty() ? "-" : ", -") + name;
    for (const std::string& name : option.get_lnames())
        names += (names.empty() ? "--" : ", --") + name;
    return option.get_expected_max() > 0 ? names + " " + option.get_type_name() : names;
}

// The help of the tool and of each command: the head, the options (a command's own help leaves
// out --help), the commands, the footer.
class CHelpFormatter : public CLI::FormatterBase
{
public:
    explicit CHelpFormatter(std::string head) : m_strHead(std::move(head)) {}

    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override
    {
        std::ostringstream out;
        out << m_strHead << "\n";
        std::vector<std::pair<std::string, std::string>> items;
        for (const CLI::Option* option : app->get_options())
            if (!option->get_positional() && !option->get_group().empty() &&
                (app->get_parent() == nullptr || option != app->get_help_ptr()))
                items.emplace_back(OptionNames(*option), option->get_description());
        if (!items.empty())
            out << "\n", WriteItems(out, items);
        items.clear();
        for (const CLI::App* command : app->get_subcommands({}))
            if (!command->get_group().empty())
                items.emplace_back(command->get_name(), command->get_description());
        if (!items.empty())
            out << "\nCommands:\n", WriteItems(out, items);
        if (!app->get_footer().empty())
            out << "\n" << app->get_footer() << "\n";
        return out.str();
    }

private:
    std::string m_strHead;
};

struct CLIENTRY
{
    const char* name;
    CliCommand (*add)(CLI::App& cli);
};
const CLIENTRY kCommands[] = {
    {"info", AddInfoCommand},       {"map", AddMapCommand},         {"zip", AddZipCommand},
    {"repair", AddRepairCommand},   {"set", AddSetCommand},         {"overlap", AddOverlapCommand},
    {"bankset", AddBankSetCommand}, {"history", AddHistoryCommand}, {"undo", AddUndoCommand},
    {"redo", AddRedoCommand},       {"ports", AddPortsCommand},     {"play", AddPlayCommand},
    {"tour", AddTourCommand},       {"export", AddExportCommand},
};

template <class KIND> bool Is(const CLI::ParseError& error)
{
    return dynamic_cast<const KIND*>(&error) != nullptr;
}

// A parse error in the tool's words: which option, operand or command is at fault.
int ReportParseError(const CLI::ParseError& error, const CLI::App& cli, const CLI::App* command, std::ostream& err)
{
    const std::string what = error.what();
    const std::string name = command ? command->get_name() : std::string();
    std::vector<std::string> extras = command ? command->remaining() : std::vector<std::string>();
    if (extras.empty())
        extras = cli.remaining(true);
    const std::string extra = extras.empty() ? std::string() : PrintableText(extras.front());
    const std::string subject = what.substr(0, what.find(':'));
    std::string message = PrintableText(what);
    if (!extra.empty() && (Is<CLI::ExtrasError>(error) || Is<CLI::RequiredError>(error)))
        message = extra.size() > 1 && extra[0] == '-' ? "unknown option '" + extra + "'"
                  : command                           ? "unexpected operand '" + extra + "'"
                                                      : "unknown command '" + extra + "'";
    else if (Is<CLI::RequiredError>(error))
        message = command ? "missing operand " + what.substr(0, what.rfind(" is required")) : "no command given";
    else if (Is<CLI::ArgumentMismatch>(error))
    {
        const CLI::Option* option = command ? command->get_option_no_throw(subject) : nullptr;
        message =
            option && option->count() > 1 ? "give " + subject + " once" : "option '" + subject + "' needs a value";
    }
    else if (Is<CLI::ExcludesError>(error))
    {
        const size_t at = what.find(" excludes ");
        message = "give either " + what.substr(0, at) + " or " + what.substr(at + 10) + ", not both";
    }
    return UsageError(err, name, message);
}
} // namespace

CLI::App* AddCommand(CLI::App& cli, const std::string& name, const std::string& summary, const std::string& head,
                     const std::string& footer)
{
    CLI::App* command = cli.add_subcommand(name, summary);
    command->formatter(std::make_shared<CHelpFormatter>(head));
    command->footer(footer);
    return command;
}

CLI::Option* AddBankOperands(CLI::App& command, std::vector<std::string>& operands)
{
    return command.add_option("BANK", operands)->required();
}

void AddListingOptions(CLI::App& command, CListingOptions& options, const std::string& json, const std::string& csv)
{
    CLI::Option* jsonFlag = command.add_flag("--json", options.bJson, json);
    if (!csv.empty())
        command.add_flag("--csv", options.bCsv, csv)->excludes(jsonFlag);
    AddBankOperands(command, options.operands);
}

int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CLI::App cli("", "orvane-cli");
    cli.formatter(std::make_shared<CHelpFormatter>(kHead));
    cli.footer(kFooter);
    cli.set_help_flag("-h,--help", "show this help; after a command, the command's own");
    cli.set_version_flag("--version", kVersion, "show the version and the licence");
    cli.require_subcommand(1);
    // An option given twice keeps its last value, as it always did.
    cli.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // Only the command the first word names is built, as building them all would cost a good part
    // of the start-up; any other first word (the help, a mistake) gets them all.
    const bool all = args.empty() || std::none_of(std::begin(kCommands), std::end(kCommands),
                                                  [&args](const CLIENTRY& c) { return args[0] == c.name; });
    std::vector<CliCommand> commands;
    for (const CLIENTRY& c : kCommands)
        if (all || args[0] == c.name)
            commands.push_back(c.add(cli));
    // "orvane-cli help" is "orvane-cli --help"; it is not listed.
    CLI::App* help = cli.add_subcommand("help")->group("");
    auto parsed = [&]() -> const CliCommand*
    {
        for (const CliCommand& c : commands)
            if (c.app->parsed())
                return &c;
        return nullptr;
    };
    try
    {
        std::vector<std::string> words(args.rbegin(), args.rend());
        cli.parse(words);
    }
    catch (const CLI::CallForHelp&)
    {
        out << cli.help();
        return kCliOk;
    }
    catch (const CLI::CallForVersion& version)
    {
        out << version.what() << "\n";
        return kCliOk;
    }
    catch (const CLI::ParseError& error)
    {
        const CliCommand* command = parsed();
        return ReportParseError(error, cli, command ? command->app : nullptr, err);
    }
    if (help->parsed())
    {
        out << cli.get_formatter()->make_help(&cli, "", CLI::AppFormatMode::Normal);
        return kCliOk;
    }
    const CliCommand* command = parsed();
    CCliMessageSink sink(err);
    // Every change a command makes to a bank is recorded first, so it can be undone.
    CJournalScope journal("set");
    int code = command->run(out, err);
    // A full disk or a closed pipe on standard output loses what was printed: say so.
    out.flush();
    if (!out)
    {
        err << "orvane-cli: cannot write to standard output\n";
        return kCliUsage;
    }
    return code;
}
