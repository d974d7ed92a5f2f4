// orvane-cli bankset: what a card answers when several banks are loaded together. For every
// program and variation the banks map, which bank answers (or that equal priorities leave it
// undecided) and which entries are hidden; with --free, where a new bank's entries could go.
// Never changes a bank.
#include "bankset/BankOperands.h"
#include "bankset/BankSet.h"
#include "bankset/BankSetPage.h"
#include "base/FileSystem.h"
#include "base/Utf8.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "report/MappingTable.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace
{
const char* const kHead = "Usage: orvane-cli bankset [--json|--csv] [--free] [--page PAGE] BANK|DIR...\n\n"
                          "Tells, for every program and variation of the instrument and drum-set lists that the banks\n"
                          "map, which bank answers when they are loaded together: the bank of the highest priority\n"
                          "(then the earlier operand), or nobody when two banks share that priority (undecided). The\n"
                          "other entries of the slot are hidden. A directory stands for every .94b file below it, in\n"
                          "path order. Banks are only read: a converted bank is read as it is, and one that cannot be\n"
                          "read is named with the reason and takes no part.";
const char* const kFooter = "Exit status: 0 every slot decided, 3 a slot is undecided, 1 a bank could not be read,\n"
                            "2 usage error or the page could not be written.";

constexpr int kCliUndecided = 3;

struct BANKSETOPTIONS
{
    CListingOptions listing;
    bool bFree = false;
    std::string strPage;
};

const char* StateName(SLOTSTATE state)
{
    return state == SlotSole ? "sole" : state == SlotWins ? "wins" : "undecided";
}

const char* StatusName(BANKSTATUS status)
{
    return status == BankOk ? "ok" : status == BankNeedsRepair ? "needs-repair" : "unreadable";
}

// "list program P variation V cubase PROG/BANK "GM name"".
std::string SlotText(bool bDrumset, uint16_t wProgram, uint8_t byVariation)
{
    IMAPENTRY entry;
    entry.wProgram = wProgram;
    entry.byVariation = byVariation;
    const MAPPINGROW row = MakeMappingRow(bDrumset, entry);
    return std::string(MappingListName(bDrumset)) + " program " + std::to_string(row.nProgram) + " variation " +
           std::to_string(row.nVariation) + " cubase " + std::to_string(row.nCubaseProg) + "/" +
           std::to_string(row.nCubaseBank) + " \"" + row.pszGmName + "\"";
}

void WriteText(const CBankSet& set, bool bFree, std::ostream& out)
{
    const BANKSETRULE& rule = set.GetRule();
    auto entryText = [&](const SLOTENTRY& e)
    {
        const SETBANK& bank = set.GetBanks()[e.nBank];
        return "\"" + PrintableText(bank.strName) + "\" " + PrintableText(bank.strPath) + " entry " +
               std::to_string(e.nIndex) + " priority " + std::to_string(e.wPriority);
    };
    for (const SETSLOT& slot : rule.arrSlots)
    {
        std::string heard, hidden;
        for (const SLOTENTRY* e = set.EntriesBegin(slot); e != set.EntriesEnd(slot); ++e)
        {
            std::string& to = e->bHidden ? hidden : heard;
            (to += to.empty() ? "" : ", ") += entryText(*e);
        }
        out << SlotText(slot.bDrumset, slot.wProgram, slot.byVariation) << " " << StateName(slot.nState) << ": "
            << heard;
        if (!hidden.empty())
            out << "; hidden: " << hidden;
        out << "\n";
    }
    if (bFree)
    {
        for (const FREESLOT& f : rule.arrFree)
            out << "free " << SlotText(f.bDrumset, f.wProgram, f.byVariation) << "\n";
        for (const FREESLOT& f : rule.arrNextFree)
            out << "next free " << SlotText(f.bDrumset, f.wProgram, f.byVariation) << "\n";
    }
    const SETSUMMARY& s = rule.summary;
    out << s.nBanksRead << " banks read, " << s.nSlotsMapped << " slots mapped, " << s.nSlotsWon
        << " slots won over others, " << s.nSlotsUndecided << " slots undecided, " << s.nEntriesHidden
        << " entries hidden, " << s.nFreeSlots << " free slots\n";
}

void WriteJson(const CBankSet& set, bool bFree, std::ostream& out)
{
    const BANKSETRULE& rule = set.GetRule();
    nlohmann::ordered_json banks = nlohmann::ordered_json::array();
    for (const SETBANK& bank : set.GetBanks())
    {
        nlohmann::ordered_json item = {{"path", ToValidUtf8(bank.strPath)}, {"name", bank.strName}};
        item["priority"] =
            bank.nStatus == BankUnreadable ? nlohmann::ordered_json() : nlohmann::ordered_json(bank.wPriority);
        item["status"] = StatusName(bank.nStatus);
        if (bank.nStatus == BankUnreadable)
            item["reason"] = bank.strReason;
        banks.push_back(std::move(item));
    }
    nlohmann::ordered_json slots = nlohmann::ordered_json::array();
    for (const SETSLOT& slot : rule.arrSlots)
    {
        nlohmann::ordered_json entries = nlohmann::ordered_json::array();
        for (const SLOTENTRY* e = set.EntriesBegin(slot); e != set.EntriesEnd(slot); ++e)
            entries.push_back(
                {{"bank", e->nBank}, {"index", e->nIndex}, {"priority", e->wPriority}, {"hidden", e->bHidden}});
        const SLOTENTRY* answer = set.GetAnswer(slot);
        slots.push_back({{"list", MappingListName(slot.bDrumset)},
                         {"program", slot.wProgram},
                         {"variation", slot.byVariation},
                         {"state", StateName(slot.nState)},
                         {"answer", answer ? nlohmann::ordered_json(answer->nBank) : nlohmann::ordered_json()},
                         {"entries", std::move(entries)}});
    }
    nlohmann::ordered_json doc = {{"banks", std::move(banks)}, {"slots", std::move(slots)}};
    if (bFree)
    {
        doc["free"] = nlohmann::ordered_json::array();
        for (const FREESLOT& f : rule.arrFree)
            doc["free"].push_back(
                {{"list", MappingListName(f.bDrumset)}, {"program", f.wProgram}, {"variation", f.byVariation}});
        doc["next_free_variation"] = nlohmann::ordered_json::array();
        for (const FREESLOT& f : rule.arrNextFree)
            doc["next_free_variation"].push_back({{"program", f.wProgram}, {"variation", f.byVariation}});
    }
    const SETSUMMARY& s = rule.summary;
    doc["summary"] = {
        {"banks_read", s.nBanksRead}, {"banks_unreadable", s.nBanksUnreadable}, {"slots_mapped", s.nSlotsMapped},
        {"slots_won", s.nSlotsWon},   {"slots_undecided", s.nSlotsUndecided},   {"entries_hidden", s.nEntriesHidden},
        {"free_slots", s.nFreeSlots}};
    WriteJsonDocument(out, doc);
}

void WriteCsv(const CBankSet& set, std::ostream& out)
{
    WriteCsvRecord(out, {"list", "program", "variation", "state", "bank", "path", "name", "priority", "index",
                         "answers", "hidden"});
    for (const SETSLOT& slot : set.GetRule().arrSlots)
    {
        const SLOTENTRY* answer = set.GetAnswer(slot);
        for (const SLOTENTRY* e = set.EntriesBegin(slot); e != set.EntriesEnd(slot); ++e)
        {
            const SETBANK& bank = set.GetBanks()[e->nBank];
            WriteCsvRecord(out, {MappingListName(slot.bDrumset), std::to_string(slot.wProgram),
                                 std::to_string(slot.byVariation), StateName(slot.nState), std::to_string(e->nBank),
                                 ToValidUtf8(bank.strPath), bank.strName, std::to_string(e->wPriority),
                                 std::to_string(e->nIndex), e == answer ? "yes" : "no", e->bHidden ? "yes" : "no"});
        }
    }
}

// Writes the bank-set page as map writes a page. kCliOk or kCliUsage.
int WritePage(const CBankSet& set, const std::string& pagePath, std::ostream& err)
{
    CBankSetPage page;
    // A page may not be one of the files it is made from: writing it would destroy them.
    std::vector<std::filesystem::path> inputs;
    for (const SETBANK& bank : set.GetBanks())
        inputs.emplace_back(bank.strPath);
    inputs.push_back(page.m_strTemplatePath);
    const auto [clash, input] = FindFirstOverwrittenInput(GetFileSystem(), {pagePath}, inputs);
    if (clash >= 0)
    {
        err << "orvane-cli: the page " << PrintableText(pagePath) << " would overwrite "
            << PrintableText(inputs[static_cast<size_t>(input)].string()) << "; nothing was written\n";
        return kCliUsage;
    }
    if (!page.Render(set, pagePath))
    {
        err << "orvane-cli: cannot write the page " << PrintableText(pagePath) << "\n";
        if (!page.m_strError.empty())
            err << "orvane-cli: " << PrintableText(page.m_strError) << "\n";
        return kCliUsage;
    }
    if (!page.m_strMissingMarker.empty())
        err << "orvane-cli: warning: the template " << PrintableText(page.m_strTemplatePath.string())
            << " ends before its marker " << page.m_strMissingMarker << "; the page stops there\n";
    return kCliOk;
}

int RunBankSet(const BANKSETOPTIONS& options, std::ostream& out, std::ostream& err)
{
    bool failed = false;
    CBankSet set;
    set.Load(ExpandBankOperands(options.listing.operands, err, failed));
    for (const SETBANK& bank : set.GetBanks())
        if (bank.nStatus == BankUnreadable)
        {
            err << "orvane-cli: " << PrintableText(bank.strPath) << ": " << PrintableText(bank.strReason) << "\n";
            failed = true;
        }
    if (options.listing.bJson)
        WriteJson(set, options.bFree, out);
    else if (options.listing.bCsv)
        WriteCsv(set, out);
    else
        WriteText(set, options.bFree, out);
    if (!options.strPage.empty() && WritePage(set, options.strPage, err) != kCliOk)
        return kCliUsage;
    if (failed)
        return kCliBankFailed;
    return set.HasUndecided() ? kCliUndecided : kCliOk;
}
} // namespace

CliCommand AddBankSetCommand(CLI::App& cli)
{
    auto options = std::make_shared<BANKSETOPTIONS>();
    CLI::App* command = AddCommand(
        cli, "bankset", "tell which bank answers each program when banks are loaded together", kHead, kFooter);
    command->add_flag("--free", options->bFree,
                      "also list the free slots: each instrument program 0-127 and each GM/GS drum\n"
                      "kit at variation 0 that no bank maps, and the lowest free variation of\n"
                      "each instrument program some bank maps");
    command
        ->add_option("--page", options->strPage,
                     "also write the bank-set page to PAGE (from BankSet.mas beside the program)")
        ->type_name("PAGE");
    AddListingOptions(*command, options->listing,
                      "one JSON object with the banks, the slots, the summary and, with --free,\n"
                      "the free slots",
                      "one CSV line per entry of every mapped slot, with the slot's state");
    return {command, [options](std::ostream& out, std::ostream& err) { return RunBankSet(*options, out, err); }};
}
