// The bank-set page: blocks and their order, escaping of every value, the links to the banks, a
// broken template, and the shipped template.
#include "bankset/BankSetPage.h"
#include "report/PageFile.h"
#include "report/PlayLinks.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
BankEntry Entry(uint16_t program, uint8_t variation = 0)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

const char* const kTemplate = "<body [IDS_ZTLBACKGROUND] text=[IDS_ZTLTEXTCOLOR]>[SET_SUMMARY]\n"
                              "[SET_BANK_BEGIN]\n"
                              "B [SET_BANKPLACE] <a href=\"[SET_BANKLINK]\">[SET_BANKNAME]</a> [SET_BANKPRIORITY]\n"
                              "[SET_BANK_END]\n"
                              "[SET_SLOT_BEGIN]\n"
                              "S [SET_PROGRAM]/[SET_VARIATION] [SET_CUBASEPROG]/[SET_CUBASEBANK] [SET_GMNAME] "
                              "[SET_STATE] [SET_ANSWER] | [SET_HIDDEN]\n"
                              "[SET_SLOT_END]\n"
                              "[SET_UNDECIDED_BEGIN]\n"
                              "U [SET_PROGRAM] [SET_STATE] [SET_ANSWER]\n"
                              "[SET_UNDECIDED_END]\n"
                              "[SET_NOSLOTS_BEGIN]\n"
                              "no slots\n"
                              "[SET_NOSLOTS_END]\n"
                              "[SET_FREE_BEGIN]\n"
                              "F [SET_GROUP] [SET_PROGRAM]/[SET_VARIATION]\n"
                              "[SET_FREE_END]\n"
                              "end\n";

class BankSetPageTest : public ::testing::Test
{
protected:
    std::string Write(const std::string& name, const CBankBuilder& bank)
    {
        bank.WriteTo(m_dir / name);
        return (m_dir / name).string();
    }
    std::string Render(const std::string& text = kTemplate)
    {
        std::string out;
        CStringPageSink sink(out);
        m_page.RenderText(m_set, text, sink);
        return out;
    }
    CTempDir m_dir;
    CBankSet m_set;
    CBankSetPage m_page;
};
} // namespace

TEST_F(BankSetPageTest, WritesBanksSlotsAndFreePlacesThroughTheirBlocks)
{
    const std::string a = Write("a.94b", CBankBuilder().Prio("Alpha", 20).Imap({Entry(0, 1), Entry(5)}, {}));
    const std::string b = Write("b.94b", CBankBuilder().Prio("Beta", 20).Imap({Entry(5), Entry(0, 1)}, {}));
    const std::string c = Write("c.94b", CBankBuilder().Prio("Gamma", 40).Imap({Entry(0, 1)}, {}));
    m_set.Load({a, b, c});
    const std::string page = Render();
    EXPECT_THAT(page, HasSubstr("B 1 <a href=\"" + BankFileUrl(a) + "\">Alpha</a> 20\nB 2 "));
    // 0/1: Gamma wins over the two others; 5/0 is undecided between Alpha and Beta.
    EXPECT_THAT(page,
                HasSubstr("S 0/1 1/128 Acoustic Grand Piano wins <a href=\"" + BankFileUrl(c) +
                          "\">Gamma</a> | <a href=\"" + BankFileUrl(a) + "\">Alpha</a>, entry 0, priority 20<br>"));
    EXPECT_THAT(page, HasSubstr("U 5 UNDECIDED: equal priorities <a href=\"" + BankFileUrl(a) + "\">Alpha</a><br><a"));
    EXPECT_THAT(page, Not(HasSubstr("no slots")));
    EXPECT_THAT(page, HasSubstr("\nF Instruments 0/0\nF Instruments 1/0\n"));
    EXPECT_THAT(page, HasSubstr("F Instruments 5/1\nF Instruments 6/0\n")); // program 5's next free variation
    EXPECT_THAT(page, HasSubstr("F Drumset 127/0\nend\n"));
    EXPECT_THAT(page, HasSubstr("3 banks read, 2 slots mapped, 1 won over others, 1 undecided"));

    std::string path;
    ASSERT_TRUE(BankPathFromUrl(BankFileUrl(a), path));
    EXPECT_EQ(0, m_set.FindBank(path));
}

