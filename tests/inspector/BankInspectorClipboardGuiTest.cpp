// Copy and paste in the inspector's table with real keys, the mouse and the real clipboard:
// what Ctrl+C puts there, where a pasted block lands and what OK and Cancel then write, and the
// one message of a refused block.
#include "InspectorGuiFixture.h"

#include "app/WxMessageSink.h"
#include "grid/GridInfo.h"
#include "grid/GridMultiSelect.h"
#include "support/gui/ClipboardText.h"
#include "support/gui/ShellFixture.h"


namespace
{
class BankInspectorClipboardGuiTest : public CInspectorGuiFixture
{
protected:
    void SetUp() override
    {
        WriteBank(CBankBuilder().Prio("Old", 64).Imap(CBankBuilder::Entries(5), CBankBuilder::Entries(2, 40)));
    }
    static bool Selected(CBankInspectorDlg& dlg, int nCol, long nRow)
    {
        return dlg.GetGrid()->GetSheet()->m_pMultiSelect->IsSelected(nCol, nRow) != 0;
    }
    void DragCells(CBankInspectorDlg& dlg, int nCol1, long nRow1, int nCol2, long nRow2)
    {
        auto centre = [&](int nCol, long nRow)
        {
            GRIDRECT rc;
            dlg.GetGrid()->GetCellBounds(nCol, nRow, &rc);
            return Cells(dlg)->ClientToScreen(wxPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
        };
        m_sim.MouseMove(centre(nCol1, nRow1));
        Settle(3);
        m_sim.MouseDown();
        Settle(3);
        m_sim.MouseMove(centre(nCol2, nRow2));
        Settle(3);
        m_sim.MouseUp();
        Settle();
    }
};
} // namespace

TEST_F(BankInspectorClipboardGuiTest, CtrlCCopiesTheCurrentCellOrTheSelectedBlock)
{
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            ClickCell(dlg, 1, 3);
            Key('c', wxMOD_CONTROL);
            EXPECT_EQ("3", FromClipboard());

            // Shift and the arrows select a block the table shows.
            ClickCell(dlg, 0, 1);
            Key(WXK_DOWN, wxMOD_SHIFT);
            Key(WXK_DOWN, wxMOD_SHIFT);
            Key(WXK_RIGHT, wxMOD_SHIFT);
            EXPECT_TRUE(Selected(dlg, 0, 1));
            EXPECT_TRUE(Selected(dlg, 1, 2));
            EXPECT_FALSE(Selected(dlg, 0, 4));
            Key(WXK_INSERT, wxMOD_CONTROL);
            EXPECT_EQ("1\t1\n2\t2\n3\t3", FromClipboard());

            // So does the mouse.
            DragCells(dlg, 1, 4, 1, 2);
            EXPECT_TRUE(Selected(dlg, 1, 3));
            EXPECT_FALSE(Selected(dlg, 0, 3));
            Key('c', wxMOD_CONTROL);
            EXPECT_EQ("2\n3\n0", FromClipboard());
        });
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(BankInspectorClipboardGuiTest, ABlockPastedAtRowOneLandsInRowsOneToThreeAndOkWritesIt)
{
    PutOnClipboard("10\t11\r\n12\t13\r\n14\t15\r\n");
    EXPECT_EQ(wxID_OK, RunDialog(
                           [&](CBankInspectorDlg& dlg)
                           {
                               ClickCell(dlg, 0, 1);
                               Key('v', wxMOD_CONTROL);
                               EXPECT_EQ("10", CellText(dlg, 0, 1));
                               EXPECT_EQ("15", CellText(dlg, 1, 3));
                               EXPECT_EQ("4", CellText(dlg, 0, 4));
                               // The other list keeps its values.
                               Click(dlg, CBankInspectorDlg::IDC_DRUMSETS);
                               Click(dlg, CBankInspectorDlg::IDC_INSTRUMENTS);
                               EXPECT_EQ("14", CellText(dlg, 0, 3));
                               Click(dlg, wxID_OK);
                           }));
    std::unique_ptr<CSoundBank> saved = Saved();
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {10, 11}, {12, 13}, {14, 15}, {4, 0}};
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(expected[i].first, saved->m_arrInstruments[i].wProgram) << i;
        EXPECT_EQ(expected[i].second, saved->m_arrInstruments[i].byVariation) << i;
    }
    EXPECT_EQ(40, saved->m_arrDrumsets[0].wProgram);

    // Shift+Insert pastes too; Cancel throws it away.
    WriteBank(m_bank);
    PutOnClipboard("99;98");
    EXPECT_EQ(wxID_CANCEL, RunDialog(
                               [&](CBankInspectorDlg& dlg)
                               {
                                   ClickCell(dlg, 0, 4);
                                   Key(WXK_INSERT, wxMOD_SHIFT);
                                   EXPECT_EQ("98", CellText(dlg, 1, 4));
                                   Click(dlg, wxID_CANCEL);
                               }));
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path));
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(BankInspectorClipboardGuiTest, ABlockWithAValueOutOfRangeChangesNothingAndSaysWhere)
{
    CWxMessageSink sink;
    CSlot<IMessageSink>::CScope useSink(MessageSinkSlot(), &sink);
    EXPECT_EQ(wxID_OK,
              RunDialog(
                  [&](CBankInspectorDlg& dlg)
                  {
                      ClickCell(dlg, 0, 1);
                      PutOnClipboard("1\t2\n3\t128\n");
                      wxTEST_DIALOG(Key('v', wxMOD_CONTROL),
                                    ExpectMessage("Nothing was pasted: line 2, column 2 holds \"128\", which is not a "
                                                  "whole number from 0 to 127.",
                                                  "Orvane", wxICON_EXCLAMATION));
                      // A block reaching past the last entry is refused the same way.
                      ClickCell(dlg, 0, 3);
                      PutOnClipboard("1\t2\n3\t4\n5\t6");
                      wxTEST_DIALOG(Key('v', wxMOD_CONTROL),
                                    ExpectMessage("Nothing was pasted: line 3, column 1 would land outside the "
                                                  "program and variation of the list's entries.",
                                                  "Orvane", wxICON_EXCLAMATION));
                      for (long row = 0; row < 5; ++row)
                          EXPECT_EQ(std::to_string(row), CellText(dlg, 0, row));
                      EXPECT_EQ("1", CellText(dlg, 1, 1));
                      Click(dlg, wxID_OK);
                  }));
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path));
}
