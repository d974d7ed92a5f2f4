// CGridCornerInput: the corner button's mouse rules. Its right edge sizes the row heading's
// width, its bottom edge the column heading's height; presses raise the corner notifications.
#pragma once

#include "grid/GridHeadingInput.h"

class CGridCornerInput
{
public:
    explicit CGridCornerInput(CGridCore* pGrid) : m_pGrid(pGrid) {}

    // rc: the corner's rectangle in its own coordinates.
    void OnMouseMove(GRIDPOINT pt, unsigned nFlags, const GRIDRECT& rc, IGridHeadingWindow& wnd);
    void OnLeftDown(GRIDPOINT pt, const GRIDRECT& rc, IGridHeadingWindow& wnd);
    void OnLeftUp(GRIDPOINT pt, const GRIDRECT& rc, IGridHeadingWindow& wnd);
    void OnLeftDouble(GRIDPOINT pt, const GRIDRECT& rc);
    void OnRightDown(GRIDPOINT pt, const GRIDRECT& rc, IGridHeadingWindow& wnd);
    void OnRightUp(GRIDPOINT pt, const GRIDRECT& rc);

    bool IsCaptured() const { return m_bCaptured; }
    int GetCursor() const { return m_nCursor; }

private:
    CGridCore* m_pGrid;
    bool m_bCaptured = false;
    bool m_bSizing = false;
    bool m_bVertical = false;   // sizing the column heading's height
    bool m_bHorizontal = false; // sizing the row heading's width
    int m_nCursor = 0;
};
