// The main frame's menus, keys and commands: texts and order, the accelerator table, Options
// with and without a bank, the about box, and the window showing a bank as the screen shows it.
#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"

#include "app/OptionsDlg.h"
#include "res/StringTable.h"
#include "support/BankBuilder.h"

#include <wx/accel.h>
#include <wx/artprov.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/filedlg.h>

#include <algorithm>
#include <cstring>

namespace
{
class MainFrameGuiTest : public CShellFixture
{
};

std::vector<std::string> Labels(wxMenu* menu)
{
    std::vector<std::string> labels;
    for (wxMenuItem* item : menu->GetMenuItems())
        labels.push_back(item->IsSeparator() ? "-" : item->GetItemLabel().utf8_string());
    return labels;
}

TEST_F(MainFrameGuiTest, MenusToolBarAndStatusBarHaveTheirTextsInOrder)
{
    StartShell();
    wxMenuBar* bar = m_frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&File");
    EXPECT_EQ(bar->GetMenuLabel(3), "&Help");
    EXPECT_EQ(Labels(bar->GetMenu(0)),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "Open &Bank Set...\tCtrl+Shift+O",
                                        "Open Bank Set &Folder...", "&Save\tCtrl+S", "Save &As...", "Export to &Zip...",
                                        "Export &Instrument Definitions...", "-", "&Print...\tCtrl+P", "Print Pre&view",
                                        "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(
        Labels(bar->GetMenu(1)),
        (std::vector<std::string>{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
                                  "&Paste\tCtrl+V", "-", "&Find...\tCtrl+F", "Find &Next\tF3",
                                  "Find Pre&vious\tShift+F3", "-", "Bank &Inspector\tCtrl+I", "&Options\tCtrl+B"}));
    EXPECT_EQ(Labels(bar->GetMenu(2)),
              (std::vector<std::string>{"&Toolbar", "&Status Bar", "-", "Open in &Web Browser"}));
    EXPECT_EQ(Labels(bar->GetMenu(3)),
              (std::vector<std::string>{"Help (French)", "Help (English)", "&About Orvane..."}));
    EXPECT_EQ(bar->GetHelpString(CMD_OPTIONS), "Display the options dialog box");
    EXPECT_EQ(bar->GetHelpString(CMD_EXPORTZIP), "Export soundbank and mapping files into a ZIP archive");

    wxToolBar* tools = m_frame->GetToolBar();
    ASSERT_EQ(tools->GetToolsCount(), 13u);
    const int order[] = {CMD_BACK,  -1, wxID_NEW,    wxID_OPEN,         -1,         wxID_SAVE, wxID_CUT,
                         wxID_COPY, -1, CMD_OPTIONS, CMD_BANKINSPECTOR, wxID_PRINT, wxID_ABOUT};
    // Every button has an image of its own at the theme's tool-bar size.
    wxSize size = wxArtProvider::GetSizeHint(wxART_TOOLBAR);
    if (size.x <= 0)
        size = wxSize(16, 16);
    EXPECT_EQ(tools->GetToolBitmapSize(), size);
    std::vector<wxImage> images;
    for (size_t i = 0; i < 13; ++i)
    {
        const wxToolBarToolBase* tool = tools->GetToolByPos(static_cast<int>(i));
        if (order[i] < 0)
        {
            EXPECT_TRUE(tool->IsSeparator()) << i;
            continue;
        }
        EXPECT_EQ(tool->GetId(), order[i]) << i;
        wxBitmap bitmap = tool->GetNormalBitmap();
        ASSERT_TRUE(bitmap.IsOk()) << i;
        EXPECT_EQ(bitmap.GetSize(), size) << i;
        wxImage image = bitmap.ConvertToImage();
        for (const wxImage& other : images)
            EXPECT_NE(std::memcmp(image.GetData(), other.GetData(), size_t(size.x) * size.y * 3), 0) << i;
        images.push_back(image);
    }
    EXPECT_EQ(tools->GetToolShortHelp(CMD_OPTIONS), "Options");
    EXPECT_EQ(tools->GetToolLongHelp(CMD_OPTIONS), "Display the options dialog box");
    EXPECT_EQ(tools->GetToolLongHelp(CMD_BACK), "Go back to the page shown before (Alt+Left)");

    wxStatusBar* status = m_frame->GetStatusBar();
    ASSERT_EQ(status->GetFieldsCount(), 4);
    EXPECT_EQ(status->GetStatusText(0), "Ready");
}

TEST_F(MainFrameGuiTest, OptionsWithoutBankRenderNothingAndApplyAtTheNextOpen)
{
    StartShell();
    wxCommandEvent event(wxEVT_MENU, CMD_OPTIONS);
    wxTEST_DIALOG(m_frame->OnOptions(event), ExpectDialog<COptionsDlg>([](COptionsDlg* dlg) {
                      dlg->m_colorText = 0x000000FF;
                      dlg->m_colorBack = 0x0000FF00;
                      return dlg->Apply() ? wxID_OK : wxID_CANCEL;
                  }));
    EXPECT_EQ(Doc()->m_report.m_strOutputPath, "");
    EXPECT_TRUE(View()->GetLocation().find("NoBank.html") != std::string::npos);

    m_manager->CreateDocument(wxString::FromUTF8(MakeBank("demo.94b")), wxDOC_SILENT);
    std::string page = ReadFileText(Doc()->m_report.m_strOutputPath);
    EXPECT_NE(page.find("#ff0000"), std::string::npos);
    EXPECT_NE(page.find("#00ff00"), std::string::npos);

    // With a bank open, OK renders the page again and the view shows it.
    wxTEST_DIALOG(m_frame->OnOptions(event), ExpectDialog<COptionsDlg>(
                                                 [](COptionsDlg* dlg)
                                                 {
                                                     dlg->m_colorBack = 0x00FF0000;
                                                     return dlg->Apply() ? wxID_OK : wxID_CANCEL;
                                                 }));
    EXPECT_NE(ReadFileText(Doc()->m_report.m_strOutputPath).find("#0000ff"), std::string::npos);
    EXPECT_EQ(IsReportShown(), 1);
}

TEST_F(MainFrameGuiTest, AboutCommandShowsTheAboutBox)
{
    StartShell();
    wxCommandEvent event(wxEVT_MENU, wxID_ABOUT);
    wxTEST_DIALOG(m_frame->OnAbout(event), ExpectDialogClosedWith<CAboutDlg>(wxID_OK));
}

// A bank like the example one, for the picture of the window.
std::string MakeExampleBank(const std::filesystem::path& path)
{
    std::vector<BankEntry> instruments;
    for (uint16_t p : {0, 1, 4, 6, 16, 19, 24, 25, 32, 33, 40, 48, 52, 56, 61, 68, 73, 80, 88, 95})
        instruments.push_back({p, static_cast<uint8_t>(p == 25 ? 8 : 0)});
    instruments.insert(instruments.begin() + 1, BankEntry{0, 1});
    CBankBuilder bank;
    bank.Filler(32).Prio("Concert", 5).Imap(instruments, {{0, 0}, {16, 0}}).Filler(64);
    bank.WriteTo(path);
    return path.string();
}

TEST_F(MainFrameGuiTest, WindowShowingABankShowsThePageTableOnScreen)
{
    StartShell(MakeExampleBank(m_dir / "demo.94b"));
    m_frame->SetSize(wxRect(0, 0, 820, 640));
    m_frame->Raise();
    PumpEvents();
    wxMilliSleep(200);
    PumpEvents();

    // The picture is taken from the screen where the window lies.
    wxRect rect = m_frame->GetScreenRect();
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxScreenDC screen;
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    wxImage image = bitmap.ConvertToImage();
    ASSERT_TRUE(image.IsOk());

    // The table heading's dark band of the page is on the picture.
    bool sawHeading = false;
    for (int y = 0; y < image.GetHeight() && !sawHeading; y += 2)
        for (int x = 0; x < image.GetWidth() && !sawHeading; x += 2)
            sawHeading = image.GetRed(x, y) == 0x1f && image.GetGreen(x, y) == 0x20 && image.GetBlue(x, y) == 0x2f;
    EXPECT_TRUE(sawHeading);
}
} // namespace

