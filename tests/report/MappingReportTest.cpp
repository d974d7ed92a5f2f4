// Rendering the mapping page: tag order and finish rules, row blocks, escaping, broken templates.
#include "report/MappingReport.h"
#include "report/PageText.h"
#include "res/ProgramDirectory.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
BankEntry Entry(uint16_t program, uint8_t variation)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

// A complete template whose row blocks are one line each.
const char* const kTemplate = "<html>[IDS_ZTLTITLE]\n"
                              "<body [IDS_ZTLBACKGROUND] text=[IDS_ZTLTEXTCOLOR]>\n"
                              "[ZTL_TAG_START_MAPPING]\n"
                              "lead [IDS_ZTLTITLE]\n"
                              "<h1>[IDS_ZTLMIDIMAPPING]</h1>\n"
                              "<th>[IDS_ZTLMIDIPROG]</th>\n"
                              "between\n"
                              "[ZTL_TAG_STARTNICEPROG]\n"
                              "F [IDS_ZTLINSTRUMENT] [IDS_ZTLBANKMIDIPROG]\n"
                              "[ZTL_TAG_ENDNICEPROG]\n"
                              "N [IDS_ZTLBANKMIDIPROG]/[IDS_ZTLBANKKVARIATION]\n"
                              "[ZTL_TAG_ENDPROG]\n"
                              "trailer [IDS_ZTLTITLE]\n"
                              "</html>\n";

class ReportTest : public ::testing::Test
{
protected:
    void WriteBank(const CBankBuilder& bank, const std::string& name = "bank.94b")
    {
        m_report.m_strBankPath = (m_dir / name).string();
        bank.WriteTo(m_report.m_strBankPath);
    }
    std::string RenderTemplate(const std::string& text)
    {
        std::string page;
        m_report.RenderText(text, page);
        return page;
    }

    CTempDir m_dir;
    CMappingReport m_report;
    CMessageRecorder m_messages;
};
} // namespace

TEST_F(ReportTest, HeaderTagsFollowTheirOrderAndFinishRules)
{
    m_report.m_crText = 0x00336699; // red 0x99, green 0x66, blue 0x33
    std::string line = "[IDS_ZTLTEXTCOLOR] [IDS_ZTLBACKGROUND] [IDS_ZTLTITLE]";
    EXPECT_EQ(CMappingReport::SCAN_CONTINUE, m_report.ReplaceHeaderTags(line));
    EXPECT_EQ("#996633 BGCOLOR=#ffffff [IDS_ZTLTITLE]", line);

    line = "[IDS_ZTLTITLE][IDS_ZTLTITLE] [IDS_ZTLLEGEND] [IDS_ZTLAUTHOR]";
    m_report.ReplaceHeaderTags(line);
    // Texts of the string table are escaped like the values: the page stays valid HTML.
    EXPECT_EQ("VORN Orvane 2.0VORN Orvane 2.0 - The universal 94B &amp; TTS soundbanks mapper [IDS_ZTLAUTHOR]", line);

    line = "[IDS_ZTLIMGLOCATION]x [IDS_ZTLTITLE]";
    m_report.ReplaceHeaderTags(line);
    EXPECT_EQ(GetProgramDirectory() + "x [IDS_ZTLTITLE]", line);

    // The start marker counts only on a line without a finishing tag.
    line = "[IDS_ZTLLEGEND][ZTL_TAG_START_MAPPING]";
    EXPECT_EQ(CMappingReport::SCAN_CONTINUE, m_report.ReplaceHeaderTags(line));
    line = "[IDS_ZTLTITLE][ZTL_TAG_START_MAPPING]";
    EXPECT_EQ(CMappingReport::SCAN_START_MAPPING, m_report.ReplaceHeaderTags(line));

    line = "[IDS_ZTLMAPFILEDATE]";
    m_report.ReplaceHeaderTags(line);
    EXPECT_THAT(line, ::testing::MatchesRegex("Mapping date: [A-Z][a-z]+day, [A-Z][a-z]+ [0-9][0-9], [0-9]{4} at "
                                              "[0-9][0-9]:[0-9][0-9]:[0-9][0-9]"));
}

