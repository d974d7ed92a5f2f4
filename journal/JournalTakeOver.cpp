// A bank renamed or moved within its file system keeps its inode and its bytes: when it has no
// journal under its path, the journal of the path it had is found by the identity and digest of
// the state that journal left it in, and moved under the bank's new path.
#include "journal/BankJournal.h"

#include "base/ReplaceFile.h"

#include <map>
#include <mutex>
#include <system_error>

namespace
{
// Banks no journal was found for, with the bank's identity and the journal directory's
// modification time then: asked again with both unchanged (menus ask often), the answer stands.
struct NOTFOUND
{
    FILESTAT bank;
    int64_t nDirMtimeNs = 0;
};
std::mutex g_notFoundLock;
std::map<std::string, NOTFOUND>& NotFound()
{
    static std::map<std::string, NOTFOUND> notFound;
    return notFound;
}

// The state a journal expects its bank in: as the newest change in effect left it, or as the
// undo of the next one to redo left it. None while a change is under way.
const FILESTATE* ExpectedState(const std::vector<JOURNALCHANGE>& changes)
{
    for (size_t i = changes.size(); i-- > 0;)
        if (changes[i].IsApplied())
            return changes[i].nState == ChangeState::Done ? &changes[i].after : nullptr;
    return changes.empty() ? nullptr : &changes.front().before;
}
} // namespace

bool CBankJournal::TakeOver()
{
    const std::filesystem::path dir = JournalPlaceSlot().Get().Directory();
    FILESTAT bank, dirStat;
    if (!m_fs.StatPath(m_bank, bank) || !m_fs.StatPath(dir, dirStat))
        return false;
    {
        std::lock_guard<std::mutex> guard(g_notFoundLock);
        auto it = NotFound().find(m_bank.native());
        if (it != NotFound().end() && it->second.bank.SameFileAs(bank) && it->second.nDirMtimeNs == dirStat.nMtimeNs)
            return false;
    }
    // Only files that name the bank's inode are parsed.
    const std::string inode = "\"inode\":" + std::to_string(bank.nInode) + ",";
    const std::filesystem::path own = File();
    bool digested = false;
    uint64_t digest = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    {
        const std::filesystem::path& file = entry.path();
        std::string text;
        int error = 0;
        if (file.extension() != ".json" || file == own || !ReadWholeFile(m_fs, file, text, error) ||
            text.find(inode) == std::string::npos)
            continue;
        std::vector<JOURNALCHANGE> changes;
        JOURNALTEXT info;
        if (!Parse(text, changes, &info) || info.strBank.empty())
            continue;
        const FILESTATE* state = ExpectedState(changes);
        if (!state || !state->bKnown || state->nDevice != bank.nDevice || state->nInode != bank.nInode)
            continue;
        // A path that still leads to the file (another hard link to it) keeps its journal.
        FILESTAT old;
        if (m_fs.StatPath(info.strBank, old) && old.nDevice == bank.nDevice && old.nInode == bank.nInode)
            continue;
        FILESTAT now;
        if (!digested && !DigestPath(m_fs, m_bank, now, digest, true))
            return false;
        digested = true;
        if (state->nDigest != digest)
            continue;
        // The journal file moves under this bank's key, unless another writer changed it
        // meanwhile; the changes read are this bank's either way.
        CWriterLock lock(m_fs);
        std::string again;
        if (LockJournal(lock, error) && !m_fs.StatPath(own, old, false) && ReadWholeFile(m_fs, file, again, error) &&
            again == text)
        {
            const std::string moved = Serialize(m_bank, changes);
            if (WriteFileReplacing(m_fs, own, moved.data(), moved.size(), 0600))
                m_fs.Remove(file);
        }
        m_changes = std::move(changes);
        return true;
    }
    std::lock_guard<std::mutex> guard(g_notFoundLock);
    // A handful of banks are open at a time.
    if (NotFound().size() >= 8)
        NotFound().clear();
    NotFound()[m_bank.native()] = NOTFOUND{bank, dirStat.nMtimeNs};
    return false;
}
