// Feeds arbitrary bytes to the bank reader (as a bank in memory) and to the page engine (as a
// template, rendered against a small fixed bank). Neither may crash, hang or read out of bounds.
#include "report/MappingReport.h"
#include "res/MessageBox.h"
#include "soundbank/ByteSource.h"
#include "soundbank/SoundBank.h"

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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSilentSink sink;
    SetMessageSink(&sink);

    CMemorySource source(data, size);
    CSoundBank bank;
    if (bank.LoadFrom(source, "fuzz.94b"))
    {
        // Whatever was read must be consistent with the input's size.
        if (bank.m_strBankName.size() != 8 || bank.m_arrInstruments.size() * 6 > size)
            __builtin_trap();
    }
    bank.LoadFrom(source, "fuzz.bin"); // keeps any TTMA block instead of letting it go

    CMappingReport report;
    report.m_strBankPath = FixedBankPath();
    report.m_strImagePath = size % 2 ? "" : "<img>";
    std::string page;
    report.RenderText(std::string(reinterpret_cast<const char*>(data), size), page);
    if (page.size() > 64 * (size + 1) + 4096)
        __builtin_trap(); // the page grows with the template and the fixed bank, never without bound
    return 0;
}
