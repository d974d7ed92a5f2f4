// Filling the inspector's table from a bank and writing edits and OK back into it.
#include "inspector/InspectorTable.h"

#include "inspector/InspectorRules.h"

void FillInspectorTable(IInspectorTable& table, const std::vector<IMAPENTRY>& list)
{
    for (long row = 0; row < kInspectorSetupRows && row < table.GetRowCount(); ++row)
    {
        table.SetCellText(0, row, std::string());
        table.SetCellText(1, row, std::string());
    }
    const long n = static_cast<long>(list.size());
    table.SetRowCount(n > kInspectorMinRows ? n : kInspectorMinRows);
    for (long i = 0; i < n; ++i)
    {
        const IMAPENTRY& entry = list[static_cast<size_t>(i)];
        table.SetCellText(0, i, std::to_string(entry.wProgram));
        table.SetCellText(1, i, std::to_string(entry.byVariation));
    }
}

void WriteBackInspectorRow(const IInspectorTable& table, long nRow, bool bInstruments, CSoundBank& bank)
{
    const size_t count = bInstruments ? bank.m_arrInstruments.size() : bank.m_arrDrumsets.size();
    if (nRow < 0 || static_cast<size_t>(nRow) >= count || nRow >= table.GetRowCount())
        return;
    const auto program = static_cast<uint16_t>(ReadCellNumber(table.GetCellText(0, nRow)));
    const auto variation = static_cast<uint8_t>(ReadCellNumber(table.GetCellText(1, nRow)));
    if (bInstruments)
        bank.SetInstrument(static_cast<int>(nRow), program, variation);
    else
        bank.SetDrumset(static_cast<int>(nRow), program, variation);
}

int InspectorSave(CSoundBank& bank, const std::string& typedName, uint16_t wPriority, bool bKeepBackup)
{
    bank.m_strBankName = InspectorNameAtOk(bank.m_strBankName, typedName);
    bank.m_wPriority = wPriority;
    return bank.SaveWithBackup(bKeepBackup);
}
