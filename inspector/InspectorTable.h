// The inspector's table as plain code: its texts filled from a bank's list, an edited row
// written back into the bank, and the steps of OK. The grid window adapts IInspectorTable.
#pragma once

#include "soundbank/SoundBank.h"

#include <string>
#include <vector>

// The two columns of the table as the inspector reads and writes them.
class IInspectorTable
{
public:
    virtual ~IInspectorTable() = default;
    virtual long GetRowCount() const = 0;
    virtual void SetRowCount(long nRows) = 0;
    virtual std::string GetCellText(int nCol, long nRow) const = 0;
    virtual void SetCellText(int nCol, long nRow, const std::string& text) = 0;
};

// Rows the table is set up with, and the fewest it shows.
constexpr long kInspectorSetupRows = 128;
constexpr long kInspectorMinRows = 6;

// Clears rows 0 to 127, sets the row count to the list's length (at least 6) and writes each
// entry's program and variation in decimal; values outside 0 to 127 are shown as they are.
void FillInspectorTable(IInspectorTable& table, const std::vector<IMAPENTRY>& list);

// Writes row nRow of the table back into the bank's instruments (or drum sets): both cells
// read as atol reads them, the program's low 16 bits and the variation's low 8 bits kept, the
// entry's other bytes untouched. A row the list does not have changes nothing.
void WriteBackInspectorRow(const IInspectorTable& table, long nRow, bool bInstruments, CSoundBank& bank);

// OK: the name and priority into the bank, the backup copy when bKeepBackup is set ("Unable
// to create backup file !" and the save goes on), then the write-back. Its result: 0 when the
// bank could not be written (its message shown), and the dialog stays for another try.
int InspectorSave(CSoundBank& bank, const std::string& typedName, uint16_t wPriority, bool bKeepBackup);
