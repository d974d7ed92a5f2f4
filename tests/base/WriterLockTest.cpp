// The writer's lock: one holder at a time, a holder that keeps it too long, and a file renamed
// over the name by the writer before.
#include "base/WriterLock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(WriterLockTest, OneHolderAtATimeAndTheFileTheNameLeadsToIsTheOneLocked)
{
    CTempDir dir;
    const auto path = dir / "bank.94b";
    WriteFileText(path, "bank");
    CPosixFileSystem fs;

    CWriterLock first(fs);
    ASSERT_TRUE(first.Acquire(path));
    CWriterLock second(fs);
    EXPECT_FALSE(second.Acquire(path, 30));
    EXPECT_EQ(kErrBusy, second.Error());
    EXPECT_FALSE(second.IsHeld());

    // The first writer renames a new file over the bank and lets go: the second locks the new
    // file, not the one that was replaced.
    WriteFileText(dir / "new", "repaired");
    ASSERT_EQ(0, std::rename((dir / "new").c_str(), path.c_str()));
    first.Release();
    ASSERT_TRUE(second.Acquire(path, 30));
    CWriterLock third(fs);
    EXPECT_FALSE(third.Acquire(path, 30));

    CWriterLock missing(fs);
    EXPECT_FALSE(missing.Acquire(dir / "missing.94b"));
    EXPECT_EQ(ENOENT, missing.Error());
}
