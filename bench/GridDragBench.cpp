// Grid work per mouse move while a column or row border is dragged in a sheet of 1,000,000
// rows, and per character typed into a growing edit box (goal: at most 1 ms each, nothing
// proportional to the row count).
#include "grid/GridCore.h"
#include "grid/GridEditState.h"
#include "grid/GridHeadingInput.h"
#include "grid/GridKeys.h"
#include "support/RecordingGridDC.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
class CNullHeading : public IGridHeadingWindow
{
public:
    void SetCursorKind(int) override {}
    void Capture() override {}
    void Release() override {}
    void DrawMarker(const GRIDRECT&) override {}
    void EraseMarker(const GRIDRECT&) override {}
    void RepaintHeading() override {}
    GRIDPOINT ToScreen(GRIDPOINT pt) const override { return pt; }
};

struct CMillionRows
{
    CGridCore grid;
    CMillionRows(bool bUniform)
    {
        grid.SetLayoutSize(1200, 800);
        grid.SetColCount(20);
        grid.SetRowCount(1000000);
        if (!bUniform)
            grid.SetFixedRowHeights(0);
        grid.AdjustLayout();
    }
};

void DragBorder(benchmark::State& state, bool bRows, bool bUniform)
{
    CMillionRows sheet(bUniform);
    CGridHeadingInput input(&sheet.grid, bRows);
    CNullHeading wnd;
    // Column 1's right border at x = 150, row 1's bottom border at y = 40.
    const GRIDPOINT ptStart = bRows ? GRIDPOINT{20, 39} : GRIDPOINT{149, 5};
    input.OnMouseMove(ptStart, 0, wnd);
    input.OnLeftDown(ptStart, GRID_MK_LBUTTON, wnd);
    int d = 0;
    for (auto _ : state)
    {
        d = (d + 1) % 40;
        const GRIDPOINT pt = bRows ? GRIDPOINT{20, 39 + d} : GRIDPOINT{149 + d, 5};
        input.OnMouseMove(pt, GRID_MK_LBUTTON, wnd);
    }
    input.OnLeftUp(ptStart, 0, wnd);
}
} // namespace

static void BM_DragColumnBorderMillionRows(benchmark::State& state) { DragBorder(state, false, true); }
BENCHMARK(BM_DragColumnBorderMillionRows)->Unit(benchmark::kMicrosecond);

static void BM_DragRowBorderMillionUniformRows(benchmark::State& state) { DragBorder(state, true, true); }
BENCHMARK(BM_DragRowBorderMillionUniformRows)->Unit(benchmark::kMicrosecond);

static void BM_DragRowBorderMillionSizedRows(benchmark::State& state) { DragBorder(state, true, false); }
BENCHMARK(BM_DragRowBorderMillionSizedRows)->Unit(benchmark::kMicrosecond);

// One character more: measure the text with room for the next ones and grow the box.
static void BM_TypeIntoGrowingEditBox(benchmark::State& state)
{
    CRecordingGridDC dc;
    CGridEditState edit;
    edit.OnGainFocus(19);
    std::string strText;
    auto hit = [](int x, int y, GRIDRECT* pCell) {
        *pCell = GRIDRECT{x / 75 * 75, y / 20 * 20, x / 75 * 75 + 75, y / 20 * 20 + 20};
        return true;
    };
    GRIDRECT rcBox{75, 20, 149, 39};
    for (auto _ : state)
    {
        strText += strText.size() % 7 == 6 ? ' ' : 'x';
        if (strText.size() > 400)
        {
            strText.clear();
            rcBox = GRIDRECT{75, 20, 149, 39};
        }
        const GRIDSIZE sz = CGridEditState::MeasureWrapped(dc, strText + " X X", 1200 - rcBox.left - 2);
        rcBox = edit.Grow(rcBox, GRIDRECT{0, 0, 1200, 800}, sz, hit);
        benchmark::DoNotOptimize(rcBox);
    }
}
BENCHMARK(BM_TypeIntoGrowingEditBox)->Unit(benchmark::kMicrosecond);
