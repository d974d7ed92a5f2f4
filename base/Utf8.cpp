// Replacement of malformed UTF-8, one maximal ill-formed subsequence at a time.
#include "base/Utf8.h"

namespace
{
const char kReplacement[] = "\xEF\xBF\xBD";

// Length of the well-formed sequence starting at text[i], or 0.
size_t SequenceLength(const std::string& text, size_t i)
{
    const auto at = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = at(i);
    if (c < 0x80)
        return 1;
    size_t n;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
    {
        n = 3;
        if (c == 0xE0)
            lo = 0xA0; // no overlong forms
        if (c == 0xED)
            hi = 0x9F; // no surrogates
    }
    else if (c >= 0xF0 && c <= 0xF4)
    {
        n = 4;
        if (c == 0xF0)
            lo = 0x90;
        if (c == 0xF4)
            hi = 0x8F; // nothing above U+10FFFF
    }
    else
        return 0;
    if (i + n > text.size())
        return 0;
    if (at(i + 1) < lo || at(i + 1) > hi)
        return 0;
    for (size_t k = 2; k < n; ++k)
        if (at(i + k) < 0x80 || at(i + k) > 0xBF)
            return 0;
    return n;
}
} // namespace

std::string ToValidUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();)
    {
        size_t n = SequenceLength(text, i);
        if (n)
        {
            out.append(text, i, n);
            i += n;
        }
        else
        {
            out += kReplacement;
            ++i;
        }
    }
    return out;
}
