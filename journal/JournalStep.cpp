// Undo and redo: a write-back is reversed by writing its spans' other bytes in place; a repair by
// moving the priority chunk back through a file renamed over the bank, the way the repair moved
// it. Each step first checks that the bank is exactly as the journal says (identity and digest),
// records that it is under way, and checks the rewritten file's digest before it replaces the bank.
#include "journal/ChangeJournal.h"

#include "base/ReplaceFile.h"
#include "base/SignalGuard.h"
#include "base/WriterLock.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "soundbank/SoundBank.h"

#include <algorithm>
#include <cstring>

namespace
{
// Repairs and their undoing copy the bank through one buffer of the repair's size.
constexpr size_t kMoveBlock = 51200;

// Writes the spans' bytes of one side (bUndo: the old ones) in place. 0 with error set.
int WriteSpansBack(IFileSystem& fs, const std::filesystem::path& bank, const FILESTAT& expected,
                   const JOURNALCHANGE& change, bool bUndo, FILESTAT& written, int& error)
{
    CFsHandle file(fs, fs.OpenReadWrite(bank));
    FILESTAT stat;
    if (!file.IsOpen() || !fs.Stat(file.Get(), stat))
        return error = fs.LastError(), 0;
    if ((stat.nMode & 0222) == 0)
        return error = kErrReadOnly, 0;
    if (!stat.SameFileAs(expected))
        return error = kErrChanged, 0;
    std::vector<BANKSPAN> spans;
    for (const JOURNALSPAN& run : change.spans)
    {
        const std::string& from = bUndo ? run.strNew : run.strOld;
        const std::string& to = bUndo ? run.strOld : run.strNew;
        BANKSPAN span;
        span.nStart = run.nAt;
        span.original.resize(from.size());
        if (!ReadExactly(fs, file.Get(), run.nAt, span.original.data(), span.original.size()))
            return error = fs.LastError() ? fs.LastError() : kErrShort, 0;
        if (std::memcmp(span.original.data(), from.data(), from.size()) != 0)
            return error = kErrChanged, 0;
        span.updated.assign(to.begin(), to.end());
        spans.push_back(std::move(span));
    }
    bool known = false;
    if (!WriteSpansInPlace(fs, file, bank, spans, written, known, error))
        return 0;
    if (!known && !fs.StatPath(bank, written))
        return error = fs.LastError() ? fs.LastError() : EIO, 0;
    if (PathLeadsElsewhere(fs, bank, written))
        return error = kErrReplaced, 0;
    return 1;
}

// Moves the priority chunk back (bUndo) or again in front of the TTMA chunk, through a file
// beside the bank that replaces it once its digest is the one expected. 0 with error set.
int MoveChunk(IFileSystem& fs, const std::filesystem::path& bank, const FILESTAT& expected, const JOURNALCHANGE& change,
              bool bUndo, uint64_t digest, FILESTAT& written, int& error)
{
    CFsHandle source(fs, fs.OpenRead(bank));
    FILESTAT stat;
    if (!source.IsOpen() || !fs.Stat(source.Get(), stat))
        return error = fs.LastError(), 0;
    if ((stat.nMode & 0222) == 0)
        return error = kErrReadOnly, 0;
    if (!stat.SameFileAs(expected))
        return error = kErrChanged, 0;
    const uint64_t to = change.nTo, from = change.nFrom;
    if (stat.nSize < from + 18)
        return error = kErrChanged, 0;
    // The chunk must stand where this step takes it from.
    unsigned char found[18];
    const std::string& moved = bUndo ? change.strNewChunk : change.strOldChunk;
    if (!ReadExactly(fs, source.Get(), bUndo ? to : from, found, 18) || std::memcmp(found, moved.data(), 18) != 0)
        return error = fs.LastError() ? fs.LastError() : kErrChanged, 0;

    CReplacingFile target(fs, bank);
    if (!target.Create(stat.nMode, &stat))
        return error = target.Error(), 0;
    std::vector<unsigned char> buffer(kMoveBlock);
    bool ok;
    {
        CSignalGuard signals; // a file-size limit fails the write instead of killing the program
        ok = CopySparseRange(fs, source.Get(), 0, to, target, 0, buffer);
        if (bUndo)
        {
            // prefix, TTMA chunk and middle (18 bytes on), the old priority chunk, the rest
            ok = ok && CopySparseRange(fs, source.Get(), to + 18, from + 18, target, to, buffer);
            ok = ok && target.Write(from, change.strOldChunk.data(), 18);
        }
        else
        {
            // prefix, the new priority chunk, TTMA chunk and middle, the rest
            ok = ok && target.Write(to, change.strNewChunk.data(), 18);
            ok = ok && CopySparseRange(fs, source.Get(), to, from, target, to + 18, buffer);
        }
        ok = ok && CopySparseRange(fs, source.Get(), from + 18, stat.nSize, target, from + 18, buffer);
        ok = ok && target.SetSize(stat.nSize) && target.Finish();
    }
    if (!ok)
        return error = target.Error() ? target.Error() : (fs.LastError() ? fs.LastError() : EIO), 0;
    source.Close();
    // The rewritten file must be exactly the bank the journal recorded.
    uint64_t got = 0;
    {
        CFsHandle check(fs, fs.OpenRead(target.TempPath()));
        if (!check.IsOpen() || !DigestFile(fs, check.Get(), stat.nSize, got))
            return error = fs.LastError() ? fs.LastError() : EIO, 0;
    }
    if (got != digest)
        return error = kErrChanged, 0;
    if (!target.Commit(&stat))
        return error = target.Error(), 0;
    if (!fs.StatPath(bank, written))
        return error = fs.LastError() ? fs.LastError() : EIO, 0;
    return 1;
}

StepResult Step(const std::filesystem::path& path, bool bUndo, std::string* summary)
{
    IFileSystem& fs = GetFileSystem();
    const std::filesystem::path bank = CBankJournal::BankKey(fs, path);
    // No other writer of this program acts between the checks and the end of the write.
    CWriterLock lock(fs);
    if (!CSoundBank::LockForWriting(lock, bank))
        return StepResult::Failed;
    CBankJournal journal(fs, bank);
    int error = 0;
    if (!journal.Read(error))
    {
        AppMessageBoxDetail(IDS_JOURNAL_CANTREAD, MsgStop, FileErrorDetail(journal.File(), error));
        return StepResult::Failed;
    }
    FILESTAT now;
    uint64_t digest = 0;
    if (!DigestPath(fs, bank, now, digest))
    {
        AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, FileErrorDetail(bank, fs.LastError() ? fs.LastError() : EIO));
        return StepResult::Failed;
    }
    const bool settled = journal.Settle(now, digest);
    const int index = bUndo ? journal.UndoIndex() : journal.RedoIndex();
    if (index < 0 || !(bUndo ? journal.m_changes[static_cast<size_t>(index)].after
                             : journal.m_changes[static_cast<size_t>(index)].before)
                          .Matches(now, digest))
    {
        if (settled)
            journal.Write(error);
        if (index < 0)
        {
            AppMessageBox(bUndo ? IDS_UNDO_NOTHING : IDS_REDO_NOTHING, MsgExclamation);
            return StepResult::Nothing;
        }
        AppMessageBoxDetail(bUndo ? IDS_UNDO_CHANGED : IDS_REDO_CHANGED, MsgExclamation, bank.string());
        return StepResult::Changed;
    }
    if (summary)
        *summary = ChangeSummaryText(journal.m_changes[static_cast<size_t>(index)]);

