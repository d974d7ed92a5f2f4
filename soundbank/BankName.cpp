// Bank names: the eight raw bytes of the priority chunk, as text and back, and the
// Windows-1252 <-> UTF-8 conversion of their characters.
#include "soundbank/BankName.h"

namespace
{
// Unicode code points of the bytes 0x80 to 0x9F in Windows-1252.
const char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80)
        out += static_cast<char>(c);
    else if (c < 0x800)
    {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Malformed input yields U+FFFD.
char32_t NextCodePoint(const std::string& text, size_t& i)
{
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i++);
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0)
        return 0xFFFD;
    char32_t c = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k)
    {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80)
            return 0xFFFD;
        c = (c << 6) | (byte(i++) & 0x3F);
    }
    return c;
}
} // namespace

std::string BankNameText(const std::string& rawName)
{
    return rawName.substr(0, rawName.find('\0'));
}

std::string Cp1252ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes)
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char32_t(b));
    return out;
}

std::string Utf8ToCp1252(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();)
    {
        char32_t c = NextCodePoint(text, i);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (kHighControls[k] == c)
                mapped = static_cast<char>(0x80 + k);
        out += mapped;
    }
    return out;
}

std::string PadBankName(const std::string& bytes)
{
    std::string name = bytes.substr(0, 8);
    name.resize(8, '\0');
    return name;
}

bool BankNameCanHold(const std::string& text)
{
    return text.find('\0') == std::string::npos && Cp1252ToUtf8(Utf8ToCp1252(text)) == text;
}
