// CGridMemStore: the memory pools, cursor walks, cell storage, insertion and deletion.
#include "grid/GridMemStore.h"

#include "grid/GridCell.h"
#include "grid/GridCore.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace
{
// Pool chunks start small (most sheets hold few cells) and double up to 2 MiB; chunks that
// large are asked to live on huge pages, which spares a big store most of its page faults.
const size_t POOL_FIRST_CHUNK = 256;
const size_t POOL_HUGE_BYTES = size_t(2) << 20;

void* AllocChunk(size_t nBytes)
{
#ifdef __linux__
    if (nBytes >= POOL_HUGE_BYTES)
    {
        nBytes = (nBytes + POOL_HUGE_BYTES - 1) / POOL_HUGE_BYTES * POOL_HUGE_BYTES;
        void* p = std::aligned_alloc(POOL_HUGE_BYTES, nBytes);
        if (!p)
            throw std::bad_alloc();
        madvise(p, nBytes, MADV_HUGEPAGE);
        return p;
    }
#endif
    void* p = std::malloc(nBytes);
    if (!p)
        throw std::bad_alloc();
    return p;
}
} // namespace

template <class T> T* CGridMemStore::CPool<T>::Alloc()
{
    static_assert(sizeof(T) >= sizeof(FREE), "pool slots hold the free list");
    if (m_pFree)
    {
        FREE* p = m_pFree;
        m_pFree = p->pNext;
        return reinterpret_cast<T*>(p);
    }
    if (m_arrChunks.empty() || m_nUsedInChunk == m_nChunkSize)
    {
        m_nChunkSize = m_nChunkSize == 0 ? POOL_FIRST_CHUNK
                                         : std::min(m_nChunkSize * 2, std::max(POOL_FIRST_CHUNK, 2 * POOL_HUGE_BYTES / sizeof(T)));
        m_arrChunks.push_back(static_cast<T*>(AllocChunk(sizeof(T) * m_nChunkSize)));
        m_nUsedInChunk = 0;
    }
    return m_arrChunks.back() + m_nUsedInChunk++;
}

template <class T> CGridMemStore::CPool<T>::~CPool()
{
    for (T* p : m_arrChunks)
        std::free(p);
}

template <class T> void CGridMemStore::CPool<T>::Free(T* p)
{
    FREE* pFree = reinterpret_cast<FREE*>(p);
    pFree->pNext = m_pFree;
    m_pFree = pFree;
}

CGridMemStore::CGridMemStore() = default;

CGridMemStore::~CGridMemStore() { DeleteAll(); }

CGridMemStore::CELLNODE* CGridMemStore::NewCellNode()
{
    CELLNODE* p = m_cellNodePool.Alloc();
    p->pCell = nullptr;
    p->pNext = p->pPrev = nullptr;
    return p;
}

CGridCell* CGridMemStore::NewCell()
{
    return new (m_cellPool.Alloc()) CGridCell();
}

void CGridMemStore::FreeCell(CGridCell* pCell)
{
    if (!pCell)
        return;
    pCell->~CGridCell();
    m_cellPool.Free(reinterpret_cast<CELLSLOT*>(pCell));
}

void CGridMemStore::FreeRowCells(ROWNODE* pRow)
{
    CELLNODE* p = pRow->pFirst;
    while (p && p->pPrev)
        p = p->pPrev;
    while (p)
    {
        CELLNODE* pNext = p->pNext;
        FreeCell(p->pCell);
        m_cellNodePool.Free(p);
        p = pNext;
    }
    pRow->pFirst = nullptr;
}

void CGridMemStore::ResetColCursor()
{
    m_nCursorCol = 0;
    m_pCursorCell = m_pCursorRow ? m_pCursorRow->pFirst : nullptr;
}

// Follows the row links from the cursor, one step at a time. On a missing link the cursor
// stays on the last reachable row and the move fails.
int CGridMemStore::MoveToRow(long nRow)
{
    if (!m_pCursorRow)
        return 1;
    if (nRow == m_nCursorRow)
        return 0; // same row: the column cursor is still valid, keep it for sequential access
    while (m_nCursorRow < nRow && m_pCursorRow->pNext)
    {
        m_pCursorRow = m_pCursorRow->pNext;
        ++m_nCursorRow;
    }
    while (m_nCursorRow > nRow && m_pCursorRow->pPrev)
    {
        m_pCursorRow = m_pCursorRow->pPrev;
        --m_nCursorRow;
    }
    ResetColCursor();
    return m_nCursorRow == nRow ? 0 : 1;
}

