// The export's file steps: the bank's copy beside the page, the archive, and what is left behind.
#include "zipexport/ZipExport.h"

#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "zipexport/ZipBinding.h"
#include "zipexport/ZipReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace
{
const std::vector<unsigned char> kBankBytes = {'F', 'O', 'R', 'M', 0x00, 0xFF, 0x01, 0x02, 0x0D, 0x0A};
const std::string kPage = "<html>mapping</html>\n";

class ZipExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directory(m_dir / "work");
        fs::create_directory(m_dir / "banks");
        WriteFileText(PagePath(), kPage);
        WriteFileBytes(BankPath(), kBankBytes);
    }
    void TearDown() override { ResetZipLibrarySearchList(); }

    std::string WorkDir() const { return (m_dir / "work").string() + "/"; }
    std::string PagePath() const { return WorkDir() + "midimap.html"; }
    std::string BankPath() const { return (m_dir / "banks" / "My Bank.94b").string(); }
    std::string Archive() const { return (m_dir / "export.zip").string(); }

    std::set<std::string> WorkDirFiles() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir / "work"))
            names.insert(entry.path().filename().string());
        return names;
    }

    void ExpectArchiveHoldsPageAndBank(const std::string& bankName)
    {
        std::string error;
        auto entries = ReadZipEntries(Archive(), error);
        ASSERT_EQ(error, "");
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].name, "midimap.html");
        EXPECT_EQ(std::string(entries[0].bytes.begin(), entries[0].bytes.end()), kPage);
        EXPECT_EQ(entries[1].name, bankName);
        EXPECT_EQ(entries[1].bytes, kBankBytes);
    }

    CTempDir m_dir;
};

TEST_F(ZipExportTest, ExportingTwiceArchivesPageAndBankAndLeavesNoCopyBehind)
{
    CMessageRecorder recorder;
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(ExportBankToZip(BankPath(), PagePath(), Archive()), 1);
        ExpectArchiveHoldsPageAndBank("My Bank.94b");
        EXPECT_EQ(WorkDirFiles(), std::set<std::string>{"midimap.html"});
        EXPECT_EQ(ReadFileBytes(BankPath()), kBankBytes);
    }
    EXPECT_TRUE(recorder.m_messages.empty());
}

TEST_F(ZipExportTest, BankLyingBesideThePageIsArchivedAndKept)
{
    CMessageRecorder recorder;
    std::string bank = WorkDir() + "My Bank.94b";
    WriteFileBytes(bank, kBankBytes);
    EXPECT_EQ(ExportBankToZip(bank, PagePath(), Archive()), 1);
    ExpectArchiveHoldsPageAndBank("My Bank.94b");
    EXPECT_EQ(ReadFileBytes(bank), kBankBytes);
    EXPECT_TRUE(recorder.m_messages.empty());

    // The same bank reached through a link in the work directory is the user's file too.
    fs::remove(Archive());
    fs::rename(bank, BankPath());
    fs::create_symlink(BankPath(), WorkDir() + "My Bank.94b");
    EXPECT_EQ(ExportBankToZip(WorkDir() + "My Bank.94b", PagePath(), Archive()), 1);
    EXPECT_EQ(ReadFileBytes(BankPath()), kBankBytes);
    EXPECT_TRUE(fs::is_symlink(WorkDir() + "My Bank.94b"));
}

TEST_F(ZipExportTest, NoBankOpenMakesNothingAndSaysNothing)
{
    CMessageRecorder recorder;
    EXPECT_EQ(ExportBankToZip("", PagePath(), Archive()), 0);
    EXPECT_FALSE(fs::exists(Archive()));
    EXPECT_EQ(WorkDirFiles(), std::set<std::string>{"midimap.html"});
    EXPECT_TRUE(recorder.m_messages.empty());
}

TEST_F(ZipExportTest, LeftoverOfAnEarlierExportIsReplacedByTheBank)
{
    CMessageRecorder recorder;
    std::string leftover = WorkDir() + "My Bank.94b";
    WriteFileText(leftover, "stale");
    fs::permissions(leftover, fs::perms::owner_read);
    EXPECT_EQ(ExportBankToZip(BankPath(), PagePath(), Archive()), 1);
    ExpectArchiveHoldsPageAndBank("My Bank.94b");
    EXPECT_EQ(WorkDirFiles(), std::set<std::string>{"midimap.html"});
    EXPECT_TRUE(recorder.m_messages.empty());
}

TEST_F(ZipExportTest, BankThatCannotBeCopiedIsReportedAndNothingIsArchived)
{
    CMessageRecorder recorder;
    std::string missing = (m_dir / "banks" / "gone.94b").string();
    WriteFileText(WorkDir() + "gone.94b", "stale");
    EXPECT_EQ(ExportBankToZip(missing, PagePath(), Archive()), 0);
    ASSERT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_NE(recorder.m_messages[0].text.find(missing), std::string::npos);
    EXPECT_EQ(recorder.m_messages[0].style, unsigned(MsgStop));
    EXPECT_FALSE(fs::exists(Archive()));
    EXPECT_EQ(WorkDirFiles(), std::set<std::string>{"midimap.html"});
}

TEST_F(ZipExportTest, LibraryFailureStillRemovesTheCopy)
{
    CMessageRecorder recorder;
    SetZipLibrarySearchList({});
    EXPECT_EQ(ExportBankToZip(BankPath(), PagePath(), Archive()), 0);
    ASSERT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_EQ(recorder.m_messages[0].caption, "Info-ZIP Example");
    EXPECT_FALSE(fs::exists(Archive()));
    EXPECT_EQ(WorkDirFiles(), std::set<std::string>{"midimap.html"});
    EXPECT_EQ(ReadFileBytes(BankPath()), kBankBytes);
}

TEST_F(ZipExportTest, BankNamedLikeThePageIsRefusedAndThePageKept)
{
    CMessageRecorder recorder;
    std::string bank = (m_dir / "banks" / "midimap.html").string();
    WriteFileBytes(bank, kBankBytes);
    EXPECT_EQ(ExportBankToZip(bank, PagePath(), Archive()), 0);
    EXPECT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_EQ(ReadFileText(PagePath()), kPage);
    EXPECT_EQ(ReadFileBytes(bank), kBankBytes);
    EXPECT_FALSE(fs::exists(Archive()));
}
} // namespace
