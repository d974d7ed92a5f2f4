// CBankJournal: the recorded changes of one bank, kept in one file of the journal directory
// ("<digest of the bank's path>.json"), and the place and bounds of that directory.
#pragma once

#include "base/FileSystem.h"
#include "base/Slot.h"
#include "base/WriterLock.h"
#include "journal/FileDigest.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Where the journal lives and how much it may hold. The built-in place follows XDG_STATE_HOME
// (default ~/.local/state) at each use; tests install one in a temporary directory.
struct JOURNALPLACE
{
    std::filesystem::path dir;        // empty: $XDG_STATE_HOME/orvane or ~/.local/state/orvane
    size_t nMaxChanges = 100;         // per bank
    uint64_t nMaxBytes = 64ull << 20; // all journal files together

    std::filesystem::path Directory() const;
};
CSlot<JOURNALPLACE>& JournalPlaceSlot();

// A bank as it was at one moment: its identity when known (bKnown) and the digest of its bytes.
struct FILESTATE
{
    bool bKnown = false;
    uint64_t nDevice = 0;
    uint64_t nInode = 0;
    uint64_t nSize = 0;
    int64_t nMtimeNs = 0;
    uint64_t nDigest = 0;

    void SetStat(const FILESTAT& stat);
    // The file is exactly this state: same identity and same digest.
    bool Matches(const FILESTAT& stat, uint64_t digest) const;
    bool SameIdentity(const FILESTAT& stat) const;
};

enum class ChangeState
{
    Pending, // recorded, not yet confirmed as made
    Done,    // made
    Undoing, // being undone
    Undone,  // undone; can be redone
    Redoing  // being redone
};

struct JOURNALCHANGE
{
    uint64_t nId = 0;
    int64_t nTime = 0;   // seconds since 1970
    int64_t nStamp = 0;  // nanoseconds since 1970: the order of changes across banks
    std::string strKind; // "inspector", "set", "repair"
    std::string strSummary;
    ChangeState nState = ChangeState::Pending;
    FILESTATE before; // the bank without this change (as the last undo left it)
    FILESTATE after;  // the bank with it (as the change or the last redo left it)
    // A write-back: the bytes it replaced.
    std::vector<JOURNALSPAN> spans;
    // A repair: the 18-byte priority chunk moved from nFrom (strOldChunk) to nTo (strNewChunk).
    bool bRepair = false;
    uint64_t nTo = 0;
    uint64_t nFrom = 0;
    std::string strOldChunk;
    std::string strNewChunk;

    // In effect on the bank (or on its way in or out).
    bool IsApplied() const
    {
        return nState == ChangeState::Pending || nState == ChangeState::Done || nState == ChangeState::Undoing;
    }
};

// What else a journal file's text holds.
struct JOURNALTEXT
{
    std::string strBank; // the bank's path as written
    size_t nLines = 0;   // lines appended after the journal, those passed over included
    bool bLines = false; // the journal is the first line, so lines may follow it
};

class CBankJournal
{
public:
    // bank: the bank's absolute path with every link followed (see BankKey).
    CBankJournal(IFileSystem& fs, std::filesystem::path bank);

    // The absolute path of the file path leads to, the name a bank is journaled under.
    static std::filesystem::path BankKey(IFileSystem& fs, const std::filesystem::path& path);
    const std::filesystem::path& Bank() const { return m_bank; }
    // The journal file of the bank.
    std::filesystem::path File() const;

    // Reads the journal file; a missing one is an empty journal (or the journal of the path the
    // bank was renamed from, see TakeOver), an unreadable one fails (error set) and one that is no
    // journal reads as empty.
    bool Read(int& error);
    // Writes the journal file through a file renamed over it, after dropping the oldest changes
    // beyond the bounds (of this bank, then of the whole journal; the newest change of this bank
    // is never dropped). false (error set) when it cannot be written or the newest change alone
    // is larger than the journal may be.
    bool Write(int& error);

