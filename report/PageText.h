// Text helpers for the mapping page: HTML escaping, colours and the English date line.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

// Escapes &, <, > and " so a value cannot change the page's markup.
std::string HtmlEscape(const std::string& text);
// The same escaping, appended to out.
void AppendHtmlEscaped(std::string& out, std::string_view text);

// "#rrggbb" (lower-case) from a 0x00BBGGRR colour.
std::string ColorToHtml(uint32_t color);

// "Sunday, December 06, 2026 at 05:29:24": English names whatever the locale.
std::string FormatMappingDate(const std::tm& when);

// Replaces every occurrence of tag in line by value; true when the tag was there.
bool ReplaceAll(std::string& line, std::string_view tag, const std::string& value);

// The background image as the page refers to it: the path as it is, or, when it holds '#', '?'
// or '%' (which a browser reads as parts of a URL), a file: URL with those percent-encoded.
std::string ImageUrl(const std::string& path);
