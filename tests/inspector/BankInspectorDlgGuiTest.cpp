// The bank inspector dialog on a real bank: what it shows after initialisation, and OK and
// Cancel clicked with real mouse events, checked on the bytes on disk.
#include "inspector/BankInspectorDlg.h"
#include "inspector/InspectorGrid.h"
#include "grid/wx/GridEdit.h"
#include "res/StringTable.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/gui/ShellFixture.h"
#include "ui/HoverButton.h"

#include <gtest/gtest.h>

#include <functional>

#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

namespace
{
class BankInspectorDlgGuiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_bank.Prio("Old", 300).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
        m_path = (m_dir / "X.94B").string();
        m_bank.WriteTo(m_path);
    }
    // The dialog on show without a modal loop of its own, initialised as ShowModal would.
    CBankInspectorDlg* OpenDialog() const
    {
        auto* dlg = new CBankInspectorDlg(nullptr);
        dlg->m_strFilePath = m_path;
        dlg->Show();
        dlg->InitDialog();
        dlg->Raise();
        PumpEvents();
        return dlg;
    }
    template <class T> static T* Child(wxWindow* dlg, int id) { return dynamic_cast<T*>(dlg->FindWindow(id)); }
    std::string Text(wxWindow* dlg, int id) const
    {
        if (auto* edit = Child<wxTextCtrl>(dlg, id))
            return edit->GetValue().utf8_string();
        auto* label = Child<wxStaticText>(dlg, id);
        return label ? label->GetLabel().utf8_string() : "?";
    }
    // Runs the dialog modally and clicks the button with the given id from inside its loop; a
    // timer ends a dialog that the click did not close.
    int ClickInModalDialog(CBankInspectorDlg& dlg, int buttonId, const std::function<void()>& before = {})
    {
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { dlg.EndModal(wxID_ABORT); });
        guard.StartOnce(10000);
        dlg.CallAfter(
            [&dlg, buttonId, before]
            {
                if (before)
                    before();
                wxWindow* button = dlg.FindWindow(buttonId);
                wxUIActionSimulator sim;
                sim.MouseMove(button->GetScreenRect().GetPosition() + wxPoint(8, 6));
                wxYield();
                sim.MouseClick();
            });
        return dlg.ShowModal();
    }

    CTempDir m_dir;
    CBankBuilder m_bank;
    std::string m_path;
    CMessageRecorder m_messages;
};
} // namespace

TEST_F(BankInspectorDlgGuiTest, ShowsTheBankItsInstrumentsAndItsColours)
{
    CBankInspectorDlg* dlg = OpenDialog();
    EXPECT_EQ("Old", Text(dlg, CBankInspectorDlg::IDC_BANKNAME));
    EXPECT_EQ("127", Text(dlg, CBankInspectorDlg::IDC_PRIORITY)); // 300 as the arrows hold it
    EXPECT_EQ("3", Text(dlg, CBankInspectorDlg::IDC_NUMINSTRUMENTS));
    EXPECT_EQ("2", Text(dlg, CBankInspectorDlg::IDC_NUMDRUMSETS));
    EXPECT_TRUE(Child<wxRadioButton>(dlg, CBankInspectorDlg::IDC_INSTRUMENTS)->GetValue());
    CInspectorGrid* grid = dlg->GetGrid();
    EXPECT_EQ(6, grid->GetRowCount());
    EXPECT_EQ(CBankInspectorDlg::IDC_GRID, grid->GetId());
    EXPECT_EQ(nullptr, dlg->FindWindow("Here is the grid")); // the placeholder became the grid
    EXPECT_EQ("", grid->Table().GetCellText(0, 3));

    // Its colours: the blue-grey surface with yellow labels, the buttons dark with yellow captions.
    EXPECT_EQ(wxColour(63, 96, 128), dlg->GetBackgroundColour());
    EXPECT_EQ(wxColour(255, 240, 96), dlg->FindWindow(CBankInspectorDlg::IDC_NUMINSTRUMENTS)->GetForegroundColour());
    auto* ok = dynamic_cast<CHoverButton*>(dlg->FindWindow(wxID_OK));
    ASSERT_NE(nullptr, ok);
    EXPECT_EQ(0x2F201Fu, ok->m_crFace);
    EXPECT_EQ(0x60F0FFu, ok->m_crText);
    dlg->Destroy();
}

