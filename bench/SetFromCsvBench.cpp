// orvane-cli set --from-csv of 16,384 rows on a bank of 16,384 entries against info --csv of the
// same bank (goal: the set takes at most twice as long as the listing).
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

namespace
{
constexpr size_t kEntries = 16384;

struct CsvBench
{
    CsvBench()
    {
        CBankBuilder bank;
        bank.Prio("Bench", 1).Imap(CBankBuilder::Entries(kEntries - 256), CBankBuilder::Entries(256));
        bank.WriteTo(path);
        std::ostringstream out, err;
        CliMain({"info", "--csv", path}, out, err);
        // Every row gets other values, so each run writes all of them.
        std::string text = out.str();
        csvA = text;
        for (size_t at = text.find(",instrument,"); at != std::string::npos; at = text.find(",instrument,", at + 1))
        {
            const size_t program = text.find(',', at + 12) + 1;
            text[program] = text[program] == '9' ? '8' : '9';
        }
        std::ofstream(csvPathA) << csvA;
        std::ofstream(csvPathB) << text;
    }
    CTempDir dir;
    std::string path = (dir / "bench.94b").string();
    std::string csvPathA = (dir / "a.csv").string();
    std::string csvPathB = (dir / "b.csv").string();
    std::string csvA;
};

CsvBench& Fixture()
{
    static CsvBench fixture;
    return fixture;
}

void BM_InfoCsv(benchmark::State& state)
{
    for (auto _ : state)
    {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(CliMain({"info", "--csv", Fixture().path}, out, err));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kEntries));
}
BENCHMARK(BM_InfoCsv)->Unit(benchmark::kMillisecond);

void BM_SetFromCsv(benchmark::State& state)
{
    bool other = false;
    for (auto _ : state)
    {
        std::ostringstream out, err;
        other = !other;
        const int code =
            CliMain({"set", Fixture().path, "--from-csv", other ? Fixture().csvPathB : Fixture().csvPathA}, out, err);
        if (code != 0)
            state.SkipWithError(err.str().c_str());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kEntries));
}
BENCHMARK(BM_SetFromCsv)->Unit(benchmark::kMillisecond);
} // namespace
