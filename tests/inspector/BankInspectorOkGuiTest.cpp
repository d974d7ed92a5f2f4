// What OK writes when the values on screen cannot be written as they are: a priority the bank
// cannot hold, or a bank that another program changed while the inspector was open.
#include "InspectorGuiFixture.h"

#include <cstring>

namespace
{
class BankInspectorOkGuiTest : public CInspectorGuiFixture
{
protected:
    std::string LastMessage() const { return m_messages.m_messages.empty() ? "" : m_messages.m_messages.back().text; }
};
} // namespace

TEST_F(BankInspectorOkGuiTest, APriorityOutOfRangeIsNamedAndNothingIsWrittenUntilItIsRight)
{
    for (const char* typed : {"300", "-5", "12abc", ""})
    {
        m_messages.m_messages.clear();
        EXPECT_EQ(wxID_OK, RunDialog(
                               [&](CBankInspectorDlg& dlg)
                               {
                                   TypeInto(dlg, CBankInspectorDlg::IDC_BANKNAME, "Mine");
                                   TypeInto(dlg, CBankInspectorDlg::IDC_PRIORITY, typed);
                                   if (!*typed)
                                       Key(WXK_DELETE);
                                   Key(WXK_RETURN);
                                   EXPECT_TRUE(dlg.IsModal()) << typed;
                                   EXPECT_EQ(GetString(IDS_PRIORITY_RANGE), LastMessage()) << typed;
                                   EXPECT_EQ("Orvane", m_messages.m_messages.back().caption);
                                   // Nothing reached the file while the priority was wrong.
                                   EXPECT_EQ(64, Saved()->m_wPriority) << typed;
                                   EXPECT_EQ(0, std::memcmp(Saved()->m_strBankName.data(), "Old", 3)) << typed;
                                   // The field has the focus back, its text selected: typing replaces it.
                                   Type("100");
                                   Key(WXK_RETURN);
                               }))
            << typed;
        EXPECT_EQ(100, Saved()->m_wPriority) << typed;
        EXPECT_EQ(0, std::memcmp(Saved()->m_strBankName.data(), "Mine", 4)) << typed;
        WriteBank(CBankBuilder().Prio("Old", 64).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2)));
    }
}

TEST_F(BankInspectorOkGuiTest, OkOnABankChangedByAnotherProgramWritesNothingAndOffersToReload)
{
    const CBankBuilder other =
        CBankBuilder().Prio("Other", 99).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
    m_messages.m_nAnswer = AnswerNo;
    EXPECT_EQ(kStillOpen, RunDialog(
                              [&](CBankInspectorDlg& dlg)
                              {
                                  TypeInto(dlg, CBankInspectorDlg::IDC_BANKNAME, "Mine");
                                  ClickCell(dlg, 1, 0);
                                  Type("42");
                                  Key(WXK_RETURN);
                                  // Another program writes the bank while the inspector is open.
                                  other.WriteTo(m_path);
                                  Key(WXK_ESCAPE);
                                  Click(dlg, wxID_OK);
                                  ASSERT_FALSE(m_messages.m_messages.empty());
                                  EXPECT_EQ(GetString(IDS_INSPECTOR_CHANGED), LastMessage());
                                  EXPECT_EQ(unsigned(MsgQuestion), m_messages.m_messages.back().style);
                                  // No: the typed values stay on screen, the other program's stay on disk.
                                  EXPECT_EQ("Mine", Text(dlg, CBankInspectorDlg::IDC_BANKNAME));
                                  EXPECT_EQ("42", CellText(dlg, 1, 0));
                              }));
    EXPECT_EQ(99, Saved()->m_wPriority);
    EXPECT_EQ(0, std::memcmp(Saved()->m_strBankName.data(), "Other", 5));
    EXPECT_EQ(0, Saved()->m_arrInstruments[0].byVariation);

    // Yes: the bank is read again as it now is, and a later OK writes on top of that.
    WriteBank(CBankBuilder().Prio("Old", 64).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2)));
    m_messages.m_nAnswer = AnswerYes;
    EXPECT_EQ(wxID_OK, RunDialog(
                           [&](CBankInspectorDlg& dlg)
                           {
                               TypeInto(dlg, CBankInspectorDlg::IDC_BANKNAME, "Mine");
                               other.WriteTo(m_path);
                               Key(WXK_RETURN);
                               EXPECT_TRUE(dlg.IsModal());
                               EXPECT_EQ("Other", Text(dlg, CBankInspectorDlg::IDC_BANKNAME));
                               EXPECT_EQ("99", Text(dlg, CBankInspectorDlg::IDC_PRIORITY));
                               TypeInto(dlg, CBankInspectorDlg::IDC_PRIORITY, "7");
                               Key(WXK_RETURN);
                           }));
    EXPECT_EQ(7, Saved()->m_wPriority);
    EXPECT_EQ(0, std::memcmp(Saved()->m_strBankName.data(), "Other", 5));
}
