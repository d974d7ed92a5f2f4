// CGridChildWnd: creation, placement and activation of a child window.
#include "grid/wx/GridChildWnd.h"

#include "grid/wx/GridCtrl.h"

#include <algorithm>

CGridChildWnd::CGridChildWnd(CGridCtrl* pGrid, int nId, long nStyle)
    : wxWindow(pGrid, nId, wxDefaultPosition, wxSize(0, 0), nStyle | wxBORDER_NONE), m_pGrid(pGrid)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
}

void CGridChildWnd::Place(const GRIDRECT& rc, bool bRepaint)
{
    SetSize(rc.left, rc.top, std::max(0, rc.Width()), std::max(0, rc.Height()));
    if (bRepaint)
        Refresh(false);
}
