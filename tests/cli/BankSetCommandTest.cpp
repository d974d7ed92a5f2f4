// orvane-cli bankset: the listing in text, JSON and CSV read back, the free slots, the exit
// codes, the page, and that no bank is ever changed.
#include "bankset/BankSetPage.h"
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace
{
BankEntry Entry(uint16_t program, uint8_t variation)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

class BankSetCommandTest : public ::testing::Test
{
protected:
    BankSetCommandTest()
    {
        std::filesystem::create_directories(m_dir / "set" / "sub");
        CBankBuilder a, b, c;
        a.Prio("Alpha", 10).Imap({Entry(0, 0), Entry(5, 1)}, {Entry(16, 0)});
        b.Prio("Beta", 20).Imap({Entry(5, 1), Entry(7, 0)}, {Entry(16, 0)});
        c.Prio("Gamma", 20).Imap({Entry(7, 0), Entry(7, 0)}, {});
        a.WriteTo(m_dir / "set" / "a.94b");
        b.WriteTo(m_dir / "set" / "sub" / "b.94b");
        c.WriteTo(m_dir / "set" / "c.94b");
    }
    std::string Path(const std::string& name) const { return (m_dir / "set" / name).string(); }
    std::string Set() const { return (m_dir / "set").string(); }
    CTempDir m_dir;
};
} // namespace

TEST_F(BankSetCommandTest, TextListsEachSlotWithItsAnswerAndHiddenEntriesThenTheSummary)
{
    const CliRun r = RunCli({"bankset", Set()});
    EXPECT_EQ(3, r.code) << r.err; // 7/0: Beta and Gamma share priority 20
    const std::string a = Path("a.94b"), b = Path("sub/b.94b"), c = Path("c.94b");
    EXPECT_EQ("instrument program 0 variation 0 cubase 1/0 \"Acoustic Grand Piano\" sole: \"Alpha\" " + a +
                  " entry 0 priority 10\n"
                  "instrument program 5 variation 1 cubase 6/128 \"Electric Piano 2\" wins: \"Beta\" " +
                  b + " entry 0 priority 20; hidden: \"Alpha\" " + a +
                  " entry 1 priority 10\n"
                  "instrument program 7 variation 0 cubase 8/0 \"Clavi\" undecided: \"Gamma\" " +
                  c + " entry 0 priority 20, \"Beta\" " + b + " entry 1 priority 20; hidden: \"Gamma\" " + c +
                  " entry 1 priority 20\n"
                  "drumset program 16 variation 0 cubase 17/0 \"Power\" wins: \"Beta\" " +
                  b + " entry 0 priority 20; hidden: \"Alpha\" " + a +
                  " entry 0 priority 10\n"
                  "3 banks read, 4 slots mapped, 2 slots won over others, 1 slots undecided, 3 entries hidden, "
                  "135 free slots\n",
              r.out);

    // Without the undecided bank everything is decided: exit 0.
    EXPECT_EQ(0, RunCli({"bankset", Path("a.94b"), Path("sub/b.94b")}).code);
}

TEST_F(BankSetCommandTest, JsonAndCsvReadBackAsTheRuleSays)
{
    const CliRun r = RunCli({"bankset", "--json", "--free", Path("c.94b"), Path("sub"), Path("a.94b")});
    EXPECT_EQ(3, r.code) << r.err;
    const nlohmann::json json = nlohmann::json::parse(r.out);
    ASSERT_EQ(3u, json["banks"].size());
    EXPECT_EQ(nlohmann::json::parse(R"({"path": ")" + Path("sub/b.94b") +
                                    R"(", "name": "Beta", "priority": 20, "status": "ok"})"),
              json["banks"][1]);
    const nlohmann::json& slots = json["slots"];
    ASSERT_EQ(4u, slots.size());
    EXPECT_EQ("instrument", slots[1]["list"]);
    EXPECT_EQ(5, slots[1]["program"]);
    EXPECT_EQ("wins", slots[1]["state"]);
    EXPECT_EQ(1, slots[1]["answer"]);
    EXPECT_EQ("undecided", slots[2]["state"]);
    EXPECT_TRUE(slots[2]["answer"].is_null());
    // Equal priorities: the earlier operand first, a bank's second entry after its first.
    std::vector<std::pair<int, int>> order;
    for (const auto& e : slots[2]["entries"])
        order.emplace_back(e["bank"], e["index"]);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 1}}), order);
    EXPECT_EQ("drumset", slots[3]["list"]);
    EXPECT_EQ(135u, json["free"].size());
    EXPECT_EQ(nlohmann::json::parse(R"({"list": "instrument", "program": 1, "variation": 0})"), json["free"][0]);
    EXPECT_EQ(nlohmann::json::parse(R"([{"program": 0, "variation": 1}, {"program": 5, "variation": 0},
                                        {"program": 7, "variation": 1}])"),
              json["next_free_variation"]);
    EXPECT_EQ(1, json["summary"]["slots_undecided"]);
    EXPECT_EQ(3, json["summary"]["entries_hidden"]);
    EXPECT_FALSE(nlohmann::json::parse(RunCli({"bankset", "--json", Set()}).out).contains("free"));

    const CliRun csv = RunCli({"bankset", "--csv", Set()});
    std::istringstream lines(csv.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line))
        all.push_back(line);
    ASSERT_EQ(9u, all.size()); // header and one line per entry
    EXPECT_EQ("list,program,variation,state,bank,path,name,priority,index,answers,hidden", all[0]);
    EXPECT_EQ("instrument,5,1,wins,2," + Path("sub/b.94b") + ",Beta,20,0,yes,no", all[2]);
    EXPECT_EQ("instrument,7,0,undecided,1," + Path("c.94b") + ",Gamma,20,1,no,yes", all[5]);
}

