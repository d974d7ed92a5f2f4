// orvane-cli map: renders the mapping page of one or more banks. Never changes a bank.
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "cli/PageOptions.h"
#include "report/MappingReport.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <ostream>

#include <unistd.h>

namespace
{
const char* const kHelp =
    "Usage: orvane-cli map BANK... [-o PAGE | -d DIR] [--template FILE]\n"
    "                  [--text-color #rrggbb] [--back-color #rrggbb] [--image PATH]\n\n"
    "Renders the MIDI mapping page of each bank from the page template.\n\n"
    "  -o PAGE              write the page of the one bank to PAGE (default: standard output)\n"
    "  -d DIR               write one page per bank into DIR, named after the bank (BANK.html)\n"
    "  --template FILE      template to use (default: Qzr.mas beside the program)\n"
    "  --text-color COLOR   text colour (default #000000)\n"
    "  --back-color COLOR   background colour (default #ffffff)\n"
    "  --image PATH         background image instead of the background colour\n\n"
    "Exit status: 0 pages written, 1 a bank could not be read (its page has no rows),\n"
    "2 usage, template or output error.\n";
} // namespace

bool ParsePageOption(const std::vector<std::string>& args, size_t& i, CPageOptions& options, std::string& error)
{
    const std::string& arg = args[i];
    auto value = [&](std::string& into)
    {
        if (i + 1 >= args.size())
        {
            error = "option '" + arg + "' needs a value";
            return false;
        }
        into = args[++i];
        return true;
    };
    auto color = [&](uint32_t& into)
    {
        std::string text;
        if (!value(text))
            return false;
        if (!ParseHtmlColor(text, into))
        {
            error = "'" + text + "' is not a colour like #rrggbb";
            return false;
        }
        return true;
    };
    if (arg == "--template")
        return value(options.templatePath);
    if (arg == "--text-color")
        return color(options.textColor);
    if (arg == "--back-color")
        return color(options.backColor);
    if (arg == "--image")
        return value(options.imagePath);
    error = "unknown option '" + arg + "'";
    return false;
}

int RenderPage(const std::string& bankPath, const std::string& pagePath, const CPageOptions& options,
               std::ostream& err)
{
    CMappingReport report;
    report.m_strTemplatePath =
        options.templatePath.empty() ? GetProgramDirectory() + GetString(IDS_TEMPLATEFILE) : options.templatePath;
    report.m_strOutputPath = pagePath;
    report.m_strBankPath = bankPath;
    report.m_crText = options.textColor;
    report.m_crBackground = options.backColor;
    report.m_strImagePath = options.imagePath;
    // The repair question is printed and, with nobody to answer it, declined: pages never
    // change a bank.
    report.m_repairPolicy = REPAIRPOLICY{REPAIRPOLICY::Ask, false};

    std::error_code ec;
    if (!std::filesystem::is_regular_file(report.m_strTemplatePath, ec))
    {
        err << "orvane-cli: cannot read the template " << report.m_strTemplatePath << "\n";
        return kCliUsage;
    }
    CCliMessageSink sink(err);
    if (!report.Render())
    {
        err << "orvane-cli: cannot write the page " << pagePath << "\n";
        return kCliUsage;
    }
    return sink.m_nFailures ? kCliBankFailed : kCliOk;
}

int RunMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CPageOptions options;
    std::string outputFile, outputDir;
    std::vector<std::string> banks;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        std::string error;
        if (IsHelpFlag(arg))
        {
            out << kHelp;
            return kCliOk;
        }
        if (arg == "-o" || arg == "-d")
        {
            if (i + 1 >= args.size())
                return UsageError(err, "map", "option '" + arg + "' needs a value");
            (arg == "-o" ? outputFile : outputDir) = args[++i];
        }
        else if (arg.size() > 1 && arg[0] == '-')
        {
            if (!ParsePageOption(args, i, options, error))
                return UsageError(err, "map", error);
        }
        else
            banks.push_back(arg);
    }
    if (banks.empty())
        return UsageError(err, "map", "no bank given");
    if (!outputFile.empty() && !outputDir.empty())
        return UsageError(err, "map", "give either -o or -d, not both");
    if (banks.size() > 1 && outputDir.empty())
        return UsageError(err, "map", "several banks need -d DIR");

    if (!outputDir.empty())
    {
        int code = kCliOk;
        for (const std::string& bank : banks)
        {
            auto page = std::filesystem::path(outputDir) / std::filesystem::path(bank).filename();
            page += ".html";
            int result = RenderPage(bank, page.string(), options, err);
            if (result == kCliUsage)
                return result;
            code = std::max(code, result);
        }
        return code;
    }
    if (!outputFile.empty())
        return RenderPage(banks[0], outputFile, options, err);

    // No output named: render into a private temporary file and copy it to standard output.
    std::string temp = (std::filesystem::temp_directory_path() / "orvane-cli-XXXXXX").string();
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return UsageError(err, "map", "cannot create a temporary file");
    close(fd);
    int code = RenderPage(banks[0], temp, options, err);
    if (code != kCliUsage)
    {
        std::ifstream page(temp, std::ios::binary);
        out << page.rdbuf();
    }
    std::filesystem::remove(temp);
    return code;
}
