// The set page as a page: Save As writes it, Open in Web Browser hands a copy to the browser,
// Export to Zip packs it with every bank under unique names that its links follow, a folder's set
// goes on the recent-file list and opens from it again, and the tool bar's Back and the caption.
#include "app/BrowserLauncher.h"
#include "support/BankBuilder.h"
#include "support/gui/ShellFixture.h"
#include "zipexport/ZipReader.h"

#include <wx/filedlg.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

namespace
{
bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class RecordingLauncher : public IBrowserLauncher
{
public:
    bool Launch(const std::string& url) override
    {
        m_urls.push_back(url);
        return true;
    }
    std::vector<std::string> m_urls;
};

class BankSetPageGuiTest : public CShellFixture
{
protected:
    std::string MakeSetBank(const std::string& file, const std::string& name, uint16_t priority)
    {
        CBankBuilder bank;
        BankEntry piano;
        bank.Prio(name, priority).Imap({piano}, {});
        std::filesystem::create_directories((m_dir / file).parent_path());
        bank.WriteTo(m_dir / file);
        return (m_dir / file).string();
    }
    std::string Caption() const { return m_frame->GetLabel().utf8_string(); }
    void Settle()
    {
        for (int i = 0; i < 5; ++i)
        {
            PumpEvents();
            wxMilliSleep(10);
        }
    }
    wxUIActionSimulator m_keys;
};
} // namespace

TEST_F(BankSetPageGuiTest, SaveAsAndOpenInWebBrowserWorkOnTheSetPage)
{
    RecordingLauncher launcher;
    CSlot<IBrowserLauncher>::CScope useLauncher(BrowserLauncherSlot(), &launcher);
    StartShell();
    const std::string alpha = MakeSetBank("alpha.94b", "Alpha", 10);
    const std::string beta = MakeSetBank("beta.94b", "Beta", 20);
    ASSERT_TRUE(m_frame->OpenBankSet({alpha, beta}));
    FocusPage();
    EXPECT_TRUE(IsEnabled(wxID_SAVEAS));
    EXPECT_TRUE(IsEnabled(CMD_OPEN_IN_BROWSER));
    EXPECT_TRUE(IsEnabled(CMD_EXPORTZIP));
    EXPECT_TRUE(IsEnabled(wxID_PRINT));

    const std::string saved = (m_dir / "saved").string();
    wxTEST_DIALOG(m_keys.Char('s', wxMOD_CONTROL); Settle(), wxExpectModal<wxFileDialog>(wxString::FromUTF8(saved)));
    const std::string page = ReadFileText(saved + ".htm");
    EXPECT_TRUE(Contains(page, "Alpha")) << page;
    EXPECT_TRUE(Contains(page, "Beta"));

    // A bank's file is never written over by the page.
    wxTEST_DIALOG(m_keys.Char('s', wxMOD_CONTROL);
                  Settle(), wxExpectModal<wxFileDialog>(wxString::FromUTF8(alpha)),
                  ExpectMessage("The page was not saved: " + alpha + " is the open soundbank."));
    EXPECT_FALSE(ReadFileText(alpha).empty());

    wxCommandEvent browse(wxEVT_MENU, CMD_OPEN_IN_BROWSER);
    m_frame->ProcessWindowEvent(browse);
    ASSERT_EQ(1u, launcher.m_urls.size());
    EXPECT_TRUE(Contains(launcher.m_urls[0], ".html")) << launcher.m_urls[0];
}

