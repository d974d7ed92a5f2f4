// The files the desktop shell writes and remembers: Save As never writes the page over the open
// bank or the template, only files read as banks join the recent-file list, the settings file
// read at start is the one written at close, and an installed program keeps them for the user.
#include "support/gui/ShellFixture.h"

#include "app/OptionsDlg.h"
#include "base/FileSystem.h"
#include "report/PageText.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"
#include "support/FaultFileSystem.h"
#include "support/gui/ExpectDialog.h"

#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/uiaction.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
class ShellFilesGuiTest : public CShellFixture
{
protected:
    void TypeCtrl(char key)
    {
        m_keys.Char(key, wxMOD_CONTROL);
        PumpEvents();
    }
    size_t RecentCount() const { return m_manager->GetFileHistory()->GetCount(); }

    wxUIActionSimulator m_keys;
};

// Ctrl+S, then the name of the bank itself (or a link to it, or the template) in the save
// dialog, whose "Replace?" the user already confirmed: refused with a message, nothing written.
TEST_F(ShellFilesGuiTest, SaveAsOverTheOpenBankOrTheTemplateIsRefusedAndWritesNothing)
{
    const std::string bank = MakeBank("piano.94b");
    StartShell(bank);
    const std::vector<unsigned char> bankBytes = ReadFileBytes(bank);
    FocusPage();

    wxTEST_DIALOG(TypeCtrl('s'), wxExpectModal<wxFileDialog>(wxString::FromUTF8(bank)),
                  ExpectMessage(FormatStringId(IDS_SAVE_ISBANK, {bank})));
    EXPECT_EQ(ReadFileBytes(bank), bankBytes);

    const fs::path link = m_dir / "page.htm";
    fs::create_symlink(bank, link);
    wxTEST_DIALOG(TypeCtrl('s'), wxExpectModal<wxFileDialog>(wxString::FromUTF8(link.string())),
                  ExpectMessage(FormatStringId(IDS_SAVE_ISBANK, {link.string()})));
    EXPECT_EQ(ReadFileBytes(bank), bankBytes);
    EXPECT_TRUE(fs::is_symlink(link));

    // The template the page was made from, here a copy of the program's.
    const fs::path templateCopy = m_dir / "Qzr.htm";
    fs::copy_file(Doc()->m_report.m_strTemplatePath, templateCopy);
    const std::string templateText = ReadFileText(templateCopy);
    Doc()->m_report.m_strTemplatePath = templateCopy;
    wxTEST_DIALOG(TypeCtrl('s'), wxExpectModal<wxFileDialog>(wxString::FromUTF8(templateCopy.string())),
                  ExpectMessage(FormatStringId(IDS_SAVE_ISTEMPLATE, {templateCopy.string()})));
    EXPECT_EQ(ReadFileText(templateCopy), templateText);

    // Any other file is still replaced by the page.
    WriteFileText(m_dir / "old.htm", "old");
    wxTEST_DIALOG(TypeCtrl('s'), wxExpectModal<wxFileDialog>(wxString::FromUTF8((m_dir / "old.htm").string())));
    // It is the page on show, naming its logo (now beside it) relatively.
    std::string page = ReadFileText(Doc()->m_report.m_strOutputPath);
    ReplaceAll(page, GetProgramDirectory() + "orvane-logo.png", "orvane-logo.png");
    EXPECT_EQ(ReadFileText(m_dir / "old.htm"), page);
}

