// orvane-cli zip: the archive holds the page 'map' renders and the bank, byte for byte.
#include "cli/Cli.h"
#include "report/PageText.h"
#include "res/ProgramDirectory.h"
#include "support/TempDir.h"
#include "zipexport/ZipBinding.h"
#include "zipexport/ZipReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using ::testing::HasSubstr;

namespace
{
const std::string kTemplate = std::string(ORVANE_SOURCE_DIR) + "/share/Qzr.mas";
const std::string kDemoBank = std::string(ORVANE_SOURCE_DIR) + "/examples/demo.94b";

int RunCli(const std::vector<std::string>& args, std::string& out, std::string& err)
{
    std::ostringstream o, e;
    int code = CliMain(args, o, e);
    out = o.str();
    err = e.str();
    return code;
}

// The page without its date line: two renders may fall in different seconds.
std::string WithoutDate(const std::vector<unsigned char>& page)
{
    std::string text(page.begin(), page.end());
    size_t at = text.find("Mapping date: ");
    if (at != std::string::npos)
        text.erase(at, text.find('\n', at) - at);
    return text;
}

TEST(ZipCommandTest, ArchiveHoldsTheMappedPageAndTheBank)
{
    CTempDir dir;
    std::string archive = (dir / "demo.zip").string(), out, err;
    ASSERT_EQ(RunCli({"zip", kDemoBank, archive, "--template", kTemplate, "--text-color", "#102030"}, out, err), 0)
        << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");

    std::string page = (dir / "page.html").string();
    ASSERT_EQ(RunCli({"map", kDemoBank, "-o", page, "--template", kTemplate, "--text-color", "#102030"}, out, err), 0);

    std::string error;
    auto entries = ReadZipEntries(archive, error);
    ASSERT_EQ(error, "");
    // The archived page names the logo beside the program relatively, and the logo goes with it.
    const std::string logo = GetProgramDirectory() + "orvane-logo.png";
    std::string mapped = WithoutDate(ReadFileBytes(page));
    ASSERT_TRUE(ReplaceAll(mapped, logo, "orvane-logo.png"));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "midimap.html");
    EXPECT_EQ(WithoutDate(entries[0].bytes), mapped);
    EXPECT_EQ(entries[1].name, "demo.94b");
    EXPECT_EQ(entries[1].bytes, ReadFileBytes(kDemoBank));
    EXPECT_EQ(entries[2].name, "orvane-logo.png");
    EXPECT_EQ(entries[2].bytes, ReadFileBytes(logo));
}

TEST(ZipCommandTest, UsageBankAndLibraryFailures)
{
    CTempDir dir;
    std::string archive = (dir / "out.zip").string(), out, err;
    EXPECT_EQ(RunCli({"zip", kDemoBank}, out, err), 2);
    EXPECT_EQ(RunCli({"zip", kDemoBank, archive, "--colour"}, out, err), 2);
    EXPECT_EQ(RunCli({"zip", kDemoBank, archive, "--template", (dir / "none.mas").string()}, out, err), 2);
    EXPECT_EQ(RunCli({"zip", "--help"}, out, err), 0);
    EXPECT_THAT(out, HasSubstr("zip BANK ARCHIVE"));

    EXPECT_EQ(RunCli({"zip", (dir / "gone.94b").string(), archive, "--template", kTemplate}, out, err), 1);
    EXPECT_FALSE(std::filesystem::exists(archive));

    SetZipLibrarySearchList({});
    EXPECT_EQ(RunCli({"zip", kDemoBank, archive, "--template", kTemplate}, out, err), 2);
    ResetZipLibrarySearchList();
    EXPECT_THAT(err, HasSubstr("Cannot find libzip"));
    EXPECT_FALSE(std::filesystem::exists(archive));
}
} // namespace
