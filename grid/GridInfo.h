// CGridInfo: everything one sheet of the grid keeps (counts, sizes, positions, switches, its
// default cells, its memory store and its multiple selection), and the column record.
#pragma once

#include "grid/GridCell.h"
#include "grid/GridMemStore.h"
#include "grid/GridMultiSelect.h"
#include "grid/GridTypes.h"

#include <memory>
#include <vector>

class CGridDataSource;
class CGridFont;
class IGridEditWindow;

struct GRIDCOLUMN
{
    int nWidth = 75;
    CGridDataSource* pDataSource = nullptr;
    std::unique_ptr<CGridCell> pDefaultCell;
    int nSourceIndex = 0; // where the data source keeps the column's cells
};

// Rectangles of the seven sections, as AdjustLayout computes them.
enum GridRectIndex : int
{
    GRID_RC_CELLS = 0,
    GRID_RC_COLHEADING,
    GRID_RC_ROWHEADING,
    GRID_RC_CORNER,
    GRID_RC_VSCROLL,
    GRID_RC_HSCROLL,
    GRID_RC_TABS,
    GRID_RC_COUNT
};

// Cursor kinds kept per sheet for the headings' sizing zones.
enum GridCursor : int
{
    GRID_CURSOR_ARROW = 0,
    GRID_CURSOR_SIZEWE = 1,
    GRID_CURSOR_SIZENS = 2
};

struct CGridInfo
{
    CGridInfo();
    ~CGridInfo();
    CGridInfo(const CGridInfo&) = delete;
    CGridInfo& operator=(const CGridInfo&) = delete;

    // Columns.
    int m_nColCount = 0;
    int m_nNotifiedCol = -1;
    int m_nPrevNotifiedCol = -1;
    int m_nLeftCol = 0;
    int m_nPrevLeftCol = 0;
    int m_nMaxLeftCol = 0;
    int m_nDefColWidth = 75;
    int m_nCurrentCol = -1;
    std::vector<GRIDCOLUMN> m_arrCols;

    // Rows.
    long m_nRowCount = 0;
    long m_nNotifiedRow = -1;
    long m_nPrevNotifiedRow = -1;
    long m_nTopRow = 0;
    long m_nPrevTopRow = 0;
    long m_nMaxTopRow = 0;
    std::vector<int> m_arrRowHeights; // empty in uniform-height mode
    int m_nDefRowHeight = 20;
    int m_bUniformHeight = 0;
    long m_nCurrentRow = -1;

    // Headings: heights of the column heading's rows, widths of the row heading's columns.
    std::vector<int> m_arrHeadingRows{20};
    std::vector<int> m_arrHeadingCols{25};
    std::unique_ptr<CGridCell> m_pGridDefault;
    std::unique_ptr<CGridCell> m_pHeadingDefault;
    int m_nColHeadingHeight = 20;
    int m_nRowHeadingWidth = 40;

    // Layout.
    int m_nVScrollWidth;
    int m_nHScrollHeight;
    int m_nTabWidth = 0;
    int m_nCellAreaWidth = 0;
    int m_nCellAreaHeight = 0;
    GRIDRECT m_rcSections[GRID_RC_COUNT];
    int m_bTabsResizing = 0;

    // Switches.
    int m_bWholeRowHighlight = 0;
    int m_nSelectionMode = 0;
    int m_nHighlightMode = 1;
    int m_bPopupEnabled = 0;
    int m_bCellTips = 0;
    int m_bJoins = 1;
    int m_bColMove = 0;
    int m_nDragScrollExp = 0;
    int m_nDragScrollDelay = 200;
    int m_nKeyAccelDivisor = 0;
    int m_nKeyAccelDelay = 0;
    int m_nTextMargin = 4;
    CGridPen m_gridLinePen{0, 1, 0xDCDCDC};
    // Switches read by the cell types, headings and scroll bars.
    int m_bOverflow = 1;
    int m_bGridLines = 1;
    int m_nBevelWidth = 1;
    int m_nSizingMode = 1;
    int m_bBestFitOnDblClick = 1;
    int m_bHLiveTracking = 0;
    int m_nVScrollMode = 0;
    int m_bHScrollTips = 0;
    int m_bVScrollTips = 0;

    CGridFont* m_pDefaultFont = nullptr;
    CGridDataSource* m_pDataSource = nullptr;
    std::unique_ptr<CGridMemStore> m_pMemStore;
    std::unique_ptr<CGridMultiSelect> m_pMultiSelect;
    int m_nCursors[3] = {GRID_CURSOR_ARROW, GRID_CURSOR_SIZEWE, GRID_CURSOR_SIZENS};
    IGridEditWindow* m_pEditWnd = nullptr;

    // Height of a row as laid out (the default height in uniform mode, 0 outside the rows).
    int RowHeight(long nRow) const;
    int ColWidth(int nCol) const;
    int HeadingRowsSum() const;
    int HeadingColsSum() const;
};
