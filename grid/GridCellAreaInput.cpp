// CGridCellArea input: the key table with its acceleration, clicks and moves passed through
// the cell types to the notifications, drag selection with auto-scroll, wheel, focus, tips.
#include "grid/GridCellArea.h"

#include "grid/GridCellType.h"
#include "grid/GridCore.h"

#include <cmath>

namespace
{
// Sets how moves are being made for the time of one handler.
class CSelInputScope
{
  public:
    CSelInputScope(CGridCore* pGrid, int nKind, unsigned nFlags) : m_pGrid(pGrid)
    {
        pGrid->SetSelInput(nKind, nFlags);
    }
    ~CSelInputScope() { m_pGrid->SetSelInput(GRID_SEL_KEYS, 0); }
    CSelInputScope(const CSelInputScope&) = delete;
    CSelInputScope& operator=(const CSelInputScope&) = delete;

  private:
    CGridCore* m_pGrid;
};
} // namespace

CGridCellArea::HIT CGridCellArea::HitTest(GRIDPOINT pt)
{
    HIT hit;
    hit.bHit = m_pGrid->CellFromPoint(pt.x, pt.y, &hit.nCol, &hit.nRow, &hit.rc) == 0;
    if (!hit.bHit)
    {
        hit.nCol = -1;
        hit.nRow = -1;
    }
    return hit;
}

int CGridCellArea::OnKeyDown(unsigned nKey, unsigned nFlags, IGridCellWindow& wnd)
{
    CGridInfo& s = *m_pGrid->GetSheet();
    CSelInputScope scope(m_pGrid, GRID_SEL_KEYS, nFlags);
    long nStep = 1;
    if (s.m_nKeyAccelDivisor >= 1)
    {
        ++m_nKeyRepeat;
        const long d = m_nKeyRepeat / s.m_nKeyAccelDivisor;
        nStep = d * d * d + 1;
        if (s.m_nKeyAccelDelay > 0 && d == 0 && m_nKeyRepeat > 1)
            wnd.Sleep(s.m_nKeyAccelDelay);
    }
    CGridCell cell;
    const int nCol = m_pGrid->CurrentCol();
    const long nRow = m_pGrid->CurrentRow();
    int nProcessed = 0;
    if (nCol >= 0 && nRow >= 0)
    {
        m_pGrid->GetCellResolved(nCol, nRow, &cell);
        nProcessed = m_pGrid->GetCellTypeOf(cell)->OnKeyDown(nCol, nRow, &nKey);
    }
    m_pGrid->OnGridKeyDown(&nKey, nProcessed);
    const bool bCtrl = (nFlags & GRID_MK_CONTROL) != 0;
    const int nCurCol = s.m_nCurrentCol;
    const long nCurRow = s.m_nCurrentRow;
    switch (nKey)
    {
    case GRID_VK_PRIOR:
        m_pGrid->StepCurrentRow(GRID_STEP_PAGEUP);
        break;
    case GRID_VK_NEXT:
        m_pGrid->StepCurrentRow(GRID_STEP_PAGEDOWN);
        break;
    case GRID_VK_HOME:
        bCtrl ? m_pGrid->StepCurrentRow(GRID_STEP_FIRST) : m_pGrid->StepCurrentCol(GRID_STEP_FIRST);
        break;
    case GRID_VK_END:
        bCtrl ? m_pGrid->StepCurrentRow(GRID_STEP_LAST) : m_pGrid->StepCurrentCol(GRID_STEP_LAST);
        break;
    case GRID_VK_LEFT:
        m_pGrid->SetCurrentCol(static_cast<int>(std::max<long>(nCurCol - nStep, -1)));
        break;
    case GRID_VK_RIGHT:
        m_pGrid->SetCurrentCol(static_cast<int>(std::min<long>(nCurCol + nStep, s.m_nColCount)));
        break;
    case GRID_VK_UP:
        m_pGrid->SetCurrentRow(nCurRow - nStep);
        break;
    case GRID_VK_DOWN:
        m_pGrid->SetCurrentRow(nCurRow + nStep);
        break;
    default:
        return nProcessed;
    }
    return 1;
}

void CGridCellArea::OnChar(unsigned nChar, unsigned nFlags)
{
    CSelInputScope scope(m_pGrid, GRID_SEL_KEYS, nFlags);
    const int nCol = m_pGrid->CurrentCol();
    const long nRow = m_pGrid->CurrentRow();
    int nProcessed = 0;
    if (nCol >= 0 && nRow >= 0)
    {
        nProcessed = m_pGrid->GetCellTypeAt(nCol, nRow)->OnChar(nCol, nRow, &nChar);
    }
    m_pGrid->OnGridChar(&nChar, nProcessed);
}

