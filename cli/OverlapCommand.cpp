// orvane-cli overlap: which program and variation numbers several banks map at once. A card
// that loads those banks together has them compete; the command says which banks overlap and
// does not guess which one the card plays. Never changes a bank.
#include "base/Utf8.h"
#include "bankset/BankOperands.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "soundbank/BankName.h"
#include "soundbank/SoundBank.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>
#include <tuple>

namespace
{
const char* const kHead = "Usage: orvane-cli overlap [--json|--csv] BANK|DIR...\n\n"
                          "Lists every program and variation of the instrument or drum-set list that more than one\n"
                          "of the banks maps, with each bank's path, name, priority and entry index, then a summary\n"
                          "line. A directory stands for every .94b file below it. Banks are only read; one that\n"
                          "cannot be read is named with the reason and left out.";
const char* const kFooter = "Exit status: 0 no overlap, 3 banks overlap, 1 a bank could not be read, 2 usage error.";

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

int RunOverlap(const CListingOptions& options, std::ostream& out, std::ostream& err)
{
    bool failed = false;
    const std::vector<std::string> paths = ExpandBankOperands(options.operands, err, failed);
    std::vector<LOADEDBANK> banks;
    std::vector<std::pair<std::string, std::string>> unreadable; // path and reason
    std::vector<MAPPING> mappings;
    CCliMessageSink sink(err);
    for (const std::string& path : paths)
    {
        CSoundBank bank;
        sink.m_strBank = path;
        // Read as it is: a converted bank maps its programs all the same, and nothing is asked.
        if (!bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        {
            failed = true;
            unreadable.emplace_back(path, sink.m_strLastError);
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
    if (options.bJson)
    {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const OVERLAP& overlap : overlaps)
        {
            const MAPPING& key = mappings[overlap.nFirst];
            nlohmann::ordered_json entry = {
                {"list", ListName(key.bDrumset)}, {"program", key.wProgram}, {"variation", key.byVariation}};
            for (size_t k = overlap.nFirst; k < overlap.nEnd; ++k)
            {
                const LOADEDBANK& bank = bankOf(mappings[k]);
                entry["banks"].push_back({{"path", bank.path},
                                          {"name", bank.name},
                                          {"priority", bank.wPriority},
                                          {"index", mappings[k].nIndex}});
            }
            list.push_back(std::move(entry));
        }
        nlohmann::ordered_json doc = {{"overlaps", std::move(list)},
                                      {"banks_read", banks.size()},
                                      {"pairs_mapped", pairs},
                                      {"pairs_in_conflict", overlaps.size()},
                                      {"unreadable", nlohmann::ordered_json::array()}};
        for (const auto& [path, reason] : unreadable)
            doc["unreadable"].push_back({{"path", path}, {"error", reason}});
        WriteJsonDocument(out, doc);
    }
    else if (options.bCsv)
    {
        WriteCsvRecord(out, {"list", "program", "variation", "path", "name", "priority", "index"});
        for (const OVERLAP& overlap : overlaps)
            for (size_t k = overlap.nFirst; k < overlap.nEnd; ++k)
            {
                const MAPPING& m = mappings[k];
                WriteCsvRecord(out, {ListName(m.bDrumset), std::to_string(m.wProgram), std::to_string(m.byVariation),
                                     ToValidUtf8(bankOf(m).path), bankOf(m).name, std::to_string(bankOf(m).wPriority),
                                     std::to_string(m.nIndex)});
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
} // namespace

CliCommand AddOverlapCommand(CLI::App& cli)
{
    auto options = std::make_shared<CListingOptions>();
    CLI::App* overlap =
        AddCommand(cli, "overlap", "list the program and variation numbers several banks map", kHead, kFooter);
    AddListingOptions(*overlap, *options,
                      "one JSON object with the overlaps, the summary and the banks that could\nnot be read",
                      "one CSV line per bank entry of an overlap");
    return {overlap, [options](std::ostream& out, std::ostream& err) { return RunOverlap(*options, out, err); }};
}
