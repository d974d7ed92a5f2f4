// Writing edited values back into a bank file in place: name, priority and the program and
// variation of every entry, at the positions they were read from. Nothing is added, removed
// or moved, and a write that fails puts the bytes it replaced back.
#include "soundbank/SoundBank.h"

#include "base/ByteCodec.h"
#include "base/FileSystem.h"
#include "base/SignalGuard.h"
#include "base/WriterLock.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "soundbank/BankChangeHook.h"
#include "soundbank/BankName.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// Priority and mapping chunks closer together than this are written through one buffer.
constexpr uint64_t kJoinGap = 64 * 1024;

// True when the n bytes at offset are a or b.
bool HoldsOneOf(IFileSystem& fs, int handle, uint64_t offset, const char* a, const char* b, size_t n = 4)
{
    unsigned char found[4];
    return ReadExactly(fs, handle, offset, found, n) &&
           (!std::memcmp(found, a, n) || !std::memcmp(found, b, n));
}

// Writes the original bytes of every span back and flushes them.
void RestoreSpans(IFileSystem& fs, const std::filesystem::path& path, const std::vector<BANKSPAN>& spans)
{
    CFsHandle file(fs, fs.OpenReadWrite(path));
    if (!file.IsOpen())
        return;
    for (const BANKSPAN& span : spans)
        fs.WriteAt(file.Get(), span.nStart, span.original.data(), span.original.size());
    fs.Sync(file.Get());
    file.Close();
}

std::string NameText(const unsigned char* bytes)
{
    std::string raw(reinterpret_cast<const char*>(bytes), 8);
    return "\"" + Cp1252ToUtf8(BankNameText(raw)) + "\"";
}

// "priority 64 → 50, 3 entries": what a write-back changes, for the change journal.
std::string DescribeChange(const BANKSPAN& head, uint64_t prioPos, const std::vector<BANKSPAN>& spans,
                           const std::vector<uint64_t>& entryPositions)
{
    std::string text;
    auto add = [&](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    const unsigned char* oldName = head.original.data() + (prioPos - head.nStart);
    const unsigned char* newName = head.updated.data() + (prioPos - head.nStart);
    if (std::memcmp(oldName, newName, 8) != 0)
        add("name " + NameText(oldName) + " \u2192 " + NameText(newName));
    uint16_t oldPriority = GetLe16(oldName + 8), newPriority = GetLe16(newName + 8);
    if (oldPriority != newPriority)
        add("priority " + std::to_string(oldPriority) + " \u2192 " + std::to_string(newPriority));
    size_t entries = 0;
    for (uint64_t pos : entryPositions)
        for (const BANKSPAN& span : spans)
            if (pos >= span.nStart && pos + 3 <= span.nStart + span.updated.size())
            {
                size_t at = static_cast<size_t>(pos - span.nStart);
                entries += std::memcmp(span.original.data() + at, span.updated.data() + at, 3) != 0;
                break;
            }
    if (entries)
        add(std::to_string(entries) + (entries == 1 ? " entry" : " entries"));
    return text.empty() ? "no values changed" : text;
}
} // namespace

int WriteSpansInPlace(IFileSystem& fs, CFsHandle& file, const std::filesystem::path& path,
                      const std::vector<BANKSPAN>& spans, FILESTAT& written, bool& known, int& error)
{
    const int h = file.Get();
    // Stop signals wait until the spans are written or undone: a bank is never left half new.
    CSignalGuard signals(true);
    bool ok = true;
    for (const BANKSPAN& span : spans)
        ok = ok && fs.WriteAt(h, span.nStart, span.updated.data(), span.updated.size());
    ok = ok && fs.Sync(h);
    error = ok ? 0 : fs.LastError();
    known = ok && fs.Stat(h, written);
    ok = file.Close() && ok;
    if (!ok)
    {
        // A failed or unconfirmed write is undone, so the file holds either the old values or
        // the new ones, never a mixture.
        if (!error)
            error = fs.LastError();
        if (!error)
            error = EIO;
        RestoreSpans(fs, path, spans);
        return 0;
    }
    return 1;
}

