// Cell access with its layering, and the in-place edit protocol.
#include "GridTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct EditFixture : ::testing::Test
{
    CRecordingGrid grid;
    CFakeEdit edit;
    CFakeChild cells;

    void SetUp() override
    {
        grid.AttachChild(GRID_CHILD_CELLS, &cells);
        grid.AttachEditBox(&edit);
        grid.SetLayoutSize(400, 200);
        grid.SetColCount(3);
        grid.SetRowCount(4);
        grid.AdjustLayout();
        grid.Clear();
    }
};

class CUpperFormatter : public CGridFormatter
{
public:
    void Format(CGridCell* pCell) override
    {
        std::string s = pCell->GetText() ? pCell->GetText() : "";
        for (char& c : s)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        pCell->SetText(s);
    }
};
} // namespace

TEST_F(EditFixture, ResolvedCellsLayerDefaultsStoreOwnerFormatterStyle)
{
    CGridCell colDefault;
    colDefault.SetBackColor(0x111111);
    colDefault.SetAlignment(2);
    grid.SetColDefaultCell(1, colDefault);
    CGridCell stored;
    stored.SetText("abc");
    stored.SetAlignment(4);
    CUpperFormatter upper;
    stored.SetFormatter(&upper);
    CGridCell style;
    style.SetBackColor(0x222222);
    stored.SetStyle(&style);
    grid.SetCell(1, 1, &stored);
    grid.m_bMarkFetched = true;

    CGridCell cell;
    cell.SetReadOnly(1); // cleared first
    ASSERT_EQ(grid.GetCellResolved(1, 1, &cell), 0);
    EXPECT_STREQ(cell.GetText(), "ABC");
    EXPECT_EQ(cell.GetAlignment(), 4);       // the store wins over the default
    EXPECT_EQ(cell.GetBackColor(), 0x222222u); // the style wins over everything
    EXPECT_EQ(cell.GetTextColor(), 0xABCDEFu); // the owner's change
    EXPECT_EQ(cell.GetReadOnly(), 0);

    // Headings and rows past the end get the defaults only.
    grid.GetCellResolved(-1, 0, &cell);
    EXPECT_EQ(cell.GetAlignment(), 36);
    EXPECT_EQ(cell.GetBorder(), 0x2000);
    grid.GetCellResolved(1, 10, &cell);
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetBackColor(), 0x111111u);
}

TEST_F(EditFixture, SetCellTextStoresOnlyWhatTheStoreHeldPlusTheText)
{
    CGridCell colDefault;
    colDefault.SetBackColor(0x111111);
    grid.SetColDefaultCell(0, colDefault);
    CGridCell stored;
    stored.SetTextColor(0x5);
    grid.SetCell(0, 0, &stored);
    grid.Clear();
    EXPECT_EQ(grid.SetCellText(0, 0, "t"), 0);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"storing 0,0"}));
    CGridCell cell;
    ASSERT_EQ(grid.GetCell(0, 0, &cell), 0);
    EXPECT_EQ(cell.GetMask(), GCP_TEXT | GCP_DATATYPE | GCP_TEXTCOLOR);
    EXPECT_EQ(grid.GetCell(5, 0, &cell), 1);
    std::string s;
    grid.GetCellText(1, 1, &s);
    EXPECT_EQ(s, "");
    grid.SetCellAlignment(2, 2, 36);
    grid.GetCell(2, 2, &cell);
    EXPECT_EQ(cell.GetAlignment(), 36);
}

// The quick setters use a scratch cell: what one stored never leaks into the next, also past
// the last column and in a paste wider than the grid.
TEST_F(EditFixture, QuickSettersPastTheColumnsStoreNoLeftovers)
{
    grid.SetCellAlignment(0, 0, 2);
    grid.SetCellText(5, 0, "wide");
    CGridCell cell;
    ASSERT_EQ(grid.GetSheet()->m_pMemStore->GetCell(5, 0, &cell), 0);
    EXPECT_STREQ(cell.GetText(), "wide");
    EXPECT_FALSE(cell.HasProperty(GCP_ALIGNMENT));

    grid.SetCurrentCell(0, 1);
    grid.SetCellAlignment(0, 1, 4);
    grid.PasteText("a\tb\tc\td\te");
    CGridCell past;
    ASSERT_EQ(grid.GetSheet()->m_pMemStore->GetCell(4, 1, &past), 0);
    EXPECT_FALSE(past.HasProperty(GCP_ALIGNMENT));
}

