// View > Open in Web Browser: enabled while the mapping page is on show; chosen from the menu
// with the keyboard, it hands the browser a copy of the page, outside the private page directory.
#include "app/BrowserCopy.h"
#include "app/BrowserLauncher.h"
#include "app/ShellPaths.h"
#include "res/StringTable.h"
#include "support/TempDir.h"
#include "support/gui/ShellFixture.h"

#include <wx/filesys.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// Records the pages it is asked to open instead of starting a browser.
class CRecordingLauncher : public IBrowserLauncher
{
public:
    bool Launch(const std::string& url) override
    {
        m_urls.push_back(url);
        return m_bSucceeds;
    }
    std::vector<std::string> m_urls;
    bool m_bSucceeds = true;
};

class OpenInBrowserGuiTest : public CShellFixture
{
protected:
    void TearDown() override
    {
        RemoveBrowserCopies();
        CShellFixture::TearDown();
    }
    // Chooses View > Open in Web Browser with the keyboard, as a user does: Alt+V, then W.
    void ChooseFromMenu()
    {
        FocusPage();
        wxUIActionSimulator keys;
        keys.Char('v', wxMOD_ALT);
        PumpEvents();
        keys.Char('w');
        PumpEvents();
    }

    CRecordingLauncher m_launcher;
    CSlot<IBrowserLauncher>::CScope m_useLauncher{BrowserLauncherSlot(), &m_launcher};
};

TEST_F(OpenInBrowserGuiTest, TheBrowserGetsACopyOfTheMappingPageOnShow)
{
    StartShell(MakeBank("demo.94b"));
    ASSERT_TRUE(IsEnabled(CMD_OPEN_IN_BROWSER));
    const fs::path page = Doc()->m_report.m_strOutputPath;

    ChooseFromMenu();
    ASSERT_EQ(m_launcher.m_urls.size(), 1u);
    // A copy: the next launch may move the list.
    const std::string url = m_launcher.m_urls[0];
    ASSERT_EQ(url.rfind("file:///", 0), 0u) << url;
    const fs::path copy = wxFileSystem::URLToFileName(wxString::FromUTF8(url)).GetFullPath().utf8_string();
    EXPECT_NE(copy, page);
    EXPECT_NE(copy.parent_path(), GetTempDirectory());
    EXPECT_EQ(ReadFileText(copy), ReadFileText(page));
    EXPECT_NE(ReadFileText(copy).find("Concert"), std::string::npos);

    // Each choice makes a copy of its own; the program's end removes them.
    ChooseFromMenu();
    ASSERT_EQ(m_launcher.m_urls.size(), 2u);
    EXPECT_NE(m_launcher.m_urls[1], url);
    RemoveBrowserCopies();
    EXPECT_FALSE(fs::exists(copy));
}

TEST_F(OpenInBrowserGuiTest, OnlyTheMappingPageCanBeOpened)
{
    StartShell();
    EXPECT_FALSE(IsEnabled(CMD_OPEN_IN_BROWSER));
    ChooseFromMenu();
    EXPECT_TRUE(m_launcher.m_urls.empty());

    m_manager->CreateDocument(wxString::FromUTF8(MakeBank("demo.94b")), wxDOC_SILENT);
    PumpEvents();
    EXPECT_TRUE(IsEnabled(CMD_OPEN_IN_BROWSER));
    wxCommandEvent help(wxEVT_MENU, CMD_HELP_ENGLISH);
    m_frame->OnHelpEnglish(help);
    PumpEvents();
    EXPECT_FALSE(IsEnabled(CMD_OPEN_IN_BROWSER));
    ChooseFromMenu();
    EXPECT_TRUE(m_launcher.m_urls.empty());
    ASSERT_TRUE(View()->Back());
    PumpEvents();
    EXPECT_TRUE(IsEnabled(CMD_OPEN_IN_BROWSER));
}

TEST_F(OpenInBrowserGuiTest, ABrowserThatCannotStartIsReported)
{
    StartShell(MakeBank("demo.94b"));
    m_launcher.m_bSucceeds = false;
    wxTEST_DIALOG(ChooseFromMenu(), ExpectMessage(GetString(IDS_BROWSER_CANTSTART)));
    EXPECT_EQ(m_launcher.m_urls.size(), 1u);
}

// The desktop's own launcher: an xdg-open that finds no browser ends with its status 3 only after
// the menu command has returned, and the user is still told.
TEST_F(OpenInBrowserGuiTest, AnXdgOpenWithoutABrowserIsReportedWhenItEnds)
{
    CTempDir bin;
    const fs::path script = bin.Path() / "xdg-open";
    std::ofstream(script) << "#!/bin/sh\necho >\"$0.ran\"\nexit 3\n";
    fs::permissions(script, fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", bin.Path().c_str(), 1);
    CSlot<IBrowserLauncher>::CScope builtIn(BrowserLauncherSlot(), nullptr);

    StartShell(MakeBank("demo.94b"));
    wxTEST_DIALOG(
        {
            ChooseFromMenu();
            // The message comes when the launcher's process has ended and its end is seen.
            for (int i = 0; i < 300 && !fs::exists(bin.Path() / "xdg-open.ran"); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            for (int i = 0; i < 100; ++i)
            {
                PumpEvents();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        },
        ExpectMessage(GetString(IDS_BROWSER_CANTSTART)));
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_TRUE(fs::exists(bin.Path() / "xdg-open.ran"));
}
} // namespace
