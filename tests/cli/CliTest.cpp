// The command-line tool, run in-process: output formats, exit codes, and that it never writes a bank.
#include "cli/Cli.h"
#include "support/CliRunner.h"
#include "cli/CliSupport.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
const std::string kTemplate = std::string(ORVANE_SOURCE_DIR) + "/share/Qzr.mas";

class CliTest : public ::testing::Test
{
protected:
    std::string Bank(const CBankBuilder& b, const std::string& name)
    {
        std::string path = (m_dir / name).string();
        b.WriteTo(path);
        return path;
    }
    std::string Demo()
    {
        CBankBuilder b;
        std::vector<BankEntry> drums(1);
        drums[0].program = 16;
        b.Prio("Caf\xe9\"A", 7).Imap(CBankBuilder::Entries(3, 5), drums);
        return Bank(b, "demo.94b");
    }
    CTempDir m_dir;
};
} // namespace

TEST_F(CliTest, InfoJsonHasTheDocumentedKeys)
{
    std::string demo = Demo();
    CBankBuilder conv;
    conv.Ttma(10).Prio("Conv", 1, "TTPR").Imap({}, {}, "TTIM");
    std::string converted = Bank(conv, "conv.94b");
    std::vector<unsigned char> before = ReadFileBytes(converted);

    CliRun r = RunCli({"info", "--json", demo, converted});
    EXPECT_EQ(kCliOk, r.code) << r.err;
    const nlohmann::json doc = nlohmann::json::parse(r.out);
    ASSERT_EQ(2u, doc.size());
    EXPECT_EQ(nlohmann::json::parse(R"({"path": ")" + demo + R"(", "loaded": true, "name": "Caf\u00e9\"A",
        "priority": 7, "prio_pos": 8, "imap_pos": 26, "ttma_pos": null, "ttma_size": 0, "needs_repair": false,
        "instruments": [{"program": 5, "variation": 0, "cubase_prog": 6, "cubase_bank": 0,
                         "gm_name": "Electric Piano 2"},
                        {"program": 6, "variation": 1, "cubase_prog": 7, "cubase_bank": 128,
                         "gm_name": "Harpsichord"},
                        {"program": 7, "variation": 2, "cubase_prog": 8, "cubase_bank": 256, "gm_name": "Clavi"}],
        "drumsets": [{"program": 16, "variation": 0, "cubase_prog": 17, "cubase_bank": 0, "gm_name": "Power"}]})"),
              doc[0]);
    EXPECT_EQ(8, doc[1]["ttma_pos"]);
    EXPECT_EQ(10, doc[1]["ttma_size"]);
    EXPECT_EQ(true, doc[1]["needs_repair"]);
    EXPECT_EQ("", r.err); // never asks the repair question
    EXPECT_EQ(before, ReadFileBytes(converted));
}

TEST_F(CliTest, InfoTextCsvAndFailures)
{
    std::string demo = Demo();
    CliRun text = RunCli({"info", demo});
    EXPECT_EQ(kCliOk, text.code);
    EXPECT_THAT(text.out, HasSubstr("priority: 7"));
    EXPECT_THAT(text.out, HasSubstr("Drumset (1)"));

    CliRun csv = RunCli({"info", "--csv", demo});
    EXPECT_THAT(csv.out,
                HasSubstr("path,name,priority,list,index,program,variation,cubase_prog,cubase_bank,gm_name\n"));
    EXPECT_THAT(csv.out, HasSubstr(",\"Caf\xc3\xa9\"\"A\",7,instrument,1,6,1,7,128,Harpsichord\n"));
    EXPECT_THAT(text.out, HasSubstr("128          Harpsichord\n"));

    WriteFileText(m_dir / "text.94b", "not a bank");
    CliRun bad = RunCli({"info", "--json", demo, (m_dir / "text.94b").string()});
    EXPECT_EQ(kCliBankFailed, bad.code);
    EXPECT_EQ("orvane-cli: " + (m_dir / "text.94b").string() + ": Unable to find PRIO chunk !\n", bad.err);
    const nlohmann::json failed = nlohmann::json::parse(bad.out)[1];
    EXPECT_EQ(false, failed["loaded"]);
    EXPECT_EQ("Unable to find PRIO chunk !", failed["error"]);
}

