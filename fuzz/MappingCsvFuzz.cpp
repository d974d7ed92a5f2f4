// The mapping CSV reader of 'orvane-cli set --from-csv' over arbitrary bytes, against a bank of 4
// instruments and 2 drum sets: what it accepts names only entries the bank has, each once, with
// values the file can hold; what it refuses names a line within the input.
#include "cli/CsvMapping.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallSilentSink();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    CMappingCsvReader reader(4, 2);
    if (!reader.Read(in))
    {
        const auto lines = static_cast<uint64_t>(std::count(text.begin(), text.end(), '\n'));
        Check(reader.ErrorLine() >= 1 && reader.ErrorLine() <= lines + 1 && !reader.ErrorReason().empty());
        return 0;
    }
    std::set<std::pair<bool, uint64_t>> seen;
    for (const MAPPINGCSVROW& row : reader.Rows())
    {
        Check(row.nIndex < (row.bDrumset ? 2u : 4u));
        Check(seen.insert({row.bDrumset, row.nIndex}).second);
    }
    Check(reader.Rows().size() <= 6);
    return 0;
}
