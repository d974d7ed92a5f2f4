// CGridCheckBoxType: a check box and the cell's label; a click on the box or Space toggles
// the cell's number between 0 and 1.
#pragma once

#include "grid/GridCellType.h"

// Cell type parameter bits of the check box.
enum GridCheckBoxParam : int
{
    GRID_CHECK_SUNKEN3D = 0x100,
    GRID_CHECK_RAISED3D = 0x200,
    GRID_CHECK_TICK = 0x1000
};

class CGridCheckBoxType : public CGridCellType
{
  public:
    CGridCheckBoxType();
    const char* GetName() const override;
    const GRIDTYPEID* GetTypeId() const override;
    int OnLeftClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint) override;
    int OnDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint) override;
    int OnChar(int nCol, long nRow, unsigned* pnChar) override;
    void OnDraw(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell, int bSelected,
                int bCurrent) override;

    // The box of a cell rectangle: its size (at most 12) and its top left corner.
    static int BoxSize(const GRIDRECT& rc);
    static GRIDPOINT BoxOrigin(const GRIDRECT& rc);

    CGridPen m_penShadow;
    CGridPen m_penLight{0, 1, 0xE1E1E1};
    CGridPen m_penFace;

  private:
    void DrawBox(CGridDC* pDC, int x, int y, int nSize, int nParam);
    void DrawMark(CGridDC* pDC, int x, int y, int x2, int y2, int nSize, int nParam);
    int Toggle(int nCol, long nRow, bool bByKey);
};
