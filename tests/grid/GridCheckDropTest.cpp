// The check box and the drop list: drawing, toggling, the list's choices and placement, and
// the drop list's states around opening and closing.
#include "grid/GridCheckBoxType.h"
#include "grid/GridColors.h"
#include "grid/GridDropListType.h"
#include "grid/GridTestSupport.h"
#include "support/RecordingGridDC.h"

#include <gtest/gtest.h>

namespace
{
class CEventGrid : public CRecordingGrid
{
  public:
    std::vector<std::string> m_events;
    std::vector<std::string> m_arrOpening;
    int m_nSelectedResult = 1;
    int OnCellTypeEvent(int nType, int nCol, long nRow, int nEvent, intptr_t nParam) override
    {
        std::string s = std::to_string(nType) + ":" + std::to_string(nCol) + "," + std::to_string(nRow) +
                        " " + std::to_string(nEvent);
        if (nEvent == CTE_CHECK_TOGGLED)
            s += " " + std::to_string(nParam);
        if (nEvent == CTE_LIST_OPENING)
            m_arrOpening = *reinterpret_cast<std::vector<std::string>*>(nParam);
        if (nEvent == CTE_LIST_SELECTED)
            s += " " + *reinterpret_cast<std::string*>(nParam);
        m_events.push_back(s);
        return nEvent == CTE_LIST_SELECTED ? m_nSelectedResult : 1;
    }
};

class CFakeList : public IGridDropListWindow
{
  public:
    bool m_bOpen = false;
    GRIDRECT m_rc;
    std::vector<std::string> m_arrChoices;
    bool IsOpen() const override { return m_bOpen; }
    void Open(const GRIDRECT& rc, const std::vector<std::string>& arr, CGridFont*) override
    {
        m_bOpen = true;
        m_rc = rc;
        m_arrChoices = arr;
    }
    void Close() override { m_bOpen = false; }
};

struct CheckDropFixture : ::testing::Test
{
    CEventGrid grid;
    CFakeChild cells;
    CRecordingGridDC dc;
    CFakeList list;

    void SetUp() override
    {
        grid.AttachChild(GRID_CHILD_CELLS, &cells);
        grid.SetLayoutSize(400, 300);
        grid.SetColCount(4);
        grid.SetRowCount(8);
        grid.AdjustLayout();
        grid.GetDropListType()->m_pList = &list;
    }
    void Put(int nCol, long nRow, int nType, const char* pszText = nullptr, const char* pszLabel = nullptr)
    {
        CGridCell cell;
        cell.SetCellType(nType);
        if (pszText)
            cell.SetText(pszText);
        if (pszLabel)
            cell.SetLabel(pszLabel);
        grid.SetCell(nCol, nRow, &cell);
    }
    double Number(int nCol, long nRow)
    {
        CGridCell cell;
        grid.GetCell(nCol, nRow, &cell);
        return cell.GetNumber();
    }
    std::string Text(int nCol, long nRow)
    {
        std::string s;
        grid.GetCellText(nCol, nRow, &s);
        return s;
    }
    CGridCheckBoxType& Check() { return *static_cast<CGridCheckBoxType*>(grid.GetCellType(2)); }
    CGridDropListType& Drop() { return *grid.GetDropListType(); }
};
} // namespace

