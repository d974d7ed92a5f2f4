// The bank inspector under test as a user meets it: a bank on disk, the dialog run modally, and
// a script inside its loop that clicks and types through the X server.
#pragma once

#include "inspector/BankInspectorDlg.h"
#include "inspector/InspectorGrid.h"
#include "grid/GridChild.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "res/StringTable.h"
#include "support/TempDir.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>
#include <memory>

class CInspectorGuiFixture : public ::testing::Test
{
protected:
    // What RunDialog returns for a dialog the script left open.
    static constexpr int kStillOpen = wxID_ABORT;

    void SetUp() override
    {
        WriteBank(CBankBuilder().Prio("Old", 64).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2)));
    }
    void WriteBank(const CBankBuilder& bank)
    {
        m_bank = bank;
        m_path = (m_dir / "X.94B").string();
        m_bank.WriteTo(m_path);
    }

    // Shows the dialog modally and runs script from inside its loop; a dialog still open
    // afterwards is ended with kStillOpen. A guard ends a dialog that never returns.
    int RunDialog(const std::function<void(CBankInspectorDlg&)>& script, const std::string& path = "")
    {
        CBankInspectorDlg dlg(nullptr);
        dlg.m_strFilePath = path.empty() ? m_path : path;
        dlg.m_strMidiPort = m_strMidiPort;
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { dlg.EndModal(wxID_CANCEL); });
        guard.StartOnce(30000);
        dlg.CallAfter(
            [&]
            {
                dlg.Raise();
                Settle(20);
                script(dlg);
                Settle();
                if (dlg.IsModal())
                    dlg.EndModal(kStillOpen);
            });
        return dlg.ShowModal();
    }

    // Lets the X server's replies and the dialog's own work arrive.
    static void Settle(int nRounds = 8)
    {
        for (int i = 0; i < nRounds; ++i)
        {
            wxYield();
            wxTheApp->ProcessIdle();
            wxMilliSleep(15);
        }
    }
    // Lets events in until done() holds, for at most about three seconds: for what arrives from
    // the X server when it arrives, as a pasted text does.
    template <class DONE> static bool SettleUntil(DONE done)
    {
        for (int i = 0; i < 200 && !done(); ++i)
            Settle(1);
        return done();
    }
    void ClickAt(const wxPoint& screen, bool bDouble = false)
    {
        m_sim.MouseMove(screen);
        Settle(3);
        if (bDouble)
            m_sim.MouseDblClick();
        else
            m_sim.MouseClick();
        Settle();
    }
    void Click(wxWindow* window, bool bDouble = false)
    {
        ASSERT_NE(nullptr, window);
        ClickAt(window->GetScreenRect().GetPosition() + window->GetClientSize() / 2, bDouble);
    }
    void Click(CBankInspectorDlg& dlg, int id, bool bDouble = false) { Click(dlg.FindWindow(id), bDouble); }
    wxWindow* Cells(CBankInspectorDlg& dlg) const
    {
        return dynamic_cast<wxWindow*>(dlg.GetGrid()->GetChild(GRID_CHILD_CELLS));
    }
    void ClickCell(CBankInspectorDlg& dlg, int nCol, long nRow, bool bDouble = false)
    {
        GRIDRECT rc;
        dlg.GetGrid()->GetCellBounds(nCol, nRow, &rc);
        ClickAt(Cells(dlg)->ClientToScreen(wxPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2)), bDouble);
    }
    // Types at a person's pace, one key at a time.
    void Type(const char* text)
    {
        for (const char* p = text; *p; ++p)
        {
            m_sim.Text(std::string(1, *p).c_str());
            Settle(3);
        }
        Settle();
    }
    void Key(int key, int modifiers = wxMOD_NONE)
    {
        m_sim.Char(key, modifiers);
        Settle();
    }
    // A text field's whole text replaced by typing.
    void TypeInto(CBankInspectorDlg& dlg, int id, const char* text)
    {
        Click(dlg, id);
        Key('a', wxMOD_CONTROL);
        Type(text);
    }

    // What a text field or a label shows.
    static std::string Text(CBankInspectorDlg& dlg, int id)
    {
        wxWindow* window = dlg.FindWindow(id);
        if (auto* edit = dynamic_cast<wxTextCtrl*>(window))
            return edit->GetValue().utf8_string();
        return window ? window->GetLabel().utf8_string() : "?";
    }
    std::string CellText(CBankInspectorDlg& dlg, int nCol, long nRow) const
    {
        return dlg.GetGrid()->Table().GetCellText(nCol, nRow);
    }
    // The bank as the file holds it now.
    std::unique_ptr<CSoundBank> Saved() const
    {
        auto bank = std::make_unique<CSoundBank>();
        EXPECT_EQ(1, bank->Load(m_path, REPAIRPOLICY{REPAIRPOLICY::Never, false}));
        return bank;
    }
    size_t RangeMessages() const
    {
        size_t n = 0;
        for (const RecordedMessage& message : m_messages.m_messages)
            n += message.text == GetString(IDS_VALUE_RANGE);
        return n;
    }

    CTempDir m_dir;
    CBankBuilder m_bank;
    // The MIDI output the dialog is given, as Options would ("" for none).
    std::string m_strMidiPort;
    std::string m_path;
    CMessageRecorder m_messages{AnswerOk};
    wxUIActionSimulator m_sim;
};