    // The step is recorded as under way first: a crash in the middle is settled by digest.
    // Writing drops the oldest changes beyond the journal's bounds, which moves the others (and
    // may drop this one from a journal over its bound): the change is looked up again.
    journal.m_changes[static_cast<size_t>(index)].nState = bUndo ? ChangeState::Undoing : ChangeState::Redoing;
    const uint64_t id = journal.m_changes[static_cast<size_t>(index)].nId;
    const bool recordedBefore = journal.Write(error);
    auto found = std::find_if(journal.m_changes.begin(), journal.m_changes.end(),
                              [id](const JOURNALCHANGE& c) { return c.nId == id; });
    if (!recordedBefore || found == journal.m_changes.end())
    {
        // Written without the change: the change alone is larger than the journal may be.
        if (recordedBefore)
            error = kErrTooLarge;
        AppMessageBoxDetail(IDS_JOURNAL_CANTWRITE, MsgStop, FileErrorDetail(journal.File(), error ? error : EIO));
        return StepResult::Failed;
    }
    JOURNALCHANGE& change = *found;
    FILESTATE& target = bUndo ? change.before : change.after;
    FILESTAT written;
    const int ok = change.bRepair ? MoveChunk(fs, bank, now, change, bUndo, target.nDigest, written, error)
                                  : WriteSpansBack(fs, bank, now, change, bUndo, written, error);
    bool done = ok != 0;
    if (!done)
    {
        // A failed step puts the bank's bytes back, or fails only after it was made: the bank as
        // it now is decides, and its new identity is taken where its bytes are the journal's.
        FILESTAT stat;
        uint64_t digestNow = 0;
        if (DigestPath(fs, bank, stat, digestNow))
        {
            done = digestNow == target.nDigest;
            written = stat;
            if (!done)
            {
                change.nState = bUndo ? ChangeState::Done : ChangeState::Undone;
                journal.Refresh(stat, digestNow);
            }
        }
        else
            change.nState = bUndo ? ChangeState::Done : ChangeState::Undone;
    }
    if (done)
    {
        change.nState = bUndo ? ChangeState::Undone : ChangeState::Done;
        target.SetStat(written);
        RememberDigest(bank, written, target.nDigest);
        // The bank is now also as the change below left it, or as the undo of the one above it
        // left it: the next undo or redo starts from this file.
        journal.Refresh(written, target.nDigest);
    }
    // A confirmation that cannot be written leaves the step under way, settled by digest later;
    // the step is made, but the user hears that it was not recorded.
    int journalError = 0;
    const bool recorded = journal.Write(journalError);
    if (!done)
    {
        AppMessageBoxDetail(bUndo ? IDS_UNDO_FAILED : IDS_REDO_FAILED, MsgStop,
                            FileErrorDetail(bank, error ? error : EIO));
        return StepResult::Failed;
    }
    if (!recorded)
    {
        AppMessageBoxDetail(bUndo ? IDS_UNDO_UNRECORDED : IDS_REDO_UNRECORDED, MsgStop,
                            FileErrorDetail(journal.File(), journalError ? journalError : EIO));
        return StepResult::Unrecorded;
    }
    return StepResult::Done;
}
} // namespace

