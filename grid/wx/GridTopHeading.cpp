// CGridTopHeading: paint.
#include "grid/wx/GridTopHeading.h"

#include "grid/wx/GridCtrl.h"
#include "grid/GridHeadingPaint.h"
#include "grid/wx/GridWxDC.h"

#include <wx/dcbuffer.h>

CGridTopHeading::CGridTopHeading(CGridCtrl* pGrid) : CGridHeadingWnd(pGrid, GRID_SECTION_COLHEADING, false)
{
    Bind(wxEVT_PAINT, &CGridTopHeading::OnPaint, this);
}

void CGridTopHeading::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc, m_pGrid->GetTextCache());
    const wxSize sz = GetClientSize();
    if (m_pInfo)
        GridPaintColHeading(*m_pGrid, gdc, GRIDSIZE{sz.x, sz.y}, m_input.HighlightedCol());
}