int CGridMemStore::MoveToCol(int nCol)
{
    if (!m_pCursorRow || !m_pCursorCell)
        return 1;
    while (m_nCursorCol < nCol && m_pCursorCell->pNext)
    {
        m_pCursorCell = m_pCursorCell->pNext;
        ++m_nCursorCol;
    }
    while (m_nCursorCol > nCol && m_pCursorCell->pPrev)
    {
        m_pCursorCell = m_pCursorCell->pPrev;
        --m_nCursorCol;
    }
    return m_nCursorCol == nCol ? 0 : 1;
}

void CGridMemStore::WalkToRowCreating(long nRow)
{
    if (!m_pCursorRow)
    {
        m_pCursorRow = m_rowPool.Alloc();
        *m_pCursorRow = ROWNODE{nullptr, nullptr, nullptr};
        m_nCursorRow = 0;
        ResetColCursor();
    }
    if (MoveToRow(nRow) == 0)
        return;
    while (m_nCursorRow < nRow)
    {
        ROWNODE* p = m_rowPool.Alloc();
        *p = ROWNODE{nullptr, nullptr, m_pCursorRow};
        m_pCursorRow->pNext = p;
        m_pCursorRow = p;
        ++m_nCursorRow;
    }
    while (m_nCursorRow > nRow)
    {
        ROWNODE* p = m_rowPool.Alloc();
        *p = ROWNODE{nullptr, m_pCursorRow, nullptr};
        m_pCursorRow->pPrev = p;
        m_pCursorRow = p;
        --m_nCursorRow;
    }
    ResetColCursor();
}

void CGridMemStore::WalkToColCreating(int nCol)
{
    if (!m_pCursorRow->pFirst)
    {
        m_pCursorRow->pFirst = NewCellNode();
        ResetColCursor();
    }
    if (MoveToCol(nCol) == 0)
        return;
    while (m_nCursorCol < nCol)
    {
        CELLNODE* p = NewCellNode();
        p->pPrev = m_pCursorCell;
        m_pCursorCell->pNext = p;
        m_pCursorCell = p;
        ++m_nCursorCol;
    }
    while (m_nCursorCol > nCol)
    {
        CELLNODE* p = NewCellNode();
        p->pNext = m_pCursorCell;
        m_pCursorCell->pPrev = p;
        m_pCursorCell = p;
        --m_nCursorCol;
    }
}

int CGridMemStore::GetCell(int nCol, long nRow, CGridCell* pCell)
{
    if (MoveToRow(nRow) != 0 || MoveToCol(nCol) != 0 || !m_pCursorCell->pCell)
        return 1;
    if (pCell)
        pCell->MergeFrom(m_pCursorCell->pCell);
    return 0;
}

int CGridMemStore::SetCell(int nCol, long nRow, CGridCell* pCell)
{
    WalkToRowCreating(nRow);
    WalkToColCreating(nCol);
    if (!m_pCursorCell->pCell)
        m_pCursorCell->pCell = NewCell();
    if (pCell)
        pCell->CopyTo(m_pCursorCell->pCell);
    else
        m_pCursorCell->pCell->ClearAll();
    return 0;
}

int CGridMemStore::InsertRow(long nRow)
{
    if (MoveToRow(nRow) != 0)
        return 0;
    ROWNODE* pOld = m_pCursorRow;
    ROWNODE* p = m_rowPool.Alloc();
    *p = ROWNODE{nullptr, pOld, pOld->pPrev};
    if (pOld->pPrev)
        pOld->pPrev->pNext = p;
    pOld->pPrev = p;
    m_pCursorRow = p; // the new row takes the index
    ResetColCursor();
    return 0;
}

CGridMemStore::ROWNODE* CGridMemStore::FirstRowNode()
{
    ROWNODE* p = m_pCursorRow;
    long n = m_nCursorRow;
    while (p && p->pPrev)
    {
        p = p->pPrev;
        --n;
    }
    m_pCursorRow = p;
    m_nCursorRow = n;
    ResetColCursor();
    return p;
}

CGridMemStore::CELLNODE* CGridMemStore::CellNodeInRow(ROWNODE* pRow, int nCol)
{
    CELLNODE* p = pRow->pFirst;
    for (int i = 0; p && i < nCol; ++i)
        p = p->pNext;
    for (int i = 0; p && i > nCol; --i)
        p = p->pPrev;
    return p;
}

