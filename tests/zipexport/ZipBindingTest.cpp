// The ZIP binding: archives written through libzip, and the four refusals of the library.
#include "zipexport/ZipBinding.h"

#include "res/ProgramDirectory.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "zipexport/ZipReader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
const std::vector<unsigned char> kBankBytes = {'F', 'O', 'R', 'M', 0x00, 0xFF, 0x80, 0x0D, 0x0A, 0x1A, 0x00, 0x7F};
const std::string kPage = "<html>\n<body>Bank</body>\n</html>\n";

class ZipBindingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteFileText(m_dir / "midimap.html", kPage);
        WriteFileBytes(m_dir / "bank.94b", kBankBytes);
        SetZipRootDir(m_dir.Path().string() + "/");
        SetZipArchiveName(Archive());
    }
    void TearDown() override { ResetZipLibrarySearchList(); }

    std::string Archive() const { return (m_dir / "out.zip").string(); }

    // Runs the binding with only the given library on its search list and returns its result.
    int ZipWith(const std::string& library)
    {
        SetZipLibrarySearchList({library});
        return ZipFiles("midimap.html", "bank.94b");
    }

    CTempDir m_dir;
};

TEST(ZipPathTest, FileNameAndDirectorySplitAtTheLastSlash)
{
    EXPECT_EQ(FileNameOf("/tmp/x/bank.94b"), "bank.94b");
    EXPECT_EQ(DirectoryOf("/tmp/x/bank.94b"), "/tmp/x/");
    EXPECT_EQ(FileNameOf("bank.94b"), "bank.94b");
    EXPECT_EQ(DirectoryOf("bank.94b"), "");
    EXPECT_EQ(FileNameOf("/tmp/x/"), "");
    EXPECT_EQ(DirectoryOf("/tmp/x/"), "/tmp/x/");
    EXPECT_EQ(FileNameOf(""), "");
    EXPECT_EQ(DirectoryOf(""), "");
}

TEST(ZipSearchListTest, ProgramDirectoryComesBeforeTheSystemLoader)
{
    std::string dir = GetProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(GetZipLibrarySearchList(),
              (std::vector<std::string>{dir + "libzip.so.5", dir + "libzip.so.4", "libzip.so.5", "libzip.so.4"}));
}

TEST_F(ZipBindingTest, ArchiveHoldsBothFilesInOrderUnderPlainNamesWithExactBytes)
{
    CMessageRecorder recorder;
    ASSERT_EQ(ZipFiles("midimap.html", "bank.94b"), 1);
    EXPECT_TRUE(recorder.m_messages.empty());

    std::string error;
    auto entries = ReadZipEntries(Archive(), error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "midimap.html");
    EXPECT_EQ(std::string(entries[0].bytes.begin(), entries[0].bytes.end()), kPage);
    EXPECT_EQ(entries[1].name, "bank.94b");
    EXPECT_EQ(entries[1].bytes, kBankBytes);
}

TEST_F(ZipBindingTest, LibraryIsLoadedForEachExportAndUnloadedAfterIt)
{
    CMessageRecorder recorder;
    for (int i = 0; i < 2; ++i)
    {
        std::filesystem::remove(Archive());
        ASSERT_EQ(ZipFiles("midimap.html", "bank.94b"), 1);
        EXPECT_TRUE(std::filesystem::exists(Archive()));
        EXPECT_FALSE(IsLibraryLoaded("libzip.so.4"));
        EXPECT_FALSE(IsLibraryLoaded("libzip.so.5"));
    }
    EXPECT_TRUE(recorder.m_messages.empty());
}

