// CGridCore: everything of the grid control that neither paints nor receives window events.
// It owns the sheets, the font, cell-type and data-source tables, lays out the sections, moves
// the current cell, dispatches changes, layers cells and runs the edit protocol. Owners
// specialise the grid by overriding the notifications; CGridCtrl adds the window.
#pragma once

#include "grid/GridCell.h"
#include "grid/GridChild.h"
#include "grid/GridDrawHints.h"
#include "grid/GridFont.h"
#include "grid/GridInfo.h"
#include "grid/GridKeys.h"
#include "grid/GridTypes.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CGridCellType;
class CGridDataSource;
class CGridDropListType;
class CGridDC;
class CGridSheetTabStrip;

// Flags of a find/replace request.
enum GridFindRequest : unsigned
{
    GRID_FR_DOWN = 0x1,
    GRID_FR_WHOLEWORD = 0x2,
    GRID_FR_MATCHCASE = 0x4,
    GRID_FR_FINDNEXT = 0x8,
    GRID_FR_REPLACE = 0x10,
    GRID_FR_REPLACEALL = 0x20,
    GRID_FR_DIALOGTERM = 0x40
};

// How StepCurrentRow and friends move.
enum GridStep : int
{
    GRID_STEP_PREV = 0,
    GRID_STEP_NEXT = 1,
    GRID_STEP_PAGEUP = 2,
    GRID_STEP_PAGEDOWN = 3,
    GRID_STEP_FIRST = 4,
    GRID_STEP_LAST = 5
};

// A growable table of slots; an addition takes the first free slot.
template <class T> class CGridIndexTable
{
public:
    explicit CGridIndexTable(int nGrowBy, int nFirstUsable = 0) : m_nGrowBy(nGrowBy), m_nFirst(nFirstUsable) {}
    int Add(T* p)
    {
        for (size_t i = m_nFirst; i < m_arrSlots.size(); ++i)
            if (!m_arrSlots[i].bInUse)
            {
                m_arrSlots[i] = SLOT{true, p, 1};
                return static_cast<int>(i);
            }
        size_t nOld = m_arrSlots.size();
        m_arrSlots.resize(std::max(nOld, static_cast<size_t>(m_nFirst)) + m_nGrowBy);
        return Add(p);
    }
    T* Get(int n) const
    {
        return (n >= 0 && static_cast<size_t>(n) < m_arrSlots.size() && m_arrSlots[n].bInUse) ? m_arrSlots[n].p
                                                                                                : nullptr;
    }
    int GetCount(int n) const { return Get(n) ? m_arrSlots[n].nCount : 0; }
    void AddRef(int n) { if (Get(n)) ++m_arrSlots[n].nCount; }
    int GetSize() const { return static_cast<int>(m_arrSlots.size()); }

private:
    struct SLOT
    {
        bool bInUse = false;
        T* p = nullptr;
        int nCount = 0;
    };
    std::vector<SLOT> m_arrSlots;
    int m_nGrowBy;
    int m_nFirst;
};

class CGridCore
{
public:
    CGridCore();
    virtual ~CGridCore();
    CGridCore(const CGridCore&) = delete;
    CGridCore& operator=(const CGridCore&) = delete;