TEST_F(CheckDropFixture, CheckBoxSizeAndStyles)
{
    EXPECT_EQ(CGridCheckBoxType::BoxSize(GRIDRECT{0, 0, 80, 30}), 12);
    EXPECT_EQ(CGridCheckBoxType::BoxSize(GRIDRECT{0, 0, 80, 11}), 5);
    Put(0, 0, 2, "1", "Label");
    CGridCell cell;
    grid.GetCellResolved(0, 0, &cell);
    GRIDRECT rc{0, 0, 80, 30};
    Check().OnDraw(&dc, &rc, 0, 0, &cell, 0, 0);
    EXPECT_EQ(dc.CountLines(0), 4 + 4); // the square and a thickened cross
    const auto* pLabel = dc.FindText("Label");
    ASSERT_NE(pLabel, nullptr);
    EXPECT_EQ(pLabel->rc.left, 12 + 6);
    // 3D styles draw two rings, each edge in its own pen: the 12-pixel box at (3, 8), its inner
    // ring one pixel in; a small box draws none, still the label.
    auto rings = [&](int nParam)
    {
        dc.Clear();
        cell.SetCellTypeParam(nParam);
        Check().OnDraw(&dc, &rc, 0, 0, &cell, 0, 0);
        std::vector<std::vector<int>> arr;
        for (const auto& op : dc.m_ops)
            if (op.nKind == CRecordingGridDC::LINE && op.crText != 0xDCDCDC && arr.size() < 8) // not grid lines
                arr.push_back({static_cast<int>(op.crText), op.x1, op.y1, op.x2, op.y2});
        return arr;
    };
    const int S = static_cast<int>(GridGetSysColor(GRID_COLOR_BTNSHADOW));
    const int F = static_cast<int>(GridGetSysColor(GRID_COLOR_BTNFACE));
    const int L = 0xE1E1E1;
    EXPECT_EQ(rings(0x100), (std::vector<std::vector<int>>{{S, 3, 19, 3, 8},
                                                           {S, 3, 8, 14, 8},
                                                           {L, 14, 8, 14, 19},
                                                           {L, 14, 19, 3, 19},
                                                           {0, 4, 18, 4, 9},
                                                           {0, 4, 9, 13, 9},
                                                           {F, 13, 9, 13, 18},
                                                           {F, 13, 18, 4, 18}}));
    EXPECT_EQ(rings(0x200), (std::vector<std::vector<int>>{{L, 3, 19, 3, 8},
                                                           {L, 3, 8, 14, 8},
                                                           {0, 14, 8, 14, 19},
                                                           {0, 14, 19, 3, 19},
                                                           {F, 4, 18, 4, 9},
                                                           {F, 4, 9, 13, 9},
                                                           {S, 13, 9, 13, 18},
                                                           {S, 13, 18, 4, 18}}));
    dc.Clear();
    GRIDRECT rcSmall{0, 0, 80, 12};
    Check().OnDraw(&dc, &rcSmall, 0, 0, &cell, 0, 0);
    EXPECT_EQ(dc.CountLines(0), 0);
    EXPECT_NE(dc.FindText("Label"), nullptr);
}

TEST_F(CheckDropFixture, CheckBoxTogglesOnReleaseInsideTheBoxOnly)
{
    Put(1, 1, 2, "0");
    GRIDRECT rc{0, 0, 80, 30}; // box at (3, 9) .. (15, 21)
    GRIDPOINT inside{8, 15}, outside{40, 15};
    EXPECT_EQ(Check().OnLeftClick(1, 1, 1, &rc, &inside), 0); // a press never toggles
    EXPECT_EQ(Check().OnLeftClick(1, 1, 0, &rc, &outside), 0);
    EXPECT_EQ(Number(1, 1), 0);
    EXPECT_EQ(Check().OnLeftClick(1, 1, 0, &rc, &inside), 1);
    EXPECT_EQ(Number(1, 1), 1);
    EXPECT_EQ(grid.m_events, (std::vector<std::string>{"2:1,1 53 0"}));
    EXPECT_EQ(Check().OnDoubleClick(1, 1, &rc, &inside), 0);
    EXPECT_EQ(Number(1, 1), 1);
    // No box is drawn below 12 pixels of height, the release still toggles.
    GRIDRECT rcSmall{0, 0, 80, 10};
    GRIDPOINT small{4, 5};
    EXPECT_EQ(Check().OnLeftClick(1, 1, 0, &rcSmall, &small), 1);
    EXPECT_EQ(Number(1, 1), 0);
}

TEST_F(CheckDropFixture, SpaceTogglesTheCurrentCheckBoxUnlessReadOnly)
{
    Put(2, 3, 2);
    grid.SetCurrentCell(2, 3);
    unsigned nChar = ' ';
    EXPECT_EQ(Check().OnChar(2, 3, &nChar), 1);
    EXPECT_EQ(Number(2, 3), 1);
    EXPECT_EQ(grid.m_events.back(), "2:2,3 53 1");
    EXPECT_EQ(Check().OnChar(2, 3, &nChar), 1);
    EXPECT_EQ(grid.m_events.back(), "2:2,3 53 0");
    unsigned nOther = 'x';
    EXPECT_EQ(Check().OnChar(2, 3, &nOther), 0);

    CGridCell readOnly;
    readOnly.SetCellType(2);
    readOnly.SetReadOnly(1);
    grid.SetColDefaultCell(2, readOnly);
    grid.m_events.clear();
    EXPECT_EQ(Check().OnChar(2, 3, &nChar), 0);
    GRIDRECT rc{0, 0, 80, 30};
    GRIDPOINT inside{8, 15};
    EXPECT_EQ(Check().OnLeftClick(2, 3, 0, &rc, &inside), 0);
    EXPECT_TRUE(grid.m_events.empty());
}

