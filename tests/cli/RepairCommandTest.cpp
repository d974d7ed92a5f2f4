// orvane-cli repair: what it says per bank, its exit codes and the files it leaves.
#include "cli/Cli.h"
#include "support/CliRunner.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using ::testing::HasSubstr;

namespace
{
class RepairCommandTest : public ::testing::Test
{
  protected:
    std::string Bank(const CBankBuilder& b, const std::string& name)
    {
        std::string path = (m_dir / name).string();
        b.WriteTo(path);
        return path;
    }
    CTempDir m_dir;
};
} // namespace

TEST_F(RepairCommandTest, RepairsConvertedBanksAndReportsEachBank)
{
    CBankBuilder conv;
    conv.Filler(5).Ttma(20).Prio("Conv", 2, "TTPR").Imap(CBankBuilder::Entries(2), {}, "TTIM");
    CBankBuilder plain;
    plain.Prio("Plain", 1).Imap({}, {});
    std::string converted = Bank(conv, "conv.94b");
    std::string normal = Bank(plain, "plain.94b");

    CliRun r = RunCli({"repair", converted, normal});
    EXPECT_EQ(0, r.code);
    EXPECT_EQ(converted + ": repaired\n" + normal + ": nothing to repair\n", r.out);
    EXPECT_EQ("", r.err); // no question is asked
    const std::vector<unsigned char> repaired = ReadFileBytes(converted);
    EXPECT_EQ(conv.Size(), repaired.size());
    EXPECT_EQ("PRIO", std::string(repaired.begin() + 5, repaired.begin() + 9));
    EXPECT_EQ(plain.Bytes(), ReadFileBytes(normal));
    EXPECT_FALSE(std::filesystem::exists(converted + ".bak"));

    // Repairing again changes nothing.
    r = RunCli({"repair", converted});
    EXPECT_EQ(0, r.code);
    EXPECT_EQ(converted + ": nothing to repair\n", r.out);
    EXPECT_EQ(repaired, ReadFileBytes(converted));
}

TEST_F(RepairCommandTest, BackupAndFailures)
{
    CBankBuilder conv;
    conv.Ttma(8).Prio("Back", 2).Imap({}, {});
    std::string converted = Bank(conv, "back.94b");
    CliRun r = RunCli({"repair", "--backup", converted});
    EXPECT_EQ(0, r.code);
    EXPECT_EQ(conv.Bytes(), ReadFileBytes(converted + ".bak"));

    // A backup that cannot be made (a directory has its name) stops the repair of that bank.
    std::string noBackup = Bank(conv, "nobackup.94b");
    std::filesystem::create_directory(noBackup + ".bak");
    r = RunCli({"repair", "--backup", noBackup});
    EXPECT_EQ(1, r.code);
    EXPECT_EQ(noBackup + ": not repaired\n", r.out);
    EXPECT_THAT(r.err, HasSubstr("Unable to create backup"));
    EXPECT_EQ(conv.Bytes(), ReadFileBytes(noBackup));

    // A bank that cannot be repaired and one that cannot be read: exit 1, files untouched.
    CBankBuilder inside;
    inside.Chunk("TTMA", CBankBuilder().Prio("Inner", 1).Bytes()).Prio("Outer", 1).Imap({}, {});
    std::string bad = Bank(inside, "bad.94b");
    std::string missing = (m_dir / "missing.94b").string();
    r = RunCli({"repair", bad, missing});
    EXPECT_EQ(1, r.code);
    EXPECT_EQ(bad + ": not repaired\n" + missing + ": not repaired\n", r.out);
    EXPECT_THAT(r.err, HasSubstr("cannot be repaired"));
    EXPECT_THAT(r.err, HasSubstr("Unable to open file !"));
    EXPECT_EQ(inside.Bytes(), ReadFileBytes(bad));

    EXPECT_EQ(2, RunCli({"repair"}).code);
    EXPECT_EQ(2, RunCli({"repair", "--force", converted}).code);
    EXPECT_THAT(RunCli({"repair", "--help"}).out, HasSubstr("Usage: orvane-cli repair"));
}
