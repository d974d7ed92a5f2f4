// The orvane-cli program itself, run as a user runs it: every command's help, the one-line usage
// errors, the version, JSON that strict parsers accept, RFC 4180 CSV and the banks of a folder
// that cannot be read.
#include "soundbank/BankName.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace
{
const std::string kTemplate = std::string(ORVANE_SOURCE_DIR) + "/share/Qzr.mas";

struct ProgramRun
{
    int code;
    std::string out;
    std::string err;
};

BankEntry Entry(uint16_t program, uint8_t variation)
{
    BankEntry e;
    e.program = program;
    e.variation = variation;
    return e;
}

class CliProgramTest : public ::testing::Test
{
protected:
    // Runs orvane-cli with args, its journal in the test's folder, and keeps what it printed.
    ProgramRun Run(const std::vector<std::string>& args)
    {
        const std::string cli = std::string(ORVANE_BIN_DIR) + "/orvane-cli";
        const std::string out = (m_dir / "stdout").string(), err = (m_dir / "stderr").string();
        const std::string state = (m_dir / "state").string();
        const pid_t pid = ::fork();
        if (pid == 0)
        {
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            ::setenv("XDG_STATE_HOME", state.c_str(), 1);
            std::vector<char*> argv{const_cast<char*>(cli.c_str())};
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(cli.c_str(), argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileText(out), ReadFileText(err)};
    }

    // A folder of two banks that overlap, one named with bytes that are not UTF-8 in a path that
    // is not UTF-8 either, and a file that is no bank.
    std::string Folder()
    {
        std::filesystem::create_directories(m_dir / "set");
        CBankBuilder a, b;
        a.Prio(m_strOddName, 9).Imap({Entry(5, 1), Entry(7, 0)}, {Entry(16, 0)});
        b.Prio("a,\"b", 20).Imap({Entry(5, 1)}, {});
        a.WriteTo(m_dir / "set" / "odd\xff\x01.94b");
        b.WriteTo(m_dir / "set" / "plain.94b");
        WriteFileText(m_dir / "set" / "junk.94b", "not a bank");
        return (m_dir / "set").string();
    }

    CTempDir m_dir;
    const std::string m_strOddName = "\x81\xff\"\\\x01\x7f";
};

const std::vector<std::pair<std::string, std::vector<std::string>>> kOptions = {
    {"info", {"--json", "--csv"}},
    {"map", {"-o", "-d", "--template", "--text-color", "--back-color", "--image", "--max-page-size"}},
    {"zip", {"--template", "--text-color", "--back-color", "--image", "--max-page-size"}},
    {"repair", {"--backup"}},
    {"set", {"--name", "--priority", "--instrument", "--drumset", "--from-csv", "--dry-run", "--backup"}},
    {"overlap", {"--json", "--csv"}},
    {"history", {"--json"}},
    {"undo", {}},
    {"redo", {}},
    {"ports", {"--json"}},
    {"play", {"--port", "--instrument", "--drumset", "--channel"}},
    {"tour", {"-o", "--seconds", "--channel"}},
};
} // namespace

TEST_F(CliProgramTest, EveryCommandsHelpNamesItsOptions)
{
    const ProgramRun tool = Run({"--help"});
    EXPECT_EQ(0, tool.code);
    EXPECT_EQ("", tool.err);
    EXPECT_THAT(tool.out, StartsWith("Usage: orvane-cli COMMAND"));
    EXPECT_THAT(tool.out, HasSubstr("\n  --version "));
    EXPECT_EQ(tool.out, Run({"help"}).out);
    for (const auto& [command, options] : kOptions)
    {
        EXPECT_THAT(tool.out, HasSubstr("\n  " + command + " ")) << command;
        const ProgramRun help = Run({command, "--help"});
        EXPECT_EQ(0, help.code) << command;
        EXPECT_EQ("", help.err) << command;
        EXPECT_THAT(help.out, StartsWith("Usage: orvane-cli " + command + " ")) << command;
        for (const std::string& option : options)
            EXPECT_THAT(help.out, HasSubstr("\n  " + option + " ")) << command << " " << option;
        EXPECT_THAT(help.out, ::testing::Not(HasSubstr("--help"))) << command;
        EXPECT_EQ(help.out, Run({command, "-h"}).out) << command;
    }
}

TEST_F(CliProgramTest, UsageErrorsAreOneLineNamingTheFaultAndAHint)
{
    const std::string bank = (m_dir / "bank.94b").string();
    CBankBuilder().Prio("Bank", 1).Imap(CBankBuilder::Entries(2), {}).WriteTo(bank);
    const std::vector<unsigned char> before = ReadFileBytes(bank);
    struct CASE
    {
        std::vector<std::string> args;
        std::string command, message;
    };
    std::vector<CASE> cases = {
        {{}, "", "no command given"},
        {{"frobnicate"}, "", "unknown command 'frobnicate'"},
        {{"--bogus"}, "", "unknown option '--bogus'"},
        {{"info", "--json", "--csv", bank}, "info", "give either --json or --csv, not both"},
        {{"overlap", "--csv", "--json", bank}, "overlap", "give either --json or --csv, not both"},
        {{"map", bank, "-o", "a.html", "-d", "pages"}, "map", "give either -o or -d, not both"},
        {{"map", bank, "--text-color", "red"}, "map", "--text-color: 'red' is not a colour like #rrggbb"},
        {{"map", bank, "--max-page-size", "12T"},
         "map",
         "--max-page-size: '12T' is not a size like 1000, 64K, 10M or 2G"},
        {{"map", bank, "--template"}, "map", "option '--template' needs a value"},
        {{"zip", bank}, "zip", "missing operand ARCHIVE"},
        {{"set", bank, "--priority", "300"}, "set", "--priority: '300' is not a number from 0 to 127"},
        {{"set", bank, "--priority", "1x"}, "set", "--priority: '1x' is not a number from 0 to 127"},
        {{"set", bank, "--instrument", "0=1:128"},
         "set",
         "--instrument: '0=1:128' is not INDEX=PROGRAM:VARIATION with values from 0 to 127"},
        {{"set", bank, "--name", "Ninechars"}, "set", "--name: the name 'Ninechars' is longer than 8 characters"},
        {{"set", bank, "--from-csv", "a", "--from-csv", "b"}, "set", "give --from-csv once"},
        {{"set", bank, "--from-csv", "a", "--drumset", "0=1:1"},
         "set",
         "give either --drumset or --from-csv, not both"},
        {{"set", bank, bank}, "set", "unexpected operand '" + bank + "'"},
        {{"undo", bank, bank}, "undo", "unexpected operand '" + bank + "'"},
        {{"history", "--csv", bank}, "history", "unknown option '--csv'"},
    };
    // Every command refuses an unknown option and wants its operand.
    for (const auto& [command, options] : kOptions)
    {
        cases.push_back({{command, "--bogus", bank, bank}, command, "unknown option '--bogus'"});
        if (command != "ports")
            cases.push_back({{command}, command, "missing operand BANK"});
    }
    for (const CASE& c : cases)
    {
        const ProgramRun r = Run(c.args);
        const std::string hint = "Try 'orvane-cli " + (c.command.empty() ? "" : c.command + " ") + "--help'.\n";
        EXPECT_EQ(2, r.code) << c.message;
        EXPECT_EQ("orvane-cli: " + c.message + "\n" + hint, r.err);
        EXPECT_EQ("", r.out) << c.message;
    }
    EXPECT_EQ(before, ReadFileBytes(bank));
}

TEST_F(CliProgramTest, VersionNamesTheLicence)
{
    const ProgramRun r = Run({"--version"});
    EXPECT_EQ(0, r.code);
    EXPECT_THAT(r.out, StartsWith("orvane-cli "));
    EXPECT_THAT(r.out, HasSubstr("GPL-3.0-or-later"));
}

TEST_F(CliProgramTest, EveryJsonOutputParsesStrictlyEvenWithBytesThatAreNotUtf8)
{
    const std::string set = Folder();
    const std::string odd = set + "/odd\xff\x01.94b", junk = set + "/junk.94b";
    const std::string oddShown = set + "/odd\xef\xbf\xbd\x01.94b"; // U+FFFD for the byte that is not UTF-8

    const ProgramRun info = Run({"info", "--json", set});
    EXPECT_EQ(1, info.code);
    const nlohmann::json banks = nlohmann::json::parse(info.out);
    ASSERT_EQ(3u, banks.size());
    EXPECT_EQ(junk, banks[0]["path"]);
    EXPECT_EQ(false, banks[0]["loaded"]);
    EXPECT_EQ("Unable to find PRIO chunk !", banks[0]["error"]);
    EXPECT_EQ(oddShown, banks[1]["path"]);
    EXPECT_EQ(true, banks[1]["loaded"]);
    EXPECT_EQ(Cp1252ToUtf8(m_strOddName), banks[1]["name"]);
    EXPECT_EQ(9, banks[1]["priority"]);
    EXPECT_TRUE(banks[1]["ttma_pos"].is_null());
    EXPECT_EQ(false, banks[1]["needs_repair"]);
    EXPECT_EQ(nlohmann::json::parse(R"({"program": 5, "variation": 1, "cubase_prog": 6, "cubase_bank": 128,
                                        "gm_name": "Electric Piano 2"})"),
              banks[1]["instruments"][0]);
    EXPECT_EQ(16, banks[1]["drumsets"][0]["program"]);
    EXPECT_TRUE(banks[1]["drumsets"][0]["gm_name"].is_string());

    const ProgramRun overlap = Run({"overlap", "--json", set});
    EXPECT_EQ(1, overlap.code);
    const nlohmann::json doc = nlohmann::json::parse(overlap.out);
    ASSERT_EQ(1u, doc["overlaps"].size());
    EXPECT_EQ("instrument", doc["overlaps"][0]["list"]);
    EXPECT_EQ(5, doc["overlaps"][0]["program"]);
    const nlohmann::json& first = doc["overlaps"][0]["banks"][0];
    EXPECT_EQ(oddShown, first["path"]);
    EXPECT_EQ(Cp1252ToUtf8(m_strOddName), first["name"]);
    EXPECT_EQ(9, first["priority"]);
    EXPECT_EQ(0, first["index"]);
    EXPECT_EQ(2, doc["banks_read"]);
    EXPECT_EQ(3, doc["pairs_mapped"]);
    EXPECT_EQ(1, doc["pairs_in_conflict"]);
    EXPECT_EQ(nlohmann::json::parse(R"([{"path": ")" + junk + R"(", "error": "Unable to find PRIO chunk !"}])"),
              doc["unreadable"]);

    ASSERT_EQ(0, Run({"set", odd, "--priority", "10"}).code);
    const ProgramRun history = Run({"history", "--json", odd});
    EXPECT_EQ(0, history.code) << history.err;
    const nlohmann::json changes = nlohmann::json::parse(history.out);
    EXPECT_EQ(oddShown, changes[0]["bank"]);
    EXPECT_EQ("set", changes[0]["changes"][0]["kind"]);
    EXPECT_EQ(true, changes[0]["changes"][0]["can_undo"]);
    EXPECT_TRUE(changes[0]["changes"][0]["unix_time"].is_number_integer());
}

