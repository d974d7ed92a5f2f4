// The desktop shell end to end: start-up with and without a bank, the report commands' enabling,
// help pages and Back, opening files that are not banks, Save As, the settings file at close,
// Backspace, and files dropped on the view and on the frame's bars.
#include "support/gui/ShellFixture.h"

#include "report/PageText.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"
#include "support/TempDir.h"

#include <wx/fileconf.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
const int kReportCommands[] = {CMD_BANKINSPECTOR, CMD_EXPORTZIP, wxID_SAVE, wxID_SAVEAS};

wxArrayString Files(std::initializer_list<std::string> paths)
{
    wxArrayString files;
    for (const std::string& p : paths)
        files.push_back(wxString::FromUTF8(p));
    return files;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Expects the save dialog with the given suggestion and answers it with answerPath.
class ExpectSaveDialog : public wxExpectModal<wxFileDialog>
{
public:
    ExpectSaveDialog(const std::string& dir, const std::string& name, const std::string& answerPath)
        : wxExpectModal<wxFileDialog>(wxString::FromUTF8(answerPath)), m_dir(dir), m_name(name)
    {
    }

protected:
    int OnInvoked(wxFileDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetMessage(), "Save As");
        EXPECT_TRUE(dlg->HasFlag(wxFD_SAVE));
        EXPECT_TRUE(dlg->HasFlag(wxFD_OVERWRITE_PROMPT));
        EXPECT_EQ(dlg->GetDirectory().utf8_string(), m_dir);
        EXPECT_EQ(dlg->GetFilename().utf8_string(), m_name);
        EXPECT_EQ(dlg->GetWildcard(), "HTML files (*.htm)|*.htm");
        return wxExpectModal<wxFileDialog>::OnInvoked(dlg);
    }

private:
    std::string m_dir;
    std::string m_name;
};

class ShellGuiTest : public CShellFixture
{
protected:
    void ExpectReportCommands(bool enabled)
    {
        for (int id : kReportCommands)
            EXPECT_EQ(IsEnabled(id), enabled) << "command " << id;
    }
    std::string BankPath() const { return Doc()->m_report.m_strBankPath; }
};

TEST_F(ShellGuiTest, StartWithoutBankShowsNoBankPageWithReportCommandsOff)
{
    StartShell();
    ASSERT_NE(View(), nullptr);
    EXPECT_TRUE(Contains(View()->GetLocation(), "NoBank.html"));
    EXPECT_EQ(m_frame->GetTitle(), "Untitled - Vorn Orvane");
    EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), "Ready");
    EXPECT_EQ(IsReportShown(), 0);
    ExpectReportCommands(false);
    for (int id : {int(CMD_OPTIONS), int(CMD_HELP_FRENCH), int(CMD_HELP_ENGLISH), int(wxID_NEW), int(wxID_OPEN)})
        EXPECT_TRUE(IsEnabled(id)) << id;
    for (int id : {int(wxID_CUT), int(wxID_COPY), int(wxID_PASTE)})
        EXPECT_FALSE(IsEnabled(id)) << id;

    // The tool bar shows the same state once it is updated.
    m_frame->GetToolBar()->UpdateWindowUI();
    EXPECT_FALSE(m_frame->GetToolBar()->GetToolEnabled(wxID_SAVE));
    EXPECT_FALSE(m_frame->GetToolBar()->GetToolEnabled(CMD_BANKINSPECTOR));
    EXPECT_TRUE(m_frame->GetToolBar()->GetToolEnabled(CMD_OPTIONS));

    // Save with no bank does nothing, shows nothing and reports success.
    wxTestingModalHook hook(__FILE__, __LINE__, __func__);
    EXPECT_TRUE(Doc()->Save());
    EXPECT_TRUE(Doc()->SaveAs());
    hook.CheckUnmetExpectations();
}

