// The tip's placement around its anchor, inside its parent, and its paint.
#include "grid/GridHintLayout.h"
#include "support/RecordingGridDC.h"

#include <gtest/gtest.h>

TEST(GridHintLayout, AlignmentBitsPlaceTheBoxAroundTheAnchor)
{
    CGridHintLayout hint;
    hint.m_nLineHeight = 14; // the box is 16 high with its frame
    const GRIDSIZE szParent{400, 300};
    hint.m_nAlign = 0x14; // centred, above
    EXPECT_EQ(hint.Place(100, 50, 20, 20, szParent), (GRIDRECT{88, 34, 112, 50}));
    hint.m_nAlign = 0x22; // left of the point, centred vertically
    EXPECT_EQ(hint.Place(100, 50, 0, 20, szParent), (GRIDRECT{76, 42, 100, 58}));
    hint.m_nAlign = 1; // right of and below the point
    EXPECT_EQ(hint.Place(100, 50, 0, 20, szParent), (GRIDRECT{100, 50, 124, 66}));
    // An empty text gives 4 pixels, or the minimum width.
    EXPECT_EQ(hint.Place(10, 10, 0, 0, szParent).Width(), 4);
    EXPECT_EQ(hint.Place(10, 10, 30, 0, szParent).Width(), 30);
}

TEST(GridHintLayout, TheBoxIsKeptInsideTheParentWithItsSize)
{
    CGridHintLayout hint;
    hint.m_nLineHeight = 14;
    const GRIDSIZE szParent{200, 100};
    EXPECT_EQ(hint.Place(190, 95, 0, 36, szParent), (GRIDRECT{160, 84, 200, 100})); // near the right
    hint.m_nAlign = 0x12;
    EXPECT_EQ(hint.Place(10, 5, 0, 36, szParent), (GRIDRECT{0, 0, 40, 16}));
    // Wider than the parent: the right edge wins and the left goes negative.
    EXPECT_EQ(hint.Place(10, 5, 0, 296, szParent), (GRIDRECT{-100, 0, 200, 16}));
}

TEST(GridHintLayout, PaintFillsDrawsTheTextAndFrames)
{
    CGridHintLayout hint;
    hint.m_strText = "Row 12";
    CRecordingGridDC dc;
    hint.Paint(dc, GRIDSIZE{50, 16});
    ASSERT_EQ(dc.m_ops.size(), 5u);
    const auto& text = dc.m_ops[0];
    EXPECT_EQ(text.nKind, CRecordingGridDC::TEXT_OPAQUE);
    EXPECT_EQ(text.rc, (GRIDRECT{0, 0, 50, 16}));
    EXPECT_EQ(text.crBack, 0xE0FFFFu);
    EXPECT_EQ(text.crText, 0u);
    EXPECT_EQ(text.x1, 2);
    EXPECT_EQ(text.y1, 1);
    // The frame runs around all four edges.
    EXPECT_EQ(dc.m_ops[2].x1, 49);
    EXPECT_EQ(dc.m_ops[2].y2, 15);
    EXPECT_EQ(dc.m_ops[4].x2, 0);
    EXPECT_EQ(dc.m_ops[4].y2, 0);
    EXPECT_EQ(dc.m_nDepth, 0);
}
