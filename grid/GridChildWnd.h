// The control's child windows: a common base that plugs a wxWindow into the core's child
// interface, the cell area, the two headings, the corner, the sheet tabs and the tip window.
// Their painting and mouse handling are kept small; each later grows in its own files.
#pragma once

#include "grid/GridChild.h"

#include <wx/window.h>

class CGridCtrl;
class wxDC;

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

// The scrollable cells: paints them through their cell types and turns keys, clicks and the
// wheel into moves of the current cell.
class CGridWnd : public CGridChildWnd
{
public:
    explicit CGridWnd(CGridCtrl* pGrid);

    void PaintHinted() override { Refresh(false); }
    void SetFocus() override { wxWindow::SetFocus(); }
    bool HasFocus() const override { return wxWindow::HasFocus(); }

private:
    void OnPaint(wxPaintEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnFocus(wxFocusEvent& event);
};

// Column heading (section 2), row heading (section 3) and corner (section 4).
class CGridHeadingWnd : public CGridChildWnd
{
public:
    CGridHeadingWnd(CGridCtrl* pGrid, int nSection);

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);

    int m_nSection;
};

// The sheet-tab strip exists so the layout keeps its place; it shows nothing yet.
class CGridSheetTabs : public CGridChildWnd
{
public:
    explicit CGridSheetTabs(CGridCtrl* pGrid) : CGridChildWnd(pGrid, 5) {}
};

// The grid's own tip window: created hidden, placed and shown by its users.
class CGridHint : public CGridChildWnd
{
public:
    explicit CGridHint(CGridCtrl* pGrid);
    void SetSheet(CGridInfo*) override {}
};
