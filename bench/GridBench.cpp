// Speed and size of the grid's memory store through the control's operations: filling,
// sorting, searching and reading a visible page of resolved cells.
#include "grid/GridCore.h"
#include "grid/GridMemStore.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace
{
// About 30 % of the cells of each row, chosen by a fixed hash.
bool IsFilled(long nRow, int nCol)
{
    uint32_t h = static_cast<uint32_t>(nRow) * 2654435761u ^ static_cast<uint32_t>(nCol) * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return h % 10 < 3;
}

long Fill(CGridCore& grid, long nRows, int nCols)
{
    long nStored = 0;
    char sz[32];
    for (long r = 0; r < nRows; ++r)
        for (int c = 0; c < nCols; ++c)
            if (IsFilled(r, c))
            {
                std::snprintf(sz, sizeof sz, "R%ldC%d", r, c);
                grid.SetCellText(c, r, sz);
                ++nStored;
            }
    return nStored;
}

// Resident memory of the process: what the store really costs once its pages are touched.
size_t HeapInUse()
{
    long nPages = 0, nResident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r"))
    {
        if (std::fscanf(f, "%ld %ld", &nPages, &nResident) != 2)
            nResident = 0;
        std::fclose(f);
    }
    return static_cast<size_t>(nResident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}
} // namespace

static void BM_FillMillionRowsThroughSetCellText(benchmark::State& state)
{
    double dBytesPerCell = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto pGrid = std::make_unique<CGridCore>();
        pGrid->SetColCount(10, 0);
        pGrid->SetRowCount(1000000, 0);
        const size_t nBefore = HeapInUse();
        state.ResumeTiming();
        const long nStored = Fill(*pGrid, 1000000, 10);
        state.PauseTiming();
        dBytesPerCell = static_cast<double>(HeapInUse() - nBefore) / static_cast<double>(nStored);
        state.counters["cells"] = static_cast<double>(nStored);
        pGrid.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = dBytesPerCell;
}
BENCHMARK(BM_FillMillionRowsThroughSetCellText)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_SortHundredThousandRowsByText(benchmark::State& state)
{
    std::mt19937 rng(42);
    for (auto _ : state)
    {
        state.PauseTiming();
        CGridCore grid;
        grid.SetColCount(3, 0);
        grid.SetRowCount(100000, 0);
        for (long r = 0; r < 100000; ++r)
        {
            grid.SetCellText(0, r, ("key" + std::to_string(rng() % 50000)).c_str());
            grid.SetCellText(2, r, "payload");
        }
        state.ResumeTiming();
        grid.GetSheet()->m_pMemStore->SortRows(0, 0);
        state.PauseTiming();
        grid.GetSheet()->m_pMemStore->DeleteAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortHundredThousandRowsByText)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_FindNextOverMillionRows(benchmark::State& state)
{
    CGridCore grid;
    grid.SetColCount(4, 0);
    grid.SetRowCount(1000000, 0);
    for (long r = 0; r < 1000000; ++r)
        grid.SetCellText(1, r, r == 999999 ? "needle" : "hay");
    CGridMemStore& store = *grid.GetSheet()->m_pMemStore;
    for (auto _ : state)
    {
        int nCol = 1;
        long nRow = -1;
        const int n = store.FindFirst("NEEDLE", &nCol, &nRow, GRID_FIND_NOCASE | GRID_FIND_PARTIAL);
        benchmark::DoNotOptimize(n);
        if (n != 0 || nRow != 999999)
            state.SkipWithError("needle not found");
    }
}
BENCHMARK(BM_FindNextOverMillionRows)->Unit(benchmark::kMillisecond);

static void BM_GetCellResolvedVisiblePage(benchmark::State& state)
{
    CGridCore grid;
    grid.SetColCount(10, 0);
    grid.SetRowCount(1000000, 0);
    Fill(grid, 1000000, 10);
    CGridCell cell;
    long nTop = 0;
    for (auto _ : state)
    {
        // A page of 40 rows by 10 columns, one page further down each time.
        for (long r = nTop; r < nTop + 40; ++r)
            for (int c = 0; c < 10; ++c)
                grid.GetCellResolved(c, r, &cell);
        nTop = (nTop + 40) % 999000;
    }
    state.SetItemsProcessed(state.iterations() * 400);
}
BENCHMARK(BM_GetCellResolvedVisiblePage)->Unit(benchmark::kMicrosecond);
