// The save dialog of _("Export to Zip"); the file steps are plain code in ZipExport.
#include "zipexport/ExportToZipCommand.h"

#include "res/MessageBox.h"
#include "zipexport/BankSetZip.h"
#include "zipexport/ZipExport.h"

#include <wx/intl.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

#include <filesystem>

std::string ZipArchivePathFor(const std::string& chosenPath)
{
    wxFileName name(wxString::FromUTF8(chosenPath));
    if (!name.HasExt())
        name.SetExt("zip");
    return name.GetFullPath().utf8_string();
}

namespace
{
// The save dialog, opened on suggested: the archive's path, or "" when the user gave none or
// declined to replace a file the added extension names.
std::string AskArchivePath(wxWindow* parent, const std::filesystem::path& suggested)
{
    wxFileDialog dialog(parent, _("Export to Zip"), wxString::FromUTF8(suggested.parent_path().string()),
                        wxString::FromUTF8(suggested.filename().string()), _("ZIP archive (*.zip)|*.zip"),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return "";

    // GTK reports the full path only once its chooser has really run; wx keeps directory and name itself.
    wxString path = dialog.GetPath();
    if (path.empty() && !dialog.GetFilename().empty())
        path = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    if (path.empty())
        return "";

    std::string chosen = path.utf8_string();
    std::string archive = ZipArchivePathFor(chosen);
    std::error_code ec;
    // The dialog only asked about the name as typed; the added extension may name another file.
    if (archive != chosen && std::filesystem::exists(archive, ec) &&
        AppMessageBoxText(
            wxString::Format(_("%s already exists.\nDo you want to replace it?"), wxString::FromUTF8(archive))
                .utf8_string(),
            MsgQuestion) != AnswerYes)
        return "";
    return archive;
}
} // namespace

void RunExportToZipCommand(wxWindow* parent, const std::string& bankPath, const std::string& pagePath)
{
    if (bankPath.empty())
        return;
    // The dialog opens in the bank's folder with the bank's name, as Save As does for the page.
    const std::string archive = AskArchivePath(parent, SuggestedArchivePath(bankPath));
    // The user agreed to replace an existing archive: it then holds exactly the page and the bank.
    if (!archive.empty())
        ExportBankToZip(bankPath, pagePath, archive, ZipArchiveMode::Replace);
}

void RunExportSetToZipCommand(wxWindow* parent, const CBankSet& set, const CBankSetPage& page,
                              const std::string& pageName, const std::filesystem::path& suggested)
{
    if (set.GetBanks().empty())
        return;
    const std::string archive = AskArchivePath(parent, suggested);
    if (!archive.empty())
        ExportBankSetToZip(set, page, pageName, archive, ZipArchiveMode::Replace);
}
