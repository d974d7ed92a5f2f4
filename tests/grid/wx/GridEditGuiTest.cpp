// The in-place edit box under a real display: typed characters pass the owner's filter, Enter
// stores and moves down, Escape keeps the old text, a refused text keeps the box open, leaving
// the grid cancels and the box grows by whole cells with its text.
#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridEdit.h"
#include "support/gui/GridPump.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace
{
// Takes digits only and refuses the text "0".
class CDigitGrid : public CGridCtrl
{
public:
    CDigitGrid(wxWindow* pParent) : CGridCtrl(pParent, wxID_ANY, wxPoint(0, 0), wxSize(400, 300)) {}
    int m_nEnds = 0;
    int OnEditKey(int, long, IGridEditWindow*, unsigned* pnKey) override
    {
        return *pnKey < ' ' || (*pnKey >= '0' && *pnKey <= '9');
    }
    // Typing into the cell area starts an edit with the character typed.
    void OnGridChar(unsigned* pnChar, int) override
    {
        if (!IsEditing())
            BeginEdit(CurrentCol(), CurrentRow(), *pnChar);
    }
    int OnEditEnd(int, long, IGridEditWindow*, const char* pszText, int bCancelled) override
    {
        ++m_nEnds;
        return bCancelled || std::string(pszText) != "0";
    }
};

struct GridEditGuiTest : ::testing::Test
{
    wxFrame* pFrame = nullptr;
    CDigitGrid* pGrid = nullptr;
    wxButton* pButton = nullptr;
    wxUIActionSimulator sim;

    void SetUp() override
    {
        pFrame = new wxFrame(nullptr, wxID_ANY, "grid edit", wxPoint(20, 20), wxSize(560, 400));
        pGrid = new CDigitGrid(pFrame);
        pButton = new wxButton(pFrame, wxID_ANY, "Other", wxPoint(420, 10), wxSize(100, 30));
        pGrid->SetColCount(5);
        pGrid->SetRowCount(20);
        pFrame->Show();
        pFrame->Raise();
        Pump();
        pGrid->SetCellText(1, 1, "old");
    }
    void TearDown() override
    {
        pFrame->Destroy();
        Pump();
    }
    CGridEdit* Edit() const { return dynamic_cast<CGridEdit*>(pGrid->GetEditBox()); }
    std::string Text(int nCol, long nRow) const
    {
        std::string s;
        pGrid->GetCellText(nCol, nRow, &s);
        return s;
    }
    void Begin(int nCol, long nRow)
    {
        ASSERT_EQ(pGrid->BeginEdit(nCol, nRow, 0), 0);
        Pump();
        ASSERT_TRUE(Edit()->HasFocus());
    }
    void Type(const char* psz)
    {
        sim.Text(psz);
        Pump();
    }
    // Types into the cell area with the cell current: the owner starts the edit.
    void StartByTyping(int nCol, long nRow, const char* psz)
    {
        pGrid->SetCurrentCell(nCol, nRow);
        dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_CELLS))->SetFocus();
        Pump();
        Type(psz);
        ASSERT_TRUE(pGrid->IsEditing());
    }
    void Key(int nKey)
    {
        sim.Char(nKey);
        Pump();
    }
};
} // namespace

TEST_F(GridEditGuiTest, TypedDigitsAreStoredOnEnterAndTheEditMovesDown)
{
    Begin(1, 1);
    Type("4a2b");
    EXPECT_EQ(Edit()->GetValue(), "42"); // letters dropped by the owner's filter
    Key(WXK_RETURN);
    EXPECT_EQ(Text(1, 1), "42");
    EXPECT_TRUE(pGrid->IsEditing());
    EXPECT_EQ(pGrid->GetEditCol(), 1);
    EXPECT_EQ(pGrid->GetEditRow(), 2);
    EXPECT_TRUE(Edit()->HasFocus());
    Key(WXK_TAB);
    EXPECT_EQ(pGrid->GetEditCol(), 2);
    EXPECT_EQ(pGrid->GetEditRow(), 2);
}

TEST_F(GridEditGuiTest, EscapeKeepsTheOldText)
{
    Begin(1, 1);
    Type("77");
    Key(WXK_ESCAPE);
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_FALSE(Edit()->IsShown());
    EXPECT_EQ(Text(1, 1), "old");
}

