// CGridDropListType: text with a drop-down button; the button, Enter or Ctrl+Down open a list
// of the choices held in the cell's label, and choosing one stores it as the cell's text. The
// list window itself is the window code's (CGridDropListBox); its decisions are made here.
#pragma once

#include "grid/GridCellType.h"

#include <string>

class CGridFont;
#include <vector>

// Cell type parameter bit: cells that are not current are drawn without a button.
enum GridDropListParam : int
{
    GRID_DROPLIST_BUTTONWHENCURRENT = 0x200
};

// The list window as the drop list drives it.
class IGridDropListWindow
{
  public:
    virtual ~IGridDropListWindow() = default;
    virtual bool IsOpen() const = 0;
    // Shows the choices at rc (cell-area coordinates) with the font (nullptr: the default) and
    // gives the list the focus.
    virtual void Open(const GRIDRECT& rc, const std::vector<std::string>& arrChoices, CGridFont* pFont) = 0;
    virtual void Close() = 0;
};

class CGridDropListType : public CGridCellType
{
  public:
    enum
    {
        MAX_LIST_LINES = 16
    };

    CGridDropListType();
    const char* GetName() const override;
    const GRIDTYPEID* GetTypeId() const override;
    int GetEditRect(GRIDRECT* pRect) override;
    int OnLeftClick(int nCol, long nRow, int bDown, GRIDRECT* pRect, GRIDPOINT* pPoint) override;
    int OnDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint) override;
    int OnKeyDown(int nCol, long nRow, unsigned* pnKey) override;
    int OnChar(int nCol, long nRow, unsigned* pnChar) override;
    int OnMouseMove(int nCol, long nRow, GRIDPOINT* pPoint, unsigned nKeyFlags) override;
    void OnDraw(CGridDC* pDC, GRIDRECT* pRect, int nCol, long nRow, CGridCell* pCell, int bSelected,
                int bCurrent) override;
    void OnLostCurrent(int, long, CGridCell*) override;

    void OpenList();
    // The list window reports a choice, and its closing (after a choice or without one).
    // bPressTaken: a press outside the list closed it and went no further, so no button press
    // follows that must be kept from opening the list again.
    void OnListChoice(const std::string& strChoice);
    void OnListClosed(bool bChosen, bool bPressTaken = false);

    // The choices of a label: each text before a line feed.
    static std::vector<std::string> SplitChoices(const char* pszLabel);
    // Where a list of nLines lines of nLineHeight opens below a cell, kept inside the area.
    static GRIDRECT ListRect(const GRIDRECT& rcCell, int nChoices, int nLineHeight, int nAreaWidth,
                             int nAreaHeight);

    IGridDropListWindow* m_pList = nullptr;
    int m_nButtonWidth;
    int m_bPressed = 0;
    GRIDRECT m_rcButton;
    int m_nListCol = -1;
    long m_nListRow = -1;
    CGridPen m_penFace;
    GRIDCOLOR m_crFace;

  private:
    void RepaintRemembered();
};