int CGridMemStore::InsertCol(int nCol)
{
    if (!m_pCursorRow || nCol < 0)
        return 1;
    for (ROWNODE* pRow = FirstRowNode(); pRow; pRow = pRow->pNext)
    {
        CELLNODE* pAt = CellNodeInRow(pRow, nCol);
        if (!pAt)
            continue;
        CELLNODE* p = NewCellNode();
        p->pNext = pAt;
        p->pPrev = pAt->pPrev;
        if (pAt->pPrev)
            pAt->pPrev->pNext = p;
        pAt->pPrev = p;
        if (pRow->pFirst == pAt)
            pRow->pFirst = p;
    }
    ResetColCursor();
    return 0;
}

int CGridMemStore::DeleteRow(long nRow)
{
    if (MoveToRow(nRow) != 0)
        return 0;
    ROWNODE* pRow = m_pCursorRow;
    FreeRowCells(pRow);
    if (pRow->pPrev)
        pRow->pPrev->pNext = pRow->pNext;
    if (pRow->pNext)
        pRow->pNext->pPrev = pRow->pPrev;
    if (pRow->pNext)
        m_pCursorRow = pRow->pNext; // the following row now has this index
    else
    {
        m_pCursorRow = pRow->pPrev;
        --m_nCursorRow;
    }
    m_rowPool.Free(pRow);
    ResetColCursor();
    return 0;
}

int CGridMemStore::DeleteCol(int nCol)
{
    if (!m_pCursorRow)
        return 1;
    for (ROWNODE* pRow = FirstRowNode(); pRow; pRow = pRow->pNext)
    {
        CELLNODE* pAt = CellNodeInRow(pRow, nCol);
        if (!pAt)
            continue;
        FreeCell(pAt->pCell);
        pAt->pCell = nullptr;
        if (!pAt->pNext)
            continue; // the last node stays as a placeholder
        pAt->pNext->pPrev = pAt->pPrev;
        if (pAt->pPrev)
            pAt->pPrev->pNext = pAt->pNext;
        if (pRow->pFirst == pAt)
            pRow->pFirst = pAt->pNext;
        m_cellNodePool.Free(pAt);
    }
    ResetColCursor();
    return 0;
}

int CGridMemStore::DeleteCell(int nCol, long nRow)
{
    if (MoveToRow(nRow) != 0 || MoveToCol(nCol) != 0)
        return 1;
    FreeCell(m_pCursorCell->pCell);
    m_pCursorCell->pCell = nullptr;
    return 0;
}

int CGridMemStore::DeleteAll()
{
    ROWNODE* pRow = FirstRowNode();
    while (pRow)
    {
        ROWNODE* pNext = pRow->pNext;
        FreeRowCells(pRow);
        m_rowPool.Free(pRow);
        pRow = pNext;
    }
    m_pCursorRow = nullptr;
    m_pCursorCell = nullptr;
    m_nCursorRow = 0;
    m_nCursorCol = 0;
    return 0;
}

int CGridMemStore::FindPrevNonBlank(int* pnCol, long nRow)
{
    if (!pnCol || MoveToRow(nRow) != 0 || !m_pCursorCell)
        return 1;
    const int nCol = *pnCol;
    if (MoveToCol(nCol) != 0)
    {
        // Past the row's end the last node is the starting point, if it holds a cell.
        if (m_nCursorCol > nCol || !m_pCursorCell->pCell)
            return 1;
    }
    for (CELLNODE* p = m_pCursorCell; p && m_nCursorCol >= 0; p = p->pPrev)
    {
        if (m_nCursorCol != nCol && p->pCell && p->pCell->GetTextLength() > 0)
        {
            *pnCol = m_nCursorCol;
            m_pCursorCell = p;
            return 0;
        }
        if (!p->pPrev)
            break;
        --m_nCursorCol;
    }
    ResetColCursor();
    return 1;
}

long CGridMemStore::GetFirstRowIndex()
{
    return FirstRowNode() ? m_nCursorRow : 0;
}

long CGridMemStore::GetRowNodeCount()
{
    long n = 0;
    for (ROWNODE* p = FirstRowNode(); p; p = p->pNext)
        ++n;
    return n;
}

int CGridMemStore::GetCellNodeCount(long nRow, int* pnFirstCol)
{
    if (MoveToRow(nRow) != 0 || !m_pCursorRow->pFirst)
        return 0;
    CELLNODE* p = m_pCursorRow->pFirst;
    int nFirst = 0;
    while (p->pPrev)
    {
        p = p->pPrev;
        --nFirst;
    }
    if (pnFirstCol)
        *pnFirstCol = nFirst;
    int n = 0;
    for (; p; p = p->pNext)
        ++n;
    return n;
}
