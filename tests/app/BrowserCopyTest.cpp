// Copies of the mapping page for the web browser: whole copies of their own in the temporary
// directory, nothing left by a failure, all removed when the program ends.
#include "app/BrowserCopy.h"

#include "support/FaultFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
class BrowserCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* old = ::getenv("TMPDIR"))
            m_strOldTmp = old, m_bHadTmp = true;
        fs::create_directories(m_dir / "tmp");
        ::setenv("TMPDIR", (m_dir / "tmp").c_str(), 1);
        // A page larger than one piece of the copy.
        for (int i = 0; m_page.size() < 150000; ++i)
            m_page += "<tr><td>entry " + std::to_string(i) + "</td></tr>\n";
        fs::create_directories(m_dir / "private");
        WriteFileText(m_dir / "private" / "midimap.html", m_page);
    }
    void TearDown() override
    {
        RemoveBrowserCopies();
        if (m_bHadTmp)
            ::setenv("TMPDIR", m_strOldTmp.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    std::vector<fs::path> Copies() const
    {
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir / "tmp"))
            files.push_back(entry.path());
        return files;
    }

    CTempDir m_dir;
    std::string m_page;
    std::string m_strOldTmp;
    bool m_bHadTmp = false;
};

TEST_F(BrowserCopyTest, EachCopyIsANewPrivateFileOfThePageUntilTheProgramEnds)
{
    std::string detail;
    fs::path first = CopyPageForBrowser(m_dir / "private" / "midimap.html", detail);
    fs::path second = CopyPageForBrowser(m_dir / "private" / "midimap.html", detail);
    ASSERT_FALSE(first.empty()) << detail;
    ASSERT_FALSE(second.empty()) << detail;
    EXPECT_NE(first, second);
    for (const fs::path& copy : {first, second})
    {
        EXPECT_EQ(copy.parent_path(), m_dir / "tmp");
        EXPECT_EQ(copy.filename().string().rfind("orvane-page-", 0), 0u);
        EXPECT_EQ(copy.extension(), ".html");
        EXPECT_EQ(ReadFileText(copy), m_page);
        EXPECT_EQ(fs::status(copy).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    }
    // A new render of the page leaves the copies the browser was given as they were.
    WriteFileText(m_dir / "private" / "midimap.html", "new page");
    EXPECT_EQ(ReadFileText(first), m_page);

    RemoveBrowserCopies();
    EXPECT_TRUE(Copies().empty());
    EXPECT_TRUE(fs::exists(m_dir / "private" / "midimap.html"));
}

TEST_F(BrowserCopyTest, AFailedCopySaysWhyAndLeavesNothing)
{
    std::string detail;
    EXPECT_TRUE(CopyPageForBrowser(m_dir / "private" / "missing.html", detail).empty());
    EXPECT_NE(detail.find("missing.html"), std::string::npos);
    EXPECT_TRUE(Copies().empty());

    // Every single failing operation of the copy gives no copy, or a whole one.
    int calls = 0;
    {
        CFaultFileSystem counting;
        ASSERT_FALSE(CopyPageForBrowser(m_dir / "private" / "midimap.html", detail).empty());
        calls = counting.Calls();
        RemoveBrowserCopies();
    }
    for (int failAt = 1; failAt <= calls; ++failAt)
    {
        CFaultFileSystem faults(failAt);
        detail.clear();
        fs::path copy = CopyPageForBrowser(m_dir / "private" / "midimap.html", detail);
        if (copy.empty())
        {
            EXPECT_FALSE(detail.empty()) << faults.FailedOperation();
            EXPECT_TRUE(Copies().empty()) << faults.FailedOperation();
        }
        else
            EXPECT_EQ(ReadFileText(copy), m_page) << faults.FailedOperation();
        RemoveBrowserCopies();
    }
}
} // namespace
