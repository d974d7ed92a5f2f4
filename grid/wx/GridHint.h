// CGridHint: the grid's own tip window, a one-line box of text the scroll bars show next to the
// pointer while a thumb is dragged. Created hidden; its users place and show it.
#pragma once

#include "grid/wx/GridChildWnd.h"
#include "grid/GridHintLayout.h"
#include "grid/GridScrollLogic.h"

class CGridHint : public CGridChildWnd, public IGridTipWindow
{
public:
    explicit CGridHint(CGridCtrl* pGrid);
    void SetSheet(CGridInfo*) override {}

    int SetHintAlign(int nAlign) override;
    int SetHintStyle(int nStyle) override;
    int SetHintFont(CGridFont* pFont);
    int SetHintText(const char* pszText, bool bRedraw) override;
    // Sizes the tip for its text, puts it at the anchor (x, y) of the grid's client area and
    // paints it at once.
    int PlaceHint(int x, int y, int nMinWidth) override;
    int ShowHint() override;
    // Hides the tip and repaints the cells it covered.
    int HideHint() override;

    const CGridHintLayout& GetLayout() const { return m_layout; }

private:
    void OnPaint(wxPaintEvent& event);

    CGridHintLayout m_layout;
};
