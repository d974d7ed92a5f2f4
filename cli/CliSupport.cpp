// The CLI message sink and the small helpers the commands share: colours, numbers, terminal-safe
// text, JSON documents and CSV records.
#include "cli/CliSupport.h"

#include "base/Utf8.h"
#include "cli/Cli.h"
#include "res/StringTable.h"

#include <csv.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>

CCliMessageSink::CCliMessageSink(std::ostream& err) : m_err(err), m_scope(MessageSinkSlot(), this) {}

CCliMessageSink::~CCliMessageSink() = default;

int CCliMessageSink::Show(const std::string& text, const std::string&, unsigned style)
{
    if (m_strBank.empty())
        m_err << LoadStringId(AFX_IDS_APP_TITLE) << ": " << text << '\n';
    else
        m_err << "orvane-cli: " << PrintableText(m_strBank) << ": " << text << '\n';
    if ((style & 0xF0) == MsgIconStop)
    {
        ++m_nFailures;
        m_strLastError = text;
    }
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

bool ParseDecimal(const std::string& text, unsigned long max, unsigned long& value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoul(text);
    return value <= max;
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

void WriteJsonDocument(std::ostream& out, const nlohmann::ordered_json& doc)
{
    out << doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

void WriteCsvRecord(std::ostream& out, std::initializer_list<std::string> fields)
{
    bool first = true;
    for (const std::string& field : fields)
    {
        if (!first)
            out << ',';
        first = false;
        if (field.find_first_of(",\"\r\n") == std::string::npos)
        {
            out << field;
            continue;
        }
        std::string quoted(csv_write(nullptr, 0, field.data(), field.size()), '\0');
        csv_write(quoted.data(), quoted.size(), field.data(), field.size());
        out << quoted;
    }
    out << '\n';
}