TEST_F(CliTest, UsageErrorsAndHelp)
{
    EXPECT_EQ(kCliUsage, RunCli({}).code);
    EXPECT_EQ(kCliUsage, RunCli({"frobnicate"}).code);
    EXPECT_EQ(kCliUsage, RunCli({"info"}).code);
    EXPECT_EQ(kCliUsage, RunCli({"info", "--yaml", "x"}).code);
    EXPECT_EQ(kCliUsage, RunCli({"map", "a.94b", "b.94b"}).code);
    EXPECT_EQ(kCliUsage, RunCli({"map", "a.94b", "--text-color", "red"}).code);
    EXPECT_EQ(kCliUsage, RunCli({"map", "a.94b", "--template"}).code);
    for (const char* command : {"info", "map"})
    {
        CliRun help = RunCli({command, "--help"});
        EXPECT_EQ(kCliOk, help.code);
        EXPECT_THAT(help.out, HasSubstr(std::string("Usage: orvane-cli ") + command));
    }
    EXPECT_THAT(RunCli({"--help"}).out, HasSubstr("Commands:"));
}

TEST_F(CliTest, MapWritesPagesWithOptions)
{
    std::string demo = Demo();
    std::vector<unsigned char> before = ReadFileBytes(demo);
    std::string page = (m_dir / "page.html").string();
    CliRun r = RunCli(
        {"map", demo, "-o", page, "--template", kTemplate, "--text-color", "#996633", "--image", "/pics/b&w.png"});
    EXPECT_EQ(kCliOk, r.code) << r.err;
    std::string html = ReadFileText(page);
    EXPECT_THAT(html, HasSubstr("#996633"));
    EXPECT_THAT(html, HasSubstr("BACKGROUND=\"/pics/b&amp;w.png\""));
    EXPECT_THAT(html, HasSubstr("Caf\xc3\xa9&quot;A"));
    EXPECT_THAT(html, Not(HasSubstr("[IDS_")));
    EXPECT_THAT(html, Not(HasSubstr("[ZTL_")));
    EXPECT_EQ(before, ReadFileBytes(demo));

    // Standard output when no page is named.
    CliRun toStdout = RunCli({"map", demo, "--template", kTemplate, "--back-color", "102030"});
    EXPECT_EQ(kCliOk, toStdout.code);
    EXPECT_THAT(toStdout.out, HasSubstr("BGCOLOR=#102030"));
}

TEST_F(CliTest, MapSeveralBanksAndBadInputs)
{
    std::string demo = Demo();
    WriteFileText(m_dir / "junk.94b", "junk");
    std::filesystem::create_directory(m_dir / "pages");
    CliRun r =
        RunCli({"map", demo, (m_dir / "junk.94b").string(), "-d", (m_dir / "pages").string(), "--template", kTemplate});
    EXPECT_EQ(kCliBankFailed, r.code);
    EXPECT_EQ("orvane-cli: " + (m_dir / "junk.94b").string() + ": Unable to find PRIO chunk !\n", r.err);
    EXPECT_TRUE(std::filesystem::exists(m_dir / "pages" / "demo.94b.html"));
    // The bank that failed still gets its page, without rows.
    EXPECT_THAT(ReadFileText(m_dir / "pages" / "junk.94b.html"), HasSubstr("MIDI mappings"));

    EXPECT_EQ(
        kCliUsage,
        RunCli({"map", demo, "-o", (m_dir / "x.html").string(), "--template", (m_dir / "none.mas").string()}).code);
    EXPECT_EQ(kCliUsage, RunCli({"map", demo, "-o", (m_dir / "no" / "x.html").string(), "--template", kTemplate}).code);
}

TEST(CliSupportTest, Colours)
{
    uint32_t color = 0;
    EXPECT_TRUE(ParseHtmlColor("#996633", color));
    EXPECT_EQ(0x00336699u, color);
    EXPECT_FALSE(ParseHtmlColor("#99663", color));
    EXPECT_FALSE(ParseHtmlColor("#99663g", color));
}
