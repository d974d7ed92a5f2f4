// CGridDropListType: the button, its pressed tracking, the keys that open the list, where the
// list opens and what a choice does.
#include "grid/GridDropListType.h"

#include "grid/GridCell.h"
#include "grid/GridColors.h"
#include "grid/GridCore.h"
#include "grid/GridDC.h"
#include "grid/GridFont.h"

#include <algorithm>
#include <cstdlib>

namespace
{
const GRIDTYPEID DROPLIST_ID = {
    {0x3b, 0x1f, 0x6a, 0x52, 0x0c, 0x47, 0x4e, 0x11, 0x9a, 0x21, 0x5d, 0x70, 0xc4, 0x02, 0x8e, 0x02}};
const CGridPen BLACK{0, 1, 0x000000};
} // namespace

CGridDropListType::CGridDropListType()
    : m_nButtonWidth(GridGetSystemMetric(GRID_SM_CXVSCROLL)), m_penFace{0, 1,
                                                                        GridGetSysColor(GRID_COLOR_BTNFACE)},
      m_crFace(GridGetSysColor(GRID_COLOR_BTNFACE))
{
    m_bCanOverflow = 0;
}

const char* CGridDropListType::GetName() const
{
    return "Standard DropList";
}
const GRIDTYPEID* CGridDropListType::GetTypeId() const
{
    return &DROPLIST_ID;
}

int CGridDropListType::GetEditRect(GRIDRECT* pRect)
{
    if (pRect)
        pRect->right -= m_nButtonWidth + 1;
    return 1;
}

void CGridDropListType::OnDraw(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell,
                               int bSelected, int bCurrent)
{
    if (!pDC || !pRect || !pCell)
        return;
    GRIDRECT rc;
    DrawCellBorder(pDC, *pRect, &rc, pCell);
    if ((pCell->GetCellTypeParam() & GRID_DROPLIST_BUTTONWHENCURRENT) && !bCurrent)
    {
        DrawCellText(pDC, rc, 0, nCol, nRow, pCell, bSelected, bCurrent);
        return;
    }
    const GRIDRECT rcButton{std::max(rc.left, rc.right - m_nButtonWidth), rc.top, rc.right, rc.bottom};
    CGridCell face;
    face.SetBorder(static_cast<short>((m_bPressed && bCurrent) ? GRID_BORDER_SUNKEN : GRID_BORDER_RAISED));
    GRIDRECT rcFace;
    DrawCellBorder(pDC, rcButton, &rcFace, &face);
    if (!rcFace.IsEmpty())
        pDC->FillRect(rcFace, m_crFace);
    pDC->DrawLine(rcButton.left - 1, rc.top, rcButton.left - 1, rc.bottom, m_penFace);
    const int h = rcButton.left + (rcButton.Width() - 5) / 2;
    const int v = rcButton.top + (rcButton.Height() - 3) / 2;
    pDC->DrawLine(h, v, h + 5, v, BLACK);
    pDC->DrawLine(h + 1, v + 1, h + 4, v + 1, BLACK);
    pDC->DrawLine(h + 2, v + 2, h + 3, v + 2, BLACK);
    const GRIDRECT rcText{rc.left, rc.top, rc.right - (m_nButtonWidth + 1), rc.bottom};
    if (!rcText.IsEmpty())
        DrawCellText(pDC, rcText, 0, nCol, nRow, pCell, bSelected, bCurrent);
}

void CGridDropListType::RepaintRemembered()
{
    if (m_pGrid && m_nListCol >= 0 && m_nListRow >= 0)
        m_pGrid->RepaintCell(m_nListCol, m_nListRow);
}

int CGridDropListType::OnLeftClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint)
{
    if (!pRect || !pPoint)
        return 0;
    if (!bDown)
    {
        if (!m_bPressed)
            return 0;
        m_bPressed = 0;
        RepaintRemembered();
        return 1;
    }
    if (pPoint->x <= pRect->right - m_nButtonWidth)
    {
        if (m_nListCol == -2)
        {
            m_nListCol = -1;
            m_nListRow = -1;
        }
        return 0;
    }
    if ((nCol == m_nListCol && nRow == m_nListRow) || m_nListCol == -2)
    {
        m_nListCol = -1;
        m_nListRow = -1;
        if (m_pList && m_pList->IsOpen())
            m_pList->Close();
        return 0;
    }
    m_rcButton = GRIDRECT{pRect->right - m_nButtonWidth, pRect->top, pRect->right, pRect->bottom};
    m_bPressed = 1;
    m_nListCol = nCol;
    m_nListRow = nRow;
    RepaintRemembered();
    OpenList();
    return 1;
}

int CGridDropListType::OnDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint)
{
    if (!pRect || !pPoint || pPoint->x <= pRect->right - m_nButtonWidth)
        return 0;
    return OnLeftClick(nCol, nRow, 1, pRect, pPoint);
}

