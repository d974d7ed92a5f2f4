// orvane-cli against hostile inputs and outputs: pages that would overwrite their inputs,
// option ends, failed backups, terminal escapes, broken UTF-8, full outputs and the reasons
// given for failures.
#include "base/Utf8.h"
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/CliRunner.h"
#include "support/FaultFileSystem.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
const std::string kTemplate = std::string(ORVANE_SOURCE_DIR) + "/share/Qzr.mas";

class CliSafetyTest : public ::testing::Test
{
protected:
    CliSafetyTest()
    {
        m_bank.Prio("Safe", 4).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(1));
        m_path = (m_dir / "bank.94b").string();
        m_bank.WriteTo(m_path);
    }
    CTempDir m_dir;
    CBankBuilder m_bank;
    std::string m_path;
};
} // namespace

TEST_F(CliSafetyTest, MapNeverWritesOverOneOfItsInputs)
{
    std::filesystem::create_symlink(m_path, m_dir / "link.94b");
    const std::string copy = (m_dir / "template.mas").string();
    std::filesystem::copy_file(kTemplate, copy);
    const std::string original = ReadFileText(copy);
    for (const std::string& page : {m_path, (m_dir / "link.94b").string()})
    {
        CliRun r = RunCli({"map", m_path, "-o", page, "--template", kTemplate});
        EXPECT_EQ(2, r.code);
        EXPECT_THAT(r.err, HasSubstr("nothing was written"));
        EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path));
    }
    CliRun r = RunCli({"map", m_path, "-o", copy, "--template", copy});
    EXPECT_EQ(2, r.code);
    EXPECT_EQ(original, ReadFileText(copy));

    // Two banks of one file name would get one page: refused before any page is written.
    std::filesystem::create_directory(m_dir / "sub");
    m_bank.WriteTo(m_dir / "sub" / "bank.94b");
    std::filesystem::create_directory(m_dir / "pages");
    r = RunCli({"map", m_path, (m_dir / "sub" / "bank.94b").string(), "-d", (m_dir / "pages").string(), "--template",
                kTemplate});
    EXPECT_EQ(2, r.code);
    EXPECT_TRUE(std::filesystem::is_empty(m_dir / "pages"));
    // A bank whose page would land on another bank of the list.
    const std::string named = (m_dir / "x.94b.html").string();
    m_bank.WriteTo(named);
    r = RunCli({"map", (m_dir / "x.94b").string(), named, "-d", m_dir.Path().string(), "--template", kTemplate});
    EXPECT_EQ(2, r.code);
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(named));
}

TEST_F(CliSafetyTest, DoubleDashEndsTheOptionsOfEveryCommand)
{
    const std::string dashed = (m_dir / "-odd.94b").string();
    m_bank.WriteTo(dashed);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.Path());
    EXPECT_EQ(0, RunCli({"info", "--", "-odd.94b"}).code);
    EXPECT_EQ(0, RunCli({"map", "--template", kTemplate, "--", "-odd.94b"}).code);
    EXPECT_EQ(0, RunCli({"repair", "--", "-odd.94b"}).code);
    EXPECT_EQ(0, RunCli({"set", "--priority", "9", "--", "-odd.94b"}).code);
    EXPECT_EQ(2, RunCli({"info", "-odd.94b"}).code);
    std::filesystem::current_path(previous);
}

TEST_F(CliSafetyTest, SetStopsBeforeWritingWhenTheAskedForBackupFails)
{
    // A non-empty directory where the backup goes: it can never be replaced by a file.
    std::filesystem::create_directories(m_path + ".bak/keep");
    CliRun r = RunCli({"set", m_path, "--priority", "100", "--backup"});
    EXPECT_EQ(1, r.code);
    EXPECT_THAT(r.err, HasSubstr("Unable to create backup file !"));
    EXPECT_THAT(r.err, HasSubstr("orvane-cli: " + m_path + ".bak: "));
    EXPECT_THAT(r.out, Not(HasSubstr("saved")));
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path));
}

TEST_F(CliSafetyTest, NamesAndPathsReachTerminalsAndJsonSafely)
{
    CBankBuilder escape;
    escape.Prio("\x1b[31mX", 1).Imap(CBankBuilder::Entries(1), {});
    const std::string odd = (m_dir / "b\xff.94b").string();
    escape.WriteTo(odd);
    CliRun text = RunCli({"info", odd});
    EXPECT_EQ(0, text.code);
    EXPECT_THAT(text.out, HasSubstr("\\x1B[31mX"));
    EXPECT_THAT(text.out, Not(HasSubstr("\x1b")));
    CliRun json = RunCli({"info", "--json", odd});
    EXPECT_EQ(0, json.code);
    EXPECT_EQ(ToValidUtf8(json.out), json.out);
    EXPECT_THAT(json.out, HasSubstr("\\u001b[31mX"));
}

