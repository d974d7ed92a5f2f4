// The journal's side of a change: the entry is written (pending) before the bank is touched and
// confirmed (done) or dropped after it. A pending entry left by a crash is settled later by the
// bank's digest, so the journal never holds a change that did not happen as undoable.
#include "journal/ChangeJournal.h"

#include "res/MessageBox.h"
#include "res/StringTable.h"

#include <chrono>
#include <ctime>
#include <cstring>

namespace
{
// Changed bytes of spans as short runs; runs closer than this are joined.
constexpr size_t kRunGap = 16;

std::vector<JOURNALSPAN> ChangedRuns(const std::vector<BANKSPAN>& spans)
{
    std::vector<JOURNALSPAN> runs;
    for (const BANKSPAN& span : spans)
    {
        const size_t n = std::min(span.original.size(), span.updated.size());
        size_t i = 0;
        while (i < n)
        {
            if (span.original[i] == span.updated[i])
            {
                ++i;
                continue;
            }
            size_t start = i, end = i + 1, same = 0;
            for (size_t j = end; j < n && same < kRunGap; ++j)
                if (span.original[j] != span.updated[j])
                    end = j + 1, same = 0;
                else
                    ++same;
            JOURNALSPAN run;
            run.nAt = span.nStart + start;
            run.strOld.assign(reinterpret_cast<const char*>(span.original.data()) + start, end - start);
            run.strNew.assign(reinterpret_cast<const char*>(span.updated.data()) + start, end - start);
            runs.push_back(std::move(run));
            i = end;
        }
    }
    return runs;
}

void ReportJournalFailure(const std::filesystem::path& file, int error)
{
    AppMessageBoxDetail(IDS_JOURNAL_CANTWRITE, MsgStop, FileErrorDetail(file, error ? error : EIO));
}
} // namespace

CChangeJournal::CChangeJournal(std::string writeBackKind) : m_strWriteBackKind(std::move(writeBackKind)) {}

CChangeJournal::~CChangeJournal() = default;

std::unique_ptr<CBankJournal> CChangeJournal::ReadJournal(const std::filesystem::path& bank)
{
    IFileSystem& fs = GetFileSystem();
    m_pJournal.reset();
    m_bUnchanged = false;
    auto journal = std::make_unique<CBankJournal>(fs, CBankJournal::BankKey(fs, bank));
    int error = 0;
    if (journal->Read(error))
        return journal;
    ReportJournalFailure(journal->File(), error);
    return nullptr;
}

int CChangeJournal::BeginWriteBack(const std::filesystem::path& path, int handle, const FILESTAT& stat,
                                   const std::vector<BANKSPAN>& spans, const std::string& summary)
{
    IFileSystem& fs = GetFileSystem();
    std::unique_ptr<CBankJournal> journal = ReadJournal(path);
    if (!journal)
        return 0;
    // A bank in a state the journal or this run knows by its identity is not read again: the
    // digest after the change then costs only the blocks the change touches.
    std::vector<JOURNALSPAN> runs = ChangedRuns(spans);
    uint64_t before = 0, after = 0;
    const bool known = journal->KnownDigest(stat, before) || CachedDigest(journal->Bank(), stat, before);
    if (!DigestChange(fs, handle, stat.nSize, runs, known, before, after))
    {
        ReportJournalFailure(path, fs.LastError());
        return 0;
    }
    if (runs.empty())
    {
        m_bUnchanged = true;
        m_unchangedStat = stat;
        m_nUnchangedDigest = before;
        m_unchangedBank = journal->Bank();
        return 1;
    }
    JOURNALCHANGE change;
    change.strKind = m_strWriteBackKind;
    change.strSummary = m_strWriteBackKind + ": " + summary;
    change.before.nDigest = before;
    change.after.nDigest = after;
    change.spans = std::move(runs);
    return Record(std::move(journal), stat, std::move(change));
}

void CChangeJournal::BeginRepairRead(const REPAIRMOVE& move)
{
    m_pRepairRead = std::make_unique<CRepairDigest>(move.nTo, move.nFrom,
                                                    std::string(reinterpret_cast<const char*>(move.abNew), 18));
}

void CChangeJournal::RepairRead(const unsigned char* bytes, size_t n)
{
    if (m_pRepairRead)
        m_pRepairRead->Add(bytes, n);
}

