// The control's two scroll bars: CGridScrollLogic maps the sheet's left column and top row onto
// scroll positions and turns scroll requests into the control's scroll operations; this window
// translates the toolkit's scroll events and holds the range.
#pragma once

#include "grid/GridChild.h"
#include "grid/GridScrollLogic.h"

#include <wx/scrolbar.h>

class CGridCtrl;

// The common part of the two bars; CGridHScrollBar and CGridVScrollBar choose the axis.
class CGridScrollBar : public wxScrollBar, public IGridChild, public IGridBarWindow
{
public:
    void SetSheet(CGridInfo* pInfo) override;
    void Place(const GRIDRECT& rc, bool bRepaint) override;
    void UpdatePosition() override { UpdateBar(); }
    void Repaint() override { Refresh(false); }
    void UpdateBar();

    void SetBarRange(int nMin, int nMax, int nPage) override;
    void SetBarPos(int nPos) override;
    const CGridScrollLogic& GetLogic() const { return m_logic; }

protected:
    CGridScrollBar(CGridCtrl* pGrid, bool bVertical);

private:
    void OnScrollEvent(wxScrollEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnHover(wxMouseEvent& event);
    void UpdateHoverTip();

    CGridCtrl* m_pGrid;
    CGridInfo* m_pInfo = nullptr;
    CGridScrollLogic m_logic;
    int m_nMin = 0;
    bool m_bTracking = false; // the thumb is being dragged: its own tip speaks
};