TEST_F(ReportTest, BackgroundIsImageOrColourAndValuesAreEscaped)
{
    m_report.m_strImagePath = "/img/a\"b<c>&.png";
    m_report.m_strBankPath = "/banks/<x>&\"y\".94b";
    std::string line = "<body [IDS_ZTLBACKGROUND]>";
    m_report.ReplaceHeaderTags(line);
    EXPECT_EQ("<body BACKGROUND=\"/img/a&quot;b&lt;c&gt;&amp;.png\">", line);
    EXPECT_THAT(line, Not(HasSubstr("BGCOLOR")));

    line = "[IDS_ZTLMAPPRESETFILENAME]";
    m_report.ReplaceHeaderTags(line);
    EXPECT_EQ("/banks/&lt;x&gt;&amp;&quot;y&quot;.94b", line);
}

TEST_F(ReportTest, ColumnTagsReplaceOnlyTheFirstFound)
{
    std::string line = "[IDS_ZTLCUBASEBANK] [IDS_ZTLVARIATION] [IDS_ZTLVARIATION]";
    EXPECT_EQ(CMappingReport::SCAN_CONTINUE, m_report.ReplaceColumnTags(line));
    EXPECT_EQ("[IDS_ZTLCUBASEBANK] Variation Variation", line);
    line = "[IDS_ZTLCUBASEPROG][ZTL_TAG_STARTNICEPROG]";
    EXPECT_EQ(CMappingReport::SCAN_CONTINUE, m_report.ReplaceColumnTags(line));
    EXPECT_EQ("Cubase Prog.[ZTL_TAG_STARTNICEPROG]", line);
    line = "x[ZTL_TAG_STARTNICEPROG]";
    EXPECT_EQ(CMappingReport::SCAN_START_FIRST_ROW, m_report.ReplaceColumnTags(line));
}

TEST_F(ReportTest, RendersSectionsMarkersAndRows)
{
    CBankBuilder bank;
    bank.Prio("Demo", 1).Imap({Entry(0, 0), Entry(5, 2), Entry(127, 127)}, {Entry(16, 1)});
    WriteBank(bank);
    std::string page = RenderTemplate(kTemplate);
    EXPECT_EQ("<html>VORN Orvane 2.0\n"
              "<body BGCOLOR=#ffffff text=#000000>\n"
              "lead [IDS_ZTLTITLE]\n"
              "<h1>MIDI mappings</h1>\n"
              "<th>MIDI prog</th>\n"
              "between\n"
              "F Instruments [IDS_ZTLBANKMIDIPROG]\n"
              "N 5/[IDS_ZTLBANKKVARIATION]\n"
              "N 127/[IDS_ZTLBANKKVARIATION]\n"
              "F Drumset [IDS_ZTLBANKMIDIPROG]\n"
              "trailer [IDS_ZTLTITLE]\n"
              "</html>\n",
              page);
    EXPECT_THAT(m_report.m_firstRowBlock, ElementsAre("F [IDS_ZTLINSTRUMENT] [IDS_ZTLBANKMIDIPROG]"));
    EXPECT_THAT(m_report.m_nextRowBlock, ElementsAre("N [IDS_ZTLBANKMIDIPROG]/[IDS_ZTLBANKKVARIATION]"));
}

