// What reaches the file from the inspector when a user types and clicks: the priority field and
// its arrows, table edits still open at OK or at a switch of lists, Escape and Cancel, a failed
// write, the bank name, and a bank that cannot be read.
#include "InspectorGuiFixture.h"

#include "res/StringTable.h"
#include "soundbank/BankName.h"

#include <wx/clipbrd.h>
#include <wx/radiobut.h>

#include <filesystem>
#include <optional>

namespace
{
class BankInspectorEditGuiTest : public CInspectorGuiFixture
{
protected:
    // The priority OK writes after the field got typed (and the keys pressed in it).
    int PriorityAfter(const std::function<void(CBankInspectorDlg&)>& typing)
    {
        WriteBank(m_bank);
        EXPECT_EQ(wxID_OK, RunDialog(
                               [&](CBankInspectorDlg& dlg)
                               {
                                   typing(dlg);
                                   Click(dlg, wxID_OK);
                               }));
        return Saved()->m_wPriority;
    }
};
} // namespace

TEST_F(BankInspectorEditGuiTest, TypedPriorityAndTheArrowsStepsAreWritten)
{
    const int kField = CBankInspectorDlg::IDC_PRIORITY;
    EXPECT_EQ(50, PriorityAfter([&](CBankInspectorDlg& dlg) { TypeInto(dlg, kField, "50"); }));
    EXPECT_EQ(127, PriorityAfter([&](CBankInspectorDlg& dlg) { TypeInto(dlg, kField, " 127 "); }));

    // Up in the field reads the typed 50 and steps to 51.
    EXPECT_EQ(51, PriorityAfter(
                      [&](CBankInspectorDlg& dlg)
                      {
                          TypeInto(dlg, kField, "50");
                          Key(WXK_UP);
                          EXPECT_EQ("51", Text(dlg, kField));
                          EXPECT_EQ(dlg.FindWindow(kField), wxWindow::FindFocus()); // Up did not move the focus
                      }));
    EXPECT_EQ(62, PriorityAfter(
                      [&](CBankInspectorDlg& dlg)
                      {
                          Click(dlg, kField);
                          Key(WXK_DOWN);
                          Key(WXK_DOWN);
                          EXPECT_EQ("62", Text(dlg, kField));
                      }));
    EXPECT_TRUE(m_messages.m_messages.empty());
}

TEST_F(BankInspectorEditGuiTest, ArrowHalvesStepThePriorityAndAHeldArrowRepeats)
{
    const int kField = CBankInspectorDlg::IDC_PRIORITY;
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            wxWindow* arrows = dlg.FindWindow(CBankInspectorDlg::IDC_PRIORITYSPIN);
            ASSERT_NE(nullptr, arrows);
            const wxRect rect = arrows->GetScreenRect();
            const wxPoint upper(rect.x + rect.width / 2, rect.y + rect.height / 4);
            const wxPoint lower(rect.x + rect.width / 2, rect.y + rect.height * 3 / 4);
            ClickAt(upper);
            EXPECT_EQ("65", Text(dlg, kField));
            TypeInto(dlg, kField, "10");
            ClickAt(lower); // reads the typed 10 first
            EXPECT_EQ("9", Text(dlg, kField));

            m_sim.MouseMove(upper);
            Settle(3);
            m_sim.MouseDown();
            for (int i = 0; i < 60; ++i)
                Settle(1);
            m_sim.MouseUp();
            Settle();
            const long held = std::stol(Text(dlg, kField));
            EXPECT_GT(held, 11) << "a held arrow steps more than once";
            Settle(20);
            EXPECT_EQ(held, std::stol(Text(dlg, kField))) << "it stops when released";
        });
}

