// CGridSheetTabStrip: the tabs, their geometry, hit tests and the strip's mouse rules.
#include "grid/GridSheetTabStrip.h"

#include "grid/GridColors.h"
#include "grid/GridCore.h"
#include "grid/GridDC.h"

#include <algorithm>

namespace
{
GRIDLOGFONT TabLogFont()
{
    GRIDLOGFONT lf;
    lf.lfHeight = 14;
    lf.lfWeight = 500;
    return lf;
}
} // namespace

CGridSheetTabStrip::CGridSheetTabStrip(CGridCore* pGrid) : m_pGrid(pGrid), m_font(TabLogFont(), "Arial") {}

int CGridSheetTabStrip::FindTab(int nId) const
{
    for (size_t i = 0; i < m_arrTabs.size(); ++i)
        if (m_arrTabs[i].nId == nId)
            return static_cast<int>(i);
    return -1;
}

int CGridSheetTabStrip::AddTab(const char* pszName, int nId)
{
    if (!pszName)
        return 2;
    if (m_arrTabs.size() >= MAX_TABS || FindTab(nId) >= 0)
        return 1;
    m_arrTabs.push_back(TAB{pszName, -1, nId});
    if (m_nCurrent < 0)
        m_nCurrent = 0;
    Repaint();
    return 0;
}

int CGridSheetTabStrip::DeleteTab(int nId)
{
    const int n = FindTab(nId);
    if (n < 0)
        return 1;
    m_arrTabs.erase(m_arrTabs.begin() + n);
    // The highlight stays on the same tab, or moves to its left neighbour when it went.
    if (m_nCurrent > n || m_nCurrent >= GetTabCount())
        --m_nCurrent;
    if (m_nCurrent < 0 && !m_arrTabs.empty())
        m_nCurrent = 0;
    ClampScroll(m_szLast);
    Repaint();
    return 0;
}

int CGridSheetTabStrip::RenameTab(int nId, const char* pszName)
{
    const int n = FindTab(nId);
    if (n < 0 || !pszName)
        return 1;
    m_arrTabs[static_cast<size_t>(n)].strName = pszName;
    m_arrTabs[static_cast<size_t>(n)].nWidth = -1;
    Repaint();
    return 0;
}

int CGridSheetTabStrip::SetCurrentTab(int nId)
{
    const int n = FindTab(nId);
    if (n < 0)
        return 1;
    m_nCurrent = n;
    MakeVisible(n, m_szLast);
    Repaint();
    return 0;
}

void CGridSheetTabStrip::RemoveAll()
{
    m_arrTabs.clear();
    m_nCurrent = -1;
    m_nScroll = 0;
    Repaint();
}

void CGridSheetTabStrip::Repaint()
{
    if (IGridChild* pWnd = m_pGrid ? m_pGrid->GetChild(GRID_CHILD_TABS) : nullptr)
        pWnd->Repaint();
}

void CGridSheetTabStrip::Measure(CGridDC& dc)
{
    if (IsMeasured())
        return;
    dc.SaveState();
    dc.SelectFont(&m_font);
    for (TAB& tab : m_arrTabs)
        if (tab.nWidth < 0)
            tab.nWidth = dc.GetTextExtent(tab.strName).cx + 2 * TEXT_PAD;
    dc.RestoreState();
}

bool CGridSheetTabStrip::IsMeasured() const
{
    return std::none_of(m_arrTabs.begin(), m_arrTabs.end(), [](const TAB& tab) { return tab.nWidth < 0; });
}

// ---- Geometry ----

int CGridSheetTabStrip::ButtonWidth() const
{
    return std::max(8, GridGetSystemMetric(GRID_SM_CXVSCROLL));
}

GRIDRECT CGridSheetTabStrip::TabArea(GRIDSIZE sz) const
{
    const int nLeft = std::min(sz.cx, 2 * ButtonWidth());
    return GRIDRECT{nLeft, 0, std::max(nLeft, sz.cx - GRIP_WIDTH), sz.cy};
}

// Neighbouring tabs share a slant: each starts one slant before the previous one ends.
int CGridSheetTabStrip::TabStart(int nIndex, GRIDSIZE sz) const
{
    int x = 0;
    for (int i = 0; i < nIndex; ++i)
        x += std::max(0, m_arrTabs[static_cast<size_t>(i)].nWidth) + Slant(sz);
    return x;
}

int CGridSheetTabStrip::TotalWidth(GRIDSIZE sz) const
{
    return m_arrTabs.empty() ? 0 : TabStart(GetTabCount(), sz) + Slant(sz);
}

GRIDRECT CGridSheetTabStrip::TabRect(int nIndex, GRIDSIZE sz) const
{
    const int x = TabArea(sz).left + TabStart(nIndex, sz) - m_nScroll;
    return GRIDRECT{x, 0, x + std::max(0, GetTab(nIndex).nWidth) + 2 * Slant(sz), sz.cy};
}

void CGridSheetTabStrip::ClampScroll(GRIDSIZE sz)
{
    m_nScroll = std::max(0, std::min(m_nScroll, TotalWidth(sz) - TabArea(sz).Width()));
}

