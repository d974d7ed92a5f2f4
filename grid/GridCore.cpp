// CGridCore: construction, the notifications' default bodies, counts and sizes, the tables,
// sheets, column moves, the popup menu, the find handler, pasting and repaint requests.
#include "grid/GridCore.h"

#include "grid/GridArrowType.h"
#include "grid/GridCellType.h"
#include "grid/GridCheckBoxType.h"
#include "grid/GridDropListType.h"
#include "grid/GridColors.h"
#include "grid/GridDC.h"
#include "grid/GridDataSource.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"

#include <cmath>
#include <cstdio>
#include <cstring>

CGridCore::CGridCore()
{
    m_penShadow = CGridPen{0, 1, GridGetSysColor(GRID_COLOR_BTNSHADOW)};
    m_arrBuiltinTypes.push_back(std::make_unique<CGridCellType>());
    m_arrBuiltinTypes.push_back(std::make_unique<CGridDropListType>());
    m_arrBuiltinTypes.push_back(std::make_unique<CGridCheckBoxType>());
    m_arrBuiltinTypes.push_back(std::make_unique<CGridArrowType>());
    SetSheetCount(1);
    for (auto& pType : m_arrBuiltinTypes)
        RegisterCellType(pType.get());
}

CGridCore::~CGridCore()
{
    for (auto& pSheet : m_arrSheets)
        pSheet->m_pMemStore->DeleteAll();
}

// ---- Default bodies of the notifications ----

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

// ---- Counts and sizes ----

int CGridCore::SetColCount(int nCount, int bRedraw)
{
    if (nCount < 0 || nCount > 32000)
        return 1;
    CGridInfo& s = *m_pInfo;
    const int nOld = s.m_nColCount;
    s.m_arrCols.resize(static_cast<size_t>(nCount));
    for (int i = nOld; i < nCount; ++i)
    {
        GRIDCOLUMN& c = s.m_arrCols[static_cast<size_t>(i)];
        c.nWidth = s.m_nDefColWidth;
        c.pDataSource = s.m_pDataSource;
        c.pDefaultCell = std::make_unique<CGridCell>(*s.m_pGridDefault);
        c.nSourceIndex = i;
    }
    s.m_nColCount = nCount;
    RecalcMaxLeftCol();
    if (s.m_nCurrentCol >= nCount)
        s.m_nCurrentCol = nCount - 1;
    if (s.m_nNotifiedCol >= nCount)
        s.m_nNotifiedCol = s.m_nPrevNotifiedCol = nCount - 1;
    if (s.m_nCurrentCol < 0 && nCount > 0)
        SetCurrentCol(0);
    if (bRedraw)
        RepaintAll();
    return 0;
}

int CGridCore::SetRowCount(long nCount, int bRedraw)
{
    if (nCount < 0)
        return 1;
    CGridInfo& s = *m_pInfo;
    if (nCount > 64000 && !s.m_bUniformHeight)
        SetFixedRowHeights(1);
    if (!s.m_bUniformHeight)
        s.m_arrRowHeights.resize(static_cast<size_t>(nCount), s.m_nDefRowHeight);
    s.m_nRowCount = nCount;
    const long nOldTop = s.m_nTopRow;
    RecalcMaxTopRow(true);
    if (s.m_nTopRow != nOldTop)
        ChangeDispatch();
    if (s.m_nCurrentRow >= nCount)
        s.m_nCurrentRow = nCount - 1;
    if (s.m_nNotifiedRow >= nCount)
        s.m_nNotifiedRow = s.m_nPrevNotifiedRow = nCount - 1;
    if (s.m_nCurrentRow < 0 && nCount > 0)
        SetCurrentRow(0);
    if (bRedraw)
        RepaintAll();
    return 0;
}

int CGridCore::SetColumnWidth(int nCol, int nWidth)
{
    if (nCol < 0)
    {
        SetRowHeadingColWidth(nCol, nWidth);
        return 1;
    }
    if (nCol >= m_pInfo->m_nColCount)
        return 1;
    m_pInfo->m_arrCols[static_cast<size_t>(nCol)].nWidth = std::max(0, nWidth);
    RecalcMaxLeftCol();
    return 0;
}

int CGridCore::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_pInfo->m_nColCount)
        return 1;
    return m_pInfo->m_arrCols[static_cast<size_t>(nCol)].nWidth;
}

int CGridCore::GetColumnWidth(int nCol, int* pnWidth) const
{
    if (nCol < 0 || nCol >= m_pInfo->m_nColCount)
        return 1;
    if (pnWidth)
        *pnWidth = m_pInfo->m_arrCols[static_cast<size_t>(nCol)].nWidth;
    return 0;
}

