// Repair of banks converted from the TTS format: some bank loaders refuse a bank whose TTMA
// chunk stands in front of its priority chunk, so the priority chunk is moved in front of it.
// The bank is never rewritten in place: the repaired bytes go to "<path>.new", are flushed,
// read back and checked, and only then renamed over the bank in one step.
#include "soundbank/SoundBank.h"

#include "base/ByteCodec.h"
#include "base/ByteSource.h"
#include "base/FileSystem.h"
#include "base/ReplaceFile.h"
#include "base/WriterLock.h"
#include "base/SignalGuard.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "soundbank/BankChangeHook.h"
#include "soundbank/BankName.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// The rest of the bank is copied through one buffer of this size.
constexpr size_t kRepairBlock = 51200;

bool IsOneOf(const unsigned char* id, const char* a, const char* b)
{
    return std::memcmp(id, a, 4) == 0 || std::memcmp(id, b, 4) == 0;
}

// Copies source bytes [from, to) to the end of the target, holes as holes.
bool CopyRange(IFileSystem& fs, int source, uint64_t from, uint64_t to, CReplacingFile& target, uint64_t& out,
               std::vector<unsigned char>& buffer, const CopyObserver& seen)
{
    if (!CopySparseRange(fs, source, from, to, target, out, buffer, seen))
        return false;
    out += to - from;
    return true;
}

// True when the source bytes [offset, offset + n) equal data.
bool SameAsFile(IFileSystem& fs, int source, uint64_t offset, const unsigned char* data, uint64_t n,
                std::vector<unsigned char>& buffer)
{
    for (uint64_t done = 0; done < n;)
    {
        size_t step = static_cast<size_t>(std::min<uint64_t>(buffer.size(), n - done));
        if (!ReadExactly(fs, source, offset + done, buffer.data(), step) ||
            std::memcmp(buffer.data(), data + done, step) != 0)
            return false;
        done += step;
    }
    return true;
}

bool SameEntries(const std::vector<IMAPENTRY>& a, const std::vector<IMAPENTRY>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const IMAPENTRY& x, const IMAPENTRY& y)
                      {
                          return x.wProgram == y.wProgram && x.byVariation == y.byVariation &&
                                 std::equal(x.abRest, x.abRest + 3, y.abRest);
                      });
}
} // namespace

