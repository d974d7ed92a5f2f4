// CGridCorner: the corner button (section 4) where the two headings meet. It paints through
// its cell types; its edges size the headings and its presses reach the owner.
#pragma once

#include "grid/wx/GridChildWnd.h"
#include "grid/GridCornerInput.h"

class CGridCorner : public CGridChildWnd, public IGridHeadingWindow
{
  public:
    explicit CGridCorner(CGridCtrl* pGrid);

    const CGridCornerInput& GetInput() const { return m_input; }

    void SetCursorKind(int nCursor) override;
    void Capture() override;
    void Release() override;
    void DrawMarker(const GRIDRECT&) override {}
    void EraseMarker(const GRIDRECT&) override {}
    void RepaintHeading() override { Refresh(false); }
    GRIDPOINT ToScreen(GRIDPOINT pt) const override;

  private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);

    CGridCornerInput m_input;
};