TEST_F(ShellGuiTest, StartWithBankShowsItsPageAndHelpAndBackSwitchTheCommands)
{
    std::string bank = MakeBank("demo.94b");
    StartShell(bank);
    EXPECT_EQ(BankPath(), bank);
    EXPECT_TRUE(Contains(View()->GetLocation(), "/midimap.html"));
    EXPECT_EQ(m_frame->GetTitle(), "demo.94b - Vorn Orvane");
    EXPECT_TRUE(Contains(ReadFileText(Doc()->m_report.m_strOutputPath), "Concert"));
    ExpectReportCommands(true);

    // The page lives in the user's private temporary directory.
    fs::path pageDir = fs::path(Doc()->m_report.m_strOutputPath).parent_path();
    EXPECT_EQ(fs::status(pageDir).permissions() & fs::perms::all, fs::perms::owner_all);

    wxCommandEvent help(wxEVT_MENU, CMD_HELP_ENGLISH);
    m_frame->OnHelpEnglish(help);
    EXPECT_TRUE(Contains(View()->GetLocation(), "help/help_eng.html"));
    ExpectReportCommands(false);
    EXPECT_EQ(BankPath(), bank);

    EXPECT_TRUE(View()->Back());
    EXPECT_TRUE(Contains(View()->GetLocation(), "midimap.html"));
    ExpectReportCommands(true);

    m_frame->OnHelpFrench(help);
    EXPECT_TRUE(Contains(View()->GetLocation(), "help/help_fr.html"));

    // New empties the bank and shows the start page again.
    m_manager->CreateDocument(wxString(), wxDOC_NEW);
    EXPECT_EQ(BankPath(), "");
    EXPECT_TRUE(Contains(View()->GetLocation(), "NoBank.html"));
    ExpectReportCommands(false);
}

TEST_F(ShellGuiTest, StartWithBankShowsItsPageWithoutTheStartPageBeforeIt)
{
    StartShell(MakeBank("demo.94b"));
    EXPECT_TRUE(Contains(View()->GetLocation(), "/midimap.html"));
    EXPECT_FALSE(View()->Back());
    EXPECT_TRUE(Contains(View()->GetLocation(), "/midimap.html"));
}

TEST_F(ShellGuiTest, StartWithAFileThatCannotBeOpenedShowsTheStartPage)
{
    fs::create_directory(m_dir / "folder.94b");
    wxTEST_DIALOG(StartShell((m_dir / "folder.94b").string()), ExpectMessage(GetString(IDS_CANTOPENFILE)));
    ASSERT_NE(View(), nullptr);
    EXPECT_TRUE(Contains(View()->GetLocation(), "NoBank.html"));
    EXPECT_EQ(m_frame->GetTitle(), "Untitled - Vorn Orvane");
    EXPECT_EQ(BankPath(), "");
}

TEST_F(ShellGuiTest, NonBankFileOpensWithItsMessageAndAPageWithoutRows)
{
    StartShell();
    fs::path text = m_dir / "notes.txt";
    WriteFileText(text, "just some text, no chunks here\n");
    wxTEST_DIALOG(m_manager->CreateDocument(wxString::FromUTF8(text.string()), wxDOC_SILENT),
                  ExpectMessage(GetString(IDS_NOPRIOCHUNK)));
    EXPECT_EQ(BankPath(), text.string());
    std::string page = ReadFileText(Doc()->m_report.m_strOutputPath);
    EXPECT_TRUE(Contains(page, "MIDI mappings"));
    EXPECT_FALSE(Contains(page, "Instruments"));
    // It was not read as a bank, so it is not offered again in the recent-file list.
    EXPECT_EQ(m_manager->GetFileHistory()->GetCount(), 0u);
}

TEST_F(ShellGuiTest, FileThatCannotBeOpenedKeepsTheOpenBank)
{
    std::string bank = MakeBank("demo.94b");
    StartShell(bank);
    std::string location = View()->GetLocation();
    fs::create_directory(m_dir / "folder.94b");
    wxTEST_DIALOG(EXPECT_EQ(m_manager->CreateDocument(wxString::FromUTF8((m_dir / "folder.94b").string()),
                                                      wxDOC_SILENT),
                            nullptr),
                  ExpectMessage(GetString(IDS_CANTOPENFILE)));
    EXPECT_EQ(BankPath(), bank);
    EXPECT_EQ(View()->GetLocation(), location);
    EXPECT_EQ(m_frame->GetTitle(), "demo.94b - Vorn Orvane");
}

