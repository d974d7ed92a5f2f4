// The journal files: one JSON document per bank, byte spans as hexadecimal text, written through
// a file renamed over the old one, then lines appended to confirm changes made; and the bounds
// that keep the whole journal small.
#include "journal/BankJournal.h"

#include "base/ReplaceFile.h"
#include "base/WriterLock.h"

#include <nlohmann/json.hpp>
#include <xxhash.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <system_error>

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

// A confirmation line appended to a journal file: {"done": ID, "after": STATE} marks the pending
// change ID done, leaving the bank in STATE. A line cut short by a crash, or one that fits no
// pending change, is passed over: the change stays pending and is settled by the bank's digest.
void ApplyConfirmation(const std::string& text, std::vector<JOURNALCHANGE>& changes)
{
    const json line = json::parse(text, nullptr, false);
    try
    {
        if (!line.is_object() || !line.contains("done") || !line.contains("after"))
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

// The journal file's name: the digest of the bank's path, so any path fits and none collides
// with another in practice.
std::string KeyName(const std::filesystem::path& bank)
{
    const std::string& text = bank.native();
    return DigestText(XXH3_64bits(text.data(), text.size())) + ".json";
}

// A journal of another bank, read to drop its oldest changes.
struct OTHERJOURNAL
{
    std::filesystem::path file;
    std::filesystem::path bank;
    std::vector<JOURNALCHANGE> changes;
    uint64_t nBytes = 0;
    bool bChanged = false;
};
} // namespace

std::filesystem::path JOURNALPLACE::Directory() const
{
    if (!dir.empty())
        return dir;
    const char* state = std::getenv("XDG_STATE_HOME");
    // A relative XDG_STATE_HOME is invalid and ignored.
    if (state && *state == '/')
        return std::filesystem::path(state) / "orvane";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/") / ".local" / "state" / "orvane";
}

CSlot<JOURNALPLACE>& JournalPlaceSlot()
{
    static JOURNALPLACE builtIn;
    static CSlot<JOURNALPLACE> slot(builtIn);
    return slot;
}

void FILESTATE::SetStat(const FILESTAT& stat)
{
    bKnown = true;
    nDevice = stat.nDevice;
    nInode = stat.nInode;
    nSize = stat.nSize;
    nMtimeNs = stat.nMtimeNs;
}

bool FILESTATE::Matches(const FILESTAT& stat, uint64_t digest) const
{
    return SameIdentity(stat) && nDigest == digest;
}

bool FILESTATE::SameIdentity(const FILESTAT& stat) const
{
    return bKnown && nDevice == stat.nDevice && nInode == stat.nInode && nSize == stat.nSize &&
           nMtimeNs == stat.nMtimeNs;
}

CBankJournal::CBankJournal(IFileSystem& fs, std::filesystem::path bank) : m_fs(fs), m_bank(std::move(bank)) {}

std::filesystem::path CBankJournal::BankKey(IFileSystem& fs, const std::filesystem::path& path)
{
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec)
        absolute = path;
    return fs.ResolveLinks(absolute.lexically_normal());
}

std::filesystem::path CBankJournal::File() const
{
    return JournalPlaceSlot().Get().Directory() / KeyName(m_bank);
}

bool ReadWholeFile(IFileSystem& fs, const std::filesystem::path& path, std::string& text, int& error)
{
    CFsHandle file(fs, fs.OpenRead(path));
    FILESTAT stat;
    if (!file.IsOpen() || !fs.Stat(file.Get(), stat))
        return error = fs.LastError(), false;
    // A journal file is never larger than the journal's bound.
    if (stat.nSize > JournalPlaceSlot().Get().nMaxBytes + (1 << 20))
        return error = kErrTooLarge, false;
    text.resize(static_cast<size_t>(stat.nSize));
    if (!ReadExactly(fs, file.Get(), 0, text.data(), text.size()))
        return error = fs.LastError() ? fs.LastError() : kErrShort, false;
    return true;
}

bool CBankJournal::Read(int& error)
{
    m_changes.clear();
    FILESTAT stat;
    const std::filesystem::path file = File();
    if (!m_fs.StatPath(file, stat, false))
        return true; // no journal yet
    std::string text;
    if (!ReadWholeFile(m_fs, file, text, error))
        return false;
    Parse(text, m_changes);
    return true;
}

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

