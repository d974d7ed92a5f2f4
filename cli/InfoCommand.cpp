// orvane-cli info: what a bank holds and where, as text, JSON or CSV. Never changes a bank.
#include "base/ByteSource.h"
#include "base/Utf8.h"
#include "bankset/BankOperands.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "report/MappingTable.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "soundbank/BankName.h"
#include "soundbank/GmNames.h"
#include "soundbank/SoundBank.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <iomanip>
#include <ostream>

namespace
{
const char* const kHead = "Usage: orvane-cli info [--json|--csv] BANK|DIR...\n\n"
                          "Shows each bank's name, priority, instruments and drum sets (MIDI program,\n"
                          "variation, Cubase Prog. and Cubase Bank), the positions of its chunks and\n"
                          "whether it is a converted TTS bank that needs repair. Banks are only read;\n"
                          "a directory stands for every .94b file below it.";

// What info reports of one bank.
struct BankInfo
{
    std::string path;
    bool loaded = false;
    std::string error;
    CSoundBank bank;
    bool hasTtma = false;
    uint32_t ttmaPos = 0;
    uint32_t ttmaSize = 0;
    bool needsRepair = false;
};

// Reads a bank the way the program does, but never offers or makes a repair.
void ReadBank(BankInfo& info)
{
    auto fail = [&](unsigned id, int error = 0)
    {
        info.error = LoadStringId(id);
        if (error)
            AppMessageBoxDetail(id, MsgStop, FileErrorDetail(info.path, error));
        else
            AppMessageBox(id, MsgStop);
    };
    auto file = CFileSource::Open(info.path);
    if (!file)
        return fail(IDS_CANTOPENFILE, errno ? errno : EIO);
    if (!info.bank.FindPrioAndImap(*file))
        return fail(info.bank.m_dwPrioPos ? IDS_NOIMAPCHUNK : IDS_NOPRIOCHUNK);
    info.hasTtma = info.bank.FindTtma(*file) != 0;
    info.ttmaPos = info.bank.m_dwTtmaPos;
    info.ttmaSize = info.bank.m_dwTtmaSize;
    info.needsRepair = info.hasTtma && info.bank.IsConvertedBank(info.path);
    info.loaded = true;
}

std::string DisplayName(const CSoundBank& bank)
{
    return Cp1252ToUtf8(BankNameText(bank.GetBankName()));
}

// The entry's General MIDI name, empty when it has none.
std::string GmName(bool drumset, const IMAPENTRY& entry)
{
    const char* name = GmEntryName(drumset, entry.wProgram);
    return name ? name : "";
}

nlohmann::ordered_json JsonList(const std::vector<IMAPENTRY>& list, bool drumset)
{
    nlohmann::ordered_json entries = nlohmann::ordered_json::array();
    for (const IMAPENTRY& entry : list)
    {
        const char* gm = GmEntryName(drumset, entry.wProgram);
        entries.push_back({{"program", entry.wProgram},
                           {"variation", entry.byVariation},
                           {"cubase_prog", entry.wProgram + 1},
                           {"cubase_bank", entry.byVariation << 7},
                           {"gm_name", gm ? nlohmann::ordered_json(gm) : nlohmann::ordered_json()}});
    }
    return entries;
}

void WriteJson(std::ostream& out, const std::vector<BankInfo>& banks)
{
    nlohmann::ordered_json doc = nlohmann::ordered_json::array();
    for (const BankInfo& info : banks)
    {
        nlohmann::ordered_json bank = {{"path", info.path}, {"loaded", info.loaded}};
        if (!info.loaded)
            bank["error"] = info.error;
        bank["name"] = DisplayName(info.bank);
        bank["priority"] = info.bank.m_wPriority;
        bank["prio_pos"] = info.bank.m_dwPrioPos;
        bank["imap_pos"] = info.bank.m_dwImapPos;
        bank["ttma_pos"] = info.hasTtma ? nlohmann::ordered_json(info.ttmaPos) : nlohmann::ordered_json();
        bank["ttma_size"] = info.ttmaSize;
        bank["needs_repair"] = info.needsRepair;
        bank["instruments"] = JsonList(info.bank.m_arrInstruments, false);
        bank["drumsets"] = JsonList(info.bank.m_arrDrumsets, true);
        doc.push_back(std::move(bank));
    }
    WriteJsonDocument(out, doc);
}

void WriteCsv(std::ostream& out, const std::vector<BankInfo>& banks)
{
    WriteCsvRecord(out, {"path", "name", "priority", "list", "index", "program", "variation", "cubase_prog",
                         "cubase_bank", "gm_name"});
    for (const BankInfo& info : banks)
        for (bool drumset : {false, true})
        {
            const std::vector<IMAPENTRY>& list = drumset ? info.bank.m_arrDrumsets : info.bank.m_arrInstruments;
            for (size_t i = 0; i < list.size(); ++i)
            {
                const MAPPINGROW row = MakeMappingRow(drumset, list[i]);
                WriteCsvRecord(out, {ToValidUtf8(info.path), DisplayName(info.bank),
                                     std::to_string(info.bank.m_wPriority), MappingListName(drumset), std::to_string(i),
                                     std::to_string(row.nProgram), std::to_string(row.nVariation),
                                     std::to_string(row.nCubaseProg), std::to_string(row.nCubaseBank), row.pszGmName});
            }
        }
}

void WriteTextList(std::ostream& out, const char* title, const std::vector<IMAPENTRY>& list, bool drumset)
{
    out << "  " << title << " (" << list.size() << ")\n";
    if (list.empty())
        return;
    out << "    " << std::left << std::setw(6) << "#" << std::setw(11) << "MIDI prog" << std::setw(11) << "Variation"
        << std::setw(14) << "Cubase Prog." << std::setw(13) << "Cubase Bank"
        << "GM name\n";
    for (size_t i = 0; i < list.size(); ++i)
        out << "    " << std::setw(6) << i << std::setw(11) << list[i].wProgram << std::setw(11)
            << int(list[i].byVariation) << std::setw(14) << list[i].wProgram + 1 << std::setw(13)
            << (list[i].byVariation << 7) << GmName(drumset, list[i]) << "\n";
    out << std::right;
}

void WriteText(std::ostream& out, const std::vector<BankInfo>& banks)
{
    for (const BankInfo& info : banks)
    {
        out << PrintableText(info.path) << "\n";
        if (!info.loaded)
        {
            out << "  error: " << info.error << "\n\n";
            continue;
        }
        out << "  name: \"" << PrintableText(DisplayName(info.bank)) << "\"  priority: " << info.bank.m_wPriority
            << "\n"
            << "  PRIO data at " << info.bank.m_dwPrioPos << ", IMAP data at " << info.bank.m_dwImapPos;
        if (info.hasTtma)
            out << ", TTMA data at " << info.ttmaPos << " (" << info.ttmaSize << " bytes)";
        out << "\n";
        if (info.needsRepair)
            out << "  converted TTS bank: needs repair (orvane-cli repair)\n";
        WriteTextList(out, "Instruments", info.bank.m_arrInstruments, false);
        WriteTextList(out, "Drumset", info.bank.m_arrDrumsets, true);
        out << "\n";
    }
}
} // namespace

