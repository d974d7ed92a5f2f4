// Writing the page: replaced whole or not at all, links kept, special files streamed into,
// memory bounded whatever the bank, and every value valid UTF-8 and escaped.
#include "report/MappingReport.h"
#include "report/PageFile.h"
#include "report/PageText.h"
#include "support/BankBuilder.h"
#include "support/FaultFileSystem.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace
{
const char* const kRowTemplate = "head [IDS_ZTLMAPPRESETFILENAME]\n[ZTL_TAG_START_MAPPING]\n[IDS_ZTLMIDIMAPPING]\n"
                                 "[ZTL_TAG_STARTNICEPROG]\nfirst [IDS_ZTLBANKMIDIPROG]\n[ZTL_TAG_ENDNICEPROG]\n"
                                 "[IDS_ZTLBANKMIDIPROG]\n[ZTL_TAG_ENDPROG]\nend\n";

class PageFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CBankBuilder bank;
        std::vector<BankEntry> entries(40);
        for (size_t i = 0; i < entries.size(); ++i)
            entries[i].program = static_cast<uint16_t>(i);
        bank.Prio("Page", 1).Imap(entries, {});
        m_report.m_strBankPath = (m_dir / "bank.94b").string();
        bank.WriteTo(m_report.m_strBankPath);
        m_report.m_strTemplatePath = (m_dir / "Qzr.mas").string();
        m_report.m_strOutputPath = (m_dir / "midimap.html").string();
        WriteFileText(m_report.m_strTemplatePath, kRowTemplate);
    }
    std::vector<std::filesystem::path> DirEntries() const
    {
        std::vector<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    CTempDir m_dir;
    CMappingReport m_report;
    CMessageRecorder m_messages;
};
} // namespace

TEST_F(PageFileTest, FailedPageLeavesTheOlderPageWholeAndNothingBeside)
{
    WriteFileText(m_report.m_strOutputPath, "older page");
    const auto before = DirEntries();
    std::set<std::string> failed;
    for (int k = 1;; ++k)
    {
        CFaultFileSystem fs(k);
        int result = m_report.Render();
        if (!fs.Failed())
        {
            ASSERT_EQ(1, result);
            break;
        }
        SCOPED_TRACE("operation " + std::to_string(k) + " (" + fs.FailedOperation() + ") fails");
        failed.insert(fs.FailedOperation());
        const std::string page = ReadFileText(m_report.m_strOutputPath);
        if (result == 1)
        {
            // Only a probe failed (a link not resolved, the bank not readable): a complete page.
            EXPECT_THAT(page, HasSubstr("end\n"));
            WriteFileText(m_report.m_strOutputPath, "older page");
        }
        else
        {
            EXPECT_EQ("older page", page);
            EXPECT_THAT(m_report.m_strError, Not(IsEmpty()));
        }
        EXPECT_EQ(before, DirEntries());
    }
    EXPECT_TRUE(failed.count("WriteAt") && failed.count("Create") && failed.count("Rename") && failed.count("Sync"));
    EXPECT_THAT(ReadFileText(m_report.m_strOutputPath), HasSubstr("first 0\n1\n2\n"));
}

TEST_F(PageFileTest, LinkedPageStaysALinkAndKeepsItsMode)
{
    const auto real = m_dir / "real.html";
    WriteFileText(real, "old");
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, m_report.m_strOutputPath);
    ASSERT_EQ(1, m_report.Render());
    EXPECT_TRUE(std::filesystem::is_symlink(m_report.m_strOutputPath));
    EXPECT_THAT(ReadFileText(real), HasSubstr("first 0"));
    struct stat st;
    ASSERT_EQ(0, ::stat(real.c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);

    // A stale temporary link beside the page is never written through.
    const auto victim = m_dir / "victim";
    WriteFileText(victim, "keep me");
    std::filesystem::create_symlink(victim, m_dir / "real.html.new");
    ASSERT_EQ(1, m_report.Render());
    EXPECT_EQ("keep me", ReadFileText(victim));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(m_dir / "real.html.new")));
}

