// The shared drawing steps and the normal and arrow types, through the recording surface:
// borders, text placement and colours, ellipsis and word breaks, bitmaps, overflow, measuring.
#include "grid/GridArrowType.h"
#include "grid/GridBitmap.h"
#include "grid/GridCellType.h"
#include "grid/GridTestSupport.h"
#include "support/RecordingGridDC.h"

#include <gtest/gtest.h>

namespace
{
struct CellTypeFixture : ::testing::Test
{
    CRecordingGrid grid;
    CRecordingGridDC dc;
    CGridCellType* pNormal = nullptr;

    void SetUp() override
    {
        grid.SetLayoutSize(600, 300);
        grid.SetColCount(5);
        grid.SetRowCount(5);
        grid.AdjustLayout();
        pNormal = grid.GetCellType(0);
    }
    GRIDRECT Border(short nStyle, GRIDRECT rc = GRIDRECT{0, 0, 50, 20})
    {
        CGridCell cell;
        if (nStyle)
            cell.SetBorder(nStyle);
        GRIDRECT out;
        pNormal->DrawCellBorder(&dc, rc, &out, &cell);
        return out;
    }
    void Draw(int nCol, long nRow, int bSelected = 0, int bCurrent = 0, GRIDRECT rc = GRIDRECT{0, 0, 75, 20})
    {
        CGridCell cell;
        grid.GetCellResolved(nCol, nRow, &cell);
        grid.GetCellTypeOf(cell)->OnDraw(&dc, &rc, nCol, nRow, &cell, bSelected, bCurrent);
    }
};
} // namespace

TEST_F(CellTypeFixture, BuiltInTypesAreRegisteredInOrderWithTheirTraits)
{
    ASSERT_NE(grid.GetCellType(3), nullptr);
    EXPECT_STREQ(grid.GetCellType(0)->GetName(), "Normal Cell Type (default)");
    EXPECT_STREQ(grid.GetCellType(1)->GetName(), "Standard DropList");
    EXPECT_STREQ(grid.GetCellType(2)->GetName(), "Standard CheckBox Type");
    EXPECT_STREQ(grid.GetCellType(3)->GetName(), "Normal Cell Type (default)");
    EXPECT_EQ(grid.GetCellType(3)->GetTypeId(), grid.GetCellType(0)->GetTypeId());
    EXPECT_NE(grid.GetCellType(1)->GetTypeId(), grid.GetCellType(0)->GetTypeId());
    const int editable[] = {1, 1, 0, 0}, overflow[] = {1, 0, 0, 1};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(grid.GetCellType(i)->m_bEditable, editable[i]) << i;
        EXPECT_EQ(grid.GetCellType(i)->m_bCanOverflow, overflow[i]) << i;
        EXPECT_EQ(grid.GetCellType(i)->Spare1(0, 0), -1);
        EXPECT_EQ(grid.GetCellType(i)->m_nTypeIndex, i);
    }
    GRIDRECT rc{0, 0, 100, 20};
    EXPECT_EQ(grid.GetCellType(0)->GetEditRect(&rc), 0);
    EXPECT_EQ(rc.right, 100);
    CGridCell unregistered;
    unregistered.SetCellType(42);
    EXPECT_EQ(grid.GetCellTypeOf(unregistered), grid.GetCellType(0));
}

TEST_F(CellTypeFixture, BorderWidthsFollowEveryStyleBit)
{
    // Grid lines alone: right and bottom, in the grid-line pen.
    EXPECT_EQ(Border(0), (GRIDRECT{0, 0, 49, 19}));
    EXPECT_EQ(dc.CountLines(0xDCDCDC), 2);
    dc.Clear();
    grid.EnableGridLines(0);
    EXPECT_EQ(Border(0), (GRIDRECT{0, 0, 50, 20}));
    EXPECT_EQ(Border(0x1 | 0x2 | 0x4 | 0x8), (GRIDRECT{1, 1, 49, 19}));
    EXPECT_EQ(Border(0x10 | 0x20 | 0x40 | 0x80), (GRIDRECT{2, 2, 48, 18}));
    EXPECT_EQ(Border(0x100 | 0x800), (GRIDRECT{3, 0, 50, 17}));
    dc.Clear();
    EXPECT_EQ(Border(0x400), (GRIDRECT{0, 0, 47, 20}));
    ASSERT_EQ(dc.Count(CRecordingGridDC::LINE), 3);
    EXPECT_EQ(dc.m_ops[2].x1, 47); // right - 3
}