TEST_F(ShellGuiTest, SaveAndSaveAsSuggestTheNameUpToTheFirstDotAndCopyThePage)
{
    fs::create_directory(m_dir / "My.Banks");
    std::string bank = MakeBank("My.Banks/piano.94b");
    StartShell(bank);
    std::string answer = (m_dir / "out").string();
    wxTEST_DIALOG(EXPECT_TRUE(Doc()->SaveAs()), ExpectSaveDialog(m_dir.Path().string(), "My", answer));
    // The page on show, naming its logo (now beside the saved page) relatively.
    std::string page = ReadFileText(Doc()->m_report.m_strOutputPath);
    ReplaceAll(page, GetProgramDirectory() + "orvane-logo.png", "orvane-logo.png");
    EXPECT_EQ(ReadFileText(answer + ".htm"), page);

    // Save shows the same dialog; an existing "<name>.htm" is only replaced when the user agrees.
    WriteFileText(answer + ".htm", "keep me");
    wxTEST_DIALOG(EXPECT_TRUE(Doc()->Save()), ExpectSaveDialog(m_dir.Path().string(), "My", answer),
                  ExpectMessage(answer + ".htm already exists.\nDo you want to replace it?", "Orvane",
                                wxICON_QUESTION, wxID_NO));
    EXPECT_EQ(ReadFileText(answer + ".htm"), "keep me");

    // A plain bank name gives the bank's path without extension; cancel copies nothing.
    std::string plain = MakeBank("piano.94b");
    m_manager->CreateDocument(wxString::FromUTF8(plain), wxDOC_SILENT);
    wxTEST_DIALOG(EXPECT_TRUE(Doc()->SaveAs()),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8((m_dir / "x.htm").string()), wxID_CANCEL));
    EXPECT_FALSE(fs::exists(m_dir / "x.htm"));
    wxTEST_DIALOG(Doc()->SaveAs(), ExpectSaveDialog(m_dir.Path().string(), "piano", (m_dir / "p.html").string()));
    EXPECT_TRUE(fs::exists(m_dir / "p.html"));
    EXPECT_FALSE(fs::exists(m_dir / "p.html.htm"));
}

TEST_F(ShellGuiTest, CloseWritesTheSettingsOfTheDocument)
{
    StartShell();
    ASSERT_FALSE(fs::exists(SettingsPath()));
    CloseShell();
    EXPECT_EQ(ReadFileBytes(SettingsPath()), (std::vector<unsigned char>{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0,
                                                                         0, 0, 0, 0, 0}));

    // The next start reads them back into the document; changes are written at close.
    StartShell(MakeBank("demo.94b"));
    Doc()->m_report.m_crText = 0x00112233;
    m_settings.m_bKeepBackup = 1;
    m_settings.m_bAutoRemoveTtma = 1;
    CloseShell();
    std::vector<unsigned char> bytes = ReadFileBytes(SettingsPath());
    ASSERT_EQ(bytes.size(), 17u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4),
              (std::vector<unsigned char>{0x33, 0x22, 0x11, 0x00}));
    EXPECT_EQ(std::vector<unsigned char>(bytes.end() - 8, bytes.end()),
              (std::vector<unsigned char>{1, 0, 0, 0, 1, 0, 0, 0}));

    m_settings = CSettings();
    StartShell();
    EXPECT_EQ(Doc()->m_report.m_crText, 0x00112233u);
    EXPECT_EQ(m_settings.m_bKeepBackup, 1);
}

TEST_F(ShellGuiTest, UnwritableProgramDirectorySendsTheSettingsToTheUserDirectory)
{
    m_strSettingsPath = (m_dir / "missing-dir" / "qzr.opt").string();
    StartShell();
    Doc()->m_report.m_crBackground = 0x00445566;
    CloseShell();
    EXPECT_FALSE(fs::exists(m_strSettingsPath));
    ASSERT_TRUE(fs::exists(UserSettingsPath()));
    EXPECT_EQ(ReadFileBytes(UserSettingsPath()).size(), 17u);

    // Read back from there on the next start.
    m_settings = CSettings();
    StartShell();
    EXPECT_EQ(Doc()->m_report.m_crBackground, 0x00445566u);
}