TEST_F(PageFileTest, SpecialFilesAreStreamedIntoOrRefusedAtOnce)
{
    // A device is written into, never replaced.
    m_report.m_strOutputPath = "/dev/null";
    ASSERT_EQ(1, m_report.Render());
    struct stat st;
    ASSERT_EQ(0, ::stat("/dev/null", &st));
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    if (std::filesystem::exists("/dev/full"))
    {
        m_report.m_strOutputPath = "/dev/full";
        EXPECT_EQ(0, m_report.Render());
        EXPECT_THAT(m_report.m_strError, HasSubstr("/dev/full: "));
    }

    // A FIFO without a reader as the page, and a FIFO as the template: refused, not waited on.
    const auto fifo = m_dir / "fifo";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    m_report.m_strOutputPath = fifo.string();
    EXPECT_EQ(0, m_report.Render());
    m_report.m_strOutputPath = (m_dir / "midimap.html").string();
    m_report.m_strTemplatePath = fifo.string();
    EXPECT_EQ(0, m_report.Render());
    EXPECT_FALSE(std::filesystem::exists(m_report.m_strOutputPath));

    // A directory as the page is an error, not a page inside it.
    m_report.m_strTemplatePath = (m_dir / "Qzr.mas").string();
    m_report.m_strOutputPath = m_dir.Path().string();
    EXPECT_EQ(0, m_report.Render());
}

TEST_F(PageFileTest, HugeSparseBankRendersInBoundedMemory)
{
    // Asked at run time: the sanitizer build instruments the code under test but not this file.
    if (::dlsym(RTLD_DEFAULT, "__asan_init"))
        GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine: resident size says nothing here";
    // 64 MiB of holes after an instrument list without a terminator: 11 million entries. The
    // page is streamed and the entries walked from the file, so the lists never sit in memory.
    const auto sparse = m_dir / "sparse.94b";
    {
        CBankBuilder head;
        head.Prio("Sparse", 1).Raw(std::string("IMAP\0\0\0\0", 8));
        head.WriteTo(sparse);
        ASSERT_EQ(0, ::truncate(sparse.c_str(), 64 << 20));
    }
    m_report.m_strBankPath = sparse.string();
    m_report.m_strOutputPath = "/dev/null";
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        struct rusage before, after;
        ::getrusage(RUSAGE_SELF, &before);
        int result = m_report.Render();
        ::getrusage(RUSAGE_SELF, &after);
        const long grownKb = after.ru_maxrss - before.ru_maxrss;
        ::_exit(result != 1 ? 2 : grownKb > 32 * 1024 ? 3 : 0);
    }
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << "2: render failed, 3: memory grew by more than 32 MiB";
}

TEST_F(PageFileTest, ValuesAreValidUtf8AndImagePathsWithUrlSyntaxBecomeFileUrls)
{
    const auto odd = m_dir / "b\xff\xfe.94b";
    std::filesystem::copy_file(m_report.m_strBankPath, odd);
    m_report.m_strBankPath = odd.string();
    std::string page;
    m_report.RenderText(kRowTemplate, page);
    EXPECT_THAT(page, HasSubstr("b\xef\xbf\xbd\xef\xbf\xbd.94b"));
    EXPECT_THAT(page, Not(HasSubstr("\xff")));

    EXPECT_EQ("/img/plain & simple.png", ImageUrl("/img/plain & simple.png"));
    EXPECT_EQ("file:///img/a%23b%3Fc%25d.png", ImageUrl("/img/a#b?c%d.png"));
    EXPECT_THAT(ImageUrl("rel#.png"), HasSubstr("%23.png"));
    EXPECT_EQ(0u, ImageUrl("rel#.png").find("file:///"));
    m_report.m_strImagePath = "/img/a&b#1.png";
    std::string line = "<body [IDS_ZTLBACKGROUND]>";
    m_report.ReplaceHeaderTags(line);
    EXPECT_EQ("<body BACKGROUND=\"file:///img/a&amp;b%231.png\">", line);
}

TEST_F(PageFileTest, APageThatNeedNotReachTheDiskIsStillReplacedWholeOrNotAtAll)
{
    // The desktop program's page, in its private directory: never flushed, still never truncated.
    m_report.m_bFlushPage = false;
    WriteFileText(m_report.m_strOutputPath, "older page");
    const auto before = DirEntries();
    std::set<std::string> reached;
    for (int k = 1;; ++k)
    {
        CFaultFileSystem fs(k);
        const int result = m_report.Render();
        if (!fs.Failed())
        {
            ASSERT_EQ(1, result);
            break;
        }
        SCOPED_TRACE("operation " + std::to_string(k) + " (" + fs.FailedOperation() + ") fails");
        reached.insert(fs.FailedOperation());
        const std::string page = ReadFileText(m_report.m_strOutputPath);
        EXPECT_TRUE(page == "older page" || page.find("end\n") != std::string::npos) << page;
        WriteFileText(m_report.m_strOutputPath, "older page");
        EXPECT_EQ(before, DirEntries());
    }
    EXPECT_EQ(0u, reached.count("Sync"));
    EXPECT_TRUE(reached.count("WriteAt") && reached.count("Rename"));
    EXPECT_THAT(ReadFileText(m_report.m_strOutputPath), HasSubstr("first 0\n1\n2\n"));
}
