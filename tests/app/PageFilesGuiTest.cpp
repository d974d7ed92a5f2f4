// The page a user takes away shows its pictures elsewhere: Save As puts the logo beside the saved
// page and the zip holds it, both pages naming it relatively; the page on show keeps its own. And
// Export to Zip proposes the bank's folder and name, as Save As does.
#include "support/gui/ShellFixture.h"

#include "res/ProgramDirectory.h"
#include "support/gui/ExpectDialog.h"
#include "zipexport/ZipReader.h"

#include <wx/filedlg.h>
#include <wx/uiaction.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
class PageFilesGuiTest : public CShellFixture
{
protected:
    bool Holds(const std::string& text, const std::string& part) const { return text.find(part) != std::string::npos; }
    std::string Logo() const { return GetProgramDirectory() + "orvane-logo.png"; }

    wxUIActionSimulator m_keys;
};

TEST_F(PageFilesGuiTest, SavedPageShowsTheLogoFromBesideItAndThePageOnShowKeepsItsOwn)
{
    const std::string bank = MakeBank("piano.94b");
    StartShell(bank);
    fs::create_directory(m_dir / "out");
    WriteFileText(m_dir / "out" / "orvane-logo.png", "a picture of the user's own");
    FocusPage();
    wxTEST_DIALOG(
        {
            m_keys.Char('s', wxMOD_CONTROL);
            PumpEvents();
        },
        wxExpectModal<wxFileDialog>(wxString::FromUTF8((m_dir / "out" / "piano.htm").string())));

    const std::string saved = ReadFileText(m_dir / "out" / "piano.htm");
    EXPECT_TRUE(Holds(saved, "<img src=\"orvane-logo-2.png\"")) << saved.substr(0, 800);
    EXPECT_FALSE(Holds(saved, GetProgramDirectory()));
    EXPECT_EQ(ReadFileBytes(Logo()), ReadFileBytes(m_dir / "out" / "orvane-logo-2.png"));
    EXPECT_EQ("a picture of the user's own", ReadFileText(m_dir / "out" / "orvane-logo.png"));
    EXPECT_TRUE(Holds(saved, "Concert"));

    // The page on show still finds the logo where the program keeps it.
    EXPECT_TRUE(Holds(ReadFileText(Doc()->m_report.m_strOutputPath), "src=\"" + Logo() + "\""));
}

TEST_F(PageFilesGuiTest, ExportToZipProposesTheBanksNameAndArchivesTheLogo)
{
    fs::create_directory(m_dir / "banks");
    const std::string bank = MakeBank("piano.94b");
    fs::rename(bank, m_dir / "banks" / "piano.94b");
    const std::string moved = (m_dir / "banks" / "piano.94b").string();
    StartShell(moved);
    const std::string archive = (m_dir / "banks" / "piano.zip").string();

    FocusPage();
    wxTEST_DIALOG(
        {
            m_keys.Char('f', wxMOD_ALT);
            PumpEvents();
            m_keys.Char('z');
            PumpEvents();
        },
        ExpectDialog<wxFileDialog>(
            [&](wxFileDialog* dlg)
            {
                EXPECT_EQ((m_dir / "banks").string(), dlg->GetDirectory().utf8_string());
                EXPECT_EQ("piano.zip", dlg->GetFilename().utf8_string());
                dlg->SetPath(wxString::FromUTF8(archive));
                return wxID_OK;
            }));

    std::string error;
    const std::vector<ZipEntry> entries = ReadZipEntries(archive, error);
    ASSERT_EQ("", error);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ("midimap.html", entries[0].name);
    const std::string page(entries[0].bytes.begin(), entries[0].bytes.end());
    EXPECT_TRUE(Holds(page, "<img src=\"orvane-logo.png\""));
    EXPECT_FALSE(Holds(page, GetProgramDirectory()));
    EXPECT_EQ("piano.94b", entries[1].name);
    EXPECT_EQ(ReadFileBytes(moved), entries[1].bytes);
    EXPECT_EQ("orvane-logo.png", entries[2].name);
    EXPECT_EQ(ReadFileBytes(Logo()), entries[2].bytes);
}
} // namespace