    // ---- Notifications, in their fixed order. BOOL-like results: non-zero allows. ----
    virtual void OnSectionGotFocus(int nSection);
    virtual void OnGridSetup();
    virtual void OnSheetCreated(int nSheet);
    virtual int OnCanMoveCurrent(int nOldCol, long nOldRow, int nNewCol, long nNewRow);
    virtual int OnCanScroll(int nOldLeftCol, long nOldTopRow, int nNewLeftCol, long nNewTopRow);
    virtual void OnRowsPastEnd(long nRowCount, long nRowsPastEnd, long nRowsAdded);
    virtual void OnSpare1(int, int);
    virtual int OnCanResizeCol(int nCol);
    virtual void OnColResizing(int nCol, int* pnWidth);
    virtual void OnColResized(int nCol, int* pnWidth);
    virtual int OnCanResizeRow(long nRow);
    virtual void OnRowResizing(long nRow, int* pnHeight);
    virtual void OnRowResized(long nRow, int* pnHeight);
    virtual int OnCanResizeColHeading();
    virtual int OnCanResizeRowHeading();
    virtual int OnColHeadingResizing(int* pnHeight);
    virtual int OnRowHeadingResizing(int* pnWidth);
    virtual int OnColHeadingResized(int* pnHeight);
    virtual int OnRowHeadingResized(int* pnWidth);
    virtual void OnCurrentColChanged(int nOldCol, int nNewCol);
    virtual void OnCurrentRowChanged(long nOldRow, long nNewRow);
    virtual void OnCurrentCellChanged(int nOldCol, int nNewCol, long nOldRow, long nNewRow);
    virtual void OnLeftColChanged(int nOldCol, int nNewCol);
    virtual void OnTopRowChanged(long nOldRow, long nNewRow);
    virtual void OnCellLeftClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);
    virtual void OnCellRightClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);
    virtual void OnCellDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);
    virtual void OnCellMouseMove(int nCol, long nRow, GRIDPOINT* pPoint, unsigned nKeyFlags, int nProcessed);
    virtual void OnColHeadingLeftClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint,
                                       int nProcessed);
    virtual void OnColHeadingRightClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint,
                                        int nProcessed);
    virtual void OnColHeadingDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);
    virtual void OnRowHeadingLeftClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint,
                                       int nProcessed);
    virtual void OnRowHeadingRightClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint,
                                        int nProcessed);
    virtual void OnRowHeadingDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);
    virtual void OnCornerLeftClick(int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);
    virtual void OnCornerRightClick(int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);
    virtual void OnCornerDoubleClick(GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed);
    virtual void OnGridKeyDown(unsigned* pnKey, int nProcessed);
    virtual void OnGridChar(unsigned* pnChar, int nProcessed);
    virtual void OnCellFetched(int nCol, long nRow, CGridCell* pCell);
    virtual void OnCellStoring(int nCol, long nRow, CGridCell* pCell);
    virtual void OnSpare2(int, int, int);
    virtual int OnCellTypeEvent(int nTypeIndex, int nCol, long nRow, int nEvent, intptr_t nParam);
    virtual int OnEditBegin(int nCol, long nRow, IGridEditWindow** ppEdit);
    virtual int OnEditKey(int nCol, long nRow, IGridEditWindow* pEdit, unsigned* pnKey);
    virtual int OnEditEnd(int nCol, long nRow, IGridEditWindow* pEdit, const char* pszText, int bCancelled);
    virtual int OnEditNext(int nOldCol, long nOldRow, int* pnNewCol, long* pnNewRow);
    virtual void OnPopupCommand(int nCol, long nRow, int nSection, int nCommand);
    virtual int OnPopupStart(int nCol, long nRow, int nSection);
    virtual int OnTipText(int nCol, long nRow, int nSection, std::string* pstrText);
    virtual int OnVScrollTip(long nRow, std::string* pstrText);
    virtual int OnHScrollTip(int nCol, std::string* pstrText);
    virtual int OnDropEnter(CGridDropData* pData);
    virtual int OnDropOver(CGridDropData* pData, int nCol, long nRow);
    virtual int OnDropped(CGridDropData* pData, int nCol, long nRow);
    virtual int OnCompareCells(CGridCell* pA, CGridCell* pB, int nFlags);
    virtual void OnPrepareDC(CGridDC* pDC, CGridDC* pSecondDC, int nSection);
    virtual void OnLayoutAdjust(GRIDRECT* pCells, GRIDRECT* pColHeading, GRIDRECT* pRowHeading, GRIDRECT* pCorner,
                                GRIDRECT* pVScroll, GRIDRECT* pHScroll, GRIDRECT* pTabs);
    virtual void OnSheetTabClicked(int nTabId);
    virtual GRIDCOLOR OnBackColor(int nSection);
    virtual void OnDrawFocus(CGridDC* pDC, GRIDRECT* pRect);
    virtual void OnSectionLostFocus(int nSection);
    virtual int OnColDragStart(int nCol);
    virtual int OnCanColDrop(int nFromCol, int nToCol);
    virtual void OnTrackWindowMoved(GRIDRECT* pOld, GRIDRECT* pNew);

    // ---- Counts and sizes ----
    int SetColCount(int nCount, int bRedraw = 1);
    int GetColCount() const { return m_pInfo->m_nColCount; }
    int SetRowCount(long nCount, int bRedraw = 1);
    long GetRowCount() const { return m_pInfo->m_nRowCount; }
    int SetColumnWidth(int nCol, int nWidth);
    int GetColumnWidth(int nCol) const;
    int GetColumnWidth(int nCol, int* pnWidth) const;
    int SetDefaultRowHeight(int nHeight);
    int SetFixedRowHeights(int bFixed);
    int SetRowHeight(long nRow, int nHeight);
    int GetRowHeight(long nRow) const;
    int SetColHeadingHeight(int nHeight);
    int SetRowHeadingWidth(int nWidth);
    int SetColHeadingRowHeight(int nHeadingRow, int nHeight);
    int SetRowHeadingColWidth(int nHeadingCol, int nWidth);
    int AutoFitCols(int nFirstCol, int nLastCol, long nRowsToCheck, int nFlags);
    int StretchColsToWindow(int nFirstCol, int nLastCol);
    int SetHighlightMode(int nMode);

    // ---- Sheet switches the windows read ----
    // Selection mode: 0 off, 1 blocks of cells; with GRID_SEL_WHOLEROWS whole rows are selected,
    // with GRID_SEL_FIRSTDECIDES the first matching block decides membership.
    int SetSelectionMode(int nMode, int nMultiSelectFlags = 0);
    void EnablePopupMenu(int bEnable) { m_pInfo->m_bPopupEnabled = bEnable ? 1 : 0; }
    void EnableJoins(int bEnable) { m_pInfo->m_bJoins = bEnable ? 1 : 0; }
    void SetWholeRowHighlight(int bEnable) { m_pInfo->m_bWholeRowHighlight = bEnable ? 1 : 0; }
    void EnableCellTips(int bEnable) { m_pInfo->m_bCellTips = bEnable ? 1 : 0; }
    // Tips naming the column or row a bar's thumb would bring into view, and on hover the one
    // in view (texts from OnHScrollTip and OnVScrollTip).
    void EnableScrollTips(int bHorizontal, int bVertical)
    {
        m_pInfo->m_bHScrollTips = bHorizontal ? 1 : 0;
        m_pInfo->m_bVScrollTips = bVertical ? 1 : 0;
    }
    void EnableOverflow(int bEnable) { m_pInfo->m_bOverflow = bEnable ? 1 : 0; }
    void EnableGridLines(int bEnable) { m_pInfo->m_bGridLines = bEnable ? 1 : 0; }
    // A held arrow key moves d^3 + 1 cells, d being the repeat count divided by nDivisor (0: one
    // cell always); nDelay milliseconds are waited between the first slow repeats.
    int SetKeyAcceleration(int nDivisor, int nDelay);
    // Dragging beyond the cell area moves (distance in default sizes)^nExponent cells per step
    // (0: one cell, with no delay), waiting nDelay milliseconds after single-cell steps.
    int SetDragScroll(int nExponent, int nDelay);

    // ---- How the moves being made are made (set by the cell area for one handler) ----
    void SetSelInput(int nKind, unsigned nFlags)
    {
        m_nSelInputKind = nKind;
        m_nSelInputFlags = nFlags;
    }
    int GetSelInputKind() const { return m_nSelInputKind; }
    unsigned GetInputFlags() const { return m_nSelInputFlags; }

    // ---- Current cell and scrolling ----
    int CurrentCol() const { return m_pInfo->m_nNotifiedCol; }
    long CurrentRow() const { return m_pInfo->m_nNotifiedRow; }
    int SetCurrentCol(int nCol);
    int SetCurrentRow(long nRow);
    int SetCurrentCell(int nCol, long nRow);
    int StepCurrentCol(int nHow);
    int StepCurrentRow(int nHow);
    int ScrollToCol(int nCol);
    int ScrollToRow(long nRow);
    int StepLeftCol(int nHow);
    int StepTopRow(int nHow);

    // ---- Cell access ----
    int GetCell(int nCol, long nRow, CGridCell* pCell);
    int GetCellResolved(int nCol, long nRow, CGridCell* pCell);
    int SetCell(int nCol, long nRow, CGridCell* pCell);
    int GetCellText(int nCol, long nRow, std::string* pstrText);
    int SetCellText(int nCol, long nRow, const char* pszText);
    int SetCellAlignment(int nCol, long nRow, short nAlignment);
    // The nearest column left of *pnCol whose cell in nRow has text: 0 found, 1 none.
    int FindTextLeftOf(int* pnCol, long nRow);

    // ---- Editing ----
    int BeginEdit();
    int BeginEdit(int nCol, long nRow, unsigned nKey);
    int EndEdit(const char* pszText, int bCancel, int bMoveOn, int nNextCol, long nNextRow);
    int CancelEdit();
    int IsEditing() const { return m_bEditing; }
    int GetEditCol() const { return m_nEditCol; }
    long GetEditRow() const { return m_nEditRow; }
    int GetEditSection() const { return m_nEditSection; }

    // ---- Geometry ----
    int CellFromPoint(int x, int y, int* pnCol, long* pnRow, GRIDRECT* pRect = nullptr);
    int GetCellBounds(int nCol, long nRow, GRIDRECT* pRect);
    // The joined block holding a cell: its origin and its last column and row; false when the
    // cell is not joined.
    bool FindJoinBlock(int nCol, long nRow, int* pnOriginCol, long* pnOriginRow, int* pnLastCol, long* pnLastRow);
    void AdjustLayout();
    void SetLayoutSize(int cx, int cy) { m_szClient = GRIDSIZE{cx, cy}; }

    // ---- Repainting and selection ----
    int RepaintAll();
    int RepaintCell(int nCol, long nRow);
    int RepaintRange(int nCol1, long nRow1, int nCol2, long nRow2);
    int EnableRepaint(int bEnable);
    int IsRepaintEnabled() const { return m_bUpdateEnabled; }
    int ClearSelection();
    int MarkRange(int nCol1, long nRow1, int nCol2, long nRow2);
    int PasteText(const std::string& strText);
    CGridDrawHints& GetDrawHints() { return m_hints; }

    // ---- Tables ----
    int RegisterCellType(CGridCellType* pType);
    CGridCellType* GetCellType(int nIndex) const;
    CGridCellType* GetCellTypeOf(const CGridCell& cell) const;
    // The type of the cell at (nCol, nRow), its column's and the sheet's defaults resolved.
    CGridCellType* GetCellTypeAt(int nCol, long nRow);
    int RegisterDataSource(CGridDataSource* pSource);
    CGridDataSource* GetDataSource(int nIndex) const { return m_dataSources.Get(nIndex); }
    int RegisterFont(const char* pszFace, int nHeight, int nWeight);
    int RegisterFont(const GRIDLOGFONT& lf, const char* pszFace);
    CGridFont* GetGridFont(int nIndex) const { return m_fonts.Get(nIndex); }
    int GetFontRefCount(int nIndex) const { return m_fonts.GetCount(nIndex); }
    int SetDefaultFont(int nIndex);
    CGridDropListType* GetDropListType() const;

    // ---- Sheets and columns ----
    int SetSheetCount(int nCount);
    int GetSheetCount() const { return static_cast<int>(m_arrSheets.size()); }
    int SwitchSheet(int nIndex, int bUpdate);
    int GetCurrentSheet() const { return m_nSheet; }
    CGridInfo* GetSheet() const { return m_pInfo; }
    // The tabs beside the horizontal bar, shared by all sheets; the strip shows once it has a
    // width. With bUserSizing only the bar and the strip move (a drag of the strip's grip).
    CGridSheetTabStrip& GetSheetTabs() { return *m_pTabStrip; }
    int SetSheetTabWidth(int nWidth, bool bUserSizing = false);
    // Gives every sheet the desktop's scroll-bar sizes: sheets made before the window code
    // installed its colour source have the classic ones.
    void ApplySystemBarSizes();
    int MoveColumn(int nFromCol, int nTargetCol, int bBefore);
    int SetColDataSource(int nCol, CGridDataSource* pSource);
    int SetColDefaultCell(int nCol, const CGridCell& cell);

    // ---- Popup menu and find ----
    int StartPopupMenu(int nCol, long nRow, GRIDPOINT* pPoint, int nSection);
    void OnPopupMenuCommand(int nId);
    int HandleFindRequest(unsigned nFrFlags, const std::string& strFind, const std::string& strReplace);

    // ---- Children ----
    void AttachChild(int nSlot, IGridChild* pChild);
    IGridChild* GetChild(int nSlot) const { return m_pChildren[nSlot]; }
    void AttachEditBox(IGridEditWindow* pEdit);
    IGridEditWindow* GetEditBox() const { return m_pEditBox; }
    void SetTrackWindow(IGridTrackWindow* pTrack) { m_pTrackWnd = pTrack; }

    const CGridPen& GetWhitePen() const { return m_penWhite; }
    const CGridPen& GetShadowPen() const { return m_penShadow; }
    int IsConstructionFailed() const { return m_bConstructionFailed; }

