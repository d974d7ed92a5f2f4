// The file steps of a bank set's Export to Zip.
#include "zipexport/BankSetZip.h"

#include "base/FileSystem.h"
#include "report/PageFile.h"
#include "report/PortablePage.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "zipexport/ZipBinding.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <set>

namespace fs = std::filesystem;

namespace
{
std::string Folded(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}
} // namespace

std::vector<std::string> ZipBankNames(const std::vector<std::string>& paths, const std::vector<std::string>& reserved)
{
    std::set<std::string> taken;
    for (const std::string& name : reserved)
        taken.insert(Folded(name));
    std::vector<std::string> names;
    for (const std::string& path : paths)
    {
        const fs::path file = fs::path(path).filename();
        std::string name = file.empty() ? std::string("bank.94b") : file.string();
        const std::string stem = fs::path(name).stem().string();
        const std::string ext = fs::path(name).extension().string();
        for (int n = 2; taken.count(Folded(name)); ++n)
            name = stem + "-" + std::to_string(n) + ext;
        taken.insert(Folded(name));
        names.push_back(name);
    }
    return names;
}

int ExportBankSetToZip(const CBankSet& set, CBankSetPage page, const std::string& pageName, const fs::path& archivePath,
                       ZipArchiveMode mode)
{
    IFileSystem& files = GetFileSystem();
    std::vector<fs::path> inputs;
    std::vector<std::string> paths;
    for (const SETBANK& bank : set.GetBanks())
    {
        inputs.push_back(bank.strPath);
        paths.push_back(bank.strPath);
    }
    // Replacing the archive must never replace a bank that goes into it.
    if (paths.empty() || FindOverwrittenInput(files, archivePath, inputs) >= 0)
    {
        if (!paths.empty())
            AppMessageBoxText(FormatStringId(IDS_ZIP_ISBANK, {archivePath.string()}), MsgStop);
        return 0;
    }

    const std::vector<std::string> names = ZipBankNames(paths, {pageName});
    std::vector<ZIPENTRY> banks;
    page.m_arrBankLinks.clear();
    for (size_t b = 0; b < paths.size(); ++b)
    {
        std::error_code ec;
        if (fs::is_regular_file(paths[b], ec))
        {
            page.m_arrBankLinks.push_back(PercentEncodePath(names[b]));
            banks.push_back({fs::absolute(paths[b], ec).string(), names[b]});
        }
        else
            page.m_arrBankLinks.push_back(BankFileUrl(paths[b]));
    }

    std::error_code ec;
    std::string stagingDir = (fs::temp_directory_path(ec) / "orvane-zip-XXXXXX").string();
    if (ec || !mkdtemp(stagingDir.data()))
    {
        AppMessageBoxText(FormatStringId(IDS_ZIP_WRITEFAILED, {archivePath.string(), FileErrorText(errno)}), MsgStop);
        return 0;
    }
    int nResult = 0;
    const fs::path rendered = fs::path(stagingDir) / "rendered.html";
    const fs::path pageCopy = fs::path(stagingDir) / pageName;
    page.m_bFlushPage = false;
    // The archived page shows its pictures from the archive, under names no bank or page has.
    std::set<std::string> used(names.begin(), names.end());
    used.insert(pageName);
    CPortablePage portable(files, [&](const std::string& name, const fs::path&) { return !used.count(name); });
    CPageFile copy(files);
    copy.SetFlush(false);
    if (!page.Render(set, rendered))
        AppMessageBoxText(FormatStringId(IDS_ZIP_WRITEFAILED, {archivePath.string(), page.m_strError}), MsgStop);
    else if (!copy.Open(pageCopy) || !portable.Copy(rendered, copy) || !copy.Commit())
        AppMessageBoxText(
            FormatStringId(IDS_ZIP_WRITEFAILED,
                           {archivePath.string(), portable.Error() ? FileErrorDetail(rendered, portable.Error())
                                                                   : FileErrorDetail(pageCopy, copy.Error())}),
            MsgStop);
    else
    {
        std::vector<ZIPENTRY> entries = {{pageCopy.string(), pageName}};
        entries.insert(entries.end(), banks.begin(), banks.end());
        for (const PAGEPICTURE& picture : portable.Pictures())
            entries.push_back({picture.source.string(), picture.strName});
        SetZipRootDir(stagingDir);
        SetZipArchiveName(archivePath.string(), mode == ZipArchiveMode::Replace);
        nResult = ZipEntries(entries);
    }
    fs::remove_all(stagingDir, ec);
    return nResult;
}
