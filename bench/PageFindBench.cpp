// The page search on a page as large as a set of banks makes (16,384 mapped slots, a dozen words
// each): reading its words in, and one typed key (a search of every match with case folding).
#include "app/PageFind.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
constexpr int kRows = 16384;

void FillPage(CPageFind& page)
{
    page.Clear();
    for (int row = 0; row < kRows; ++row)
    {
        const std::string number = std::to_string(row % 128);
        page.AddPiece("Instrument\u00a0", true);
        page.AddPiece(number, true);
        page.AddPiece(std::to_string(row / 128), true);
        page.AddPiece(std::to_string(row % 128 + 1), true);
        page.AddPiece(std::to_string(row / 128 * 128), true);
        page.AddPiece("Electric ", true);
        page.AddPiece("Grand ", false);
        page.AddPiece(row == kRows - 1 ? "Gunshot" : "Piano", false);
        page.AddPiece("Bank" + std::to_string(row % 100), true);
        page.AddPiece("wins ", true);
        page.AddPiece("over ", false);
        page.AddPiece("Bank" + std::to_string(row % 7), false);
    }
}

void BM_ReadPage(benchmark::State& state)
{
    CPageFind page;
    for (auto _ : state)
    {
        FillPage(page);
        benchmark::DoNotOptimize(page.GetPieceCount());
    }
}
BENCHMARK(BM_ReadPage)->Unit(benchmark::kMillisecond);

void BM_TypedKey(benchmark::State& state)
{
    CPageFind page;
    FillPage(page);
    // The first search folds the page's text once; every later one reuses it.
    page.Find("x", false, FindStep::Here);
    const std::string query = state.range(0) ? "gunshot" : "piano";
    for (auto _ : state)
        benchmark::DoNotOptimize(page.Find(query, false, FindStep::Here));
}
BENCHMARK(BM_TypedKey)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace
