// The line-based formats: Cakewalk .ins, REAPER bank, Cubase patch-name script and CSV. Rows
// arrive sorted by list, variation and program; each format groups them by list and variation.
#include "instrdef/InstrDefFormat.h"

#include <csv.h>

#include <functional>

namespace
{
const char* ListTitle(bool drumset)
{
    return drumset ? "Drum sets" : "Instruments";
}

// Calls visit(first, end) for each run of rows of one list and variation.
void ForEachBank(const std::vector<INSTRDEFROW>& rows,
                 const std::function<void(const INSTRDEFROW* first, const INSTRDEFROW* end)>& visit)
{
    const INSTRDEFROW* row = rows.data();
    const INSTRDEFROW* end = row + rows.size();
    while (row != end)
    {
        const INSTRDEFROW* first = row;
        while (row != end && row->bDrumset == first->bDrumset && row->byVariation == first->byVariation)
            ++row;
        visit(first, row);
    }
}

// Formats that key a name by its program hold one name per program: the names of the banks
// contending for an undecided slot are joined.
void ForEachProgram(const INSTRDEFROW* row, const INSTRDEFROW* end,
                    const std::function<void(int program, const std::string& name)>& visit)
{
    while (row != end)
    {
        const INSTRDEFROW* first = row;
        std::string name = row->strName;
        for (++row; row != end && row->wProgram == first->wProgram; ++row)
            name += " / " + row->strName;
        visit(first->wProgram, name);
    }
}

// A section or header name may not close its brackets early.
std::string BracketSafe(std::string text)
{
    for (char& c : text)
        if (c == '[')
            c = '(';
        else if (c == ']')
            c = ')';
    return text;
}

std::string BankTitle(const std::string& device, const INSTRDEFROW& row)
{
    return device + " " + ListTitle(row.bDrumset) + " variation " + std::to_string(row.byVariation);
}
} // namespace

void WriteIns(const std::string& device, const std::vector<INSTRDEFROW>& rows, std::string& out)
{
    // Cakewalk's own files are Windows text: lines end in CR LF.
    const std::string name = BracketSafe(device);
    const char* nl = "\r\n";
    out += "; Instrument definitions for " + name + ", written by Orvane." + nl;
    out += "; Bank numbers are the variation times 128: bank select MSB = variation, LSB = 0." + std::string(nl);
    out += nl + std::string(".Patch Names") + nl;
    ForEachBank(rows,
                [&](const INSTRDEFROW* first, const INSTRDEFROW* end)
                {
                    out += nl + ("[" + BankTitle(name, *first) + "]") + nl;
                    ForEachProgram(first, end,
                                   [&](int program, const std::string& patch)
                                   { out += std::to_string(program) + "=" + patch + nl; });
                });
    out += nl + std::string(".Instrument Definitions") + nl;
    for (bool drumset : {false, true})
    {
        out += nl + ("[" + name + (drumset ? " Drums" : "") + "]") + nl;
        ForEachBank(rows,
                    [&](const INSTRDEFROW* first, const INSTRDEFROW* end)
                    {
                        if (first->bDrumset != drumset)
                            return;
                        const std::string bank = std::to_string(first->byVariation << 7);
                        out += "Patch[" + bank + "]=" + BankTitle(name, *first) + nl;
                        if (drumset)
                            ForEachProgram(first, end,
                                           [&](int program, const std::string&)
                                           { out += "Drum[" + bank + "," + std::to_string(program) + "]=1" + nl; });
                    });
        out += "BankSelMethod=0" + std::string(nl);
    }
}

void WriteReabank(const std::string& device, const std::vector<INSTRDEFROW>& rows, std::string& out)
{
    out += "// REAPER bank file for " + device + ", written by Orvane.\n";
    out += "// Bank MSB = variation, LSB = 0; drum sets are the banks named \"Drum sets\", for channel 10.\n";
    ForEachBank(rows,
                [&](const INSTRDEFROW* first, const INSTRDEFROW* end)
                {
                    out += "\nBank " + std::to_string(first->byVariation) + " 0 " + BankTitle(device, *first) + "\n";
                    ForEachProgram(first, end,
                                   [&](int program, const std::string& patch)
                                   { out += std::to_string(program) + " " + patch + "\n"; });
                });
}

void WriteCubase(const std::string& device, const std::vector<INSTRDEFROW>& rows, std::string& out)
{
    // Cubase reads Windows text; patches sit one level below the group of their list.
    const std::string name = BracketSafe(device);
    const char* nl = "\r\n";
    out += "[cubase parse file]" + std::string(nl) + "[parser version 0001]" + nl + nl;
    out += "[creators first name]Orvane" + std::string(nl) + "[creators last name]" + nl;
    out += "[device manufacturer]Orvane" + std::string(nl);
    out += "[device name]" + name + nl + "[script name]" + name + nl + "[script version]version 1.00" + nl + nl;
    out += "[define patchnames]" + std::string(nl) + nl + "[mode]" + name + nl;
    bool drumset = false;
    for (size_t i = 0; i < rows.size(); ++i)
    {
        const INSTRDEFROW& row = rows[i];
        if (i == 0 || row.bDrumset != drumset)
            out += nl + std::string("[g1]\t") + ListTitle(row.bDrumset) + nl;
        drumset = row.bDrumset;
        out += "[p2, " + std::to_string(row.wProgram) + ", " + std::to_string(row.byVariation) + ", 0]\t" +
               row.strName + nl;
    }
    out += nl + std::string("[end]") + nl;
}

void WriteInstrDefCsv(const std::vector<INSTRDEFROW>& rows, std::string& out)
{
    auto field = [&out](const std::string& text, bool last)
    {
        if (text.find_first_of(",\"\r\n") == std::string::npos)
            out += text;
        else
        {
            std::string quoted(csv_write(nullptr, 0, text.data(), text.size()), '\0');
            csv_write(quoted.data(), quoted.size(), text.data(), text.size());
            out += quoted;
        }
        out += last ? '\n' : ',';
    };
    out += "list,program,variation,msb,lsb,name,bank\n";
    for (const INSTRDEFROW& row : rows)
    {
        field(row.bDrumset ? "drumset" : "instrument", false);
        field(std::to_string(row.wProgram), false);
        field(std::to_string(row.byVariation), false);
        field(std::to_string(row.byVariation), false);
        field("0", false);
        field(row.strName, false);
        field(CleanText(row.strBankName), true);
    }
}
