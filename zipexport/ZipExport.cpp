// The file steps of "Export to Zip" around the ZIP binding.
#include "zipexport/ZipExport.h"

#include "base/FileSystem.h"
#include "report/PageFile.h"
#include "report/PortablePage.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "zipexport/ZipBinding.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

fs::path SuggestedArchivePath(const fs::path& bankPath)
{
    fs::path name = bankPath.filename();
    // A name that is only an extension (".94b") keeps it rather than becoming ".zip".
    if (name.has_stem() && !name.stem().empty())
        name = name.stem();
    return bankPath.parent_path() / (name.string() + ".zip");
}

int ExportBankToZip(const fs::path& bankPath, const fs::path& pagePath, const fs::path& archivePath,
                    ZipArchiveMode mode)
{
    if (bankPath.empty())
        return 0;

    // Replacing the archive must never replace the bank that goes into it.
    if (FindOverwrittenInput(GetFileSystem(), archivePath, {bankPath}) >= 0)
    {
        AppMessageBoxText(FormatStringId(IDS_ZIP_ISBANK, {archivePath.string()}), MsgStop);
        return 0;
    }

    const std::string strWorkDir = DirectoryOf(pagePath.string());
    const std::string strPageName = FileNameOf(pagePath.string());
    const std::string strBankName = FileNameOf(bankPath.string());

    // Both entries are stored under their plain names, so equal names would put the bank over
    // the page: refuse rather than lose the page.
    if (strBankName == strPageName)
    {
        AppMessageBoxText(FormatStringId(IDS_ZIP_NAMECLASH, {bankPath.string(), strBankName}), MsgStop);
        return 0;
    }

    // The copy beside the page is ours to remove afterwards, unless it is the user's bank itself.
    const fs::path copyPath = fs::path(strWorkDir) / strBankName;
    std::error_code ec;
    const bool bOwnBank = fs::equivalent(bankPath, copyPath, ec) && !ec;
    if (!bOwnBank)
    {
        // A half-written copy would be archived as the bank: a failed copy stops the export.
        IFileSystem& files = GetFileSystem();
        files.Remove(copyPath);
        if (!CopyFileReplacing(files, bankPath, copyPath))
        {
            AppMessageBoxText(FormatStringId(IDS_ZIP_COPYFAILED,
                                             {bankPath.string(), copyPath.string(), FileErrorText(files.LastError())}),
                              MsgStop);
            return 0;
        }
    }

    // The archived page shows its pictures (the logo, a background image) from the archive: a
    // copy of it names them plainly, and they are stored beside it under those names.
    CPortablePage portable(GetFileSystem(), [&](const std::string& name, const fs::path&)
                           { return name != strPageName && name != strBankName; });
    std::string stagingDir = (fs::temp_directory_path(ec) / "orvane-zip-XXXXXX").string();
    int nResult = 0;
    if (ec || !mkdtemp(stagingDir.data()))
        AppMessageBoxText(FormatStringId(IDS_ZIP_WRITEFAILED, {archivePath.string(), FileErrorText(errno)}), MsgStop);
    else
    {
        const fs::path pageCopy = fs::path(stagingDir) / strPageName;
        CPageFile copy(GetFileSystem());
        copy.SetFlush(false);
        if (!copy.Open(pageCopy) || !portable.Copy(pagePath, copy) || !copy.Commit())
            AppMessageBoxText(
                FormatStringId(IDS_ZIP_WRITEFAILED,
                               {archivePath.string(), portable.Error() ? FileErrorDetail(pagePath, portable.Error())
                                                                       : FileErrorDetail(pageCopy, copy.Error())}),
                MsgStop);
        else
        {
            std::vector<ZIPENTRY> entries = {{pageCopy.string(), strPageName}, {strBankName, strBankName}};
            for (const PAGEPICTURE& picture : portable.Pictures())
                entries.push_back({picture.source.string(), picture.strName});
            SetZipRootDir(strWorkDir);
            SetZipArchiveName(archivePath.string(), mode == ZipArchiveMode::Replace);
            nResult = ZipEntries(entries);
        }
        fs::remove_all(stagingDir, ec);
    }

    if (!bOwnBank)
        GetFileSystem().Remove(copyPath);
    return nResult;
}