TEST_F(ZipBindingTest, ExistingArchiveKeepsOtherEntriesAndGetsSameNamesReplaced)
{
    CMessageRecorder recorder;
    WriteFileText(m_dir / "other.txt", "other");
    ASSERT_EQ(RunZipArchive({"other.txt", "bank.94b"}), 1);

    WriteFileBytes(m_dir / "bank.94b", {1, 2, 3});
    ASSERT_EQ(ZipFiles("midimap.html", "bank.94b"), 1);

    std::string error;
    auto entries = ReadZipEntries(Archive(), error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "other.txt");
    EXPECT_EQ(entries[1].name, "bank.94b");
    EXPECT_EQ(entries[1].bytes, (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(entries[2].name, "midimap.html");
    EXPECT_TRUE(recorder.m_messages.empty());
}

TEST_F(ZipBindingTest, FailuresToWriteAreReportedAndLeaveExistingFilesAlone)
{
    // A missing name: nothing is created.
    {
        CMessageRecorder recorder;
        EXPECT_EQ(ZipFiles("midimap.html", "gone.94b"), 0);
        ASSERT_EQ(recorder.m_messages.size(), 1u);
        EXPECT_NE(recorder.m_messages[0].text.find("gone.94b"), std::string::npos);
        EXPECT_EQ(recorder.m_messages[0].style, unsigned(MsgStop));
        EXPECT_FALSE(std::filesystem::exists(Archive()));
    }
    // An archive path holding something that is not an archive: it stays as it was.
    {
        CMessageRecorder recorder;
        WriteFileText(m_dir / "out.zip", "not a zip");
        EXPECT_EQ(ZipFiles("midimap.html", "bank.94b"), 0);
        ASSERT_EQ(recorder.m_messages.size(), 1u);
        EXPECT_NE(recorder.m_messages[0].text.find(Archive()), std::string::npos);
        EXPECT_EQ(ReadFileText(m_dir / "out.zip"), "not a zip");
    }
}

TEST_F(ZipBindingTest, LibraryFoundNowhereIsReportedAsNotFound)
{
    for (const auto& list : {std::vector<std::string>{}, std::vector<std::string>{(m_dir / "libzip.so.5").string()}})
    {
        CMessageRecorder recorder;
        SetZipLibrarySearchList(list);
        EXPECT_EQ(ZipFiles("midimap.html", "bank.94b"), 0);
        ASSERT_EQ(recorder.m_messages.size(), 1u);
        EXPECT_EQ(recorder.m_messages[0].text,
                  "Cannot find libzip. The Dll must be in the application directory, the path, the Windows "
                  "directory or the Windows System directory.");
        EXPECT_EQ(recorder.m_messages[0].caption, "Info-ZIP Example");
        EXPECT_EQ(recorder.m_messages[0].style, 16u);
        EXPECT_FALSE(std::filesystem::exists(Archive()));
    }
}

TEST_F(ZipBindingTest, LibraryOfVersionTwoIsRefusedAsWrongVersion)
{
    CMessageRecorder recorder;
    EXPECT_EQ(ZipWith(ORVANE_ZIPFAKE_VERSION2), 0);
    ASSERT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_EQ(recorder.m_messages[0].text,
              FileNameOf(ORVANE_ZIPFAKE_VERSION2) +
                  " has the wrong version number. Insure that you have the correct dll's installed, and that an "
                  "older dll is not in your path or Windows System directory.");
    EXPECT_EQ(recorder.m_messages[0].caption, "Info-ZIP Example");
    EXPECT_EQ(recorder.m_messages[0].style, 16u);
    EXPECT_FALSE(IsLibraryLoaded(ORVANE_ZIPFAKE_VERSION2));
    EXPECT_FALSE(std::filesystem::exists(Archive()));
}

TEST_F(ZipBindingTest, FileThatDoesNotLoadIsReportedAsNotLoadable)
{
    CMessageRecorder recorder;
    WriteFileText(m_dir / "libzip.so.5", std::string(300, '\x5a'));
    EXPECT_EQ(ZipWith((m_dir / "libzip.so.5").string()), 0);
    ASSERT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_EQ(recorder.m_messages[0].text, "Could not load libzip.so.5");
    EXPECT_EQ(recorder.m_messages[0].caption, "Info-ZIP Example");
    EXPECT_EQ(recorder.m_messages[0].style, 16u);
    EXPECT_FALSE(std::filesystem::exists(Archive()));
}

TEST_F(ZipBindingTest, LibraryLackingAnEntryPointIsReportedAsSuch)
{
    CMessageRecorder recorder;
    EXPECT_EQ(ZipWith(ORVANE_ZIPFAKE_NOFILEADD), 0);
    ASSERT_EQ(recorder.m_messages.size(), 1u);
    EXPECT_EQ(recorder.m_messages[0].text, "Could not get entry point to " + FileNameOf(ORVANE_ZIPFAKE_NOFILEADD));
    EXPECT_EQ(recorder.m_messages[0].caption, "Info-ZIP Example");
    EXPECT_EQ(recorder.m_messages[0].style, 16u);
    EXPECT_FALSE(IsLibraryLoaded(ORVANE_ZIPFAKE_NOFILEADD));
    EXPECT_FALSE(std::filesystem::exists(Archive()));
}
} // namespace
