// CGridSheetTabs: the strip of sheet tabs beside the horizontal bar (section 7). The tabs, their
// painting and their mouse rules are the core's CGridSheetTabStrip; this window translates its
// events, holds the capture while the strip is resized and sets the cursor.
#pragma once

#include "grid/GridSheetTabStrip.h"
#include "grid/wx/GridChildWnd.h"

class CGridSheetTabs : public CGridChildWnd, public IGridTabWindow
{
public:
    explicit CGridSheetTabs(CGridCtrl* pGrid);
    ~CGridSheetTabs() override;

    void SetCursorKind(int nCursor) override;
    void Capture() override;
    void Release() override;
    GRIDPOINT ToScreen(GRIDPOINT pt) const override;

private:
    CGridSheetTabStrip& Strip();
    GRIDSIZE Size() const;
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
};
