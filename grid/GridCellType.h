// CGridCellType: draws cells and reacts to mouse and keys on their behalf. The base class is
// the normal (text) type and holds the drawing steps every type shares: border, text, bitmap
// and the overflow of text into empty neighbours.
#pragma once

#include "grid/GridTypes.h"

#include <cstdint>

class CGridBitmap;
class CGridCell;
class CGridCore;
class CGridDC;
struct CGridInfo;

// Events sent with OnCellTypeEvent.
enum GridCellTypeEvent : int
{
    CTE_CHECK_TOGGLED = 53,
    CTE_LIST_OPENING = 100,
    CTE_LIST_SELECTED = 101
};

// Border style bits of a cell.
enum GridBorderStyle : int
{
    GRID_BORDER_LEFT = 0x1,
    GRID_BORDER_TOP = 0x2,
    GRID_BORDER_RIGHT = 0x4,
    GRID_BORDER_BOTTOM = 0x8,
    GRID_BORDER_MEDIUM_SHIFT = 4, // 0x10 .. 0x80
    GRID_BORDER_THICK_SHIFT = 8,  // 0x100 .. 0x800
    GRID_BORDER_SUNKEN = 0x1000,
    GRID_BORDER_RAISED = 0x2000
};

// Alignment bits of a cell.
enum GridAlignment : int
{
    GRID_ALIGN_RIGHT = 0x2,
    GRID_ALIGN_CENTER = 0x4,
    GRID_ALIGN_BOTTOM = 0x10,
    GRID_ALIGN_VCENTER = 0x20
};

struct GRIDTYPEID
{
    unsigned char bytes[16];
};

class CGridCellType
{
public:
    CGridCellType();
    virtual ~CGridCellType() = default;

    virtual const char* GetName() const;
    virtual const GRIDTYPEID* GetTypeId() const;
    virtual int GetEditRect(GRIDRECT* pRect);
    virtual int Spare1(int, int) { return -1; }
    virtual int Spare2(int, int) { return -1; }
    virtual int OnSysColorChange() { return 0; }
    virtual int OnLeftClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint);
    virtual int OnRightClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint);
    virtual int OnDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint);
    virtual int OnKeyDown(int nCol, long nRow, unsigned* pnKey);
    virtual int OnChar(int nCol, long nRow, unsigned* pnChar);
    virtual int OnMouseMove(int nCol, long nRow, GRIDPOINT* pPoint, unsigned nKeyFlags);
    virtual void OnDraw(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell, int bSelected,
                        int bCurrent);
    virtual void OnDrawScaled(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell);
    virtual void OnGotCurrent(int, long, CGridCell*) {}
    virtual void OnLostCurrent(int, long, CGridCell*) {}
    virtual void MeasureFit(CGridDC* pDC, GRIDSIZE* pSize, CGridCell* pCell);

    // Shared drawing steps (GridCellDraw.cpp).
    void DrawCellBorder(CGridDC* pDC, const GRIDRECT& rcIn, GRIDRECT* pOut, const CGridCell* pCell);
    void DrawCellText(CGridDC* pDC, const GRIDRECT& rcIn, int nOffset, int nCol, long nRow, CGridCell* pCell,
                      int bSelected, int bCurrent);
    int DrawCellBitmap(CGridDC* pDC, CGridBitmap* pBitmap, const GRIDRECT& rc, GRIDCOLOR crBack);
    bool CanOverflow(const CGridCell& cell) const;
    // Finds the cell left of (nCol, nRow) whose text runs on into it: its column, the cell and
    // the offset at which this cell continues the text.
    bool FindOverflow(CGridDC* pDC, int nCol, long nRow, int* pnSourceCol, CGridCell* pSource, int* pnOffset);

    int m_bEditable = 1;
    int m_bUseLabel = 0;
    int m_bCanOverflow = 1;
    CGridCore* m_pGrid = nullptr;
    int m_nTypeIndex = -1;

protected:
    const CGridInfo* Sheet() const;
    bool IsHighlighted(int bSelected, int bCurrent) const;
    int SendEvent(int nCol, long nRow, int nEvent, intptr_t nParam);
};