TEST_F(BankSetPageTest, EscapesEveryValueAndKeepsOddPathsInTheirLinks)
{
    std::filesystem::create_directory(m_dir / "a&b \"x\" #1%");
    const std::string odd = Write("a&b \"x\" #1%/<b>.94b", CBankBuilder().Prio("<i>&\"", 1).Imap({Entry(3)}, {}));
    m_set.Load({odd, (m_dir / "<gone>.94b").string()});
    m_page.m_strImagePath = "/img/\"x\".png";
    const std::string page = Render();
    EXPECT_THAT(page, HasSubstr("&lt;i&gt;&amp;&quot;"));
    EXPECT_THAT(page, Not(HasSubstr("<i>&\"")));
    EXPECT_THAT(page, Not(HasSubstr("<gone>")));
    EXPECT_THAT(page, Not(HasSubstr("\"x\".png")));
    EXPECT_THAT(page, HasSubstr("&lt;gone&gt;.94b</a>")); // an empty name shows the file's
    const std::string url = BankFileUrl(odd);
    EXPECT_EQ(std::string::npos, url.find_first_of(" \"<>&#", 7));
    std::string back;
    ASSERT_TRUE(BankPathFromUrl(url, back));
    EXPECT_EQ(std::filesystem::path(odd), std::filesystem::path(back));
    EXPECT_FALSE(BankPathFromUrl("http://example.org/a.94b", back));
    EXPECT_FALSE(BankPathFromUrl("file:///a%2", back));
}

TEST_F(BankSetPageTest, AnEmptySetSaysSoAndATemplateCutInABlockStopsThere)
{
    m_set.Load({});
    const std::string page = Render();
    EXPECT_THAT(page, HasSubstr("no slots\n"));
    EXPECT_THAT(page, HasSubstr("F Drumset 56/0\n"));

    const std::string cut = Render("head [SET_TITLE]\n[SET_FREE_BEGIN]\nF [SET_PROGRAM]\n");
    EXPECT_EQ("head Bank set\n", cut);
    EXPECT_EQ("[SET_FREE_END]", m_page.m_strMissingMarker);
}

TEST_F(BankSetPageTest, TheShippedTemplateFillsEveryTagAndAPageTooLargeLeavesTheOldOne)
{
    const std::string a = Write("a.94b", CBankBuilder().Prio("Alpha", 20).Imap({Entry(5)}, {Entry(0)}));
    const std::string b = Write("b.94b", CBankBuilder().Prio("Beta", 20).Imap({Entry(5)}, {}));
    m_set.Load({a, b});
    m_page.m_strTemplatePath = std::string(ORVANE_SOURCE_DIR) + "/share/BankSet.mas";
    const std::filesystem::path out = m_dir / "set.html";
    ASSERT_EQ(1, m_page.Render(m_set, out)) << m_page.m_strError;
    const std::string page = ReadFileText(out);
    EXPECT_THAT(page, Not(HasSubstr("[SET_")));
    EXPECT_THAT(page, Not(HasSubstr("[IDS_")));
    EXPECT_THAT(page, HasSubstr("bgcolor=\"#c02020\"><font color=\"#ffffff\"><b>UNDECIDED"));
    EXPECT_TRUE(m_page.m_strMissingMarker.empty());

    m_page.m_nMaxPageSize = 1000;
    EXPECT_EQ(0, m_page.Render(m_set, out));
    EXPECT_THAT(m_page.m_strError, HasSubstr(out.string()));
    EXPECT_EQ(page, ReadFileText(out));
}

TEST_F(BankSetPageTest, EachAnsweredSlotIsMarkedAtItsGmNameWithTheBankThatAnswers)
{
    // Beta answers program 0 over Alpha; programs 1 and 25 are Alpha's alone, 7 Beta's; 5 is undecided.
    const std::string a =
        Write("a.94b", CBankBuilder().Prio("Alpha", 10).Imap({Entry(0), Entry(1), Entry(5)}, {Entry(25)}));
    const std::string b = Write("b.94b", CBankBuilder().Prio("Beta", 20).Imap({Entry(7), Entry(0)}, {}));
    const std::string c = Write("c.94b", CBankBuilder().Prio("Gamma", 10).Imap({Entry(5)}, {}));
    m_set.Load({a, b, c});
    std::vector<ENTRYMARK> marks;
    m_page.m_pEntryMarks = &marks;
    const std::string page = Render();
    ASSERT_EQ(4u, marks.size());
    const std::string names[] = {"Acoustic Grand Piano", "Bright Acoustic Piano", "Clavi", "TR-808"};
    const ENTRYMARK expected[] = {{0, 1, false, b}, {0, 1, false, a}, {0, 0, false, b}, {0, 0, true, a}};
    for (size_t i = 0; i < marks.size(); ++i)
    {
        EXPECT_EQ(names[i], page.substr(marks[i].nOffset, names[i].size())) << i;
        EXPECT_EQ(expected[i].nIndex, marks[i].nIndex) << i;
        EXPECT_EQ(expected[i].bDrumset, marks[i].bDrumset) << i;
        EXPECT_EQ(expected[i].strBank, marks[i].strBank) << i;
    }
    // The window's page gets a play link naming each answering entry's own bank.
    const std::string shown = InsertPlayLinks(page, marks);
    EXPECT_THAT(shown, HasSubstr(PlayLinkHref({false, 1, b})));
    EXPECT_THAT(shown, HasSubstr(PlayLinkHref({true, 0, a})));
}