int CSoundBank::HandleConvertedBank(const std::filesystem::path& path, const REPAIRPOLICY& policy)
{
    m_nRepairOutcome = RepairDeclined;
    if (policy.nMode == REPAIRPOLICY::Automatic ||
        (policy.nMode == REPAIRPOLICY::Ask && AppMessageBox(IDS_TTSQUESTION, MsgQuestion) == AnswerYes))
    {
        const bool backedUp = !policy.bKeepBackup || MakeBackup(path);
        bool repaired = (backedUp || !policy.bBackupRequired) && RepairTts(path) != 0;
        // The reading of a freshly repaired file never starts another repair. When that reading
        // fails (after its message) the bank holds nothing from the file, and the load fails too:
        // its chunk positions are no longer those of the file.
        if (repaired && !Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        {
            m_nRepairOutcome = RepairDone;
            return 0;
        }
        m_nRepairOutcome = repaired ? RepairDone : RepairFailed;
    }
    // Whatever happened, the bank holds no TTMA data any more and keeps its path, so that its
    // edits can still be saved.
    FreeTtma();
    m_strPathName = path.string();
    return 1;
}

int CSoundBank::RepairTts(const std::filesystem::path& path)
{
    IFileSystem& fs = GetFileSystem();
    // No other writer of this program acts between the checks below and the rename.
    CWriterLock lock(fs);
    if (!LockForWriting(lock, path))
        return 0;

    // Where the TTMA identifier (ttma) and the priority identifier (prio) begin. The priority
    // chunk must start at or after the end of the TTMA chunk, or there is no middle to keep.
    const uint64_t ttma = m_dwTtmaPos >= 8 ? m_dwTtmaPos - 8 : 0;
    const uint64_t ttmaEnd = static_cast<uint64_t>(m_dwTtmaPos) + m_dwTtmaSize;
    const uint64_t prio = m_dwPrioPos >= 8 ? m_dwPrioPos - 8 : 0;
    if (!m_pTtmaData || m_dwTtmaPos < 8 || m_dwPrioPos < 8 || prio < ttmaEnd)
    {
        AppMessageBox(IDS_CANTREPAIR, MsgStop);
        return 0;
    }

    // A link stays a link: the file it leads to is the one repaired, beside itself.
    const std::filesystem::path file = fs.ResolveLinks(path);
    auto fail = [&](unsigned id, int error)
    {
        AppMessageBoxDetail(id, MsgStop, error ? FileErrorDetail(file, error) : std::string());
        return 0;
    };
    CFsHandle source(fs, fs.OpenRead(file));
    FILESTAT stat;
    if (!source.IsOpen() || !fs.Stat(source.Get(), stat))
        return fail(IDS_CANTOPENFILE, fs.LastError());
    // The owner made a file without any write permission read-only on purpose.
    if ((stat.nMode & 0222) == 0)
        return fail(IDS_CANTOPENFILE, kErrReadOnly);
    if (m_bKnowsFile && !stat.SameFileAs(m_fileStat))
        return fail(IDS_CANTOPENFILE, kErrChanged);

    // The name, priority and TTMA data are written from memory; the file must still hold them
    // where they were read, or it has changed since the load and is not touched.
    std::vector<unsigned char> buffer(kRepairBlock);
    const std::string name = PadBankName(m_strBankName);
    unsigned char prioChunk[18];
    std::memcpy(prioChunk, "PRIO", 4);
    PutLe32(prioChunk + 4, 10);
    std::memcpy(prioChunk + 8, name.data(), 8);
    PutLe16(prioChunk + 16, m_wPriority);
    unsigned char ttmaHead[8];
    std::memcpy(ttmaHead, "TTMA", 4);
    PutLe32(ttmaHead + 4, m_dwTtmaSize);

    unsigned char found[18];
    if (!ReadExactly(fs, source.Get(), ttma, found, 8) || std::memcmp(found, ttmaHead, 8) != 0 ||
        !SameAsFile(fs, source.Get(), m_dwTtmaPos, m_pTtmaData.get(), m_dwTtmaSize, buffer) ||
        !ReadExactly(fs, source.Get(), prio, found, 4) || !IsOneOf(found, "PRIO", "TTPR"))
        return fail(IDS_CANTOPENFILE, kErrChanged);
    if (stat.nSize < prio + 18)
        return fail(IDS_CANTREPAIR, 0); // the priority chunk is cut off by the end of the file
    if (!ReadExactly(fs, source.Get(), prio, found, 18) || std::memcmp(found + 8, prioChunk + 8, 10) != 0)
        return fail(IDS_CANTOPENFILE, kErrChanged);

    CReplacingFile target(fs, file);
    if (!target.Create(stat.nMode, &stat))
        return fail(IDS_CANTOPENFILE, target.Error());

    // The change journal is told the move, and every byte of the bank as the copy reads it (the
    // TTMA chunk from memory, which the file was just found to hold).
    REPAIRMOVE move;
    move.nTo = ttma;
    move.nFrom = prio;
    std::memcpy(move.abOld, found, 18);
    std::memcpy(move.abNew, prioChunk, 18);
    IBankChangeHook& hook = BankChangeHookSlot().Get();
    hook.BeginRepairRead(move);
    const CopyObserver seen = [&hook](const unsigned char* bytes, size_t n) { hook.RepairRead(bytes, n); };

    // prefix, priority chunk, TTMA chunk, middle, rest: the source's priority chunk (18 bytes)
    // moves in front of the TTMA chunk, everything else keeps its content and order.
    int error = 0;
    {
        CSignalGuard signals; // a file-size limit fails the write instead of killing the program
        uint64_t out = 0;
        bool ok = CopyRange(fs, source.Get(), 0, ttma, target, out, buffer, seen);
        ok = ok && target.Write(out, prioChunk, sizeof prioChunk);
        out += sizeof prioChunk;
        ok = ok && target.Write(out, ttmaHead, sizeof ttmaHead);
        out += sizeof ttmaHead;
        ok = ok && target.Write(out, m_pTtmaData.get(), m_dwTtmaSize);
        out += m_dwTtmaSize;
        hook.RepairRead(ttmaHead, sizeof ttmaHead);
        hook.RepairRead(m_pTtmaData.get(), m_dwTtmaSize);
        ok = ok && CopyRange(fs, source.Get(), ttmaEnd, prio, target, out, buffer, seen);
        hook.RepairRead(found, 18);
        ok = ok && CopyRange(fs, source.Get(), prio + 18, stat.nSize, target, out, buffer, seen);
        ok = ok && target.SetSize(stat.nSize);
        ok = ok && target.Finish();
        if (!ok)
            error = target.Error() ? target.Error() : fs.LastError();
        ok = source.Close() && ok;
        if (!ok && !error)
            error = fs.LastError();
    }
    if (error)
        return fail(IDS_CANTOPENFILE, error);

    // Identifier letters inside the moved bytes could make the new file read differently (for
    // one, a prefix ending in "TT" followed by "PRIO" reads as "TTPR"); such a file never
    // replaces the bank.
    std::unique_ptr<CByteSource> written = fs.OpenSource(target.TempPath());
    if (!written)
        return fail(IDS_CANTOPENFILE, fs.LastError());
    bool same = ReadsAsRepaired(*written, target.TempPath());
    written.reset();
    if (!same)
        return fail(IDS_CANTREPAIR, 0);
    // The change journal records the move before the repaired file replaces the bank.
    if (!hook.BeginRepair(file, stat, target.TempPath(), move))
        return 0;
    // The bank must still be the file that was read right up to the rename.
    if (!target.Commit(&stat))
    {
        hook.EndChange(false, nullptr);
        if (target.Error() == kErrChanged)
            return fail(IDS_CANTOPENFILE, kErrChanged);
        // A complete, checked repair whose rename failed is kept for the user.
        target.Keep();
        AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop,
                            FileErrorDetail(file, target.Error()) + "; the repaired bank is kept as " +
                                target.TempPath().string());
        return 0;
    }
    FILESTAT repaired;
    const bool known = fs.StatPath(file, repaired);
    hook.EndChange(true, known ? &repaired : nullptr);
    return 1;
}