bool CBankJournal::Parse(const std::string& text, std::vector<JOURNALCHANGE>& changes)
{
    changes.clear();
    // The journal is the first line; a file written with indentation is one document alone.
    size_t end = text.find('\n');
    json doc = json::parse(text.begin(), end == std::string::npos ? text.end() : text.begin() + static_cast<long>(end),
                           nullptr, false);
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
        ApplyConfirmation(text.substr(start, end == std::string::npos ? std::string::npos : end - start), changes);
    }
    return true;
}

bool CBankJournal::Confirm(uint64_t id, const FILESTAT& written)
{
    auto change =
        std::find_if(m_changes.begin(), m_changes.end(),
                     [id](const JOURNALCHANGE& c) { return c.nId == id && c.nState == ChangeState::Pending; });
    if (change == m_changes.end())
        return false;
    change->nState = ChangeState::Done;
    change->after.SetStat(written);
    const std::string line = json{{"done", id}, {"after", StateJson(change->after)}}.dump() + "\n";
    // Only the journal file as the last write left it is appended to: never a link or a file
    // put in its place.
    const std::filesystem::path file = File();
    FILESTAT named, opened;
    if (!m_fs.StatPath(file, named, false))
        return false;
    CFsHandle handle(m_fs, m_fs.OpenReadWrite(file));
    if (!handle.IsOpen() || !m_fs.Stat(handle.Get(), opened) || !opened.SameFileAs(named))
        return false;
    if (m_fs.WriteAt(handle.Get(), opened.nSize, line.data(), line.size()))
        return true;
    // A line written in part is taken back; one that stays is passed over when read.
    m_fs.SetSize(handle.Get(), opened.nSize);
    return false;
}

int CBankJournal::UndoIndex() const
{
    for (int i = static_cast<int>(m_changes.size()) - 1; i >= 0; --i)
        if (m_changes[static_cast<size_t>(i)].IsApplied())
            return i;
    return -1;
}

int CBankJournal::RedoIndex() const
{
    int index = UndoIndex() + 1;
    return index < static_cast<int>(m_changes.size()) ? index : -1;
}

bool CBankJournal::Settle(const FILESTAT& now, uint64_t digest)
{
    bool settled = false;
    for (size_t i = m_changes.size(); i-- > 0;)
    {
        JOURNALCHANGE& c = m_changes[i];
        const bool isAfter = c.after.nDigest == digest;
        const bool isBefore = c.before.nDigest == digest;
        switch (c.nState)
        {
        case ChangeState::Pending:
            if (isAfter)
                c.nState = ChangeState::Done, c.after.SetStat(now);
            else
                m_changes.erase(m_changes.begin() + static_cast<long>(i));
            settled = true;
            break;
        case ChangeState::Undoing:
        case ChangeState::Redoing:
            if (isAfter)
                c.nState = ChangeState::Done, c.after.SetStat(now);
            else if (isBefore)
                c.nState = ChangeState::Undone, c.before.SetStat(now);
            else
                c.nState = c.nState == ChangeState::Undoing ? ChangeState::Done : ChangeState::Undone;
            settled = true;
            break;
        default: break;
        }
    }
    return settled;
}

bool CBankJournal::KnownDigest(const FILESTAT& stat, uint64_t& digest) const
{
    for (auto it = m_changes.rbegin(); it != m_changes.rend(); ++it)
        for (const FILESTATE* state : {&it->after, &it->before})
            if (state->SameIdentity(stat))
            {
                digest = state->nDigest;
                return true;
            }
    return false;
}

void CBankJournal::Refresh(const FILESTAT& now, uint64_t digest)
{
    const int undo = UndoIndex(), redo = RedoIndex();
    if (undo >= 0 && m_changes[static_cast<size_t>(undo)].after.nDigest == digest)
        m_changes[static_cast<size_t>(undo)].after.SetStat(now);
    if (redo >= 0 && m_changes[static_cast<size_t>(redo)].before.nDigest == digest)
        m_changes[static_cast<size_t>(redo)].before.SetStat(now);
}

JOURNALCHANGE& CBankJournal::Add(JOURNALCHANGE change)
{
    m_changes.resize(static_cast<size_t>(UndoIndex() + 1));
    uint64_t id = 0;
    for (const JOURNALCHANGE& c : m_changes)
        id = std::max(id, c.nId);
    change.nId = id + 1;
    m_changes.push_back(std::move(change));
    return m_changes.back();
}

