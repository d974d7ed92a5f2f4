// The CLI message sink and the small helpers the commands share: colours, JSON and CSV
// quoting, terminal-safe text and the signal handlers.
#include "cli/CliSupport.h"

#include "base/Utf8.h"
#include "cli/Cli.h"
#include "res/StringTable.h"

#include <cstdio>
#include <ostream>

CCliMessageSink::CCliMessageSink(std::ostream& err) : m_err(err), m_scope(MessageSinkSlot(), this) {}

CCliMessageSink::~CCliMessageSink() = default;

int CCliMessageSink::Show(const std::string& text, const std::string&, unsigned style)
{
    m_err << LoadStringId(AFX_IDS_APP_TITLE) << ": " << text << '\n';
    if ((style & 0xF0) == MsgIconStop)
        ++m_nFailures;
    return (style & 0x0F) == MsgYesNo ? AnswerNo : AnswerOk;
}

int CCliMessageSink::ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                                const std::string& detail)
{
    int answer = Show(text, caption, style);
    m_err << "orvane-cli: " << detail << '\n';
    return answer;
}

bool ParseHtmlColor(const std::string& text, uint32_t& color)
{
    std::string hex = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    unsigned long rgb = std::stoul(hex, nullptr, 16);
    color = static_cast<uint32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    return true;
}

std::string JsonString(const std::string& raw)
{
    // JSON is UTF-8: bytes of a path or name that are not are replaced.
    const std::string text = ToValidUtf8(raw);
    std::string out = "\"";
    for (unsigned char c : text)
    {
        switch (c)
        {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F)
            {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            }
            else
                out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text)
    {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

bool IsHelpFlag(const std::string& arg)
{
    return arg == "-h" || arg == "--help";
}

int UsageError(std::ostream& err, const std::string& command, const std::string& message)
{
    err << "orvane-cli: " << message << "\n"
        << "Try 'orvane-cli " << (command.empty() ? "" : command + " ") << "--help'.\n";
    return kCliUsage;
}

std::string PrintableText(const std::string& text)
{
    std::string out;
    for (unsigned char c : text)
    {
        if (c < 0x20 || c == 0x7F)
        {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
        else
            out += static_cast<char>(c);
    }
    return out;
}

int ParseListingWords(const std::vector<std::string>& args, const std::string& command, const char* help,
                      std::ostream& out, std::ostream& err, CliFormat& format, std::vector<std::string>& operands)
{
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (IsEndOfOptions(arg))
        {
            operands.insert(operands.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        }
        if (IsHelpFlag(arg))
        {
            out << help;
            return kCliOk;
        }
        if (arg == "--json")
            format = CliFormat::Json;
        else if (arg == "--csv")
            format = CliFormat::Csv;
        else if (arg.size() > 1 && arg[0] == '-')
            return UsageError(err, command, "unknown option '" + arg + "'");
        else
            operands.push_back(arg);
    }
    return operands.empty() ? UsageError(err, command, "no bank given") : -1;
}