TEST_F(CellTypeFixture, BevelsReplaceGridLinesAndTakeTheBevelWidth)
{
    grid.GetSheet()->m_nBevelWidth = 2;
    EXPECT_EQ(Border(0x1000), (GRIDRECT{2, 2, 48, 18}));
    EXPECT_EQ(dc.CountLines(0xDCDCDC), 0);
    const GRIDCOLOR crShadow = grid.GetShadowPen().m_crColor;
    // Sunken: the first ring's left edge is shadow, its right edge white.
    EXPECT_EQ(dc.m_ops[0].crText, crShadow);
    EXPECT_EQ(dc.m_ops[0].x1, 0);
    EXPECT_EQ(dc.m_ops[2].crText, 0xFFFFFFu);
    EXPECT_EQ(dc.m_ops[2].x1, 49);
    dc.Clear();
    Border(0x3000); // both: the raised bevel comes last
    ASSERT_EQ(dc.Count(CRecordingGridDC::LINE), 16);
    EXPECT_EQ(dc.m_ops[8].crText, 0xFFFFFFu);
    EXPECT_EQ(dc.m_ops[15].crText, crShadow);
}

TEST_F(CellTypeFixture, TextIsPlacedByItsAlignmentBits)
{
    grid.SetCellText(0, 0, "abcd"); // 28 x 14
    grid.SetCellAlignment(0, 0, 2);
    Draw(0, 0);
    const auto* pText = dc.FindText("abcd");
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(pText->x1, 74 - 4 - 28); // 4 pixels from the right edge inside the grid line
    EXPECT_EQ(pText->y1, 1);
    EXPECT_EQ(pText->rc, (GRIDRECT{0, 0, 74, 19}));
    dc.Clear();
    grid.SetCellAlignment(0, 0, 0x4 | 0x20);
    Draw(0, 0);
    EXPECT_EQ(dc.FindText("abcd")->x1, (74 - 28) / 2);
    EXPECT_EQ(dc.FindText("abcd")->y1, (19 - 14) / 2);
    dc.Clear();
    grid.SetCellAlignment(0, 0, 0x10);
    Draw(0, 0);
    EXPECT_EQ(dc.FindText("abcd")->x1, 4);
    EXPECT_EQ(dc.FindText("abcd")->y1, 19 - 1 - 14);
}

TEST_F(CellTypeFixture, LabelAndHighlightColoursAreChosenAsShown)
{
    CGridCell cell;
    cell.SetText("text");
    cell.SetLabel("label");
    cell.SetTextColor(0x000011);
    cell.SetBackColor(0x000022);
    cell.SetHTextColor(0x000033);
    cell.SetHBackColor(0x000044);
    grid.SetCell(1, 1, &cell);
    Draw(1, 1);
    ASSERT_NE(dc.FindText("text"), nullptr);
    EXPECT_EQ(dc.FindText("text")->crText, 0x11u);
    dc.Clear();
    Draw(1, 1, 1, 0);
    EXPECT_EQ(dc.FindText("text")->crBack, 0x44u);
    dc.Clear();
    Draw(1, 1, 0, 1); // current, but highlight mode 1 does not paint it
    EXPECT_EQ(dc.FindText("text")->crBack, 0x22u);
    dc.Clear();
    grid.SetHighlightMode(2);
    Draw(1, 1, 0, 1);
    EXPECT_EQ(dc.FindText("text")->crText, 0x33u);
    dc.Clear();
    cell.SetCellTypeParam(8);
    grid.SetCell(1, 1, &cell);
    Draw(1, 1);
    EXPECT_NE(dc.FindText("label"), nullptr);
}

TEST_F(CellTypeFixture, EllipsisAndWordBreakModes)
{
    CGridCell cell;
    cell.SetText("a rather long text for this cell");
    cell.SetCellTypeParam(4);
    grid.SetCell(0, 0, &cell);
    Draw(0, 0);
    const auto texts = dc.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "...");
    const auto* pLong = dc.FindText(texts[0]);
    const auto* pDots = dc.FindText("...");
    EXPECT_EQ(pLong->x1, 3);
    EXPECT_EQ(pLong->rc.right, 74 - 21 - 3);
    EXPECT_EQ(pDots->x1, pLong->rc.right);
    dc.Clear();
    cell.SetText("fits");
    grid.SetCell(0, 0, &cell);
    Draw(0, 0);
    EXPECT_EQ(dc.Count(CRecordingGridDC::TEXT_OPAQUE), 1);
    dc.Clear();
    cell.SetCellTypeParam(2);
    grid.SetCell(0, 0, &cell);
    Draw(0, 0);
    EXPECT_EQ(dc.Count(CRecordingGridDC::TEXT_WRAPPED), 1);
}

