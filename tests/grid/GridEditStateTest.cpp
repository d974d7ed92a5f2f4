// The in-place edit's rules: ending keys, the character filter, losing the focus and growth.
#include "GridTestSupport.h"
#include "grid/GridEditState.h"
#include "grid/GridKeys.h"
#include "support/RecordingGridDC.h"

#include <gtest/gtest.h>

namespace
{
class CFilterGrid : public CRecordingGrid
{
public:
    int OnEditKey(int, long, IGridEditWindow*, unsigned* pnKey) override
    {
        if (*pnKey == 'a')
            *pnKey = 'A';
        if (*pnKey == 'b')
            *pnKey = 0;
        return *pnKey < 'x';
    }
};

struct EditStateFixture : ::testing::Test
{
    CFilterGrid grid;
    CFakeEdit edit;
    CFakeChild cells;
    CGridEditState state;

    void SetUp() override
    {
        grid.AttachChild(GRID_CHILD_CELLS, &cells);
        grid.AttachEditBox(&edit);
        grid.SetLayoutSize(400, 200);
        grid.SetColCount(3);
        grid.SetRowCount(4);
        grid.AdjustLayout();
        state.OnGainFocus(20);
    }
};

// Cells of 50 x 20 pixels.
bool HitGrid(int x, int y, GRIDRECT* pCell)
{
    if (x < 0 || y < 0 || x >= 300)
        return false;
    *pCell = GRIDRECT{x / 50 * 50, y / 20 * 20, x / 50 * 50 + 50, y / 20 * 20 + 20};
    return true;
}
} // namespace

TEST_F(EditStateFixture, EndingKeysRecordTheRequestedCell)
{
    EXPECT_TRUE(state.OnKeyDown(GRID_VK_TAB, false, 1, 2));
    EXPECT_TRUE(state.m_bMove);
    EXPECT_EQ(state.m_nNextCol, 2);
    EXPECT_TRUE(state.OnKeyDown(GRID_VK_TAB, true, 0, 2));
    EXPECT_EQ(state.m_nNextCol, -1); // the grid wraps it to the last column
    EXPECT_TRUE(state.OnKeyDown(GRID_VK_RETURN, false, 1, 2));
    EXPECT_EQ(state.m_nNextRow, 3);
    EXPECT_TRUE(state.OnKeyDown(GRID_VK_UP, false, 1, 2));
    EXPECT_EQ(state.m_nNextRow, 1);
    EXPECT_TRUE(state.OnKeyDown(GRID_VK_ESCAPE, false, 1, 2));
    EXPECT_TRUE(state.m_bCancel);
    EXPECT_FALSE(state.m_bMove);
    EXPECT_FALSE(state.OnKeyDown(GRID_VK_LEFT, false, 1, 2));
    EXPECT_FALSE(state.OnKeyDown('A', false, 1, 2));
    state.OnGainFocus(20); // flags cleared for the next edit
    EXPECT_FALSE(state.m_bCancel);
    EXPECT_FALSE(state.m_bMove);
}

TEST_F(EditStateFixture, UpAndDownMoveTheCaretOnceTheBoxHasGrown)
{
    // A second line of text makes the box one row taller.
    const GRIDRECT rc = state.Grow({0, 0, 49, 19}, {0, 0, 300, 200}, {40, 28}, HitGrid);
    EXPECT_EQ(rc.bottom, 39);
    EXPECT_TRUE(state.HasGrown());
    EXPECT_FALSE(state.OnKeyDown(GRID_VK_UP, false, 1, 2));
    EXPECT_FALSE(state.OnKeyDown(GRID_VK_DOWN, false, 1, 2));
    EXPECT_TRUE(state.OnKeyDown(GRID_VK_RETURN, false, 1, 2));
}

TEST_F(EditStateFixture, CharactersPassTheOwnersFilterAndEndingCharactersAreDropped)
{
    unsigned n = 'a';
    EXPECT_TRUE(CGridEditState::FilterChar(grid, &edit, &n));
    EXPECT_EQ(n, unsigned('A')); // as the owner changed it
    n = 'z';
    EXPECT_FALSE(CGridEditState::FilterChar(grid, &edit, &n));
    n = 'b'; // changed to 0: nothing to insert
    EXPECT_FALSE(CGridEditState::FilterChar(grid, &edit, &n));
    for (unsigned c : {9u, 13u, 27u})
    {
        n = c;
        EXPECT_FALSE(CGridEditState::FilterChar(grid, &edit, &n)) << c;
    }
}

TEST_F(EditStateFixture, LosingTheFocusEndsTheEditAndLeavingTheGridCancels)
{
    ASSERT_EQ(grid.BeginEdit(1, 1, 0), 0);
    grid.Clear();
    EXPECT_EQ(state.OnLoseFocus(grid, false, "typed"), 1);
    EXPECT_EQ(grid.m_log.front(), "editend typed cancelled");
    std::string s;
    grid.GetCellText(1, 1, &s);
    EXPECT_EQ(s, "");

    ASSERT_EQ(grid.BeginEdit(1, 1, 0), 0);
    state.OnGainFocus(20);
    state.OnKeyDown(GRID_VK_RETURN, false, 1, 1);
    EXPECT_EQ(state.OnLoseFocus(grid, true, "kept"), 1);
    grid.GetCellText(1, 1, &s);
    EXPECT_EQ(s, "kept");
    EXPECT_EQ(grid.GetEditRow(), 2); // the edit moved on
    EXPECT_TRUE(grid.IsEditing());
}

