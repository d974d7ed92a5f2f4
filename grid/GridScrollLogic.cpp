// CGridScrollLogic: bar ranges and positions, scroll codes and thumb tips.
#include "grid/GridScrollLogic.h"

#include "grid/GridCore.h"

#include <algorithm>

void CGridScrollLogic::Reset()
{
    m_nLastMax = m_nLastPos = -2;
    m_nLastMode = m_nLastPage = -2;
}

void CGridScrollLogic::UpdateBar(IGridBarWindow& bar)
{
    CGridInfo& s = *m_pGrid->GetSheet();
    bool bNeedLayout = false;
    if (m_bVertical)
    {
        const long n = s.m_nMaxTopRow;
        const int nMode = s.m_nVScrollMode;
        const int nPage = s.m_nCellAreaHeight / std::max(1, s.m_nDefRowHeight);
        if (n != m_nLastMax || nMode != m_nLastMode || nPage != m_nLastPage)
        {
            m_nLastMax = n;
            m_nLastMode = nMode;
            m_nLastPage = nPage;
            m_nLastPos = -2;
            m_dToBar = m_dToRows = 1.0;
            if (nMode == 2)
                bar.SetBarRange(0, 2, n > 1000 ? 1 : 0);
            else if (n > 1000)
            {
                m_dToBar = 1000.0 / static_cast<double>(n);
                m_dToRows = static_cast<double>(n) * 0.001;
                bar.SetBarRange(0, 1000, 1);
            }
            else
                bar.SetBarRange(0, static_cast<int>(nPage + n - 1), nPage);
            bNeedLayout = s.m_rcSections[GRID_RC_VSCROLL].IsEmpty() && n > 0;
        }
        const long nPos = nMode == 2 ? 1 : static_cast<long>(static_cast<double>(s.m_nTopRow) * m_dToBar);
        if (nPos != m_nLastPos)
        {
            m_nLastPos = nPos;
            bar.SetBarPos(static_cast<int>(nPos));
        }
    }
    else
    {
        const long nMax = s.m_nMaxLeftCol;
        const int nPage = s.m_nCellAreaWidth / std::max(1, s.m_nDefColWidth);
        if (nMax != m_nLastMax || nPage != m_nLastPage)
        {
            m_nLastMax = nMax;
            m_nLastPage = nPage;
            m_nLastPos = -2;
            bar.SetBarRange(0, static_cast<int>(nPage + nMax - 1), nPage);
            bNeedLayout = s.m_rcSections[GRID_RC_HSCROLL].IsEmpty() && nMax > 0;
        }
        const long nPos = s.m_nLeftCol;
        if (nPos != m_nLastPos)
        {
            m_nLastPos = nPos;
            bar.SetBarPos(static_cast<int>(nPos));
        }
    }
    // A hidden bar that is now needed gets its room.
    if (bNeedLayout && !m_bInLayout)
    {
        m_bInLayout = true;
        m_pGrid->AdjustLayout();
        m_bInLayout = false;
    }
}

long CGridScrollLogic::PositionToIndex(int nPos) const
{
    if (m_bVertical)
        return static_cast<long>(static_cast<double>(nPos) * m_dToRows);
    return nPos;
}

void CGridScrollLogic::ShowTip(long nIndex, GRIDPOINT ptClient)
{
    auto* pTip = dynamic_cast<IGridTipWindow*>(m_pGrid->GetChild(GRID_CHILD_HINT));
    if (!pTip)
        return;
    const CGridInfo& s = *m_pGrid->GetSheet();
    std::string strText;
    if (m_bVertical)
        m_pGrid->OnVScrollTip(nIndex, &strText);
    else
        m_pGrid->OnHScrollTip(static_cast<int>(nIndex), &strText);
    pTip->SetHintAlign(m_bVertical ? 0x22 : 0x14);
    pTip->SetHintStyle(4);
    pTip->SetHintText(strText.c_str(), true);
    if (m_bVertical)
        pTip->PlaceHint(s.m_rcSections[GRID_RC_VSCROLL].left - 1, ptClient.y, 40);
    else
        pTip->PlaceHint(ptClient.x, s.m_rcSections[GRID_RC_HSCROLL].top - 1, 20);
    pTip->ShowHint();
}

void CGridScrollLogic::OnScroll(int nCode, int nPos, GRIDPOINT ptClient, IGridBarWindow& bar)
{
    if (IGridChild* pCells = m_pGrid->GetChild(GRID_CHILD_CELLS))
        if (!pCells->HasFocus())
            pCells->SetFocus();
    const CGridInfo& s = *m_pGrid->GetSheet();
    auto move = [&](int nHow) { m_bVertical ? m_pGrid->StepTopRow(nHow) : m_pGrid->StepLeftCol(nHow); };
    const bool bTips = m_bVertical ? s.m_bVScrollTips : s.m_bHScrollTips;
    auto scrollTo = [&](long nIndex) {
        if (m_bVertical)
            m_pGrid->ScrollToRow(nIndex);
        else
            m_pGrid->ScrollToCol(static_cast<int>(nIndex));
    };
    switch (nCode)
    {
    case GRID_SB_LINEUP: move(0); break;
    case GRID_SB_LINEDOWN: move(1); break;
    case GRID_SB_PAGEUP: move(2); break;
    case GRID_SB_PAGEDOWN: move(3); break;
    case GRID_SB_TOP: move(4); break;
    case GRID_SB_BOTTOM: move(5); break;
    case GRID_SB_THUMBPOSITION:
        if (bTips)
            if (auto* pTip = dynamic_cast<IGridTipWindow*>(m_pGrid->GetChild(GRID_CHILD_HINT)))
                pTip->HideHint();
        scrollTo(PositionToIndex(nPos));
        break;
    case GRID_SB_THUMBTRACK:
        m_nTracked = PositionToIndex(nPos);
        if (m_bVertical ? s.m_nVScrollMode == 1 : s.m_bHLiveTracking == 1)
            scrollTo(m_nTracked);
        if (bTips)
            ShowTip(m_nTracked, ptClient);
        break;
    default: break;
    }
    // The thumb of a three-position bar returns to the middle.
    if (m_bVertical && s.m_nVScrollMode == 2)
        m_nLastPos = -2;
    if (nCode != GRID_SB_THUMBTRACK)
        UpdateBar(bar);
}

void CGridScrollLogic::OnRightDown(GRIDPOINT ptScreen)
{
    if (m_pGrid->GetSheet()->m_bPopupEnabled)
        m_pGrid->StartPopupMenu(0, 0, &ptScreen, m_bVertical ? GRID_SECTION_VSCROLL : GRID_SECTION_HSCROLL);
}

bool CGridScrollLogic::HoverTip(std::string* pstrText) const
{
    pstrText->clear();
    const CGridInfo& s = *m_pGrid->GetSheet();
    if (!(m_bVertical ? s.m_bVScrollTips : s.m_bHScrollTips))
        return false;
    if (m_bVertical)
        m_pGrid->OnVScrollTip(s.m_nTopRow, pstrText);
    else
        m_pGrid->OnHScrollTip(s.m_nLeftCol, pstrText);
    return !pstrText->empty();
}
