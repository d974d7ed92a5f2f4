// Reading one bank into a definition file, with the program's messages.
#include "instrdef/InstrDefExport.h"

#include "base/FileSystem.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "bankset/BankSet.h"
#include "instrdef/InstrumentRows.h"
#include "soundbank/SoundBank.h"

namespace
{
// Writes the rows' file in one piece and says what was left out. 1 written, 0 after its message.
int WriteRows(const INSTRDEFROWS& rows, INSTRDEFFORMAT format, const std::string& device,
              const std::filesystem::path& outPath)
{
    IFileSystem& fs = GetFileSystem();
    std::string text;
    if (!WriteInstrDef(format, device, rows.rows, text))
    {
        AppMessageBoxDetail(IDS_INSTRDEF_CANTWRITE, MsgStop, FileErrorDetail(outPath, ENOMEM));
        return 0;
    }
    if (!WriteFileReplacing(fs, outPath, text.data(), text.size(), 0644))
    {
        AppMessageBoxDetail(IDS_INSTRDEF_CANTWRITE, MsgStop, FileErrorDetail(outPath, fs.LastError()));
        return 0;
    }
    if (const uint64_t left = rows.nProgramsAbove127 + rows.nVariationsAbove127)
        AppMessageBoxText(FormatStringId(IDS_INSTRDEF_LEFTOUT, {std::to_string(left)}), MsgExclamation);
    return 1;
}
} // namespace

int ExportBankInstrDef(const std::filesystem::path& bankPath, INSTRDEFFORMAT format,
                       const std::filesystem::path& outPath)
{
    IFileSystem& fs = GetFileSystem();
    if (FindOverwrittenInput(fs, outPath, {bankPath}) >= 0)
    {
        AppMessageBox(IDS_INSTRDEF_ISBANK, MsgStop);
        return 0;
    }
    // Read as it is: a converted bank maps its programs all the same, and nothing is asked.
    CSoundBank bank;
    if (!bank.Load(bankPath, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        return 0;
    uint64_t hidden = 0;
    INSTRDEFROWS rows = RowsFromSlots(SlotsOfBank(bank, hidden), {BankDisplayName(bank.m_strBankName)}, false);
    NameRows(rows.rows, nullptr, true);
    std::string device = BankDisplayName(bank.m_strBankName);
    if (device.empty())
        device = bankPath.stem().string();
    return WriteRows(rows, format, device, outPath);
}

int ExportSetInstrDef(const CBankSet& set, INSTRDEFFORMAT format, const std::filesystem::path& outPath,
                      const std::string& device)
{
    IFileSystem& fs = GetFileSystem();
    std::vector<std::filesystem::path> inputs;
    std::vector<std::string> names;
    size_t readable = 0;
    for (const SETBANK& bank : set.GetBanks())
    {
        inputs.emplace_back(bank.strPath);
        std::string name = bank.strName;
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        names.push_back(std::move(name));
        readable += bank.nStatus != BankUnreadable;
    }
    if (FindOverwrittenInput(fs, outPath, inputs) >= 0)
    {
        AppMessageBox(IDS_INSTRDEF_ISBANK, MsgStop);
        return 0;
    }
    // With no bank read there is nothing to define; the set page already says why.
    if (!readable)
    {
        AppMessageBoxDetail(IDS_INSTRDEF_CANTWRITE, MsgStop, FileErrorDetail(outPath, ENOENT));
        return 0;
    }
    INSTRDEFROWS rows = RowsFromSlots(SlotsOfSet(set), names, false);
    NameRows(rows.rows, nullptr, false);
    return WriteRows(rows, format, device.empty() ? std::string("Bank set") : device, outPath);
}
