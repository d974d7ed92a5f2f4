// The mapping's table rows, shared by the command line's CSV and the desktop program's Copy.
#include "report/MappingTable.h"

#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "soundbank/GmNames.h"

#include <cctype>

const char* MappingListName(bool bDrumset)
{
    return bDrumset ? "drumset" : "instrument";
}

bool ParseMappingListName(std::string_view text, bool& bDrumset)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "instrument" || lower == "instruments")
        bDrumset = false;
    else if (lower == "drumset" || lower == "drumsets" || lower == "drum set" || lower == "drum sets")
        bDrumset = true;
    else
        return false;
    return true;
}

MAPPINGROW MakeMappingRow(bool bDrumset, const IMAPENTRY& entry)
{
    const char* gm = GmEntryName(bDrumset, entry.wProgram);
    return MAPPINGROW{entry.wProgram, entry.byVariation, entry.wProgram + 1u,
                      static_cast<unsigned>(entry.byVariation) << 7, gm ? gm : ""};
}

std::string MappingTabText(const CSoundBank& bank)
{
    std::string text = "list\tindex\tprogram\tvariation\t" + GetString(IDS_ZTLCUBASEPROG) + "\t" +
                       GetString(IDS_ZTLCUBASEBANK) + "\tGM name\n";
    for (bool drumset : {false, true})
    {
        const std::vector<IMAPENTRY>& list = drumset ? bank.m_arrDrumsets : bank.m_arrInstruments;
        for (size_t i = 0; i < list.size(); ++i)
        {
            const MAPPINGROW row = MakeMappingRow(drumset, list[i]);
            (text += MappingListName(drumset)) += '\t';
            text += std::to_string(i);
            for (unsigned value : {row.nProgram, row.nVariation, row.nCubaseProg, row.nCubaseBank})
                (text += '\t') += std::to_string(value);
            ((text += '\t') += row.pszGmName) += '\n';
        }
    }
    return text;
}

int MappingCopyText(const std::filesystem::path& path, std::string& text)
{
    // Counted first without keeping the lists, so a huge bank costs no memory before it is refused.
    const REPAIRPOLICY leaveAsItIs{REPAIRPOLICY::Never, false};
    CSoundBank bank;
    bank.m_bKeepLists = false;
    if (!bank.Load(path, leaveAsItIs))
        return 0;
    const uint64_t entries = bank.m_nInstrumentCount + bank.m_nDrumsetCount;
    if (entries > kMappingCopyMaxEntries)
    {
        AppMessageBoxText(FormatStringId(IDS_COPY_TOOLARGE, {std::to_string(entries)}), MsgExclamation);
        return 0;
    }
    bank.m_bKeepLists = true;
    if (!bank.Load(path, leaveAsItIs))
        return 0;
    text = MappingTabText(bank);
    return 1;
}
