// Copy and paste in the inspector's table: the copied text, how pasted text splits into a
// block, and which blocks are refused, naming the line and column at fault.
#include "inspector/InspectorClipboard.h"

#include <gtest/gtest.h>

namespace
{
using Block = std::vector<std::vector<std::string>>;

class CTextTable : public IInspectorTable
{
public:
    long GetRowCount() const override { return 6; }
    void SetRowCount(long) override {}
    std::string GetCellText(int nCol, long nRow) const override
    {
        return std::to_string(nCol) + "." + std::to_string(nRow);
    }
    void SetCellText(int, long, const std::string&) override {}
};
} // namespace

TEST(InspectorClipboardTest, CopyTextIsTabSeparatedLinesOfTheBlock)
{
    CTextTable table;
    EXPECT_EQ("1.2", InspectorCopyText(table, 1, 2, 1, 2));
    EXPECT_EQ("0.1\t1.1\n0.2\t1.2\n0.3\t1.3", InspectorCopyText(table, 0, 1, 1, 3));
}

TEST(InspectorClipboardTest, PastedTextSplitsAsSpreadsheetsCopyIt)
{
    EXPECT_EQ((Block{{"1", "2"}, {"3", "4"}}), SplitPastedBlock("1\t2\r\n3\t4\r\n"));
    EXPECT_EQ((Block{{"1", "2"}, {"3", "4"}}), SplitPastedBlock("1;2\n3;4"));
    EXPECT_EQ((Block{{"1", "2"}, {"", "4"}}), SplitPastedBlock("1,2\r,4\n"));
    // Tabs decide over commas, which are then part of a field.
    EXPECT_EQ((Block{{"1,5", "2"}}), SplitPastedBlock("1,5\t2"));
    EXPECT_EQ((Block{{"7"}, {""}, {"8"}}), SplitPastedBlock("7\n\n8\n"));
    EXPECT_TRUE(SplitPastedBlock("").empty());
}

TEST(InspectorClipboardTest, ABlockIsTakenWholeOnlyWhenEveryFieldFits)
{
    std::string text;
    INSPECTORPASTEFAULT fault;
    // 3 x 2 at row 1 of 4 entries.
    ASSERT_TRUE(CheckInspectorPaste(SplitPastedBlock("10\t11\n 12 \t13\n127\t0\n"), 0, 1, 4, text, fault));
    EXPECT_EQ("10\t11\n12\t13\n127\t0", text);
    // One column from the variation column down.
    ASSERT_TRUE(CheckInspectorPaste(SplitPastedBlock("1\n2"), 1, 2, 4, text, fault));
    EXPECT_EQ("1\n2", text);

    struct CASE
    {
        const char* text;
        int nCol;
        long nRow;
        long nLine;
        int nColumn;
        bool bBadValue;
    };
    for (const CASE& c :
         {CASE{"1\t2\n3\t128", 0, 0, 2, 2, true}, CASE{"1\t-1", 0, 0, 1, 2, true}, CASE{"1\tx", 0, 0, 1, 2, true},
          CASE{"1\t", 0, 0, 1, 2, true}, CASE{"1\t1.0", 0, 0, 1, 2, true},
          CASE{"99999999999999999999", 0, 0, 1, 1, true}, CASE{"1\t2", 1, 0, 1, 2, false},
          CASE{"1\n2\n3", 0, 2, 3, 1, false}, CASE{"1\t2\t3", 0, 0, 1, 3, false}})
    {
        SCOPED_TRACE(c.text);
        EXPECT_FALSE(CheckInspectorPaste(SplitPastedBlock(c.text), c.nCol, c.nRow, 4, text, fault));
        EXPECT_EQ(c.nLine, fault.nLine);
        EXPECT_EQ(c.nColumn, fault.nColumn);
        EXPECT_EQ(c.bBadValue, fault.bBadValue);
    }
    // No current cell, or a list without entries, takes nothing.
    EXPECT_FALSE(CheckInspectorPaste(SplitPastedBlock("1"), -1, -1, 4, text, fault));
    EXPECT_FALSE(CheckInspectorPaste(SplitPastedBlock("1"), 0, 0, 0, text, fault));
}

TEST(InspectorClipboardTest, TheMessageNamesLineColumnAndValue)
{
    EXPECT_EQ("Nothing was pasted: line 2, column 1 holds \"128\", which is not a whole number from 0 to 127.",
              InspectorPasteMessage(INSPECTORPASTEFAULT{2, 1, true, "128"}));
    EXPECT_EQ("Nothing was pasted: line 3, column 2 would land outside the program and variation of the list's "
              "entries.",
              InspectorPasteMessage(INSPECTORPASTEFAULT{3, 2, false, "5"}));
}
