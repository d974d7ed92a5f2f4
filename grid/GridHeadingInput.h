// CGridHeadingInput: the mouse rules of a heading window, written once for the column heading
// (columns along x, heading rows along y) and the row heading (rows along y, heading columns
// along x): hit tests, sizing zones with their cursors, dragging sizes, best fit on a double
// click, column moves, clicks and the popup.
#pragma once

#include "grid/GridTypes.h"

class CGridCore;

// What the heading window does for its input rules.
class IGridHeadingWindow
{
public:
    virtual ~IGridHeadingWindow() = default;
    virtual void SetCursorKind(int nCursor) = 0; // GRID_CURSOR_*
    virtual void Capture() = 0;
    virtual void Release() = 0;
    // The marker line of a drag, in cell area coordinates; erasing repaints the cells under rc.
    virtual void DrawMarker(const GRIDRECT& rc) = 0;
    virtual void EraseMarker(const GRIDRECT& rc) = 0;
    virtual void RepaintHeading() = 0;
    virtual GRIDPOINT ToScreen(GRIDPOINT pt) const = 0;
};

class CGridHeadingInput
{
public:
    CGridHeadingInput(CGridCore* pGrid, bool bRows) : m_pGrid(pGrid), m_bRows(bRows) {}

    // The heading cell under a point: 0 with column, row and the cell's rectangle (its whole
    // block when joined), else 1 with column and row -1.
    int HitTest(GRIDPOINT pt, int* pnCol, long* pnRow, GRIDRECT* pRect) const;

    void OnMouseMove(GRIDPOINT pt, unsigned nFlags, IGridHeadingWindow& wnd);
    void OnLeftDown(GRIDPOINT pt, unsigned nFlags, IGridHeadingWindow& wnd);
    void OnLeftUp(GRIDPOINT pt, unsigned nFlags, IGridHeadingWindow& wnd);
    void OnLeftDouble(GRIDPOINT pt, unsigned nFlags, IGridHeadingWindow& wnd);
    void OnRightDown(GRIDPOINT pt, IGridHeadingWindow& wnd);
    void OnRightUp(GRIDPOINT pt, IGridHeadingWindow& wnd);

    int GetCursor() const { return m_nCursor; }
    bool IsCaptured() const { return m_bCaptured; }
    bool InZone() const { return m_bZone; }
    // The column drawn highlighted: the move source while a target exists, else -1.
    int HighlightedCol() const { return m_nMoveTarget >= 0 ? m_nMoveSource : -1; }
    int MoveTarget() const { return m_nMoveTarget; }
    // A column move is held past an edge of the cell area: the view keeps scrolling while
    // the window repeats the move.
    bool IsMoveScrolling(GRIDPOINT pt) const;

private:
    // Along the positions (columns or rows) and across them (heading rows or columns).
    int Along(GRIDPOINT pt) const { return m_bRows ? pt.y : pt.x; }
    int Across(GRIDPOINT pt) const { return m_bRows ? pt.x : pt.y; }
    int CellExtent() const;
    int HeadingTotal() const;
    int HeadingSize(int nIndex) const;
    int HeadingCount() const;
    long FirstScrolled() const;
    bool FindPositionZone(int nAlong);
    bool FindHeadingZone(int nAcross);
    void UpdateZone(GRIDPOINT pt, IGridHeadingWindow& wnd);
    void DragSize(GRIDPOINT pt, IGridHeadingWindow& wnd);
    void DragMove(GRIDPOINT pt, IGridHeadingWindow& wnd);
    void DropMove(IGridHeadingWindow& wnd);
    void ShowMarker(const GRIDRECT& rc, IGridHeadingWindow& wnd);
    void ClearMarker(IGridHeadingWindow& wnd);
    int CanResize(long n) const;
    void Resizing(long n, int* pnSize) const;
    void SetSize(long n, int nSize) const;
    int GetSize(long n) const;
    void Click(int nCol, long nRow, int bDown, bool bRight, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);

    CGridCore* m_pGrid;
    bool m_bRows;
    bool m_bCaptured = false;
    bool m_bZone = false;
    bool m_bHeadingZone = false; // the boundary is a heading row's (or column's)
    long m_nSizing = -1;
    int m_nStartSize = 0;
    int m_nStartCoord = 0;
    int m_nStartTotal = 0;
    long m_nRowsAbove = 0; // rows above the pointer at a uniform-height drag's start
    int m_nCursor = 0;
    GRIDRECT m_rcMarker{-1, -1, -1, -1};
    int m_nMoveSource = -1;
    int m_nMoveTarget = -1;
};
