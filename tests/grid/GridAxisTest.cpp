// Axis arithmetic gives the same answers for rows of uniform height as for rows each holding
// that height, and columns are read the same way.
#include "grid/GridAxis.h"
#include "grid/GridCore.h"

#include <gtest/gtest.h>

#include <climits>

TEST(GridAxisTest, UniformRowsAnswerLikeRowsWalkedOneByOne)
{
    CGridCore walked, uniform;
    for (CGridCore* p : {&walked, &uniform})
    {
        p->SetColCount(2, 0);
        p->SetRowCount(50, 0);
    }
    uniform.SetFixedRowHeights(1);
    const CGridRowAxis a(*walked.GetSheet()), b(*uniform.GetSheet());
    ASSERT_FALSE(a.IsUniform());
    ASSERT_TRUE(b.IsUniform());
    for (long nFrom : {0L, 7L, 49L})
        for (long nTo : {0L, 3L, 30L, 49L})
            EXPECT_EQ(a.Distance(nFrom, nTo, 300), b.Distance(nFrom, nTo, 300)) << nFrom << ">" << nTo;
    for (long nOffset : {0L, 19L, 20L, 555L, 5000L})
    {
        long n1 = -1, s1 = 0, e1 = 0, n2 = -1, s2 = 0, e2 = 0;
        EXPECT_EQ(a.HitAt(3, nOffset, &n1, &s1, &e1), b.HitAt(3, nOffset, &n2, &s2, &e2)) << nOffset;
        EXPECT_EQ(n1, n2);
        EXPECT_EQ(s1, s2);
        EXPECT_EQ(e1, e2);
        EXPECT_EQ(a.IndexAt(3, nOffset), b.IndexAt(3, nOffset));
    }
    for (long nCur : {0L, 4L, 40L})
        for (long nLimit : {0L, 10L, 100L})
            EXPECT_EQ(a.KeepVisible(2, nCur, nLimit), b.KeepVisible(2, nCur, nLimit))
                << nCur << "," << nLimit;
    EXPECT_EQ(a.PageTarget(10, 1, 100, LONG_MAX), 16);
    EXPECT_EQ(b.PageTarget(10, -1, 100, LONG_MAX), 4);
}

TEST(GridAxisTest, DistancesStopJustPastTheLimit)
{
    CGridCore grid;
    grid.SetColCount(100, 0);
    const CGridColAxis cols(*grid.GetSheet());
    EXPECT_EQ(cols.Distance(0, 2, 1000), 150);
    EXPECT_EQ(cols.Distance(5, 1, 1000), -300);
    EXPECT_EQ(cols.Distance(0, 99, 200), 201);
    long n = -1, s = 0, e = 0;
    EXPECT_TRUE(cols.HitAt(10, 80, &n, &s, &e));
    EXPECT_EQ(n, 11);
    EXPECT_EQ(s, 75);
    EXPECT_FALSE(cols.HitAt(98, 200, &n, &s, &e));
}
