// CGridCellArea: everything the cell area window does that needs no window. The paint pass
// over the draw hints, the incremental update after moves and scrolls, the key table with its
// acceleration, clicks through the cell types, drag selection with its auto-scroll steps, the
// wheel, focus and cell tips. The window (CGridWnd) translates events and calls in here.
#pragma once

#include "grid/GridTypes.h"

#include <string>

class CGridCore;
class CGridDC;

// What the cell area needs from its window.
class IGridCellWindow
{
  public:
    virtual ~IGridCellWindow() = default;
    // A repaint of some region is already pending; FlushPaint runs it now.
    virtual bool HasPendingPaint() const = 0;
    virtual void FlushPaint() = 0;
    // Moves the shown pixels by (dx, dy).
    virtual void ScrollPixels(int dx, int dy) = 0;
    // Draws what the hints name: a window may paint at once (PaintCells) or ask for a repaint
    // of HintedPixels().
    virtual void DrawHinted() = 0;
    virtual void Sleep(int nMilliseconds) = 0;
    virtual GRIDPOINT ToScreen(const GRIDPOINT& pt) const = 0;
};

class CGridCellArea
{
  public:
    enum
    {
        MAX_TIP_LENGTH = 79,
        MIN_DRAG_INTERVAL = 20
    };

    explicit CGridCellArea(CGridCore* pGrid) : m_pGrid(pGrid) {}

    // ---- Painting ----
    // Draws the hinted cells, fills the space beyond the last row and column and draws the
    // focus rectangle; the hints are empty afterwards.
    void PaintCells(CGridDC* pDC, bool bFocus);
    void HintAll();
    // Hints the cells that cover a rectangle of the area (an exposed region).
    void HintPixels(const GRIDRECT& rc);
    // The rectangle of the area the current hints cover.
    GRIDRECT HintedPixels() const;
    // Follows a move, scroll or repaint request: scrolls the pixels that stay, hints what came
    // into view and the old and new notified cells, and draws.
    void Update(IGridCellWindow& wnd);

    // ---- Input; key and mouse flags are GRID_MK_* ----
    // Returns 1 when the key moved or was handled, 0 when the window should pass it on.
    int OnKeyDown(unsigned nKey, unsigned nFlags, IGridCellWindow& wnd);
    void OnKeyUp() { m_nKeyRepeat = 0; }
    void OnChar(unsigned nChar, unsigned nFlags);
    // Returns true when the press was taken (the window then captures the mouse).
    bool OnLeftDown(GRIDPOINT pt, unsigned nFlags);
    void OnLeftUp(GRIDPOINT pt, unsigned nFlags);
    void OnLeftDoubleClick(GRIDPOINT pt, unsigned nFlags);
    void OnRightDown(GRIDPOINT pt, unsigned nFlags, const IGridCellWindow& wnd);
    void OnRightUp(GRIDPOINT pt, unsigned nFlags);
    void OnRightDoubleClick(GRIDPOINT pt, unsigned nFlags);
    // Returns the milliseconds after which DragStep should run again (the point lies outside
    // the area with the left button down), or 0.
    int OnMouseMove(GRIDPOINT pt, unsigned nFlags);
    int DragStep(GRIDPOINT pt, unsigned nFlags);
    void OnWheel(int nDelta);
    void OnSetFocus();
    void OnKillFocus();
    // -1 off the cells; 0 when the point entered another cell (a showing tip should go);
    // 1 with the tip text of the cell.
    int GetTipText(GRIDPOINT pt, std::string* pstrText);

    bool HasFocus() const { return m_bFocus; }
    bool IsCellCaptured() const { return m_bCellCaptured; }
    int GetKeyRepeat() const { return m_nKeyRepeat; }
    int GetLastVisibleCol() const { return m_nLastVisibleCol; }
    long GetLastVisibleRow() const { return m_nLastVisibleRow; }
    // Cells drawn by the last paint passes, for counting.
    long m_nCellsDrawn = 0;

  private:
    struct HIT
    {
        int nCol = -1;
        long nRow = -1;
        GRIDRECT rc;
        bool bHit = false;
    };
    HIT HitTest(GRIDPOINT pt);
    void HintNotified(int nCol, long nRow);
    // Drag auto-scroll along one axis: the cells to move for a point nOver pixels beyond the
    // edge, with the default size of the axis.
    int DragCount(int nOver, int nDefault) const;

    CGridCore* m_pGrid;
    bool m_bFocus = false;
    bool m_bCellCaptured = false;
    int m_nKeyRepeat = 0;
    int m_nLastVisibleCol = 0;
    long m_nLastVisibleRow = 0;
    bool m_bLastColCut = true;
    bool m_bLastRowCut = true;
    int m_nTipCol = -1;
    long m_nTipRow = -1;
};
