// Play links (see the header).
#include "report/PlayLinks.h"

#include <charconv>

namespace
{
constexpr std::string_view kScheme = "orvane-play:";
constexpr std::string_view kBank = "?bank=";

bool Plain(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == '.' ||
           c == '_' || c == '-';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

std::string PlayLinkHref(const PLAYLINK& link)
{
    std::string href(kScheme);
    href += link.bDrumset ? "drumset/" : "instrument/";
    href += std::to_string(link.nIndex);
    if (!link.strBank.empty())
    {
        href += kBank;
        static const char kHex[] = "0123456789ABCDEF";
        for (unsigned char c : link.strBank)
            if (Plain(c))
                href += static_cast<char>(c);
            else
            {
                href += '%';
                href += kHex[c >> 4];
                href += kHex[c & 15];
            }
    }
    return href;
}

bool ParsePlayLink(std::string_view href, PLAYLINK& link)
{
    if (href.substr(0, kScheme.size()) != kScheme)
        return false;
    href.remove_prefix(kScheme.size());
    PLAYLINK parsed;
    if (href.substr(0, 8) == "drumset/")
    {
        parsed.bDrumset = true;
        href.remove_prefix(8);
    }
    else if (href.substr(0, 11) == "instrument/")
        href.remove_prefix(11);
    else
        return false;
    const auto [end, ec] = std::from_chars(href.data(), href.data() + href.size(), parsed.nIndex);
    if (ec != std::errc() || end == href.data())
        return false;
    href.remove_prefix(static_cast<size_t>(end - href.data()));
    if (!href.empty())
    {
        if (href.substr(0, kBank.size()) != kBank || href.size() == kBank.size())
            return false;
        href.remove_prefix(kBank.size());
        for (size_t i = 0; i < href.size(); ++i)
        {
            if (href[i] != '%')
            {
                parsed.strBank += href[i];
                continue;
            }
            const int hi = i + 2 < href.size() ? HexValue(href[i + 1]) : -1;
            const int lo = hi >= 0 ? HexValue(href[i + 2]) : -1;
            if (lo < 0)
                return false;
            parsed.strBank += static_cast<char>(hi * 16 + lo);
            i += 2;
        }
    }
    link = std::move(parsed);
    return true;
}

std::string PlayLinkAnchor(const PLAYLINK& link)
{
    // U+25B6, the play sign, then a space: the name stays a word of its own for searches.
    return "<a href=\"" + PlayLinkHref(link) + "\">&#9654;</a> ";
}

std::string InsertPlayLinks(std::string_view page, const std::vector<ENTRYMARK>& marks, const std::string& bank)
{
    std::string out;
    out.reserve(page.size() + marks.size() * 48);
    uint64_t from = 0;
    for (const ENTRYMARK& mark : marks)
    {
        if (mark.nOffset > page.size() || mark.nOffset < from)
            continue;
        out.append(page.substr(from, mark.nOffset - from));
        out += PlayLinkAnchor({mark.bDrumset, mark.nIndex, mark.strBank.empty() ? bank : mark.strBank});
        from = mark.nOffset;
    }
    out.append(page.substr(from));
    return out;
}
