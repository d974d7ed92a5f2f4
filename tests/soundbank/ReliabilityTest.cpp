// What the bank's writers do when the file system is hostile: special files, links, banks
// replaced behind the program's back, read-only banks, size limits, holes and owners.
#include "base/WriterLock.h"
#include "res/StringTable.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace
{
using Bytes = std::vector<unsigned char>;

class ReliabilityTest : public ::testing::Test
{
protected:
    static CBankBuilder Converted()
    {
        CBankBuilder b;
        b.Filler(30).Ttma(64).Filler(10).Prio("Convert", 8, "TTPR").Imap(CBankBuilder::Entries(4), {}, "TTIM");
        return b;
    }
    static CBankBuilder Plain()
    {
        CBankBuilder b;
        b.Prio("Plain", 3).Filler(20).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
        return b;
    }
    std::filesystem::path Write(const CBankBuilder& b, const std::string& name = "bank.94b")
    {
        const auto path = m_dir / name;
        b.WriteTo(path);
        return path;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_dir.Path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Details(const CMessageRecorder& messages)
    {
        std::string all;
        for (const auto& m : messages.m_messages)
            all += m.detail + "\n";
        return all;
    }

    CTempDir m_dir;
    REPAIRPOLICY m_repair{REPAIRPOLICY::Automatic, false};
    REPAIRPOLICY m_never{REPAIRPOLICY::Never, false};
};
} // namespace

TEST_F(ReliabilityTest, SpecialFilesAreRefusedAtOnceAndNeverUsedAsTemporaryFiles)
{
    const auto fifo = m_dir / "fifo.94b";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    CMessageRecorder messages;
    CSoundBank bank;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, bank.Load(fifo, m_repair));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_THAT(messages.Texts(), ElementsAre(GetString(IDS_CANTOPENFILE)));
    EXPECT_THAT(Details(messages), HasSubstr("fifo.94b: not a regular file"));

    // FIFOs where the repair and the backup would put their temporary files: left alone, and
    // the repair and backup still made under other names.
    const auto path = Write(Converted());
    ASSERT_EQ(0, ::mkfifo((path.string() + ".new").c_str(), 0600));
    ASSERT_EQ(0, ::mkfifo((path.string() + ".bak.new").c_str(), 0600));
    CMessageRecorder quiet;
    CSoundBank converted;
    ASSERT_EQ(1, converted.Load(path, REPAIRPOLICY{REPAIRPOLICY::Automatic, true}));
    EXPECT_EQ(CSoundBank::RepairDone, converted.GetRepairOutcome());
    EXPECT_THAT(quiet.Texts(), IsEmpty());
    EXPECT_EQ(Converted().Bytes(), ReadFileBytes(path.string() + ".bak"));
    struct stat st;
    ASSERT_EQ(0, ::lstat((path.string() + ".new").c_str(), &st));
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ((std::vector<std::string>{"bank.94b", "bank.94b.bak", "bank.94b.bak.new", "bank.94b.new", "fifo.94b"}),
              Names());
}

TEST_F(ReliabilityTest, LinksAreNeverFollowedToTemporaryFilesAndRepairKeepsALinkALink)
{
    const auto real = Write(Converted(), "real.94b");
    const auto victim = m_dir / "victim";
    WriteFileText(victim, "not a bank");
    std::filesystem::create_symlink(victim, m_dir / "real.94b.new");
    std::filesystem::create_symlink(real, m_dir / "link.94b");

    CMessageRecorder quiet;
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(m_dir / "link.94b", m_repair));
    EXPECT_EQ(CSoundBank::RepairDone, bank.GetRepairOutcome());
    EXPECT_EQ("not a bank", ReadFileText(victim));
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "link.94b"));
    EXPECT_FALSE(std::filesystem::is_symlink(real));
    EXPECT_NE(Converted().Bytes(), ReadFileBytes(real)); // the file the link leads to is repaired
    CSoundBank again;
    ASSERT_EQ(1, again.Load(real, m_never));
    EXPECT_FALSE(again.IsConvertedBank(real));
}

