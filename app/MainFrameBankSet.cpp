// The main window's bank-set commands: choosing the banks or the folder of a set, the inspector,
// Save As, Open in Web Browser and Export to Zip on the set page, Back and the caption.
#include "app/MainFrame.h"

#include "app/BrowserCopy.h"
#include "app/BrowserLauncher.h"
#include "app/OrvaneDoc.h"
#include "app/OrvaneView.h"
#include "app/Settings.h"
#include "app/ShellPaths.h"
#include "base/FileSystem.h"
#include "inspector/BankInspectorDlg.h"
#include "report/PortablePage.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "zipexport/ExportToZipCommand.h"

#include <wx/choicdlg.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/listbox.h>

#include <algorithm>

void CMainFrame::OnOpenBankSet(wxCommandEvent&)
{
    wxFileDialog dialog(this, _("Choose the soundbanks of the set"), wxString(), wxString(),
                        _("94b SoundBank (*.94b)") + "|*.94b;*.94B|" + _("All files") + "|*",
                        wxFD_OPEN | wxFD_MULTIPLE | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    wxArrayString files;
    dialog.GetPaths(files);
    std::vector<std::string> operands;
    for (const wxString& file : files)
        operands.push_back(file.utf8_string());
    OpenBankSet(operands);
}

void CMainFrame::OnOpenBankSetFolder(wxCommandEvent&)
{
    wxDirDialog dialog(this, _("Choose the folder of the set"), wxString(), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        OpenBankSet({dialog.GetPath().utf8_string()});
}

bool CMainFrame::OpenBankSet(const std::vector<std::string>& operands)
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    if (!view || !view->OpenBankSet(operands))
        return false;
    // A folder's set is reopened from the recent-file list; chosen banks have no one name to list.
    if (const std::string& folder = view->GetBankSet().GetFolder(); !folder.empty() && m_docManager)
        m_docManager->AddFileToHistory(wxString::FromUTF8(folder));
    return true;
}

COrvaneView* ShownBankSetView()
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    return view && view->ShowsBankSet() ? view : nullptr;
}

void CMainFrame::OnBack(wxCommandEvent&)
{
    if (COrvaneDoc* doc = FindDocument())
        if (COrvaneView* view = doc->GetOrvaneView())
            view->Back();
}

void CMainFrame::OnUpdateBack(wxUpdateUIEvent& event)
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    event.Enable(view && view->GetBrowser() && view->GetBrowser()->HistoryCanBack());
}

void CMainFrame::OnUpdatePageCommands(wxUpdateUIEvent& event)
{
    event.Enable(IsReportShown() == 1 || ShownBankSetView() != nullptr);
}

std::string CMainFrame::JournalBank() const
{
    if (const COrvaneView* set = ShownBankSetView())
        return set->GetBankSet().m_strLastChanged;
    const COrvaneDoc* doc = FindDocument();
    return doc ? doc->m_report.m_strBankPath.string() : std::string();
}

void CMainFrame::InspectBankOfSet(COrvaneView& view)
{
    CBankSetShow& shown = view.GetBankSet();
    const std::vector<SETBANK>& banks = shown.GetSet().GetBanks();
    // The bank last opened from a link, else the one last changed, is proposed first.
    wxArrayString choices;
    int selection = 0;
    for (size_t b = 0; b < banks.size(); ++b)
    {
        const wxString file = wxString::FromUTF8(std::filesystem::path(banks[b].strPath).filename().string());
        choices.Add(banks[b].strName.empty() ? file : wxString::FromUTF8(banks[b].strName) + " (" + file + ")");
        const std::string& preferred = shown.m_strLastBank.empty() ? shown.m_strLastChanged : shown.m_strLastBank;
        if (banks[b].strPath == preferred)
            selection = static_cast<int>(b);
    }
    if (choices.empty())
        return;
    wxSingleChoiceDialog choice(this, wxString::FromUTF8(GetString(IDS_SET_CHOOSEBANK)),
                                wxString::FromUTF8(GetString(IDS_INSPECTOR_TITLE)), choices);
    choice.SetSelection(selection);
    // The toolkit's list is a few rows high whatever it holds (and its own best height leaves out
    // the rows' padding): it grows to show up to ten banks without scrolling.
    for (wxWindow* child : choice.GetChildren())
        if (auto* list = dynamic_cast<wxListBox*>(child))
        {
            // A row takes the text's height and the toolkit's padding around it.
            const int rows = static_cast<int>(std::min<size_t>(banks.size(), 10));
            list->SetMinSize(wxSize(list->GetBestSize().x, rows * (list->GetCharHeight() + 8) + 4));
            choice.Fit();
            choice.CentreOnParent();
        }
    if (choice.ShowModal() != wxID_OK || choice.GetSelection() < 0)
        return;
    const std::string bank = banks[static_cast<size_t>(choice.GetSelection())].strPath;
    shown.m_strLastBank = bank;

    CBankInspectorDlg dlg(this);
    PrepareInspector(dlg, bank);
    if (dlg.ShowModal() != wxID_OK)
        return;
    // The set page shows the new values; Undo and Redo on it now act on this bank.
    shown.m_strLastChanged = bank;
    shown.Refresh(view);
    m_bUndoLabelsStale = true;
    // The same bank open as the document: its page is written anew too, as the program's own.
    if (COrvaneDoc* doc = FindDocument(); doc && doc->m_report.m_strBankPath == bank)
    {
        NoteBankShown();
        doc->RenderPage();
    }
}

