// Replacing a file through a temporary one: what is left behind after failures and signals.
#include "base/FileSystem.h"
#include "base/ReplaceFile.h"
#include "base/SignalGuard.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

TEST(ReplaceFileTest, GivenUpAndInterruptedReplacementsLeaveNothingBehind)
{
    CTempDir dir;
    const auto target = dir / "file";
    WriteFileText(target, "old");
    CPosixFileSystem fs;
    {
        CReplacingFile replacing(fs, target);
        ASSERT_TRUE(replacing.Create(0644));
        ASSERT_TRUE(replacing.Write(0, "new", 3));
        EXPECT_TRUE(std::filesystem::exists(replacing.TempPath()));
    } // given up without a commit
    EXPECT_EQ("old", ReadFileText(target));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));

    // SIGTERM in the middle of a replacement: the handler removes the temporary file and the
    // program ends with 143.
    for (int sig : {SIGTERM, SIGINT})
    {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            RemoveTempFilesOnSignals();
            CReplacingFile replacing(fs, target);
            if (!replacing.Create(0644) || !replacing.Write(0, "partial", 7))
                ::_exit(1);
            ::raise(sig);
            ::_exit(2);
        }
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0));
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(128 + sig, WEXITSTATUS(status));
        EXPECT_EQ("old", ReadFileText(target));
        EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
    }
}

TEST(ReplaceFileTest, ATemporaryFileAnotherWriterHoldsIsLeftAloneAndAStaleOneRemoved)
{
    CTempDir dir;
    const auto target = dir / "bank.94b";
    WriteFileText(target, "old");
    CPosixFileSystem fs;

    // Another writer is writing "bank.94b.new" now: its file stays, a unique name is used.
    CReplacingFile first(fs, target);
    ASSERT_TRUE(first.Create(0644));
    ASSERT_TRUE(first.Write(0, "first", 5));
    {
        CReplacingFile second(fs, target);
        ASSERT_TRUE(second.Create(0644));
        EXPECT_NE(first.TempPath(), second.TempPath());
        ASSERT_TRUE(second.Write(0, "second", 6));
        ASSERT_TRUE(second.Commit());
    }
    EXPECT_EQ("first", ReadFileText(first.TempPath()));
    ASSERT_TRUE(first.Commit());
    EXPECT_EQ("first", ReadFileText(target));

    // One left by a writer that is gone is taken over.
    WriteFileText(dir / "bank.94b.new", "stale");
    CReplacingFile third(fs, target);
    ASSERT_TRUE(third.Create(0644));
    EXPECT_EQ(dir / "bank.94b.new", third.TempPath());
}
