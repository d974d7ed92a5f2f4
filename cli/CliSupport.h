// Pieces the command-line commands share: how a command joins the tool's parser (CLI11) with
// its options and their checks, the message sink and the output helpers.
#pragma once

#include "res/MessageBox.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <vector>

// Prints every message as "Orvane: <text>" to the error stream, answers No to questions and
// counts failures, so a command knows whether a bank failed to load. While m_strBank names the
// bank being read, messages say which: "orvane-cli: BANK: <text>".
class CCliMessageSink : public IMessageSink
{
public:
    explicit CCliMessageSink(std::ostream& err);
    ~CCliMessageSink() override;
    int Show(const std::string& text, const std::string& caption, unsigned style) override;
    // The message, then "orvane-cli: PATH: REASON".
    int ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                   const std::string& detail) override;

    int m_nFailures = 0;
    std::string m_strBank;
    std::string m_strLastError; // the text of the last failure shown

private:
    std::ostream& m_err;
    CSlot<IMessageSink>::CScope m_scope;
};

// "#rrggbb" or "rrggbb" to a 0x00BBGGRR colour.
bool ParseHtmlColor(const std::string& text, uint32_t& color);

// Decimal digits only (at most 9), value at most max.
bool ParseDecimal(const std::string& text, unsigned long max, unsigned long& value);

// Text for a terminal: control bytes (and DEL) as \xNN, everything else as it is.
std::string PrintableText(const std::string& text);

// Prints "orvane-cli: <message>" and a hint to the command's help; returns kCliUsage.
int UsageError(std::ostream& err, const std::string& command, const std::string& message);

// One JSON document and a line end; bytes that are not UTF-8 are written as U+FFFD.
void WriteJsonDocument(std::ostream& out, const nlohmann::ordered_json& doc);

// One CSV record (RFC 4180): fields quoted by libcsv where they hold a comma, quote or line end.
void WriteCsvRecord(std::ostream& out, std::initializer_list<std::string> fields);

// A command of the parser, and what runs it once its words are parsed (returning the exit code).
struct CliCommand
{
    CLI::App* app;
    std::function<int(std::ostream& out, std::ostream& err)> run;
};

// Adds the command name. summary is its line in the tool's help; head opens its own --help (the
// usage line, a blank line, what it does), footer closes it after the option list.
CLI::App* AddCommand(CLI::App& cli, const std::string& name, const std::string& summary, const std::string& head,
                     const std::string& footer = std::string());

// A check of an option's value by parse, which reads it into a VALUE: the message when it
// cannot is "'TEXT' is not <what>".
template <class VALUE> CLI::Validator ValueCheck(bool (*parse)(const std::string&, VALUE&), const std::string& what)
{
    return CLI::Validator(
        [parse, what](std::string& text)
        {
            VALUE value{};
            return parse(text, value) ? std::string() : "'" + PrintableText(text) + "' is not " + what;
        },
        std::string());
}

// The operands BANK|DIR...: at least one.
CLI::Option* AddBankOperands(CLI::App& command, std::vector<std::string>& operands);

// What a listing command (info, overlap, history) is given: --json, --csv (which exclude each
// other) and its operands BANK|DIR...
struct CListingOptions
{
    bool bJson = false;
    bool bCsv = false;
    std::vector<std::string> operands;
};
// Adds them with the texts of --json and --csv (no --csv when its text is empty).
void AddListingOptions(CLI::App& command, CListingOptions& options, const std::string& json, const std::string& csv);

CliCommand AddInfoCommand(CLI::App& cli);
CliCommand AddMapCommand(CLI::App& cli);
CliCommand AddZipCommand(CLI::App& cli);
CliCommand AddRepairCommand(CLI::App& cli);
CliCommand AddSetCommand(CLI::App& cli);
CliCommand AddOverlapCommand(CLI::App& cli);
CliCommand AddBankSetCommand(CLI::App& cli);
CliCommand AddHistoryCommand(CLI::App& cli);
CliCommand AddUndoCommand(CLI::App& cli);
CliCommand AddRedoCommand(CLI::App& cli);
CliCommand AddPortsCommand(CLI::App& cli);
CliCommand AddPlayCommand(CLI::App& cli);
CliCommand AddTourCommand(CLI::App& cli);
CliCommand AddExportCommand(CLI::App& cli);
