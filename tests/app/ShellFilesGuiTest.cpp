// The files the desktop shell writes: Save As never writes the page over the open bank or the
// template.
#include "support/gui/ShellFixture.h"

#include "base/FileSystem.h"
#include "res/StringTable.h"

#include <wx/filedlg.h>
#include <wx/uiaction.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
class ShellFilesGuiTest : public CShellFixture
{
protected:
    // Puts the keyboard in the page, as a user clicking into the window does.
    void FocusThePage()
    {
        m_frame->Raise();
        View()->GetBrowser()->SetFocus();
        PumpEvents();
    }
    void TypeCtrl(char key)
    {
        m_keys.Char(key, wxMOD_CONTROL);
        PumpEvents();
    }

    wxUIActionSimulator m_keys;
};

// Ctrl+S, then the name of the bank itself (or a link to it, or the template) in the save
// dialog, whose "Replace?" the user already confirmed: refused with a message, nothing written.
TEST_F(ShellFilesGuiTest, SaveAsOverTheOpenBankOrTheTemplateIsRefusedAndWritesNothing)
{
    const std::string bank = MakeBank("piano.94b");
    StartShell(bank);
    const std::vector<unsigned char> bankBytes = ReadFileBytes(bank);
    FocusThePage();

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
    EXPECT_EQ(ReadFileText(m_dir / "old.htm"), ReadFileText(Doc()->m_report.m_strOutputPath));
}
} // namespace