int CSoundBank::SaveInPlace()
{
    IFileSystem& fs = GetFileSystem();
    const std::filesystem::path path = m_strPathName;
    // No other writer of this program acts between the checks below and the end of the write.
    CWriterLock lock(fs);
    if (!path.empty() && !LockForWriting(lock, path))
        return 0;
    CFsHandle file(fs,
                   m_strPathName.empty() || m_dwPrioPos < 8 || m_dwImapPos < 8 ? -1 : fs.OpenReadWrite(path));
    FILESTAT stat;
    auto fail = [&](int error)
    {
        AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, FileErrorDetail(path, error ? error : EIO));
        return 0;
    };
    if (!file.IsOpen() || !fs.Stat(file.Get(), stat))
        return fail(m_strPathName.empty() ? ENOENT : fs.LastError());
    // A file without any write permission bit was made read-only by its owner on purpose, and
    // one replaced or changed by another program since it was read would get old values back.
    if ((stat.nMode & 0222) == 0)
        return fail(kErrReadOnly);
    if (m_bKnowsFile && !stat.SameFileAs(m_fileStat))
        return fail(kErrChanged);

    // The values to write, in file order of the two chunks: name and priority, then program
    // and variation of each instrument and each drum set (their other bytes and the list
    // terminators are left alone).
    struct PATCH
    {
        uint64_t nPos;
        unsigned char abBytes[8];
        size_t nCount;
    };
    std::vector<PATCH> patches;
    PATCH name{m_dwPrioPos, {}, 8};
    std::memcpy(name.abBytes, PadBankName(m_strBankName).data(), 8);
    patches.push_back(name);
    PATCH priority{m_dwPrioPos + 8ull, {}, 2};
    PutLe16(priority.abBytes, m_wPriority);
    patches.push_back(priority);
    const uint64_t drums = m_dwImapPos + 6ull * m_arrInstruments.size() + 2;
    auto addEntries = [&](const std::vector<IMAPENTRY>& list, uint64_t start)
    {
        for (size_t i = 0; i < list.size(); ++i)
        {
            PATCH entry{start + 6ull * i, {}, 3};
            PutLe16(entry.abBytes, list[i].wProgram);
            entry.abBytes[2] = list[i].byVariation;
            patches.push_back(entry);
        }
    };
    addEntries(m_arrInstruments, m_dwImapPos);
    addEntries(m_arrDrumsets, drums);

    // One span for the priority data and one for the entries, joined when they lie close.
    std::vector<BANKSPAN> spans(1);
    spans[0].nStart = m_dwPrioPos;
    uint64_t end0 = m_dwPrioPos + 10ull;
    if (patches.size() > 2)
    {
        uint64_t start1 = m_dwImapPos;
        uint64_t end1 = patches.back().nPos + 3;
        if (start1 <= end0 + kJoinGap && spans[0].nStart <= end1 + kJoinGap)
        {
            spans[0].nStart = std::min<uint64_t>(spans[0].nStart, start1);
            end0 = std::max(end0, end1);
        }
        else
        {
            spans.push_back(BANKSPAN{start1, {}, {}});
            spans[1].original.resize(static_cast<size_t>(end1 - start1));
        }
    }
    spans[0].original.resize(static_cast<size_t>(end0 - spans[0].nStart));

    // The file must still be the one that was read: chunk identifiers in place, long enough
    // for the last byte written, and (with drum sets) the instrument list still ending where
    // it ended. Otherwise nothing is written.
    uint64_t last = 0;
    for (const BANKSPAN& span : spans)
        last = std::max<uint64_t>(last, span.nStart + span.original.size());
    const int h = file.Get();
    // A file this short is the one read (its identity was checked above): it ended early.
    if (stat.nSize < last)
        return fail(kErrShort);
    bool ok = HoldsOneOf(fs, h, m_dwPrioPos - 8ull, "PRIO", "TTPR") &&
              HoldsOneOf(fs, h, m_dwImapPos - 8ull, "IMAP", "TTIM") &&
              (m_arrDrumsets.empty() || HoldsOneOf(fs, h, drums - 2, "\xFF\xFF", "\xFF\xFF", 2));
    for (BANKSPAN& span : spans)
        ok = ok && ReadExactly(fs, h, span.nStart, span.original.data(), span.original.size());
    if (!ok)
        return fail(kErrChanged);

    for (BANKSPAN& span : spans)
        span.updated = span.original;
    for (const PATCH& patch : patches)
        for (BANKSPAN& span : spans)
            if (patch.nPos >= span.nStart && patch.nPos + patch.nCount <= span.nStart + span.updated.size())
                std::memcpy(span.updated.data() + (patch.nPos - span.nStart), patch.abBytes, patch.nCount);

    // The change journal records the change before it is made; when it cannot, nothing is written.
    IBankChangeHook& hook = BankChangeHookSlot().Get();
    std::vector<uint64_t> entryPositions;
    for (size_t p = 2; p < patches.size(); ++p)
        entryPositions.push_back(patches[p].nPos);
    if (!hook.BeginWriteBack(path, h, stat, spans, DescribeChange(spans[0], m_dwPrioPos, spans, entryPositions)))
        return 0;
    int error = 0;
    FILESTAT written;
    bool known = false;
    if (!WriteSpansInPlace(fs, file, path, spans, written, known, error))
    {
        hook.EndChange(false, nullptr);
        return fail(error);
    }
    hook.EndChange(true, known ? &written : nullptr);
    // A bank renamed over while it was written holds nothing of this save: the values went to
    // the file that was replaced.
    if (known && PathLeadsElsewhere(fs, path, written))
        return fail(kErrReplaced);
    // The file as this save left it is the one a later save may write to.
    m_fileStat = written;
    m_bKnowsFile = known;
    return 1;
}

bool CSoundBank::ChangedSinceRead() const
{
    FILESTAT now;
    if (!m_bKnowsFile || m_strPathName.empty() || !GetFileSystem().StatPath(m_strPathName, now))
        return false;
    return !now.SameFileAs(m_fileStat);
}

int CSoundBank::LockForWriting(CWriterLock& lock, const std::filesystem::path& path)
{
    if (lock.AcquireUnlessHeld(path))
        return 1;
    AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, FileErrorDetail(path, lock.Error()));
    return 0;
}

int CSoundBank::MakeBackup(const std::filesystem::path& path)
{
    std::filesystem::path backup = path;
    backup += ".bak";
    IFileSystem& fs = GetFileSystem();
    if (path.empty() || !CopyFileReplacing(fs, path, backup))
    {
        AppMessageBoxDetail(IDS_CANTBACKUP, MsgStop, FileErrorDetail(backup, path.empty() ? ENOENT : fs.LastError()));
        return 0;
    }
    return 1;
}

int CSoundBank::SaveWithBackup(bool bKeepBackup)
{
    if (bKeepBackup)
        MakeBackup(m_strPathName);
    return SaveInPlace();
}