bool CBankJournal::Write(int& error)
{
    const JOURNALPLACE& place = JournalPlaceSlot().Get();
    const std::filesystem::path dir = place.Directory();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        return error = ec.value(), false;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);

    // This bank's bound first, then the whole journal's: the oldest changes go.
    if (m_changes.size() > place.nMaxChanges)
        m_changes.erase(m_changes.begin(), m_changes.end() - static_cast<long>(std::max<size_t>(place.nMaxChanges, 1)));
    std::string text = Serialize(m_bank, m_changes);
    while (text.size() > place.nMaxBytes && m_changes.size() > 1)
    {
        m_changes.erase(m_changes.begin());
        text = Serialize(m_bank, m_changes);
    }
    if (text.size() > place.nMaxBytes)
        return error = kErrTooLarge, false;

    // One writer at a time rewrites journal files of other banks.
    const std::filesystem::path lockPath = dir / "journal.lock";
    FILESTAT stat;
    if (!m_fs.StatPath(lockPath, stat, false))
    {
        int h = m_fs.Create(lockPath, 0600);
        if (h >= 0)
            m_fs.Close(h);
    }
    CWriterLock lock(m_fs);
    if (!lock.Acquire(lockPath))
        return error = lock.Error(), false;
    const size_t kept = m_changes.size();
    if (!MakeRoom(text.size(), error))
        return false;
    // Changes of this bank dropped to make room leave a shorter text.
    if (m_changes.size() != kept)
        text = Serialize(m_bank, m_changes);

    const std::filesystem::path file = File();
    if (m_changes.empty())
    {
        if (m_fs.StatPath(file, stat, false) && !m_fs.Remove(file))
            return error = m_fs.LastError(), false;
        return true;
    }
    if (!WriteFileReplacing(m_fs, file, text.data(), text.size(), 0600))
        return error = m_fs.LastError() ? m_fs.LastError() : EIO, false;
    return true;
}

bool CBankJournal::MakeRoom(uint64_t bytes, int& error)
{
    const JOURNALPLACE& place = JournalPlaceSlot().Get();
    const std::filesystem::path own = File();
    std::vector<std::filesystem::path> files;
    uint64_t total = bytes;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(place.Directory(), ec))
    {
        const std::filesystem::path& p = entry.path();
        std::error_code sizeError;
        if (p.extension() != ".json" || p == own || !entry.is_regular_file(sizeError))
            continue;
        uint64_t size = entry.file_size(sizeError);
        if (sizeError)
            continue;
        total += size;
        files.push_back(p);
    }
    if (total <= place.nMaxBytes)
        return true;

    std::vector<OTHERJOURNAL> others;
    for (const std::filesystem::path& p : files)
    {
        OTHERJOURNAL other;
        other.file = p;
        std::string text;
        int readError = 0;
        if (!ReadWholeFile(m_fs, p, text, readError))
            continue;
        other.nBytes = text.size();
        json doc = json::parse(text, nullptr, false);
        if (!doc.is_discarded() && doc.is_object() && doc.contains("bank") && doc["bank"].is_string())
            other.bank = doc["bank"].get<std::string>();
        // A file that is no journal of ours counts, but has nothing to drop.
        Parse(text, other.changes);
        others.push_back(std::move(other));
    }
    // The oldest change of any bank goes first; this bank's newest change always stays.
    while (total > place.nMaxBytes)
    {
        OTHERJOURNAL* oldest = nullptr;
        for (OTHERJOURNAL& other : others)
            if (!other.changes.empty() && (!oldest || other.changes.front().nStamp < oldest->changes.front().nStamp))
                oldest = &other;
        const bool ownFirst =
            m_changes.size() > 1 && (!oldest || m_changes.front().nStamp <= oldest->changes.front().nStamp);
        if (ownFirst)
        {
            m_changes.erase(m_changes.begin());
            uint64_t size = Serialize(m_bank, m_changes).size();
            total = total - bytes + size;
            bytes = size;
            continue;
        }
        if (!oldest)
            return error = kErrTooLarge, false;
        oldest->changes.erase(oldest->changes.begin());
        uint64_t size = oldest->changes.empty() ? 0 : Serialize(oldest->bank, oldest->changes).size();
        total = total - oldest->nBytes + size;
        oldest->nBytes = size;
        oldest->bChanged = true;
    }
    for (OTHERJOURNAL& other : others)
    {
        if (!other.bChanged)
            continue;
        bool ok = other.changes.empty()
                      ? m_fs.Remove(other.file)
                      : WriteFileReplacing(m_fs, other.file, Serialize(other.bank, other.changes).data(), other.nBytes,
                                           0600) != 0;
        if (!ok)
            return error = m_fs.LastError() ? m_fs.LastError() : EIO, false;
    }
    return true;
}