TEST_F(EditFixture, BeginEditShowsTheBoxOverTheCell)
{
    grid.SetCellText(1, 2, "hello");
    ASSERT_EQ(grid.BeginEdit(1, 2, 'x'), 0);
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.CurrentCol(), 1);
    EXPECT_EQ(grid.CurrentRow(), 2);
    EXPECT_EQ(edit.m_strText, "hello");
    EXPECT_TRUE(edit.m_bShown);
    EXPECT_TRUE(edit.m_bFocus);
    EXPECT_EQ(edit.m_nHost, GRID_SECTION_CELLS);
    EXPECT_EQ(edit.m_rc, (GRIDRECT{75, 40, 149, 59}));
    EXPECT_EQ(edit.m_arrChars, (std::vector<unsigned>{'x'}));
}

TEST_F(EditFixture, EditEndsStoringTheTextOrCancelled)
{
    grid.BeginEdit(0, 0, 0);
    EXPECT_EQ(grid.EndEdit("typed", 0, 0, 0, 0), 1);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_FALSE(edit.m_bShown);
    std::string s;
    grid.GetCellText(0, 0, &s);
    EXPECT_EQ(s, "typed");
    grid.BeginEdit(0, 0, 0);
    EXPECT_EQ(grid.EndEdit("other", 1, 0, 0, 0), 1);
    grid.GetCellText(0, 0, &s);
    EXPECT_EQ(s, "typed");
}

TEST_F(EditFixture, RefusedEndKeepsTheEditOpen)
{
    grid.BeginEdit(0, 0, 0);
    grid.m_bAllowEditEnd = 0;
    EXPECT_EQ(grid.EndEdit("bad", 0, 0, 0, 0), 0);
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_TRUE(edit.m_bShown);
    std::string s;
    grid.GetCellText(0, 0, &s);
    EXPECT_EQ(s, "");
}

TEST_F(EditFixture, MoveOnWrapsPastTheLastColumnAndRow)
{
    grid.BeginEdit(2, 1, 0);
    grid.Clear();
    EXPECT_EQ(grid.EndEdit("a", 0, 1, 3, 1), 1);
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.GetEditCol(), 0);
    EXPECT_EQ(grid.GetEditRow(), 1);
    EXPECT_EQ(grid.EndEdit("b", 0, 1, 0, 4), 1);
    EXPECT_EQ(grid.GetEditRow(), 0);
    EXPECT_EQ(grid.EndEdit("c", 0, 1, -1, 0), 1);
    EXPECT_EQ(grid.GetEditCol(), 2);
    EXPECT_EQ(grid.m_log[0], "editend a");
    EXPECT_EQ(grid.m_log[1], "storing 2,1");
    EXPECT_EQ(grid.m_log[2], "editnext 2,1>0,1");
}

TEST_F(EditFixture, EditRefusedForReadOnlyCellsTypesAndOwner)
{
    CGridCell cell;
    cell.SetReadOnly(1);
    grid.SetCell(1, 1, &cell);
    EXPECT_EQ(grid.BeginEdit(1, 1, 0), 1);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_FALSE(edit.m_bShown);
    CGridCell check;
    check.SetCellType(2);
    grid.SetCell(2, 2, &check);
    EXPECT_EQ(grid.BeginEdit(2, 2, 0), 1);
    grid.m_bAllowEditBegin = 0;
    EXPECT_EQ(grid.BeginEdit(0, 3, 0), 1);
    EXPECT_FALSE(edit.m_bShown);
    grid.m_bAllowEditBegin = 1;
    grid.m_bAllowMove = 0;
    EXPECT_EQ(grid.BeginEdit(0, 2, 0), 2);
    EXPECT_FALSE(grid.IsEditing());
}

