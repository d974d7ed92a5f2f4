// orvane-cli overlap: which program and variation numbers several banks map at once. A card
// that loads those banks together has them compete; the command says which banks overlap and
// does not guess which one the card plays. Never changes a bank.
#include "cli/BankFiles.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "soundbank/BankName.h"
#include "soundbank/SoundBank.h"

#include <algorithm>
#include <ostream>
#include <tuple>

namespace
{
const char* const kHelp = "Usage: orvane-cli overlap [--json|--csv] BANK|DIR...\n\n"
                          "Lists every program and variation of the instrument or drum-set list that more than one\n"
                          "of the banks maps, with each bank's path, name, priority and entry index, then a summary\n"
                          "line. A directory stands for every .94b file below it. Banks are only read.\n\n"
                          "  --json   one JSON object with the overlaps and the summary\n"
                          "  --csv    one CSV line per bank entry of an overlap\n\n"
                          "Exit status: 0 no overlap, 3 banks overlap, 1 a bank could not be read, 2 usage error.\n";

constexpr int kCliOverlap = 3;

struct LOADEDBANK
{
    std::string path;
    std::string name;
    uint16_t wPriority = 0;
};

// One mapped entry: which list, its numbers, and where it comes from.
struct MAPPING
{
    bool bDrumset;
    uint16_t wProgram;
    uint8_t byVariation;
    uint32_t nBank;
    uint32_t nIndex;

    auto Key() const { return std::make_tuple(bDrumset, wProgram, byVariation); }
};

struct OVERLAP
{
    size_t nFirst; // range of the sorted mappings that share one key
    size_t nEnd;
};

const char* ListName(bool drumset)
{
    return drumset ? "drumset" : "instrument";
}
} // namespace

int RunOverlapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliFormat format = CliFormat::Text;
    std::vector<std::string> operands;
    if (int code = ParseListingWords(args, "overlap", kHelp, out, err, format, operands); code >= 0)
        return code;

    bool failed = false;
    const std::vector<std::string> paths = ExpandBankOperands(operands, err, failed);
    std::vector<LOADEDBANK> banks;
    std::vector<MAPPING> mappings;
    for (const std::string& path : paths)
    {
        CSoundBank bank;
        // Read as it is: a converted bank maps its programs all the same, and nothing is asked.
        if (!bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        {
            failed = true;
            continue;
        }
        const auto index = static_cast<uint32_t>(banks.size());
        banks.push_back({path, Cp1252ToUtf8(BankNameText(bank.GetBankName())), bank.m_wPriority});
        for (bool drumset : {false, true})
        {
            const auto& list = drumset ? bank.m_arrDrumsets : bank.m_arrInstruments;
            for (size_t i = 0; i < list.size(); ++i)
                mappings.push_back({drumset, list[i].wProgram, list[i].byVariation, index, static_cast<uint32_t>(i)});
        }
    }

    // Sorted by key, then bank and entry: equal keys lie together, in a stable order.
    std::sort(mappings.begin(), mappings.end(),
              [](const MAPPING& a, const MAPPING& b)
              {
                  return std::tie(a.bDrumset, a.wProgram, a.byVariation, a.nBank, a.nIndex) <
                         std::tie(b.bDrumset, b.wProgram, b.byVariation, b.nBank, b.nIndex);
              });
    std::vector<OVERLAP> overlaps;
    size_t pairs = 0;
    for (size_t first = 0; first < mappings.size();)
    {
        size_t end = first + 1;
        bool severalBanks = false;
        while (end < mappings.size() && mappings[end].Key() == mappings[first].Key())
        {
            severalBanks = severalBanks || mappings[end].nBank != mappings[first].nBank;
            ++end;
        }
        ++pairs;
        if (severalBanks)
            overlaps.push_back({first, end});
        first = end;
    }

    auto bankOf = [&](const MAPPING& m) -> const LOADEDBANK& { return banks[m.nBank]; };
    if (format == CliFormat::Json)
    {
        out << "{\"overlaps\": [";
        for (size_t o = 0; o < overlaps.size(); ++o)
        {
            const MAPPING& key = mappings[overlaps[o].nFirst];
            out << (o ? ",\n  " : "\n  ") << "{\"list\": \"" << ListName(key.bDrumset)
                << "\", \"program\": " << key.wProgram << ", \"variation\": " << int(key.byVariation)
                << ", \"banks\": [";
            for (size_t k = overlaps[o].nFirst; k < overlaps[o].nEnd; ++k)
            {
                const LOADEDBANK& bank = bankOf(mappings[k]);
                out << (k > overlaps[o].nFirst ? ", " : "") << "{\"path\": " << JsonString(bank.path)
                    << ", \"name\": " << JsonString(bank.name) << ", \"priority\": " << bank.wPriority
                    << ", \"index\": " << mappings[k].nIndex << "}";
            }
            out << "]}";
        }
        out << (overlaps.empty() ? "" : "\n") << "], \"banks_read\": " << banks.size()
            << ", \"pairs_mapped\": " << pairs << ", \"pairs_in_conflict\": " << overlaps.size() << "}\n";
    }
    else if (format == CliFormat::Csv)
    {
        out << "list,program,variation,path,name,priority,index\n";
        for (const OVERLAP& overlap : overlaps)
            for (size_t k = overlap.nFirst; k < overlap.nEnd; ++k)
            {
                const MAPPING& m = mappings[k];
                out << ListName(m.bDrumset) << "," << m.wProgram << "," << int(m.byVariation) << ","
                    << CsvField(bankOf(m).path) << "," << CsvField(bankOf(m).name) << "," << bankOf(m).wPriority << ","
                    << m.nIndex << "\n";
            }
    }
    else
    {
        for (const OVERLAP& overlap : overlaps)
        {
            const MAPPING& key = mappings[overlap.nFirst];
            out << ListName(key.bDrumset) << " program " << key.wProgram << " variation " << int(key.byVariation)
                << ":\n";
            for (size_t k = overlap.nFirst; k < overlap.nEnd; ++k)
            {
                const LOADEDBANK& bank = bankOf(mappings[k]);
                out << "  " << PrintableText(bank.path) << "  name \"" << PrintableText(bank.name) << "\"  priority "
                    << bank.wPriority << "  entry " << mappings[k].nIndex << "\n";
            }
        }
        out << banks.size() << " banks read, " << pairs << " pairs mapped, " << overlaps.size()
            << " pairs in conflict\n";
    }
    if (failed)
        return kCliBankFailed;
    return overlaps.empty() ? kCliOk : kCliOverlap;
}