protected:
    // Window-side hooks; the plain defaults suit tests.
    virtual bool IsKeyDown(int nKey) const;
    // Shift and Ctrl as the input being handled reports them, else as the keyboard holds them.
    bool IsShiftDown() const { return (m_nSelInputFlags & GRID_MK_SHIFT) || IsKeyDown(GRID_VK_SHIFT); }
    bool IsControlDown() const { return (m_nSelInputFlags & GRID_MK_CONTROL) || IsKeyDown(GRID_VK_CONTROL); }
    virtual GRIDSIZE GetControlClientSize() const { return m_szClient; }
    // Whether the focus is on the control or on one of its own child windows, where a new
    // layout may move it to the cell area; not on the in-place edit, the drop list or a window
    // outside the control.
    virtual bool IsFocusOnControl() const { return true; }
    virtual int TrackPopupMenu(const GRIDPOINT& pt);
    virtual CGridDC* AcquireMeasureDC() { return nullptr; }
    virtual void ReleaseMeasureDC(CGridDC*) {}
    virtual bool FindDialogExists() const { return m_bFindDialog; }
    virtual void OnFindStateReset() {}
    // Screen geometry for the tracking window: a cell-area rectangle on the screen, and the
    // screen's size.
    virtual GRIDRECT CellAreaToScreen(const GRIDRECT& rc) const;
    virtual GRIDSIZE GetScreenSize() const { return GRIDSIZE{1024, 768}; }

    int m_bFindAllCols = 0;
    bool m_bFindDialog = false;

