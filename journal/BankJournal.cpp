// The journal files: one per bank, written whole through a file renamed over the old one, or a
// line appended for a change added or confirmed; and the bounds that keep the whole journal
// small.
#include "journal/BankJournal.h"

#include "base/ReplaceFile.h"

#include <xxhash.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <mutex>
#include <system_error>

namespace
{
// A journal file takes at most this many appended lines before it is written whole again.
constexpr size_t kMaxAppended = 32;
// The largest journal file read when the bound is smaller.
constexpr uint64_t kMaxReadBytes = 1ull << 30;

// The journal file's name: the digest of the bank's path, so any path fits and none collides
// with another in practice.
std::string KeyName(const std::filesystem::path& bank)
{
    const std::string& text = bank.native();
    return DigestText(XXH3_64bits(text.data(), text.size())) + ".json";
}

// The journal files this process read or appended to last, with what they read as: a file that
// holds exactly the same text again is not parsed again. An appended line is applied to what
// the file read as before, the way reading the whole file would; the text is always compared,
// so a file changed in any other way is read anew.
struct PARSEDJOURNAL
{
    std::string text;
    size_t nMaxChanges = 0;
    std::vector<JOURNALCHANGE> changes;
    JOURNALTEXT info;
};
std::mutex g_parsedLock;
std::map<std::string, PARSEDJOURNAL>& Parsed()
{
    static std::map<std::string, PARSEDJOURNAL> parsed;
    return parsed;
}

bool ParseKept(const std::filesystem::path& file, std::string text, std::vector<JOURNALCHANGE>& changes,
               JOURNALTEXT& info)
{
    const size_t max = JournalPlaceSlot().Get().nMaxChanges;
    std::lock_guard<std::mutex> guard(g_parsedLock);
    auto& parsed = Parsed();
    auto it = parsed.find(file.native());
    if (it != parsed.end() && it->second.nMaxChanges == max && it->second.text == text)
    {
        changes = it->second.changes;
        info = it->second.info;
        return true;
    }
    if (it != parsed.end())
        parsed.erase(it);
    if (!CBankJournal::Parse(text, changes, &info))
        return false;
    // A handful of banks are open at a time.
    if (parsed.size() >= 8)
        parsed.clear();
    parsed[file.native()] = PARSEDJOURNAL{std::move(text), max, changes, info};
    return true;
}

// line was appended to file, which was size bytes long.
void NoteAppended(const std::filesystem::path& file, uint64_t size, const std::string& line)
{
    std::lock_guard<std::mutex> guard(g_parsedLock);
    auto& parsed = Parsed();
    auto it = parsed.find(file.native());
    if (it == parsed.end())
        return;
    PARSEDJOURNAL& kept = it->second;
    if (kept.text.size() != size || !kept.info.bLines || kept.text.empty() || kept.text.back() != '\n' ||
        line.empty() || line.back() != '\n' || kept.nMaxChanges != JournalPlaceSlot().Get().nMaxChanges)
    {
        parsed.erase(it);
        return;
    }
    kept.text += line;
    CBankJournal::ApplyLine(line.substr(0, line.size() - 1), kept.changes);
    ++kept.info.nLines;
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

bool ReadWholeFile(IFileSystem& fs, const std::filesystem::path& path, std::string& text, int& error, FILESTAT* read)
{
    CFsHandle file(fs, fs.OpenRead(path));
    FILESTAT stat;
    if (!file.IsOpen() || !fs.Stat(file.Get(), stat))
        return error = fs.LastError(), false;
    // A journal file larger than the journal's bound (written under a larger one, or grown by
    // confirmations) is still read; the next change drops its oldest entries. Only a size no
    // journal of this program comes near is refused, so that reading it cannot exhaust memory.
    if (stat.nSize > std::max<uint64_t>(JournalPlaceSlot().Get().nMaxBytes, kMaxReadBytes))
        return error = kErrTooLarge, false;
    text.resize(static_cast<size_t>(stat.nSize));
    if (!ReadExactly(fs, file.Get(), 0, text.data(), text.size()))
        return error = fs.LastError() ? fs.LastError() : kErrShort, false;
    if (read)
        *read = stat;
    return true;
}

bool CBankJournal::Read(int& error)
{
    m_changes.clear();
    m_bFileRead = false;
    FILESTAT stat;
    const std::filesystem::path file = File();
    if (!m_fs.StatPath(file, stat, false))
    {
        TakeOver(); // no journal yet, unless the bank was renamed or moved here
        return true;
    }
    std::string text;
    if (!ReadWholeFile(m_fs, file, text, error, &m_fileStat))
        return false;
    JOURNALTEXT info;
    m_bFileRead = ParseKept(file, std::move(text), m_changes, info);
    m_nAppended = info.nLines;
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
    int error = 0;
    return AppendLine(DoneLine(id, change->after), nullptr, false, UINT64_MAX, error) == Appended::Yes;
}

CBankJournal::Appended CBankJournal::AppendLine(const std::string& line, const FILESTAT* expected, bool bFlush,
                                                uint64_t maxSize, int& error)
{
    // Only the journal file itself is appended to, never a link or a file put in its place;
    // with expected, only the very file that was read.
    const std::filesystem::path file = File();
    FILESTAT named, opened;
    if (!m_fs.StatPath(file, named, false) || (expected && !named.SameFileAs(*expected)))
        return Appended::NotHere;
    CFsHandle handle(m_fs, m_fs.OpenReadWrite(file));
    if (!handle.IsOpen() || !m_fs.Stat(handle.Get(), opened) || !opened.SameFileAs(named))
        return Appended::NotHere;
    // A file whose last line was cut short (a crash while appending) gets the new line on a line
    // of its own, so that only the torn one is passed over when read.
    char last = '\n';
    if (opened.nSize > 0 && !ReadExactly(m_fs, handle.Get(), opened.nSize - 1, &last, 1))
        return error = m_fs.LastError() ? m_fs.LastError() : EIO, Appended::Failed;
    const std::string text = last == '\n' ? line : "\n" + line;
    if (opened.nSize + text.size() > maxSize)
        return Appended::NotHere;
    if (!m_fs.WriteAt(handle.Get(), opened.nSize, text.data(), text.size()) || (bFlush && !m_fs.Sync(handle.Get())))
    {
        // A line written in part is taken back; one that stays is passed over when read.
        error = m_fs.LastError() ? m_fs.LastError() : EIO;
        m_fs.SetSize(handle.Get(), opened.nSize);
        return Appended::Failed;
    }
    NoteAppended(file, opened.nSize, text);
    return Appended::Yes;
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
    // The bank now also stands as the neighbouring change expects it (the change below an undo
    // settled, the one above a redo): it takes the identity this step left, as a completed undo
    // or redo gives it.
    if (settled)
        Refresh(now, digest);
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
    uint64_t id = 0;
    for (const JOURNALCHANGE& c : m_changes)
        id = std::max(id, c.nId);
    change.nId = id + 1;
    AddTo(m_changes, std::move(change));
    return m_changes.back();
}

void CBankJournal::AddTo(std::vector<JOURNALCHANGE>& changes, JOURNALCHANGE change)
{
    size_t applied = changes.size();
    while (applied > 0 && !changes[applied - 1].IsApplied())
        --applied;
    changes.resize(applied);
    changes.push_back(std::move(change));
}

void CBankJournal::KeepNewest(std::vector<JOURNALCHANGE>& changes, size_t max)
{
    max = std::max<size_t>(max, 1);
    if (changes.size() > max)
        changes.erase(changes.begin(), changes.end() - static_cast<long>(max));
}

bool CBankJournal::LockJournal(CWriterLock& lock, int& error)
{
    const std::filesystem::path dir = JournalPlaceSlot().Get().Directory();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        return error = ec.value(), false;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);
    const std::filesystem::path lockPath = dir / "journal.lock";
    FILESTAT stat;
    if (!m_fs.StatPath(lockPath, stat, false))
    {
        int h = m_fs.Create(lockPath, 0600);
        if (h >= 0)
            m_fs.Close(h);
    }
    if (!lock.Acquire(lockPath))
        return error = lock.Error(), false;
    return true;
}

bool CBankJournal::WriteAdded(int& error)
{
    const JOURNALPLACE& place = JournalPlaceSlot().Get();
    KeepNewest(m_changes, place.nMaxChanges);
    if (!m_bFileRead || m_nAppended >= kMaxAppended || m_changes.empty())
        return Write(error);
    {
        // The file must still be the one read, and the whole journal have room for the line;
        // the lock keeps other writers from rewriting it meanwhile. A change whose line cannot
        // be written is not made.
        CWriterLock lock(m_fs);
        if (!LockJournal(lock, error))
            return false;
        const uint64_t others = OtherFilesBytes(nullptr);
        const uint64_t room = others < place.nMaxBytes ? place.nMaxBytes - others : 0;
        const Appended appended = AppendLine(AddedLine(m_changes.back()), &m_fileStat, true, room, error);
        if (appended != Appended::NotHere)
        {
            m_bFileRead = false;
            return appended == Appended::Yes;
        }
    }
    return Write(error);
}

bool CBankJournal::Write(int& error)
{
    const JOURNALPLACE& place = JournalPlaceSlot().Get();
    m_bFileRead = false;
    // This bank's bound first, then the whole journal's: the oldest changes go.
    KeepNewest(m_changes, place.nMaxChanges);
    std::string text = Serialize(m_bank, m_changes);
    while (text.size() > place.nMaxBytes && m_changes.size() > 1)
    {
        m_changes.erase(m_changes.begin());
        text = Serialize(m_bank, m_changes);
    }
    if (text.size() > place.nMaxBytes)
        return error = kErrTooLarge, false;

    // One writer at a time rewrites journal files of other banks.
    CWriterLock lock(m_fs);
    if (!LockJournal(lock, error))
        return false;
    const size_t kept = m_changes.size();
    if (!MakeRoom(text.size(), error))
        return false;
    // Changes of this bank dropped to make room leave a shorter text.
    if (m_changes.size() != kept)
        text = Serialize(m_bank, m_changes);

    const std::filesystem::path file = File();
    FILESTAT stat;
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

uint64_t CBankJournal::OtherFilesBytes(std::vector<std::filesystem::path>* files) const
{
    const std::filesystem::path own = File();
    uint64_t total = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(JournalPlaceSlot().Get().Directory(), ec))
    {
        const std::filesystem::path& p = entry.path();
        std::error_code sizeError;
        if (p.extension() != ".json" || p == own || !entry.is_regular_file(sizeError))
            continue;
        uint64_t size = entry.file_size(sizeError);
        if (sizeError)
            continue;
        total += size;
        if (files)
            files->push_back(p);
    }
    return total;
}

bool CBankJournal::MakeRoom(uint64_t bytes, int& error)
{
    const JOURNALPLACE& place = JournalPlaceSlot().Get();
    std::vector<std::filesystem::path> files;
    uint64_t total = bytes + OtherFilesBytes(&files);
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
        // A file that is no journal of ours counts, but has nothing to drop.
        JOURNALTEXT info;
        Parse(text, other.changes, &info);
        other.bank = info.strBank;
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
