// Reading a soundbank: the PRIO (or TTPR), IMAP (or TTIM) and TTMA chunks are found by their
// identifiers anywhere in the file; nothing else in the file is interpreted.
#include "soundbank/SoundBank.h"

#include "base/ByteCodec.h"
#include "base/ByteSource.h"
#include "base/FileSystem.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "soundbank/ChunkScan.h"

#include <algorithm>
#include <cctype>

namespace
{
// Positions are kept as 32-bit values; identifiers further on than this are out of reach.
constexpr uint64_t kMaxChunkStart = 0xFFFFFFFFull - 8;

} // namespace

void CSoundBank::Clear()
{
    m_strBankName.clear();
    m_wPriority = 0;
    m_arrInstruments.clear();
    m_arrDrumsets.clear();
    m_nInstrumentCount = 0;
    m_nDrumsetCount = 0;
    m_nEntryDigest = 0;
    m_dwImapPos = 0;
    m_dwPrioPos = 0;
    m_dwTtmaPos = 0;
    FreeTtma();
}

void CSoundBank::FreeTtma()
{
    m_pTtmaData.reset();
    m_dwTtmaSize = 0;
}

int CSoundBank::Load(const std::filesystem::path& path, const REPAIRPOLICY& policy)
{
    Clear();
    m_nRepairOutcome = RepairNone;
    m_bKnowsFile = false;
    ReadResult result;
    {
        IFileSystem& fs = GetFileSystem();
        std::unique_ptr<CByteSource> file = fs.OpenSource(path);
        if (!file)
        {
            AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, FileErrorDetail(path, fs.LastError()));
            return 0;
        }
        result = ReadChunks(*file, path);
        m_bKnowsFile = file->GetFileStat(m_fileStat);
    } // the file is closed before a repair rewrites it
    return FinishLoad(result, path, policy);
}

int CSoundBank::LoadFrom(CByteSource& source, const std::filesystem::path& path, const REPAIRPOLICY& policy)
{
    m_nRepairOutcome = RepairNone;
    m_bKnowsFile = false;
    return FinishLoad(ReadChunks(source, path), path, policy);
}

CSoundBank::ReadResult CSoundBank::ReadChunks(CByteSource& source, const std::filesystem::path& path)
{
    Clear();
    if (!FindPrioAndImap(source))
    {
        const bool noPrio = m_dwPrioPos == 0;
        // A file larger than the positions reach may hold the chunk further on: say so, rather
        // than that it is missing.
        if (source.Size() > kMaxChunkStart &&
            (noPrio ? ScanForChunkId(source, "PRIO", "TTPR") : ScanForChunkId(source, "IMAP", "TTIM")) != kNoChunk)
            return noPrio ? ReadResult::PrioBeyond4GB : ReadResult::ImapBeyond4GB;
        return noPrio ? ReadResult::NoPrio : ReadResult::NoImap;
    }
    if (FindTtma(source) && IsConvertedBank(path))
        return ReadResult::Converted;
    return ReadResult::Plain;
}

int CSoundBank::FinishLoad(ReadResult result, const std::filesystem::path& path, const REPAIRPOLICY& policy)
{
    switch (result)
    {
    case ReadResult::NoPrio:
        AppMessageBox(IDS_NOPRIOCHUNK, MsgStop);
        return 0;
    case ReadResult::NoImap:
        AppMessageBox(IDS_NOIMAPCHUNK, MsgStop);
        return 0;
    case ReadResult::PrioBeyond4GB:
    case ReadResult::ImapBeyond4GB:
        AppMessageBoxText(FormatStringId(IDS_CHUNKBEYOND4GB, {result == ReadResult::PrioBeyond4GB ? "PRIO" : "IMAP"}),
                          MsgStop);
        return 0;
    case ReadResult::Converted:
        return HandleConvertedBank(path, policy);
    case ReadResult::Plain:
        break;
    }
    m_strPathName = path.string();
    return 1;
}

int CSoundBank::FindPrio(CByteSource& source)
{
    return ReadPrio(source, ScanForChunkId(source, "PRIO", "TTPR", kMaxChunkStart));
}

int CSoundBank::FindImap(CByteSource& source)
{
    return ReadImap(source, ScanForChunkId(source, "IMAP", "TTIM", kMaxChunkStart));
}

int CSoundBank::FindPrioAndImap(CByteSource& source)
{
    CHUNKSTARTS starts = ScanForChunkIds(source, {"PRIO", "TTPR"}, {"IMAP", "TTIM"}, kMaxChunkStart);
    if (!ReadPrio(source, starts.first))
    {
        m_dwPrioPos = 0;
        return 0;
    }
    return ReadImap(source, starts.second);
}

int CSoundBank::ReadPrio(CByteSource& source, uint64_t at)
{
    if (at == kNoChunk)
        return 0;
    m_dwPrioPos = static_cast<uint32_t>(at + 8);
    unsigned char data[10];
    source.ReadZeroFilled(m_dwPrioPos, data, sizeof data);
    m_strBankName.assign(reinterpret_cast<const char*>(data), 8);
    m_wPriority = GetLe16(data + 8);
    return 1;
}

