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
const char* const kHelp =
    "Usage: orvane-cli zip BANK ARCHIVE [--template FILE]\n"
    "                  [--text-color #rrggbb] [--back-color #rrggbb] [--image PATH]\n\n"
    "Renders the MIDI mapping page of the bank as 'map' does and stores it as midimap.html,\n"
    "together with the bank under its own file name, in the ZIP archive. An existing archive\n"
    "keeps its other entries. Needs libzip (libzip.so.5 or libzip.so.4) at run time.\n\n"
    "  --template FILE      template to use (default: Qzr.mas beside the program)\n"
    "  --text-color COLOR   text colour (default #000000)\n"
    "  --back-color COLOR   background colour (default #ffffff)\n"
    "  --image PATH         background image instead of the background colour\n\n"
    "Exit status: 0 archive written, 1 the bank could not be read, 2 usage, template or\n"
    "archive error.\n";
} // namespace

int RunZipCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CPageOptions options;
    std::vector<std::string> operands;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        std::string error;
        if (IsEndOfOptions(arg))
        {
            operands.insert(operands.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        }
        if (IsHelpFlag(arg))
        {
            out << kHelp;
            return kCliOk;
        }
        if (arg.size() > 1 && arg[0] == '-')
        {
            if (!ParsePageOption(args, i, options, error))
                return UsageError(err, "zip", error);
        }
        else
            operands.push_back(arg);
    }
    if (operands.size() != 2)
        return UsageError(err, "zip", "give one bank and one archive");
    const std::string& bank = operands[0];
    const std::string& archive = operands[1];

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
