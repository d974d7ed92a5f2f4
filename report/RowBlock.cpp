// Row blocks cut at their tags once, then filled in for every entry of the bank.
#include "report/RowBlock.h"

#include "report/PageText.h"
#include "res/StringTable.h"
#include "soundbank/GmNames.h"

#include <charconv>

namespace
{
struct ROWTAG
{
    std::string_view tag;
    CRowBlock::ROWVALUE value;
    bool firstBlockOnly;
};

// The row tags in the order they are looked for. The General MIDI name comes last, so a
// template without its tag renders as it always did.
constexpr ROWTAG kRowTags[] = {
    {"[IDS_ZTLBANKREALNAME]", CRowBlock::ValueBankName, true},
    {"[IDS_ZTLINSTRUMENT]", CRowBlock::ValueGroup, true},
    {"[IDS_ZTLBANKMIDIPROG]", CRowBlock::ValueProgram, false},
    {"[IDS_ZTLBANKKVARIATION]", CRowBlock::ValueVariation, false},
    {"[IDS_ZTLBANKCUBASEPROG]", CRowBlock::ValueCubaseProg, false},
    {"[IDS_ZTLBANKCUBASEBANK]", CRowBlock::ValueCubaseBank, false},
    {"[IDS_ZTLBANKGMNAME]", CRowBlock::ValueGmName, false},
};

} // namespace

CRowBlock::ROWVALUE CRowBlock::ValueOf(const std::string& line, bool bFirstRowBlock)
{
    for (const ROWTAG& row : kRowTags)
        if ((bFirstRowBlock || !row.firstBlockOnly) && line.find(row.tag) != std::string::npos)
            return row.value;
    return ValueNone;
}

CRowBlock::CRowBlock(const std::vector<std::string>& lines, bool bFirstRowBlock)
    : m_strInstruments(HtmlEscape(GetString(IDS_ZTLINSTRUMENTS))), m_strDrumset(HtmlEscape(GetString(IDS_ZTLDRUMSET)))
{
    m_lines.reserve(lines.size());
    for (const std::string& text : lines)
    {
        ROWLINE line;
        line.nValue = ValueOf(text, bFirstRowBlock);
        if (line.nValue == ValueNone)
        {
            line.strText = text;
            m_lines.push_back(std::move(line));
            continue;
        }
        std::string_view tag;
        for (const ROWTAG& row : kRowTags)
            if (row.value == line.nValue)
                tag = row.tag;
        // The occurrences are found left to right, each search going on after the last one.
        size_t from = 0;
        for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, from))
        {
            line.strText.append(text, from, at - from);
            line.arrCuts.push_back(static_cast<uint32_t>(line.strText.size()));
            from = at + tag.size();
        }
        line.strText.append(text, from, std::string::npos);
        m_lines.push_back(std::move(line));
    }
    // The name's line if there is one, else the first line with a value.
    for (size_t i = 0; i < m_lines.size(); ++i)
    {
        if (m_lines[i].arrCuts.empty())
            continue;
        if (m_lines[i].nValue == ValueGmName)
        {
            m_nMarkLine = i;
            break;
        }
        if (m_nMarkLine == SIZE_MAX)
            m_nMarkLine = i;
    }
}

void CRowBlock::Append(std::string& out, std::string_view bankName, bool bDrumset, const IMAPENTRY& entry,
                       size_t* pMark) const
{
    if (pMark)
        *pMark = out.size();
    char digits[12];
    std::string escaped;
    auto number = [&digits](unsigned value)
    {
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        return std::string_view(digits, static_cast<size_t>(end - digits));
    };
    for (size_t i = 0; i < m_lines.size(); ++i)
    {
        const ROWLINE& line = m_lines[i];
        std::string_view value;
        switch (line.nValue)
        {
        case ValueNone: break;
        case ValueBankName: value = bankName; break;
        case ValueGroup: value = bDrumset ? m_strDrumset : m_strInstruments; break;
        case ValueProgram: value = number(entry.wProgram); break;
        case ValueVariation: value = number(entry.byVariation); break;
        case ValueCubaseProg: value = number(entry.wProgram + 1u); break;
        case ValueCubaseBank: value = number(static_cast<unsigned>(entry.byVariation) << 7); break;
        case ValueGmName:
            if (const char* name = GmEntryName(bDrumset, entry.wProgram))
            {
                value = name;
                if (value.find_first_of("&<>\"") != std::string_view::npos)
                {
                    escaped.clear();
                    AppendHtmlEscaped(escaped, value);
                    value = escaped;
                }
            }
            break;
        }
        if (pMark && i == m_nMarkLine)
            *pMark = out.size() + line.arrCuts.front();
        size_t from = 0;
        for (uint32_t cut : line.arrCuts)
        {
            out.append(line.strText, from, cut - from);
            out += value;
            from = cut;
        }
        out.append(line.strText, from, std::string::npos);
        out += '\n';
    }
}
