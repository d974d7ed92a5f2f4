// CSoundBank: the name, priority and MIDI mapping lists read from one .94b soundbank, with the
// file positions they came from so that edited values can be written back in place, and the
// repair of banks converted from the TTS format.
#pragma once

#include "base/FileSystem.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CByteSource;

// One mapping entry exactly as its six file bytes: program, variation and three bytes that are
// carried along unchanged.
struct IMAPENTRY
{
    uint16_t wProgram = 0;
    uint8_t byVariation = 0;
    uint8_t abRest[3] = {0, 0, 0};
};

// What a load does with a bank converted from the TTS format. Callers fill it from their
// settings; the reader itself knows no settings.
struct REPAIRPOLICY
{
    enum MODE
    {
        Ask,       // the repair question decides
        Automatic, // repaired without asking
        Never      // left as it is, without asking
    };
    MODE nMode = Ask;
    bool bKeepBackup = false; // copy the bank to "<path>.bak" before repairing it
    bool bBackupRequired = false; // a backup that cannot be made stops the repair (else it goes on)
};

class CWriterLock;

class CSoundBank
{
public:
    CSoundBank() = default;
    CSoundBank(const CSoundBank&) = delete;
    CSoundBank& operator=(const CSoundBank&) = delete;

    // Reads the bank at path (clearing first); a converted bank is treated as policy says.
    // 1 loaded, 0 failed after its message.
    int Load(const std::filesystem::path& path, const REPAIRPOLICY& policy);
    // The same steps over bytes already at hand; path is recorded and decides whether the
    // bank counts as a .94b file.
    int LoadFrom(CByteSource& source, const std::filesystem::path& path, const REPAIRPOLICY& policy);

    // Empties lists and name, zeroes priority and positions, frees the TTMA block; keeps the path.
    void Clear();

    // The three chunk finders; each scans from the start of the data.
    int FindPrio(CByteSource& source);
    int FindImap(CByteSource& source);
    int FindTtma(CByteSource& source);
    // FindPrio and FindImap in one pass over the data. 0 when either chunk is missing; m_dwPrioPos
    // is then 0 when the missing one is the priority chunk.
    int FindPrioAndImap(CByteSource& source);

    std::string GetBankName() const { return m_strBankName; }
    IMAPENTRY GetInstrument(int i) const { return m_arrInstruments[static_cast<size_t>(i)]; }
    IMAPENTRY GetDrumset(int i) const { return m_arrDrumsets[static_cast<size_t>(i)]; }
    void SetInstrument(int i, uint16_t wProgram, uint8_t byVariation);
    void SetDrumset(int i, uint16_t wProgram, uint8_t byVariation);

    // Rewrites a converted bank so that a "PRIO" chunk stands in front of its TTMA chunk. The
    // new content goes to "<file>.new" beside the file the path leads to (a link stays a link),
    // is flushed, checked and then renamed over it, so a failure leaves the bank as it was.
    // 1 repaired, 0 failed after its message.
    int RepairTts(const std::filesystem::path& path);

    // Writes name, priority and every entry's program and variation back to the positions they
    // were read from, after checking that the file still has its chunks there. 1 written and
    // flushed; 0 after "Unable to open file !", with the file as it was.
    int SaveInPlace();
    // Copies the bank file to "<path>.bak" when bKeepBackup is set ("Unable to create backup
    // file !" when that fails; the save goes on), then SaveInPlace. Its result.
    int SaveWithBackup(bool bKeepBackup);
    // True when the file at the bank's path is no longer the one read (replaced, or written by
    // another program since), so a save would be refused; a file that cannot be reached at all
    // is left to the save to report.
    bool ChangedSinceRead() const;
    // Copies path to "<path>.bak", replacing an older backup. 0 after its message.
    static int MakeBackup(const std::filesystem::path& path);
    // Takes the writer's lock of the bank at path (at once when this program holds it already).
    // 1 held, 0 after "Unable to open file !" when it cannot be opened or another writer keeps it.
    static int LockForWriting(CWriterLock& lock, const std::filesystem::path& path);