TEST_F(ReliabilityTest, ABankReplacedOrChangedSinceItWasReadIsNeverWrittenOver)
{
    const auto path = Write(Plain());
    CMessageRecorder messages;
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(path, m_never));
    bank.m_wPriority = 99;

    // Another program saves a newer bank of the same layout by replacing the file.
    CBankBuilder newer;
    newer.Prio("Newer", 7).Filler(20).Imap(CBankBuilder::Entries(3), CBankBuilder::Entries(2));
    newer.WriteTo(m_dir / "other");
    std::filesystem::rename(m_dir / "other", path);
    EXPECT_EQ(0, bank.SaveInPlace());
    EXPECT_EQ(newer.Bytes(), ReadFileBytes(path));
    EXPECT_THAT(Details(messages), HasSubstr("changed by another program; nothing was written"));

    // A bank read again can be saved, twice in a row (the save remembers what it wrote).
    ASSERT_EQ(1, bank.Load(path, m_never));
    bank.m_wPriority = 99;
    EXPECT_EQ(1, bank.SaveInPlace());
    bank.m_wPriority = 98;
    EXPECT_EQ(1, bank.SaveInPlace());

    // The repair checks the same before it replaces the bank.
    const auto tts = Write(Converted(), "tts.94b");
    CSoundBank converted;
    ASSERT_EQ(1, converted.Load(tts, m_never));
    CBankBuilder changed = Converted();
    changed.Filler(5);
    changed.WriteTo(tts);
    EXPECT_EQ(0, converted.RepairTts(tts));
    EXPECT_EQ(changed.Bytes(), ReadFileBytes(tts));
    EXPECT_FALSE(std::filesystem::exists(tts.string() + ".new"));
}

TEST_F(ReliabilityTest, ReadOnlyBanksAreRefusedByEveryWriterWhoeverRunsIt)
{
    const auto plain = Write(Plain());
    const auto tts = Write(Converted(), "tts.94b");
    ::chmod(plain.c_str(), 0444);
    ::chmod(tts.c_str(), 0444);
    CMessageRecorder messages;
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(plain, m_never));
    bank.m_wPriority = 1;
    EXPECT_EQ(0, bank.SaveInPlace());
    EXPECT_EQ(Plain().Bytes(), ReadFileBytes(plain));
    CSoundBank converted;
    ASSERT_EQ(1, converted.Load(tts, m_repair));
    EXPECT_EQ(CSoundBank::RepairFailed, converted.GetRepairOutcome());
    EXPECT_EQ(Converted().Bytes(), ReadFileBytes(tts));
    EXPECT_THAT(Names(), ElementsAre("bank.94b", "tts.94b"));
}

TEST_F(ReliabilityTest, ASizeLimitFailsTheWriteBackInsteadOfKillingItHalfway)
{
    // The priority chunk lies below the limit, the entries above it: before, SIGXFSZ killed the
    // save between its two writes and left a new name with the old entries.
    CBankBuilder b;
    b.Prio("Limit", 3).Filler(200000).Imap(CBankBuilder::Entries(3), {});
    const auto path = Write(b);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        CMessageRecorder quiet;
        CSoundBank bank;
        if (!bank.Load(path, m_never))
            ::_exit(10);
        bank.m_strBankName = "NewName";
        bank.SetInstrument(0, 77, 7);
        struct rlimit limit
        {
            100000, 100000
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(bank.SaveInPlace() == 0 && quiet.Texts().size() == 1 ? 0 : 11);
    }
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_EQ(b.Bytes(), ReadFileBytes(path));
}

