// The mapping's table rows, shared by the command line's CSV and the desktop program's Copy.
#include "report/MappingTable.h"

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
