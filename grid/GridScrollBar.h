// The control's two scroll bars: they map the sheet's left column and top row onto scroll
// positions and turn scroll requests into the control's scroll operations.
#pragma once

#include "grid/GridChild.h"

#include <wx/scrolbar.h>

class CGridCtrl;

// The common part of the two bars; CGridHScrollBar and CGridVScrollBar choose the axis.
class CGridScrollBar : public wxScrollBar, public IGridChild
{
public:

    void SetSheet(CGridInfo* pInfo) override;
    void Place(const GRIDRECT& rc, bool bRepaint) override;
    void UpdatePosition() override { UpdateBar(); }
    void Repaint() override { Refresh(false); }
    void UpdateBar();

protected:
    CGridScrollBar(CGridCtrl* pGrid, bool bVertical);

private:
    void OnScrollEvent(wxScrollEvent& event);

    CGridCtrl* m_pGrid;
    CGridInfo* m_pInfo = nullptr;
    bool m_bVertical;
    double m_dToBar = 1.0;
    double m_dToRows = 1.0;
    long m_nLastMax = -1;
    int m_nLastPage = -1;
};
