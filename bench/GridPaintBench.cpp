// Speed of the cell area's grid work: a full paint of a 1280 x 900 page through the recording
// drawing surface, and moves in ten million rows of uniform height (Ctrl+End and Ctrl+Home, a
// wheel notch at the end, page moves), each with the update it causes.
#include "grid/GridCellArea.h"
#include "grid/GridCore.h"
#include "grid/GridKeys.h"
#include "support/RecordingGridDC.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace
{
// The cell area's window, painting hinted cells at once into the recording surface.
class CBenchWindow : public IGridChild, public IGridCellWindow
{
  public:
    explicit CBenchWindow(CGridCore* pGrid) : m_area(pGrid) {}
    CGridCellArea m_area;
    CRecordingGridDC m_dc;

    void SetSheet(CGridInfo*) override {}
    void Place(const GRIDRECT&, bool) override {}
    void UpdatePosition() override { m_area.Update(*this); }
    void Repaint() override {}
    void PaintHinted() override { m_area.Update(*this); }
    bool HasPendingPaint() const override { return false; }
    void FlushPaint() override {}
    void ScrollPixels(int, int) override {}
    void DrawHinted() override
    {
        m_dc.Clear();
        m_area.PaintCells(&m_dc, true);
    }
    void Sleep(int) override {}
    GRIDPOINT ToScreen(const GRIDPOINT& pt) const override { return pt; }
};

// 12 columns of 100 pixels and rows of 20 in a 1280 x 900 control: 45 rows a page.
struct CBenchGrid
{
    CGridCore grid;
    CBenchWindow wnd{&grid};

    explicit CBenchGrid(long nRows)
    {
        grid.AttachChild(GRID_CHILD_CELLS, &wnd);
        grid.SetLayoutSize(1280, 900);
        grid.SetColCount(12, 0);
        grid.SetRowCount(nRows, 0);
        for (int c = 0; c < 12; ++c)
            grid.SetColumnWidth(c, 100);
        grid.AdjustLayout();
        char sz[32];
        for (long r = 0; r < 60; ++r)
            for (int c = 0; c < 12; ++c)
            {
                std::snprintf(sz, sizeof sz, "R%ldC%d text", r, c);
                grid.SetCellText(c, r, sz);
            }
        wnd.m_area.HintAll();
        wnd.DrawHinted();
    }
};
} // namespace

static void BM_FullPaintOfAPageThroughTheRecordingSurface(benchmark::State& state)
{
    CBenchGrid g(1000);
    for (auto _ : state)
    {
        g.wnd.m_dc.Clear();
        g.wnd.m_area.HintAll();
        g.wnd.m_area.PaintCells(&g.wnd.m_dc, true);
        benchmark::DoNotOptimize(g.wnd.m_dc.m_ops.data());
    }
    state.counters["cells"] =
        static_cast<double>(g.wnd.m_area.m_nCellsDrawn) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FullPaintOfAPageThroughTheRecordingSurface)->Unit(benchmark::kMicrosecond);

// Each iteration is one move: Ctrl+End and Ctrl+Home in turn, each drawing the page.
static void BM_CtrlEndInTenMillionRows(benchmark::State& state)
{
    CBenchGrid g(10000000);
    bool bEnd = true;
    for (auto _ : state)
    {
        g.wnd.m_area.OnKeyDown(bEnd ? GRID_VK_END : GRID_VK_HOME, GRID_MK_CONTROL, g.wnd);
        bEnd = !bEnd;
    }
    state.counters["row"] = static_cast<double>(g.grid.CurrentRow());
}
BENCHMARK(BM_CtrlEndInTenMillionRows)->Unit(benchmark::kMicrosecond);

// At the end of ten million rows: a notch up and a notch down in turn, three rows each.
static void BM_WheelNotchAtTheEndOfTenMillionRows(benchmark::State& state)
{
    CBenchGrid g(10000000);
    g.wnd.m_area.OnKeyDown(GRID_VK_END, GRID_MK_CONTROL, g.wnd);
    bool bUp = true;
    for (auto _ : state)
    {
        g.wnd.m_area.OnWheel(bUp ? 120 : -120);
        bUp = !bUp;
    }
    state.counters["top"] = static_cast<double>(g.grid.GetSheet()->m_nTopRow);
}
BENCHMARK(BM_WheelNotchAtTheEndOfTenMillionRows)->Unit(benchmark::kMicrosecond);

// Page Up and Page Down in turn near the end of ten million rows.
static void BM_PageMoveInTenMillionRows(benchmark::State& state)
{
    CBenchGrid g(10000000);
    g.wnd.m_area.OnKeyDown(GRID_VK_END, GRID_MK_CONTROL, g.wnd);
    g.wnd.m_area.OnKeyDown(GRID_VK_PRIOR, 0, g.wnd);
    bool bUp = true;
    for (auto _ : state)
    {
        g.wnd.m_area.OnKeyDown(bUp ? GRID_VK_PRIOR : GRID_VK_NEXT, 0, g.wnd);
        bUp = !bUp;
    }
    state.counters["row"] = static_cast<double>(g.grid.CurrentRow());
}
BENCHMARK(BM_PageMoveInTenMillionRows)->Unit(benchmark::kMicrosecond);
