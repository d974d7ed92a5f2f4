// orvane-cli set --from-csv: the round trip through info --csv, the CSV forms spreadsheets
// write, and the refusals that leave the bank byte for byte as it was.
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>

using ::testing::HasSubstr;
using namespace std::string_literals;

namespace
{
using Bytes = std::vector<unsigned char>;

// The lists of the bank before and after the edit: same lengths, other programs and variations.
std::vector<BankEntry> Before(size_t n)
{
    return CBankBuilder::Entries(n);
}
std::vector<BankEntry> After(size_t n, unsigned salt)
{
    std::vector<BankEntry> list = CBankBuilder::Entries(n);
    for (size_t i = 0; i < n; i += 2)
    {
        list[i].program = static_cast<uint16_t>((i * 7 + salt) % 300); // beyond 127 too, as files may hold
        list[i].variation = static_cast<uint8_t>((i + salt) % 256);
    }
    return list;
}

class SetFromCsvTest : public ::testing::Test
{
protected:
    SetFromCsvTest()
    {
        m_before.Prio("Csv", 9).Imap(Before(5), Before(3));
        m_after.Prio("Csv", 9).Imap(After(5, 1), After(3, 2));
        m_path = (m_dir / "bank.94b").string();
        m_csv = (m_dir / "map.csv").string();
        // The changed text is what info --csv says of the changed bank at the same path.
        m_after.WriteTo(m_path);
        m_changedText = RunCli({"info", "--csv", m_path}).out;
        m_before.WriteTo(m_path);
    }

    // Applies text as the CSV; the run's result.
    CliRun Apply(const std::string& text, std::vector<std::string> extra = {})
    {
        WriteFileText(m_csv, text);
        std::vector<std::string> args = {"set", m_path, "--from-csv", m_csv};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    }

    CTempDir m_dir;
    CBankBuilder m_before, m_after;
    std::string m_path, m_csv, m_changedText;
};

// Each line of text changed by f, line ends kept as "\n".
std::string EachLine(const std::string& text, const std::function<std::string(const std::string&)>& f)
{
    std::istringstream in(text);
    std::string line, out;
    while (std::getline(in, line))
        out += f(line) + "\n";
    return out;
}

std::string Quoted(const std::string& line)
{
    return "\"" + std::regex_replace(line, std::regex(","), "\",\"") + "\"";
}
} // namespace

TEST_F(SetFromCsvTest, InfoCsvEditedAndAppliedReadsBackAsTheEditedText)
{
    const std::string original = RunCli({"info", "--csv", m_path}).out;
    ASSERT_NE(original, m_changedText);
    CliRun r = Apply(m_changedText);
    EXPECT_EQ(0, r.code) << r.err;
    EXPECT_EQ(m_path + ": saved\n", r.out);
    EXPECT_EQ(m_changedText, RunCli({"info", "--csv", m_path}).out);
    EXPECT_EQ(m_after.Bytes(), ReadFileBytes(m_path));

    // The unchanged list applied again writes the same bytes.
    EXPECT_EQ(0, Apply(m_changedText).code);
    EXPECT_EQ(m_after.Bytes(), ReadFileBytes(m_path));
}

TEST_F(SetFromCsvTest, SpreadsheetFormsReadTheSame)
{
    const std::string crlf = EachLine(m_changedText, [](const std::string& l) { return l + "\r"; });
    const std::map<std::string, std::string> forms = {
        {"CR LF, BOM and a trailing empty line", "\xEF\xBB\xBF" + crlf + "\r\n"},
        {"every field quoted", EachLine(m_changedText, Quoted)},
        {"empty rows between", std::regex_replace(m_changedText, std::regex("\n"), "\n,,,,,,,,,\n\n")},
        {"columns reordered, list names as the page writes them, others dropped",
         EachLine(m_changedText,
                  [](const std::string& l)
                  {
                      std::smatch m;
                      std::regex_search(l, m, std::regex("^[^,]*,[^,]*,[^,]*,([^,]*),([^,]*),([^,]*),([^,]*),"));
                      const std::string list = m[1] == "list" ? "LIST" : m[1] == "drumset" ? "Drum Set" : "Instruments";
                      return std::string(m[4]) + ",x,\"" + list + "\"," + std::string(m[2]) + "," + std::string(m[3]);
                  })},
        {"a quoted name with a comma, a quote and a line break",
         std::regex_replace(m_changedText, std::regex(",Csv,"), ",\"C,s\"\"\nv\",")},
    };
    for (const auto& [name, text] : forms)
    {
        SCOPED_TRACE(name);
        m_before.WriteTo(m_path);
        CliRun r = Apply(text);
        EXPECT_EQ(0, r.code) << r.err;
        EXPECT_EQ(m_after.Bytes(), ReadFileBytes(m_path));
    }
}

