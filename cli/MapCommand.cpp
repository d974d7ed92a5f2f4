// orvane-cli map: renders the mapping page of one or more banks. Never changes a bank.
#include "base/FileSystem.h"
#include "bankset/BankOperands.h"
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "cli/PageOptions.h"
#include "report/MappingReport.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <set>

namespace
{
const char* const kHead = "Usage: orvane-cli map BANK|DIR... [-o PAGE | -d DIR] [--template FILE]\n"
                          "                  [--text-color #rrggbb] [--back-color #rrggbb] [--image PATH]\n"
                          "                  [--max-page-size N]\n\n"
                          "Renders the MIDI mapping page of each bank from the page template; a directory stands\n"
                          "for every .94b file below it.";
const char* const kFooter = "Exit status: 0 pages written, 1 a bank could not be read (its page has no rows),\n"
                            "2 usage, template or output error.";

// Bytes, or with a K, M or G suffix (binary units).
bool ParsePageSize(const std::string& text, uint64_t& size)
{
    const size_t digits = text.find_first_not_of("0123456789");
    const std::string suffix = digits == std::string::npos ? "" : text.substr(digits);
    const int shift = suffix.empty() ? 0 : suffix == "K" ? 10 : suffix == "M" ? 20 : suffix == "G" ? 30 : -1;
    if (digits == 0 || shift < 0 || std::min(digits, text.size()) > 9)
        return false;
    size = std::stoull(text.substr(0, digits)) << shift;
    return true;
}

bool IsFile(const std::string& path, bool& file)
{
    return file = CLI::ExistingFile(path).empty();
}
} // namespace

void AddPageOptions(CLI::App& command, CPageOptions& options)
{
    auto color = [&command](const std::string& name, uint32_t& into, const std::string& text)
    {
        command
            .add_option_function<std::string>(
                name, [&into](const std::string& v) { ParseHtmlColor(v, into); }, text)
            ->type_name("COLOR")
            ->check(ValueCheck(ParseHtmlColor, "a colour like #rrggbb"));
    };
    command.add_option("--template", options.templatePath, "template to use (default: Qzr.mas beside the program)")
        ->type_name("FILE")
        ->check(ValueCheck(IsFile, "a file"));
    color("--text-color", options.textColor, "text colour (default #000000)");
    color("--back-color", options.backColor, "background colour (default #ffffff)");
    command.add_option("--image", options.imagePath, "background image instead of the background colour")
        ->type_name("PATH");
    command
        .add_option_function<std::string>(
            "--max-page-size", [&options](const std::string& text) { ParsePageSize(text, options.maxPageSize); },
            "largest page written to a file, in bytes or with K, M or G\n"
            "(default 1G); a larger page fails and an older one stays")
        ->type_name("N")
        ->check(ValueCheck(ParsePageSize, "a size like 1000, 64K, 10M or 2G"));
}

