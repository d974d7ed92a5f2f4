// Play links: their addresses read back as written (another bank's path too), malformed ones
// refused, and the marks of a rendered page putting one link before each entry's name, while
// the page written is the same with or without marks.
#include "report/PlayLinks.h"

#include "report/MappingReport.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
const char* const kTemplate = "<html>\n"
                              "[ZTL_TAG_START_MAPPING]\n"
                              "<h1>[IDS_ZTLMIDIMAPPING]</h1>\n"
                              "[ZTL_TAG_STARTNICEPROG]\n"
                              "<tr><td>[IDS_ZTLINSTRUMENT]</td>\n"
                              "<td>[IDS_ZTLBANKMIDIPROG]</td>\n"
                              "<td>[IDS_ZTLBANKGMNAME]</td></tr>\n"
                              "[ZTL_TAG_ENDNICEPROG]\n"
                              "<tr><td>[IDS_ZTLBANKMIDIPROG]</td>\n"
                              "<td>[IDS_ZTLBANKGMNAME]</td></tr>\n"
                              "[ZTL_TAG_ENDPROG]\n"
                              "</html>\n";
} // namespace

TEST(PlayLinksTest, AddressesReadBackAsWrittenAndMalformedOnesAreRefused)
{
    EXPECT_EQ("orvane-play:instrument/3", PlayLinkHref({false, 3, ""}));
    EXPECT_EQ("orvane-play:drumset/0?bank=/home/a%20b/%C3%A9t%C3%A9%26.94b",
              PlayLinkHref({true, 0, "/home/a b/\xC3\xA9t\xC3\xA9&.94b"}));
    for (const PLAYLINK& link : {PLAYLINK{false, 16383, ""}, PLAYLINK{true, 7, "/x/\"q\"%?.94B"}})
    {
        PLAYLINK read;
        ASSERT_TRUE(ParsePlayLink(PlayLinkHref(link), read)) << PlayLinkHref(link);
        EXPECT_EQ(link.bDrumset, read.bDrumset);
        EXPECT_EQ(link.nIndex, read.nIndex);
        EXPECT_EQ(link.strBank, read.strBank);
    }
    PLAYLINK read;
    for (const char* bad : {"orvane-play:", "orvane-play:instrument/", "orvane-play:piano/1", "orvane-play:drumset/x",
                            "orvane-play:drumset/1x", "orvane-play:drumset/1?bank=", "orvane-play:drumset/1?bank=%4",
                            "orvane-play:drumset/1?bank=%G0", "http://x/instrument/1", "midimap.html#top"})
        EXPECT_FALSE(ParsePlayLink(bad, read)) << bad;
}

TEST(PlayLinksTest, MarksPutOneLinkBeforeEachEntrysNameAndLeaveThePageAsItWas)
{
    CTempDir dir;
    CMessageRecorder messages;
    CMappingReport report;
    report.m_strBankPath = (dir / "bank.94b").string();
    CBankBuilder()
        .Prio("Bank", 1)
        .Imap(CBankBuilder::Entries(2), CBankBuilder::Entries(1, 200))
        .WriteTo(report.m_strBankPath);
    std::string plain, marked;
    report.RenderText(kTemplate, plain);
    std::vector<ENTRYMARK> marks;
    report.m_pEntryMarks = &marks;
    report.RenderText(kTemplate, marked);
    EXPECT_EQ(plain, marked);
    ASSERT_EQ(3u, marks.size());
    EXPECT_FALSE(marks[0].bDrumset);
    EXPECT_EQ(1u, marks[1].nIndex);
    EXPECT_TRUE(marks[2].bDrumset);
    EXPECT_EQ(0u, marks[2].nIndex);

    const std::string shown = InsertPlayLinks(marked, marks);
    EXPECT_NE(std::string::npos,
              shown.find("<td><a href=\"orvane-play:instrument/0\">&#9654;</a> Acoustic Grand Piano</td>"));
    EXPECT_NE(std::string::npos,
              shown.find("<td><a href=\"orvane-play:instrument/1\">&#9654;</a> Bright Acoustic Piano</td>"));
    // A drum program without a kit name still gets its link, in the name's cell.
    EXPECT_NE(std::string::npos, shown.find("<td>72</td>\n<td><a href=\"orvane-play:drumset/0\">&#9654;</a> </td>"));

    // Marks that do not fit the page (another page, a page cut short) are left out.
    std::vector<ENTRYMARK> stale = marks;
    stale[1].nOffset = marked.size() + 1;
    std::swap(stale[0], stale[2]);
    const std::string partly = InsertPlayLinks(marked, stale);
    EXPECT_EQ(std::string::npos, partly.find("instrument/1"));
    EXPECT_EQ(marked.size() + PlayLinkAnchor({true, 0, ""}).size(), partly.size());
    EXPECT_TRUE(messages.m_messages.empty());
}

TEST(PlayLinksTest, ARowWithoutANameTagIsMarkedAtItsFirstValue)
{
    CTempDir dir;
    CMessageRecorder messages;
    CMappingReport report;
    report.m_strBankPath = (dir / "bank.94b").string();
    CBankBuilder().Prio("Bank", 1).Imap(CBankBuilder::Entries(2), {}).WriteTo(report.m_strBankPath);
    const std::string noName = "[ZTL_TAG_START_MAPPING]\n[IDS_ZTLMIDIMAPPING]\n[ZTL_TAG_STARTNICEPROG]\n<tr>\n"
                               "<td>[IDS_ZTLBANKMIDIPROG]</td></tr>\n[ZTL_TAG_ENDNICEPROG]\n<tr>\n"
                               "<td>[IDS_ZTLBANKMIDIPROG]</td></tr>\n[ZTL_TAG_ENDPROG]\n";
    std::vector<ENTRYMARK> marks;
    report.m_pEntryMarks = &marks;
    std::string page;
    report.RenderText(noName, page);
    ASSERT_EQ(2u, marks.size());
    const std::string shown = InsertPlayLinks(page, marks);
    EXPECT_NE(std::string::npos, shown.find("<td><a href=\"orvane-play:instrument/1\">&#9654;</a> 1</td>"));
}
