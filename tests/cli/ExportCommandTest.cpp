// orvane-cli export: one bank, a set of banks, the output file, and what is refused or warned of.
#include "cli/Cli.h"
#include "support/BankBuilder.h"
#include "support/CliRunner.h"
#include "support/InstrDefReaders.h"
#include "support/MidnamDtd.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace
{
BankEntry Entry(uint16_t program, uint8_t variation)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

class ExportCommandTest : public ::testing::Test
{
protected:
    ExportCommandTest()
    {
        std::filesystem::create_directories(m_dir / "set");
        CBankBuilder a, b, c;
        a.Prio("Alpha", 10).Imap({Entry(0, 0), Entry(5, 1), Entry(300, 0)}, {Entry(0, 0)});
        b.Prio("Beta", 10).Imap({Entry(5, 1), Entry(7, 0)}, {});
        c.Prio("Gamma", 20).Imap({Entry(7, 0)}, {Entry(0, 0)});
        a.WriteTo(m_dir / "set" / "a.94b");
        b.WriteTo(m_dir / "set" / "b.94b");
        c.WriteTo(m_dir / "set" / "c.94b");
    }
    std::string Bank(const std::string& name) const { return (m_dir / "set" / name).string(); }
    CTempDir m_dir;
};
} // namespace

TEST_F(ExportCommandTest, OneBankToStandardOutputIsAValidMidnamOfItsEntries)
{
    CliRun r = RunCli({"export", "--format", "midnam", Bank("a.94b")});
    EXPECT_EQ(0, r.code) << r.err;
    MIDNAMREAD read = ReadMidnam(r.out, kMidnamDtd);
    EXPECT_TRUE(read.bValid);
    EXPECT_EQ("Alpha", read.strModel);
    const std::vector<READPATCH> expected = {
        {false, 0, 0, "Acoustic Grand Piano"}, {false, 5, 1, "Electric Piano 2 (Alpha)"}, {true, 0, 0, "Standard"}};
    EXPECT_EQ(Sorted(expected), Sorted(read.patches));
    EXPECT_EQ("orvane-cli: warning: 1 entry left out: programs above 127 cannot be selected by a program change\n",
              r.err);
}

TEST_F(ExportCommandTest, ASetGivesTheAnswersAndMarksEachContenderOfAnUndecidedSlot)
{
    CliRun r = RunCli({"export", "--format", "reabank", "--device", "Card", (m_dir / "set").string()});
    EXPECT_EQ(0, r.code) << r.err;
    const std::vector<READPATCH> expected = {
        {false, 0, 0, "Acoustic Grand Piano (Alpha)"},
        {false, 5, 1, "Electric Piano 2 (Alpha) ? / Electric Piano 2 (Beta) ?"},
        {false, 7, 0, "Clavi (Gamma)"},
        {true, 0, 0, "Standard (Gamma)"},
    };
    EXPECT_EQ(Sorted(expected), Sorted(ReadReabank(r.out)));
    EXPECT_THAT(r.out, HasSubstr("for Card,"));

    CliRun answered = RunCli({"export", "--format", "cubase", "--answered-only", (m_dir / "set").string()});
    EXPECT_EQ(0, answered.code);
    EXPECT_EQ(3u, ReadCubase(answered.out).size());
    EXPECT_THAT(answered.err, HasSubstr("1 undecided slots left out"));
}

TEST_F(ExportCommandTest, WritesTheFileInOnePieceAndNeverOverABank)
{
    const std::string out = (m_dir / "card.ins").string();
    CliRun r = RunCli({"export", "--format", "ins", "-o", out, "--name", "{program}:{bank}", Bank("c.94b")});
    EXPECT_EQ(0, r.code) << r.err;
    EXPECT_EQ("", r.out);
    const std::vector<READPATCH> expected = {{false, 7, 0, "7:Gamma"}, {true, 0, 0, "0:Gamma"}};
    EXPECT_EQ(Sorted(expected), Sorted(ReadIns(ReadFileText(out))));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(m_dir.Path()), {})); // no temporary left

    const std::vector<unsigned char> before = ReadFileBytes(Bank("c.94b"));
    CliRun clash = RunCli({"export", "--format", "csv", "-o", Bank("c.94b"), Bank("c.94b")});
    EXPECT_EQ(2, clash.code);
    EXPECT_THAT(clash.err, HasSubstr("would overwrite the bank"));
    EXPECT_EQ(before, ReadFileBytes(Bank("c.94b")));

    CliRun dash = RunCli({"export", "--format", "csv", "-o", "-", Bank("c.94b")});
    EXPECT_EQ(3u, ReadCsvRecords(dash.out).size());
}

TEST_F(ExportCommandTest, AnUnreadableBankFailsWhileTheOthersAreExported)
{
    WriteFileText(m_dir / "set" / "broken.94b", "no chunks here");
    CliRun r = RunCli({"export", "--format", "csv", Bank("broken.94b"), Bank("c.94b")});
    EXPECT_EQ(1, r.code);
    EXPECT_THAT(r.err, HasSubstr("broken.94b"));
    EXPECT_EQ(3u, ReadCsvRecords(r.out).size());

    // With nothing read, an older definition is not replaced by an empty one.
    WriteFileText(m_dir / "card.csv", "older");
    CliRun none = RunCli({"export", "--format", "csv", "-o", (m_dir / "card.csv").string(), Bank("broken.94b")});
    EXPECT_EQ(1, none.code);
    EXPECT_EQ("older", ReadFileText(m_dir / "card.csv"));
}

TEST_F(ExportCommandTest, UsageErrorsExitWithTwoAndWriteNothing)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", "--format", "midnam", "--name", "{gm} {voice}", Bank("a.94b")},
          {"export", "--format", "sf2", Bank("a.94b")},
          {"export", Bank("a.94b")},
          {"export", "--format", "ins"}})
    {
        CliRun r = RunCli(args);
        EXPECT_EQ(2, r.code) << r.err;
        EXPECT_EQ("", r.out);
    }
    EXPECT_THAT(RunCli({"export", "--format", "ins", "--name", "{voice}", Bank("a.94b")}).err,
                HasSubstr("unknown field {voice}"));
}
