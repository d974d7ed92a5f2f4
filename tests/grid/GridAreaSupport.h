// A cell area driven without a display: a child that runs the plain cell area's updates and
// paints them at once into a recording surface, counting cells, scrolls and repaints.
#pragma once

#include "grid/GridCellArea.h"
#include "grid/GridTestSupport.h"
#include "support/RecordingGridDC.h"

#include <gtest/gtest.h>

class CRecordingAreaWindow : public IGridChild, public IGridCellWindow
{
  public:
    explicit CRecordingAreaWindow(CGridCore* pGrid) : m_area(pGrid) {}

    CGridCellArea m_area;
    CRecordingGridDC m_dc;
    CGridInfo* m_pInfo = nullptr;
    int m_nScrolls = 0;
    int m_dx = 0, m_dy = 0;
    int m_nRepaints = 0;
    int m_nSlept = 0;
    bool m_bFocus = false;

    // IGridChild
    void SetSheet(CGridInfo* p) override { m_pInfo = p; }
    void Place(const GRIDRECT&, bool) override {}
    void UpdatePosition() override { m_area.Update(*this); }
    void Repaint() override { ++m_nRepaints; }
    void PaintHinted() override { m_area.Update(*this); }
    void SetFocus() override { m_bFocus = true; }
    bool HasFocus() const override { return m_bFocus; }

    // IGridCellWindow
    bool HasPendingPaint() const override { return false; }
    void FlushPaint() override {}
    void ScrollPixels(int dx, int dy) override
    {
        ++m_nScrolls;
        m_dx += dx;
        m_dy += dy;
    }
    void DrawHinted() override { m_area.PaintCells(&m_dc, m_bFocus); }
    void Sleep(int n) override { m_nSlept += n; }
    GRIDPOINT ToScreen(const GRIDPOINT& pt) const override { return GRIDPOINT{pt.x + 1000, pt.y + 1000}; }

    // A full paint, as an exposed window gets.
    void PaintAll()
    {
        m_area.HintAll();
        m_area.PaintCells(&m_dc, m_bFocus);
    }
    void ResetCounts()
    {
        m_dc.Clear();
        m_area.m_nCellsDrawn = 0;
        m_nScrolls = m_dx = m_dy = 0;
        m_nRepaints = 0;
    }
};

// A grid whose cell area is a recording window, laid out at a given size.
struct AreaFixture : ::testing::Test
{
    CRecordingGrid grid;
    CRecordingAreaWindow wnd{&grid};

    void Build(int cx, int cy, int nCols, long nRows)
    {
        grid.AttachChild(GRID_CHILD_CELLS, &wnd);
        grid.SetLayoutSize(cx, cy);
        grid.SetColCount(nCols);
        grid.SetRowCount(nRows);
        grid.AdjustLayout();
        grid.Clear();
        wnd.PaintAll();
        wnd.ResetCounts();
    }
    CGridCellArea& Area() { return wnd.m_area; }
};
