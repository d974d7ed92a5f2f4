// orvane-cli overlap over many banks: 1,000 banks of 300 entries each (goal: at most 1 s).
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace
{
void BM_OverlapThousandBanks(benchmark::State& state)
{
    CTempDir dir;
    for (int b = 0; b < 1000; ++b)
    {
        std::vector<BankEntry> entries(300);
        for (size_t i = 0; i < entries.size(); ++i)
        {
            entries[i].program = static_cast<uint16_t>((i * 7 + static_cast<size_t>(b)) % 128);
            entries[i].variation = static_cast<uint8_t>((i + static_cast<size_t>(b)) % 16);
        }
        CBankBuilder bank;
        bank.Filler(200, static_cast<uint32_t>(b) + 1).Prio("Bank" + std::to_string(b % 10000), 50).Imap(entries, {});
        bank.WriteTo(dir / ("bank" + std::to_string(b) + ".94b"));
    }
    for (auto _ : state)
    {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(CliMain({"overlap", "--csv", dir.Path().string()}, out, err));
    }
}
BENCHMARK(BM_OverlapThousandBanks)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