TEST_F(SetFromCsvTest, EveryRefusalNamesTheLineAndLeavesTheBankAsItWas)
{
    const std::string head = "list,index,program,variation\n";
    struct REFUSAL
    {
        std::string text;
        int line;
        std::string reason;
    };
    const std::vector<REFUSAL> refusals = {
        {head + "instrument,0,1,1\nflute,0,1,1\n", 3, "unknown list 'flute'"},
        {head + "instrument,5,1,1\n", 2, "instrument 5 does not exist (the bank has 5)"},
        {head + "drumset,3,1,1\n", 2, "drum set 3 does not exist (the bank has 3)"},
        {head + "instrument,0,65536,0\n", 2, "program '65536' is not a whole number from 0 to 65535"},
        {head + "instrument,0,-1,0\n", 2, "program '-1' is not"},
        {head + "instrument,0,99999999999999999999999999,0\n", 2, "program '99999999999999999999999999' is not"},
        {head + "instrument,0,1,256\n", 2, "variation '256' is not a whole number from 0 to 255"},
        {head + "instrument,0,1,1.5\n", 2, "variation '1.5' is not"},
        {head + "instrument,-0,1,1\n", 2, "index '-0' is not a whole number"},
        {head + "instrument,2,1,1\n\ninstrument,2,3,3\n", 4, "instrument 2 is given twice (first on line 2)"},
        {head + "instrument,0,1\n", 2, "the line has 3 fields where the header has 4"},
        {head + "instrument,0,1,1,9\n", 2, "the line has 5 fields where the header has 4"},
        {head + "instrument,0,1,\"1\n\n", 2, "a quoted field is not closed"},
        {head + "instrument,0,1,1\ninstr\"ument,0,1,1\n", 3, "the line is not valid CSV"},
        {head + "instrument,0,1,1\ninstrument,1,\0,1\n"s, 3, "the line holds a NUL byte"},
        {"list,index,program\ninstrument,0,1\n", 1, "the header has no column 'variation'"},
        {"list,index,program,variation,Program\n", 1, "the header names the column 'program' twice"},
        {"", 1, "there is no header line"},
        {"\xEF\xBB\xBF\r\n\r\n", 1, "there is no header line"},
        {head + std::string(200000, '7') + ",0,0,0\n", 2, "the line is longer than 64 KiB"},
        {head + "instrument,0,1,1\n\"" + std::string(200000, 'x'), 3, "the line is longer than 64 KiB"},
        {head + std::string(1000, ',') + "\n", 2, "the line has more than 256 fields"},
    };
    for (const REFUSAL& refusal : refusals)
    {
        SCOPED_TRACE(refusal.reason);
        CliRun r = Apply(refusal.text, {"--backup", "--name", "New"});
        EXPECT_EQ(1, r.code);
        EXPECT_THAT(r.err,
                    HasSubstr("orvane-cli: " + m_csv + ":" + std::to_string(refusal.line) + ": " + refusal.reason));
        EXPECT_EQ("", r.out);
        EXPECT_EQ(m_before.Bytes(), ReadFileBytes(m_path));
        EXPECT_FALSE(std::filesystem::exists(m_path + ".bak"));
    }

    // A file that cannot be read is a usage error; --from-csv with --instrument too.
    EXPECT_EQ(2, RunCli({"set", m_path, "--from-csv", (m_dir / "missing.csv").string()}).code);
    EXPECT_EQ(2, RunCli({"set", m_path, "--from-csv", m_dir.Path().string()}).code);
    EXPECT_EQ(2, RunCli({"set", m_path, "--from-csv", m_csv, "--instrument", "0=1:1"}).code);
    EXPECT_EQ(m_before.Bytes(), ReadFileBytes(m_path));
}

