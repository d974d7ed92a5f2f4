// CGridDrawHints: the cells the next paint pass of the cell area must draw, as blocks with a
// bounding box (so cells outside every block are rejected at once), plus the joined blocks
// already drawn in the current pass.
#pragma once

#include <vector>

class CGridDrawHints
{
public:
    // Beyond this many blocks the list folds into its bounding box, so hints gathered while
    // nothing paints stay bounded.
    enum { MAX_BLOCKS = 64 };

    void AddCell(int nCol, long nRow) { AddRange(nCol, nRow, nCol, nRow); }
    void AddRange(int nCol1, long nRow1, int nCol2, long nRow2);
    void ExtendFirst(int nCol1, long nRow1, int nCol2, long nRow2);
    int IsHinted(int nCol, long nRow) const;
    int IsJoinDrawn(int nCol, long nRow) const;
    void AddJoinDrawn(int nCol, long nRow);
    void Reset();
    bool IsEmpty() const { return m_arrBlocks.empty(); }
    int GetBlockCount() const { return static_cast<int>(m_arrBlocks.size()); }
    // The bounding box; 1 when there are no hints.
    int GetBounds(int* pnCol1, long* pnRow1, int* pnCol2, long* pnRow2) const;

private:
    struct BLOCK
    {
        int nCol1;
        long nRow1;
        int nCol2;
        long nRow2;
    };
    void Widen(const BLOCK& b);

    std::vector<BLOCK> m_arrBlocks;
    BLOCK m_bounds{0, 0, 0, 0};
    std::vector<std::pair<int, long>> m_arrJoinsDrawn;
};
