// Speed of a full paint of a 1280 x 900 page of text cells into a wxMemoryDC (run under a
// display, for instance xvfb-run): the grid's paint pass with real fonts and text drawing.
#include "grid/GridCellArea.h"
#include "grid/GridCore.h"
#include "grid/GridWxDC.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include <cstdio>

static void BM_FullPaintOfAPageIntoAMemoryDC(benchmark::State& state)
{
    CGridCore grid;
    grid.SetLayoutSize(1280, 900);
    grid.SetColCount(12, 0);
    grid.SetRowCount(1000, 0);
    for (int c = 0; c < 12; ++c)
        grid.SetColumnWidth(c, 100);
    grid.SetDefaultFont(grid.RegisterFont("", 13, 400));
    grid.AdjustLayout();
    char sz[32];
    for (long r = 0; r < 60; ++r)
        for (int c = 0; c < 12; ++c)
        {
            std::snprintf(sz, sizeof sz, "R%ldC%d text", r, c);
            grid.SetCellText(c, r, sz);
        }
    CGridCellArea area(&grid);
    wxBitmap bmp(grid.GetSheet()->m_nCellAreaWidth, grid.GetSheet()->m_nCellAreaHeight);
    wxMemoryDC dc(bmp);
    CGridWxDC gdc(dc);
    for (auto _ : state)
    {
        area.HintAll();
        area.PaintCells(&gdc, true);
    }
    state.counters["cells"] =
        static_cast<double>(area.m_nCellsDrawn) / static_cast<double>(state.iterations());
    dc.SelectObject(wxNullBitmap);
}
BENCHMARK(BM_FullPaintOfAPageIntoAMemoryDC)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv))
        return 1;
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
