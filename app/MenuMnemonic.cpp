// Menu label mnemonics and the keys that type them.
#include "app/MenuMnemonic.h"

#include <cctype>
#include <set>

namespace
{
// Plain letters of the Latin-1 letters U+00C0 to U+00FF, upper and lower case alike; 0 where
// there is none.
const char kPlainLatin1[65] = "aaaaaaaceeeeiiiidnooooo\0ouuuuy\0saaaaaaaceeeeiiiidnooooo\0ouuuuy\0y";

// Any character beyond Latin-1.
constexpr unsigned kBeyondLatin1 = 0xFFFD;

// The code point of the UTF-8 sequence at text[at] (ASCII and Latin-1; kBeyondLatin1 for others),
// and its length.
unsigned CodePoint(const std::string& text, size_t at, size_t& length)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    length = 1;
    if ((lead & 0xE0) == 0xC0 && at + 1 < text.size())
    {
        length = 2;
        return ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3Fu);
    }
    if (lead < 0x80)
        return lead;
    while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
        ++length;
    return kBeyondLatin1;
}

// The mnemonic's code point and its UTF-8 text; 0 and "" without one.
unsigned MnemonicCode(const std::string& label, std::string& text)
{
    for (size_t i = 0; i + 1 < label.size(); ++i)
    {
        if (label[i] != '&')
            continue;
        if (label[i + 1] == '&')
        {
            ++i;
            continue;
        }
        size_t length = 0;
        const unsigned code = CodePoint(label, i + 1, length);
        text = label.substr(i + 1, length);
        return code;
    }
    text.clear();
    return 0;
}
} // namespace

std::string MenuMnemonic(const std::string& label)
{
    std::string text;
    const unsigned code = MnemonicCode(label, text);
    if (code < 0x80)
        return text.empty() ? text : std::string(1, static_cast<char>(std::tolower(static_cast<int>(code))));
    // Latin-1 capitals U+00C0 to U+00DE (but U+00D7) have their small letter 0x20 above.
    if (code >= 0xC0 && code <= 0xDE && code != 0xD7)
    {
        const unsigned lower = code + 0x20;
        return {static_cast<char>(0xC0 | (lower >> 6)), static_cast<char>(0x80 | (lower & 0x3F))};
    }
    return text;
}

char PlainMnemonicLetter(const std::string& label)
{
    std::string text;
    const unsigned code = MnemonicCode(label, text);
    if (code < 0xC0 || code > 0xFF)
        return 0;
    return kPlainLatin1[code - 0xC0];
}

std::vector<size_t> CollidingMnemonics(const std::vector<std::string>& labels)
{
    std::set<std::string> keys;
    std::vector<size_t> colliding;
    for (size_t i = 0; i < labels.size(); ++i)
    {
        std::string key = MenuMnemonic(labels[i]);
        if (key.empty())
            continue;
        const char plain = PlainMnemonicLetter(labels[i]);
        bool clash = !keys.insert(key).second;
        if (plain)
            clash = !keys.insert(std::string(1, plain)).second || clash;
        if (clash)
            colliding.push_back(i);
    }
    return colliding;
}