TEST_F(GridEditGuiTest, ARefusedTextKeepsTheBoxOpenWithItsTextSelected)
{
    Begin(1, 1);
    Type("0");
    Key(WXK_RETURN);
    Pump();
    EXPECT_TRUE(pGrid->IsEditing());
    EXPECT_TRUE(Edit()->IsShown());
    EXPECT_TRUE(Edit()->HasFocus());
    long nFrom = -1, nTo = -1;
    Edit()->GetSelection(&nFrom, &nTo);
    EXPECT_EQ(nFrom, 0);
    EXPECT_EQ(nTo, 1);
    EXPECT_EQ(Text(1, 1), "old");
}

TEST_F(GridEditGuiTest, ClickingOutsideTheGridCancels)
{
    Begin(1, 1);
    Type("5");
    sim.MouseMove(pButton->GetScreenRect().GetPosition() + wxPoint(20, 10));
    Pump(2);
    sim.MouseClick();
    Pump();
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(Text(1, 1), "old");
}

TEST_F(GridEditGuiTest, TheBoxGrowsByWholeCellsWithItsText)
{
    Begin(0, 1);
    GRIDRECT rcCell;
    pGrid->GetCellBounds(0, 1, &rcCell);
    const wxRect rcStart = Edit()->GetRect();
    Type("12345678901234567890");
    const wxRect rc = Edit()->GetRect();
    EXPECT_GT(rc.width, rcStart.width);
    EXPECT_EQ(rc.x, rcStart.x);
    // The right edge lies one pixel inside some column's right edge.
    int nCol;
    long nRow;
    GRIDRECT rcEnd;
    ASSERT_EQ(pGrid->CellFromPoint(rc.GetRight(), rc.y + 2, &nCol, &nRow, &rcEnd), 0);
    EXPECT_EQ(rc.GetRight() + 1, rcEnd.right - 1);
    EXPECT_GT(nCol, 0);
}

// A short value in a low row (the inspector's 17 pixels and 14-pixel font) keeps the box over
// its cell, though the toolkit's multi-line control asks for more height.
TEST_F(GridEditGuiTest, TheBoxLiesOverItsCellLessOnePixel)
{
    pGrid->SetDefaultRowHeight(17);
    pGrid->SetFixedRowHeights(1);
    pGrid->SetDefaultFont(pGrid->RegisterFont("", 14, 0));
    pGrid->SetCellText(1, 4, "7");
    Begin(1, 4);
    GRIDRECT rc;
    pGrid->GetCellBounds(1, 4, &rc);
    EXPECT_EQ(Edit()->GetRect(), wxRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1));
    Type("12");
    EXPECT_EQ(Edit()->GetRect(), wxRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1));
}

// The toolkit tells the box of the click late: the click still stores the edit and moves.
TEST_F(GridEditGuiTest, ClickingAnotherCellStoresTheEditAndMovesThere)
{
    Begin(1, 1);
    Type("56");
    auto* pCells = dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_CELLS));
    GRIDRECT rc;
    pGrid->GetCellBounds(3, 5, &rc);
    sim.MouseMove(pCells->ClientToScreen(wxPoint(rc.left + 10, rc.top + 8)));
    Pump(2);
    sim.MouseClick();
    Pump();
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(Text(1, 1), "56");
    EXPECT_EQ(pGrid->CurrentCol(), 3);
    EXPECT_EQ(pGrid->CurrentRow(), 5);
    EXPECT_EQ(pGrid->m_nEnds, 1);
}

TEST_F(GridEditGuiTest, TypingIntoACellStartsAnEditThatKeepsTheFirstCharacter)
{
    StartByTyping(2, 3, "1");
    Type("234");
    EXPECT_EQ(Edit()->GetValue(), "1234");
    Key(WXK_RETURN);
    EXPECT_EQ(Text(2, 3), "1234");
}

// A new layout (the window resized while typing) neither ends the edit nor takes the focus
// from a control beside the grid.
TEST_F(GridEditGuiTest, AResizeKeepsTheEditAndTheFocusWhereTheyAre)
{
    StartByTyping(2, 3, "1");
    pGrid->SetSize(wxSize(380, 280));
    Pump();
    EXPECT_TRUE(pGrid->IsEditing());
    EXPECT_TRUE(Edit()->HasFocus());
    Type("23");
    Key(WXK_RETURN);
    EXPECT_EQ(Text(2, 3), "123");

    Key(WXK_ESCAPE);
    pButton->SetFocus();
    Pump();
    pGrid->SetSize(wxSize(400, 300));
    Pump();
    EXPECT_TRUE(pButton->HasFocus());
}
