// CGridCore: the default bodies of the notifications, which a control derived from the core
// overrides to take part.
#include "grid/GridCore.h"

#include "grid/GridColors.h"
#include "grid/GridDC.h"
#include "grid/GridDataSource.h"
#include "res/StringTable.h"

// One line each: the bodies read as a table.
// clang-format off
void CGridCore::OnSectionGotFocus(int) {}
void CGridCore::OnGridSetup() {}
void CGridCore::OnSheetCreated(int) {}
int CGridCore::OnCanMoveCurrent(int, long, int, long) { return 1; }
int CGridCore::OnCanScroll(int, long, int, long) { return 1; }
void CGridCore::OnRowsPastEnd(long, long, long) {}
void CGridCore::OnSpare1(int, int) {}
int CGridCore::OnCanResizeCol(int) { return 1; }
void CGridCore::OnColResizing(int, int*) {}
void CGridCore::OnColResized(int, int*) {}
int CGridCore::OnCanResizeRow(long) { return 1; }
void CGridCore::OnRowResizing(long, int*) {}
void CGridCore::OnRowResized(long, int*) {}
int CGridCore::OnCanResizeColHeading() { return 1; }
int CGridCore::OnCanResizeRowHeading() { return 1; }
int CGridCore::OnColHeadingResizing(int*) { return 1; }
int CGridCore::OnRowHeadingResizing(int*) { return 1; }
int CGridCore::OnColHeadingResized(int*) { return 1; }
int CGridCore::OnRowHeadingResized(int*) { return 1; }
void CGridCore::OnCurrentColChanged(int, int) {}
void CGridCore::OnCurrentRowChanged(long, long) {}
void CGridCore::OnCurrentCellChanged(int, int, long, long) {}
void CGridCore::OnLeftColChanged(int, int) {}
void CGridCore::OnTopRowChanged(long, long) {}
void CGridCore::OnCellLeftClick(int, long, int, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnCellRightClick(int, long, int, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnCellDoubleClick(int, long, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnCellMouseMove(int, long, GRIDPOINT*, unsigned, int) {}
void CGridCore::OnColHeadingLeftClick(int, long, int, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnColHeadingRightClick(int, long, int, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnColHeadingDoubleClick(int, long, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnRowHeadingLeftClick(int, long, int, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnRowHeadingRightClick(int, long, int, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnRowHeadingDoubleClick(int, long, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnCornerLeftClick(int, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnCornerRightClick(int, GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnCornerDoubleClick(GRIDRECT*, GRIDPOINT*, int) {}
void CGridCore::OnGridKeyDown(unsigned*, int) {}
void CGridCore::OnGridChar(unsigned*, int) {}
void CGridCore::OnCellFetched(int, long, CGridCell*) {}
void CGridCore::OnCellStoring(int, long, CGridCell*) {}
void CGridCore::OnSpare2(int, int, int) {}
int CGridCore::OnCellTypeEvent(int, int, long, int, intptr_t) { return 1; }
int CGridCore::OnEditBegin(int, long, IGridEditWindow**) { return 1; }
int CGridCore::OnEditKey(int, long, IGridEditWindow*, unsigned*) { return 1; }
int CGridCore::OnEditEnd(int, long, IGridEditWindow*, const char*, int) { return 1; }
int CGridCore::OnEditNext(int, long, int*, long*) { return 1; }
void CGridCore::OnPopupCommand(int, long, int, int) {}
int CGridCore::OnPopupStart(int, long, int) { return 1; }

int CGridCore::OnTipText(int nCol, long nRow, int, std::string* pstrText)
{
    if (pstrText)
        *pstrText = FormatStringId(IDS_GRID_CELLTIP, {std::to_string(nCol), std::to_string(nRow)});
    return 1;
}

int CGridCore::OnVScrollTip(long, std::string*) { return 1; }
int CGridCore::OnHScrollTip(int, std::string*) { return 1; }
int CGridCore::OnDropEnter(CGridDropData*) { return 0; }
int CGridCore::OnDropOver(CGridDropData*, int, long) { return 0; }
int CGridCore::OnDropped(CGridDropData*, int, long) { return 0; }
int CGridCore::OnCompareCells(CGridCell* pA, CGridCell* pB, int nFlags) { return GridDefaultCompareCells(pA, pB, nFlags); }
void CGridCore::OnPrepareDC(CGridDC*, CGridDC*, int) {}
void CGridCore::OnLayoutAdjust(GRIDRECT*, GRIDRECT*, GRIDRECT*, GRIDRECT*, GRIDRECT*, GRIDRECT*, GRIDRECT*) {}
void CGridCore::OnSheetTabClicked(int) {}

GRIDCOLOR CGridCore::OnBackColor(int nSection)
{
    return GridGetSysColor(nSection == GRID_SECTION_CELLS ? GRID_COLOR_WINDOW : GRID_COLOR_BTNFACE);
}

void CGridCore::OnDrawFocus(CGridDC* pDC, GRIDRECT* pRect)
{
    if (!pDC || !pRect)
        return;
    GRIDRECT rc = *pRect;
    rc.right -= 1;
    rc.bottom -= 1;
    pDC->DrawFocusRect(rc);
}

void CGridCore::OnSectionLostFocus(int) {}
int CGridCore::OnColDragStart(int) { return 1; }
int CGridCore::OnCanColDrop(int, int) { return 1; }
void CGridCore::OnTrackWindowMoved(GRIDRECT*, GRIDRECT*) {}

bool CGridCore::IsKeyDown(int) const { return false; }
int CGridCore::TrackPopupMenu(const GRIDPOINT&) { return 1; }
// clang-format on
