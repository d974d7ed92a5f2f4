// CGridChildWnd: the common base of the control's child windows; it plugs a wxWindow into the
// core's child interface. Each window derives from it in its own file.
#pragma once

#include "grid/GridChild.h"

#include <wx/window.h>

class CGridCtrl;

class CGridChildWnd : public wxWindow, public IGridChild
{
public:
    CGridChildWnd(CGridCtrl* pGrid, int nId, long nStyle = 0);

    void SetSheet(CGridInfo* pInfo) override { m_pInfo = pInfo; }
    void Place(const GRIDRECT& rc, bool bRepaint) override;
    void UpdatePosition() override { Refresh(false); }
    void Repaint() override { Refresh(false); }

protected:
    CGridCtrl* m_pGrid;
    CGridInfo* m_pInfo = nullptr;
};