bool CSoundBank::ReadsAsRepaired(CByteSource& file, const std::filesystem::path& path) const
{
    CSoundBank check;
    check.m_bKeepLists = m_bKeepLists;
    if (check.ReadChunks(file, path) != ReadResult::Plain)
        return false;
    // The TTMA chunk moved 18 bytes on; past the reader's reach it is no longer found at all.
    const uint64_t ttma = m_dwTtmaPos - 8;
    bool ttmaMoved =
        ttma + 18 <= kTtmaScanLimit
            ? check.m_dwTtmaPos == ttma + 26 && check.m_dwTtmaSize == m_dwTtmaSize &&
                  std::equal(m_pTtmaData.get(), m_pTtmaData.get() + m_dwTtmaSize, check.m_pTtmaData.get())
            : check.m_dwTtmaPos == 0;
    return check.m_dwPrioPos == ttma + 8 && ttmaMoved && check.m_strBankName == PadBankName(m_strBankName) &&
           check.m_wPriority == m_wPriority && check.m_nInstrumentCount == m_nInstrumentCount &&
           check.m_nDrumsetCount == m_nDrumsetCount && check.m_nEntryDigest == m_nEntryDigest &&
           SameEntries(check.m_arrInstruments, m_arrInstruments) && SameEntries(check.m_arrDrumsets, m_arrDrumsets);
}
