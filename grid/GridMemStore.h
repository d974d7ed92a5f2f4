// CGridMemStore: the sparse in-memory cell store every sheet owns. Rows form a doubly linked
// list, each row's cells another; gaps between written cells are placeholder nodes. A cursor
// remembers the last position, so sequential access costs one step per cell.
#pragma once

#include "grid/GridCell.h"
#include "grid/GridDataSource.h"

#include <cstddef>
#include <vector>

class CGridMemStore : public CGridDataSource
{
public:
    CGridMemStore();
    ~CGridMemStore() override;

    int Reserved12() override { return 0; }
    int InsertRow(long nRow) override;
    int Reserved14() override { return 0; }
    int InsertCol(int nCol) override;
    int DeleteRow(long nRow) override;
    int DeleteCol(int nCol) override;
    int DeleteCell(int nCol, long nRow) override;
    int DeleteAll() override;
    int GetCell(int nCol, long nRow, CGridCell* pCell) override;
    int SetCell(int nCol, long nRow, CGridCell* pCell) override;
    int FindFirst(const char* pszText, int* pnCol, long* pnRow, int nFlags) override;
    int FindNext(const char* pszText, int* pnCol, long* pnRow, int nFlags) override;
    int SortRows(int* pnKeyCols, int nKeyCount, int nFlags) override;
    int SortRows(int nCol, int nFlags) override { return SortRows(&nCol, 1, nFlags); }
    int FindPrevNonBlank(int* pnCol, long nRow) override;

    // Structure queries for tests and diagnostics: rows between the lowest and highest index
    // ever written, and the number of nodes (placeholders included) in one row.
    long GetFirstRowIndex();
    long GetRowNodeCount();
    int GetCellNodeCount(long nRow, int* pnFirstCol = nullptr);

private:
    struct CELLNODE
    {
        CGridCell* pCell;
        CELLNODE* pNext;
        CELLNODE* pPrev;
    };
    struct ROWNODE
    {
        CELLNODE* pFirst; // the node of column 0; negative columns hang off its previous links
        ROWNODE* pNext;
        ROWNODE* pPrev;
    };

    // Fixed-size node pools: nodes are small and numerous, so they come from chunks.
    template <class T> class CPool
    {
    public:
        ~CPool();
        T* Alloc();
        void Free(T* p);
    private:
        struct FREE { FREE* pNext; };
        std::vector<T*> m_arrChunks;
        FREE* m_pFree = nullptr;
        size_t m_nUsedInChunk = 0;
        size_t m_nChunkSize = 0;
    };

    int MoveToRow(long nRow);
    int MoveToCol(int nCol);
    void WalkToRowCreating(long nRow);
    void WalkToColCreating(int nCol);
    void ResetColCursor();
    CELLNODE* NewCellNode();
    CGridCell* NewCell();
    void FreeCell(CGridCell* pCell);
    void FreeRowCells(ROWNODE* pRow);
    ROWNODE* FirstRowNode();
    CELLNODE* CellNodeInRow(ROWNODE* pRow, int nCol);

    long m_nCursorRow = 0;
    ROWNODE* m_pCursorRow = nullptr;
    int m_nCursorCol = 0;
    CELLNODE* m_pCursorCell = nullptr;
    int m_nFindCol = 0;
    long m_nFindRow = 0;

    CPool<ROWNODE> m_rowPool;
    CPool<CELLNODE> m_cellNodePool;
    struct CELLSLOT { alignas(CGridCell) unsigned char bytes[sizeof(CGridCell)]; };
    CPool<CELLSLOT> m_cellPool;
};