bool CSoundBank::WalkList(CByteSource& source, uint64_t& pos,
                          const std::function<bool(const IMAPENTRY* entries, size_t count)>& visit)
{
    // The list is read a block at a time (a whole number of entries), straight from memory when
    // the source holds its bytes there.
    constexpr size_t kRun = 4096;
    unsigned char raw[kRun * 6];
    IMAPENTRY entries[kRun];
    const unsigned char* data = source.Data();
    const uint64_t size = source.Size();
    for (;;)
    {
        const unsigned char* bytes = raw;
        size_t got;
        if (data)
        {
            got = pos < size ? static_cast<size_t>(std::min<uint64_t>(sizeof raw, size - pos)) : 0;
            bytes = data + pos;
        }
        else
            got = source.ReadAt(pos, raw, sizeof raw);
        size_t at = 0;
        size_t count = 0;
        for (; got - at >= 6; at += 6)
        {
            const unsigned char* p = bytes + at;
            if (p[0] == 0xFF && p[1] == 0xFF)
                break;
            IMAPENTRY& entry = entries[count++];
            entry.wProgram = GetLe16(p);
            entry.byVariation = p[2];
            std::copy(p + 3, p + 6, entry.abRest);
        }
        if (count && !visit(entries, count))
        {
            pos += at;
            return false;
        }
        if (got - at >= 2 && bytes[at] == 0xFF && bytes[at + 1] == 0xFF)
        {
            pos += at + 2; // the terminator is two bytes; the next list starts right after it
            return true;
        }
        if (got < sizeof raw)
        {
            pos = size; // the list runs into the end of the file and ends there
            return true;
        }
        pos += at;
    }
}

int CSoundBank::ReadImap(CByteSource& source, uint64_t at)
{
    if (at == kNoChunk)
        return 0;
    m_dwImapPos = static_cast<uint32_t>(at + 8);
    uint64_t pos = m_dwImapPos;
    auto readInto = [&](std::vector<IMAPENTRY>& list, uint64_t& count)
    {
        WalkList(source, pos,
                 [&](const IMAPENTRY* entries, size_t n)
                 {
                     // FNV-1a over the six bytes of each entry: equal lists give equal digests.
                     uint64_t digest = m_nEntryDigest;
                     for (size_t i = 0; i < n; ++i)
                     {
                         const IMAPENTRY& entry = entries[i];
                         unsigned char bytes[6];
                         PutLe16(bytes, entry.wProgram);
                         bytes[2] = entry.byVariation;
                         std::copy(entry.abRest, entry.abRest + 3, bytes + 3);
                         for (unsigned char b : bytes)
                             digest = (digest ^ b) * 0x100000001B3ull;
                     }
                     m_nEntryDigest = digest;
                     count += n;
                     if (m_bKeepLists)
                         list.insert(list.end(), entries, entries + n);
                     return true;
                 });
    };
    m_nEntryDigest = 0xCBF29CE484222325ull;
    readInto(m_arrInstruments, m_nInstrumentCount);
    readInto(m_arrDrumsets, m_nDrumsetCount);
    return 1;
}

void CSoundBank::ForEachEntryRun(CByteSource& source, const EntryRunVisitor& visit) const
{
    uint64_t pos = m_dwImapPos;
    for (bool drumset : {false, true})
    {
        uint64_t index = 0;
        auto run = [&](const IMAPENTRY* entries, size_t count)
        {
            const bool more = visit(drumset, index, entries, count);
            index += count;
            return more;
        };
        if (!WalkList(source, pos, run))
            return;
    }
}

void CSoundBank::ForEachEntry(CByteSource& source,
                              const std::function<bool(bool bDrumset, uint64_t index, const IMAPENTRY&)>& visit) const
{
    ForEachEntryRun(source,
                    [&](bool drumset, uint64_t first, const IMAPENTRY* entries, size_t count)
                    {
                        for (size_t i = 0; i < count; ++i)
                            if (!visit(drumset, first + i, entries[i]))
                                return false;
                        return true;
                    });
}

int CSoundBank::FindTtma(CByteSource& source)
{
    uint64_t at = ScanForChunkId(source, "TTMA", "TTMA", kTtmaScanLimit);
    if (at == kNoChunk)
        return 0;
    FreeTtma();
    unsigned char length[4];
    source.ReadZeroFilled(at + 4, length, sizeof length);
    uint32_t size = GetLe32(length);
    // A length that reaches past the end of the file cannot be a real chunk: it is ignored,
    // and nothing is allocated for it.
    if (at + 8 + static_cast<uint64_t>(size) > source.Size())
        return 0;
    m_dwTtmaPos = static_cast<uint32_t>(at + 8);
    m_dwTtmaSize = size;
    m_pTtmaData.reset(new unsigned char[size ? size : 1]);
    source.ReadZeroFilled(m_dwTtmaPos, m_pTtmaData.get(), size);
    return 1;
}

void CSoundBank::SetInstrument(int i, uint16_t wProgram, uint8_t byVariation)
{
    m_arrInstruments[static_cast<size_t>(i)].wProgram = wProgram;
    m_arrInstruments[static_cast<size_t>(i)].byVariation = byVariation;
}

void CSoundBank::SetDrumset(int i, uint16_t wProgram, uint8_t byVariation)
{
    m_arrDrumsets[static_cast<size_t>(i)].wProgram = wProgram;
    m_arrDrumsets[static_cast<size_t>(i)].byVariation = byVariation;
}

bool CSoundBank::HasBankExtension(const std::filesystem::path& path)
{
    std::string name = path.string();
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".94b";
}

bool CSoundBank::IsConvertedBank(const std::filesystem::path& path) const
{
    return m_dwTtmaPos != 0 && m_dwTtmaPos < m_dwPrioPos && HasBankExtension(path);
}
