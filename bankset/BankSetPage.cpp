// The bank-set page: the template cut once into literal lines and blocks, each line into pieces
// between its tags, then filled in for the banks, the slots and the free places.
#include "bankset/BankSetPage.h"

#include "base/Utf8.h"
#include "report/MappingTable.h"
#include "report/PageFile.h"
#include "report/PageText.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <tuple>

namespace
{
enum SETTAG : int8_t
{
    TagNone = -1,
    // Once per page.
    TagTitle,
    TagLegend,
    TagDate,
    TagNote,
    TagSummary,
    TagTextColor,
    TagBackground,
    TagImgLocation,
    TagHBanks,
    TagHName,
    TagHPriority,
    TagHFile,
    TagHStatus,
    TagHSlots,
    TagHGroup,
    TagHProgram,
    TagHVariation,
    TagHCubaseProg,
    TagHCubaseBank,
    TagHGmName,
    TagHState,
    TagHAnswer,
    TagHHidden,
    TagHFree,
    TagNoSlots,
    TagNoFree,
    // Once per bank.
    TagBankPlace,
    TagBankLink,
    TagBankName,
    TagBankPriority,
    TagBankFile,
    TagBankStatus,
    // Once per slot or free place.
    TagGroup,
    TagProgram,
    TagVariation,
    TagCubaseProg,
    TagCubaseBank,
    TagGmName,
    TagState,
    TagAnswer,
    TagHidden,
    TagCount
};

constexpr std::array<std::string_view, TagCount> kTagNames = {
    "[SET_TITLE]",        "[SET_LEGEND]",        "[SET_DATE]",           "[SET_NOTE]",         "[SET_SUMMARY]",
    "[IDS_ZTLTEXTCOLOR]", "[IDS_ZTLBACKGROUND]", "[IDS_ZTLIMGLOCATION]", "[SET_H_BANKS]",      "[SET_H_NAME]",
    "[SET_H_PRIORITY]",   "[SET_H_FILE]",        "[SET_H_STATUS]",       "[SET_H_SLOTS]",      "[SET_H_GROUP]",
    "[SET_H_PROGRAM]",    "[SET_H_VARIATION]",   "[SET_H_CUBASEPROG]",   "[SET_H_CUBASEBANK]", "[SET_H_GMNAME]",
    "[SET_H_STATE]",      "[SET_H_ANSWER]",      "[SET_H_HIDDEN]",       "[SET_H_FREE]",       "[SET_NOSLOTS]",
    "[SET_NOFREE]",       "[SET_BANKPLACE]",     "[SET_BANKLINK]",       "[SET_BANKNAME]",     "[SET_BANKPRIORITY]",
    "[SET_BANKFILE]",     "[SET_BANKSTATUS]",    "[SET_GROUP]",          "[SET_PROGRAM]",      "[SET_VARIATION]",
    "[SET_CUBASEPROG]",   "[SET_CUBASEBANK]",    "[SET_GMNAME]",         "[SET_STATE]",        "[SET_ANSWER]",
    "[SET_HIDDEN]",
};

enum BLOCK : int8_t
{
    BlockNone = -1,
    BlockBank,
    BlockSlot,
    BlockUndecided,
    BlockNoSlots,
    BlockFree,
    BlockNoFree,
    BlockCount
};

constexpr std::array<std::string_view, BlockCount> kBlockNames = {"BANK",    "SLOT", "UNDECIDED",
                                                                  "NOSLOTS", "FREE", "NOFREE"};

std::string Marker(BLOCK block, bool end)
{
    return "[SET_" + std::string(kBlockNames[block]) + (end ? "_END]" : "_BEGIN]");
}

// A template line cut at its tags: text, tag, text, tag, ... text.
struct TAGLINE
{
    std::vector<std::string> arrText;
    std::vector<SETTAG> arrTags; // one fewer than arrText
};

TAGLINE CutAtTags(const std::string& line)
{
    TAGLINE cut;
    std::string text;
    for (size_t at = 0; at < line.size();)
    {
        SETTAG found = TagNone;
        if (line[at] == '[')
            for (int tag = 0; tag < TagCount && found == TagNone; ++tag)
                if (line.compare(at, kTagNames[tag].size(), kTagNames[tag]) == 0)
                    found = static_cast<SETTAG>(tag);
        if (found == TagNone)
        {
            text += line[at++];
            continue;
        }
        cut.arrText.push_back(std::move(text));
        cut.arrTags.push_back(found);
        text.clear();
        at += kTagNames[found].size();
    }
    cut.arrText.push_back(std::move(text));
    return cut;
}

// One piece of the template: a literal line, or a block of lines.
struct PART
{
    BLOCK nBlock = BlockNone;
    std::vector<TAGLINE> arrLines;
};

// The values of the tags, each escaped (or markup made of escaped values).
using TAGVALUES = std::array<std::string, TagCount>;

// gmAt, when given, gets the place in out where the first GM name starts (npos when none).
void AppendLines(std::string& out, const std::vector<TAGLINE>& lines, const TAGVALUES& values, size_t* gmAt = nullptr)
{
    if (gmAt)
        *gmAt = std::string::npos;
    for (const TAGLINE& line : lines)
    {
        for (size_t k = 0; k < line.arrTags.size(); ++k)
        {
            out += line.arrText[k];
            if (gmAt && *gmAt == std::string::npos && line.arrTags[k] == TagGmName)
                *gmAt = out.size();
            out += values[line.arrTags[k]];
        }
        (out += line.arrText.back()) += '\n';
    }
}

std::string Text(unsigned id)
{
    return HtmlEscape(GetString(id));
}

std::string Number(size_t n)
{
    return std::to_string(n);
}

void SetPageValues(const CBankSetPage& page, const CBankSet& set, TAGVALUES& v)
{
    v[TagTitle] = Text(IDS_SETTITLE);
    v[TagLegend] = Text(IDS_SETLEGEND);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    v[TagDate] = HtmlEscape(GetString(IDS_ZTLMAPFILEDATE) + FormatMappingDate(local));
    v[TagNote] = Text(IDS_SETNOTE);
    const SETSUMMARY& s = set.GetRule().summary;
    v[TagSummary] = HtmlEscape(
        FormatStringId(IDS_SETSUMMARY, {Number(s.nBanksRead), Number(s.nSlotsMapped), Number(s.nSlotsWon),
                                        Number(s.nSlotsUndecided), Number(s.nEntriesHidden), Number(s.nFreeSlots)}));
    v[TagTextColor] = ColorToHtml(page.m_crText);
    v[TagBackground] = PageBackgroundAttribute(page.m_crBackground, page.m_strImagePath);
    v[TagImgLocation] = PageImageLocation();
    const std::pair<SETTAG, unsigned> kHeadings[] = {
        {TagHBanks, IDS_SETBANKS},           {TagHName, IDS_SETNAME},
        {TagHPriority, IDS_SETPRIORITY},     {TagHFile, IDS_SETFILE},
        {TagHStatus, IDS_SETSTATUS},         {TagHSlots, IDS_SETSLOTS},
        {TagHGroup, IDS_ZTLGROUP},           {TagHProgram, IDS_ZTLMIDIPROG},
        {TagHVariation, IDS_ZTLVARIATION},   {TagHCubaseProg, IDS_ZTLCUBASEPROG},
        {TagHCubaseBank, IDS_ZTLCUBASEBANK}, {TagHGmName, IDS_ZTLGMNAME},
        {TagHState, IDS_SETSTATE},           {TagHAnswer, IDS_SETANSWER},
        {TagHHidden, IDS_SETHIDDEN},         {TagHFree, IDS_SETFREE},
        {TagNoSlots, IDS_SETNOSLOTS},        {TagNoFree, IDS_SETNOFREE},
    };
    for (const auto& [tag, id] : kHeadings)
        v[tag] = Text(id);
}

// The name shown for a bank: its own, or its file's when the name is empty.
std::string ShownName(const SETBANK& bank)
{
    return bank.strName.empty() ? ToValidUtf8(std::filesystem::path(bank.strPath).filename().string()) : bank.strName;
}

// Where a bank's name leads: the given link, or the file: URL of its path.
std::string BankLink(const std::vector<std::string>& links, size_t place, const SETBANK& bank)
{
    return place < links.size() ? links[place] : BankFileUrl(bank.strPath);
}

void SetBankValues(size_t place, const SETBANK& bank, const std::vector<std::string>& links, TAGVALUES& v)
{
    v[TagBankPlace] = Number(place + 1);
    v[TagBankLink] = HtmlEscape(BankLink(links, place, bank));
    v[TagBankName] = HtmlEscape(ShownName(bank));
    v[TagBankPriority] = bank.nStatus == BankUnreadable ? std::string() : Number(bank.wPriority);
    v[TagBankFile] = HtmlEscape(ToValidUtf8(bank.strPath));
    v[TagBankStatus] = bank.nStatus == BankOk ? Text(IDS_SETSTATUSOK)
                       : bank.nStatus == BankNeedsRepair
                           ? Text(IDS_SETSTATUSREPAIR)
                           : HtmlEscape(FormatStringId(IDS_SETSTATUSUNREADABLE, {ToValidUtf8(bank.strReason)}));
}

// The columns a slot and a free place share.
void SetPlaceValues(bool bDrumset, uint16_t wProgram, uint8_t byVariation, TAGVALUES& v)
{
    IMAPENTRY entry;
    entry.wProgram = wProgram;
    entry.byVariation = byVariation;
    const MAPPINGROW row = MakeMappingRow(bDrumset, entry);
    v[TagGroup] = Text(bDrumset ? IDS_ZTLDRUMSET : IDS_ZTLINSTRUMENTS);
    v[TagProgram] = Number(row.nProgram);
    v[TagVariation] = Number(row.nVariation);
    v[TagCubaseProg] = Number(row.nCubaseProg);
    v[TagCubaseBank] = Number(row.nCubaseBank);
    v[TagGmName] = HtmlEscape(row.pszGmName);
}

// Looked up once per page: each bank's link, and the words of the slot states.
struct PAGEWORDS
{
    std::vector<std::string> arrLinks; // <a href="URL">NAME</a>
    std::string strStates[3];
    std::string strHiddenEntry; // escaped, "\x01" where the bank's link goes
};

PAGEWORDS MakeWords(const CBankSet& set, const std::vector<std::string>& links)
{
    PAGEWORDS words;
    for (size_t b = 0; b < set.GetBanks().size(); ++b)
    {
        const SETBANK& bank = set.GetBanks()[b];
        words.arrLinks.push_back("<a href=\"" + HtmlEscape(BankLink(links, b, bank)) + "\">" +
                                 HtmlEscape(ShownName(bank)) + "</a>");
    }
    words.strStates[SlotSole] = Text(IDS_SETSOLE);
    words.strStates[SlotWins] = Text(IDS_SETWINS);
    words.strStates[SlotUndecided] = Text(IDS_SETUNDECIDED);
    words.strHiddenEntry = HtmlEscape(FormatStringId(IDS_SETHIDDENENTRY, {"\x01", "\x02", "\x03"}));
    return words;
}

void SetSlotValues(const CBankSet& set, const SETSLOT& slot, const PAGEWORDS& words, TAGVALUES& v)
{
    SetPlaceValues(slot.bDrumset, slot.wProgram, slot.byVariation, v);
    v[TagState] = words.strStates[slot.nState];
    std::string& answer = v[TagAnswer];
    std::string& hidden = v[TagHidden];
    answer.clear();
    hidden.clear();
    for (const SLOTENTRY* e = set.EntriesBegin(slot); e != set.EntriesEnd(slot); ++e)
    {
        if (!e->bHidden)
        {
            // The answer, or each bank that shares the highest priority of an undecided slot.
            (answer += answer.empty() ? "" : "<br>") += words.arrLinks[e->nBank];
            continue;
        }
        hidden += hidden.empty() ? "" : "<br>";
        for (char c : words.strHiddenEntry)
        {
            if (c == '\x01')
                hidden += words.arrLinks[e->nBank];
            else if (c == '\x02')
                hidden += Number(e->nIndex);
            else if (c == '\x03')
                hidden += Number(e->wPriority);
            else
                hidden += c;
        }
    }
}

// The free places in list and program order: each free variation 0, and the lowest free
// variation of each instrument program some bank maps, once each.
std::vector<FREESLOT> FreePlaces(const BANKSETRULE& rule)
{
    std::vector<FREESLOT> places(rule.arrFree);
    places.insert(places.end(), rule.arrNextFree.begin(), rule.arrNextFree.end());
    auto key = [](const FREESLOT& f) { return std::make_tuple(f.bDrumset, f.wProgram, f.byVariation); };
    std::sort(places.begin(), places.end(), [&](const FREESLOT& a, const FREESLOT& b) { return key(a) < key(b); });
    places.erase(std::unique(places.begin(), places.end(),
                             [&](const FREESLOT& a, const FREESLOT& b) { return key(a) == key(b); }),
                 places.end());
    return places;
}
} // namespace

