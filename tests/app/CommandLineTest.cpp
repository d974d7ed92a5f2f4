// The desktop program's --help and --version, answered before any window is made.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(CommandLineTest, HelpAndVersionAreAnsweredAnywhereBeforeTheEndOfOptions)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"--help"}, {"-h"}, {"bank.94b", "--help"}})
    {
        std::ostringstream out;
        EXPECT_EQ(AnswerInfoOption(args, out), 0);
        EXPECT_EQ(out.str(), DesktopHelpText());
    }
    std::ostringstream out;
    EXPECT_EQ(AnswerInfoOption({"--version"}, out), 0);
    EXPECT_EQ(out.str().rfind("orvane ", 0), 0u);
    EXPECT_EQ(out.str().back(), '\n');
}

TEST(CommandLineTest, BanksAndWordsAfterTheEndOfOptionsStartTheProgram)
{
    std::ostringstream out;
    EXPECT_EQ(AnswerInfoOption({}, out), -1);
    EXPECT_EQ(AnswerInfoOption({"bank.94b"}, out), -1);
    EXPECT_EQ(AnswerInfoOption({"--", "--help"}, out), -1);
    EXPECT_EQ(AnswerInfoOption({"--verbose", "help"}, out), -1);
    EXPECT_TRUE(out.str().empty());
}
