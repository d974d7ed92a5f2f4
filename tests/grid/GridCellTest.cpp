// Cell properties: unset defaults, text and number conversions, the copy and merge semantics.
#include "grid/GridCell.h"
#include "grid/GridColors.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GridCellTest, FreshCellAnswersTheUnsetDefaults)
{
    CGridCell cell;
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetTextLength(), 0);
    EXPECT_EQ(cell.GetDataType(), 1);
    EXPECT_EQ(cell.GetBackColor(), GridGetSysColor(GRID_COLOR_WINDOW));
    EXPECT_EQ(cell.GetTextColor(), GridGetSysColor(GRID_COLOR_WINDOWTEXT));
    EXPECT_EQ(cell.GetHBackColor(), GridGetSysColor(GRID_COLOR_HIGHLIGHT));
    EXPECT_EQ(cell.GetAlignment(), 0);
    EXPECT_EQ(cell.GetReadOnly(), 0);
    EXPECT_EQ(cell.GetCellType(), 0);
    EXPECT_EQ(cell.GetFont(), nullptr);
    std::string strLabel = "keep";
    EXPECT_EQ(cell.GetLabel(&strLabel), 1);
    EXPECT_EQ(strLabel, "keep");
    int nOrigin = 0, nColOff = 0;
    long nRowOff = 0;
    EXPECT_EQ(cell.GetJoin(&nOrigin, &nColOff, &nRowOff), 1);
}

TEST(GridCellTest, EmptyTextIsSetAndNotNull)
{
    CGridCell cell;
    cell.SetText("");
    ASSERT_NE(cell.GetText(), nullptr);
    EXPECT_STREQ(cell.GetText(), "");
    EXPECT_EQ(cell.GetMask(), GCP_TEXT | GCP_DATATYPE);
}

TEST(GridCellTest, NumbersFormatWithSixOrTheGivenDecimals)
{
    CGridCell cell;
    cell.SetNumber(2.5);
    EXPECT_STREQ(cell.GetText(), "2.500000");
    EXPECT_EQ(cell.GetDataType(), 2);
    cell.SetNumber(1);
    EXPECT_STREQ(cell.GetText(), "1.000000");
    cell.SetDecimals(2);
    cell.SetNumber(3.14159);
    EXPECT_STREQ(cell.GetText(), "3.14");
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 3.14);
    cell.SetText("abc");
    EXPECT_EQ(cell.GetDataType(), 1);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 0.0);
}

TEST(GridCellTest, BoolReadsTrueLettersAndNonZeroNumbers)
{
    CGridCell cell;
    for (const char* psz : {"true", "T", "1", "-3"})
    {
        cell.SetText(psz);
        EXPECT_EQ(cell.GetBool(), 1) << psz;
    }
    for (const char* psz : {"false", "0", "abc", ""})
    {
        cell.SetText(psz);
        EXPECT_EQ(cell.GetBool(), 0) << psz;
    }
    CGridCell unset;
    EXPECT_EQ(unset.GetBool(), 0);
}

TEST(GridCellTest, MergeKeepsTargetPropertiesTheSourceLacks)
{
    CGridCell target;
    target.SetBackColor(0x112233);
    target.SetText("old");
    CGridCell source;
    source.SetText("new");
    source.SetAlignment(36);
    target.MergeFrom(&source);
    EXPECT_EQ(target.GetBackColor(), 0x112233u);
    EXPECT_STREQ(target.GetText(), "new");
    EXPECT_EQ(target.GetAlignment(), 36);
}

TEST(GridCellTest, CopyReplacesTheMaskAndHidesTargetOnlyProperties)
{
    CGridCell target;
    target.SetBackColor(0x112233);
    CGridCell source;
    source.SetText("x");
    source.CopyTo(&target);
    EXPECT_EQ(target.GetMask(), source.GetMask());
    EXPECT_EQ(target.GetBackColor(), GridGetSysColor(GRID_COLOR_WINDOW));
    // Clearing a bit hides the value without erasing it.
    target.SetMask(target.GetMask() | GCP_BACKCOLOR);
    EXPECT_EQ(target.GetBackColor(), 0x112233u);
    // A bit set without a stored value copies the default.
    target.SetReadOnly(1);
    CGridCell bare;
    bare.SetMask(GCP_READONLY);
    bare.CopyTo(&target);
    EXPECT_EQ(target.GetReadOnly(), 0);
}

TEST(GridCellTest, ExtraDataIsCopiedDeeplyAndAnEmptySourceBlockLeavesNone)
{
    const unsigned char bytes[] = {1, 2, 3};
    CGridCell source;
    source.SetExtraData(bytes, 3);
    CGridCell target;
    target.CopyFrom(&source);
    ASSERT_EQ(target.GetExtraDataLength(), 3);
    EXPECT_NE(target.GetExtraData(), source.GetExtraData());
    EXPECT_EQ(std::memcmp(target.GetExtraData(), bytes, 3), 0);

    CGridCell noBlock;
    noBlock.SetExtraData(nullptr, 0); // bit set, no block
    noBlock.CopyTo(&target);
    EXPECT_EQ(target.GetExtraData(), nullptr);
    EXPECT_EQ(target.GetExtraDataLength(), 0);
}

TEST(GridCellTest, SharedPointersAndJoinAreCopiedByValue)
{
    CGridPen pen{0, 2, 0xFF};
    CGridCell style;
    CGridCell source;
    source.SetBorderPen(&pen);
    source.SetStyle(&style);
    source.SetJoin(1, 2, 3);
    source.SetLabel("lbl");
    CGridCell target;
    source.MergeTo(&target);
    EXPECT_EQ(target.GetBorderPen(), &pen);
    EXPECT_EQ(target.GetStyle(), &style);
    int nOrigin = 0, nColOff = 0;
    long nRowOff = 0;
    ASSERT_EQ(target.GetJoin(&nOrigin, &nColOff, &nRowOff), 0);
    EXPECT_EQ(nOrigin, 1);
    EXPECT_EQ(nColOff, 2);
    EXPECT_EQ(nRowOff, 3);
    std::string strLabel;
    EXPECT_EQ(target.GetLabel(&strLabel), 0);
    EXPECT_EQ(strLabel, "lbl");
}

TEST(GridCellTest, ClearAllEmptiesMaskTextAndBlock)
{
    const unsigned char b = 7;
    CGridCell cell;
    cell.SetText("x");
    cell.SetExtraData(&b, 1);
    cell.ClearAll();
    EXPECT_EQ(cell.GetMask(), 0u);
    cell.SetMask(GCP_TEXT | GCP_EXTRADATA);
    EXPECT_STREQ(cell.GetText(), "");
    EXPECT_EQ(cell.GetExtraDataLength(), 0);
}

TEST(GridCellTest, ColourSourceSeamSuppliesSystemColours)
{
    struct CFake : IGridColorSource
    {
        GRIDCOLOR GetSysColor(int) const override { return 0x123456; }
        int GetSystemMetric(int) const override { return 21; }
    } fake;
    CGridCell cell;
    {
        CSlot<IGridColorSource>::CScope scope(GridColorSlot(), &fake);
        EXPECT_EQ(cell.GetBackColor(), 0x123456u);
        EXPECT_EQ(GridGetSystemMetric(GRID_SM_CXVSCROLL), 21);
    }
    EXPECT_EQ(cell.GetBackColor(), 0xFFFFFFu);
}
