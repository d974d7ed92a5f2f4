// The document manager, the document template and the start-up of the desktop shell.
#include "app/OrvaneShell.h"

#include "app/MainFrame.h"
#include "app/OrvaneDoc.h"
#include "app/OrvaneView.h"
#include "app/RecentFileHistory.h"
#include "base/FileSystem.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "ui/AboutDlg.h"

#include <wx/app.h>
#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/sysopt.h>
#include <wx/tokenzr.h>

wxIMPLEMENT_DYNAMIC_CLASS(COrvaneDocManager, wxDocManager);

namespace
{
// Field n of the document string (title, new name, file-new name, filter name, extension,
// type id, type name).
wxString DocStringField(int n)
{
    wxArrayString fields = wxSplit(wxString::FromUTF8(GetString(IDR_MAINFRAME)), '\n', 0);
    return n < static_cast<int>(fields.size()) ? fields[n] : wxString();
}

// The template opens any file, as the document decides what a file holds.
class COrvaneDocTemplate : public wxDocTemplate
{
public:
    using wxDocTemplate::wxDocTemplate;
    bool FileMatchesTemplate(const wxString&) override { return true; }
};
} // namespace

COrvaneDocManager::COrvaneDocManager() : wxDocManager(0, false)
{
    // Initialised here rather than by the base, so that our recent-file list of four is made.
    Initialize();
    SetMaxDocsOpen(1);
}

wxDocument* COrvaneDocManager::CreateDocument(const wxString& path, long flags)
{
    COrvaneDoc* doc = FindDocument();
    if (!doc)
        return wxDocManager::CreateDocument(path, flags);
    if (flags & wxDOC_NEW)
        return doc->OnNewDocument() ? doc : nullptr;

    wxString file = path;
    if (file.empty())
    {
        wxDocTemplateVector templates;
        for (wxDocTemplate* temp : GetTemplatesVector())
            if (temp->IsVisible())
                templates.push_back(temp);
        if (templates.empty() || !SelectDocumentPath(&templates[0], templates.size(), file, flags) || file.empty())
            return nullptr;
    }
    // The page about to be rendered shows the file as it is now: a later change is another program's.
    if (m_pMainFrame)
        m_pMainFrame->NoteBankShown(file.utf8_string());
    if (!doc->OnOpenDocument(file))
        return nullptr;
    // A file that is no bank still opens (its page says so), but is not offered again.
    if (doc->HasBankPage())
        AddFileToHistory(file);
    return doc;
}

wxDocTemplate* COrvaneDocManager::SelectDocumentPath(wxDocTemplate** templates, int noTemplates, wxString& path, long,
                                                     bool)
{
    path.clear();
    if (noTemplates < 1)
        return nullptr;
    wxDocTemplate* docTemplate = templates[0];
    const wxString filter =
        docTemplate->GetDescription() + " (" + docTemplate->GetFileFilter() + ")|" + docTemplate->GetFileFilter();
    wxWindow* parent = m_pMainFrame ? static_cast<wxWindow*>(m_pMainFrame) : wxTheApp->GetTopWindow();
    wxFileDialog dialog(parent, _("Open File"), GetLastDirectory(), wxString(), filter, wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK)
        return nullptr;
    // GTK reports the full path only once its chooser has really run; wx keeps directory and name itself.
    wxString chosen = dialog.GetPath();
    if (chosen.empty() && !dialog.GetFilename().empty())
        chosen = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    if (chosen.empty())
        return nullptr;
    if (!wxFileName::Exists(chosen))
    {
        AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, FileErrorDetail(chosen.utf8_string(), ENOENT));
        return nullptr;
    }
    SetLastDirectory(wxFileName(chosen).GetPath());
    path = chosen;
    return docTemplate;
}

void COrvaneDocManager::OnMRUFileNotExist(unsigned n, const wxString& filename)
{
    // A folder on the list is a bank set's: it opens as the set again (and goes to the top).
    if (wxDirExists(filename) && GetMainFrame())
    {
        GetMainFrame()->OpenBankSet({filename.utf8_string()});
        return;
    }
    RemoveFileFromHistory(n);
    AppMessageBoxText(FormatStringId(IDS_RECENT_GONE, {filename.utf8_string()}), MsgStop);
}

wxString COrvaneDocManager::MakeNewDocumentName()
{
    return DocStringField(1);
}

wxFileHistory* COrvaneDocManager::OnCreateFileHistory()
{
    return new CRecentFileHistory(4, CMD_RECENT_FILE, _("Recent File"),
                                  wxString::FromUTF8(GetString(ID_FILE_MRU_FILE1)));
}

namespace
{
void SaveFileHistory(wxDocManager& manager)
{
    wxConfigBase* config = wxConfigBase::Get(false);
    if (!config || !manager.GetFileHistory())
        return;
    manager.FileHistorySave(*config);
    config->Flush();
}
} // namespace

void COrvaneDocManager::AddFileToHistory(const wxString& file)
{
    wxDocManager::AddFileToHistory(file);
    SaveFileHistory(*this);
}

void COrvaneDocManager::RemoveFileFromHistory(size_t i)
{
    wxDocManager::RemoveFileFromHistory(i);
    SaveFileHistory(*this);
}

CMainFrame* StartOrvane(COrvaneDocManager& manager, CSettings& settings, const wxString& file,
                        const std::string& settingsPath)
{
    EnsureImageHandlers();
    // Pages and their images are known by their extensions (.html, .png, ...): the desktop's
    // MIME database, slow to read, is never consulted for them.
    wxSystemOptions::SetOption("filesys.no-mimetypesmanager", 1);
    new COrvaneDocTemplate(&manager, DocStringField(3).BeforeFirst('(').Trim(), "*" + DocStringField(4), "",
                           DocStringField(4).AfterFirst('.'), DocStringField(5), "OrvaneView",
                           CLASSINFO(COrvaneDoc), CLASSINFO(COrvaneView), wxTEMPLATE_VISIBLE);

    auto* frame = new CMainFrame(&manager, settings, settingsPath);
    manager.SetMainFrame(frame);
    manager.SetShowsStartPage(file.empty());
    const bool made = manager.CreateDocument(wxString(), wxDOC_NEW) != nullptr;
    manager.SetShowsStartPage(true);
    if (!made)
    {
        frame->Destroy();
        return nullptr;
    }
    frame->CopySettingsToDocument();
    if (!file.empty())
    {
        manager.CreateDocument(file, wxDOC_SILENT);
        // A file that is no bank, or whose page could not be written, leaves the start page.
        COrvaneDoc* doc = FindDocument();
        if (COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr; view && view->GetLocation().empty())
            doc->ShowStartPage();
    }
    frame->Show();
    frame->Update();
    return frame;
}