namespace
{
// The page's lines to a stream, standard output for one.
class COstreamPageSink : public IPageSink
{
public:
    explicit COstreamPageSink(std::ostream& out) : m_out(out) {}
    bool WriteLine(const std::string& line) override
    {
        m_out << line << '\n';
        return static_cast<bool>(m_out);
    }
    bool Failed() const override { return !m_out; }

private:
    std::ostream& m_out;
};

std::string TemplatePath(const CPageOptions& options)
{
    return options.templatePath.empty() ? GetProgramDirectory() + GetString(IDS_TEMPLATEFILE) : options.templatePath;
}

// Renders into the page file, or into out when pagePath is empty.
int RenderPageTo(const std::string& bankPath, const std::string& pagePath, std::ostream* out,
                 const CPageOptions& options, std::ostream& err)
{
    CMappingReport report;
    report.m_strTemplatePath = TemplatePath(options);
    report.m_strOutputPath = pagePath;
    report.m_strBankPath = bankPath;
    report.m_crText = options.textColor;
    report.m_crBackground = options.backColor;
    report.m_strImagePath = options.imagePath;
    report.m_nMaxPageSize = options.maxPageSize;
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
    sink.m_strBank = bankPath;
    if (out)
    {
        COstreamPageSink page(*out);
        if (!report.RenderTo(page))
        {
            err << "orvane-cli: cannot write the page to standard output"
                << (report.m_strError.empty() ? "" : ": " + report.m_strError) << "\n";
            return kCliUsage;
        }
    }
    else if (!report.Render())
    {
        err << "orvane-cli: cannot write the page " << pagePath << "\n";
        if (!report.m_strError.empty())
            err << "orvane-cli: " << report.m_strError << "\n";
        return kCliUsage;
    }
    if (!report.m_strMissingMarker.empty())
        err << "orvane-cli: warning: the template " << report.m_strTemplatePath.string() << " ends before its marker "
            << report.m_strMissingMarker << "; the page stops there\n";
    return sink.m_nFailures ? kCliBankFailed : kCliOk;
}

// A page may not be one of the files it is made from: writing it would destroy them.
bool ClashesWithAnInput(const std::vector<std::string>& pages, const std::vector<std::string>& banks,
                        const CPageOptions& options, std::ostream& err)
{
    std::vector<std::filesystem::path> inputs(banks.begin(), banks.end());
    inputs.push_back(TemplatePath(options));
    const std::vector<std::filesystem::path> outputs(pages.begin(), pages.end());
    const auto [page, input] = FindFirstOverwrittenInput(GetFileSystem(), outputs, inputs);
    if (page < 0)
        return false;
    err << "orvane-cli: the page " << pages[static_cast<size_t>(page)] << " would overwrite "
        << inputs[static_cast<size_t>(input)].string() << "; nothing was written\n";
    return true;
}
} // namespace

int RenderPage(const std::string& bankPath, const std::string& pagePath, const CPageOptions& options, std::ostream& err)
{
    return RenderPageTo(bankPath, pagePath, nullptr, options, err);
}

namespace
{
struct MAPOPTIONS
{
    CPageOptions page;
    std::string outputFile, outputDir;
    std::vector<std::string> operands;
};

int RunMap(const MAPOPTIONS& map, std::ostream& out, std::ostream& err)
{
    const CPageOptions& options = map.page;
    const std::string& outputFile = map.outputFile;
    const std::string& outputDir = map.outputDir;
    bool unreadable = false;
    const std::vector<std::string> banks = ExpandBankOperands(map.operands, err, unreadable);
    if (banks.empty())
        return unreadable ? kCliBankFailed : UsageError(err, "map", "no bank found");
    if (banks.size() > 1 && outputDir.empty())
        return UsageError(err, "map", "several banks need -d DIR");

    if (!outputDir.empty())
    {
        // Every page name is checked before the first page is written.
        std::vector<std::string> pages;
        std::set<std::string> names;
        for (const std::string& bank : banks)
        {
            const std::string name = std::filesystem::path(bank).filename().string() + ".html";
            if (!names.insert(name).second)
                return UsageError(err, "map", "two banks would both be written to " + name + "; nothing was written");
            pages.push_back((std::filesystem::path(outputDir) / name).string());
        }
        if (ClashesWithAnInput(pages, banks, options, err))
            return kCliUsage;
        int code = unreadable ? kCliBankFailed : kCliOk;
        for (size_t i = 0; i < banks.size(); ++i)
        {
            int result = RenderPage(banks[i], pages[i], options, err);
            if (result == kCliUsage)
                return result;
            code = std::max(code, result);
        }
        return code;
    }
    if (!outputFile.empty())
    {
        if (ClashesWithAnInput({outputFile}, banks, options, err))
            return kCliUsage;
        return RenderPage(banks[0], outputFile, options, err);
    }
    return RenderPageTo(banks[0], std::string(), &out, options, err);
}
} // namespace

CliCommand AddMapCommand(CLI::App& cli)
{
    auto options = std::make_shared<MAPOPTIONS>();
    CLI::App* map = AddCommand(cli, "map", "render the MIDI mapping page of banks", kHead, kFooter);
    CLI::Option* page =
        map->add_option("-o", options->outputFile, "write the page of the one bank to PAGE (default: standard output)")
            ->type_name("PAGE");
    map->add_option("-d", options->outputDir, "write one page per bank into DIR, named after the bank (BANK.html)")
        ->type_name("DIR")
        ->excludes(page);
    AddPageOptions(*map, options->page);
    AddBankOperands(*map, options->operands);
    return {map, [options](std::ostream& out, std::ostream& err) { return RunMap(*options, out, err); }};
}