// Real key presses on a help page: one Backspace stays on the page; a held Backspace (its
// repeated presses before the key comes up) goes back.
TEST_F(ShellGuiTest, SingleBackspaceTypedIntoThePageIsSwallowedHeldBackspaceGoesBack)
{
    StartShell(MakeBank("demo.94b"));
    wxCommandEvent help(wxEVT_MENU, CMD_HELP_ENGLISH);
    m_frame->OnHelpEnglish(help);
    m_frame->Raise();
    PumpEvents();
    CBrowserWindow* browser = View()->GetBrowser();
    wxUIActionSimulator sim;
    sim.MouseMove(browser->GetScreenRect().GetPosition() + wxPoint(40, 40));
    PumpEvents();
    sim.MouseClick();
    browser->SetFocus();
    PumpEvents();

    for (int i = 0; i < 2; ++i)
    {
        sim.Char(WXK_BACK);
        PumpEvents();
        EXPECT_TRUE(Contains(View()->GetLocation(), "help/help_eng.html")) << "press " << i;
    }

    // Held past the keyboard's repeat delay, the key sends its repeated presses.
    sim.KeyDown(WXK_BACK);
    PumpEvents();
    EXPECT_TRUE(Contains(View()->GetLocation(), "help/help_eng.html"));
    for (int i = 0; i < 30 && Contains(View()->GetLocation(), "help/help_eng.html"); ++i)
    {
        wxMilliSleep(50);
        PumpEvents();
    }
    sim.KeyUp(WXK_BACK);
    PumpEvents();
    // Each repeated press goes back one page: to the mapping page, or on to the start page.
    std::string location = View()->GetLocation();
    EXPECT_TRUE(Contains(location, "midimap.html") || Contains(location, "NoBank.html")) << location;

    // The pointer leaves the windows that later tests put on the screen.
    wxSize screen = wxGetDisplaySize();
    sim.MouseMove(screen.x - 1, screen.y - 1);
    PumpEvents();
}

TEST_F(ShellGuiTest, DropOnTheViewOpensOneFileAndResolvesShortcuts)
{
    StartShell();
    std::string a = MakeBank("a.94b", "BankA"), b = MakeBank("b.94b", "BankB"), c = MakeBank("c.94b", "BankC");
    EXPECT_TRUE(View()->OnDropFiles(Files({a})));
    EXPECT_EQ(BankPath(), a);
    EXPECT_EQ(m_manager->GetFileHistory()->GetCount(), 1u);

    // A symbolic link opens its target, and the recent-file list names the target.
    fs::create_symlink(b, m_dir / "link-to-b.94b");
    EXPECT_TRUE(View()->OnDropFiles(Files({(m_dir / "link-to-b.94b").string()})));
    EXPECT_EQ(BankPath(), b);
    EXPECT_EQ(m_manager->GetFileHistory()->GetHistoryFile(0).utf8_string(), b);

    // A desktop link with a file: URL opens the file it names.
    WriteFileText(m_dir / "c.desktop", "[Desktop Entry]\nType=Link\nName=C\nURL=file://" + c + "\n");
    EXPECT_TRUE(View()->OnDropFiles(Files({(m_dir / "c.desktop").string()})));
    EXPECT_EQ(BankPath(), c);

    // A folder, a link to a folder and a dead link do nothing, without a message.
    fs::create_directory(m_dir / "folder");
    fs::create_directory_symlink(m_dir / "folder", m_dir / "link-to-folder");
    fs::create_symlink(m_dir / "gone.94b", m_dir / "dead-link.94b");
    wxTestingModalHook hook(__FILE__, __LINE__, __func__);
    for (const char* name : {"folder", "link-to-folder", "dead-link.94b"})
        EXPECT_FALSE(View()->OnDropFiles(Files({(m_dir / name).string()}))) << name;
    hook.CheckUnmetExpectations();
    EXPECT_EQ(BankPath(), c);
}

TEST_F(ShellGuiTest, DropOnTheFrameOpensEveryFileInTurn)
{
    StartShell();
    std::string a = MakeBank("a.94b", "BankA"), b = MakeBank("b.94b", "BankB");
    m_frame->OnDropFiles(Files({a, b}));
    EXPECT_EQ(BankPath(), b);
    ASSERT_EQ(m_manager->GetFileHistory()->GetCount(), 2u);
    EXPECT_EQ(m_manager->GetFileHistory()->GetHistoryFile(0).utf8_string(), b);
    EXPECT_EQ(m_manager->GetFileHistory()->GetHistoryFile(1).utf8_string(), a);
}

// Where the recent-file list begins in the File menu: below Print Setup and its separator.
size_t RecentTop(wxMenu* file)
{
    size_t pos = 0;
    file->FindChildItem(wxID_PRINT_SETUP, &pos);
    return pos + 2;
}

