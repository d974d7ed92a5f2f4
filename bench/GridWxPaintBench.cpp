// Speed of a full paint of a 1280 x 900 page of text cells into a wxMemoryDC (run under a
// display, for instance xvfb-run): the grid's paint pass with real fonts, once with the texts
// already in the grid's text cache (every repaint of what was shown before), once with the cache
// emptied before each pass (a page never shown), and the toolkit's text drawing alone.
#include "grid/GridCellArea.h"
#include "grid/GridCore.h"
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridTextCache.h"
#include "grid/wx/GridWnd.h"
#include "grid/wx/GridWxDC.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <cstdio>

static void BM_FullPaintOfAPageIntoAMemoryDC(benchmark::State& state)
{
    const bool bCold = state.range(0) != 0;
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
    CGridTextCache cache;
    CGridWxDC gdc(dc, &cache);
    for (auto _ : state)
    {
        if (bCold)
            cache.Clear();
        area.HintAll();
        area.PaintCells(&gdc, true);
    }
    state.counters["cells"] =
        static_cast<double>(area.m_nCellsDrawn) / static_cast<double>(state.iterations());
    dc.SelectObject(wxNullBitmap);
}
BENCHMARK(BM_FullPaintOfAPageIntoAMemoryDC)->ArgName("cold")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a user waits for: the cell area window of a grid in a 1300 x 950 frame repainted whole
// (invalidated, painted, copied to the display), and page jumps into rows never shown.
namespace
{
class CBenchGrid : public CGridCtrl
{
public:
    void OnGridSetup() override
    {
        SetDefaultFont(RegisterFont("", 13, 400));
        SetColCount(12, 0);
        SetRowCount(100000, 0);
        for (int c = 0; c < 12; ++c)
            SetColumnWidth(c, 100);
        char sz[32];
        for (long r = 0; r < 6000; ++r)
            for (int c = 0; c < 12; ++c)
            {
                std::snprintf(sz, sizeof sz, "R%ldC%d text", r, c);
                SetCellText(c, r, sz);
            }
        AdjustLayout();
    }
};

struct CBenchFrame
{
    CBenchFrame()
    {
        pFrame = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), wxSize(1300, 950));
        pGrid = new CBenchGrid;
        pGrid->Create(pFrame, wxID_ANY);
        pFrame->Show();
        pCells = dynamic_cast<CGridWnd*>(pGrid->GetChild(GRID_CHILD_CELLS));
        // Until the display has mapped the window, repaints draw nothing.
        for (int i = 0; i < 200 && pCells && pCells->GetArea().m_nCellsDrawn == 0; ++i)
        {
            wxYield();
            wxMilliSleep(10);
            pCells->Refresh(false);
            pCells->Update();
        }
    }
    // Cells drawn per iteration, to show that every repaint really painted.
    void Count(benchmark::State& state, long nBefore) const
    {
        state.counters["cells"] =
            static_cast<double>(pCells->GetArea().m_nCellsDrawn - nBefore) / static_cast<double>(state.iterations());
    }
    ~CBenchFrame()
    {
        pFrame->Destroy();
        wxYield();
    }
    wxFrame* pFrame;
    CBenchGrid* pGrid;
    CGridWnd* pCells;
};
} // namespace

static void BM_FullRepaintOfTheCellWindow(benchmark::State& state)
{
    CBenchFrame frame;
    if (!frame.pCells)
    {
        state.SkipWithError("no cell window");
        return;
    }
    const long nBefore = frame.pCells->GetArea().m_nCellsDrawn;
    for (auto _ : state)
    {
        if (state.range(0))
            frame.pGrid->GetTextCache()->Clear();
        frame.pCells->Refresh(false);
        frame.pCells->Update();
    }
    frame.Count(state, nBefore);
}
BENCHMARK(BM_FullRepaintOfTheCellWindow)->ArgName("cold")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_PageJumpIntoNewRows(benchmark::State& state)
{
    CBenchFrame frame;
    if (!frame.pCells)
    {
        state.SkipWithError("no cell window");
        return;
    }
    long nTop = 0;
    const long nBefore = frame.pCells->GetArea().m_nCellsDrawn;
    for (auto _ : state)
    {
        nTop = (nTop + 45) % 5900;
        frame.pGrid->ScrollToRow(nTop + 44);
        frame.pCells->Update();
    }
    frame.Count(state, nBefore);
}
BENCHMARK(BM_PageJumpIntoNewRows)->Unit(benchmark::kMillisecond);

// The floor the toolkit sets: the same 528 strings drawn straight into the memory DC, without
// the grid, its fills, lines or clipping.
static void BM_ToolkitTextAloneForAPage(benchmark::State& state)
{
    wxBitmap bmp(1224, 880);
    wxMemoryDC dc(bmp);
    dc.SetFont(wxFontInfo(9));
    char sz[32];
    for (auto _ : state)
        for (int r = 0; r < 44; ++r)
            for (int c = 0; c < 12; ++c)
            {
                std::snprintf(sz, sizeof sz, "R%dC%d text", r, c);
                dc.DrawText(sz, c * 100 + 4, r * 20 + 1);
            }
    dc.SelectObject(wxNullBitmap);
}
BENCHMARK(BM_ToolkitTextAloneForAPage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv))
        return 1;
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