int CGridCore::SetDefaultRowHeight(int nHeight)
{
    if (nHeight < 1 || nHeight > 1024)
        return 1;
    m_pInfo->m_nDefRowHeight = nHeight;
    RecalcMaxTopRow(false);
    return 0;
}

int CGridCore::SetFixedRowHeights(int bFixed)
{
    CGridInfo& s = *m_pInfo;
    if (bFixed)
    {
        s.m_arrRowHeights.clear();
        s.m_arrRowHeights.shrink_to_fit();
        s.m_bUniformHeight = 1;
    }
    else
    {
        s.m_arrRowHeights.assign(static_cast<size_t>(s.m_nRowCount), s.m_nDefRowHeight);
        s.m_bUniformHeight = 0;
    }
    return 0;
}

int CGridCore::SetRowHeight(long nRow, int nHeight)
{
    CGridInfo& s = *m_pInfo;
    if (nRow < 0 || nRow >= s.m_nRowCount)
        return 0;
    nHeight = std::max(0, nHeight);
    if (s.m_bUniformHeight)
        s.m_nDefRowHeight = std::max(1, nHeight);
    else
        s.m_arrRowHeights[static_cast<size_t>(nRow)] = nHeight;
    RecalcMaxTopRow(false);
    return 0;
}

int CGridCore::GetRowHeight(long nRow) const { return m_pInfo->RowHeight(nRow); }

// Rescales heading sizes to a new total: each becomes round(total / old sum * size).
static void RescaleHeadings(std::vector<int>& arrSizes, int nTotal)
{
    int nSum = 0;
    for (int n : arrSizes)
        nSum += n;
    if (nSum == 0)
        return;
    for (int& n : arrSizes)
        n = static_cast<int>(static_cast<double>(nTotal) / nSum * n + 0.5);
}

int CGridCore::SetColHeadingHeight(int nHeight)
{
    if (nHeight < 0 || nHeight > 1024)
        return 1;
    RescaleHeadings(m_pInfo->m_arrHeadingRows, nHeight);
    m_pInfo->m_nColHeadingHeight = nHeight;
    AdjustLayout();
    return 0;
}

int CGridCore::SetRowHeadingWidth(int nWidth)
{
    if (nWidth < 0 || nWidth > 1024)
        return 1;
    RescaleHeadings(m_pInfo->m_arrHeadingCols, nWidth);
    m_pInfo->m_nRowHeadingWidth = nWidth;
    AdjustLayout();
    return 0;
}

int CGridCore::SetColHeadingRowHeight(int nHeadingRow, int nHeight)
{
    const int nIndex = ~nHeadingRow;
    if (nHeadingRow >= 0 || nIndex >= static_cast<int>(m_pInfo->m_arrHeadingRows.size()))
        return 1;
    if (nHeight < 0 || nHeight > 1024)
        return 2;
    m_pInfo->m_arrHeadingRows[static_cast<size_t>(nIndex)] = nHeight;
    return 0;
}

int CGridCore::SetRowHeadingColWidth(int nHeadingCol, int nWidth)
{
    const int nIndex = ~nHeadingCol;
    if (nHeadingCol >= 0 || nIndex >= static_cast<int>(m_pInfo->m_arrHeadingCols.size()))
        return 1;
    if (nWidth < 0 || nWidth > 1024)
        return 2;
    m_pInfo->m_arrHeadingCols[static_cast<size_t>(nIndex)] = nWidth;
    if (m_pInfo->m_arrHeadingCols.size() == 1)
        SetRowHeadingWidth(nWidth);
    return 0;
}

int CGridCore::SetSelectionMode(int nMode, int nMultiSelectFlags)
{
    if (nMode < 0 || nMode > 3)
        return 1;
    m_pInfo->m_nSelectionMode = nMode;
    m_pInfo->m_pMultiSelect->m_nMode =
        nMultiSelectFlags & (CGridMultiSelect::MODE_WHOLEROWS | CGridMultiSelect::MODE_FIRSTDECIDES);
    return 0;
}

int CGridCore::SetKeyAcceleration(int nDivisor, int nDelay)
{
    if (nDivisor < 0 || nDelay < 0)
        return 1;
    m_pInfo->m_nKeyAccelDivisor = nDivisor;
    m_pInfo->m_nKeyAccelDelay = nDelay;
    return 0;
}

int CGridCore::SetDragScroll(int nExponent, int nDelay)
{
    if (nExponent < 0 || nDelay < 0)
        return 1;
    m_pInfo->m_nDragScrollExp = nExponent;
    m_pInfo->m_nDragScrollDelay = nDelay;
    return 0;
}