int CChangeJournal::BeginRepair(const std::filesystem::path& file, const FILESTAT& stat,
                                const std::filesystem::path& repaired, const REPAIRMOVE& move)
{
    IFileSystem& fs = GetFileSystem();
    std::unique_ptr<CBankJournal> journal = ReadJournal(file);
    if (!journal)
        return 0;
    JOURNALCHANGE change;
    change.strKind = "repair";
    change.strSummary = "repair";
    change.bRepair = true;
    change.nTo = move.nTo;
    change.nFrom = move.nFrom;
    change.strOldChunk.assign(reinterpret_cast<const char*>(move.abOld), 18);
    change.strNewChunk.assign(reinterpret_cast<const char*>(move.abNew), 18);
    // Digests of the bank as it is and of the repaired file that is to replace it: the repaired
    // file is the bank with the chunk moved, so both come from the bytes the repair read, or else
    // from one more read of the bank. An undo or redo checks the files against them before
    // writing anything.
    std::unique_ptr<CRepairDigest> read = std::move(m_pRepairRead);
    CFsHandle source(fs, fs.OpenRead(file));
    FILESTAT now, repairedStat;
    bool ok = source.IsOpen() && fs.Stat(source.Get(), now) && fs.StatPath(repaired, repairedStat, false);
    if (ok && (!now.SameFileAs(stat) || repairedStat.nSize != now.nSize))
    {
        fs.SetLastError(kErrChanged);
        ok = false;
    }
    if (ok && read && read->Complete(now.nSize) && read->To() == move.nTo && read->From() == move.nFrom)
    {
        change.before.nDigest = read->Before();
        change.after.nDigest = read->After();
    }
    else
    {
        const bool known = ok && (journal->KnownDigest(now, change.before.nDigest) ||
                                  CachedDigest(journal->Bank(), now, change.before.nDigest));
        ok = ok && DigestRepair(fs, source.Get(), now.nSize, move.nTo, move.nFrom, change.strNewChunk, known,
                                change.before.nDigest, change.after.nDigest);
    }
    if (!ok)
    {
        ReportJournalFailure(file, fs.LastError());
        return 0;
    }
    return Record(std::move(journal), stat, std::move(change));
}

int CChangeJournal::Record(std::unique_ptr<CBankJournal> journal, const FILESTAT& stat, JOURNALCHANGE change)
{
    // An entry left pending or half undone by a crash is settled against the bank as it is now;
    // the journal is then written whole, else the new change is appended to it.
    const bool settled = journal->Settle(stat, change.before.nDigest);
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    change.nTime = std::chrono::duration_cast<std::chrono::seconds>(now).count();
    change.nStamp = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    change.nState = ChangeState::Pending;
    change.before.SetStat(stat);
    m_nChangeId = journal->Add(std::move(change)).nId;
    int error = 0;
    if (!(settled ? journal->Write(error) : journal->WriteAdded(error)))
    {
        ReportJournalFailure(journal->File(), error);
        return 0;
    }
    m_pJournal = std::move(journal);
    return 1;
}

void CChangeJournal::EndChange(bool bMade, const FILESTAT* written)
{
    IFileSystem& fs = GetFileSystem();
    int error = 0;
    if (m_bUnchanged)
    {
        // The same bytes with a new identity: a change or undo that matched before still does.
        m_bUnchanged = false;
        CBankJournal journal(fs, m_unchangedBank);
        if (!bMade || !written || !journal.Read(error))
            return;
        // Only a state the bank was exactly in before this write takes the new identity.
        int undo = journal.UndoIndex(), redo = journal.RedoIndex();
        if ((undo >= 0 &&
             journal.m_changes[static_cast<size_t>(undo)].after.Matches(m_unchangedStat, m_nUnchangedDigest)) ||
            (redo >= 0 &&
             journal.m_changes[static_cast<size_t>(redo)].before.Matches(m_unchangedStat, m_nUnchangedDigest)))
        {
            journal.Refresh(*written, m_nUnchangedDigest);
            journal.Write(error);
        }
        RememberDigest(m_unchangedBank, *written, m_nUnchangedDigest);
        return;
    }
    if (!m_pJournal)
        return;
    std::unique_ptr<CBankJournal> journal = std::move(m_pJournal);
    auto& changes = journal->m_changes;
    for (size_t i = 0; i < changes.size(); ++i)
    {
        if (changes[i].nId != m_nChangeId)
            continue;
        if (!bMade)
        {
            // The write put the bank's bytes back: the change below still holds, under the
            // identity the bank has now.
            changes.erase(changes.begin() + static_cast<long>(i));
            FILESTAT stat;
            uint64_t digest = 0;
            if (DigestPath(fs, journal->Bank(), stat, digest))
                journal->Refresh(stat, digest);
        }
        else
        {
            // A change made whose result is unknown stays pending, settled later by digest; so
            // does one whose confirmation cannot be written.
            if (written)
            {
                RememberDigest(journal->Bank(), *written, changes[i].after.nDigest);
                journal->Confirm(m_nChangeId, *written);
            }
            return;
        }
        journal->Write(error);
        return;
    }
}

CJournalScope::CJournalScope(std::string writeBackKind)
    : m_journal(std::move(writeBackKind)), m_scope(BankChangeHookSlot(), &m_journal)
{
}

std::string ChangeTimeText(int64_t time)
{
    std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

unsigned ChangeKindId(const std::string& kind)
{
    if (kind == "repair")
        return IDS_KIND_REPAIR;
    if (kind == "set")
        return IDS_KIND_SET;
    return IDS_KIND_INSPECTOR;
}
