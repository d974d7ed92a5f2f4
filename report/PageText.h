// Text helpers for the mapping page: HTML escaping, colours and the date line.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

// Escapes &, <, > and " so a value cannot change the page's markup.
std::string HtmlEscape(const std::string& text);
// The same escaping, appended to out.
void AppendHtmlEscaped(std::string& out, std::string_view text);

// "#rrggbb" (lower-case) from a 0x00BBGGRR colour.
std::string ColorToHtml(uint32_t color);

// The page's date in the interface's language, in the form and with the names of the string
// table: "Sunday, December 06, 2026 at 05:29:24" in English, whatever the system's locale.
std::string FormatMappingDate(const std::tm& when);
// when in pattern: %A and %B are the day and month from names ("|" between them, Sunday and
// January first), %d the two-digit day, %e the day without a leading zero, %Y the year, %H, %M,
// %S the time in two digits and %% a percent sign; anything else is copied as it stands.
std::string FormatDate(const std::tm& when, std::string_view pattern, std::string_view dayNames,
                       std::string_view monthNames);

// Replaces every occurrence of tag in line by value; true when the tag was there.
bool ReplaceAll(std::string& line, std::string_view tag, const std::string& value);

// The background image as the page refers to it: the path as it is, or, when it holds '#', '?'
// or '%' (which a browser reads as parts of a URL), a file: URL with those percent-encoded.
std::string ImageUrl(const std::string& path);

// The body's background as the page's templates put it: BGCOLOR=#rrggbb, or
// BACKGROUND="IMAGE" (escaped) when an image is given.
std::string PageBackgroundAttribute(uint32_t crBackground, const std::filesystem::path& image);
// The program's directory, escaped, where a page finds the logo beside the templates.
std::string PageImageLocation();

// A template's lines, read as text: a trailing "\r" of each line is dropped.
class CLineReader
{
public:
    explicit CLineReader(const std::string& text) : m_text(text) {}

    bool Next(std::string& line)
    {
        if (m_nPos >= m_text.size())
            return false;
        size_t nl = m_text.find('\n', m_nPos);
        size_t end = nl == std::string::npos ? m_text.size() : nl;
        line.assign(m_text, m_nPos, end - m_nPos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_nPos = nl == std::string::npos ? m_text.size() : nl + 1;
        return true;
    }

private:
    const std::string& m_text;
    size_t m_nPos = 0;
};
