// Escaping, colours, the date line and image URLs for the mapping page.
#include "report/PageText.h"

#include "base/Utf8.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"

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

namespace
{
// The index-th of names separated by '|'; "?" when there are fewer.
std::string_view NthName(std::string_view names, int index)
{
    for (int i = 0; index >= 0; ++i)
    {
        const size_t bar = names.find('|');
        if (i == index)
            return names.substr(0, bar);
        if (bar == std::string_view::npos)
            break;
        names.remove_prefix(bar + 1);
    }
    return "?";
}
} // namespace

std::string FormatDate(const std::tm& when, std::string_view pattern, std::string_view dayNames,
                       std::string_view monthNames)
{
    std::string out;
    auto number = [&out](int value, bool twoDigits)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, twoDigits ? "%02d" : "%d", value);
        out += buf;
    };
    for (size_t i = 0; i < pattern.size(); ++i)
    {
        if (pattern[i] != '%' || i + 1 == pattern.size())
        {
            out += pattern[i];
            continue;
        }
        switch (pattern[++i])
        {
        case 'A': out += NthName(dayNames, when.tm_wday < 7 ? when.tm_wday : -1); break;
        case 'B': out += NthName(monthNames, when.tm_mon < 12 ? when.tm_mon : -1); break;
        case 'd': number(when.tm_mday, true); break;
        case 'e': number(when.tm_mday, false); break;
        case 'Y': number(when.tm_year + 1900, false); break;
        case 'H': number(when.tm_hour, true); break;
        case 'M': number(when.tm_min, true); break;
        case 'S': number(when.tm_sec, true); break;
        case '%': out += '%'; break;
        default:
            out += '%';
            out += pattern[i];
            break;
        }
    }
    return out;
}

std::string FormatMappingDate(const std::tm& when)
{
    return FormatDate(when, LoadStringId(IDS_ZTLDATEFORMAT), LoadStringId(IDS_ZTLDAYNAMES),
                      LoadStringId(IDS_ZTLMONTHNAMES));
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

std::string PageBackgroundAttribute(uint32_t crBackground, const std::filesystem::path& image)
{
    return image.empty() ? "BGCOLOR=" + ColorToHtml(crBackground)
                         : "BACKGROUND=\"" + HtmlEscape(ToValidUtf8(ImageUrl(image.string()))) + "\"";
}

std::string PageImageLocation()
{
    return HtmlEscape(ToValidUtf8(GetProgramDirectory()));
}