StepResult UndoLastChange(const std::filesystem::path& bank, std::string* summary)
{
    return Step(bank, true, summary);
}

StepResult RedoLastChange(const std::filesystem::path& bank, std::string* summary)
{
    return Step(bank, false, summary);
}

bool GetJournalStatus(const std::filesystem::path& path, JOURNALSTATUS& status, bool bCached, bool bMessages)
{
    IFileSystem& fs = GetFileSystem();
    status = JOURNALSTATUS();
    const std::filesystem::path bank = CBankJournal::BankKey(fs, path);
    CBankJournal journal(fs, bank);
    int error = 0;
    if (!journal.Read(error))
    {
        if (bMessages)
            AppMessageBoxDetail(IDS_JOURNAL_CANTREAD, MsgStop, FileErrorDetail(journal.File(), error));
        return false;
    }
    FILESTAT now;
    uint64_t digest = 0;
    // For menus, a state the journal recorded under the bank's identity needs no reading.
    const bool readable =
        !journal.m_changes.empty() && ((bCached && fs.StatPath(bank, now) && journal.KnownDigest(now, digest)) ||
                                       DigestPath(fs, bank, now, digest, bCached));
    if (readable)
        journal.Settle(now, digest);
    status.changes = journal.m_changes;
    status.nUndo = journal.UndoIndex();
    status.nRedo = journal.RedoIndex();
    status.bCanUndo =
        readable && status.nUndo >= 0 && status.changes[static_cast<size_t>(status.nUndo)].after.Matches(now, digest);
    status.bCanRedo =
        readable && status.nRedo >= 0 && status.changes[static_cast<size_t>(status.nRedo)].before.Matches(now, digest);
    return true;
}