// A file that is no bank opens with its message and a page without rows, but is not offered
// again in the File menu; a bank is.
TEST_F(ShellFilesGuiTest, OnlyFilesReadAsBanksJoinTheRecentFiles)
{
    StartShell();
    const fs::path text = m_dir / "notes.94b";
    WriteFileText(text, "just some text, no chunks here\n");
    wxTEST_DIALOG(m_manager->CreateDocument(wxString::FromUTF8(text.string()), wxDOC_SILENT),
                  ExpectMessage(GetString(IDS_NOPRIOCHUNK)));
    EXPECT_EQ(Doc()->m_report.m_strBankPath, text);
    EXPECT_EQ(RecentCount(), 0u);

    const std::string bank = MakeBank("demo.94b");
    m_manager->CreateDocument(wxString::FromUTF8(bank), wxDOC_SILENT);
    ASSERT_EQ(RecentCount(), 1u);
    EXPECT_EQ(m_manager->GetFileHistory()->GetHistoryFile(0).utf8_string(), bank);

    // Dropped on the window's bars: the same rule.
    wxTEST_DIALOG(m_frame->OnDropFiles(wxArrayString(1, wxString::FromUTF8(text.string()))),
                  ExpectMessage(GetString(IDS_NOPRIOCHUNK)));
    EXPECT_EQ(RecentCount(), 1u);
}

// A program directory that cannot be written (an installed program), with a settings file in it.
class CReadOnlyDirectoryFileSystem : public CFaultFileSystem
{
public:
    explicit CReadOnlyDirectoryFileSystem(fs::path dir) : m_dir(std::move(dir)) {}
    int Create(const fs::path& path, unsigned mode) override
    {
        if (path.parent_path() == m_dir)
        {
            SetLastError(EACCES);
            return -1;
        }
        return CFaultFileSystem::Create(path, mode);
    }

private:
    fs::path m_dir;
};

TEST_F(ShellFilesGuiTest, SettingsReadAtStartAreTheOnesWrittenAtClose)
{
    CSettings installed;
    installed.m_crBackColor = 0x00111111;
    ASSERT_EQ(installed.Save(SettingsPath()), 1);
    const std::vector<unsigned char> installedBytes = ReadFileBytes(SettingsPath());
    CReadOnlyDirectoryFileSystem readOnly(m_dir.Path());

    // Changes go to the user's file, the installed one stays as it was.
    StartShell();
    EXPECT_EQ(Doc()->m_report.m_crBackground, 0x00111111u);
    Doc()->m_report.m_crBackground = 0x00222222;
    CloseShell();
    EXPECT_EQ(ReadFileBytes(SettingsPath()), installedBytes);
    ASSERT_TRUE(fs::exists(UserSettingsPath()));

    // The next start shows the changed settings, and its close keeps them.
    m_settings = CSettings();
    StartShell();
    EXPECT_EQ(Doc()->m_report.m_crBackground, 0x00222222u);
    CloseShell();
    CSettings saved;
    ASSERT_EQ(saved.Load(UserSettingsPath()), 1);
    EXPECT_EQ(saved.m_crBackColor, 0x00222222u);
    EXPECT_EQ(ReadFileBytes(SettingsPath()), installedBytes);
}

// An installed program on its first start: no settings file anywhere and a program directory it
// cannot write. Options confirmed with OK and the close keep everything in the user's directory.
TEST_F(ShellFilesGuiTest, AnInstalledProgramsFirstOptionsAreKeptForTheUser)
{
    CReadOnlyDirectoryFileSystem readOnly(m_dir.Path());
    StartShell(MakeBank("demo.94b"));
    FocusPage();
    wxUIActionSimulator keys;
    wxTEST_DIALOG(
        {
            keys.Char('b', wxMOD_CONTROL);
            PumpEvents();
        },
        ExpectDialog<COptionsDlg>(
            [](COptionsDlg* dlg)
            {
                dlg->m_colorText = 0x00123456;
                return dlg->Apply() ? wxID_OK : wxID_CANCEL;
            }));
    CloseShell();

    EXPECT_FALSE(fs::exists(SettingsPath()));
    for (const fs::directory_entry& entry : fs::directory_iterator(m_dir.Path()))
        EXPECT_EQ(entry.path().filename().string().find("qzr.opt"), std::string::npos) << entry.path();
    CSettings saved;
    ASSERT_EQ(saved.Load(UserSettingsPath()), 1);
    EXPECT_EQ(saved.m_crTextColor, 0x00123456u);
}
} // namespace