TEST_F(CliSafetyTest, FailuresSayWhichFileAndWhy)
{
    CBankBuilder tts;
    tts.Filler(30).Ttma(64).Filler(10).Prio("Convert", 8, "TTPR").Imap(CBankBuilder::Entries(4), {}, "TTIM");
    const std::string path = (m_dir / "tts.94b").string();
    for (int k = 1; k < 100; ++k)
    {
        tts.WriteTo(path);
        CFaultFileSystem fs(k);
        CliRun r = RunCli({"repair", path});
        if (fs.FailedOperation() != "Create")
            continue;
        EXPECT_EQ(1, r.code);
        EXPECT_THAT(r.err, HasSubstr("Unable to open file !"));
        EXPECT_THAT(r.err, HasSubstr("orvane-cli: " + path + ": No space left on device"));
        return;
    }
    ADD_FAILURE() << "the repair never created a file";
}

TEST_F(CliSafetyTest, AnEmptyTemplateIsAnErrorNotAnEmptyPage)
{
    const std::string empty = (m_dir / "empty.mas").string();
    WriteFileText(empty, "");
    const std::string page = (m_dir / "page.html").string();
    CliRun r = RunCli({"map", m_path, "-o", page, "--template", empty});
    EXPECT_EQ(2, r.code);
    EXPECT_THAT(r.err, HasSubstr(empty + ": the file is empty"));
    EXPECT_FALSE(std::filesystem::exists(page));
}

TEST_F(CliSafetyTest, ATemplateEndingBeforeAMarkerWritesItsPageWithAWarningNamingIt)
{
    std::string full = ReadFileText(kTemplate);
    const std::string page = (m_dir / "page.html").string();
    const std::string cut = (m_dir / "cut.mas").string();
    for (const char* marker : {"[ZTL_TAG_ENDPROG]", "[ZTL_TAG_START_MAPPING]"})
    {
        const size_t at = full.find(marker);
        ASSERT_NE(std::string::npos, at) << marker;
        WriteFileText(cut, full.substr(0, full.rfind('\n', at) + 1));
        CliRun r = RunCli({"map", m_path, "-o", page, "--template", cut});
        EXPECT_EQ(0, r.code);
        EXPECT_THAT(r.err, HasSubstr("warning: the template " + cut + " ends before its marker " + marker));
        EXPECT_TRUE(std::filesystem::exists(page));
    }
    CliRun whole = RunCli({"map", m_path, "-o", page, "--template", kTemplate});
    EXPECT_EQ("", whole.err);
}

TEST_F(CliSafetyTest, APageLargerThanItsLimitFailsAndKeepsTheOldPageButStreamsAreUnbounded)
{
    const std::string page = (m_dir / "page.html").string();
    WriteFileText(page, "old page");
    CliRun r = RunCli({"map", m_path, "-o", page, "--template", kTemplate, "--max-page-size", "1K"});
    EXPECT_EQ(2, r.code);
    EXPECT_THAT(r.err, HasSubstr(page + ": the file would grow past its size limit"));
    EXPECT_EQ("old page", ReadFileText(page));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(m_dir.Path()), {})); // bank and page only

    r = RunCli({"map", m_path, "--template", kTemplate, "--max-page-size", "1K"});
    EXPECT_EQ(0, r.code);
    EXPECT_GT(r.out.size(), 1024u);
    EXPECT_EQ(0, RunCli({"map", m_path, "-o", page, "--template", kTemplate, "--max-page-size", "1M"}).code);
    EXPECT_NE("old page", ReadFileText(page));
    EXPECT_EQ(2, RunCli({"map", m_path, "--max-page-size", "12T"}).code);
    EXPECT_EQ(2, RunCli({"map", m_path, "--max-page-size", "99999999999"}).code);
}

TEST_F(CliSafetyTest, AFullStandardOutputIsAnErrorWithAMessage)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const std::string cli = std::string(ORVANE_BIN_DIR) + "/orvane-cli";
    const std::string err = (m_dir / "err").string();
    for (const std::string& command : {"info " + m_path, "map --template " + kTemplate + " " + m_path})
    {
        int status = std::system((cli + " " + command + " >/dev/full 2>" + err).c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(2, WEXITSTATUS(status)) << command;
        EXPECT_THAT(ReadFileText(err), HasSubstr("standard output")) << command;
    }
}