TEST_F(SetFromCsvTest, AMillionLinesAreReadInBoundedMemoryUpToTheirFault)
{
    // A million empty rows, then a fault on the last line; and a million rows on a bank of 5
    // entries, refused at the first row past its lists.
    std::string blank = "list,index,program,variation\n";
    blank.reserve(blank.size() + 5000000);
    for (int i = 0; i < 1000000; ++i)
        blank += ",,,\n";
    CliRun r = Apply(blank + "instrument,0,1,x\n");
    EXPECT_EQ(1, r.code);
    EXPECT_THAT(r.err, HasSubstr(":1000002: variation 'x'"));

    // Empty and blank lines are no line too long, however many there are.
    std::string empty = "list,index,program,variation\n";
    for (int i = 0; i < 100000; ++i)
        empty += i % 2 ? "\n" : "  \r\n";
    r = Apply(empty + "instrument,0,1,x\n");
    EXPECT_EQ(1, r.code);
    EXPECT_THAT(r.err, HasSubstr(":100002: variation 'x'"));

    std::string rows = "list,index,program,variation\n";
    for (int i = 0; i < 1000000; ++i)
        rows += "instrument," + std::to_string(i) + ",1,1\n";
    r = Apply(rows);
    EXPECT_EQ(1, r.code);
    EXPECT_THAT(r.err, HasSubstr(":7: instrument 5 does not exist"));
    EXPECT_EQ(m_before.Bytes(), ReadFileBytes(m_path));
}

TEST_F(SetFromCsvTest, DryRunPrintsTheEntriesThatWouldChangeAndWritesNothing)
{
    CliRun r = Apply("list,index,program,variation\ninstrument,0,0,0\ninstrument,1,5,1\ndrumset,2,200,255\n",
                     {"--dry-run", "--priority", "9"});
    EXPECT_EQ(0, r.code) << r.err;
    EXPECT_EQ("instrument 1: 1:1 -> 5:1\ndrumset 2: 2:2 -> 200:255\n", r.out);
    EXPECT_EQ(m_before.Bytes(), ReadFileBytes(m_path));
}

TEST_F(SetFromCsvTest, ReadsStandardInput)
{
    std::istringstream in(m_changedText);
    std::streambuf* saved = std::cin.rdbuf(in.rdbuf());
    CliRun r = RunCli({"set", m_path, "--from-csv", "-"});
    std::cin.rdbuf(saved);
    EXPECT_EQ(0, r.code) << r.err;
    EXPECT_EQ(m_after.Bytes(), ReadFileBytes(m_path));

    std::istringstream bad("list,index,program,variation\ninstrument,9,0,0\n");
    saved = std::cin.rdbuf(bad.rdbuf());
    r = RunCli({"set", m_path, "--from-csv", "-"});
    std::cin.rdbuf(saved);
    EXPECT_EQ(1, r.code);
    EXPECT_THAT(r.err, HasSubstr("orvane-cli: <stdin>:2: instrument 9 does not exist"));
}

TEST(SetFromCsvHelpTest, HelpNamesTheOptionAndTheRangesItTakes)
{
    const std::string help = RunCli({"set", "--help"}).out;
    EXPECT_THAT(help, HasSubstr("--from-csv FILE"));
    EXPECT_THAT(help, HasSubstr("--dry-run"));
    EXPECT_THAT(help, HasSubstr("Programs may be 0 to 65535"));
    EXPECT_THAT(help, HasSubstr("and variations 0 to 255"));
}