    // The newest applied change, and the oldest undone one (the next to redo); -1 when none.
    int UndoIndex() const;
    int RedoIndex() const;
    // The digest of a state the journal recorded with the identity stat describes: the bank is
    // taken to be in that state without reading it (a later undo or redo still checks it).
    bool KnownDigest(const FILESTAT& stat, uint64_t& digest) const;
    // Settles changes left pending, undoing or redoing (by a crash, or a confirmation that could
    // not be written) by the bank's digest now: a change the bank shows is done, one it does not
    // show is dropped or undone; the neighbouring change takes the bank's identity where its
    // digest is the bank's. true when anything changed.
    bool Settle(const FILESTAT& now, uint64_t digest);
    // The bank is now as now describes, with this digest: the newest applied change and the next
    // one to redo take this identity where their digest is the bank's (the bytes are theirs, the
    // identity new: this program wrote them again).
    void Refresh(const FILESTAT& now, uint64_t digest);
    // Adds a change, dropping the undone ones (a new change ends what could be redone).
    JOURNALCHANGE& Add(JOURNALCHANGE change);
    // Writes the journal after Add: the change added as one line appended to the journal file,
    // flushed, when the file is as Read found it, holds few such lines and the whole journal has
    // room for it; else as Write does.
    bool WriteAdded(int& error);
    // Marks the pending change id done, with the bank as it left it, by one line appended to the
    // journal file rather than writing the file again. The line is not flushed: one lost in a
    // crash leaves the change pending, which the bank's digest settles later.
    bool Confirm(uint64_t id, const FILESTAT& written);

    std::vector<JOURNALCHANGE> m_changes; // oldest first

    // The text of a journal file, and back: the journal as one line, then the lines appended
    // since it was written, one for each change added or confirmed.
    static std::string Serialize(const std::filesystem::path& bank, const std::vector<JOURNALCHANGE>& changes);
    static bool Parse(const std::string& text, std::vector<JOURNALCHANGE>& changes, JOURNALTEXT* info = nullptr);
    // Applies one appended line (without its line end) as Parse does.
    static void ApplyLine(const std::string& line, std::vector<JOURNALCHANGE>& changes);
    static std::string AddedLine(const JOURNALCHANGE& change);
    static std::string DoneLine(uint64_t id, const FILESTATE& after);
    // Adds change after the applied changes, dropping those that could be redone.
    static void AddTo(std::vector<JOURNALCHANGE>& changes, JOURNALCHANGE change);
    // Drops the oldest changes beyond max (at least one stays).
    static void KeepNewest(std::vector<JOURNALCHANGE>& changes, size_t max);

private:
    // Drops the oldest changes of other banks' journals until this one (bytes long) fits.
    bool MakeRoom(uint64_t bytes, int& error);
    // The bytes of the other journal files, and their paths when files is set.
    uint64_t OtherFilesBytes(std::vector<std::filesystem::path>* files) const;

    // Appends line to the journal file, flushed with bFlush, when the file is no link, is the one
    // expected describes (when given) and stays within maxSize bytes; NotHere when it is not.
    enum class Appended
    {
        Yes,
        NotHere,
        Failed // error set; the file is as it was or holds a part line, passed over when read
    };
    Appended AppendLine(const std::string& line, const FILESTAT* expected, bool bFlush, uint64_t maxSize, int& error);
    // Takes over the journal of another path whose bank is this very file (same device and
    // inode, the digest of the state that journal expects) when that path no longer leads to
    // it: its changes become this bank's, and its file moves under this bank's key. true when
    // one was taken.
    bool TakeOver();
    // Holds the lock that orders the writers of journal files, creating the directory and the
    // lock file first when needed.
    bool LockJournal(CWriterLock& lock, int& error);

    IFileSystem& m_fs;
    std::filesystem::path m_bank;
    // The journal file as Read found it (bFileRead), and the lines appended to it since it was
    // written as a whole.
    bool m_bFileRead = false;
    FILESTAT m_fileStat;
    size_t m_nAppended = 0;
};

// Reads a whole small file through the file system; false (error set) when it cannot.
bool ReadWholeFile(IFileSystem& fs, const std::filesystem::path& path, std::string& text, int& error,
                   FILESTAT* stat = nullptr);
