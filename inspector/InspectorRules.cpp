// Reading and checking the inspector's values, without a display.
#include "inspector/InspectorRules.h"

#include "soundbank/BankName.h"

#include <cctype>
#include <climits>

namespace
{
// Leading white space, an optional sign and digits, clamped to [lo, hi]; 0 without digits.
long long ReadLeadingNumber(const std::string& text, long long lo, long long hi)
{
    // Any magnitude beyond this is far outside every range the inspector checks.
    constexpr long long kCap = 1LL << 40;
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = value >= kCap ? kCap : value * 10 + (text[i] - '0');
    value = negative ? -value : value;
    return value < lo ? lo : value > hi ? hi : value;
}
} // namespace

bool InspectorKeyAllowed(unsigned nKey)
{
    if (nKey == 8 || nKey == 9)
        return true;
    const unsigned char c = static_cast<unsigned char>(nKey & 0xFF);
    return c >= '0' && c <= '9';
}

bool InspectorKeyStartsEdit(unsigned nKey)
{
    return nKey == 0x71 /* F2 */;
}

bool InspectorCharStartsEdit(unsigned nChar)
{
    return nChar >= '0' && nChar <= '9';
}

int ReadEditValue(const std::string& text)
{
    return static_cast<int>(ReadLeadingNumber(text, INT_MIN, INT_MAX));
}

long ReadCellNumber(const std::string& text)
{
    return static_cast<long>(ReadLeadingNumber(text, LONG_MIN, LONG_MAX));
}

void InspectorNextCell(int nCol, long nRow, long nRowCount, int& nNextCol, long& nNextRow)
{
    if (nCol != 1)
        return;
    nNextCol = 1;
    nNextRow = nRow + 1 >= nRowCount ? 0 : nRow + 1;
}

CPriorityUpDown::CPriorityUpDown(long priority)
    : m_nPosition(priority < 0                    ? 0
                  : priority > kInspectorMaxValue ? kInspectorMaxValue
                                                  : static_cast<int>(priority))
{
}

std::string CPriorityUpDown::Step(const std::string& typed, int nDelta)
{
    if (const int typedValue = ReadPriorityText(typed); typedValue >= 0)
        m_nPosition = typedValue;
    const int next = m_nPosition + nDelta;
    m_nPosition = next < 0 ? 0 : next > kInspectorMaxValue ? kInspectorMaxValue : next;
    return std::to_string(m_nPosition);
}

uint16_t CPriorityUpDown::AtOk(const std::string& typed) const
{
    const int typedValue = ReadPriorityText(typed);
    return static_cast<uint16_t>(typedValue >= 0 ? typedValue : m_nPosition);
}

int ReadPriorityText(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return -1;
    const size_t last = text.find_last_not_of(" \t");
    long value = 0;
    for (size_t i = first; i <= last; ++i)
    {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return -1;
        value = value * 10 + (text[i] - '0');
        if (value > kInspectorMaxValue)
            return -1;
    }
    return static_cast<int>(value);
}

std::string InspectorNameField(const std::string& typed)
{
    std::string kept;
    size_t chars = 0;
    for (size_t i = 0; i < typed.size() && chars < kBankNameChars;)
    {
        // One UTF-8 character: its lead byte and the continuation bytes after it.
        size_t end = i + 1;
        while (end < typed.size() && (static_cast<unsigned char>(typed[end]) & 0xC0) == 0x80)
            ++end;
        const std::string character = typed.substr(i, end - i);
        if (BankNameCanHold(character))
        {
            kept += character;
            ++chars;
        }
        i = end;
    }
    return kept;
}

std::string InspectorShownName(const std::string& rawName)
{
    return Cp1252ToUtf8(BankNameText(rawName));
}

std::string InspectorNameAtOk(const std::string& rawName, const std::string& typed)
{
    return typed == InspectorShownName(rawName) ? rawName : Utf8ToCp1252(typed);
}

std::vector<FRAMERING> InspectorFrameRings(int w, int h)
{
    constexpr uint32_t kDark = 0x303030;  // RGB(48, 48, 48)
    constexpr uint32_t kLight = 0x93ACC8; // RGB(200, 172, 147)
    std::vector<FRAMERING> rings;
    for (int i = 0; i < 7 && w - 2 * i > 0 && h - 2 * i > 0; ++i)
        rings.push_back({i, i, w - 2 * i, h - 2 * i, i < 6 ? kDark : kLight});
    return rings;
}
