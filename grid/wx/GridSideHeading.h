// CGridSideHeading: the row heading (section 3): heading cells left of the cell area, painted
// through their cell types; sizing and clicks run through CGridHeadingWnd.
#pragma once

#include "grid/wx/GridHeadingWnd.h"

class CGridSideHeading : public CGridHeadingWnd
{
  public:
    explicit CGridSideHeading(CGridCtrl* pGrid);

    // Follows the top row by scrolling what stays visible, and redraws the rows of the old
    // and the new current row.
    void UpdatePosition() override;
    void SetSheet(CGridInfo* pInfo) override;

  private:
    void OnPaint(wxPaintEvent& event);
    void RefreshRow(long nRow);

    long m_nLastTop = -1;
    long m_nLastNotified = -1;
};
