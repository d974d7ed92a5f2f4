// Repaint hints and the multiple selection's blocks.
#include "grid/GridDrawHints.h"
#include "grid/GridMultiSelect.h"

#include <gtest/gtest.h>

TEST(GridSelectionTest, HintsAnswerWithinTheirBlocksOnly)
{
    CGridDrawHints hints;
    EXPECT_EQ(hints.IsHinted(0, 0), 0);
    hints.AddCell(2, 2);
    hints.AddRange(5, 6, 4, 4); // corners in any order
    EXPECT_EQ(hints.IsHinted(2, 2), 1);
    EXPECT_EQ(hints.IsHinted(4, 5), 1);
    EXPECT_EQ(hints.IsHinted(3, 3), 0); // inside the bounding box, in no block
    hints.ExtendFirst(1, 1, 3, 3);
    EXPECT_EQ(hints.IsHinted(3, 3), 1);
    hints.AddJoinDrawn(1, 1);
    EXPECT_EQ(hints.IsJoinDrawn(1, 1), 1);
    hints.Reset();
    EXPECT_EQ(hints.IsHinted(2, 2), 0);
    EXPECT_EQ(hints.IsJoinDrawn(1, 1), 0);
}

TEST(GridSelectionTest, BlocksOpenExtendAndDecideMembership)
{
    CGridMultiSelect sel;
    int c1 = 0, c2 = 0;
    long r1 = 0, r2 = 0;
    EXPECT_EQ(sel.GetBounds(&c1, &r1, &c2, &r2), 2);
    EXPECT_EQ(sel.GetAnchor(&c1, &r1), 1);
    EXPECT_EQ(sel.ExtendTo(1, 1), 1);
    sel.OnKeyMove(3, 3, false, false);
    sel.OnKeyMove(1, 5, true, false); // Shift extends
    EXPECT_EQ(sel.IsSelected(2, 4), 1);
    EXPECT_EQ(sel.IsSelected(0, 4), 0);
    sel.OnKeyMove(8, 8, false, true); // Ctrl opens a second block
    int nNumber = -1;
    EXPECT_EQ(sel.IsSelected(8, 8, &nNumber), 1);
    EXPECT_EQ(nNumber, 1);
    ASSERT_EQ(sel.GetBounds(&c1, &r1, &c2, &r2), 0);
    EXPECT_EQ(c1, 1);
    EXPECT_EQ(r1, 3);
    EXPECT_EQ(c2, 8);
    EXPECT_EQ(r2, 8);
    ASSERT_EQ(sel.GetAnchor(&c1, &r1), 0);
    EXPECT_EQ(c1, 8);
    sel.OnKeyMove(0, 0, false, false); // a plain move starts over
    EXPECT_EQ(sel.GetBlockCount(), 1);
    EXPECT_EQ(sel.IsSelected(8, 8), 0);
}

TEST(GridSelectionTest, MouseInputKinds)
{
    CGridMultiSelect sel;
    sel.OnLeftPress(2, 2, 0);
    sel.OnDrag(4, 3);
    EXPECT_EQ(sel.IsSelected(3, 3), 1);
    sel.OnRightPress(3, 2); // inside the selection: kept
    EXPECT_EQ(sel.IsSelected(4, 3), 1);
    sel.OnRightPress(9, 9);
    EXPECT_EQ(sel.IsSelected(4, 3), 0);
    sel.OnLeftPress(1, 1, 0x4); // Shift: extends the open block
    EXPECT_EQ(sel.IsSelected(5, 5), 1);
}

TEST(GridSelectionTest, FirstOrLastMatchingBlockDecidesByMode)
{
    for (int nMode : {0, static_cast<int>(CGridMultiSelect::MODE_FIRSTDECIDES)})
    {
        CGridMultiSelect sel;
        sel.m_nMode = nMode;
        sel.OpenBlock(0, 0);
        sel.ExtendTo(3, 3);
        sel.OpenBlock(2, 2);
        sel.ExtendTo(5, 5);
        int nNumber = -1;
        EXPECT_EQ(sel.IsSelected(2, 3, &nNumber), 1);
        EXPECT_EQ(nNumber, nMode ? 0 : 1);
        EXPECT_EQ(sel.IsSelected(1, 1, &nNumber), 1);
        EXPECT_EQ(nNumber, 0);
    }
}
