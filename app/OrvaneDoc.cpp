// The document: opening a bank renders its page; Save As copies the page out.
#include "app/OrvaneDoc.h"

#include "app/MainFrame.h"
#include "app/OrvaneShell.h"
#include "app/OrvaneView.h"
#include "app/Settings.h"
#include "app/ShellPaths.h"
#include "base/FileSystem.h"
#include "report/PortablePage.h"
#include "res/MessageBox.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"

#include <wx/intl.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>

wxIMPLEMENT_DYNAMIC_CLASS(COrvaneDoc, wxDocument);

bool COrvaneDoc::OnNewDocument()
{
    if (!wxDocument::OnNewDocument())
        return false;
    m_report.m_strBankPath.clear();
    m_bBankPage = false;
    if (COrvaneView* view = GetOrvaneView())
    {
        auto* manager = dynamic_cast<COrvaneDocManager*>(GetDocumentManager());
        if (!manager || manager->ShowsStartPage())
            ShowStartPage();
        view->OnChangeFilename();
    }
    return true;
}

void COrvaneDoc::ShowStartPage()
{
    if (COrvaneView* view = GetOrvaneView())
        view->Navigate(GetProgramDirectory() + GetString(IDS_NOBANKPAGE));
}

bool COrvaneDoc::DoOpenDocument(const wxString& file)
{
    // Only a regular file is a bank; a FIFO or device is refused at once, never waited on.
    int fd = OpenRegularFile(file.utf8_string(), false);
    if (fd < 0)
    {
        AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, FileErrorDetail(file.utf8_string(), errno));
        return false;
    }
    ::close(fd);
    return true;
}

bool COrvaneDoc::OnOpenDocument(const wxString& path)
{
    if (!wxDocument::OnOpenDocument(path))
        return false;
    m_report.m_strTemplatePath = GetProgramDirectory() + GetString(IDS_TEMPLATEFILE);
    m_report.m_strBankPath = path.utf8_string();
    // The page lives in the program's private directory, which goes with the program: it is
    // replaced whole but not waited on to reach the disk.
    m_report.m_bFlushPage = false;
    // The repair switches as they are now: Options may have changed them since the last bank.
    auto* manager = dynamic_cast<COrvaneDocManager*>(GetDocumentManager());
    if (manager && manager->GetMainFrame())
        m_report.m_repairPolicy = manager->GetMainFrame()->GetSettings().GetRepairPolicy();
    if (COrvaneView* view = GetOrvaneView())
        view->OnChangeFilename();
    RenderPage(true);
    return true;
}

bool COrvaneDoc::RenderPage(bool bNavigate)
{
    const std::filesystem::path shown = m_report.m_strOutputPath;
    m_report.m_strOutputPath = (GetTempDirectory() / GetString(IDS_MAPPINGPAGE)).string();
    m_report.m_pEntryMarks = &m_entryMarks;
    const bool rendered = m_report.Render() == 1;
    m_report.m_pEntryMarks = nullptr;
    m_bBankPage = rendered && m_report.m_bBankRead;
    // A page that was not written leaves the one before on show, whose marks are not known.
    if (!m_bBankPage)
        m_entryMarks.clear();
    if (!rendered)
    {
        AppMessageBoxDetail(IDS_CANTMAKEPAGE, MsgStop, m_report.m_strError);
        return false;
    }
    if (COrvaneView* view = GetOrvaneView())
    {
        // A page written in place of the one on show is reloaded, keeping its scroll position
        // (a help page on show stays); one written into a new directory is navigated to.
        const bool showsOldPage = view->GetLocation().find(GetString(IDS_MAPPINGPAGE)) != std::string::npos;
        if (bNavigate || (m_report.m_strOutputPath != shown && showsOldPage))
            view->Navigate(m_report.m_strOutputPath);
        else
            view->RefreshBrowser();
    }
    return true;
}

bool COrvaneDoc::DoSave(const wxString&, bool)
{
    if (m_report.m_strBankPath.empty())
        return true;
    wxFileName suggested(wxString::FromUTF8(SuggestedSaveName(m_report.m_strBankPath).string()));
    wxFileDialog dlg(nullptr, _("Save As"), suggested.GetPath(), suggested.GetFullName(),
                     wxString::FromUTF8(DialogFilter(GetString(IDS_HTMLFILTER))), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dlg.ShowModal() != wxID_OK)
        return true;
    // GTK reports the full path only once its chooser has really run; wx keeps directory and name itself.
    wxString path = dlg.GetPath();
    if (path.empty() && !dlg.GetFilename().empty())
        path = wxFileName(dlg.GetDirectory(), dlg.GetFilename()).GetFullPath();
    if (path.empty())
        return true;
    std::string chosen = path.utf8_string();
    std::string target = WithHtmExtension(chosen).string();
    IFileSystem& fs = GetFileSystem();
    // The save dialog may already have agreed to replace the file; the bank or the template
    // under the page's name would still be destroyed, so nothing is written over them.
    const unsigned refusals[] = {IDS_SAVE_ISBANK, IDS_SAVE_ISTEMPLATE};
    const int clash = FindOverwrittenInput(fs, target, {m_report.m_strBankPath, m_report.m_strTemplatePath});
    if (clash >= 0)
    {
        AppMessageBoxText(FormatStringId(refusals[clash], {target}), MsgStop);
        return false;
    }
    std::error_code ec;
    // The dialog only asked about the name as typed; the added extension may name another file.
    if (target != chosen && std::filesystem::exists(target, ec) &&
        AppMessageBoxText(
            wxString::Format(_("%s already exists.\nDo you want to replace it?"), wxString::FromUTF8(target))
                .utf8_string(),
            MsgQuestion) != AnswerYes)
        return true;
    // The saved page replaces an older one only once it is complete, with the pictures it shows
    // (the logo, a background image) copied beside it and named relatively, so that it shows
    // them wherever it is moved with them.
    std::string detail;
    switch (SavePortablePage(fs, m_report.m_strOutputPath, target, detail))
    {
    case SaveDone: return true;
    case SavePictureFailed: AppMessageBoxDetail(IDS_SAVE_IMAGEFAILED, MsgStop, detail); return false;
    case SavePageFailed: break;
    }
    AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, detail);
    return false;
}

wxString COrvaneDoc::GetUserReadableName() const
{
    if (m_report.m_strBankPath.empty())
    {
        wxString docString = wxString::FromUTF8(GetString(IDR_MAINFRAME));
        return docString.AfterFirst('\n').BeforeFirst('\n');
    }
    return wxFileName(wxString::FromUTF8(m_report.m_strBankPath)).GetFullName();
}

COrvaneView* COrvaneDoc::GetOrvaneView() const
{
    return dynamic_cast<COrvaneView*>(GetFirstView());
}

COrvaneDoc* FindDocument()
{
    wxDocManager* manager = wxDocManager::GetDocumentManager();
    if (!manager || manager->GetDocumentsVector().empty())
        return nullptr;
    return dynamic_cast<COrvaneDoc*>(manager->GetDocumentsVector().front());
}
