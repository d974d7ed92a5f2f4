// orvane-cli overlap and the directories that info, map and overlap accept.
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{
const std::string kTemplate = std::string(ORVANE_SOURCE_DIR) + "/share/Qzr.mas";

BankEntry Entry(uint16_t program, uint8_t variation)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

class OverlapCommandTest : public ::testing::Test
{
protected:
    OverlapCommandTest()
    {
        std::filesystem::create_directories(m_dir / "set" / "sub");
        CBankBuilder a, b, c;
        a.Prio("Alpha", 10).Imap({Entry(0, 0), Entry(5, 1)}, {Entry(16, 0)});
        b.Prio("Beta", 20).Imap({Entry(5, 1), Entry(7, 0)}, {Entry(16, 0)});
        c.Prio("Gamma", 30).Imap({Entry(9, 9), Entry(9, 9)}, {}); // twice in one bank is no overlap
        a.WriteTo(m_dir / "set" / "a.94b");
        b.WriteTo(m_dir / "set" / "sub" / "B.94B");
        c.WriteTo(m_dir / "set" / "c.94b");
        WriteFileText(m_dir / "set" / "notes.txt", "not a bank");
    }
    std::string Set() const { return (m_dir / "set").string(); }
    CTempDir m_dir;
};
} // namespace

TEST_F(OverlapCommandTest, ListsEachPairSeveralBanksMapWithEveryBankAndASummary)
{
    CliRun r = RunCli({"overlap", Set()});
    EXPECT_EQ(3, r.code) << r.err;
    const std::string a = Set() + "/a.94b", b = Set() + "/sub/B.94B";
    EXPECT_EQ("instrument program 5 variation 1:\n"
              "  " +
                  a +
                  "  name \"Alpha\"  priority 10  entry 1\n"
                  "  " +
                  b +
                  "  name \"Beta\"  priority 20  entry 0\n"
                  "drumset program 16 variation 0:\n"
                  "  " +
                  a +
                  "  name \"Alpha\"  priority 10  entry 0\n"
                  "  " +
                  b +
                  "  name \"Beta\"  priority 20  entry 0\n"
                  "3 banks read, 5 pairs mapped, 2 pairs in conflict\n",
              r.out);

    const nlohmann::json json = nlohmann::json::parse(RunCli({"overlap", "--json", Set()}).out);
    EXPECT_EQ(nlohmann::json::parse(R"({"list": "drumset", "program": 16, "variation": 0, "banks": [
        {"path": ")" + a + R"(", "name": "Alpha", "priority": 10, "index": 0},
        {"path": ")" + b + R"(", "name": "Beta", "priority": 20, "index": 0}]})"),
              json["overlaps"][1]);
    EXPECT_EQ(3, json["banks_read"]);
    EXPECT_EQ(5, json["pairs_mapped"]);
    EXPECT_EQ(2, json["pairs_in_conflict"]);
    EXPECT_TRUE(json["unreadable"].empty());
    CliRun csv = RunCli({"overlap", "--csv", Set()});
    EXPECT_THAT(csv.out, HasSubstr("list,program,variation,path,name,priority,index\ninstrument,5,1," + a +
                                   ",Alpha,10,1\ninstrument,5,1," + b + ",Beta,20,0\n"));

    // No overlap: 0; a bank that cannot be read is reported, the rest go on, and the exit is 1.
    EXPECT_EQ(0, RunCli({"overlap", a, Set() + "/c.94b"}).code);
    CliRun bad = RunCli({"overlap", a, Set() + "/notes.txt", b});
    EXPECT_EQ(1, bad.code);
    EXPECT_THAT(bad.err, HasSubstr("Unable to find PRIO chunk !"));
    EXPECT_THAT(bad.out, HasSubstr("2 banks read"));
    EXPECT_EQ(2, RunCli({"overlap"}).code);
}

TEST_F(OverlapCommandTest, InfoAndMapReadEveryBankBelowADirectoryInOrder)
{
    CliRun info = RunCli({"info", Set()});
    EXPECT_EQ(0, info.code) << info.err;
    const size_t a = info.out.find("a.94b\n"), c = info.out.find("c.94b\n"), b = info.out.find("B.94B\n");
    ASSERT_NE(std::string::npos, a);
    EXPECT_LT(a, c);
    EXPECT_LT(c, b); // sorted by path: "set/c.94b" before "set/sub/B.94B"
    EXPECT_THAT(info.out, Not(HasSubstr("notes.txt")));

    std::filesystem::create_directory(m_dir / "pages");
    CliRun map = RunCli({"map", Set(), "-d", (m_dir / "pages").string(), "--template", kTemplate});
    EXPECT_EQ(0, map.code) << map.err;
    EXPECT_TRUE(std::filesystem::exists(m_dir / "pages" / "B.94B.html"));
    EXPECT_EQ(3, std::distance(std::filesystem::directory_iterator(m_dir / "pages"), {}));
    EXPECT_EQ(2, RunCli({"map", Set(), "--template", kTemplate}).code); // several banks need -d
}