TEST_F(CheckDropFixture, ChoicesAreTheTextsBeforeEachLineFeed)
{
    EXPECT_EQ(CGridDropListType::SplitChoices("one\ntwo\nthree"), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(CGridDropListType::SplitChoices("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(CGridDropListType::SplitChoices("").empty());
    EXPECT_TRUE(CGridDropListType::SplitChoices(nullptr).empty());
}

TEST_F(CheckDropFixture, ListHeightAndPlacementStayInsideTheArea)
{
    const GRIDRECT rcCell{0, 20, 75, 40};
    EXPECT_EQ(CGridDropListType::ListRect(rcCell, 3, 12, 400, 300).Height(), 4 * 12 + 2);
    EXPECT_EQ(CGridDropListType::ListRect(rcCell, 20, 12, 400, 300).Height(), 16 * 12 + 2);
    const GRIDRECT rc = CGridDropListType::ListRect(rcCell, 3, 12, 400, 300);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.top, 40);
    // Near the bottom right it moves up and left, never past 0.
    const GRIDRECT rcLow = CGridDropListType::ListRect(GRIDRECT{350, 260, 425, 280}, 3, 12, 400, 300);
    EXPECT_EQ(rcLow.bottom, 300);
    EXPECT_EQ(rcLow.right, 400);
    const GRIDRECT rcHuge = CGridDropListType::ListRect(GRIDRECT{0, 20, 75, 40}, 20, 30, 400, 100);
    EXPECT_EQ(rcHuge.top, 0);
}

TEST_F(CheckDropFixture, ButtonPressOpensTheListAndAChoiceIsStored)
{
    Put(1, 2, 1, "old", "red\ngreen\nblue\n");
    grid.SetCurrentCell(1, 2);
    GRIDRECT rc;
    grid.GetCellBounds(1, 2, &rc);
    GRIDPOINT button{rc.right - 3, rc.top + 5}, text{rc.left + 5, rc.top + 5};
    EXPECT_EQ(Drop().OnLeftClick(1, 2, 1, &rc, &text), 0);
    EXPECT_FALSE(list.IsOpen());
    EXPECT_EQ(Drop().OnLeftClick(1, 2, 1, &rc, &button), 1);
    ASSERT_TRUE(list.IsOpen());
    EXPECT_EQ(list.m_arrChoices, (std::vector<std::string>{"red", "green", "blue"}));
    EXPECT_EQ(grid.m_arrOpening, list.m_arrChoices);
    EXPECT_EQ(list.m_rc.top, rc.bottom);
    EXPECT_EQ(list.m_rc.Height(), 4 * 12 + 2);
    EXPECT_EQ(Drop().m_bPressed, 0); // the open list lifts the button
    EXPECT_EQ(Drop().OnLeftClick(1, 2, 0, &rc, &button), 0);
    Drop().OnListChoice("green");
    Drop().OnListClosed(true);
    EXPECT_EQ(Text(1, 2), "green");
    EXPECT_EQ(grid.m_events.back(), "1:1,2 101 green");
    EXPECT_EQ(Drop().m_nListCol, -1);
    // An owner that refuses the choice keeps the text.
    grid.m_nSelectedResult = 0;
    list.m_bOpen = false;
    Drop().OnLeftClick(1, 2, 1, &rc, &button);
    Drop().OnListChoice("blue");
    EXPECT_EQ(Text(1, 2), "green");
}

TEST_F(CheckDropFixture, ClosingWithoutAChoiceKeepsTheButtonFromReopening)
{
    Put(0, 1, 1, "", "a\nb\n");
    grid.SetCurrentCell(0, 1);
    GRIDRECT rc;
    grid.GetCellBounds(0, 1, &rc);
    GRIDPOINT button{rc.right - 2, rc.top + 2}, text{rc.left + 2, rc.top + 2};
    Drop().OnLeftClick(0, 1, 1, &rc, &button);
    list.m_bOpen = false;
    Drop().OnListClosed(false);
    EXPECT_EQ(Drop().m_nListCol, -2);
    EXPECT_EQ(Drop().OnLeftClick(0, 1, 1, &rc, &button), 0); // the press that closed it
    EXPECT_FALSE(list.IsOpen());
    EXPECT_EQ(Drop().m_nListCol, -1);
    EXPECT_EQ(Drop().OnLeftClick(0, 1, 1, &rc, &button), 1); // the next one opens
    EXPECT_TRUE(list.IsOpen());
    // A press elsewhere after a closing clears the state too.
    list.m_bOpen = false;
    Drop().OnListClosed(false);
    Drop().OnLeftClick(0, 1, 1, &rc, &text);
    EXPECT_EQ(Drop().m_nListCol, -1);
    // A list closed by a press it took itself leaves no press to ignore: the next one opens.
    Drop().OnLeftClick(0, 1, 1, &rc, &button);
    list.m_bOpen = false;
    Drop().OnListClosed(false, true);
    EXPECT_EQ(Drop().m_nListCol, -1);
    EXPECT_EQ(Drop().OnLeftClick(0, 1, 1, &rc, &button), 1);
    EXPECT_TRUE(list.IsOpen());
}

TEST_F(CheckDropFixture, EnterAndCtrlDownOpenTheListAndAreSwallowed)
{
    Put(3, 0, 1, "", "x\n");
    grid.SetCurrentCell(3, 0);
    unsigned nKey = GRID_VK_DOWN;
    EXPECT_EQ(Drop().OnKeyDown(3, 0, &nKey), 0);
    EXPECT_FALSE(list.IsOpen());
    grid.SetSelInput(GRID_SEL_KEYS, GRID_MK_CONTROL);
    EXPECT_EQ(Drop().OnKeyDown(3, 0, &nKey), 1);
    grid.SetSelInput(GRID_SEL_KEYS, 0);
    EXPECT_EQ(nKey, 0u);
    EXPECT_TRUE(list.IsOpen());
    list.m_bOpen = false;
    nKey = GRID_VK_RETURN;
    EXPECT_EQ(Drop().OnKeyDown(3, 0, &nKey), 1);
    EXPECT_TRUE(list.IsOpen());
    unsigned nChar = 13;
    EXPECT_EQ(Drop().OnChar(3, 0, &nChar), 1);
    GRIDRECT rc{0, 0, 100, 20};
    EXPECT_EQ(Drop().GetEditRect(&rc), 1);
    EXPECT_EQ(rc.right, 100 - Drop().m_nButtonWidth - 1);
}

TEST_F(CheckDropFixture, ButtonFollowsTheHeldMouseAndDrawsPressed)
{
    Put(0, 0, 1, "v", "a\n");
    grid.SetCurrentCell(0, 0);
    GRIDRECT rc;
    grid.GetCellBounds(0, 0, &rc);
    GRIDPOINT button{rc.right - 2, rc.top + 2}, away{rc.left - 40, rc.top + 2};
    Drop().OnLeftClick(0, 0, 1, &rc, &button);
    Drop().m_bPressed = 1;
    EXPECT_EQ(Drop().OnMouseMove(0, 0, &away, GRID_MK_LBUTTON), 0);
    EXPECT_EQ(Drop().m_bPressed, 0);
    EXPECT_EQ(Drop().OnMouseMove(0, 0, &button, GRID_MK_LBUTTON), 0);
    EXPECT_EQ(Drop().m_bPressed, 1);
    EXPECT_EQ(Drop().OnMouseMove(0, 0, &button, 0), 1);
    // Drawn current and pressed the button is sunken (no white top-left edges).
    CGridCell cell;
    grid.GetCellResolved(0, 0, &cell);
    Drop().OnDraw(&dc, &rc, 0, 0, &cell, 0, 1);
    const GRIDCOLOR crShadow = grid.GetShadowPen().m_crColor;
    int nFirstBevel = -1;
    for (size_t i = 0; i < dc.m_ops.size(); ++i)
        if (dc.m_ops[i].nKind == CRecordingGridDC::LINE &&
            (dc.m_ops[i].crText == crShadow || dc.m_ops[i].crText == 0xFFFFFF))
        {
            nFirstBevel = static_cast<int>(i);
            break;
        }
    ASSERT_GE(nFirstBevel, 0);
    EXPECT_EQ(dc.m_ops[static_cast<size_t>(nFirstBevel)].crText, crShadow);
    EXPECT_NE(dc.FindText("v"), nullptr);
    // With 0x200 a cell that is not current shows no button.
    dc.Clear();
    cell.SetCellTypeParam(0x200);
    Drop().OnDraw(&dc, &rc, 0, 0, &cell, 0, 0);
    EXPECT_EQ(dc.CountLines(0), 0);
}
