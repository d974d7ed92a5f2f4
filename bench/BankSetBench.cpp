// orvane-cli bankset over 1,000 banks of 300 entries each, and overlap over the same banks in the
// same run (goals: bankset at most 1 s, and at most 1.2 times overlap).
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

namespace
{
// The banks, made once for both measures: programs and variations spread so that many slots are
// shared, with priorities that leave some of them undecided.
const CTempDir& ThousandBanks()
{
    static const std::unique_ptr<CTempDir> dir = []
    {
        auto made = std::make_unique<CTempDir>();
        for (int b = 0; b < 1000; ++b)
        {
            std::vector<BankEntry> entries(300);
            for (size_t i = 0; i < entries.size(); ++i)
            {
                entries[i].program = static_cast<uint16_t>((i * 7 + static_cast<size_t>(b)) % 128);
                entries[i].variation = static_cast<uint8_t>((i + static_cast<size_t>(b)) % 16);
            }
            CBankBuilder bank;
            bank.Filler(200, static_cast<uint32_t>(b) + 1)
                .Prio("Bank" + std::to_string(b % 10000), static_cast<uint16_t>(b % 50))
                .Imap(entries, {});
            bank.WriteTo(*made / ("bank" + std::to_string(b) + ".94b"));
        }
        return made;
    }();
    return *dir;
}

void Run(benchmark::State& state, const char* command)
{
    const std::string dir = ThousandBanks().Path().string();
    for (auto _ : state)
    {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(CliMain({command, "--csv", dir}, out, err));
    }
}

void BM_BankSetThousandBanks(benchmark::State& state)
{
    Run(state, "bankset");
}
void BM_OverlapSameBanks(benchmark::State& state)
{
    Run(state, "overlap");
}
BENCHMARK(BM_OverlapSameBanks)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BankSetThousandBanks)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
