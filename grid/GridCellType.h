// CGridCellType: draws cells and reacts to mouse and keys on their behalf. The base class is
// the normal (text) type; the three other built-in types are registered beside it.
#pragma once

#include "grid/GridTypes.h"

class CGridCell;
class CGridCore;
class CGridDC;

// Events sent with OnCellTypeEvent.
enum GridCellTypeEvent : int
{
    CTE_CHECK_TOGGLED = 53,
    CTE_LIST_OPENING = 100,
    CTE_LIST_SELECTED = 101
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

    int m_bEditable = 1;
    int m_bUseLabel = 0;
    int m_bCanOverflow = 1;
    CGridCore* m_pGrid = nullptr;
    int m_nTypeIndex = -1;
};

class CGridDropListType : public CGridCellType
{
public:
    CGridDropListType();
    const char* GetName() const override;
    const GRIDTYPEID* GetTypeId() const override;
    int GetEditRect(GRIDRECT* pRect) override;
    void OnLostCurrent(int, long, CGridCell*) override;

    int m_nButtonWidth;
    int m_bPressed = 0;
    int m_nListCol = -1;
    long m_nListRow = -1;
};

class CGridCheckBoxType : public CGridCellType
{
public:
    CGridCheckBoxType();
    const char* GetName() const override;
    const GRIDTYPEID* GetTypeId() const override;
};

class CGridArrowType : public CGridCellType
{
public:
    CGridArrowType();
};