namespace
{
int RunInfo(const CListingOptions& options, std::ostream& out, std::ostream& err)
{
    bool unreadable = false;
    const std::vector<std::string> paths = ExpandBankOperands(options.operands, err, unreadable);
    // A bank that cannot be read is named with the reason.
    CCliMessageSink sink(err);
    std::vector<BankInfo> banks(paths.size());
    int code = unreadable ? kCliBankFailed : kCliOk;
    for (size_t i = 0; i < paths.size(); ++i)
    {
        banks[i].path = sink.m_strBank = paths[i];
        ReadBank(banks[i]);
        if (!banks[i].loaded)
            code = kCliBankFailed;
    }
    if (options.bJson)
        WriteJson(out, banks);
    else if (options.bCsv)
        WriteCsv(out, banks);
    else
        WriteText(out, banks);
    return code;
}
} // namespace

CliCommand AddInfoCommand(CLI::App& cli)
{
    auto options = std::make_shared<CListingOptions>();
    CLI::App* info = AddCommand(cli, "info", "show name, priority, mapping and chunk positions of banks", kHead);
    AddListingOptions(*info, *options, "one JSON array with an object per bank", "one CSV line per mapping entry");
    return {info, [options](std::ostream& out, std::ostream& err) { return RunInfo(*options, out, err); }};
}