int CGridDropListType::OnMouseMove(int, long, GRIDPOINT* pPoint, unsigned nKeyFlags)
{
    if (!(nKeyFlags & GRID_MK_LBUTTON))
        return 1;
    if (!pPoint)
        return 0;
    const bool bInside = pPoint->x >= m_rcButton.left && pPoint->x <= m_rcButton.right &&
                         pPoint->y >= m_rcButton.top && pPoint->y <= m_rcButton.bottom;
    if (bInside != (m_bPressed != 0))
    {
        m_bPressed = bInside ? 1 : 0;
        RepaintRemembered();
    }
    return 0;
}

int CGridDropListType::OnKeyDown(int, long, unsigned* pnKey)
{
    if (!pnKey || !m_pGrid)
        return 0;
    const bool bCtrl = (m_pGrid->GetInputFlags() & GRID_MK_CONTROL) != 0;
    if (*pnKey == GRID_VK_RETURN || (*pnKey == GRID_VK_DOWN && bCtrl))
    {
        OpenList();
        *pnKey = 0;
        return 1;
    }
    return 0;
}

int CGridDropListType::OnChar(int, long, unsigned* pnChar)
{
    return (pnChar && (*pnChar == 13 || *pnChar == 0x28)) ? 1 : 0;
}

void CGridDropListType::OnLostCurrent(int, long, CGridCell*)
{
    m_nListCol = -1;
    m_nListRow = -1;
}

std::vector<std::string> CGridDropListType::SplitChoices(const char* pszLabel)
{
    std::vector<std::string> arr;
    if (!pszLabel)
        return arr;
    const std::string str = pszLabel;
    size_t nFrom = 0;
    for (size_t nAt = str.find('\n'); nAt != std::string::npos; nAt = str.find('\n', nFrom))
    {
        arr.push_back(str.substr(nFrom, nAt - nFrom));
        nFrom = nAt + 1;
    }
    return arr;
}

GRIDRECT CGridDropListType::ListRect(const GRIDRECT& rcCell, int nChoices, int nLineHeight, int nAreaWidth,
                                     int nAreaHeight)
{
    const int nLines = std::min(nChoices + 1, static_cast<int>(MAX_LIST_LINES));
    GRIDRECT rc{rcCell.left + 10, rcCell.bottom, rcCell.right + 10, rcCell.bottom + nLines * nLineHeight + 2};
    if (rc.bottom > nAreaHeight)
    {
        const int nUp = std::min(rc.bottom - nAreaHeight, rc.top);
        rc.top -= nUp;
        rc.bottom -= nUp;
    }
    if (rc.right > nAreaWidth)
    {
        const int nLeft = std::min(rc.right - nAreaWidth, rc.left);
        rc.left -= nLeft;
        rc.right -= nLeft;
    }
    return rc;
}

void CGridDropListType::OpenList()
{
    if (!m_pGrid || (m_pList && m_pList->IsOpen()))
        return;
    m_nListCol = m_pGrid->CurrentCol();
    m_nListRow = m_pGrid->CurrentRow();
    if (m_nListCol < 0 || m_nListRow < 0)
        return;
    CGridCell cell;
    m_pGrid->GetCellResolved(m_nListCol, m_nListRow, &cell);
    std::vector<std::string> arrChoices = SplitChoices(cell.GetLabel());
    SendEvent(m_nListCol, m_nListRow, CTE_LIST_OPENING, reinterpret_cast<intptr_t>(&arrChoices));

    CGridFont* pFont = cell.GetFont() ? cell.GetFont() : Sheet()->m_pDefaultFont;
    int nLineHeight = pFont ? std::abs(pFont->GetLogFont().lfHeight) : 12;
    if (nLineHeight == 0)
        nLineHeight = 12;
    GRIDRECT rcCell;
    m_pGrid->GetCellBounds(m_nListCol, m_nListRow, &rcCell);
    const GRIDRECT rc = ListRect(rcCell, static_cast<int>(arrChoices.size()), nLineHeight,
                                 Sheet()->m_nCellAreaWidth, Sheet()->m_nCellAreaHeight);
    if (m_pList)
        m_pList->Open(rc, arrChoices, pFont);
    m_bPressed = 0;
    RepaintRemembered();
}

void CGridDropListType::OnListChoice(const std::string& strChoice)
{
    const int nCol = m_nListCol;
    const long nRow = m_nListRow;
    std::string strText = strChoice;
    if (m_pGrid && nCol >= 0 && nRow >= 0 &&
        SendEvent(nCol, nRow, CTE_LIST_SELECTED, reinterpret_cast<intptr_t>(&strText)))
    {
        CGridCell cell;
        m_pGrid->GetCell(nCol, nRow, &cell);
        cell.SetText(strText);
        m_pGrid->SetCell(nCol, nRow, &cell);
        m_pGrid->RepaintCell(nCol, nRow);
    }
    m_nListCol = -1;
    m_nListRow = -1;
}

void CGridDropListType::OnListClosed(bool bChosen, bool bPressTaken)
{
    if (bPressTaken)
    {
        m_nListCol = -1;
        m_nListRow = -1;
    }
    else if (!bChosen)
    {
        m_nListCol = -2;
        m_nListRow = -2;
    }
}