CBankSetPage::CBankSetPage() : m_strTemplatePath(GetProgramDirectory() + GetString(IDS_SETTEMPLATEFILE)) {}

void CBankSetPage::RenderText(const CBankSet& set, const std::string& templateText, IPageSink& page)
{
    m_strMissingMarker.clear();
    // The template cut into parts; a block whose end is missing ends the page there.
    std::vector<PART> parts;
    CLineReader reader(templateText);
    std::string line;
    while (m_strMissingMarker.empty() && reader.Next(line))
    {
        PART part;
        for (int b = 0; b < BlockCount && part.nBlock == BlockNone; ++b)
            if (line.find(Marker(static_cast<BLOCK>(b), false)) != std::string::npos)
                part.nBlock = static_cast<BLOCK>(b);
        if (part.nBlock == BlockNone)
        {
            part.arrLines.push_back(CutAtTags(line));
            parts.push_back(std::move(part));
            continue;
        }
        const std::string end = Marker(part.nBlock, true);
        bool ended = false;
        while (!ended && reader.Next(line))
            if (!(ended = line.find(end) != std::string::npos))
                part.arrLines.push_back(CutAtTags(line));
        if (!ended)
            m_strMissingMarker = end;
        else
            parts.push_back(std::move(part));
    }
    const std::vector<TAGLINE>* undecided = nullptr;
    for (const PART& part : parts)
        if (part.nBlock == BlockUndecided)
            undecided = &part.arrLines;

    TAGVALUES values;
    SetPageValues(*this, set, values);
    const PAGEWORDS words = MakeWords(set, m_arrBankLinks);
    const BANKSETRULE& rule = set.GetRule();
    // The page is gathered into large pieces of whole lines before it goes to the sink.
    constexpr size_t kBatch = 64 * 1024;
    std::string batch;
    uint64_t written = 0; // bytes of the page before the batch
    if (m_pEntryMarks)
        m_pEntryMarks->clear();
    auto flush = [&](bool always)
    {
        if ((always || batch.size() >= kBatch) && !batch.empty() && !page.Failed())
            page.WriteLines(batch);
        if (always || batch.size() >= kBatch)
        {
            written += batch.size();
            batch.clear();
        }
        return !page.Failed();
    };
    for (const PART& part : parts)
    {
        switch (part.nBlock)
        {
        case BlockNone:
        case BlockUndecided: break;
        case BlockBank:
            for (size_t b = 0; b < set.GetBanks().size() && flush(false); ++b)
            {
                SetBankValues(b, set.GetBanks()[b], m_arrBankLinks, values);
                AppendLines(batch, part.arrLines, values);
            }
            break;
        case BlockSlot:
            for (size_t s = 0; s < rule.arrSlots.size() && flush(false); ++s)
            {
                const SETSLOT& slot = rule.arrSlots[s];
                SetSlotValues(set, slot, words, values);
                size_t gmAt = std::string::npos;
                AppendLines(batch, slot.nState == SlotUndecided && undecided ? *undecided : part.arrLines, values,
                            m_pEntryMarks ? &gmAt : nullptr);
                // The answering entry can be played from the window: its mark is at the GM name.
                if (const SLOTENTRY* answer = set.GetAnswer(slot); answer && gmAt != std::string::npos)
                    m_pEntryMarks->push_back(
                        {written + gmAt, answer->nIndex, slot.bDrumset, set.GetBanks()[answer->nBank].strPath});
            }
            break;
        case BlockNoSlots:
            if (rule.arrSlots.empty())
                AppendLines(batch, part.arrLines, values);
            break;
        case BlockFree:
        {
            const std::vector<FREESLOT> places = FreePlaces(rule);
            for (size_t f = 0; f < places.size() && flush(false); ++f)
            {
                SetPlaceValues(places[f].bDrumset, places[f].wProgram, places[f].byVariation, values);
                AppendLines(batch, part.arrLines, values);
            }
            break;
        }
        case BlockNoFree:
            if (rule.arrFree.empty() && rule.arrNextFree.empty())
                AppendLines(batch, part.arrLines, values);
            break;
        case BlockCount: break;
        }
        if (part.nBlock == BlockNone)
            AppendLines(batch, part.arrLines, values);
        if (!flush(false))
            return;
    }
    flush(true);
}