TEST_F(ReportTest, RowValuesAndBlockRules)
{
    CBankBuilder bank;
    bank.Prio("Caf\xe9<1>", 1).Imap({Entry(0, 0), Entry(5, 2), Entry(127, 127)}, {});
    WriteBank(bank);
    m_report.m_firstRowBlock = {"[IDS_ZTLBANKREALNAME] [IDS_ZTLBANKMIDIPROG]", "[IDS_ZTLBANKMIDIPROG]",
                                "[IDS_ZTLBANKKVARIATION]", "[IDS_ZTLBANKCUBASEPROG]", "[IDS_ZTLBANKCUBASEBANK]"};
    m_report.m_nextRowBlock = {"[IDS_ZTLBANKREALNAME][IDS_ZTLINSTRUMENT] [IDS_ZTLBANKCUBASEPROG]",
                               "[IDS_ZTLBANKCUBASEBANK]"};
    std::vector<std::string> rows;
    CLinesPageSink sink(rows);
    EXPECT_EQ(CMappingReport::SCAN_ROWS_BUILT, m_report.BuildRows(sink));
    // The name is Windows-1252, written as UTF-8 and escaped; it is the only tag of its line.
    EXPECT_THAT(rows, ElementsAre("Caf\xc3\xa9&lt;1&gt; [IDS_ZTLBANKMIDIPROG]", "0", "0", "1", "0",
                                  "[IDS_ZTLBANKREALNAME][IDS_ZTLINSTRUMENT] 6", "256",
                                  "[IDS_ZTLBANKREALNAME][IDS_ZTLINSTRUMENT] 128", "16256"));
}

TEST_F(ReportTest, DrumsOnlyAndEmptyBlocks)
{
    CBankBuilder bank;
    bank.Prio("D", 1).Imap({}, {Entry(8, 0)});
    WriteBank(bank);
    m_report.m_firstRowBlock = {"first [IDS_ZTLINSTRUMENT]"};
    m_report.m_nextRowBlock = {"next"};
    std::vector<std::string> rows;
    CLinesPageSink sink(rows);
    m_report.BuildRows(sink);
    EXPECT_THAT(rows, ElementsAre("first Drumset"));

    std::string page = RenderTemplate("[ZTL_TAG_START_MAPPING]\n[IDS_ZTLMIDIMAPPING]\n[ZTL_TAG_STARTNICEPROG]\n"
                                      "[ZTL_TAG_ENDNICEPROG]\n[ZTL_TAG_ENDPROG]\nend\n");
    EXPECT_EQ("MIDI mappings\nend\n", page);
}

TEST_F(ReportTest, BadBankGivesAPageWithoutRows)
{
    m_report.m_strBankPath = (m_dir / "missing.94b").string();
    std::string page = RenderTemplate(kTemplate);
    EXPECT_THAT(page, HasSubstr("between\ntrailer"));
    EXPECT_THAT(m_messages.Texts(), ElementsAre("Unable to open file !"));
}

TEST_F(ReportTest, TemplateEndingBeforeAMarkerWritesWhatThereIs)
{
    CBankBuilder bank;
    bank.Prio("B", 1).Imap({Entry(1, 0)}, {});
    WriteBank(bank);
    EXPECT_EQ("a\nb\n", RenderTemplate("a\r\nb"));
    EXPECT_EQ("h\nlead\n", RenderTemplate("h\n[ZTL_TAG_START_MAPPING]\nlead\n"));
    EXPECT_EQ("MIDI mappings\n", RenderTemplate("[ZTL_TAG_START_MAPPING]\n[IDS_ZTLMIDIMAPPING]\n"));
    // A heading tag and the marker on one line: a heading line, not the marker.
    EXPECT_EQ("MIDI mappings[ZTL_TAG_STARTNICEPROG]\n",
              RenderTemplate("[ZTL_TAG_START_MAPPING]\n[IDS_ZTLMIDIMAPPING][ZTL_TAG_STARTNICEPROG]\n"));
    EXPECT_EQ("MIDI mappings\n", RenderTemplate("[ZTL_TAG_START_MAPPING]\n[IDS_ZTLMIDIMAPPING]\n"
                                                "[ZTL_TAG_STARTNICEPROG]\nrow\n[ZTL_TAG_ENDNICEPROG]\nnext\n"));
    EXPECT_EQ("", RenderTemplate(""));
    EXPECT_TRUE(m_messages.Texts().empty()); // no rows were built, so the bank was not read
}

