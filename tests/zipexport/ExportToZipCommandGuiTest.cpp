// "Export to Zip": the save dialog's answer decides whether and where the archive is made; an
// archive the user agreed to replace is replaced whole, and the bank itself is never the archive.
#include "zipexport/ExportToZipCommand.h"

#include "res/StringTable.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "zipexport/ZipBinding.h"
#include "zipexport/ZipReader.h"

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/testing.h>

#include <filesystem>

namespace
{
class ExportToZipCommandGuiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteFileText(m_dir / "midimap.html", "<html></html>\n");
        WriteFileBytes(m_dir / "bank.94b", {0x00, 0x01, 0xFE});
    }

    std::string Page() const { return (m_dir / "midimap.html").string(); }
    std::string Bank() const { return (m_dir / "bank.94b").string(); }

    CTempDir m_dir;
};

// Expects the export's save dialog and answers it with answerPath.
class ExpectZipDialog : public wxExpectModal<wxFileDialog>
{
public:
    explicit ExpectZipDialog(const std::string& answerPath) : wxExpectModal<wxFileDialog>(wxString::FromUTF8(answerPath))
    {
    }

protected:
    int OnInvoked(wxFileDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetMessage(), "Export to Zip");
        EXPECT_TRUE(dlg->HasFlag(wxFD_SAVE));
        EXPECT_TRUE(dlg->HasFlag(wxFD_OVERWRITE_PROMPT));
        EXPECT_EQ(dlg->GetWildcard(), "ZIP archive (*.zip)|*.zip");
        return wxExpectModal<wxFileDialog>::OnInvoked(dlg);
    }
};

TEST_F(ExportToZipCommandGuiTest, NameWithoutExtensionGetsZipAndReceivesBothFiles)
{
    CMessageRecorder recorder;
    wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()), ExpectZipDialog((m_dir / "export").string()));

    std::string error;
    auto entries = ReadZipEntries((m_dir / "export.zip").string(), error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "midimap.html");
    EXPECT_EQ(entries[1].name, "bank.94b");
    EXPECT_EQ(entries[1].bytes, (std::vector<unsigned char>{0x00, 0x01, 0xFE}));
    EXPECT_TRUE(recorder.m_messages.empty());
}

TEST_F(ExportToZipCommandGuiTest, CancelledDialogOrNoBankMakesNothing)
{
    CMessageRecorder recorder;
    wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8((m_dir / "a.zip").string()), wxID_CANCEL));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "a.zip"));

    // With no bank open no dialog is shown at all.
    {
        wxTestingModalHook hook(__FILE__, __LINE__, __func__);
        RunExportToZipCommand(nullptr, "", Page());
        hook.CheckUnmetExpectations();
    }
    EXPECT_TRUE(recorder.m_messages.empty());
}

// The dialog asks only about the name as typed; the archive that ".zip" names is asked about here.
TEST_F(ExportToZipCommandGuiTest, ExistingArchiveOfANameWithoutExtensionIsWrittenOnlyWhenTheUserAgrees)
{
    // A name typed with its extension was already asked about by the dialog.
    std::string archive = (m_dir / "export.zip").string();
    CMessageRecorder recorder(AnswerNo);
    wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()), ExpectZipDialog(archive));
    EXPECT_TRUE(recorder.m_messages.empty());
    std::vector<unsigned char> before = ReadFileBytes(archive);
    ASSERT_FALSE(before.empty());

    WriteFileBytes(m_dir / "bank.94b", {0x07});
    wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()), ExpectZipDialog((m_dir / "export").string()));
    ASSERT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_EQ(recorder.m_messages[0].text, archive + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(recorder.m_messages[0].style, unsigned(MsgQuestion));
    EXPECT_EQ(ReadFileBytes(archive), before);

    recorder.m_nAnswer = AnswerYes;
    wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()), ExpectZipDialog((m_dir / "export").string()));
    EXPECT_EQ(recorder.m_messages.size(), 2u);
    std::string error;
    auto entries = ReadZipEntries(archive, error);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].bytes, (std::vector<unsigned char>{0x07}));
}

std::vector<std::string> EntryNames(const std::string& archive)
{
    std::string error;
    std::vector<std::string> names;
    for (const ZipEntry& entry : ReadZipEntries(archive, error))
        names.push_back(entry.name);
    EXPECT_EQ(error, "");
    return names;
}

