// CGridEditState: the rules of the in-place edit box, kept apart from its window. It records how
// an edit ends (cancelled, moving on, and to which cell), filters typed characters through the
// grid's OnEditKey, hands the text to EndEdit when the focus leaves and computes how the box
// grows to keep its text visible.
#pragma once

#include "grid/GridTypes.h"

#include <functional>
#include <string>

class CGridCore;
class CGridDC;
class IGridEditWindow;

class CGridEditState
{
public:
    // Finds the cell under a point of the host window; false when there is none.
    using CellHit = std::function<bool(int x, int y, GRIDRECT* pCell)>;

    // The box gained the focus while nBoxHeight pixels high (its border included).
    void OnGainFocus(int nBoxHeight);

    // A key went down (grid key code). True when the key ends the edit: the request is recorded
    // and the caller moves the focus to the grid; false lets the box process the key itself.
    bool OnKeyDown(unsigned nKey, bool bShift, int nEditCol, long nEditRow);

    // A character was typed. True when the box should insert *pnChar (which OnEditKey may have
    // changed); refused characters and Tab, Enter and Escape are dropped.
    static bool FilterChar(CGridCore& grid, IGridEditWindow* pEdit, unsigned* pnChar);

    // The focus left the box; bInGrid tells whether it went to the grid or one of its direct
    // children. Returns EndEdit's answer: 0 when the text was refused and the edit goes on.
    int OnLoseFocus(CGridCore& grid, bool bInGrid, const std::string& strText);

    // The rectangle the box grows to, or rcBox when it keeps its size. rcBox is the box in the
    // host's client coordinates, rcClient the host's client rectangle, and szText the size the
    // text needs when broken into lines within the width from rcBox.left + 2 to rcClient.right.
    // The box grows by whole cells and never shrinks; m_nHeight follows the result.
    GRIDRECT Grow(const GRIDRECT& rcBox, const GRIDRECT& rcClient, GRIDSIZE szText, const CellHit& hit);

    // The size text broken at spaces and line ends takes within nWidth pixels.
    static GRIDSIZE MeasureWrapped(CGridDC& dc, const std::string& strText, int nWidth);

    bool HasGrown() const { return m_nHeight != m_nStartHeight; }

    bool m_bCancel = false;
    bool m_bMove = false;
    int m_nNextCol = 0;
    long m_nNextRow = 0;
    bool m_bAutoSize = true;
    int m_nStartHeight = 0;
    int m_nHeight = 0;
};
