// Two writers of one bank at the same time: neither may silently undo the other, and a bank
// renamed over while it is written is reported, not taken for saved.
#include "base/FileSystem.h"
#include "support/BankBuilder.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

using ::testing::HasSubstr;

namespace
{
// Name at 8, priority at 16, instrument 0's program at 26 and its variation at 28.
class ConcurrentWritersTest : public ::testing::Test
{
protected:
    ConcurrentWritersTest()
    {
        m_bank.Prio("Both", 1).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
        m_path = (m_dir / "bank.94b").string();
        m_bank.WriteTo(m_path);
    }
    // Runs the command in a child process that waits until the gate's write end is closed
    // everywhere; returns its pid.
    pid_t Start(const std::vector<std::string>& args, const int gate[2])
    {
        pid_t pid = ::fork();
        if (pid == 0)
        {
            ::close(gate[1]);
            char c;
            while (::read(gate[0], &c, 1) > 0)
            {
            }
            std::freopen("/dev/null", "w", stderr);
            ::_exit(RunCli(args).code);
        }
        return pid;
    }
    static int Wait(pid_t pid)
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    CTempDir m_dir;
    CBankBuilder m_bank;
    std::string m_path;
};

// Sync of the bank's write renames another file over the bank first, as a `mv` at that
// moment would.
class CRenameDuringWrite : public CPosixFileSystem
{
public:
    CRenameDuringWrite(std::filesystem::path from, std::filesystem::path to)
        : m_from(std::move(from)), m_to(std::move(to)), m_scope(FileSystemSlot(), this)
    {
    }
    bool Sync(int handle) override
    {
        if (!m_bDone)
            m_bDone = std::rename(m_from.c_str(), m_to.c_str()) == 0;
        return CPosixFileSystem::Sync(handle);
    }

private:
    std::filesystem::path m_from, m_to;
    bool m_bDone = false;
    CSlot<IFileSystem>::CScope m_scope;
};
} // namespace

TEST_F(ConcurrentWritersTest, TwoSetsAtOnceNeverLoseEitherValue)
{
    int refused = 0;
    for (int round = 0; round < 200; ++round)
    {
        const int priority = 2 + round % 100;
        const int program = 1 + round % 120;
        int gate[2];
        ASSERT_EQ(0, ::pipe(gate));
        pid_t a = Start({"set", m_path, "--priority", std::to_string(priority)}, gate);
        pid_t b = Start({"set", m_path, "--instrument", "0=" + std::to_string(program) + ":7"}, gate);
        ::close(gate[0]);
        ::close(gate[1]); // both start now
        const int codeA = Wait(a), codeB = Wait(b);
        ASSERT_TRUE(codeA == 0 || codeA == 1) << "round " << round;
        ASSERT_TRUE(codeB == 0 || codeB == 1) << "round " << round;
        refused += (codeA != 0) + (codeB != 0);
        const std::vector<unsigned char> bytes = ReadFileBytes(m_path);
        ASSERT_EQ(m_bank.Size(), bytes.size());
        if (codeA == 0)
        {
            ASSERT_EQ(priority, bytes[16] | bytes[17] << 8) << "round " << round << ": the priority was lost";
        }
        if (codeB == 0)
        {
            ASSERT_EQ(program, bytes[26] | bytes[27] << 8) << "round " << round << ": the program was lost";
            ASSERT_EQ(7, bytes[28]);
        }
    }
    // Waiting for the other writer is the rule; refusing is the exception.
    EXPECT_LT(refused, 20);
}

TEST_F(ConcurrentWritersTest, ABankRenamedOverWhileItIsWrittenIsReportedNotSaved)
{
    CBankBuilder other;
    other.Prio("Other", 9).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
    const std::string otherPath = (m_dir / "other.94b").string();
    other.WriteTo(otherPath);
    CliRun r;
    {
        CRenameDuringWrite mv(otherPath, m_path);
        r = RunCli({"set", m_path, "--priority", "99"});
    }
    EXPECT_EQ(1, r.code);
    EXPECT_EQ("", r.out);
    EXPECT_THAT(r.err, HasSubstr("the file was replaced while it was written"));
    EXPECT_EQ(other.Bytes(), ReadFileBytes(m_path));
}
