// CGridDataSource: where a sheet's (or a column's) cells live, and the party the grid asks
// alongside its owner before moves and edits. Operations the grid never calls keep their
// shapes and default results so that other sources can be plugged in unchanged.
#pragma once

class CGridCell;
class CGridCore;
class IGridEditWindow;

class CGridDataSource
{
public:
    CGridDataSource() = default;
    virtual ~CGridDataSource() = default;
    CGridDataSource(const CGridDataSource&) = delete;
    CGridDataSource& operator=(const CGridDataSource&) = delete;

    virtual int Reserved1(int, int) { return -1; }
    virtual int Reserved2(int, int) { return -1; }
    virtual int Reserved3() { return -1; }
    virtual int Reserved4() { return -1; }
    virtual int Reserved5(int, int) { return -1; }
    virtual int Reserved6() { return -1; }
    virtual int Reserved7() { return -1; }
    virtual int Reserved8(int, int) { return -1; }
    virtual int Reserved9(int, int) { return -1; }
    virtual int Reserved10(int, int) { return -1; }
    virtual int Reserved11(int, int) { return -1; }
    virtual int Reserved12() { return -1; }
    virtual int InsertRow(long) { return -1; }
    virtual int Reserved14() { return -1; }
    virtual int InsertCol(int) { return -1; }
    virtual int DeleteRow(long) { return -1; }
    virtual int DeleteCol(int) { return -1; }
    virtual int DeleteCell(int, long) { return -1; }
    virtual int DeleteAll() { return -1; }
    virtual int GetCell(int, long, CGridCell*) { return -1; }
    virtual int SetCell(int, long, CGridCell*) { return -1; }
    virtual int FindFirst(const char*, int*, long*, int) { return -1; }
    virtual int FindNext(const char*, int*, long*, int) { return -1; }
    virtual int SortRows(int*, int, int) { return -1; }
    virtual int SortRows(int, int) { return -1; }
    virtual int Reserved26(int, int, int) { return -1; }
    virtual int Reserved27(int, int, int) { return -1; }
    virtual int Reserved28(int, int, int) { return -1; }
    virtual int OnSourcePastEnd(long, long, long*) { return -1; }
    virtual void OnSourceRowChanged(long, long) {}
    virtual void OnSourceColChanged(int, int) {}
    virtual int OnSourceCanMove(int, long, int, long) { return 1; }
    virtual int Reserved33() { return -1; }
    virtual int Reserved34() { return -1; }
    virtual int Reserved35() { return -1; }
    virtual int OnSourceEditBegin(int, long, IGridEditWindow**) { return 1; }
    virtual int OnSourceEditKey(int, long, IGridEditWindow*, unsigned*) { return 1; }
    virtual int OnSourceEditEnd(int, long, IGridEditWindow*, const char*, int) { return 1; }
    virtual int OnSourceEditNext(int, long, int*, long*) { return 1; }
    virtual int FindPrevNonBlank(int*, long) { return -1; }

    CGridCore* GetGrid() const { return m_pGrid; }
    void SetGrid(CGridCore* pGrid) { m_pGrid = pGrid; }
    int GetSourceIndex() const { return m_nSourceIndex; }
    void SetSourceIndex(int nIndex) { m_nSourceIndex = nIndex; }

protected:
    CGridCore* m_pGrid = nullptr;
    int m_nSourceIndex = -1;
};

// Search flags of FindFirst and FindNext.
enum GridFindFlags : int
{
    GRID_FIND_PARTIAL = 1,
    GRID_FIND_NOCASE = 2,
    GRID_FIND_BACKWARDS = 4, // accepted but not honoured: searches always run forwards
    GRID_FIND_ALLCOLS = 8
};

// Sort flag: descending order.
enum { GRID_SORT_DESCENDING = 2 };

// The grid's default comparison of two cells for sorting.
int GridDefaultCompareCells(CGridCell* pA, CGridCell* pB, int nFlags);