TEST_F(BankSetPageGuiTest, ExportToZipPacksThePageAndEveryBankUnderUniqueNamesItsLinksFollow)
{
    StartShell();
    const std::string first = MakeSetBank("one/piano.94b", "First", 10);
    const std::string second = MakeSetBank("two/PIANO.94b", "Second", 20);
    ASSERT_TRUE(m_frame->OpenBankSet({first, second}));
    FocusPage();
    const std::string archive = (m_dir / "set").string();
    wxCommandEvent exportZip(wxEVT_MENU, CMD_EXPORTZIP);
    wxTEST_DIALOG(m_frame->ProcessWindowEvent(exportZip), wxExpectModal<wxFileDialog>(wxString::FromUTF8(archive)));
    std::string error;
    const std::vector<ZipEntry> entries = ReadZipEntries(archive + ".zip", error);
    // Then the pictures the page shows.
    ASSERT_LE(3u, entries.size()) << error;
    EXPECT_EQ("bankset.html", entries[0].name);
    EXPECT_EQ("piano.94b", entries[1].name);
    EXPECT_EQ("PIANO-2.94b", entries[2].name);
    EXPECT_EQ(ReadFileBytes(second), entries[2].bytes);
    const std::string page(entries[0].bytes.begin(), entries[0].bytes.end());
    EXPECT_TRUE(Contains(page, "href=\"piano.94b\"")) << page;
    EXPECT_TRUE(Contains(page, "href=\"PIANO-2.94b\""));
    EXPECT_FALSE(Contains(page, "file://"));
}

TEST_F(BankSetPageGuiTest, AFolderSetGoesOnTheRecentListAndOpensFromItAgain)
{
    StartShell();
    const std::string alpha = MakeSetBank("set/alpha.94b", "Alpha", 10);
    MakeSetBank("set/beta.94b", "Beta", 20);
    const std::string single = MakeSetBank("single.94b", "Single", 1);
    // Chosen banks have no one name to list.
    ASSERT_TRUE(m_frame->OpenBankSet({alpha, single}));
    EXPECT_EQ(0u, m_manager->GetFileHistory()->GetCount());

    ASSERT_TRUE(m_frame->OpenBankSet({(m_dir / "set").string()}));
    ASSERT_EQ(1u, m_manager->GetFileHistory()->GetCount());
    EXPECT_EQ((m_dir / "set").string(), m_manager->GetFileHistory()->GetHistoryFile(0).utf8_string());
    Settle();
    EXPECT_TRUE(Contains(Caption(), "Bank set: set")) << Caption();

    m_manager->CreateDocument(wxString::FromUTF8(single), wxDOC_SILENT);
    Settle();
    EXPECT_TRUE(Contains(View()->GetLocation(), "midimap.html"));
    EXPECT_TRUE(Contains(Caption(), "single.94b")) << Caption();
    // The folder is second now; choosing it from the menu opens the set again.
    ASSERT_EQ(2u, m_manager->GetFileHistory()->GetCount());
    wxCommandEvent recent(wxEVT_MENU, m_manager->GetFileHistory()->GetBaseId() + 1);
    m_frame->ProcessWindowEvent(recent);
    Settle();
    EXPECT_TRUE(Contains(View()->GetLocation(), "bankset.html")) << View()->GetLocation();
    EXPECT_EQ(2u, View()->GetBankSet().GetSet().GetBanks().size());
}

TEST_F(BankSetPageGuiTest, TheToolBarsBackReturnsToTheSetAndTheCaptionNamesIt)
{
    StartShell();
    EXPECT_FALSE(IsEnabled(CMD_BACK));
    const std::string alpha = MakeSetBank("alpha.94b", "Alpha", 10);
    const std::string beta = MakeSetBank("beta.94b", "Beta", 20);
    const std::string gamma = MakeSetBank("gamma.94b", "Gamma", 30);
    ASSERT_TRUE(m_frame->OpenBankSet({alpha, beta, gamma}));
    Settle();
    EXPECT_TRUE(Contains(Caption(), "Bank set: 3 banks")) << Caption();
    wxToolBar* bar = m_frame->GetToolBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ("Back", bar->GetToolShortHelp(CMD_BACK).utf8_string());

    m_manager->CreateDocument(wxString::FromUTF8(beta), wxDOC_SILENT);
    Settle();
    EXPECT_TRUE(Contains(Caption(), "beta.94b")) << Caption();

    // Back is the tool bar's first tool: a click at its left end.
    m_frame->Raise();
    Settle();
    m_keys.MouseMove(bar->ClientToScreen(wxPoint(bar->GetToolBitmapSize().GetWidth() / 2 + 4, bar->GetSize().y / 2)));
    Settle();
    m_keys.MouseClick();
    Settle();
    EXPECT_TRUE(Contains(View()->GetLocation(), "bankset.html")) << View()->GetLocation();
    EXPECT_TRUE(Contains(Caption(), "Bank set: 3 banks")) << Caption();
}
