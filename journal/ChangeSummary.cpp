// Change summaries in the interface's language, from the fields a change's summary names.
#include "journal/ChangeSummary.h"

#include "res/StringTable.h"

#include <cctype>

namespace
{
const std::string kArrow = " \u2192 ";

// Digits as this program writes a number: no sign, no leading zero.
bool IsNumber(const std::string& text)
{
    if (text.empty() || (text[0] == '0' && text.size() > 1))
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Splits "A → B" into its sides when both are numbers.
bool NumberPair(const std::string& text, std::string& from, std::string& to)
{
    const size_t arrow = text.find(kArrow);
    if (arrow == std::string::npos)
        return false;
    from = text.substr(0, arrow);
    to = text.substr(arrow + kArrow.size());
    return IsNumber(from) && IsNumber(to);
}

// The last part of text after ", " (all of it when there is none); rest is what comes before,
// a part of its own (not empty) when there is one.
std::string LastPart(const std::string& text, std::string& rest)
{
    const size_t comma = text.rfind(", ");
    if (comma == std::string::npos)
    {
        rest.clear();
        return text;
    }
    rest = comma ? text.substr(0, comma) : ", ";
    return text.substr(comma + 2);
}
} // namespace

bool ParseChangeFields(const std::string& text, CHANGEFIELDS& fields)
{
    fields = CHANGEFIELDS();
    if (text == "no values changed")
        return true;
    // From the end: the entries, then the priority, then the name, whose text may hold anything.
    std::string rest = text, before;
    std::string part = LastPart(rest, before);
    for (const char* unit : {" entry", " entries"})
    {
        const std::string suffix = unit;
        if (part.size() > suffix.size() && part.compare(part.size() - suffix.size(), suffix.size(), suffix) == 0 &&
            IsNumber(part.substr(0, part.size() - suffix.size())))
        {
            const std::string count = part.substr(0, part.size() - suffix.size());
            if (count.size() > 9 || (count == "1") != (suffix == " entry") || count == "0")
                return false;
            fields.nEntries = std::stoul(count);
            rest = before;
            part = LastPart(rest, before);
            break;
        }
    }
    if (rest.empty())
        return fields.nEntries > 0;
    if (part.rfind("priority ", 0) == 0 && NumberPair(part.substr(9), fields.strOldPriority, fields.strNewPriority))
    {
        fields.bPriority = true;
        rest = before;
    }
    if (rest.empty())
        return true;
    // name "OLD" → "NEW"
    const std::string quoted = "\"" + kArrow + "\"";
    const size_t arrow = rest.find(quoted);
    if (rest.rfind("name \"", 0) != 0 || rest.back() != '"' || arrow == std::string::npos || rest.size() < 8)
        return false;
    fields.bName = true;
    fields.strOldName = rest.substr(5, arrow + 1 - 5);
    fields.strNewName = rest.substr(arrow + quoted.size() - 1);
    return true;
}

std::string ChangeSummaryText(const JOURNALCHANGE& change)
{
    if (change.bRepair)
        return change.strSummary == "repair" ? GetString(IDS_KIND_REPAIR) : change.strSummary;
    const std::string prefix = change.strKind + ": ";
    CHANGEFIELDS fields;
    if (change.strSummary.rfind(prefix, 0) != 0 || !ParseChangeFields(change.strSummary.substr(prefix.size()), fields))
        return change.strSummary;
    std::string text;
    auto add = [&](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    if (fields.bName)
        add(FormatStringId(IDS_SUMMARY_NAME, {fields.strOldName, fields.strNewName}));
    if (fields.bPriority)
        add(FormatStringId(IDS_SUMMARY_PRIORITY, {fields.strOldPriority, fields.strNewPriority}));
    if (fields.nEntries == 1)
        add(GetString(IDS_SUMMARY_ENTRY));
    else if (fields.nEntries > 1)
        add(FormatStringId(IDS_SUMMARY_ENTRIES, {std::to_string(fields.nEntries)}));
    if (text.empty())
        text = GetString(IDS_SUMMARY_NOVALUES);
    if (change.strKind == "set")
        return FormatStringId(IDS_SUMMARY_SET, {text});
    if (change.strKind == "inspector")
        return FormatStringId(IDS_SUMMARY_INSPECTOR, {text});
    return prefix + text;
}
