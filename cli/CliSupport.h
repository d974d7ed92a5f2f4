// Pieces the command-line commands share: the message sink, option parsing and output helpers.
#pragma once

#include "res/MessageBox.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// Prints every message as "Orvane: <text>" to the error stream, answers No to questions and
// counts failures, so a command knows whether a bank failed to load.
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

private:
    std::ostream& m_err;
    CSlot<IMessageSink>::CScope m_scope;
};

// "#rrggbb" or "rrggbb" to a 0x00BBGGRR colour.
bool ParseHtmlColor(const std::string& text, uint32_t& color);

// A string as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

// A CSV field, quoted when it needs to be.
std::string CsvField(const std::string& text);

// True for "-h" and "--help".
bool IsHelpFlag(const std::string& arg);

// True for "--", the end of the options: every word after it is an operand.
inline bool IsEndOfOptions(const std::string& arg)
{
    return arg == "--";
}

// How a listing command prints: text, one JSON document or CSV lines.
enum class CliFormat
{
    Text,
    Json,
    Csv
};
// The words of a listing command (info, overlap): [--json|--csv], help, "--" and operands, of
// which there must be at least one. -1 to go on; else the exit code (help printed, or a usage
// error reported).
int ParseListingWords(const std::vector<std::string>& args, const std::string& command, const char* help,
                      std::ostream& out, std::ostream& err, CliFormat& format, std::vector<std::string>& operands);

// Text for a terminal: control bytes (and DEL) as \xNN, everything else as it is.
std::string PrintableText(const std::string& text);

// Prints "orvane-cli: <message>" and a hint to the command's help; returns kCliUsage.
int UsageError(std::ostream& err, const std::string& command, const std::string& message);
