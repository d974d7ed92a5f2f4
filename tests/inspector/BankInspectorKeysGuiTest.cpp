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