TEST_F(ReportTest, RenderWritesThePageAndReportsFailures)
{
    CBankBuilder bank;
    bank.Prio("R", 1).Imap({Entry(3, 1)}, {});
    WriteBank(bank);
    m_report.m_strTemplatePath = (m_dir / "Qzr.mas").string();
    m_report.m_strOutputPath = (m_dir / "midimap.html").string();
    WriteFileText(m_report.m_strTemplatePath, kTemplate);
    ASSERT_EQ(1, m_report.Render());
    EXPECT_THAT(ReadFileText(m_report.m_strOutputPath), HasSubstr("F Instruments [IDS_ZTLBANKMIDIPROG]\ntrailer"));

    // A missing template leaves the older page as it was.
    m_report.m_strTemplatePath = (m_dir / "none.mas").string();
    EXPECT_EQ(0, m_report.Render());
    EXPECT_THAT(ReadFileText(m_report.m_strOutputPath), HasSubstr("trailer"));

    // A page that cannot be created, or not written whole, is a failure.
    m_report.m_strTemplatePath = (m_dir / "Qzr.mas").string();
    m_report.m_strOutputPath = (m_dir / "no-such-dir" / "midimap.html").string();
    EXPECT_EQ(0, m_report.Render());
    if (std::filesystem::exists("/dev/full"))
    {
        m_report.m_strOutputPath = "/dev/full";
        EXPECT_EQ(0, m_report.Render());
    }
}

TEST(PageTextTest, DateAndColourFormats)
{
    std::tm when{};
    when.tm_year = 126;
    when.tm_mon = 11;
    when.tm_mday = 6;
    when.tm_wday = 0;
    when.tm_hour = 5;
    when.tm_min = 29;
    when.tm_sec = 24;
    EXPECT_EQ("Sunday, December 06, 2026 at 05:29:24", FormatMappingDate(when));
    EXPECT_EQ("#000000", ColorToHtml(0));
    EXPECT_EQ("#ffffff", ColorToHtml(0xFFFFFF));
    EXPECT_EQ("#0000ff", ColorToHtml(0xFF0000));
}

TEST_F(ReportTest, GeneralMidiNamesFillTheirRowTagOnlyWhereATemplateHasIt)
{
    CBankBuilder bank;
    std::vector<BankEntry> drums = {Entry(25, 0), Entry(3, 0)};
    bank.Prio("GM", 1).Imap({Entry(0, 0), Entry(127, 0), Entry(128, 0)}, drums);
    WriteBank(bank);
    m_report.m_firstRowBlock = {"[IDS_ZTLBANKGMNAME]|[IDS_ZTLBANKMIDIPROG]"};
    m_report.m_nextRowBlock = {"[IDS_ZTLBANKGMNAME]", "[IDS_ZTLBANKCUBASEBANK] [IDS_ZTLBANKGMNAME]"};
    std::vector<std::string> rows;
    CLinesPageSink sink(rows);
    m_report.BuildRows(sink);
    // One tag a line, in the engine's order: the name only on a line without the other tags.
    EXPECT_THAT(rows, ElementsAre("[IDS_ZTLBANKGMNAME]|0", "Gunshot", "0 [IDS_ZTLBANKGMNAME]", "",
                                  "0 [IDS_ZTLBANKGMNAME]", "[IDS_ZTLBANKGMNAME]|25", "", "0 [IDS_ZTLBANKGMNAME]"));
    m_report.m_firstRowBlock = {"[IDS_ZTLBANKGMNAME]"};
    rows.clear();
    m_report.BuildRows(sink);
    EXPECT_EQ("Acoustic Grand Piano", rows[0]);
    EXPECT_EQ("TR-808", rows[5]); // the drum list names kits; program 3 has none
    EXPECT_EQ("", rows[6]);
}