#include <wx/uiaction.h>

namespace
{
// Keys typed into the window: Ctrl+O opens a file.
TEST_F(MainFrameGuiTest, CtrlOTypedIntoTheWindowOpensAFile)
{
    StartShell();
    FocusPage();
    wxUIActionSimulator keys;
    wxTEST_DIALOG(
        {
            keys.Char('o', wxMOD_CONTROL);
            PumpEvents();
        },
        wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
}
} // namespace

namespace
{
TEST_F(MainFrameGuiTest, CtrlBTypedIntoTheWindowOpensOptions)
{
    StartShell();
    FocusPage();
    wxUIActionSimulator keys;
    wxTEST_DIALOG(
        {
            keys.Char('b', wxMOD_CONTROL);
            PumpEvents();
        },
        ExpectDialogClosedWith<COptionsDlg>(wxID_CANCEL));
}
} // namespace

namespace
{
// The keys of disabled commands do nothing: Ctrl+S on a help page opens no dialog, and once the
// mapping page is back it opens the Save dialog again.
TEST_F(MainFrameGuiTest, KeysOfDisabledCommandsDoNothing)
{
    StartShell(MakeBank("demo.94b"));
    FocusPage();
    wxUIActionSimulator keys;

    // With the menu opened once while the page was on show, its items were left enabled.
    m_frame->GetMenuBar()->GetMenu(0)->UpdateUI();
    wxCommandEvent help(wxEVT_MENU, CMD_HELP_ENGLISH);
    m_frame->OnHelpEnglish(help);
    PumpEvents();
    {
        wxTestingModalHook hook(__FILE__, __LINE__, __func__);
        keys.Char('s', wxMOD_CONTROL);
        PumpEvents();
        hook.CheckUnmetExpectations();
    }
    // The same holds for a command that reaches the frame as a menu event.
    {
        wxTestingModalHook hook(__FILE__, __LINE__, __func__);
        wxCommandEvent save(wxEVT_MENU, wxID_SAVE);
        m_frame->ProcessWindowEvent(save);
        hook.CheckUnmetExpectations();
    }

    ASSERT_TRUE(View()->Back());
    PumpEvents();
    wxTEST_DIALOG(
        {
            keys.Char('s', wxMOD_CONTROL);
            PumpEvents();
        },
        wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
}
} // namespace