private:
    friend class CGridMultiSelect;
    friend class CGridCellArea;

    // Layout and visibility (GridLayout.cpp).
    void RecalcMaxTopRow(bool bRelayout);
    void RecalcMaxLeftCol();
    void KeepRowVisible();
    void KeepColVisible();
    long PageTarget(long nFrom, int nDir, bool bUseDefaultFromMax) const;
    int PageTargetCol(int nFrom, int nDir) const;
    void PlaceChildren();

    // Moves (GridNavigation.cpp).
    void ResetNotifiedToAnchor();
    int ApplyRowBounds(long* pnRow);
    void ChangeDispatch();
    void KeepTrackWindowClear();
    CGridDataSource* SourceOf(int nCol, int* pnSourceCol) const;
    int DisplayColOfSource(CGridDataSource* pSource, int nSourceCol) const;
    void HintHeadingBlock(int nCol1, long nRow1, int nCol2, long nRow2);

    std::vector<std::unique_ptr<CGridInfo>> m_arrSheets;
    int m_nSheet = 0;
    CGridInfo* m_pInfo = nullptr;

    IGridChild* m_pChildren[GRID_CHILD_COUNT] = {};
    IGridEditWindow* m_pEditBox = nullptr;
    IGridTrackWindow* m_pTrackWnd = nullptr;
    CGridDrawHints m_hints;
    GRIDSIZE m_szClient;
    std::unique_ptr<CGridSheetTabStrip> m_pTabStrip;

    std::vector<std::unique_ptr<CGridCellType>> m_arrBuiltinTypes;
    std::vector<std::unique_ptr<CGridFont>> m_arrOwnedFonts;
    CGridIndexTable<CGridFont> m_fonts{10};
    CGridIndexTable<CGridCellType> m_cellTypes{10};
    CGridIndexTable<CGridDataSource> m_dataSources{16, 1};

    CGridCell m_quickCell;
    CGridCell m_editCell;
    CGridPen m_penWhite{0, 1, 0xFFFFFF};
    CGridPen m_penShadow;

    int m_nSelInputKind = GRID_SEL_KEYS;
    unsigned m_nSelInputFlags = 0;
    int m_bEditing = 0;
    IGridEditWindow* m_pActiveEdit = nullptr;
    int m_nEditCol = -1;
    long m_nEditRow = -1;
    int m_nEditSection = GRID_SECTION_CELLS;
    int m_nPopupCol = -1;
    long m_nPopupRow = -1;
    int m_nPopupSection = 0;
    int m_bUpdateEnabled = 1;
    int m_bConstructionFailed = 0;
    int m_nLayoutDepth = 0;
};
