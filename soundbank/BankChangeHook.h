// The seam through which every change this program makes to a bank is announced before it is
// made and confirmed after it: the write-back of edited values and the TTS repair. The change
// journal listens here; without it (the built-in hook) changes are made unrecorded.
#pragma once

#include "base/FileSystem.h"
#include "base/Slot.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A stretch of a bank: the bytes it holds and the bytes written over them.
struct BANKSPAN
{
    uint64_t nStart = 0;
    std::vector<unsigned char> original;
    std::vector<unsigned char> updated;
};

// What a repair does besides keeping every other byte: the 18-byte priority chunk that began at
// nFrom moves to nTo (where the TTMA chunk began), and is written there as abNew.
struct REPAIRMOVE
{
    uint64_t nTo = 0;
    uint64_t nFrom = 0;
    unsigned char abOld[18] = {};
    unsigned char abNew[18] = {};
};

class IBankChangeHook
{
public:
    virtual ~IBankChangeHook() = default;
    // A write-back of spans into the bank at path (open as handle, as stat describes) is about to
    // be made. 0 after its message when it must not be: nothing is written then.
    virtual int BeginWriteBack(const std::filesystem::path& path, int handle, const FILESTAT& stat,
                               const std::vector<BANKSPAN>& spans, const std::string& summary)
    {
        (void)path, (void)handle, (void)stat, (void)spans, (void)summary;
        return 1;
    }
    // A repair is about to read the whole bank, in order, to copy it with the priority chunk moved
    // as move says; RepairRead is then told every byte (a run of zeros as nullptr), so that the
    // hook need not read the bank again.
    virtual void BeginRepairRead(const REPAIRMOVE& move) { (void)move; }
    virtual void RepairRead(const unsigned char* bytes, size_t n) { (void)bytes, (void)n; }
    // A repaired copy of the bank (file, as stat describes) is complete at repaired and about to
    // replace it. 0 after its message when it must not.
    virtual int BeginRepair(const std::filesystem::path& file, const FILESTAT& stat,
                            const std::filesystem::path& repaired, const REPAIRMOVE& move)
    {
        (void)file, (void)stat, (void)repaired, (void)move;
        return 1;
    }
    // The change begun last was made (the bank is now as written describes, when known) or not.
    virtual void EndChange(bool bMade, const FILESTAT* written) { (void)bMade, (void)written; }
};

CSlot<IBankChangeHook>& BankChangeHookSlot();

// Writes the updated bytes of every span into the open file and flushes it, then closes it. A
// write, flush or close that fails puts the original bytes back. 1 written (written and known
// tell the file's state afterwards); 0 with error set.
int WriteSpansInPlace(IFileSystem& fs, CFsHandle& file, const std::filesystem::path& path,
                      const std::vector<BANKSPAN>& spans, FILESTAT& written, bool& known, int& error);
