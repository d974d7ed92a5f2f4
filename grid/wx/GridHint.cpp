// CGridHint: measuring, placing and painting the tip.
#include "grid/wx/GridHint.h"

#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWxDC.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>

CGridHint::CGridHint(CGridCtrl* pGrid) : CGridChildWnd(pGrid, 7)
{
    Hide();
    wxClientDC dc(this);
    dc.SetFont(pGrid->GetFont());
    m_layout.m_nLineHeight = dc.GetTextExtent("X").y;
    Bind(wxEVT_PAINT, &CGridHint::OnPaint, this);
}

int CGridHint::SetHintAlign(int nAlign)
{
    m_layout.m_nAlign = nAlign;
    return 0;
}

int CGridHint::SetHintStyle(int nStyle)
{
    m_layout.m_nStyle = nStyle;
    return 0;
}

int CGridHint::SetHintFont(CGridFont* pFont)
{
    m_layout.m_pFont = pFont;
    wxClientDC dc(this);
    dc.SetFont(pFont ? GridWxFont(pFont) : m_pGrid->GetFont());
    m_layout.m_nLineHeight = dc.GetTextExtent("X").y;
    return 0;
}

int CGridHint::SetHintText(const char* pszText, bool bRedraw)
{
    m_layout.m_strText = pszText ? pszText : "";
    if (bRedraw)
        Refresh(true);
    return 0;
}

int CGridHint::PlaceHint(int x, int y, int nMinWidth)
{
    wxClientDC dc(this);
    dc.SetFont(m_layout.m_pFont ? GridWxFont(m_layout.m_pFont) : m_pGrid->GetFont());
    const int nTextWidth = m_layout.m_strText.empty() ? 0 : dc.GetTextExtent(GridToWxString(m_layout.m_strText)).x;
    const wxSize szParent = m_pGrid->GetClientSize();
    const GRIDRECT rc = m_layout.Place(x, y, nMinWidth, nTextWidth, GRIDSIZE{szParent.x, szParent.y});
    SetSize(GridToWxRect(rc));
    Raise();
    Refresh(false);
    Update();
    return 0;
}

int CGridHint::ShowHint()
{
    if (!IsShown())
        Show();
    return 0;
}

int CGridHint::HideHint()
{
    Hide();
    if (wxWindow* pCells = dynamic_cast<wxWindow*>(m_pGrid->GetChild(GRID_CHILD_CELLS)))
        pCells->Refresh(true);
    return 0;
}

void CGridHint::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetFont(m_pGrid->GetFont());
    CGridWxDC gdc(dc);
    const wxSize sz = GetClientSize();
    m_layout.Paint(gdc, GRIDSIZE{sz.x, sz.y});
}
