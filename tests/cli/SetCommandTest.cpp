// orvane-cli set: the bytes it writes, the values it refuses and the backup it makes.
#include "cli/Cli.h"
#include "support/CliRunner.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
using Bytes = std::vector<unsigned char>;

class SetCommandTest : public ::testing::Test
{
  protected:
    SetCommandTest()
    {
        // Name at 8, priority at 16, instruments from 26, drum sets from 26 + 18 + 2 = 46.
        m_bank.Prio("Old", 5).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
        m_path = (m_dir / "bank.94b").string();
        m_bank.WriteTo(m_path);
    }
    CTempDir m_dir;
    CBankBuilder m_bank;
    std::string m_path;
};
} // namespace

TEST_F(SetCommandTest, WritesTheGivenValuesInPlace)
{
    CliRun r = RunCli({"set", m_path, "--name", "Caf\xc3\xa9", "--priority", "100", "--instrument", "2=127:9",
                       "--drumset", "1=64:0", "--backup"});
    EXPECT_EQ(0, r.code);
    EXPECT_EQ(m_path + ": saved\n", r.out);
    EXPECT_EQ("", r.err);
    const Bytes after = ReadFileBytes(m_path);
    EXPECT_EQ(m_bank.Size(), after.size());
    EXPECT_EQ(std::string("Caf\xe9\0\0\0\0", 8), std::string(after.begin() + 8, after.begin() + 16));
    EXPECT_EQ(100, after[16]);
    EXPECT_THAT(ByteDifferences(m_bank.Bytes(), after), ElementsAre(8, 9, 10, 11, 16, 38, 40, 52, 54));
    EXPECT_EQ(127, after[38]);
    EXPECT_EQ(9, after[40]);
    EXPECT_EQ(64, after[52]);
    EXPECT_EQ(0, after[54]);
    EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path + ".bak"));

    // No changes at all writes the same bytes.
    EXPECT_EQ(0, RunCli({"set", m_path}).code);
    EXPECT_EQ(after, ReadFileBytes(m_path));
}

TEST_F(SetCommandTest, RefusesValuesTheInspectorRefusesAndWritesNothing)
{
    for (const std::vector<std::string>& extra :
         std::vector<std::vector<std::string>>{{"--priority", "128"},
                                               {"--priority", "-1"},
                                               {"--priority", "12x"},
                                               {"--instrument", "0=128:0"},
                                               {"--instrument", "0=1:300"},
                                               {"--instrument", "3=1:1"},
                                               {"--drumset", "2=1:1"},
                                               {"--drumset", "1:1"},
                                               {"--name", "NineChars"},
                                               {"--name", "\xe2\x82\xac\xe2\x98\x83"},
                                               {"--priority"},
                                               {"--colour", "1"}})
    {
        std::vector<std::string> args = {"set", m_path, "--backup", "--name", "New"};
        args.insert(args.end(), extra.begin(), extra.end());
        CliRun r = RunCli(args);
        SCOPED_TRACE(extra[0] + (extra.size() > 1 ? " " + extra[1] : ""));
        EXPECT_EQ(2, r.code);
        EXPECT_THAT(r.err, HasSubstr("orvane-cli: "));
        EXPECT_EQ(m_bank.Bytes(), ReadFileBytes(m_path));
        EXPECT_FALSE(std::filesystem::exists(m_path + ".bak"));
    }
    EXPECT_THAT(RunCli({"set", m_path, "--instrument", "3=1:1"}).err,
                HasSubstr("instrument 3 does not exist"));
    EXPECT_EQ(2, RunCli({"set"}).code);
    EXPECT_EQ(2, RunCli({"set", m_path, m_path}).code);
    EXPECT_EQ(1, RunCli({"set", (m_dir / "missing.94b").string(), "--priority", "1"}).code);
}

TEST_F(SetCommandTest, ConvertedBanksAreEditedWithoutRepair)
{
    CBankBuilder conv;
    conv.Ttma(8).Prio("Conv", 1, "TTPR").Imap(CBankBuilder::Entries(1), {}, "TTIM");
    std::string path = (m_dir / "conv.94b").string();
    conv.WriteTo(path);
    CliRun r = RunCli({"set", path, "--priority", "7"});
    EXPECT_EQ(0, r.code);
    EXPECT_EQ("", r.err); // the repair question is neither shown nor answered Yes
    const Bytes after = ReadFileBytes(path);
    EXPECT_THAT(ByteDifferences(conv.Bytes(), after), ElementsAre(16 + 16));
    EXPECT_EQ("TTMA", std::string(after.begin(), after.begin() + 4));
}

TEST_F(SetCommandTest, ABankCutShortAfterItsPriorityIdentifierIsSaidToEndEarly)
{
    CBankBuilder imap;
    imap.Imap(CBankBuilder::Entries(1), {});
    Bytes cut = imap.Bytes();
    for (char c : std::string("PRIO"))
        cut.push_back(static_cast<unsigned char>(c));
    const std::string path = (m_dir / "cut.94b").string();
    WriteFileBytes(path, cut);
    CliRun r = RunCli({"set", path, "--priority", "7"});
    EXPECT_EQ(1, r.code);
    EXPECT_THAT(r.err, HasSubstr("the file ended early"));
    EXPECT_THAT(r.err, ::testing::Not(HasSubstr("another program")));
    EXPECT_EQ(cut, ReadFileBytes(path));
}