bool CGridCellArea::OnLeftDown(GRIDPOINT pt, unsigned nFlags)
{
    if (m_pGrid->IsEditing())
        return false;
    CSelInputScope scope(m_pGrid, GRID_SEL_LEFT, nFlags);
    HIT hit = HitTest(pt);
    int nProcessed = 0;
    if (hit.bHit)
    {
        m_pGrid->SetCurrentCell(hit.nCol, hit.nRow);
        CGridCell cell;
        m_pGrid->GetCellResolved(hit.nCol, hit.nRow, &cell);
        m_pGrid->GetCellBounds(hit.nCol, hit.nRow, &hit.rc);
        nProcessed = m_pGrid->GetCellTypeOf(cell)->OnLeftClick(hit.nCol, hit.nRow, 1, &hit.rc, &pt);
        if (nProcessed)
            m_bCellCaptured = true;
    }
    m_pGrid->OnCellLeftClick(hit.nCol, hit.nRow, 1, &hit.rc, &pt, nProcessed);
    return true;
}

void CGridCellArea::OnLeftUp(GRIDPOINT pt, unsigned nFlags)
{
    CSelInputScope scope(m_pGrid, GRID_SEL_KEYS, nFlags);
    HIT hit = HitTest(pt);
    int nProcessed = 0;
    if (hit.bHit)
    {
        nProcessed = m_pGrid->GetCellTypeAt(hit.nCol, hit.nRow)->OnLeftClick(hit.nCol, hit.nRow, 0, &hit.rc, &pt);
    }
    m_pGrid->OnCellLeftClick(hit.nCol, hit.nRow, 0, &hit.rc, &pt, nProcessed);
    m_bCellCaptured = false;
}

void CGridCellArea::OnLeftDoubleClick(GRIDPOINT pt, unsigned nFlags)
{
    CSelInputScope scope(m_pGrid, GRID_SEL_KEYS, nFlags);
    HIT hit = HitTest(pt);
    int nProcessed = 0;
    if (hit.bHit)
    {
        nProcessed = m_pGrid->GetCellTypeAt(hit.nCol, hit.nRow)->OnDoubleClick(hit.nCol, hit.nRow, &hit.rc, &pt);
    }
    m_pGrid->OnCellDoubleClick(hit.nCol, hit.nRow, &hit.rc, &pt, nProcessed);
}

void CGridCellArea::OnRightDown(GRIDPOINT pt, unsigned nFlags, const IGridCellWindow& wnd)
{
    if (m_pGrid->IsEditing())
        return;
    HIT hit;
    {
        CSelInputScope scope(m_pGrid, GRID_SEL_RIGHT, nFlags);
        hit = HitTest(pt);
        int nProcessed = 0;
        if (hit.bHit)
        {
            m_pGrid->SetCurrentCell(hit.nCol, hit.nRow);
            nProcessed = m_pGrid->GetCellTypeAt(hit.nCol, hit.nRow)->OnRightClick(hit.nCol, hit.nRow, 1, &hit.rc, &pt);
        }
        m_pGrid->OnCellRightClick(hit.nCol, hit.nRow, 1, &hit.rc, &pt, nProcessed);
    }
    if (m_pGrid->GetSheet()->m_bPopupEnabled)
    {
        GRIDPOINT ptScreen = wnd.ToScreen(pt);
        m_pGrid->StartPopupMenu(hit.nCol, hit.nRow, &ptScreen, GRID_SECTION_CELLS);
    }
}

void CGridCellArea::OnRightUp(GRIDPOINT pt, unsigned nFlags)
{
    CSelInputScope scope(m_pGrid, GRID_SEL_KEYS, nFlags);
    HIT hit = HitTest(pt);
    int nProcessed = 0;
    if (hit.bHit)
    {
        nProcessed = m_pGrid->GetCellTypeAt(hit.nCol, hit.nRow)->OnRightClick(hit.nCol, hit.nRow, 0, &hit.rc, &pt);
    }
    m_pGrid->OnCellRightClick(hit.nCol, hit.nRow, 0, &hit.rc, &pt, nProcessed);
}

// The double right click is the one the headings share: it reaches the owner as a click.
void CGridCellArea::OnRightDoubleClick(GRIDPOINT pt, unsigned nFlags)
{
    OnRightUp(pt, nFlags);
}

int CGridCellArea::OnMouseMove(GRIDPOINT pt, unsigned nFlags)
{
    if (m_pGrid->IsEditing())
        return 0;
    CGridInfo& s = *m_pGrid->GetSheet();
    CGridCell cell;
    if (m_bCellCaptured)
    {
        const int nCol = s.m_nNotifiedCol;
        const long nRow = s.m_nNotifiedRow;
        m_pGrid->GetCellResolved(nCol, nRow, &cell);
        const int nProcessed = m_pGrid->GetCellTypeOf(cell)->OnMouseMove(nCol, nRow, &pt, nFlags);
        m_pGrid->OnCellMouseMove(nCol, nRow, &pt, nFlags, nProcessed);
        return 0;
    }
    {
        CSelInputScope scope(m_pGrid, GRID_SEL_DRAG, nFlags);
        const HIT hit = HitTest(pt);
        if (hit.bHit)
        {
            m_pGrid->GetCellResolved(hit.nCol, hit.nRow, &cell);
            const int nProcessed = m_pGrid->GetCellTypeOf(cell)->OnMouseMove(hit.nCol, hit.nRow, &pt, nFlags);
            m_pGrid->OnCellMouseMove(hit.nCol, hit.nRow, &pt, nFlags, nProcessed);
        }
    }
    return (nFlags & GRID_MK_LBUTTON) ? DragStep(pt, nFlags) : 0;
}