namespace
{
// Where the set's files are proposed: its folder, or the folder of its first bank.
std::filesystem::path SetDirectory(const CBankSetShow& shown)
{
    if (!shown.GetFolder().empty())
        return shown.GetFolder();
    const std::vector<SETBANK>& banks = shown.GetSet().GetBanks();
    return banks.empty() ? std::filesystem::path() : std::filesystem::path(banks.front().strPath).parent_path();
}
} // namespace

void CMainFrame::SaveSetPage(COrvaneView& view)
{
    const CBankSetShow& shown = view.GetBankSet();
    wxFileDialog dlg(this, _("Save As"), wxString::FromUTF8(SetDirectory(shown).string()),
                     wxString::FromUTF8(GetString(IDS_SETPAGE)),
                     wxString::FromUTF8(DialogFilter(GetString(IDS_HTMLFILTER))), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dlg.ShowModal() != wxID_OK)
        return;
    // GTK reports the full path only once its chooser has really run; wx keeps directory and name itself.
    wxString path = dlg.GetPath();
    if (path.empty() && !dlg.GetFilename().empty())
        path = wxFileName(dlg.GetDirectory(), dlg.GetFilename()).GetFullPath();
    if (path.empty())
        return;
    const std::string chosen = path.utf8_string();
    const std::string target = WithHtmExtension(chosen).string();
    // No bank of the set, and not the template, is ever written over by the page.
    std::vector<std::filesystem::path> inputs;
    for (const std::string& bank : shown.GetBankPaths())
        inputs.push_back(bank);
    IFileSystem& fs = GetFileSystem();
    if (FindOverwrittenInput(fs, target, inputs) >= 0)
    {
        AppMessageBoxText(FormatStringId(IDS_SAVE_ISBANK, {target}), MsgStop);
        return;
    }
    std::error_code ec;
    if (target != chosen && std::filesystem::exists(target, ec) &&
        AppMessageBoxText(
            wxString::Format(_("%s already exists.\nDo you want to replace it?"), wxString::FromUTF8(target))
                .utf8_string(),
            MsgQuestion) != AnswerYes)
        return;
    std::string detail;
    switch (SavePortablePage(fs, shown.GetPagePath(), target, detail))
    {
    case SaveDone: return;
    case SavePictureFailed: AppMessageBoxDetail(IDS_SAVE_IMAGEFAILED, MsgStop, detail); return;
    case SavePageFailed: break;
    }
    AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, detail);
}

void CMainFrame::OpenSetPageInBrowser(COrvaneView& view)
{
    // The browser gets a copy: the private page directory stays the program's own.
    std::string detail;
    const std::filesystem::path copy = CopyPageForBrowser(view.GetBankSet().GetPagePath(), detail);
    if (copy.empty())
    {
        AppMessageBoxDetail(IDS_BROWSER_CANTCOPY, MsgStop, detail);
        return;
    }
    const wxString url = wxFileSystem::FileNameToURL(wxFileName(wxString::FromUTF8(copy.string())));
    if (!BrowserLauncherSlot().Get().Launch(url.utf8_string()))
        AppMessageBox(IDS_BROWSER_CANTSTART, MsgStop);
}

void CMainFrame::ExportSetToZip(COrvaneView& view)
{
    const CBankSetShow& shown = view.GetBankSet();
    // A folder's set is proposed beside the folder under its name; chosen banks as "bankset.zip".
    std::filesystem::path suggested = SetDirectory(shown) / GetString(IDS_SET_ZIPNAME);
    if (!shown.GetFolder().empty())
    {
        const std::filesystem::path folder = std::filesystem::path(shown.GetFolder()).lexically_normal();
        const std::filesystem::path name = folder.has_filename() ? folder.filename() : folder.parent_path().filename();
        if (!name.empty())
            suggested = (folder.has_filename() ? folder.parent_path() : folder.parent_path().parent_path()) /
                        (name.string() + ".zip");
    }
    RunExportSetToZipCommand(this, shown.GetSet(), shown.MakePage(), GetString(IDS_SETPAGE), suggested);
}

void CMainFrame::UpdateCaption()
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    if (!view)
        return;
    wxString name = doc->GetUserReadableName();
    if (view->ShowsBankSet())
    {
        const CBankSetShow& shown = view->GetBankSet();
        std::filesystem::path folder = std::filesystem::path(shown.GetFolder()).lexically_normal();
        if (!folder.has_filename())
            folder = folder.parent_path();
        name = wxString::FromUTF8(
            shown.GetFolder().empty()
                ? FormatStringId(IDS_SET_CAPTIONBANKS, {std::to_string(shown.GetSet().GetBanks().size())})
                : FormatStringId(IDS_SET_CAPTIONFOLDER, {folder.filename().string()}));
    }
    const wxString caption = name + " - " + wxString::FromUTF8(GetString(IDR_MAINFRAME)).BeforeFirst('\n');
    if (GetLabel() != caption)
        SetLabel(caption);
}