TEST_F(ShellGuiTest, RecentFileListKeepsFourEntriesAboveExit)
{
    StartShell();
    wxMenu* file = m_frame->GetMenuBar()->GetMenu(0);
    const size_t top = RecentTop(file);
    EXPECT_EQ(file->FindItemByPosition(top)->GetItemLabelText(), "Recent File");
    EXPECT_FALSE(file->IsEnabled(CMD_RECENT_FILE));
    for (const char* name : {"1.94b", "2.94b", "3.94b", "4.94b", "5.94b"})
        m_manager->CreateDocument(wxString::FromUTF8(MakeBank(name)), wxDOC_SILENT);
    EXPECT_EQ(m_manager->GetFileHistory()->GetCount(), 4u);

    // The menu holds the entries before it is ever opened, so it is laid out at its right size.
    auto expectEntries = [file, top](const char* newest)
    {
        ASSERT_EQ(file->GetMenuItemCount(), top + 6);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(file->FindItemByPosition(top + i)->GetId(), wxID_FILE1 + static_cast<int>(i));
        EXPECT_TRUE(Contains(file->FindItemByPosition(top)->GetItemLabel().utf8_string(), newest));
        EXPECT_EQ(file->FindItemByPosition(top + 4)->GetKind(), wxITEM_SEPARATOR);
        EXPECT_EQ(file->FindItemByPosition(top + 5)->GetId(), wxID_EXIT);
    };
    expectEntries("5.94b");
    EXPECT_TRUE(Contains(file->FindItemByPosition(top + 3)->GetItemLabel().utf8_string(), "2.94b"));

    // Opening the menu changes nothing; an entry opened again moves to the top.
    wxMenuEvent open(wxEVT_MENU_OPEN, 0, file);
    m_frame->ProcessWindowEvent(open);
    expectEntries("5.94b");
    m_manager->CreateDocument(wxString::FromUTF8((m_dir / "3.94b").string()), wxDOC_SILENT);
    expectEntries("3.94b");
    EXPECT_TRUE(Contains(file->FindItemByPosition(top + 1)->GetItemLabel().utf8_string(), "5.94b"));

    // Choosing an entry opens its bank.
    wxCommandEvent choose(wxEVT_MENU, wxID_FILE3);
    m_frame->ProcessWindowEvent(choose);
    EXPECT_EQ(BankPath(), (m_dir / "4.94b").string());
    expectEntries("4.94b");

    // Removing every entry brings the disabled placeholder back in their place.
    while (m_manager->GetFileHistory()->GetCount() > 0)
        m_manager->GetFileHistory()->RemoveFileFromHistory(0);
    ASSERT_EQ(file->GetMenuItemCount(), top + 3);
    EXPECT_EQ(file->FindItemByPosition(top)->GetId(), CMD_RECENT_FILE);
    EXPECT_FALSE(file->IsEnabled(CMD_RECENT_FILE));
    EXPECT_EQ(file->FindItemByPosition(top + 2)->GetId(), wxID_EXIT);
}
// A list read from the configuration at start is in the menu at once, with Exit still last.
TEST_F(ShellGuiTest, RecentFilesReadAtStartAreInTheMenuBeforeItOpens)
{
    std::string a = MakeBank("a.94b"), b = MakeBank("b.94b");
    WriteFileText(m_dir / "recent.conf", "file1=" + b + "\nfile2=" + a + "\n");
    wxConfigBase* old = wxConfigBase::Set(new wxFileConfig(wxString(), wxString(),
                                                           wxString::FromUTF8((m_dir / "recent.conf").string()),
                                                           wxString(), wxCONFIG_USE_LOCAL_FILE));
    StartShell();
    wxMenu* file = m_frame->GetMenuBar()->GetMenu(0);
    const size_t top = RecentTop(file);
    ASSERT_EQ(file->GetMenuItemCount(), top + 4);
    EXPECT_EQ(file->FindItemByPosition(top)->GetItemLabel().utf8_string(), "&1 " + b);
    EXPECT_EQ(file->FindItemByPosition(top + 1)->GetItemLabel().utf8_string(), "&2 " + a);
    EXPECT_EQ(file->FindItemByPosition(top + 2)->GetKind(), wxITEM_SEPARATOR);
    EXPECT_EQ(file->FindItemByPosition(top + 3)->GetId(), wxID_EXIT);
    CloseShell();
    delete wxConfigBase::Set(old);
}
} // namespace
