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
    return nKey == 0x71 /* F2 */ || nKey == 0x0D /* Enter */;
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

int InspectorSpinnerPosition(long priority)
{
    return priority < 0 ? 0 : priority > kInspectorMaxValue ? kInspectorMaxValue : static_cast<int>(priority);
}

uint16_t InspectorPriorityAtOk(const std::string& typed, int spinnerPosition)
{
    long value = ReadCellNumber(typed);
    return static_cast<uint16_t>(InspectorValueInRange(value) ? value : spinnerPosition);
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
