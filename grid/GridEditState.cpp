// CGridEditState: how the in-place edit ends, which characters it takes and how it grows.
#include "grid/GridEditState.h"

#include "grid/GridCore.h"
#include "grid/GridDC.h"
#include "grid/GridKeys.h"

#include <algorithm>

void CGridEditState::OnGainFocus(int nBoxHeight)
{
    m_nStartHeight = m_nHeight = nBoxHeight;
    m_bCancel = false;
    m_bMove = false;
}

bool CGridEditState::OnKeyDown(unsigned nKey, bool bShift, int nEditCol, long nEditRow)
{
    auto moveTo = [&](int nCol, long nRow) {
        m_nNextCol = nCol;
        m_nNextRow = nRow;
        m_bMove = true;
        return true;
    };
    switch (nKey)
    {
    case GRID_VK_TAB: return moveTo(bShift ? nEditCol - 1 : nEditCol + 1, nEditRow);
    case GRID_VK_RETURN:
    case GRID_VK_NUMPAD_ENTER: return moveTo(nEditCol, nEditRow + 1);
    case GRID_VK_ESCAPE:
        m_bCancel = true;
        m_bMove = false;
        return true;
    // In a grown box Up and Down move the caret between its lines.
    case GRID_VK_UP: return !HasGrown() && moveTo(nEditCol, nEditRow - 1);
    case GRID_VK_DOWN: return !HasGrown() && moveTo(nEditCol, nEditRow + 1);
    default: return false;
    }
}

bool CGridEditState::FilterChar(CGridCore& grid, IGridEditWindow* pEdit, unsigned* pnChar)
{
    if (!grid.OnEditKey(grid.CurrentCol(), grid.CurrentRow(), pEdit, pnChar))
        return false;
    // Their work is done when the key goes down; a character changed to 0 inserts nothing.
    return *pnChar != 0 && *pnChar != GRID_VK_TAB && *pnChar != GRID_VK_RETURN && *pnChar != GRID_VK_ESCAPE;
}

int CGridEditState::OnLoseFocus(CGridCore& grid, bool bInGrid, const std::string& strText)
{
    if (!grid.IsEditing())
        return 1;
    if (!bInGrid)
        m_bCancel = true;
    const int nResult = grid.EndEdit(strText.c_str(), m_bCancel, m_bMove, m_nNextCol, m_nNextRow);
    if (nResult == 0)
        grid.SetCurrentCell(grid.GetEditCol(), grid.GetEditRow());
    return nResult;
}

GRIDRECT CGridEditState::Grow(const GRIDRECT& rcBox, const GRIDRECT& rcClient, GRIDSIZE szText, const CellHit& hit)
{
    if (!m_bAutoSize)
        return rcBox;
    GRIDRECT n{rcBox.left, rcBox.top, rcBox.left + 2 + szText.cx, rcBox.top + szText.cy};
    if (n.bottom >= rcClient.bottom)
        n.bottom = rcClient.bottom - 1;
    GRIDRECT rcCell;
    if (n.right > rcBox.right)
        n.right = (hit && hit(n.right + 1, n.top + 1, &rcCell) ? std::min(rcCell.right, rcClient.right)
                                                               : rcClient.right) - 1;
    if (n.bottom > rcBox.bottom)
    {
        n.right = rcClient.right;
        if (hit && hit(n.left + 1, n.bottom + 1, &rcCell))
            n.bottom = rcCell.bottom - 1;
    }
    n.bottom = std::max(std::min(n.bottom, rcClient.bottom - 1), rcBox.bottom);
    n.right = std::max(n.right, rcBox.right);
    if (n != rcBox)
        m_nHeight = n.Height();
    return n;
}

GRIDSIZE CGridEditState::MeasureWrapped(CGridDC& dc, const std::string& strText, int nWidth)
{
    const int nLine = std::max(1, dc.GetTextExtent("X").cy);
    GRIDSIZE sz{0, 0};
    size_t nStart = 0;
    // Each line of the text is broken at spaces so that no part passes nWidth, unless a single
    // word is wider.
    while (true)
    {
        const size_t nEnd = strText.find('\n', nStart);
        const std::string strPara =
            strText.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
        std::string strLine;
        size_t nPos = 0;
        auto flush = [&] {
            sz.cx = std::max(sz.cx, dc.GetTextExtent(strLine).cx);
            sz.cy += nLine;
            strLine.clear();
        };
        while (nPos <= strPara.size())
        {
            size_t nSpace = strPara.find(' ', nPos);
            if (nSpace == std::string::npos)
                nSpace = strPara.size();
            const std::string strWord = strPara.substr(nPos, nSpace - nPos);
            const std::string strTry = strLine.empty() ? strWord : strLine + " " + strWord;
            if (!strLine.empty() && dc.GetTextExtent(strTry).cx > nWidth)
            {
                flush();
                strLine = strWord;
            }
            else
                strLine = strTry;
            nPos = nSpace + 1;
        }
        flush();
        if (nEnd == std::string::npos)
            break;
        nStart = nEnd + 1;
    }
    return sz;
}
