// The inspector's copy text and the all-or-nothing check of a pasted block.
#include "inspector/InspectorClipboard.h"

#include "inspector/InspectorRules.h"
#include "res/StringTable.h"

std::string InspectorCopyText(const IInspectorTable& table, int nCol1, long nRow1, int nCol2, long nRow2)
{
    std::string text;
    for (long row = nRow1; row <= nRow2; ++row)
    {
        if (row > nRow1)
            text += '\n';
        for (int col = nCol1; col <= nCol2; ++col)
        {
            if (col > nCol1)
                text += '\t';
            text += table.GetCellText(col, row);
        }
    }
    return text;
}

std::vector<std::vector<std::string>> SplitPastedBlock(const std::string& text)
{
    const char separator = text.find('\t') != std::string::npos  ? '\t'
                           : text.find(';') != std::string::npos ? ';'
                                                                 : ',';
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (c == '\r' || c == '\n')
        {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.push_back(std::move(fields));
            fields.assign(1, std::string());
        }
        else if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (fields.size() > 1 || !fields[0].empty())
        lines.push_back(std::move(fields));
    return lines;
}

bool CheckInspectorPaste(const std::vector<std::vector<std::string>>& block, int nCol, long nRow, long nEntries,
                         std::string& pasteText, INSPECTORPASTEFAULT& fault)
{
    pasteText.clear();
    for (size_t line = 0; line < block.size(); ++line)
    {
        if (line)
            pasteText += '\n';
        for (size_t field = 0; field < block[line].size(); ++field)
        {
            const std::string& value = block[line][field];
            fault = INSPECTORPASTEFAULT{static_cast<long>(line) + 1, static_cast<int>(field) + 1, false, value};
            const long row = nRow + static_cast<long>(line);
            const size_t col = static_cast<size_t>(nCol) + field;
            if (nCol < 0 || nRow < 0 || col > 1 || row >= nEntries)
                return false;
            const int number = ReadPriorityText(value);
            if (number < 0)
            {
                fault.bBadValue = true;
                return false;
            }
            if (field)
                pasteText += '\t';
            pasteText += std::to_string(number);
        }
    }
    return true;
}

std::string InspectorPasteMessage(const INSPECTORPASTEFAULT& fault)
{
    const std::string line = std::to_string(fault.nLine);
    const std::string column = std::to_string(fault.nColumn);
    if (!fault.bBadValue)
        return FormatStringId(IDS_PASTE_OUTSIDE, {line, column});
    std::string value = fault.strValue.size() > 20 ? fault.strValue.substr(0, 20) + "..." : fault.strValue;
    for (char& c : value)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return FormatStringId(IDS_PASTE_BADVALUE, {line, column, value});
}
