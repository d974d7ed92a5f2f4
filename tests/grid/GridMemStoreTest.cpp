// The memory store: node shapes, headings, insertion and deletion, search and sort.
#include "grid/GridCell.h"
#include "grid/GridMemStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
void Put(CGridMemStore& store, int nCol, long nRow, const char* psz)
{
    CGridCell cell;
    cell.SetText(psz);
    store.SetCell(nCol, nRow, &cell);
}

std::string Text(CGridMemStore& store, int nCol, long nRow)
{
    CGridCell cell;
    if (store.GetCell(nCol, nRow, &cell) != 0)
        return "<none>";
    return cell.GetText() ? cell.GetText() : "<notext>";
}

std::vector<std::string> Column(CGridMemStore& store, int nCol, long nRows)
{
    std::vector<std::string> arr;
    for (long r = 0; r < nRows; ++r)
        arr.push_back(Text(store, nCol, r));
    return arr;
}
} // namespace

TEST(GridMemStoreTest, GetCellOnEmptyStoreLeavesTheCellAlone)
{
    CGridMemStore store;
    CGridCell cell;
    cell.SetText("mine");
    EXPECT_EQ(store.GetCell(0, 0, &cell), 1);
    EXPECT_STREQ(cell.GetText(), "mine");
}

TEST(GridMemStoreTest, SetCellCreatesRowsAndPlaceholdersUpToTheCell)
{
    CGridMemStore store;
    Put(store, 5, 2, "x");
    EXPECT_EQ(store.GetRowNodeCount(), 3);
    EXPECT_EQ(store.GetFirstRowIndex(), 0);
    int nFirst = 99;
    EXPECT_EQ(store.GetCellNodeCount(2, &nFirst), 6);
    EXPECT_EQ(nFirst, 0);
    EXPECT_EQ(store.GetCellNodeCount(0), 0);
    EXPECT_EQ(Text(store, 3, 2), "<none>");
    EXPECT_EQ(Text(store, 5, 2), "x");
    EXPECT_EQ(Text(store, 6, 2), "<none>");
}

TEST(GridMemStoreTest, GetCellMergesStoredPropertiesOverTheCallers)
{
    CGridMemStore store;
    Put(store, 0, 0, "stored");
    CGridCell cell;
    cell.SetBackColor(0x10);
    ASSERT_EQ(store.GetCell(0, 0, &cell), 0);
    EXPECT_STREQ(cell.GetText(), "stored");
    EXPECT_EQ(cell.GetBackColor(), 0x10u);
}

TEST(GridMemStoreTest, HeadingCellsExtendTheListsBackwards)
{
    CGridMemStore store;
    Put(store, 1, 1, "cell");
    Put(store, -1, -1, "corner");
    Put(store, -2, 1, "side");
    EXPECT_EQ(store.GetFirstRowIndex(), -1);
    EXPECT_EQ(store.GetRowNodeCount(), 3);
    EXPECT_EQ(Text(store, 1, 1), "cell");
    EXPECT_EQ(Text(store, -1, -1), "corner");
    EXPECT_EQ(Text(store, -2, 1), "side");
    int nFirst = 0;
    EXPECT_EQ(store.GetCellNodeCount(1, &nFirst), 4);
    EXPECT_EQ(nFirst, -2);
}

TEST(GridMemStoreTest, DeleteColLastLeavesPlaceholderInnerShiftsLeft)
{
    CGridMemStore store;
    Put(store, 0, 0, "a");
    Put(store, 1, 0, "b");
    Put(store, 2, 0, "c");
    store.DeleteCol(2);
    EXPECT_EQ(store.GetCellNodeCount(0), 3);
    EXPECT_EQ(Text(store, 2, 0), "<none>");
    store.DeleteCol(0);
    EXPECT_EQ(store.GetCellNodeCount(0), 2);
    EXPECT_EQ(Text(store, 0, 0), "b");
}