TEST_F(ReliabilityTest, RepairKeepsHolesOwnerAndWorksForNamesTooLongForATemporaryName)
{
    // A converted bank with 32 MiB of holes after its chunks stays sparse.
    const auto sparse = Write(Converted(), "sparse.94b");
    ASSERT_EQ(0, ::truncate(sparse.c_str(), 32 << 20));
    if (geteuid() == 0)
    {
        ASSERT_EQ(0, ::chown(sparse.c_str(), 4321, 4322));
    }
    CMessageRecorder quiet;
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(sparse, m_repair));
    ASSERT_EQ(CSoundBank::RepairDone, bank.GetRepairOutcome());
    struct stat st;
    ASSERT_EQ(0, ::stat(sparse.c_str(), &st));
    EXPECT_EQ(32 << 20, st.st_size);
    EXPECT_LT(st.st_blocks * 512, 1 << 20);
    if (geteuid() == 0)
    {
        EXPECT_EQ(4321u, st.st_uid);
        EXPECT_EQ(4322u, st.st_gid);
    }

    // 252 and 255 characters: "<name>.new" does not fit in a directory entry.
    for (size_t length : {252u, 255u})
    {
        const auto path = Write(Converted(), std::string(length - 4, 'n') + ".94b");
        CSoundBank longBank;
        ASSERT_EQ(1, longBank.Load(path, m_repair));
        EXPECT_EQ(CSoundBank::RepairDone, longBank.GetRepairOutcome()) << length;
    }
    EXPECT_THAT(quiet.Texts(), IsEmpty());
    EXPECT_EQ(3u, Names().size()); // the three banks and nothing left behind
}

TEST_F(ReliabilityTest, TheBackupOfASparseBankStaysSparse)
{
    // 64 MiB of which a few hundred bytes are data: the chunks, a hole, a little data, a hole.
    CBankBuilder b;
    b.Prio("Sparse", 3).Imap(CBankBuilder::Entries(3), {});
    const auto path = Write(b, "sparse.94b");
    {
        std::FILE* f = std::fopen(path.c_str(), "r+b");
        ASSERT_NE(nullptr, f);
        ASSERT_EQ(0, std::fseek(f, 32 << 20, SEEK_SET));
        ASSERT_EQ(4u, std::fwrite("DATA", 1, 4, f));
        ASSERT_EQ(0, std::fclose(f));
    }
    ASSERT_EQ(0, ::truncate(path.c_str(), 64 << 20));
    const std::vector<unsigned char> original = ReadFileBytes(path);

    CMessageRecorder quiet;
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(path, m_repair));
    bank.m_wPriority = 9;
    ASSERT_EQ(1, bank.SaveWithBackup(true));
    EXPECT_THAT(quiet.Texts(), IsEmpty());
    const std::string backup = path.string() + ".bak";
    EXPECT_EQ(original, ReadFileBytes(backup));
    struct stat st;
    ASSERT_EQ(0, ::stat(backup.c_str(), &st));
    EXPECT_EQ(64 << 20, st.st_size);
    EXPECT_LT(st.st_blocks * 512, 1 << 20);
}

TEST_F(ReliabilityTest, AWriteWaitsForAnotherWritersLockAndThenSeesItsChange)
{
    CBankBuilder b;
    b.Prio("Locked", 3).Imap(CBankBuilder::Entries(2), {});
    const auto path = Write(b, "locked.94b");
    CMessageRecorder messages;
    CSoundBank bank;
    ASSERT_EQ(1, bank.Load(path, m_repair));
    bank.m_wPriority = 9;

    // Another writer holds the bank, changes its priority to 77 and lets go a little later.
    int ready[2];
    ASSERT_EQ(0, ::pipe(ready));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        ::close(ready[0]);
        CPosixFileSystem fs;
        CWriterLock lock(fs);
        if (!lock.Acquire(path))
            ::_exit(1);
        ::write(ready[1], "x", 1);
        ::usleep(200 * 1000);
        std::FILE* f = std::fopen(path.c_str(), "r+b");
        std::fseek(f, 16, SEEK_SET);
        std::fputc(77, f);
        std::fclose(f);
        ::usleep(100 * 1000);
        ::_exit(0);
    }
    ::close(ready[1]);
    char c;
    ASSERT_EQ(1, ::read(ready[0], &c, 1));
    ::close(ready[0]);
    EXPECT_EQ(0, bank.SaveInPlace()); // waited, then found the bank changed
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_EQ(77, ReadFileBytes(path)[16]);
    ASSERT_EQ(1u, messages.Texts().size());
    EXPECT_THAT(Details(messages), HasSubstr("changed by another program"));
}
