// CGridScrollLogic: the rules of the grid's scroll bars, apart from the bar windows. It maps the
// sheet's left column or top row onto bar positions (scaled to 1000 units above 1,000 rows, or a
// three-position up/down bar), turns scroll codes into the grid's steps and shows the thumb tip.
#pragma once

#include "grid/GridTypes.h"

#include <string>

class CGridCore;

// Scroll codes, as the desktop numbers them.
enum GridScrollCode : int
{
    GRID_SB_LINEUP = 0,
    GRID_SB_LINEDOWN = 1,
    GRID_SB_PAGEUP = 2,
    GRID_SB_PAGEDOWN = 3,
    GRID_SB_THUMBPOSITION = 4,
    GRID_SB_THUMBTRACK = 5,
    GRID_SB_TOP = 6,
    GRID_SB_BOTTOM = 7,
    GRID_SB_ENDSCROLL = 8
};

// What the bar window does for these rules.
class IGridBarWindow
{
public:
    virtual ~IGridBarWindow() = default;
    // Positions from nMin to nMax, of which nPage show at once.
    virtual void SetBarRange(int nMin, int nMax, int nPage) = 0;
    virtual void SetBarPos(int nPos) = 0;
};

// The tip window as the bars drive it.
class IGridTipWindow
{
public:
    virtual ~IGridTipWindow() = default;
    virtual int SetHintAlign(int nAlign) = 0;
    virtual int SetHintStyle(int nStyle) = 0;
    virtual int SetHintText(const char* pszText, bool bRedraw) = 0;
    virtual int PlaceHint(int x, int y, int nMinWidth) = 0;
    virtual int ShowHint() = 0;
    virtual int HideHint() = 0;
};

class CGridScrollLogic
{
public:
    CGridScrollLogic(CGridCore* pGrid, bool bVertical) : m_pGrid(pGrid), m_bVertical(bVertical) {}

    // Forget what was applied (a new sheet or a new place).
    void Reset();
    void UpdateBar(IGridBarWindow& bar);
    // ptClient: the pointer in the grid's client coordinates.
    void OnScroll(int nCode, int nPos, GRIDPOINT ptClient, IGridBarWindow& bar);
    void OnRightDown(GRIDPOINT ptScreen);
    // What the bar's hover tip says: the owner's text for the column or row now at the view's
    // edge. False while the sheet's tips for this bar are off or the owner gives no text.
    bool HoverTip(std::string* pstrText) const;

    double ToBar() const { return m_dToBar; }
    double ToRows() const { return m_dToRows; }
    long Tracked() const { return m_nTracked; }

private:
    long PositionToIndex(int nPos) const;
    void ShowTip(long nIndex, GRIDPOINT ptClient);

    CGridCore* m_pGrid;
    bool m_bVertical;
    double m_dToBar = 1.0;
    double m_dToRows = 1.0;
    long m_nLastMax = -2;
    int m_nLastMode = -2;
    int m_nLastPage = -2;
    long m_nLastPos = -2;
    long m_nTracked = 0;
    bool m_bInLayout = false;
};
