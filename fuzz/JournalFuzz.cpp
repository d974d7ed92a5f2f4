// The change journal's reader over arbitrary bytes as a journal file: it never crashes, and a
// journal it accepts is written out and reads again as the same changes, and each change's
// summary as shown in English is the one recorded.
#include "fuzz/FuzzSupport.h"
#include "journal/BankJournal.h"
#include "journal/ChangeSummary.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallSilentSink();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<JOURNALCHANGE> changes;
    if (!CBankJournal::Parse(text, changes))
        return 0;
    const std::string written = CBankJournal::Serialize("/banks/fuzz.94b", changes);
    std::vector<JOURNALCHANGE> again;
    Check(CBankJournal::Parse(written, again));
    Check(CBankJournal::Serialize("/banks/fuzz.94b", again) == written);
    for (const JOURNALCHANGE& change : changes)
        Check(ChangeSummaryText(change) == change.strSummary);
    return 0;
}