TEST_F(BankInspectorEditGuiTest, AnEditStillOpenIsStoredByOkAndByASwitchOfLists)
{
    // Typed 77 and clicked OK at once: the file gets 77.
    EXPECT_EQ(wxID_OK, RunDialog(
                           [&](CBankInspectorDlg& dlg)
                           {
                               ClickCell(dlg, 0, 1);
                               Type("77");
                               ASSERT_TRUE(dlg.GetGrid()->IsEditing());
                               Click(dlg, wxID_OK);
                           }));
    EXPECT_EQ(77, Saved()->m_arrInstruments[1].wProgram);

    // Edits in both lists, each left open when the other list was chosen, are all kept.
    EXPECT_EQ(wxID_OK, RunDialog(
                           [&](CBankInspectorDlg& dlg)
                           {
                               ClickCell(dlg, 1, 2);
                               Type("33");
                               Click(dlg, CBankInspectorDlg::IDC_DRUMSETS);
                               EXPECT_EQ("1", CellText(dlg, 0, 1)); // the drum sets on show
                               ClickCell(dlg, 0, 1);
                               Type("9");
                               Click(dlg, CBankInspectorDlg::IDC_INSTRUMENTS);
                               EXPECT_EQ("33", CellText(dlg, 1, 2));
                               Click(dlg, CBankInspectorDlg::IDC_DRUMSETS);
                               EXPECT_EQ("9", CellText(dlg, 0, 1));
                               Click(dlg, wxID_OK);
                           }));
    const auto saved = Saved();
    EXPECT_EQ(33, saved->m_arrInstruments[2].byVariation);
    EXPECT_EQ(9, saved->m_arrDrumsets[1].wProgram);
    EXPECT_EQ(77, saved->m_arrInstruments[1].wProgram);
    EXPECT_EQ(0u, RangeMessages());

    // An open edit out of range: the message, and the dialog and the edit stay.
    const auto before = ReadFileBytes(m_path);
    EXPECT_EQ(kStillOpen,
              RunDialog(
                  [&](CBankInspectorDlg& dlg)
                  {
                      ClickCell(dlg, 0, 0);
                      Type("300");
                      Click(dlg, wxID_OK);
                      EXPECT_EQ(1u, RangeMessages());
                      EXPECT_TRUE(dlg.GetGrid()->IsEditing());
                      Click(dlg, CBankInspectorDlg::IDC_DRUMSETS);
                      EXPECT_EQ(2u, RangeMessages());
                      EXPECT_TRUE(
                          dynamic_cast<wxRadioButton*>(dlg.FindWindow(CBankInspectorDlg::IDC_INSTRUMENTS))->GetValue());
                      EXPECT_EQ("0", CellText(dlg, 0, 0));
                  }));
    EXPECT_EQ(before, ReadFileBytes(m_path));
}

TEST_F(BankInspectorEditGuiTest, EscapeEndsAnEditWithoutStoringAndCancelAlwaysCloses)
{
    EXPECT_EQ(wxID_CANCEL, RunDialog(
                               [&](CBankInspectorDlg& dlg)
                               {
                                   ClickCell(dlg, 0, 2);
                                   Type("128");
                                   Key(WXK_RETURN);
                                   EXPECT_EQ(1u, RangeMessages());
                                   ASSERT_TRUE(dlg.GetGrid()->IsEditing());
                                   Key(WXK_ESCAPE); // leaves the edit, no second message
                                   EXPECT_FALSE(dlg.GetGrid()->IsEditing());
                                   EXPECT_EQ(1u, RangeMessages());
                                   EXPECT_EQ("2", CellText(dlg, 0, 2));
                                   EXPECT_EQ(2, dlg.m_bank.m_arrInstruments[2].wProgram);

                                   // An open edit, in range or not, and Cancel clicked: closed.
                                   ClickCell(dlg, 1, 0);
                                   Type("200");
                                   Click(dlg, wxID_CANCEL);
                               }));
    EXPECT_EQ(1u, RangeMessages());
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path));
}