// How many cells a drag beyond an edge moves: one per step without an exponent, else the
// distance in default sizes raised to the exponent.
int CGridCellArea::DragCount(int nOver, int nDefault) const
{
    const int e = m_pGrid->GetSheet()->m_nDragScrollExp;
    const int nUnits = nOver / std::max(1, nDefault) + 1;
    return std::max(1, static_cast<int>(std::pow(static_cast<double>(nUnits), e)));
}

int CGridCellArea::DragStep(GRIDPOINT pt, unsigned nFlags)
{
    if (m_pGrid->IsEditing() || !(nFlags & GRID_MK_LBUTTON))
        return 0;
    CGridInfo& s = *m_pGrid->GetSheet();
    CSelInputScope scope(m_pGrid, GRID_SEL_DRAG, nFlags);
    const bool bExp = s.m_nDragScrollExp != 0;
    int nDelay = 0;
    // Steps follow each other at the display's pace; only a single-cell step of an exponent
    // drag waits the drag delay.
    auto moved = [&](int n)
    { nDelay = std::max(nDelay, (bExp && n == 1) ? s.m_nDragScrollDelay : static_cast<int>(MIN_DRAG_INTERVAL)); };
    if (pt.x < 0 || pt.x > s.m_nCellAreaWidth)
    {
        const bool bLeft = pt.x < 0;
        const int n = DragCount(bLeft ? -pt.x : pt.x - s.m_nCellAreaWidth, s.m_nDefColWidth);
        if (bExp)
            m_pGrid->SetCurrentCol(s.m_nCurrentCol + (bLeft ? -n : n));
        else
            m_pGrid->StepCurrentCol(bLeft ? GRID_STEP_PREV : GRID_STEP_NEXT);
        moved(n);
    }
    if (pt.y < 0 || pt.y > s.m_nCellAreaHeight)
    {
        const bool bUp = pt.y < 0;
        const int n = DragCount(bUp ? -pt.y : pt.y - s.m_nCellAreaHeight, s.m_nDefRowHeight);
        if (bExp)
            m_pGrid->SetCurrentRow(s.m_nCurrentRow + (bUp ? -n : n));
        else
            m_pGrid->StepCurrentRow(bUp ? GRID_STEP_PREV : GRID_STEP_NEXT);
        moved(n);
    }
    if (nDelay == 0)
    {
        const HIT hit = HitTest(pt);
        if (hit.bHit)
            m_pGrid->SetCurrentCell(hit.nCol, hit.nRow);
        return 0;
    }
    return std::max(nDelay, static_cast<int>(MIN_DRAG_INTERVAL));
}

void CGridCellArea::OnWheel(int nDelta)
{
    const int nNotches = nDelta / 120;
    if (nNotches != 0)
        m_pGrid->ScrollToRow(m_pGrid->GetSheet()->m_nTopRow - nNotches * 3L);
}

void CGridCellArea::OnSetFocus()
{
    m_bFocus = true;
    m_bCellCaptured = false;
    m_nKeyRepeat = 0;
    m_pGrid->OnSectionGotFocus(GRID_SECTION_CELLS);
    if (m_pGrid->CurrentCol() >= 0 && m_pGrid->CurrentRow() >= 0)
        m_pGrid->RepaintCell(m_pGrid->CurrentCol(), m_pGrid->CurrentRow());
}

void CGridCellArea::OnKillFocus()
{
    m_bFocus = false;
    if (m_pGrid->CurrentCol() >= 0 && m_pGrid->CurrentRow() >= 0)
        m_pGrid->RepaintCell(m_pGrid->CurrentCol(), m_pGrid->CurrentRow());
    m_pGrid->OnSectionLostFocus(GRID_SECTION_CELLS);
}

int CGridCellArea::GetTipText(GRIDPOINT pt, std::string* pstrText)
{
    const HIT hit = HitTest(pt);
    if (!hit.bHit)
        return -1;
    if (hit.nCol != m_nTipCol || hit.nRow != m_nTipRow)
    {
        m_nTipCol = hit.nCol;
        m_nTipRow = hit.nRow;
        return 0;
    }
    std::string strText;
    m_pGrid->OnTipText(hit.nCol, hit.nRow, GRID_SECTION_CELLS, &strText);
    if (strText.size() > MAX_TIP_LENGTH)
        strText.resize(MAX_TIP_LENGTH);
    if (pstrText)
        *pstrText = strText;
    return 1;
}