TEST_F(EditFixture, CancelEditHidesTheBoxAndReturnsTheFocus)
{
    EXPECT_EQ(grid.CancelEdit(), 0); // nothing running
    grid.BeginEdit(0, 0, 0);
    cells.m_bFocus = false;
    EXPECT_EQ(grid.CancelEdit(), 0);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_FALSE(edit.m_bShown);
    EXPECT_TRUE(cells.m_bFocus);
}

// A column-heading cell is edited in the column heading with row 0 current; a row-heading
// cell's column can never become current, so its edit fails as a failed move.
TEST_F(EditFixture, ColumnHeadingCellsAreEditedInTheColumnHeading)
{
    grid.SetCellText(2, -1, "Head");
    ASSERT_EQ(grid.BeginEdit(2, -1, 0), 0);
    EXPECT_EQ(grid.CurrentCol(), 2);
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(edit.m_nHost, GRID_SECTION_COLHEADING);
    EXPECT_EQ(edit.m_strText, "Head");
    GRIDRECT rc;
    grid.GetCellBounds(2, -1, &rc);
    EXPECT_EQ(edit.m_rc, (GRIDRECT{rc.left, rc.top, rc.right - 1, rc.bottom - 1}));
    EXPECT_EQ(grid.EndEdit("Title", 0, 1, 0, 1), 1); // no move on out of a heading
    EXPECT_FALSE(grid.IsEditing());
    std::string s;
    grid.GetCellText(2, -1, &s);
    EXPECT_EQ(s, "Title");

    EXPECT_EQ(grid.BeginEdit(-1, 1, 0), 2);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_FALSE(edit.m_bShown);
}

// A member of a joined block is edited as the block: the edit opens on the block's origin
// and what is typed is stored there, where it is shown.
TEST_F(EditFixture, JoinedMemberIsEditedAsItsBlockOrigin)
{
    CGridCell origin;
    origin.SetText("block");
    origin.SetJoin(1, 1, 1);
    grid.SetCell(1, 1, &origin);
    CGridCell member;
    member.SetJoin(0, -1, -1);
    grid.SetCell(2, 2, &member);
    ASSERT_EQ(grid.BeginEdit(2, 2, 0), 0);
    EXPECT_EQ(grid.GetEditCol(), 1);
    EXPECT_EQ(grid.GetEditRow(), 1L);
    EXPECT_EQ(edit.m_strText, "block");
    EXPECT_EQ(grid.EndEdit("joined", 0, 0, 0, 0), 1);
    std::string s;
    grid.GetCellText(1, 1, &s);
    EXPECT_EQ(s, "joined");
    grid.GetCellText(2, 2, &s);
    EXPECT_EQ(s, "");
}

TEST_F(EditFixture, DataSourceIsAskedBeforeTheOwnerToEndAnEdit)
{
    CRecordingSource source;
    source.m_pLog = &grid.m_log;
    grid.GetSheet()->m_pDataSource = &source;
    grid.BeginEdit(0, 0, 0);
    grid.Clear();
    source.m_nEditEnd = 0;
    EXPECT_EQ(grid.EndEdit("x", 0, 0, 0, 0), 0);
    EXPECT_EQ(grid.m_log, (std::vector<std::string>{"srceditend"}));
    EXPECT_TRUE(edit.m_bShown);
    source.m_nEditEnd = 1;
    grid.Clear();
    EXPECT_EQ(grid.EndEdit("x", 0, 0, 0, 0), 1);
    EXPECT_EQ(grid.m_log[0], "srceditend");
    EXPECT_EQ(grid.m_log[1], "editend x");
}

TEST_F(EditFixture, BeginEditWithoutArgumentsEditsTheNotifiedCell)
{
    grid.SetCurrentCell(2, 3);
    grid.SetCellText(2, 3, "here");
    ASSERT_EQ(grid.BeginEdit(), 0);
    EXPECT_EQ(grid.GetEditCol(), 2);
    EXPECT_EQ(grid.GetEditRow(), 3);
    EXPECT_EQ(edit.m_strText, "here");
    EXPECT_TRUE(edit.m_arrChars.empty());
}
