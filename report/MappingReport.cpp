#include "report/MappingReport.h"

#include "report/PageText.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"
#include "soundbank/BankName.h"
#include "soundbank/SoundBank.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>

namespace
{
const std::string kStartMapping = "[ZTL_TAG_START_MAPPING]";
const std::string kMidiMapping = "[IDS_ZTLMIDIMAPPING]";
const std::string kStartNiceProg = "[ZTL_TAG_STARTNICEPROG]";
const std::string kEndNiceProg = "[ZTL_TAG_ENDNICEPROG]";
const std::string kEndProg = "[ZTL_TAG_ENDPROG]";

bool Contains(const std::string& line, const std::string& tag)
{
    return line.find(tag) != std::string::npos;
}

// The template's lines, read as text: a trailing "\r" of each line is dropped.
class CLineReader
{
public:
    explicit CLineReader(const std::string& text) : m_text(text) {}

    bool Next(std::string& line)
    {
        if (m_nPos >= m_text.size())
            return false;
        size_t nl = m_text.find('\n', m_nPos);
        size_t end = nl == std::string::npos ? m_text.size() : nl;
        line.assign(m_text, m_nPos, end - m_nPos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_nPos = nl == std::string::npos ? m_text.size() : nl + 1;
        return true;
    }

private:
    const std::string& m_text;
    size_t m_nPos = 0;
};

void AppendLine(std::string& page, const std::string& line)
{
    page += line;
    page += '\n';
}

// Replaces the first of the row tags in line with the entry's values.
void ApplyRowTags(std::string& line, bool firstRowBlock, const std::string& bankName, const char* group,
                  const IMAPENTRY& entry)
{
    if (firstRowBlock)
    {
        if (ReplaceAll(line, "[IDS_ZTLBANKREALNAME]", bankName))
            return;
        if (ReplaceAll(line, "[IDS_ZTLINSTRUMENT]", group))
            return;
    }
    if (ReplaceAll(line, "[IDS_ZTLBANKMIDIPROG]", std::to_string(entry.wProgram)))
        return;
    if (ReplaceAll(line, "[IDS_ZTLBANKKVARIATION]", std::to_string(entry.byVariation)))
        return;
    if (ReplaceAll(line, "[IDS_ZTLBANKCUBASEPROG]", std::to_string(entry.wProgram + 1)))
        return;
    ReplaceAll(line, "[IDS_ZTLBANKCUBASEBANK]", std::to_string(entry.byVariation << 7));
}
} // namespace

uint32_t CMappingReport::ReplaceHeaderTags(std::string& line)
{
    ReplaceAll(line, "[IDS_ZTLTEXTCOLOR]", ColorToHtml(m_crText));
    std::string background = m_strImagePath.empty() ? "BGCOLOR=" + ColorToHtml(m_crBackground)
                                                     : "BACKGROUND=\"" + HtmlEscape(m_strImagePath) + "\"";
    if (ReplaceAll(line, "[IDS_ZTLBACKGROUND]", background))
        return SCAN_CONTINUE;
    if (ReplaceAll(line, "[IDS_ZTLIMGLOCATION]", HtmlEscape(GetProgramDirectory())))
        return SCAN_CONTINUE;
    ReplaceAll(line, "[IDS_ZTLTITLE]", GetString(IDS_ZTLTITLE));
    if (ReplaceAll(line, "[IDS_ZTLLEGEND]", GetString(IDS_ZTLLEGEND)))
        return SCAN_CONTINUE;
    ReplaceAll(line, "[IDS_ZTLAUTHOR]", GetString(IDS_ZTLAUTHOR));
    ReplaceAll(line, "[IDS_ZTLAUTHOREMAIL]", GetString(IDS_ZTLAUTHOREMAIL));
    ReplaceAll(line, "[IDS_ZTLMAPPRESETFILENAME]", HtmlEscape(m_strBankPath));
    if (Contains(line, "[IDS_ZTLMAPFILEDATE]"))
    {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        ReplaceAll(line, "[IDS_ZTLMAPFILEDATE]", GetString(IDS_ZTLMAPFILEDATE) + FormatMappingDate(local));
        return SCAN_CONTINUE;
    }
    return Contains(line, kStartMapping) ? SCAN_START_MAPPING : SCAN_CONTINUE;
}

uint32_t CMappingReport::ReplaceColumnTags(std::string& line)
{
    static const struct
    {
        const char* tag;
        unsigned id;
    } kColumns[] = {
        {"[IDS_ZTLMIDIMAPPING]", IDS_ZTLMIDIMAPPING}, {"[IDS_ZTLMIDIPROG]", IDS_ZTLMIDIPROG},
        {"[IDS_ZTLVARIATION]", IDS_ZTLVARIATION},     {"[IDS_ZTLCUBASEPROG]", IDS_ZTLCUBASEPROG},
        {"[IDS_ZTLCUBASEBANK]", IDS_ZTLCUBASEBANK},
    };
    for (const auto& column : kColumns)
        if (ReplaceAll(line, column.tag, GetString(column.id)))
            return SCAN_CONTINUE;
    return Contains(line, kStartNiceProg) ? SCAN_START_FIRST_ROW : SCAN_CONTINUE;
}

void CMappingReport::AppendRows(const CSoundBank& bank, std::vector<std::string>& rows) const
{
    const std::string name = HtmlEscape(Cp1252ToUtf8(BankNameText(bank.GetBankName())));
    auto appendList = [&](const std::vector<IMAPENTRY>& list, const char* group)
    {
        for (size_t i = 0; i < list.size(); ++i)
        {
            const bool first = i == 0;
            for (const std::string& blockLine : first ? m_firstRowBlock : m_nextRowBlock)
            {
                std::string line = blockLine;
                ApplyRowTags(line, first, name, group, list[i]);
                rows.push_back(std::move(line));
            }
        }
    };
    appendList(bank.m_arrInstruments, "Instruments");
    appendList(bank.m_arrDrumsets, "Drumset");
}

uint32_t CMappingReport::BuildRows(std::vector<std::string>& rows)
{
    CSoundBank bank;
    if (bank.Load(m_strBankPath, m_repairPolicy))
        AppendRows(bank, rows);
    return SCAN_ROWS_BUILT;
}

void CMappingReport::RenderText(const std::string& templateText, std::string& page)
{
    m_firstRowBlock.clear();
    m_nextRowBlock.clear();
    CLineReader reader(templateText);
    std::string line;

    // Header, up to the start marker.
    bool have = reader.Next(line);
    while (have && ReplaceHeaderTags(line) != SCAN_START_MAPPING)
    {
        AppendLine(page, line);
        have = reader.Next(line);
    }
    if (!have)
        return;

    // Lead-in, written as it stands.
    have = reader.Next(line);
    while (have && !Contains(line, kMidiMapping))
    {
        AppendLine(page, line);
        have = reader.Next(line);
    }

    // Column headings, up to the first-row marker.
    while (have && ReplaceColumnTags(line) != SCAN_START_FIRST_ROW)
    {
        AppendLine(page, line);
        have = reader.Next(line);
    }
    if (!have)
        return;

    // The two row blocks, kept for BuildRows.
    have = reader.Next(line);
    while (have && !Contains(line, kEndNiceProg))
    {
        m_firstRowBlock.push_back(line);
        have = reader.Next(line);
    }
    if (!have)
        return;
    have = reader.Next(line);
    while (have && !Contains(line, kEndProg))
    {
        m_nextRowBlock.push_back(line);
        have = reader.Next(line);
    }
    if (!have)
        return;

    std::vector<std::string> rows;
    if (BuildRows(rows) == SCAN_ROWS_BUILT)
        for (const std::string& row : rows)
            AppendLine(page, row);

    // Trailer.
    while (reader.Next(line))
        AppendLine(page, line);
}

int CMappingReport::Render()
{
    m_firstRowBlock.clear();
    m_nextRowBlock.clear();
    std::ifstream in(m_strTemplatePath, std::ios::binary);
    if (!in)
        return 0;
    std::string templateText((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return 0;

    // The page is created before the rows are built, so an unwritable page costs no bank load.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(m_strOutputPath.c_str(), "wb"), &std::fclose);
    if (!out)
        return 0;

    std::string page;
    RenderText(templateText, page);
    bool ok = std::fwrite(page.data(), 1, page.size(), out.get()) == page.size();
    ok = std::fflush(out.get()) == 0 && ok;
    ok = std::fclose(out.release()) == 0 && ok;
    return ok ? 1 : 0;
}
