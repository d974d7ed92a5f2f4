// Choosing a format by name and handing the rows to its writer.
#include "instrdef/InstrDefFormat.h"

namespace
{
struct FORMATINFO
{
    INSTRDEFFORMAT nFormat;
    const char* pszName;
    const char* pszExtension;
};
const FORMATINFO kFormats[] = {
    {InstrDefMidnam, "midnam", ".midnam"}, {InstrDefIns, "ins", ".ins"}, {InstrDefReabank, "reabank", ".reabank"},
    {InstrDefCubase, "cubase", ".txt"},    {InstrDefCsv, "csv", ".csv"},
};
} // namespace

bool ParseInstrDefFormat(const std::string& text, INSTRDEFFORMAT& format)
{
    for (const FORMATINFO& info : kFormats)
        if (text == info.pszName)
        {
            format = info.nFormat;
            return true;
        }
    return false;
}

const char* InstrDefFormatName(INSTRDEFFORMAT format)
{
    return kFormats[format].pszName;
}

const char* InstrDefExtension(INSTRDEFFORMAT format)
{
    return kFormats[format].pszExtension;
}

bool WriteInstrDef(INSTRDEFFORMAT format, const std::string& device, const std::vector<INSTRDEFROW>& rows,
                   std::string& out)
{
    const std::string name = CleanText(device);
    switch (format)
    {
    case InstrDefMidnam: return WriteMidnam(name, rows, out);
    case InstrDefIns: WriteIns(name, rows, out); break;
    case InstrDefReabank: WriteReabank(name, rows, out); break;
    case InstrDefCubase: WriteCubase(name, rows, out); break;
    case InstrDefCsv: WriteInstrDefCsv(rows, out); break;
    }
    return true;
}