TEST_F(BankSetCommandTest, UnreadableBanksAreNamedAndTheRestReportedWithoutAnyBankChanged)
{
    CBankBuilder converted;
    converted.Ttma(64).Prio("Conv", 5, "TTPR").Imap({Entry(0, 0)}, {}, "TTIM");
    converted.WriteTo(m_dir / "set" / "conv.94b");
    WriteFileText(m_dir / "set" / "text.94b", "not a bank");
    std::vector<std::vector<unsigned char>> before;
    for (const char* name : {"a.94b", "conv.94b", "text.94b"})
        before.push_back(ReadFileBytes(Path(name)));

    const CliRun r = RunCli({"bankset", "--json", Set(), Path("missing.94b")});
    EXPECT_EQ(1, r.code);
    EXPECT_THAT(r.err, HasSubstr("orvane-cli: " + Path("missing.94b") + ": "));
    EXPECT_THAT(r.err, HasSubstr("orvane-cli: " + Path("text.94b") + ": "));
    const nlohmann::json json = nlohmann::json::parse(r.out);
    EXPECT_EQ("needs-repair", json["banks"][2]["status"]);
    EXPECT_EQ("unreadable", json["banks"][4]["status"]);
    EXPECT_THAT(json["banks"][4]["reason"].get<std::string>(), Not(::testing::IsEmpty()));
    EXPECT_TRUE(json["banks"][4]["priority"].is_null());
    EXPECT_EQ(4, json["summary"]["banks_read"]);
    EXPECT_EQ(2, json["summary"]["banks_unreadable"]);
    EXPECT_EQ("wins", json["slots"][0]["state"]); // the converted bank takes part
    size_t k = 0;
    for (const char* name : {"a.94b", "conv.94b", "text.94b"})
        EXPECT_EQ(before[k++], ReadFileBytes(Path(name))) << name;

    EXPECT_EQ(2, RunCli({"bankset", "--json", "--csv", Set()}).code);
    EXPECT_EQ(2, RunCli({"bankset"}).code);
    EXPECT_EQ(2, RunCli({"bankset", "--page"}).code);
}

TEST_F(BankSetCommandTest, PageIsWrittenBesideItsNameAndNeverOverABank)
{
    const std::string page = (m_dir / "set.html").string();
    const CliRun r = RunCli({"bankset", "--page", page, Set()});
    EXPECT_EQ(3, r.code) << r.err;
    const std::string html = ReadFileText(page);
    EXPECT_THAT(html, StartsWith("<!DOCTYPE HTML"));
    EXPECT_THAT(html, HasSubstr("<a href=\"" + BankFileUrl(Path("sub/b.94b")) + "\">Beta</a>"));
    EXPECT_THAT(html, HasSubstr("UNDECIDED"));
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(2u, left.size()); // no temporary file stays beside the page

    const std::vector<unsigned char> bank = ReadFileBytes(Path("a.94b"));
    const CliRun clash = RunCli({"bankset", "--page", Path("a.94b"), Set()});
    EXPECT_EQ(2, clash.code);
    EXPECT_THAT(clash.err, HasSubstr("would overwrite"));
    EXPECT_EQ(bank, ReadFileBytes(Path("a.94b")));
    EXPECT_EQ(2, RunCli({"bankset", "--page", (m_dir / "no" / "dir.html").string(), Set()}).code);
}
