// The desktop program itself, started twice on the display: each running program writes its page
// into a private directory of its own, and ending it (as the session does, with SIGTERM) closes
// its window and removes that directory. SIGTERM writes the settings as File > Exit does, and a
// program killed outright still leaves the recent-file list written when the bank was opened.
#include "app/Settings.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <wx/utils.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace
{
const std::string kProgram = ORVANE_BIN_DIR "/orvane";

// Starts the program on bank with its temporary and configuration directories below dir.
pid_t StartProgram(const CTempDir& dir, const std::string& bank)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
    {
        std::string entry = *e;
        if (entry.rfind("TMPDIR=", 0) != 0 && entry.rfind("XDG_CONFIG_HOME=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("TMPDIR=" + (dir / "tmp").string());
    env.push_back("XDG_CONFIG_HOME=" + (dir / "config").string());
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = kProgram;
    std::string argument = bank;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    return ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) == 0 ? pid : 0;
}

// The page directories below tmp that hold a page.
std::vector<fs::path> PageDirectories(const fs::path& tmp)
{
    std::vector<fs::path> dirs;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(tmp, ec))
        // The page, or the page being written while a message about its bank is on show.
        if (entry.path().filename().string().rfind("orvane-", 0) == 0 &&
            (fs::exists(entry.path() / "midimap.html") || fs::exists(entry.path() / "midimap.html.new")))
            dirs.push_back(entry.path());
    return dirs;
}

// Waits up to about ten seconds for the program to end and gives its wait status; -1 when it
// had to be killed.
int WaitStatus(pid_t pid)
{
    for (int i = 0; i < 200; ++i)
    {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return status;
        wxMilliSleep(50);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return -1;
}

bool EndedNormally(pid_t pid)
{
    int status = WaitStatus(pid);
    return status != -1 && WIFEXITED(status);
}

TEST(OrvaneProgramGuiTest, TwoRunningProgramsKeepTheirPagesApartAndRemoveThemWhenTheyEnd)
{
    if (::access(kProgram.c_str(), X_OK) != 0)
        GTEST_SKIP() << kProgram << " is not built";
    CTempDir dir;
    fs::create_directory(dir / "tmp");
    std::string bank = (dir / "demo.94b").string();
    CBankBuilder builder;
    builder.Filler(16).Prio("Concert", 3).Imap({{0, 0}, {1, 0}}, {{0, 0}}).Filler(8);
    ASSERT_TRUE(builder.WriteTo(bank));

    pid_t first = StartProgram(dir, bank);
    pid_t second = StartProgram(dir, bank);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    std::vector<fs::path> pages;
    for (int i = 0; i < 200 && pages.size() < 2; ++i)
    {
        wxMilliSleep(50);
        pages = PageDirectories(dir / "tmp");
    }
    ASSERT_EQ(pages.size(), 2u);
    for (const fs::path& page : pages)
    {
        struct stat st{};
        ASSERT_EQ(::lstat(page.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << page;
    }

    ::kill(first, SIGTERM);
    EXPECT_TRUE(EndedNormally(first));
    EXPECT_EQ(PageDirectories(dir / "tmp").size(), 1u);
    ::kill(second, SIGTERM);
    EXPECT_TRUE(EndedNormally(second));
    std::error_code ec;
    EXPECT_TRUE(fs::is_empty(dir / "tmp", ec));
}
// With a message box on show the window cannot close: the directory is still removed, and the
// signal ends the program.
TEST(OrvaneProgramGuiTest, SignalDuringAMessageBoxStillRemovesThePageDirectory)
{
    if (::access(kProgram.c_str(), X_OK) != 0)
        GTEST_SKIP() << kProgram << " is not built";
    CTempDir dir;
    fs::create_directory(dir / "tmp");
    // A file that is no bank: its page is written, then "Unable to find PRIO chunk !" is shown.
    WriteFileText(dir / "notes.txt", "no chunks here\n");
    pid_t pid = StartProgram(dir, (dir / "notes.txt").string());
    ASSERT_NE(pid, 0);
    for (int i = 0; i < 200 && PageDirectories(dir / "tmp").empty(); ++i)
        wxMilliSleep(50);
    ASSERT_EQ(PageDirectories(dir / "tmp").size(), 1u);
    wxMilliSleep(500);
    ::kill(pid, SIGTERM);
    int status = WaitStatus(pid);
    EXPECT_TRUE(status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    std::error_code ec;
    EXPECT_TRUE(fs::is_empty(dir / "tmp", ec));
}

// The files below config that hold text, with their text.
std::string ConfigFileHolding(const fs::path& config, const std::string& text)
{
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(config, ec))
        if (entry.is_regular_file() && ReadFileText(entry.path()).find(text) != std::string::npos)
            return entry.path().string();
    return "";
}

TEST(OrvaneProgramGuiTest, SigtermWritesTheSettingsAndAKilledProgramKeepsItsRecentFiles)
{
    if (::access(kProgram.c_str(), X_OK) != 0)
        GTEST_SKIP() << kProgram << " is not built";
    CTempDir dir;
    fs::create_directory(dir / "tmp");
    // The user's settings file, so that the program reads and writes it rather than the one
    // beside the program.
    const fs::path settings = dir / "config" / "orvane" / "qzr.opt";
    fs::create_directories(settings.parent_path());
    CSettings chosen;
    chosen.m_crTextColor = 0x00123456;
    ASSERT_EQ(1, chosen.Save(settings));
    const auto inodeOf = [](const fs::path& path)
    {
        struct stat st = {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    };
    const auto before = inodeOf(settings);
    std::string bank = (dir / "kept.94b").string();
    CBankBuilder builder;
    builder.Filler(16).Prio("Kept", 3).Imap({{0, 0}, {1, 0}}, {{0, 0}}).Filler(8);
    ASSERT_TRUE(builder.WriteTo(bank));

    // Killed outright once its page is on show: the bank is in the recent-file list already.
    pid_t killed = StartProgram(dir, bank);
    ASSERT_NE(killed, 0);
    for (int i = 0; i < 200 && ConfigFileHolding(dir / "config", "kept.94b").empty(); ++i)
        wxMilliSleep(50);
    ::kill(killed, SIGKILL);
    WaitStatus(killed);
    EXPECT_FALSE(ConfigFileHolding(dir / "config", "kept.94b").empty());
    // The killed program's page directory stays behind; the next one's is waited for.
    fs::remove_all(dir / "tmp");
    fs::create_directory(dir / "tmp");

    // Ended by the session: the window closes as File > Exit closes it, writing the settings.
    pid_t ended = StartProgram(dir, bank);
    ASSERT_NE(ended, 0);
    for (int i = 0; i < 200 && PageDirectories(dir / "tmp").empty(); ++i)
        wxMilliSleep(50);
    wxMilliSleep(300);
    ::kill(ended, SIGTERM);
    EXPECT_TRUE(EndedNormally(ended));
    EXPECT_NE(before, inodeOf(settings)) << "the settings file was not written again";
    CSettings read;
    ASSERT_EQ(1, read.Load(settings));
    EXPECT_EQ(0x00123456u, read.m_crTextColor);
}
} // namespace