// The save dialog asked "Replace?" and the user agreed: the archive then holds exactly the page
// and the bank. A failed export leaves the old archive as it was.
TEST_F(ExportToZipCommandGuiTest, ArchiveTheUserAgreedToReplaceIsReplacedWhole)
{
    CMessageRecorder recorder;
    const std::string archive = (m_dir / "old.zip").string();
    WriteFileText(m_dir / "keep.txt", "an older entry");
    SetZipRootDir(m_dir.Path().string() + "/");
    SetZipArchiveName(archive);
    ASSERT_EQ(RunZipArchive({"keep.txt"}), 1);
    ASSERT_EQ(EntryNames(archive), std::vector<std::string>{"keep.txt"});

    wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()), ExpectZipDialog(archive));
    EXPECT_EQ(EntryNames(archive), (std::vector<std::string>{"midimap.html", "bank.94b"}));
    EXPECT_TRUE(recorder.m_messages.empty());

    const std::vector<unsigned char> before = ReadFileBytes(archive);
    std::filesystem::remove(m_dir / "midimap.html");
    wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()), ExpectZipDialog(archive));
    ASSERT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_EQ(ReadFileBytes(archive), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 3) << "a temporary file stayed";
}

// The bank's own name (or a link to it) as the archive: refused, the bank untouched.
TEST_F(ExportToZipCommandGuiTest, ArchiveNamedAsTheBankIsRefused)
{
    CMessageRecorder recorder;
    const std::vector<unsigned char> bank = ReadFileBytes(Bank());
    std::filesystem::create_symlink(Bank(), m_dir / "link.zip");
    for (const std::string& name : {Bank(), (m_dir / "link.zip").string()})
    {
        wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()), ExpectZipDialog(name));
        ASSERT_EQ(recorder.m_messages.size(), 1u);
        EXPECT_EQ(recorder.m_messages[0].text, FormatStringId(IDS_ZIP_ISBANK, {name}));
        EXPECT_EQ(recorder.m_messages[0].style, unsigned(MsgStop));
        EXPECT_EQ(ReadFileBytes(Bank()), bank);
        recorder.m_messages.clear();
    }
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "link.zip"));
}

// Like Save As, the dialog opens in the bank's folder and proposes the bank's name as an archive.
class ExpectProposedArchive : public wxExpectModal<wxFileDialog>
{
public:
    ExpectProposedArchive(std::string dir, std::string name)
        : wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL), m_strDir(std::move(dir)), m_strName(std::move(name))
    {
    }

protected:
    int OnInvoked(wxFileDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetDirectory().utf8_string(), m_strDir);
        EXPECT_EQ(dlg->GetFilename().utf8_string(), m_strName);
        return wxID_CANCEL;
    }

private:
    std::string m_strDir, m_strName;
};

TEST_F(ExportToZipCommandGuiTest, DialogProposesTheBanksFolderAndName)
{
    CMessageRecorder recorder;
    wxTEST_DIALOG(RunExportToZipCommand(nullptr, Bank(), Page()),
                  ExpectProposedArchive(m_dir.Path().string(), "bank.zip"));
    std::filesystem::create_directory(m_dir / "My.Banks");
    const std::string dotted = (m_dir / "My.Banks" / "piano.v2.94b").string();
    WriteFileBytes(dotted, {0x01});
    wxTEST_DIALOG(RunExportToZipCommand(nullptr, dotted, Page()),
                  ExpectProposedArchive((m_dir / "My.Banks").string(), "piano.v2.zip"));
    EXPECT_TRUE(recorder.m_messages.empty());
}

TEST(ZipArchivePathTest, ZipIsAddedOnlyWhenTheNameHasNoExtension)
{
    EXPECT_EQ(ZipArchivePathFor("/tmp/out"), "/tmp/out.zip");
    EXPECT_EQ(ZipArchivePathFor("/tmp/out.zip"), "/tmp/out.zip");
    EXPECT_EQ(ZipArchivePathFor("/tmp/out.ZIP"), "/tmp/out.ZIP");
    EXPECT_EQ(ZipArchivePathFor("/tmp/my.banks/out"), "/tmp/my.banks/out.zip");
}
} // namespace