TEST_F(EditStateFixture, ARefusedTextMakesTheEditCellCurrentAgain)
{
    ASSERT_EQ(grid.BeginEdit(2, 3, 0), 0);
    state.OnGainFocus(20);
    grid.m_bAllowEditEnd = 0;
    grid.SetCurrentCell(0, 0);
    EXPECT_EQ(state.OnLoseFocus(grid, true, "bad"), 0);
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.CurrentCol(), 2);
    EXPECT_EQ(grid.CurrentRow(), 3);
    // No edit running: nothing is ended.
    grid.m_bAllowEditEnd = 1;
    grid.CancelEdit();
    grid.Clear();
    EXPECT_EQ(state.OnLoseFocus(grid, true, "x"), 1);
    EXPECT_TRUE(grid.m_log.empty());
}

TEST_F(EditStateFixture, GrowthIsByWholeCellsClampedAndNeverShrinks)
{
    state.OnGainFocus(19);
    const GRIDRECT rcClient{0, 0, 300, 100};
    // Text fitting the cell keeps the box.
    EXPECT_EQ(state.Grow({50, 20, 99, 39}, rcClient, {30, 14}, HitGrid), (GRIDRECT{50, 20, 99, 39}));
    EXPECT_FALSE(state.HasGrown());
    // Wider text reaches the right edge of the cell it ends in.
    EXPECT_EQ(state.Grow({50, 20, 99, 39}, rcClient, {70, 14}, HitGrid), (GRIDRECT{50, 20, 149, 39}));
    EXPECT_FALSE(state.HasGrown()); // only wider
    // Past the last column the box stops at the client edge.
    EXPECT_EQ(state.Grow({50, 20, 99, 39}, {0, 0, 320, 100}, {265, 14}, HitGrid).right, 319);
    // Taller text takes the full width and whole rows, but not past the client bottom.
    EXPECT_EQ(state.Grow({50, 20, 99, 39}, rcClient, {240, 30}, HitGrid), (GRIDRECT{50, 20, 300, 59}));
    EXPECT_EQ(state.Grow({50, 20, 99, 39}, rcClient, {240, 300}, HitGrid).bottom, 99);
    // A smaller need never shrinks the box.
    EXPECT_EQ(state.Grow({50, 20, 199, 59}, rcClient, {10, 5}, HitGrid), (GRIDRECT{50, 20, 199, 59}));
    state.m_bAutoSize = false;
    EXPECT_EQ(state.Grow({50, 20, 99, 39}, rcClient, {240, 30}, HitGrid), (GRIDRECT{50, 20, 99, 39}));
}

TEST(GridEditMeasure, WrapsAtSpacesAndLineEnds)
{
    CRecordingGridDC dc; // 7 pixels a character, 14 a line
    auto measure = [&](const std::string& s, int nWidth) {
        const GRIDSIZE sz = CGridEditState::MeasureWrapped(dc, s, nWidth);
        return std::pair(sz.cx, sz.cy);
    };
    EXPECT_EQ(measure("abc", 100), std::pair(21, 14));
    EXPECT_EQ(measure("abc defgh ij", 60), std::pair(56, 28));
    EXPECT_EQ(measure("abcdefghijkl", 20), std::pair(84, 14)); // one long word
    EXPECT_EQ(measure("ab\ncd", 100), std::pair(14, 28));
    EXPECT_EQ(measure("", 100), std::pair(0, 14));
}

TEST(GridEditSubstitute, ASubstituteWindowServesOneEditOnly)
{
    struct CSubstGrid : CRecordingGrid
    {
        IGridEditWindow* m_pSubst = nullptr;
        IGridEditWindow* m_pEnded = nullptr;
        int OnEditBegin(int, long, IGridEditWindow** pp) override
        {
            if (m_pSubst)
                *pp = m_pSubst;
            return 1;
        }
        int OnEditEnd(int, long, IGridEditWindow* p, const char*, int) override
        {
            m_pEnded = p;
            return 1;
        }
    } grid;
    CFakeEdit box, subst;
    CFakeChild cells;
    grid.AttachChild(GRID_CHILD_CELLS, &cells);
    grid.AttachEditBox(&box);
    grid.SetLayoutSize(400, 200);
    grid.SetColCount(3);
    grid.SetRowCount(4);
    grid.AdjustLayout();
    grid.m_pSubst = &subst;
    ASSERT_EQ(grid.BeginEdit(0, 0, 0), 0);
    EXPECT_TRUE(subst.m_bShown);
    grid.EndEdit("x", 0, 0, 0, 0);
    EXPECT_EQ(grid.m_pEnded, &subst);
    // Later ends with no edit running never reach the substitute again.
    grid.m_pSubst = nullptr;
    subst.m_bShown = true;
    grid.EndEdit("y", 0, 0, 0, 0);
    EXPECT_EQ(grid.m_pEnded, &box);
    EXPECT_TRUE(subst.m_bShown);
    grid.CancelEdit();
    EXPECT_TRUE(subst.m_bShown);
}