int CBankSetPage::RenderTo(const CBankSet& set, IPageSink& sink)
{
    m_strError.clear();
    std::string templateText;
    if (!ReadPageTemplate(m_strTemplatePath, templateText, m_strError))
        return 0;
    RenderText(set, templateText, sink);
    return sink.Failed() ? 0 : 1;
}

int CBankSetPage::Render(const CBankSet& set, const std::filesystem::path& pagePath)
{
    m_strError.clear();
    // The template is read before the page is opened, so a missing template leaves an older page alone.
    std::string templateText;
    if (!ReadPageTemplate(m_strTemplatePath, templateText, m_strError))
        return 0;
    IFileSystem& fs = GetFileSystem();
    CPageFile page(fs);
    page.SetFlush(m_bFlushPage);
    page.SetMaxSize(m_nMaxPageSize);
    if (!page.Open(pagePath))
    {
        m_strError = FileErrorDetail(pagePath, page.Error());
        return 0;
    }
    RenderText(set, templateText, page);
    if (page.Failed() || !page.Commit())
    {
        m_strError = FileErrorDetail(pagePath, page.Error());
        return 0;
    }
    return 1;
}

std::string BankFileUrl(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    const std::string full = ec ? path : absolute.lexically_normal().string();
    return "file://" + PercentEncodePath(full);
}

std::string PercentEncodePath(const std::string& path)
{
    std::string url;
    for (unsigned char c : path)
    {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/')
            url += static_cast<char>(c);
        else
        {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            url += buf;
        }
    }
    return url;
}

bool BankPathFromUrl(const std::string& url, std::string& path)
{
    constexpr std::string_view kScheme = "file://";
    if (url.compare(0, kScheme.size(), kScheme) != 0 || url.size() <= kScheme.size() || url[kScheme.size()] != '/')
        return false;
    std::string decoded;
    for (size_t i = kScheme.size(); i < url.size(); ++i)
    {
        if (url[i] != '%')
        {
            decoded += url[i];
            continue;
        }
        if (i + 2 >= url.size() || !std::isxdigit(static_cast<unsigned char>(url[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(url[i + 2])))
            return false;
        decoded += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
        i += 2;
    }
    path = decoded;
    return true;
}