TEST_F(CellTypeFixture, BitmapsShrinkToTheCellAndPushTheText)
{
    CGridBitmap tall(30, 40);
    CGridCell cell;
    cell.SetText("x");
    cell.SetBitmap(&tall);
    grid.SetCell(0, 0, &cell);
    Draw(0, 0); // inner rectangle 74 x 19: 15 pixels of height, 37 %
    const CRecordingGridDC::OP* pBitmap = nullptr;
    for (const auto& op : dc.m_ops)
        if (op.nKind == CRecordingGridDC::BITMAP)
            pBitmap = &op;
    ASSERT_NE(pBitmap, nullptr);
    EXPECT_EQ(pBitmap->rc, (GRIDRECT{2, 2, 2 + 30 * 37 / 100, 17}));
    EXPECT_EQ(dc.FindText("x")->rc.left, 30 * 37 / 100 + 4);
    dc.Clear();
    CGridBitmap small(8, 8);
    cell.SetBitmap(&small);
    grid.SetCell(0, 0, &cell);
    Draw(0, 0);
    for (const auto& op : dc.m_ops)
    {
        if (op.nKind == CRecordingGridDC::BITMAP)
        {
            EXPECT_EQ(op.rc, (GRIDRECT{2, (19 - 8) / 2, 10, (19 - 8) / 2 + 8}));
        }
    }
}

TEST_F(CellTypeFixture, LongTextOverflowsIntoEmptyNeighboursOnly)
{
    grid.SetCellText(0, 0, "0123456789012345"); // 112 pixels in a 75-pixel column
    Draw(1, 0, 0, 0, GRIDRECT{75, 0, 150, 20});
    const auto* pText = dc.FindText("0123456789012345");
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(pText->x1, 75 + 4 - 75); // drawn as if it began at column 0
    dc.Clear();
    grid.SetCellText(1, 0, "own");
    Draw(1, 0, 0, 0, GRIDRECT{75, 0, 150, 20});
    EXPECT_EQ(dc.FindText("0123456789012345"), nullptr);
    dc.Clear();
    grid.SetCellText(1, 0, nullptr);
    CGridCell plain;
    grid.GetCell(1, 0, &plain);
    plain.SetMask(0);
    grid.SetCell(1, 0, &plain);
    grid.EnableOverflow(0);
    Draw(1, 0, 0, 0, GRIDRECT{75, 0, 150, 20});
    EXPECT_EQ(dc.FindText("0123456789012345"), nullptr);
    // Text that fits its own column overflows nowhere.
    grid.EnableOverflow(1);
    grid.SetCellText(2, 1, "short");
    CGridCell source;
    int nSource = -1, nOffset = 0;
    EXPECT_FALSE(pNormal->FindOverflow(&dc, 3, 1, &nSource, &source, &nOffset));
    CGridCell param;
    param.SetCellTypeParam(4);
    EXPECT_FALSE(pNormal->CanOverflow(param));
}

TEST_F(CellTypeFixture, MeasureFitAddsMarginsAndHasAMinimum)
{
    GRIDSIZE sz;
    CGridCell cell;
    pNormal->MeasureFit(&dc, &sz, &cell);
    EXPECT_EQ(sz.cx, 9);
    EXPECT_EQ(sz.cy, 5);
    cell.SetText("abc");
    pNormal->MeasureFit(&dc, &sz, &cell);
    EXPECT_EQ(sz.cx, 21 + 6);
    EXPECT_EQ(sz.cy, 14 + 2);
}

TEST_F(CellTypeFixture, ArrowGlyphsByParameter)
{
    CGridCell cell;
    cell.SetCellType(3);
    cell.SetTextColor(0x0000AA);
    grid.SetCell(0, 0, &cell);
    Draw(0, 0);
    EXPECT_EQ(dc.CountLines(0xAA), 4); // one triangle of four columns
    const int params[] = {0x10, 0x20, 0x40, 0x80, 0x100};
    const int lines[] = {4, 4, 8, 8, 0};
    for (int i = 0; i < 5; ++i)
    {
        dc.Clear();
        cell.SetCellTypeParam(params[i]);
        grid.SetCell(0, 0, &cell);
        Draw(0, 0);
        EXPECT_EQ(dc.CountLines(0xAA), lines[i]) << params[i];
    }
    // Right points right: the base (cy - 3 .. cy + 3) at cx - 1 and the tip at cx + 2, with the
    // inner rectangle (0, 0, 74, 19) centred on (37, 9); left is its mirror image.
    auto glyph = [&](int nParam)
    {
        dc.Clear();
        cell.SetCellTypeParam(nParam);
        grid.SetCell(0, 0, &cell);
        Draw(0, 0);
        std::vector<std::vector<int>> arr;
        for (const auto& op : dc.m_ops)
            if (op.nKind == CRecordingGridDC::LINE && op.crText == 0xAA)
                arr.push_back({op.x1, op.y1, op.y2});
        return arr;
    };
    EXPECT_EQ(glyph(0x10), (std::vector<std::vector<int>>{{36, 6, 13}, {37, 7, 12}, {38, 8, 11}, {39, 9, 10}}));
    EXPECT_EQ(glyph(0x20), (std::vector<std::vector<int>>{{38, 6, 13}, {37, 7, 12}, {36, 8, 11}, {35, 9, 10}}));
    dc.Clear();
    Draw(0, 0, 0, 1); // current: highlighted whatever the mode
    EXPECT_EQ(dc.m_ops[2].crBack, cell.GetHBackColor());
}