TEST_F(CliProgramTest, CsvOutputsQuoteOnlyWhatNeedsIt)
{
    const std::string set = Folder();
    const ProgramRun info = Run({"info", "--csv", set + "/plain.94b"});
    EXPECT_EQ(0, info.code);
    EXPECT_EQ("path,name,priority,list,index,program,variation,cubase_prog,cubase_bank,gm_name\n" + set +
                  "/plain.94b,\"a,\"\"b\",20,instrument,0,5,1,6,128,Electric Piano 2\n",
              info.out);
    const ProgramRun overlap = Run({"overlap", "--csv", set + "/plain.94b", set + "/plain.94b"});
    EXPECT_EQ(3, overlap.code);
    EXPECT_THAT(overlap.out, HasSubstr("\ninstrument,5,1," + set + "/plain.94b,\"a,\"\"b\",20,0\n"));
}

TEST_F(CliProgramTest, ABankThatCannotBeReadInAFolderIsNamedWithTheReason)
{
    const std::string set = Folder();
    const std::string line = "orvane-cli: " + set + "/junk.94b: Unable to find PRIO chunk !\n";
    const ProgramRun info = Run({"info", set});
    EXPECT_EQ(1, info.code);
    EXPECT_EQ(line, info.err);
    const ProgramRun overlap = Run({"overlap", set});
    EXPECT_EQ(1, overlap.code);
    EXPECT_EQ(line, overlap.err);
    EXPECT_THAT(overlap.out, HasSubstr("2 banks read"));
    std::filesystem::create_directory(m_dir / "pages");
    const ProgramRun map = Run({"map", set, "-d", (m_dir / "pages").string(), "--template", kTemplate});
    EXPECT_EQ(1, map.code);
    EXPECT_EQ(line, map.err);
}