void CGridSheetTabStrip::MakeVisible(int nIndex, GRIDSIZE sz)
{
    if (nIndex < 0 || nIndex >= GetTabCount() || sz.cx <= 0)
        return;
    const int nStart = TabStart(nIndex, sz);
    const int nEnd = nStart + std::max(0, GetTab(nIndex).nWidth) + 2 * Slant(sz);
    const int nWidth = TabArea(sz).Width();
    if (nStart < m_nScroll)
        m_nScroll = nStart;
    else if (nEnd > m_nScroll + nWidth)
        m_nScroll = std::min(nStart, nEnd - nWidth);
    ClampScroll(sz);
}

bool CGridSheetTabStrip::CanScroll(int nDir, GRIDSIZE sz) const
{
    if (nDir < 0)
        return m_nScroll > 0;
    return m_nScroll < TotalWidth(sz) - TabArea(sz).Width();
}

bool CGridSheetTabStrip::Scroll(int nDir, GRIDSIZE sz)
{
    if (!CanScroll(nDir, sz))
        return false;
    int nTarget = 0;
    if (nDir < 0)
    {
        for (int i = 0; i < GetTabCount(); ++i)
            if (TabStart(i, sz) < m_nScroll)
                nTarget = TabStart(i, sz);
    }
    else
    {
        nTarget = TotalWidth(sz);
        for (int i = GetTabCount() - 1; i >= 0; --i)
            if (TabStart(i, sz) > m_nScroll)
                nTarget = TabStart(i, sz);
    }
    m_nScroll = nTarget;
    ClampScroll(sz);
    Repaint();
    return true;
}

// Inside the slanted outline: each row is narrower than the one above by the slant's step.
bool CGridSheetTabStrip::InTab(int nIndex, GRIDPOINT pt, GRIDSIZE sz) const
{
    const GRIDRECT rc = TabRect(nIndex, sz);
    if (pt.y < 0 || pt.y >= sz.cy)
        return false;
    const int nInset = pt.y * Slant(sz) / std::max(1, sz.cy - 1);
    return pt.x >= rc.left + nInset && pt.x < rc.right - nInset;
}

CGridSheetTabStrip::HIT CGridSheetTabStrip::HitTest(GRIDPOINT pt, GRIDSIZE sz) const
{
    HIT hit;
    if (pt.x < 0 || pt.y < 0 || pt.x >= sz.cx || pt.y >= sz.cy)
        return hit;
    const GRIDRECT rcArea = TabArea(sz);
    if (pt.x < rcArea.left)
    {
        hit.nKind = pt.x < rcArea.left / 2 ? TABHIT_SCROLLLEFT : TABHIT_SCROLLRIGHT;
        return hit;
    }
    if (pt.x >= rcArea.right)
    {
        hit.nKind = TABHIT_GRIP;
        return hit;
    }
    // The highlighted tab lies on top of its neighbours; the others overlap to the right.
    if (m_nCurrent >= 0 && InTab(m_nCurrent, pt, sz))
        hit.nTab = m_nCurrent;
    for (int i = 0; i < GetTabCount() && hit.nTab < 0; ++i)
        if (InTab(i, pt, sz))
            hit.nTab = i;
    if (hit.nTab >= 0)
        hit.nKind = TABHIT_TAB;
    return hit;
}

// ---- Mouse ----

void CGridSheetTabStrip::OnLeftDown(GRIDPOINT pt, GRIDSIZE sz, IGridTabWindow& wnd)
{
    m_szLast = sz;
    const HIT hit = HitTest(pt, sz);
    switch (hit.nKind)
    {
    case TABHIT_SCROLLLEFT: Scroll(-1, sz); break;
    case TABHIT_SCROLLRIGHT: Scroll(1, sz); break;
    case TABHIT_TAB:
        m_nCurrent = hit.nTab;
        MakeVisible(hit.nTab, sz);
        Repaint();
        m_pGrid->OnSheetTabClicked(GetTab(hit.nTab).nId);
        break;
    case TABHIT_GRIP:
        m_bSizing = true;
        m_nSizeAnchor = pt.x - sz.cx;
        wnd.Capture();
        break;
    default: break;
    }
}

void CGridSheetTabStrip::OnMouseMove(GRIDPOINT pt, unsigned nFlags, GRIDSIZE sz, IGridTabWindow& wnd)
{
    if (m_bSizing)
    {
        if (nFlags & GRID_MK_LBUTTON)
            m_pGrid->SetSheetTabWidth(std::max(static_cast<int>(MIN_STRIP), pt.x - m_nSizeAnchor), true);
        return;
    }
    wnd.SetCursorKind(HitTest(pt, sz).nKind == TABHIT_GRIP ? GRID_CURSOR_SIZEWE : GRID_CURSOR_ARROW);
}

void CGridSheetTabStrip::OnLeftUp(GRIDPOINT, IGridTabWindow& wnd)
{
    if (!m_bSizing)
        return;
    m_bSizing = false;
    wnd.Release();
}

void CGridSheetTabStrip::OnRightDown(GRIDPOINT pt, GRIDSIZE sz, IGridTabWindow& wnd)
{
    const HIT hit = HitTest(pt, sz);
    GRIDPOINT ptScreen = wnd.ToScreen(pt);
    m_pGrid->StartPopupMenu(hit.nKind == TABHIT_TAB ? hit.nTab : -1, 0, &ptScreen, GRID_SECTION_TABS);
}
