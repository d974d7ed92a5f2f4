// CGridSheetTabStrip: the sheet tabs beside the horizontal bar, apart from their window. It
// keeps up to 64 tabs (name, width, id), the highlighted tab and a pixel scroll offset; it
// paints the strip (two scroll buttons at the left, slanted tabs, a sizing grip at the right)
// and turns presses into tab choices, scrolling and resizing of the strip.
#pragma once

#include "grid/GridFont.h"
#include "grid/GridTypes.h"

#include <string>
#include <vector>

class CGridCore;
class CGridDC;

// What the tab window does for these rules.
class IGridTabWindow
{
public:
    virtual ~IGridTabWindow() = default;
    virtual void SetCursorKind(int nCursor) = 0; // GRID_CURSOR_*
    virtual void Capture() = 0;
    virtual void Release() = 0;
    virtual GRIDPOINT ToScreen(GRIDPOINT pt) const = 0;
};

class CGridSheetTabStrip
{
public:
    enum
    {
        MAX_TABS = 64,
        TEXT_PAD = 6,   // room either side of a label, inside the slants
        GRIP_WIDTH = 6, // the sizing grip at the right end
        MIN_STRIP = 4   // the narrowest strip a drag leaves
    };
    enum HitKind
    {
        TABHIT_NONE,
        TABHIT_SCROLLLEFT,
        TABHIT_SCROLLRIGHT,
        TABHIT_TAB,
        TABHIT_GRIP
    };
    struct TAB
    {
        std::string strName;
        int nWidth = -1; // label width plus padding; -1 until measured
        int nId = 0;
    };
    struct HIT
    {
        int nKind = TABHIT_NONE;
        int nTab = -1;
    };

    explicit CGridSheetTabStrip(CGridCore* pGrid);

    // 0 on success; 1 when all 64 places are taken or the id is in use; 2 for a null name.
    int AddTab(const char* pszName, int nId);
    // 0 on success; 1 when no tab has the id.
    int DeleteTab(int nId);
    int RenameTab(int nId, const char* pszName);
    // Highlights the tab with the id and scrolls it into view; 1 when there is none.
    int SetCurrentTab(int nId);
    void RemoveAll();

    int GetTabCount() const { return static_cast<int>(m_arrTabs.size()); }
    const TAB& GetTab(int nIndex) const { return m_arrTabs[static_cast<size_t>(nIndex)]; }
    int FindTab(int nId) const;
    int GetCurrentTab() const { return m_nCurrent; }
    int GetScroll() const { return m_nScroll; }
    CGridFont* GetFont() { return &m_font; }

    // Measures the labels that have no width yet (new, renamed).
    void Measure(CGridDC& dc);
    bool IsMeasured() const;
    void Paint(CGridDC& dc, GRIDSIZE sz);
    HIT HitTest(GRIDPOINT pt, GRIDSIZE sz) const;

    // Where the tabs go: the part of the strip between the buttons and the grip.
    GRIDRECT TabArea(GRIDSIZE sz) const;
    // A tab's outline in strip coordinates: its top edge from left to right; it narrows by the
    // slant towards the bottom.
    GRIDRECT TabRect(int nIndex, GRIDSIZE sz) const;
    int Slant(GRIDSIZE sz) const { return sz.cy / 2; }
    bool CanScroll(int nDir, GRIDSIZE sz) const;
    // One tab to the left (nDir < 0) or to the right; false when already at that end.
    bool Scroll(int nDir, GRIDSIZE sz);

    void OnLeftDown(GRIDPOINT pt, GRIDSIZE sz, IGridTabWindow& wnd);
    void OnMouseMove(GRIDPOINT pt, unsigned nFlags, GRIDSIZE sz, IGridTabWindow& wnd);
    void OnLeftUp(GRIDPOINT pt, IGridTabWindow& wnd);
    void OnRightDown(GRIDPOINT pt, GRIDSIZE sz, IGridTabWindow& wnd);
    void OnCaptureLost() { m_bSizing = false; }
    bool IsSizing() const { return m_bSizing; }

private:
    int ButtonWidth() const;
    int TotalWidth(GRIDSIZE sz) const;
    int TabStart(int nIndex, GRIDSIZE sz) const;
    void ClampScroll(GRIDSIZE sz);
    void MakeVisible(int nIndex, GRIDSIZE sz);
    bool InTab(int nIndex, GRIDPOINT pt, GRIDSIZE sz) const;
    void Repaint();
    void PaintButton(CGridDC& dc, int nButton, GRIDSIZE sz);
    void PaintTab(CGridDC& dc, int nIndex, bool bCurrent, GRIDSIZE sz);
    void PaintGrip(CGridDC& dc, GRIDSIZE sz);

    CGridCore* m_pGrid;
    std::vector<TAB> m_arrTabs;
    int m_nCurrent = -1;
    int m_nScroll = 0;
    GRIDSIZE m_szLast;
    CGridFont m_font;
    bool m_bSizing = false;
    int m_nSizeAnchor = 0; // pointer x less the strip's width when a resize began
};