int CGridCore::SetHighlightMode(int nMode)
{
    if (nMode < 0 || nMode > 3)
        return 1;
    m_pInfo->m_nHighlightMode = nMode;
    return 0;
}

// ---- Tables ----

int CGridCore::RegisterCellType(CGridCellType* pType)
{
    if (!pType)
        return -1;
    const int n = m_cellTypes.Add(pType);
    pType->m_pGrid = this;
    pType->m_nTypeIndex = n;
    return n;
}

CGridCellType* CGridCore::GetCellType(int nIndex) const { return m_cellTypes.Get(nIndex); }

CGridDropListType* CGridCore::GetDropListType() const
{
    return static_cast<CGridDropListType*>(m_arrBuiltinTypes[1].get());
}

CGridCellType* CGridCore::GetCellTypeOf(const CGridCell& cell) const
{
    CGridCellType* p = m_cellTypes.Get(cell.GetCellType());
    return p ? p : m_cellTypes.Get(0);
}

CGridCellType* CGridCore::GetCellTypeAt(int nCol, long nRow)
{
    CGridCell cell;
    GetCellResolved(nCol, nRow, &cell);
    return GetCellTypeOf(cell);
}

int CGridCore::RegisterDataSource(CGridDataSource* pSource)
{
    if (!pSource)
        return 1;
    const int n = m_dataSources.Add(pSource);
    pSource->SetGrid(this);
    pSource->SetSourceIndex(n);
    return n;
}

int CGridCore::RegisterFont(const char* pszFace, int nHeight, int nWeight)
{
    GRIDLOGFONT lf;
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    return RegisterFont(lf, pszFace);
}

// Fonts are shared: the same description and face name give the same index, counted.
int CGridCore::RegisterFont(const GRIDLOGFONT& lf, const char* pszFace)
{
    std::string strFace = pszFace ? pszFace : "";
    if (strFace.size() >= 32)
        strFace.clear();
    for (int i = 0; i < m_fonts.GetSize(); ++i)
    {
        CGridFont* p = m_fonts.Get(i);
        if (p && std::memcmp(&p->GetLogFont(), &lf, sizeof lf) == 0 && p->GetFaceName() == strFace)
        {
            m_fonts.AddRef(i);
            return i;
        }
    }
    m_arrOwnedFonts.push_back(std::make_unique<CGridFont>(lf, strFace));
    return m_fonts.Add(m_arrOwnedFonts.back().get());
}

int CGridCore::SetDefaultFont(int nIndex)
{
    CGridFont* p = m_fonts.Get(nIndex);
    if (!p)
        return 1;
    m_pInfo->m_pDefaultFont = p;
    return 0;
}

// ---- Sheets and columns ----

int CGridCore::SetSheetCount(int nCount)
{
    if (nCount < 1 || nCount > 1024)
        return 1;
    const int nOld = GetSheetCount();
    const int nTabWidth = m_pInfo ? m_pInfo->m_nTabWidth : 0;
    if (nCount < nOld)
    {
        // Sheets going away must not stay pointed at by the children.
        if (m_nSheet >= nCount)
        {
            m_arrSheets[static_cast<size_t>(nCount - 1)]->m_nTabWidth = nTabWidth;
            SwitchSheet(nCount - 1, 1);
        }
        m_arrSheets.resize(static_cast<size_t>(nCount));
        return 0;
    }
    const int nKeep = m_nSheet;
    for (int i = nOld; i < nCount; ++i)
    {
        auto pSheet = std::make_unique<CGridInfo>();
        pSheet->m_pMemStore->SetGrid(this);
        pSheet->m_pMultiSelect->m_pGrid = this;
        pSheet->m_pEditWnd = m_pEditBox;
        m_arrSheets.push_back(std::move(pSheet));
        m_nSheet = i;
        m_pInfo = m_arrSheets.back().get();
        OnSheetCreated(i);
    }
    m_nSheet = nOld > 0 ? nKeep : 0;
    m_pInfo = m_arrSheets[static_cast<size_t>(m_nSheet)].get();
    return 0;
}

