// Repair and write-back of arbitrary bytes as a bank file held in memory: a repaired bank reads
// as before and needs no second repair; a write-back of unchanged values leaves the file as it
// was, and one changed variation changes exactly one byte.
#include "base/ByteSource.h"
#include "fuzz/FuzzSupport.h"
#include "soundbank/SoundBank.h"
#include "tests/support/MemoryFileSystem.h"

#include <algorithm>
#include <cstdint>

namespace
{
bool SameEntries(const std::vector<IMAPENTRY>& a, const std::vector<IMAPENTRY>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const IMAPENTRY& x, const IMAPENTRY& y) {
                          return x.wProgram == y.wProgram && x.byVariation == y.byVariation &&
                                 std::equal(x.abRest, x.abRest + 3, y.abRest);
                      });
}

bool SameBank(const CSoundBank& a, const CSoundBank& b)
{
    return a.m_strBankName == b.m_strBankName && a.m_wPriority == b.m_wPriority &&
           SameEntries(a.m_arrInstruments, b.m_arrInstruments) && SameEntries(a.m_arrDrumsets, b.m_arrDrumsets);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallSilentSink();
    const std::vector<unsigned char> input(data, data + size);
    CMemoryFileSystem files;
    CSlot<IFileSystem>::CScope useFiles(FileSystemSlot(), &files);
    files.Put("bank.94b", input);
    const REPAIRPOLICY policy{REPAIRPOLICY::Automatic, size % 2 != 0};

    CMemorySource source(data, size);
    CSoundBank plain;
    int readable = plain.LoadFrom(source, "bank.bin", policy);
    CSoundBank bank;
    Check(bank.Load("bank.94b", policy) == readable);
    std::vector<unsigned char> now = files.Get("bank.94b");
    if (bank.GetRepairOutcome() == CSoundBank::RepairDone)
    {
        Check(now.size() == size && SameBank(plain, bank));
        Check(!policy.bKeepBackup || files.Get("bank.94b.bak") == input);
        CSoundBank again;
        Check(again.Load("bank.94b", policy) == 1 && again.GetRepairOutcome() == CSoundBank::RepairNone);
        Check(files.Get("bank.94b") == now && SameBank(again, bank));
    }
    else
        Check(now == input);
    Check(files.OpenHandles() == 0);

    if (readable)
    {
        int saved = bank.SaveInPlace();
        Check(saved == (now.size() >= bank.m_dwPrioPos + 10ull));
        Check(files.Get("bank.94b") == now);
        if (saved && !bank.m_arrInstruments.empty())
        {
            IMAPENTRY first = bank.GetInstrument(0);
            bank.SetInstrument(0, first.wProgram, static_cast<uint8_t>(first.byVariation ^ 1));
            Check(bank.SaveInPlace() == 1);
            std::vector<unsigned char> edited = files.Get("bank.94b");
            size_t changed = 0;
            for (size_t i = 0; i < size; ++i)
                changed += edited[i] != now[i];
            Check(edited.size() == now.size() && changed == 1 &&
                  edited[bank.m_dwImapPos + 2] == (first.byVariation ^ 1));
        }
    }
    Check(files.OpenHandles() == 0);
    return 0;
}
