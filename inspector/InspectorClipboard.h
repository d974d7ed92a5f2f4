// Copy and paste in the inspector's table as plain code: the text Ctrl+C puts on the clipboard,
// and the check of a pasted block of numbers before any of it reaches the table.
#pragma once

#include "inspector/InspectorTable.h"

#include <string>
#include <vector>

// The cells from (nCol1, nRow1) to (nCol2, nRow2) as tab-separated lines joined by "\n".
std::string InspectorCopyText(const IInspectorTable& table, int nCol1, long nRow1, int nCol2, long nRow2);

// A pasted block as its lines of fields. Lines end in LF, CR LF or CR, a last empty line is
// dropped; fields are separated by tabs, or by semicolons or commas in text without tabs.
std::vector<std::vector<std::string>> SplitPastedBlock(const std::string& text);

// Why a pasted block is refused: the line and column (from 1) of the first field at fault, and
// whether the value is no whole number from 0 to 127 (else the field lands outside the
// program and variation of the shown list's entries).
struct INSPECTORPASTEFAULT
{
    long nLine = 0;
    int nColumn = 0;
    bool bBadValue = false;
    std::string strValue;
};

// Checks a block whose top-left field lands on (nCol, nRow) of a table showing nEntries
// entries: every field must be a whole number from 0 to 127 (spaces around it allowed) on an
// entry's program or variation. true with the block as tab-separated lines of its numbers,
// ready for the grid's paste; false with the first fault, line by line.
bool CheckInspectorPaste(const std::vector<std::vector<std::string>>& block, int nCol, long nRow, long nEntries,
                         std::string& pasteText, INSPECTORPASTEFAULT& fault);

// The message for a fault: which line and column, and what is wrong.
std::string InspectorPasteMessage(const INSPECTORPASTEFAULT& fault);
