// Feeds arbitrary bytes to the bank reader (as a bank in memory) and to the page engine (as a
// template, rendered against a small fixed bank). Neither may crash, hang or read out of bounds.
// The same bytes, as a bank file held in memory, go through the repair and the write-back: a
// repaired bank reads as before and needs no second repair; a write-back of unchanged values
// leaves the file as it was.
#include "base/ByteSource.h"
#include "report/MappingReport.h"
#include "res/MessageBox.h"
#include "soundbank/SoundBank.h"
#include "tests/support/MemoryFileSystem.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
class CSilentSink : public IMessageSink
{
public:
    int Show(const std::string&, const std::string&, unsigned) override { return AnswerNo; }
};

// A bank file for the template half of the run: one instrument, one drum set.
std::string FixedBankPath()
{
    static std::string path = []
    {
        std::string p = "/tmp/orvane-fuzz-bank-" + std::to_string(getpid()) + ".94b";
        const unsigned char bank[] = {'P', 'R', 'I', 'O', 10, 0, 0, 0, 'F', 'u', 'z', 'z', 0, 0, 0, 0, 5, 0,
                                      'I', 'M', 'A', 'P', 16, 0, 0, 0, 3, 0, 1, 0, 0, 0, 0xFF, 0xFF, 9, 0,
                                      0, 0, 0, 0, 0xFF, 0xFF};
        if (FILE* f = std::fopen(p.c_str(), "wb"))
        {
            std::fwrite(bank, 1, sizeof bank, f);
            std::fclose(f);
        }
        return p;
    }();
    return path;
}
void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool SameEntries(const std::vector<IMAPENTRY>& a, const std::vector<IMAPENTRY>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const IMAPENTRY& x, const IMAPENTRY& y) {
        return x.wProgram == y.wProgram && x.byVariation == y.byVariation && std::equal(x.abRest, x.abRest + 3, y.abRest);
    });
}

bool SameBank(const CSoundBank& a, const CSoundBank& b)
{
    return a.m_strBankName == b.m_strBankName && a.m_wPriority == b.m_wPriority &&
           SameEntries(a.m_arrInstruments, b.m_arrInstruments) && SameEntries(a.m_arrDrumsets, b.m_arrDrumsets);
}

void RepairAndWriteBack(const uint8_t* data, size_t size)
{
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

    // Unchanged values write back the same bytes; one changed variation changes one byte.
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
            Check(edited.size() == now.size() && changed == 1 && edited[bank.m_dwImapPos + 2] == (first.byVariation ^ 1));
        }
    }
    Check(files.OpenHandles() == 0);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSilentSink sink;
    MessageSinkSlot().Install(&sink);

    CMemorySource source(data, size);
    CSoundBank bank;
    if (bank.LoadFrom(source, "fuzz.94b", REPAIRPOLICY{}))
    {
        // Whatever was read must be consistent with the input's size.
        if (bank.m_strBankName.size() != 8 || bank.m_arrInstruments.size() * 6 > size)
            __builtin_trap();
    }
    bank.LoadFrom(source, "fuzz.bin", REPAIRPOLICY{}); // keeps any TTMA block instead of letting it go
    RepairAndWriteBack(data, size);

    CMappingReport report;
    report.m_strBankPath = FixedBankPath();
    report.m_strImagePath = size % 2 ? "" : "<img>";
    std::string page;
    report.RenderText(std::string(reinterpret_cast<const char*>(data), size), page);
    if (page.size() > 64 * (size + 1) + 4096)
        __builtin_trap(); // the page grows with the template and the fixed bank, never without bound
    return 0;
}
