// Enter and Escape in the inspector as a keyboard user meets them: Enter is OK and Escape is
// Cancel wherever the focus is, unless a table edit is running, which they end instead.
#include "InspectorGuiFixture.h"

namespace
{
class BankInspectorKeysGuiTest : public CInspectorGuiFixture
{
};
} // namespace

TEST_F(BankInspectorKeysGuiTest, EnterIsOkInTheFieldsOnARadioButtonAndInTheTable)
{
    const std::vector<std::pair<const char*, std::function<void(CBankInspectorDlg&)>>> places = {
        {"name", [&](CBankInspectorDlg& dlg) { Click(dlg, CBankInspectorDlg::IDC_BANKNAME); }},
        {"priority", [&](CBankInspectorDlg& dlg) { Click(dlg, CBankInspectorDlg::IDC_PRIORITY); }},
        {"radio button", [&](CBankInspectorDlg& dlg) { Click(dlg, CBankInspectorDlg::IDC_INSTRUMENTS); }},
        {"table", [&](CBankInspectorDlg& dlg) { ClickCell(dlg, 0, 1); }},
    };
    for (const auto& [name, focus] : places)
    {
        EXPECT_EQ(wxID_OK, RunDialog(
                               [&](CBankInspectorDlg& dlg)
                               {
                                   focus(dlg);
                                   Key(WXK_RETURN);
                               }))
            << name;
        EXPECT_EQ(wxID_CANCEL, RunDialog(
                                   [&](CBankInspectorDlg& dlg)
                                   {
                                       focus(dlg);
                                       Key(WXK_ESCAPE);
                                   }))
            << name;
    }
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(BankInspectorKeysGuiTest, EnterAndEscapeEndARunningTableEditFirst)
{
    EXPECT_EQ(wxID_OK, RunDialog(
                           [&](CBankInspectorDlg& dlg)
                           {
                               ClickCell(dlg, 1, 2);
                               Type("12");
                               Key(WXK_RETURN); // stores 12; the next edit opens in the row below
                               EXPECT_TRUE(dlg.IsModal());
                               EXPECT_EQ("12", CellText(dlg, 1, 2));
                               if (dlg.GetGrid()->IsEditing())
                                   Key(WXK_ESCAPE);
                               EXPECT_TRUE(dlg.IsModal());
                               EXPECT_FALSE(dlg.GetGrid()->IsEditing());
                               Key(WXK_RETURN);
                           }));
    EXPECT_EQ(12, Saved()->m_arrInstruments[2].byVariation);
}

TEST_F(BankInspectorKeysGuiTest, TabLeavesTheTableForOkAndCancelAndShiftTabComesBack)
{
    auto inTable = [](CBankInspectorDlg& dlg)
    {
        for (wxWindow* w = wxWindow::FindFocus(); w; w = w->GetParent())
            if (w == dlg.GetGrid())
                return true;
        return false;
    };
    EXPECT_EQ(wxID_CANCEL, RunDialog(
                               [&](CBankInspectorDlg& dlg)
                               {
                                   ClickCell(dlg, 0, 1);
                                   ASSERT_TRUE(inTable(dlg));
                                   Key(WXK_TAB);
                                   EXPECT_EQ(dlg.FindWindow(wxID_OK), wxWindow::FindFocus());
                                   Key(WXK_TAB);
                                   EXPECT_EQ(dlg.FindWindow(wxID_CANCEL), wxWindow::FindFocus());
                                   Key(WXK_TAB, wxMOD_SHIFT);
                                   EXPECT_EQ(dlg.FindWindow(wxID_OK), wxWindow::FindFocus());
                                   Key(WXK_TAB, wxMOD_SHIFT);
                                   EXPECT_TRUE(inTable(dlg));
                                   Key(WXK_TAB, wxMOD_SHIFT);
                                   EXPECT_FALSE(inTable(dlg));
                                   // Ctrl+Tab is the way out as well.
                                   ClickCell(dlg, 1, 1);
                                   Key(WXK_TAB, wxMOD_CONTROL);
                                   EXPECT_EQ(dlg.FindWindow(wxID_OK), wxWindow::FindFocus());
                                   // The Cancel button reached by the keyboard presses with Space.
                                   Key(WXK_TAB);
                                   Key(WXK_SPACE);
                               }));
}

TEST_F(BankInspectorKeysGuiTest, KeypadEnterActsAsEnterInTheTableAndTheFields)
{
    EXPECT_EQ(wxID_OK, RunDialog(
                           [&](CBankInspectorDlg& dlg)
                           {
                               ClickCell(dlg, 1, 2);
                               Type("42");
                               Key(WXK_NUMPAD_ENTER); // stores 42, as Enter does
                               EXPECT_TRUE(dlg.IsModal());
                               EXPECT_EQ("42", CellText(dlg, 1, 2));
                               if (dlg.GetGrid()->IsEditing())
                                   Key(WXK_ESCAPE);
                               Click(dlg, CBankInspectorDlg::IDC_PRIORITY);
                               Key(WXK_NUMPAD_ENTER);
                           }));
    EXPECT_EQ(42, Saved()->m_arrInstruments[2].byVariation);
}
