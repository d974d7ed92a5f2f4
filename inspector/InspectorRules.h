// The inspector's rules for typed values: which keys an edit takes, how its text is read, the
// range it must lie in, where the next edit goes, and what OK stores for name and priority.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Highest program, variation and priority the inspector accepts.
constexpr int kInspectorMaxValue = 127;

// Backspace and Tab pass; any other key only when the low byte of its code is a digit.
bool InspectorKeyAllowed(unsigned nKey);

// The number at the start of text as sscanf("%d") reads it: leading white space and a sign
// allowed, 0 when there is no number; a number too large for an int reads as the nearest
// int, which lies out of range anyway.
int ReadEditValue(const std::string& text);
// The number at the start of text as atol reads it, with the same clamping.
long ReadCellNumber(const std::string& text);

inline bool InspectorValueInRange(long value)
{
    return value >= 0 && value <= kInspectorMaxValue;
}

// An edit starts only on a cell that shows a value.
inline bool InspectorCanEdit(const std::string& cellText)
{
    return !cellText.empty();
}

// For keyboard users: on a cell that shows a value, F2 starts an edit of it, and a typed digit
// starts an edit whose text is that digit. (Enter in the table is the dialog's OK.)
bool InspectorKeyStartsEdit(unsigned nKey);
bool InspectorCharStartsEdit(unsigned nChar);

// Where the edit that follows one in (nCol, nRow) goes: from the variation column always the
// variation of the next row, from the last row back to row 0; from the program column the
// grid's proposal (nNextCol, nNextRow) stands.
void InspectorNextCell(int nCol, long nRow, long nRowCount, int& nNextCol, long& nNextRow);

// The priority field and its up-down control. The control holds a position from 0 to 127 and
// does not follow the typing: it reads the field only when an arrow is used.
class CPriorityUpDown
{
public:
    // The position starts at the bank's priority within 0 to 127.
    explicit CPriorityUpDown(long priority = 0);
    int GetPosition() const { return m_nPosition; }
    // An arrow used (nDelta +1 up, -1 down) while the field shows typed: a priority read from
    // typed becomes the position first, then the position steps, stopping at 0 and 127. The
    // field then shows the returned text.
    std::string Step(const std::string& typed, int nDelta);
    // What OK stores: the priority typed, or the position when typed is none.
    uint16_t AtOk(const std::string& typed) const;

private:
    int m_nPosition;
};

// The priority a field's text names: a whole number from 0 to 127, spaces around it allowed;
// -1 for any other text (empty, signed, out of range, with letters).
int ReadPriorityText(const std::string& text);

// Longest bank name the file holds, in characters (one byte each in Windows-1252).
constexpr size_t kBankNameChars = 8;
// The name field's text after a change: characters a bank name cannot hold are dropped, and
// the text stops at 8 characters.
std::string InspectorNameField(const std::string& typed);

// The name as the edit shows it: the raw name up to its first zero byte, as UTF-8.
std::string InspectorShownName(const std::string& rawName);
// The raw name OK stores: the bank's own bytes when the text shown was not changed (bytes
// after a zero byte are kept), else the typed text in Windows-1252 (its first 8 bytes reach
// the file).
std::string InspectorNameAtOk(const std::string& rawName, const std::string& typed);

// One one-pixel ring of the dialog's frame: its rectangle and colour (0x00BBGGRR).
struct FRAMERING
{
    int x, y, w, h;
    uint32_t color;
};
// The frame of a client area w x h: six dark rings from the edge inwards, then one light ring.
std::vector<FRAMERING> InspectorFrameRings(int w, int h);
