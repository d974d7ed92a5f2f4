// Escaping, colours, the English date line and image URLs for the mapping page.
#include "report/PageText.h"

#include <cstdio>
#include <filesystem>

void AppendHtmlEscaped(std::string& out, std::string_view text)
{
    // Runs without a special character are copied whole.
    size_t from = 0;
    for (size_t at = text.find_first_of("&<>\""); at != std::string_view::npos; at = text.find_first_of("&<>\"", from))
    {
        out.append(text, from, at - from);
        switch (text[at])
        {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += "&quot;"; break;
        }
        from = at + 1;
    }
    out.append(text, from, std::string_view::npos);
}

std::string HtmlEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    AppendHtmlEscaped(out, text);
    return out;
}

std::string ColorToHtml(uint32_t color)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return buf;
}

std::string FormatMappingDate(const std::tm& when)
{
    static const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                                        "Saturday"};
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    const char* day = when.tm_wday >= 0 && when.tm_wday < 7 ? kDays[when.tm_wday] : "?";
    const char* month = when.tm_mon >= 0 && when.tm_mon < 12 ? kMonths[when.tm_mon] : "?";
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s, %s %02d, %d at %02d:%02d:%02d", day, month, when.tm_mday,
                  when.tm_year + 1900, when.tm_hour, when.tm_min, when.tm_sec);
    return buf;
}

bool ReplaceAll(std::string& line, std::string_view tag, const std::string& value)
{
    size_t at = line.find(tag);
    if (at == std::string::npos)
        return false;
    std::string out;
    out.reserve(line.size() + value.size());
    size_t from = 0;
    for (; at != std::string::npos; at = line.find(tag, from))
    {
        out.append(line, from, at - from);
        out += value;
        from = at + tag.size();
    }
    out.append(line, from, std::string::npos);
    line.swap(out);
    return true;
}

std::string ImageUrl(const std::string& path)
{
    if (path.find_first_of("#?%") == std::string::npos)
        return path;
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    const std::string full = ec ? path : absolute.string();
    std::string url = full.empty() || full[0] != '/' ? "file:" : "file://";
    for (char c : full)
    {
        if (c == '#' || c == '?' || c == '%')
        {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", static_cast<unsigned char>(c));
            url += buf;
        }
        else
            url += c;
    }
    return url;
}