    // What the last Load did about a converted bank.
    enum RepairOutcome
    {
        RepairNone,     // not a converted bank
        RepairDeclined, // the question was answered No
        RepairFailed,   // the repair was tried and the file left unchanged
        RepairDone      // the file was repaired and read again
    };
    RepairOutcome GetRepairOutcome() const { return m_nRepairOutcome; }

    // True for a path ending in ".94b" (any case): only such files are ever repaired.
    static bool HasBankExtension(const std::filesystem::path& path);
    // True when a TTMA chunk was found in front of the priority chunk of a .94b file.
    bool IsConvertedBank(const std::filesystem::path& path) const;

    // Calls visit(bDrumset, index, entry) for every entry of the two lists at m_dwImapPos in
    // source, in file order, until visit returns false. Memory does not grow with the lists.
    void ForEachEntry(CByteSource& source,
                      const std::function<bool(bool bDrumset, uint64_t index, const IMAPENTRY&)>& visit) const;
    // The same walk handing over runs of consecutive entries of one list, read in large blocks:
    // visit(bDrumset, firstIndex, entries, count), until visit returns false.
    using EntryRunVisitor =
        std::function<bool(bool bDrumset, uint64_t firstIndex, const IMAPENTRY* entries, size_t count)>;
    void ForEachEntryRun(CByteSource& source, const EntryRunVisitor& visit) const;

    // Furthest start offset of a TTMA identifier that the finder accepts.
    static constexpr uint64_t kTtmaScanLimit = 1024;

    std::string m_strPathName;
    std::string m_strBankName; // the 8 raw name bytes
    uint16_t m_wPriority = 0;
    std::vector<IMAPENTRY> m_arrInstruments;
    std::vector<IMAPENTRY> m_arrDrumsets;
    // With false, a load reads past the lists without keeping them: a page walks them from the
    // file with ForEachEntry instead, so a bank of millions of entries costs no memory. The
    // counts and a digest of the entries are kept either way.
    bool m_bKeepLists = true;
    uint64_t m_nInstrumentCount = 0;
    uint64_t m_nDrumsetCount = 0;
    uint64_t m_nEntryDigest = 0;
    uint32_t m_dwImapPos = 0;
    uint32_t m_dwPrioPos = 0;
    uint32_t m_dwTtmaPos = 0;
    uint32_t m_dwTtmaSize = 0;
    std::unique_ptr<unsigned char[]> m_pTtmaData;
    // Which file was read (device, inode, size, modification time), so that a file replaced
    // or changed by another program since is never written over.
    FILESTAT m_fileStat;
    bool m_bKnowsFile = false;

private:
    enum class ReadResult
    {
        NoPrio,
        NoImap,
        PrioBeyond4GB, // found only past the reach of 32-bit positions
        ImapBeyond4GB,
        Plain,
        Converted
    };
    // Steps of a load up to the repair decision, without messages.
    ReadResult ReadChunks(CByteSource& source, const std::filesystem::path& path);
    // Messages and repair decision for what ReadChunks found.
    int FinishLoad(ReadResult result, const std::filesystem::path& path, const REPAIRPOLICY& policy);
    // What happens to a converted bank once it has been read.
    int HandleConvertedBank(const std::filesystem::path& path, const REPAIRPOLICY& policy);
    // True when file reads back as this bank with the priority chunk in front of the TTMA
    // chunk: the check made on a repaired file before it replaces the bank.
    bool ReadsAsRepaired(CByteSource& file, const std::filesystem::path& path) const;
    void FreeTtma();
    // Read the chunk whose identifier begins at offset at (kNoChunk: none was found).
    int ReadPrio(CByteSource& source, uint64_t at);
    int ReadImap(CByteSource& source, uint64_t at);
    // Walks one list from pos to just past its terminator (or the end of the file), handing its
    // entries to visit in runs; false when visit stopped the walk.
    static bool WalkList(CByteSource& source, uint64_t& pos,
                         const std::function<bool(const IMAPENTRY* entries, size_t count)>& visit);

    RepairOutcome m_nRepairOutcome = RepairNone;
};
