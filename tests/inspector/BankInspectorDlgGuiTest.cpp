// The bank inspector dialog on a real bank: what it shows after initialisation, and OK and
// Cancel clicked with real mouse events, checked on the bytes on disk.
#include "inspector/BankInspectorDlg.h"
#include "inspector/InspectorGrid.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
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
    int ClickInModalDialog(CBankInspectorDlg& dlg, int buttonId)
    {
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { dlg.EndModal(wxID_ABORT); });
        guard.StartOnce(10000);
        dlg.CallAfter(
            [&dlg, buttonId]
            {
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

TEST_F(BankInspectorDlgGuiTest, ShowsTheBankAndItsInstrumentsAndIsSavedAsAPicture)
{
    auto* dlg = new CBankInspectorDlg(nullptr);
    dlg->m_strFilePath = m_path;
    dlg->Show();
    dlg->InitDialog();
    PumpEvents();
    EXPECT_EQ("Old", Text(dlg, CBankInspectorDlg::IDC_BANKNAME));
    EXPECT_EQ("127", Text(dlg, CBankInspectorDlg::IDC_PRIORITY)); // 300 as the spinner holds it
    EXPECT_EQ("3", Text(dlg, CBankInspectorDlg::IDC_NUMINSTRUMENTS));
    EXPECT_EQ("2", Text(dlg, CBankInspectorDlg::IDC_NUMDRUMSETS));
    EXPECT_TRUE(Child<wxRadioButton>(dlg, CBankInspectorDlg::IDC_INSTRUMENTS)->GetValue());
    CInspectorGrid* grid = dlg->GetGrid();
    EXPECT_EQ(6, grid->GetRowCount());
    EXPECT_EQ(CBankInspectorDlg::IDC_GRID, grid->GetId());
    EXPECT_EQ(nullptr, dlg->FindWindow("Here is the grid")); // the placeholder became the grid
    EXPECT_EQ("", grid->Table().GetCellText(0, 3));

    dlg->Raise();
    wxMilliSleep(200);
    PumpEvents();
    const wxRect rect = dlg->GetScreenRect();
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxScreenDC screen;
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    EXPECT_TRUE(bitmap.ConvertToImage().SaveFile(ORVANE_BIN_DIR "/../orvane-inspector.png", wxBITMAP_TYPE_PNG));
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
        dlg.CallAfter(
            [&dlg]
            {
                dlg.GetGrid()->Table().SetCellText(0, 1, "42");
                dlg.OnInspectorEdited(0, 1);
            });
        EXPECT_EQ(wxID_OK, ClickInModalDialog(dlg, wxID_OK));
    }
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path + ".bak"));
    CSoundBank after;
    ASSERT_EQ(1, after.Load(m_path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
    EXPECT_EQ(127, after.m_wPriority);
    EXPECT_EQ(42, after.m_arrInstruments[1].wProgram);
    EXPECT_TRUE(m_messages.Texts().empty());
}
