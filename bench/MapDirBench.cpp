// orvane-cli map -d over a directory of many small banks: the time must grow with the number of
// banks, not with its square (goal: 4,000 banks take at most 5 times as long as 1,000).
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace
{
void BM_MapDirectory(benchmark::State& state)
{
    CTempDir banks;
    const auto count = static_cast<int>(state.range(0));
    for (int b = 0; b < count; ++b)
    {
        CBankBuilder bank;
        bank.Prio("Bank" + std::to_string(b % 1000), 50).Imap(CBankBuilder::Entries(4), {});
        bank.WriteTo(banks / ("bank" + std::to_string(b) + ".94b"));
    }
    for (auto _ : state)
    {
        CTempDir pages;
        std::ostringstream out, err;
        benchmark::DoNotOptimize(CliMain({"map", banks.Path().string(), "-d", pages.Path().string()}, out, err));
    }
    state.SetComplexityN(count);
}
BENCHMARK(BM_MapDirectory)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(2)->Complexity();
} // namespace
