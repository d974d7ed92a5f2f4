// The text of the journal files: the journal as one JSON line, byte spans as hexadecimal text,
// then the lines appended since it was written, a change added or one confirmed as made.
#include "journal/BankJournal.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>

using json = nlohmann::ordered_json;

namespace
{
constexpr const char* kFormat = "orvane-change-journal";
constexpr int kVersion = 1;

// Positions in a journal file lie below this, so that no sum of a position and a length wraps.
constexpr uint64_t kMaxPosition = 1ull << 48;

const char* const kStateNames[] = {"pending", "done", "undoing", "undone", "redoing"};

// A journal file holding a number where it may not: it reads as no journal. nlohmann turns a
// floating-point value into an integer by a plain cast, undefined out of range, so numbers are
// taken only when the file wrote them as whole numbers.
struct NOTAJOURNAL
{
};

uint64_t Count(const json& value)
{
    if (!value.is_number_unsigned())
        throw NOTAJOURNAL{};
    return value.get<uint64_t>();
}

int64_t Whole(const json& value)
{
    if (!value.is_number_integer())
        throw NOTAJOURNAL{};
    return value.get<int64_t>();
}

std::string Hex(const std::string& bytes)
{
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (unsigned char c : bytes)
    {
        text += kHex[c >> 4];
        text += kHex[c & 15];
    }
    return text;
}

bool Unhex(const std::string& text, std::string& bytes)
{
    auto digit = [](char c) -> int
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    if (text.size() % 2)
        return false;
    bytes.resize(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        int hi = digit(text[2 * i]), lo = digit(text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes[i] = static_cast<char>(hi * 16 + lo);
    }
    return true;
}

json StateJson(const FILESTATE& state)
{
    json j = {{"digest", DigestText(state.nDigest)}};
    if (state.bKnown)
    {
        j["device"] = state.nDevice;
        j["inode"] = state.nInode;
        j["size"] = state.nSize;
        j["mtime_ns"] = state.nMtimeNs;
    }
    return j;
}

bool StateFromJson(const json& j, FILESTATE& state)
{
    if (!j.is_object() || !ParseDigestText(j.value("digest", std::string()), state.nDigest))
        return false;
    state.bKnown = j.contains("inode");
    if (state.bKnown)
    {
        state.nDevice = Count(j.at("device"));
        state.nInode = Count(j.at("inode"));
        state.nSize = Count(j.at("size"));
        state.nMtimeNs = Whole(j.at("mtime_ns"));
    }
    return true;
}

json ChangeJson(const JOURNALCHANGE& c)
{
    json j = {{"id", c.nId},
              {"time", c.nTime},
              {"stamp", c.nStamp},
              {"kind", c.strKind},
              {"summary", c.strSummary},
              {"state", kStateNames[static_cast<int>(c.nState)]},
              {"before", StateJson(c.before)},
              {"after", StateJson(c.after)}};
    if (c.bRepair)
        j["repair"] = {{"to", c.nTo}, {"from", c.nFrom}, {"old", Hex(c.strOldChunk)}, {"new", Hex(c.strNewChunk)}};
    else
    {
        json spans = json::array();
        for (const JOURNALSPAN& span : c.spans)
            spans.push_back({{"at", span.nAt}, {"old", Hex(span.strOld)}, {"new", Hex(span.strNew)}});
        j["spans"] = std::move(spans);
    }
    return j;
}

bool ChangeFromJson(const json& j, JOURNALCHANGE& c)
{
    c.nId = Count(j.at("id"));
    c.nTime = Whole(j.at("time"));
    // Times of this program's changes lie within a few centuries of 1970; a stamp left out is the time's.
    constexpr int64_t kMaxTime = INT64_MAX / 1000000000;
    if (c.nTime < -kMaxTime || c.nTime > kMaxTime)
        return false;
    c.nStamp = j.contains("stamp") ? Whole(j.at("stamp")) : c.nTime * 1000000000;
    c.strKind = j.at("kind").get<std::string>();
    c.strSummary = j.at("summary").get<std::string>();
    const std::string state = j.at("state").get<std::string>();
    auto found = std::find(std::begin(kStateNames), std::end(kStateNames), state);
    if (found == std::end(kStateNames) || !StateFromJson(j.at("before"), c.before) ||
        !StateFromJson(j.at("after"), c.after))
        return false;
    c.nState = static_cast<ChangeState>(found - std::begin(kStateNames));
    if (j.contains("repair"))
    {
        const json& r = j.at("repair");
        c.bRepair = true;
        c.nTo = Count(r.at("to"));
        c.nFrom = Count(r.at("from"));
        return Unhex(r.at("old").get<std::string>(), c.strOldChunk) &&
               Unhex(r.at("new").get<std::string>(), c.strNewChunk) && c.strOldChunk.size() == 18 &&
               c.strNewChunk.size() == 18 && c.nFrom < kMaxPosition && c.nFrom >= 18 && c.nTo <= c.nFrom - 18;
    }
    for (const json& s : j.at("spans"))
    {
        JOURNALSPAN span;
        span.nAt = Count(s.at("at"));
        if (span.nAt >= kMaxPosition || !Unhex(s.at("old").get<std::string>(), span.strOld) ||
            !Unhex(s.at("new").get<std::string>(), span.strNew) || span.strOld.size() != span.strNew.size())
            return false;
        c.spans.push_back(std::move(span));
    }
    return true;
}

// A line appended to a journal file. {"add": CHANGE} adds a pending change as a change made then
// does: the changes that could be redone go, and the oldest beyond the bound of a bank.
// {"done": ID, "after": STATE} marks the pending change ID done, leaving the bank in STATE. A line
// cut short by a crash, or one that fits no change, is passed over: the change it adds was never
// made, or the change it confirms stays pending, settled by the bank's digest.
void ApplyOneLine(const std::string& text, std::vector<JOURNALCHANGE>& changes)
{
    const json line = json::parse(text, nullptr, false);
    try
    {
        if (!line.is_object())
            return;
        if (line.contains("add"))
        {
            JOURNALCHANGE change;
            uint64_t last = 0;
            for (const JOURNALCHANGE& c : changes)
                last = std::max(last, c.nId);
            if (ChangeFromJson(line.at("add"), change) && change.nState == ChangeState::Pending && change.nId > last)
            {
                CBankJournal::AddTo(changes, std::move(change));
                CBankJournal::KeepNewest(changes, JournalPlaceSlot().Get().nMaxChanges);
            }
            return;
        }
        if (!line.contains("done") || !line.contains("after"))
            return;
        const uint64_t id = Count(line.at("done"));
        FILESTATE after;
        if (!StateFromJson(line.at("after"), after) || !after.bKnown)
            return;
        for (JOURNALCHANGE& c : changes)
            if (c.nId == id && c.nState == ChangeState::Pending && c.after.nDigest == after.nDigest)
            {
                c.nState = ChangeState::Done;
                c.after = after;
            }
    }
    catch (const json::exception&)
    {
    }
    catch (const NOTAJOURNAL&)
    {
    }
}
} // namespace

std::string CBankJournal::Serialize(const std::filesystem::path& bank, const std::vector<JOURNALCHANGE>& changes)
{
    json doc = {{"format", kFormat}, {"version", kVersion}, {"bank", bank.string()}};
    json list = json::array();
    for (const JOURNALCHANGE& change : changes)
        list.push_back(ChangeJson(change));
    doc["changes"] = std::move(list);
    // Paths and names that are no valid UTF-8 keep a readable form; nothing is looked up by them.
    return doc.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

bool CBankJournal::Parse(const std::string& text, std::vector<JOURNALCHANGE>& changes, JOURNALTEXT* info)
{
    changes.clear();
    if (info)
        *info = JOURNALTEXT{};
    // The journal is the first line; a file written with indentation is one document alone.
    size_t end = text.find('\n');
    json doc = json::parse(text.begin(), end == std::string::npos ? text.end() : text.begin() + static_cast<long>(end),
                           nullptr, false);
    if (info)
        info->bLines = !doc.is_discarded();
    if (doc.is_discarded() && end != std::string::npos)
    {
        doc = json::parse(text, nullptr, false);
        end = std::string::npos;
    }
    // Any value of an unexpected type makes the file no journal of ours.
    try
    {
        if (doc.is_discarded() || !doc.is_object() || doc.value("format", std::string()) != kFormat ||
            !doc.contains("version") || Whole(doc.at("version")) != kVersion)
            return false;
        if (info && doc.contains("bank") && doc.at("bank").is_string())
            info->strBank = doc.at("bank").get<std::string>();
        for (const json& j : doc.at("changes"))
        {
            JOURNALCHANGE change;
            if (!ChangeFromJson(j, change))
                return changes.clear(), false;
            changes.push_back(std::move(change));
        }
    }
    catch (const json::exception&)
    {
        changes.clear();
        return false;
    }
    catch (const NOTAJOURNAL&)
    {
        changes.clear();
        return false;
    }
    while (end != std::string::npos)
    {
        const size_t start = end + 1;
        end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (line.empty())
            continue;
        ApplyOneLine(line, changes);
        if (info)
            ++info->nLines;
    }
    return true;
}

std::string CBankJournal::AddedLine(const JOURNALCHANGE& change)
{
    return json{{"add", ChangeJson(change)}}.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string CBankJournal::DoneLine(uint64_t id, const FILESTATE& after)
{
    return json{{"done", id}, {"after", StateJson(after)}}.dump() + "\n";
}

void CBankJournal::ApplyLine(const std::string& line, std::vector<JOURNALCHANGE>& changes)
{
    ApplyOneLine(line, changes);
}
