// Plain helpers of the desktop shell: the private directory of the mapping page, save names.
#include "app/ShellPaths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace
{
// The temporary directory of a child process (another running program), which ends as the
// program does, removing it.
std::string TempDirectoryOfAnotherProgram()
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "";
    pid_t pid = ::fork();
    if (pid == 0)
    {
        ::close(fds[0]);
        std::string dir = GetTempDirectory().string();
        ssize_t written = ::write(fds[1], dir.data(), dir.size());
        RemoveTempDirectory();
        ::_exit(written == static_cast<ssize_t>(dir.size()) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string dir;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        dir.append(buffer, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return dir;
}

TEST(TempDirectoryTest, EachRunningProgramHasItsOwnPrivateDirectoryRemovedWhenItEnds)
{
    fs::path mine = GetTempDirectory();
    EXPECT_EQ(GetTempDirectory(), mine);
    EXPECT_EQ(mine.parent_path(), fs::temp_directory_path());
    struct stat st{};
    ASSERT_EQ(::lstat(mine.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_uid, ::getuid());
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    std::string other = TempDirectoryOfAnotherProgram();
    ASSERT_FALSE(other.empty());
    EXPECT_NE(fs::path(other).lexically_normal(), mine.lexically_normal());
    EXPECT_FALSE(fs::exists(other));
    EXPECT_TRUE(fs::is_directory(mine));

    // The page goes with the directory; a later use makes a new one.
    std::ofstream(mine / "midimap.html") << "<html></html>\n";
    RemoveTempDirectory();
    EXPECT_FALSE(fs::exists(mine));
    fs::path next = GetTempDirectory();
    EXPECT_TRUE(fs::is_directory(next));
    RemoveTempDirectory();
    EXPECT_FALSE(fs::exists(next));
}

TEST(TempDirectoryTest, ADirectoryRemovedWhileTheProgramRunsIsMadeAnewAndNeverTakenOver)
{
    const fs::path first = GetTempDirectory();
    fs::remove_all(first); // a cleaner of the temporary directory
    const fs::path second = GetTempDirectory();
    EXPECT_TRUE(fs::is_directory(second));
    EXPECT_NE(first, second);

    // A link put where the directory was is not followed into.
    fs::remove_all(second);
    fs::create_directory_symlink(fs::temp_directory_path(), second);
    const fs::path third = GetTempDirectory();
    EXPECT_NE(second, third);
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(third)));
    fs::remove(second);
    RemoveTempDirectory();
}

TEST(ShellPathsTest, SaveNamesAndExtensions)
{
    EXPECT_EQ(SuggestedSaveName("/banks/piano.94b"), fs::path("/banks/piano"));
    EXPECT_EQ(SuggestedSaveName("/My.Banks/piano.94b"), fs::path("/My"));
    EXPECT_EQ(SuggestedSaveName(".hidden/piano.94b"), fs::path());
    EXPECT_EQ(SuggestedSaveName("/banks/piano"), fs::path());
    EXPECT_EQ(WithHtmExtension("/out/page"), fs::path("/out/page.htm"));
    EXPECT_EQ(WithHtmExtension("/out/page.html"), fs::path("/out/page.html"));
    EXPECT_EQ(WithHtmExtension("/my.dir/page"), fs::path("/my.dir/page.htm"));
    EXPECT_EQ(WithHtmExtension(""), fs::path());
}
} // namespace