TEST(GridMemStoreTest, InsertAndDeleteRowsShiftTheRowsBelow)
{
    CGridMemStore store;
    for (long r = 0; r < 3; ++r)
        Put(store, 0, r, std::to_string(r).c_str());
    EXPECT_EQ(store.InsertRow(1), 0);
    EXPECT_EQ(Column(store, 0, 4), (std::vector<std::string>{"0", "<none>", "1", "2"}));
    EXPECT_EQ(store.DeleteRow(0), 0);
    EXPECT_EQ(Column(store, 0, 3), (std::vector<std::string>{"<none>", "1", "2"}));
    EXPECT_EQ(store.DeleteRow(2), 0); // the last row: cursor goes back
    EXPECT_EQ(Column(store, 0, 3), (std::vector<std::string>{"<none>", "1", "<none>"}));
    EXPECT_EQ(store.InsertRow(50), 0); // no such row: nothing happens
    EXPECT_EQ(store.GetRowNodeCount(), 2);
}

TEST(GridMemStoreTest, InsertColShiftsRowsThatReachTheColumn)
{
    CGridMemStore store;
    Put(store, 0, 0, "a");
    Put(store, 1, 0, "b");
    Put(store, 0, 1, "short");
    EXPECT_EQ(store.InsertCol(1), 0);
    EXPECT_EQ(Text(store, 0, 0), "a");
    EXPECT_EQ(Text(store, 2, 0), "b");
    EXPECT_EQ(store.InsertCol(0), 0);
    EXPECT_EQ(Text(store, 1, 0), "a");
    EXPECT_EQ(Text(store, 1, 1), "short");
    CGridMemStore empty;
    EXPECT_EQ(empty.InsertCol(0), 1);
}

TEST(GridMemStoreTest, DeleteCellAndDeleteAll)
{
    CGridMemStore store;
    Put(store, 1, 1, "x");
    EXPECT_EQ(store.DeleteCell(1, 1), 0);
    EXPECT_EQ(Text(store, 1, 1), "<none>");
    EXPECT_EQ(store.DeleteCell(9, 9), 1);
    store.DeleteAll();
    EXPECT_EQ(store.GetRowNodeCount(), 0);
    Put(store, 0, 0, "again");
    EXPECT_EQ(Text(store, 0, 0), "again");
}

TEST(GridMemStoreTest, SortAscendingDescendingAndStable)
{
    CGridMemStore store;
    const char* keys[] = {"b", "a", "c"};
    for (long r = 0; r < 3; ++r)
    {
        Put(store, 0, r, keys[r]);
        Put(store, 1, r, std::to_string(r).c_str());
    }
    Put(store, 0, -1, "heading");
    int nCol = 0;
    EXPECT_EQ(store.SortRows(&nCol, 1, 0), 0);
    EXPECT_EQ(Column(store, 0, 3), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Column(store, 1, 3), (std::vector<std::string>{"1", "0", "2"}));
    EXPECT_EQ(Text(store, 0, -1), "heading");
    EXPECT_EQ(store.SortRows(0, GRID_SORT_DESCENDING), 0);
    EXPECT_EQ(Column(store, 0, 3), (std::vector<std::string>{"c", "b", "a"}));
}

