// The grid's default comparison of two cells, used when sorting rows.
#include "grid/GridDataSource.h"

#include "grid/GridCell.h"

#include <cstring>
#include <utility>

int GridDefaultCompareCells(CGridCell* pA, CGridCell* pB, int nFlags)
{
    if (nFlags & GRID_SORT_DESCENDING)
        std::swap(pA, pB);
    if (!pA && !pB)
        return 0;
    if (!pA)
        return -1;
    if (!pB)
        return 1;
    if (!pA->GetText())
        return pB->GetText() ? -1 : 0;

    auto compareTexts = [&] {
        const char* a = pA->GetText();
        const char* b = pB->GetText() ? pB->GetText() : "";
        const int n = std::strcmp(a, b);
        return n < 0 ? -1 : (n > 0 ? 1 : 0);
    };
    switch (pA->GetDataType())
    {
    case 2:
    case 3:
    case 5:
    {
        const double a = pA->GetNumber();
        const double b = pB->GetNumber();
        return a > b ? 1 : (a == b ? 0 : -1);
    }
    default:
        return compareTexts();
    }
}
