// orvane-cli zip: renders a bank's mapping page and packs it with the bank into a ZIP archive,
// through the same steps as the desktop program's "Export to Zip".
#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "cli/PageOptions.h"
#include "res/StringTable.h"
#include "zipexport/ZipExport.h"

#include <cstdlib>
#include <filesystem>
#include <ostream>

namespace
{
const char* const kHead = "Usage: orvane-cli zip BANK ARCHIVE [--template FILE]\n"
                          "                  [--text-color #rrggbb] [--back-color #rrggbb] [--image PATH]\n\n"
                          "Renders the MIDI mapping page of the bank as 'map' does and stores it as midimap.html,\n"
                          "together with the bank under its own file name, in the ZIP archive. An existing archive\n"
                          "keeps its other entries. Needs libzip (libzip.so.5 or libzip.so.4) at run time.";
const char* const kFooter = "Exit status: 0 archive written, 1 the bank could not be read, 2 usage, template or\n"
                            "archive error.";

struct ZIPOPTIONS
{
    CPageOptions page;
    std::string bank, archive;
};

int RunZip(const ZIPOPTIONS& zip, std::ostream& err)
{
    const std::string& bank = zip.bank;
    const std::string& archive = zip.archive;
    const CPageOptions& options = zip.page;
    // The page is rendered into a private directory of its own, which goes again afterwards.
    std::string workDir = (std::filesystem::temp_directory_path() / "orvane-cli-XXXXXX").string();
    if (!mkdtemp(workDir.data()))
        return UsageError(err, "zip", "cannot create a temporary directory");
    const std::string page = workDir + "/" + GetString(IDS_MAPPINGPAGE);

    int code = RenderPage(bank, page, options, err);
    // A bank that did not load explains a failed export; otherwise the library or the archive did.
    if (code != kCliUsage && !ExportBankToZip(bank, page, archive) && code == kCliOk)
        code = kCliUsage;
    std::error_code ec;
    std::filesystem::remove_all(workDir, ec);
    return code;
}
} // namespace

CliCommand AddZipCommand(CLI::App& cli)
{
    auto options = std::make_shared<ZIPOPTIONS>();
    CLI::App* zip = AddCommand(cli, "zip", "pack a bank and its mapping page into a ZIP archive", kHead, kFooter);
    AddPageOptions(*zip, options->page);
    zip->add_option("BANK", options->bank)->required();
    zip->add_option("ARCHIVE", options->archive)->required();
    return {zip, [options](std::ostream&, std::ostream& err) { return RunZip(*options, err); }};
}