TEST(GridMemStoreTest, SortByTwoKeysKeepsEqualRowsInOrder)
{
    CGridMemStore store;
    const char* rows[][3] = {{"x", "2", "r0"}, {"y", "1", "r1"}, {"x", "1", "r2"}, {"x", "2", "r3"}, {"y", "1", "r4"}};
    for (long r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            Put(store, c, r, rows[r][c]);
    int keys[] = {0, 1};
    store.SortRows(keys, 2, 0);
    EXPECT_EQ(Column(store, 2, 5), (std::vector<std::string>{"r2", "r0", "r3", "r1", "r4"}));
}

TEST(GridMemStoreTest, SortHandlesMissingCellsAndNumbers)
{
    CGridMemStore store;
    CGridCell n;
    n.SetNumber(10);
    store.SetCell(0, 0, &n);
    n.SetNumber(9);
    store.SetCell(0, 1, &n);
    Put(store, 1, 2, "no key"); // row 2 has no cell in column 0
    store.SortRows(0, 0);
    EXPECT_EQ(Text(store, 1, 0), "no key");
    EXPECT_EQ(Text(store, 0, 1), "9.000000");
    EXPECT_EQ(Text(store, 0, 2), "10.000000");
}

TEST(GridMemStoreTest, SortWorksWhereverTheCursorStands)
{
    CGridMemStore store;
    Put(store, 0, 0, "b");
    Put(store, 0, 1, "a"); // the cursor now rests on the last row
    store.SortRows(0, 0);
    EXPECT_EQ(Column(store, 0, 2), (std::vector<std::string>{"a", "b"}));
}

TEST(GridMemStoreTest, FindNextFlags)
{
    CGridMemStore store;
    Put(store, 0, 0, "Apple");
    Put(store, 0, 1, "apple pie");
    Put(store, 0, 2, "apple");
    Put(store, 1, 3, "apple");
    int nCol = 0;
    long nRow = -1;
    // Whole, case-equal texts in the same column only.
    ASSERT_EQ(store.FindNext("apple", &nCol, &nRow, 0), 0);
    EXPECT_EQ(nRow, 2);
    EXPECT_EQ(store.FindNext("apple", &nCol, &nRow, 0), 1);
    nRow = -1;
    ASSERT_EQ(store.FindNext("apple", &nCol, &nRow, GRID_FIND_NOCASE), 0);
    EXPECT_EQ(nRow, 0);
    ASSERT_EQ(store.FindNext("PIE", &nCol, &nRow, GRID_FIND_NOCASE | GRID_FIND_PARTIAL), 0);
    EXPECT_EQ(nRow, 1);
    nRow = -1;
    EXPECT_EQ(store.FindNext("PIE", &nCol, &nRow, GRID_FIND_PARTIAL), 1);
    // All columns, across rows, from the position after the start.
    nCol = 0;
    nRow = 2;
    ASSERT_EQ(store.FindNext("apple", &nCol, &nRow, GRID_FIND_ALLCOLS), 0);
    EXPECT_EQ(nCol, 1);
    EXPECT_EQ(nRow, 3);
    ASSERT_EQ(store.FindFirst("apple", &nCol, &nRow, GRID_FIND_ALLCOLS), 0);
    EXPECT_EQ(nCol, 0);
    EXPECT_EQ(nRow, 2);
}

TEST(GridMemStoreTest, FindAcrossColumnsLooksPastGapsInARow)
{
    CGridMemStore store;
    Put(store, 0, 0, "a");
    Put(store, 3, 0, "target");
    int nCol = -1;
    long nRow = 0;
    ASSERT_EQ(store.FindNext("target", &nCol, &nRow, GRID_FIND_ALLCOLS), 0);
    EXPECT_EQ(nCol, 3);
}

TEST(GridMemStoreTest, FindPrevNonBlankSkipsEmptyAndItself)
{
    CGridMemStore store;
    Put(store, 0, 0, "left");
    Put(store, 1, 0, "");
    Put(store, 3, 0, "self");
    int nCol = 3;
    ASSERT_EQ(store.FindPrevNonBlank(&nCol, 0), 0);
    EXPECT_EQ(nCol, 0);
    nCol = 8; // past the row's end: starts from the last node, which holds a cell
    ASSERT_EQ(store.FindPrevNonBlank(&nCol, 0), 0);
    EXPECT_EQ(nCol, 3);
    nCol = 0;
    EXPECT_EQ(store.FindPrevNonBlank(&nCol, 0), 1);
    nCol = 2;
    EXPECT_EQ(store.FindPrevNonBlank(&nCol, 5), 1);
}