TEST_F(BankInspectorDlgGuiTest, CancelLeavesTheFileAloneAndOkWritesTheEditedValues)
{
    {
        CBankInspectorDlg dlg(nullptr);
        dlg.m_strFilePath = m_path;
        EXPECT_EQ(wxID_CANCEL, ClickInModalDialog(dlg, wxID_CANCEL));
    }
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path));
    {
        CBankInspectorDlg dlg(nullptr);
        dlg.m_strFilePath = m_path;
        dlg.m_bKeepBackup = true;
        auto typing = [&dlg]
        {
            // A double click on the program of entry 1, 42 typed and Enter.
            CInspectorGrid* grid = dlg.GetGrid();
            GRIDRECT rc;
            grid->GetCellBounds(0, 1, &rc);
            auto* cells = dynamic_cast<wxWindow*>(grid->GetChild(GRID_CHILD_CELLS));
            wxUIActionSimulator sim;
            auto settle = []
            {
                for (int i = 0; i < 4; ++i)
                {
                    wxMilliSleep(15);
                    PumpEvents();
                }
            };
            dlg.Raise();
            for (int i = 0; i < 5; ++i)
                settle();
            sim.MouseMove(cells->ClientToScreen(wxPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2)));
            settle();
            sim.MouseDblClick();
            for (const char* key : {"4", "2"})
            {
                settle();
                sim.Text(key);
            }
            settle();
            sim.Char(WXK_RETURN);
            settle();
        };
        EXPECT_EQ(wxID_OK, ClickInModalDialog(dlg, wxID_OK, typing));
    }
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path + ".bak"));
    CSoundBank after;
    ASSERT_EQ(1, after.Load(m_path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
    EXPECT_EQ(127, after.m_wPriority);
    EXPECT_EQ(42, after.m_arrInstruments[1].wProgram);
    EXPECT_TRUE(m_messages.Texts().empty());
}

TEST_F(BankInspectorDlgGuiTest, TypedDigitsGoIntoTheBankAndValuesOutOfRangeAreRefused)
{
    CBankInspectorDlg* dlg = OpenDialog();
    CInspectorGrid* grid = dlg->GetGrid();
    wxUIActionSimulator sim;
    auto type = [&](const char* text)
    {
        sim.Text(text);
        PumpEvents();
    };
    auto focusCell = [&](int nCol, long nRow)
    {
        grid->CancelEdit();
        grid->SetCurrentCell(nCol, nRow);
        dynamic_cast<wxWindow*>(grid->GetChild(GRID_CHILD_CELLS))->SetFocus();
        PumpEvents();
    };

    // A digit typed on an entry starts its edit; letters and the minus sign are dropped; Enter stores
    // the cell and the dialog writes the row back into its bank.
    focusCell(0, 1);
    type("7");
    ASSERT_TRUE(grid->IsEditing());
    type("x-5");
    EXPECT_EQ("75", dynamic_cast<CGridEdit*>(grid->GetEditBox())->GetValue().utf8_string());
    sim.Char(WXK_RETURN);
    PumpEvents();
    EXPECT_EQ("75", grid->Table().GetCellText(0, 1));
    EXPECT_EQ(75, dlg->m_bank.m_arrInstruments[1].wProgram);

    // Escape after typing keeps the old text and the entry as it was.
    focusCell(0, 2);
    type("9");
    ASSERT_TRUE(grid->IsEditing());
    sim.Char(WXK_ESCAPE);
    PumpEvents();
    EXPECT_EQ("2", grid->Table().GetCellText(0, 2));
    EXPECT_EQ(2, dlg->m_bank.m_arrInstruments[2].wProgram);

    // 128 is out of range: the message, and the edit stays open with its text.
    focusCell(1, 0);
    type("128");
    ASSERT_TRUE(grid->IsEditing());
    ASSERT_EQ("128", dynamic_cast<CGridEdit*>(grid->GetEditBox())->GetValue().utf8_string());
    sim.Char(WXK_RETURN);
    PumpEvents();
    ASSERT_FALSE(m_messages.m_messages.empty());
    EXPECT_EQ(GetString(IDS_VALUE_RANGE), m_messages.m_messages.back().text);
    EXPECT_EQ(unsigned(MsgExclamation), m_messages.m_messages.back().style);
    EXPECT_TRUE(grid->IsEditing());
    EXPECT_EQ(0, dlg->m_bank.m_arrInstruments[0].byVariation);
    grid->CancelEdit();
    PumpEvents();
    dlg->Destroy();
    PumpEvents();
}

TEST_F(BankInspectorDlgGuiTest, DraggingAColumnBorderLeavesBothColumnsSeventyPixelsWide)
{
    CBankInspectorDlg* dlg = OpenDialog();
    CInspectorGrid* grid = dlg->GetGrid();
    auto* heading = dynamic_cast<wxWindow*>(grid->GetChild(GRID_CHILD_COLHEADING));
    ASSERT_NE(nullptr, heading);
    const wxPoint border = heading->GetScreenRect().GetPosition() + wxPoint(70 - 1, heading->GetSize().y / 2);
    wxUIActionSimulator sim;
    sim.MouseMove(border);
    PumpEvents();
    sim.MouseDown();
    PumpEvents();
    sim.MouseMove(border + wxPoint(25, 0));
    PumpEvents();
    sim.MouseUp();
    PumpEvents();
    EXPECT_EQ(70, grid->GetColumnWidth(0));
    EXPECT_EQ(70, grid->GetColumnWidth(1));
    dlg->Destroy();
    PumpEvents();
}
