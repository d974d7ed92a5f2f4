// A running desktop shell for window tests: document manager, main frame and document, with the
// settings file, the user's configuration directory and the banks in a fresh temporary folder.
#pragma once

#include "app/MainFrame.h"
#include "app/OrvaneDoc.h"
#include "app/OrvaneShell.h"
#include "app/OrvaneView.h"
#include "app/Settings.h"
#include "app/WxMessageSink.h"
#include "journal/BankJournal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <wx/config.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <memory>
#include <string>
#include <vector>

class CShellFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the shell as the program does, with file on the command line ("" for none).
    void StartShell(const std::string& file = "");
    // Closes the main window as the user does (settings saved) and lets wx delete it.
    void CloseShell();

    COrvaneDoc* Doc() const { return FindDocument(); }
    COrvaneView* View() const { return Doc() ? Doc()->GetOrvaneView() : nullptr; }
    // Raises the main window and puts the focus on the page, where a user's keys go.
    void FocusPage();
    // Whether the frame enables the command now, as its menus and tool bar would show it.
    bool IsEnabled(int id) const;
    // Clicks the page's link to href with the mouse, as a user does; false when the page on show
    // has no such link.
    bool ClickPageLink(const std::string& href);
    // Writes a bank named name with a few entries and returns its path.
    std::string MakeBank(const std::string& fileName, const std::string& name = "Concert") const;
    std::string SettingsPath() const { return (m_dir / "qzr.opt").string(); }
    std::string UserSettingsPath() const { return (m_dir / "config" / "orvane" / "qzr.opt").string(); }

    CTempDir m_dir;
    CSettings m_settings;
    std::unique_ptr<COrvaneDocManager> m_manager;
    CMainFrame* m_frame = nullptr;
    std::string m_strSettingsPath;
    // The change journal of the shell's banks lives in the test's folder.
    JOURNALPLACE m_journalPlace{m_dir.Path() / "state" / "orvane"};
    CSlot<JOURNALPLACE>::CScope m_useJournalPlace{JournalPlaceSlot(), &m_journalPlace};

private:
    CWxMessageSink m_sink;
    CSlot<IMessageSink>::CScope m_useSink{MessageSinkSlot(), &m_sink};
    std::string m_strOldXdg;
    // The configuration in force before the test; one a failed test left set is taken back.
    wxConfigBase* m_pConfigBefore = nullptr;
    bool m_bHadXdg = false;
};

// Expects one message box with exactly this text, caption and icon, and answers it.
class ExpectMessage : public wxExpectModal<wxMessageDialog>
{
public:
    ExpectMessage(const std::string& text, const std::string& caption = "Orvane", long icon = wxICON_ERROR,
                  int answer = wxID_OK)
        : wxExpectModal<wxMessageDialog>(answer), m_text(text), m_caption(caption), m_icon(icon)
    {
    }

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetMessage().utf8_string(), m_text);
        EXPECT_EQ(dlg->GetTitle().utf8_string(), m_caption);
        EXPECT_EQ(dlg->GetMessageDialogStyle() & wxICON_MASK, m_icon);
        return wxExpectModal<wxMessageDialog>::OnInvoked(dlg);
    }

private:
    std::string m_text;
    std::string m_caption;
    long m_icon;
};

// Lets pending window work (layout, painting, deletions) happen.
void PumpEvents();
