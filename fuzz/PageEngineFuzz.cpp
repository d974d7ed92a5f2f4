// The page engine with arbitrary bytes as its template, rendered against a small bank held in
// memory: no crash, no hang, and a page that grows with the template, never without bound.
#include "fuzz/FuzzSupport.h"
#include "report/MappingReport.h"
#include "tests/support/MemoryFileSystem.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallSilentSink();
    static CMemoryFileSystem* files = []
    {
        auto* fs = new CMemoryFileSystem;
        fs->Put("bank.94b",
                {'P', 'R', 'I', 'O', 10, 0, 0, 0, 'F', 'u', 'z', 'z',  '&',  '<', 0, 0, 5, 0, 'I', 'M',  'A',
                 'P', 16,  0,   0,   0,  3, 0, 1, 0,   0,   0,   0xFF, 0xFF, 9,   0, 0, 0, 0, 0,   0xFF, 0xFF});
        FileSystemSlot().Install(fs);
        return fs;
    }();
    (void)files;

    CMappingReport report;
    report.m_strBankPath = "bank.94b";
    report.m_strImagePath = size % 2 ? "" : "/img/a#<b>%.png";
    std::string page;
    report.RenderText(std::string(reinterpret_cast<const char*>(data), size), page);
    Check(page.size() <= 64 * (size + 1) + 4096);
    return 0;
}
