// The bank reader over arbitrary bytes held in memory: it may not crash or read out of bounds,
// what it reads must fit the input, and walking the entries must give what the lists hold.
#include "base/ByteSource.h"
#include "fuzz/FuzzSupport.h"
#include "soundbank/SoundBank.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallSilentSink();
    CMemorySource source(data, size);
    CSoundBank bank;
    if (bank.LoadFrom(source, "fuzz.94b", REPAIRPOLICY{REPAIRPOLICY::Never, false}))
    {
        Check(bank.m_strBankName.size() == 8);
        Check((bank.m_arrInstruments.size() + bank.m_arrDrumsets.size()) * 6 <= size);
        Check(bank.m_nInstrumentCount == bank.m_arrInstruments.size());
        Check(bank.m_nDrumsetCount == bank.m_arrDrumsets.size());
        uint64_t walked[2] = {0, 0};
        bank.ForEachEntry(source,
                          [&](bool drumset, uint64_t index, const IMAPENTRY& entry)
                          {
                              const auto& list = drumset ? bank.m_arrDrumsets : bank.m_arrInstruments;
                              Check(index == walked[drumset] && index < list.size());
                              Check(list[index].wProgram == entry.wProgram &&
                                    list[index].byVariation == entry.byVariation);
                              ++walked[drumset];
                              return true;
                          });
        Check(walked[0] == bank.m_nInstrumentCount && walked[1] == bank.m_nDrumsetCount);
    }
    // As a file that is no .94b, the TTMA block is kept instead of let go.
    CSoundBank other;
    other.LoadFrom(source, "fuzz.bin", REPAIRPOLICY{});
    Check(other.m_dwTtmaSize <= size);
    return 0;
}