int CGridCore::SwitchSheet(int nIndex, int bUpdate)
{
    if (nIndex < 0 || nIndex >= GetSheetCount())
        return 1;
    const int bWasEnabled = m_bUpdateEnabled;
    if (!bUpdate)
        m_bUpdateEnabled = 0;
    if (m_pChildren[GRID_CHILD_CELLS])
        m_pChildren[GRID_CHILD_CELLS]->SetFocus();
    CGridInfo* pNew = m_arrSheets[static_cast<size_t>(nIndex)].get();
    pNew->m_nTabWidth = m_pInfo->m_nTabWidth;
    for (int i = 0; i < GRID_CHILD_COUNT; ++i)
        if (m_pChildren[i] && i != GRID_CHILD_HINT)
            m_pChildren[i]->SetSheet(pNew);
    m_nSheet = nIndex;
    m_pInfo = pNew;
    m_hints.Reset();
    AdjustLayout();
    m_bUpdateEnabled = bWasEnabled;
    return 0;
}

int CGridCore::MoveColumn(int nFromCol, int nTargetCol, int bBefore)
{
    std::vector<GRIDCOLUMN>& arrCols = m_pInfo->m_arrCols;
    const int nCount = m_pInfo->m_nColCount;
    const int nInsert = bBefore ? nTargetCol : nTargetCol + 1;
    if (nFromCol < 0 || nFromCol >= nCount || nInsert < 0 || nInsert > nCount)
        return 1;
    if (nInsert == nFromCol || nInsert == nFromCol + 1)
        return 0;
    GRIDCOLUMN col = std::move(arrCols[static_cast<size_t>(nFromCol)]);
    arrCols.erase(arrCols.begin() + nFromCol);
    const int nAt = nInsert > nFromCol ? nInsert - 1 : nInsert;
    arrCols.insert(arrCols.begin() + nAt, std::move(col));
    return 0;
}

int CGridCore::SetColDataSource(int nCol, CGridDataSource* pSource)
{
    if (nCol < 0 || nCol >= m_pInfo->m_nColCount)
        return 1;
    m_pInfo->m_arrCols[static_cast<size_t>(nCol)].pDataSource = pSource ? pSource : m_pInfo->m_pDataSource;
    return 0;
}

int CGridCore::SetColDefaultCell(int nCol, const CGridCell& cell)
{
    if (nCol < 0 || nCol >= m_pInfo->m_nColCount)
        return 1;
    cell.CopyTo(m_pInfo->m_arrCols[static_cast<size_t>(nCol)].pDefaultCell.get());
    return 0;
}

// ---- Children ----

void CGridCore::AttachChild(int nSlot, IGridChild* pChild)
{
    if (nSlot < 0 || nSlot >= GRID_CHILD_COUNT)
        return;
    m_pChildren[nSlot] = pChild;
    if (pChild && nSlot != GRID_CHILD_HINT)
        pChild->SetSheet(m_pInfo);
}

void CGridCore::AttachEditBox(IGridEditWindow* pEdit)
{
    for (auto& pSheet : m_arrSheets)
        if (pSheet->m_pEditWnd == m_pEditBox)
            pSheet->m_pEditWnd = pEdit;
    m_pEditBox = pEdit;
}

// ---- Repainting and selection ----

int CGridCore::RepaintAll()
{
    if (!m_bUpdateEnabled)
        return 0;
    for (IGridChild* p : m_pChildren)
        if (p && p != m_pChildren[GRID_CHILD_HINT])
            p->Repaint();
    return 0;
}

int CGridCore::RepaintCell(int nCol, long nRow)
{
    if (nCol < 0 || nRow < 0)
    {
        IGridChild* p = m_pChildren[nCol < 0 ? GRID_CHILD_ROWHEADING : GRID_CHILD_COLHEADING];
        if (p && m_bUpdateEnabled)
            p->Repaint();
        return 0;
    }
    m_hints.AddCell(nCol, nRow);
    if (m_pChildren[GRID_CHILD_CELLS] && m_bUpdateEnabled)
        m_pChildren[GRID_CHILD_CELLS]->PaintHinted();
    return 0;
}

int CGridCore::RepaintRange(int nCol1, long nRow1, int nCol2, long nRow2)
{
    m_hints.AddRange(nCol1, nRow1, nCol2, nRow2);
    if (m_pChildren[GRID_CHILD_CELLS] && m_bUpdateEnabled)
        m_pChildren[GRID_CHILD_CELLS]->PaintHinted();
    return 0;
}

int CGridCore::EnableRepaint(int bEnable)
{
    m_bUpdateEnabled = bEnable ? 1 : 0;
    return 0;
}

int CGridCore::ClearSelection()
{
    m_pInfo->m_pMultiSelect->ClearBlocks();
    m_pInfo->m_nCurrentCol = m_pInfo->m_nNotifiedCol;
    m_pInfo->m_nCurrentRow = m_pInfo->m_nNotifiedRow;
    return 0;
}