TEST_F(BankInspectorEditGuiTest, AFailedWriteKeepsTheDialogAndItsEditsForAnotherTry)
{
    EXPECT_EQ(wxID_OK, RunDialog(
                           [&](CBankInspectorDlg& dlg)
                           {
                               ClickCell(dlg, 0, 0);
                               Type("55");
                               Key(WXK_RETURN);
                               TypeInto(dlg, CBankInspectorDlg::IDC_BANKNAME, "New");
                               // Made read-only by its owner meanwhile: the write is refused.
                               namespace fs = std::filesystem;
                               const fs::perms mode = fs::status(m_path).permissions();
                               fs::permissions(m_path,
                                               fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
                               Click(dlg, wxID_OK);
                               fs::permissions(m_path, mode);
                               ASSERT_TRUE(dlg.IsModal()) << "the dialog closed after a failed write";
                               EXPECT_FALSE(m_messages.m_messages.empty());
                               EXPECT_EQ("New", Text(dlg, CBankInspectorDlg::IDC_BANKNAME));
                               EXPECT_EQ("55", CellText(dlg, 0, 0));
                               Click(dlg, wxID_OK);
                           }));
    const auto saved = Saved();
    EXPECT_EQ(55, saved->m_arrInstruments[0].wProgram);
    EXPECT_EQ("New", BankNameText(saved->m_strBankName));
}

TEST_F(BankInspectorEditGuiTest, BankNameTakesEightCharactersThatWindows1252Holds)
{
    EXPECT_EQ(wxID_OK, RunDialog(
                           [&](CBankInspectorDlg& dlg)
                           {
                               const int kName = CBankInspectorDlg::IDC_BANKNAME;
                               TypeInto(dlg, kName, "LongerThanEight");
                               EXPECT_EQ("LongerTh", Text(dlg, kName));
                               // Pasted text loses what a bank name cannot hold.
                               if (wxTheClipboard->Open())
                               {
                                   wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8("\xce\xa9"
                                                                                                   "caf\xc3\xa9")));
                                   wxTheClipboard->Close();
                               }
                               Click(dlg, kName);
                               Key('a', wxMOD_CONTROL);
                               Key('v', wxMOD_CONTROL);
                               // The clipboard answers through the X server, later on a busy machine.
                               SettleUntil([&] { return !Text(dlg, kName).empty(); });
                               EXPECT_EQ("caf\xc3\xa9", Text(dlg, kName));
                               Click(dlg, wxID_OK);
                           }));
    EXPECT_EQ(std::string("caf\xe9\0\0\0\0", 8), Saved()->m_strBankName);
}

TEST_F(BankInspectorEditGuiTest, UnreadableBankShowsTheTemplateCountsAndNoListChosen)
{
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            EXPECT_EQ("Static", Text(dlg, CBankInspectorDlg::IDC_NUMINSTRUMENTS));
            EXPECT_EQ("Static", Text(dlg, CBankInspectorDlg::IDC_NUMDRUMSETS));
            for (int id : {CBankInspectorDlg::IDC_INSTRUMENTS, CBankInspectorDlg::IDC_DRUMSETS})
                EXPECT_FALSE(dynamic_cast<wxRadioButton*>(dlg.FindWindow(id))->GetValue());
        },
        (m_dir / "missing.94b").string());
}

TEST_F(BankInspectorEditGuiTest, OutOfRangeMessageHasTheProgramsCaptionAndNamesTheRange)
{
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            ClickCell(dlg, 1, 1);
            Type("999");
            Key(WXK_RETURN);
            Key(WXK_ESCAPE);
        });
    ASSERT_EQ(1u, RangeMessages());
    EXPECT_EQ("Orvane", m_messages.m_messages.back().caption);
    EXPECT_NE(std::string::npos, m_messages.m_messages.back().text.find("0 to 127"));
    EXPECT_EQ(unsigned(MsgExclamation), m_messages.m_messages.back().style);
}

TEST_F(BankInspectorEditGuiTest, EmptyDrumsetListShowsSixBlankRowsThatStartNoEdit)
{
    WriteBank(CBankBuilder().Prio("Old", 64).Imap(CBankBuilder::Entries(3), {}));
    RunDialog(
        [&](CBankInspectorDlg& dlg)
        {
            Click(dlg, CBankInspectorDlg::IDC_DRUMSETS);
            EXPECT_EQ(6, dlg.GetGrid()->GetRowCount());
            for (long row = 0; row < 6; ++row)
                EXPECT_EQ("", CellText(dlg, 0, row) + CellText(dlg, 1, row)) << row;
            ClickCell(dlg, 0, 0);
            Type("5");
            EXPECT_FALSE(dlg.GetGrid()->IsEditing());
            ClickCell(dlg, 1, 3, true);
            EXPECT_FALSE(dlg.GetGrid()->IsEditing());
        });
}
