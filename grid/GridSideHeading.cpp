// CGridSideHeading: paint.
#include "grid/GridSideHeading.h"

#include "grid/GridCtrl.h"
#include "grid/GridHeadingPaint.h"
#include "grid/GridWxDC.h"

#include <wx/dcbuffer.h>

CGridSideHeading::CGridSideHeading(CGridCtrl* pGrid) : CGridHeadingWnd(pGrid, GRID_SECTION_ROWHEADING, true)
{
    Bind(wxEVT_PAINT, &CGridSideHeading::OnPaint, this);
}

void CGridSideHeading::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    CGridWxDC gdc(dc);
    const wxSize sz = GetClientSize();
    if (m_pInfo)
        GridPaintRowHeading(*m_pGrid, gdc, GRIDSIZE{sz.x, sz.y});
}
