// CGridMultiSelect: a sheet's multiple selection, a list of rectangular blocks. The change
// dispatch feeds it the new current cell according to how the move was made and then takes
// its anchor as the notified cell.
#pragma once

#include <vector>

class CGridCore;
struct CGridInfo;

class CGridMultiSelect
{
public:
    enum { MODE_WHOLEROWS = 2, MODE_FIRSTDECIDES = 0x10 };

    int OnKeyMove(int nCol, long nRow, bool bShift, bool bCtrl);
    int OnLeftPress(int nCol, long nRow, unsigned nKeyFlags);
    int OnRightPress(int nCol, long nRow);
    int OnDrag(int nCol, long nRow);

    void OpenBlock(int nCol, long nRow);
    int ExtendTo(int nCol, long nRow);
    int IsSelected(int nCol, long nRow, int* pnNumber = nullptr) const;
    int GetBounds(int* pnCol1, long* pnRow1, int* pnCol2, long* pnRow2) const;
    int GetAnchor(int* pnCol, long* pnRow) const;
    void ClearBlocks();
    bool HasBlocks() const { return m_bHasBlocks; }
    int GetBlockCount() const { return static_cast<int>(m_arrBlocks.size()); }

    CGridCore* m_pGrid = nullptr;
    CGridInfo* m_pInfo = nullptr;
    int m_nMode = 0;

private:
    struct BLOCK
    {
        int nStartCol, nEndCol;
        long nStartRow, nEndRow;
        int nLeft, nRight;
        long nTop, nBottom;
        int bSelected;
    };
    void Normalise(BLOCK& b) const;
    void HintBounds();

    std::vector<BLOCK> m_arrBlocks;
    int m_nAnchorCol = -1;
    long m_nAnchorRow = -1;
    bool m_bHasBlocks = false;
    bool m_bJustStarted = false;
    int m_nExtensions = 0;
    int m_nLastCol = -1;
    long m_nLastRow = -1;
};
