// The HTML view: navigation, links, printing, Back and dropped files.
#include "app/OrvaneView.h"

#include "app/FileDropTarget.h"
#include "app/MainFrame.h"
#include "app/OrvaneDoc.h"
#include "app/OrvaneShell.h"
#include "app/PagePrinting.h"
#include "app/ShellPaths.h"
#include "report/PlayLinks.h"
#include "res/StringTable.h"

#include <wx/dnd.h>
#include <wx/filesys.h>
#include <wx/html/htmprint.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <filesystem>

wxIMPLEMENT_DYNAMIC_CLASS(COrvaneView, wxView);

wxBEGIN_EVENT_TABLE(COrvaneView, wxView) EVT_MENU(wxID_PRINT, COrvaneView::OnPrint)
    EVT_MENU(wxID_PREVIEW, COrvaneView::OnPrintPreview) EVT_MENU(wxID_PRINT_SETUP, COrvaneView::OnPrintSetup)
        wxEND_EVENT_TABLE()

            COrvaneView::COrvaneView() = default;

COrvaneView::~COrvaneView() = default;

bool COrvaneView::OnCreate(wxDocument* doc, long flags)
{
    if (!wxView::OnCreate(doc, flags))
        return false;
    auto* manager = dynamic_cast<COrvaneDocManager*>(GetDocumentManager());
    wxWindow* frame = manager ? manager->GetMainFrame() : nullptr;
    if (!frame)
        return false;
    SetFrame(frame);
    m_pBrowser = new CBrowserWindow(frame);
    // Files dropped on the browser window go to the view, never into the browser as a page.
    m_pBrowser->SetDropTarget(new CFileDropTarget([this](const wxArrayString& files) { OnDropFiles(files); }));
    // The page fills the frame above the bars it lays out (the find bar).
    if (wxSizer* sizer = frame->GetSizer())
        sizer->Insert(0, m_pBrowser, 1, wxEXPAND);
    // A bank's name on the set page opens that bank as the document; Back returns to the set.
    // A play link plays its entry.
    m_pBrowser->SetLinkHandler(
        [this](const wxString& href)
        {
            if (PLAYLINK link; ParsePlayLink(href.utf8_string(), link))
            {
                if (auto* mainFrame = dynamic_cast<CMainFrame*>(GetFrame()))
                    mainFrame->PlayPageEntry(link);
                return true;
            }
            const std::string bank = m_bankSet.BankOfLink(href.utf8_string());
            if (bank.empty() || !m_bankSet.IsShownAt(GetLocation()))
                return false;
            m_bankSet.m_strLastBank = bank;
            if (wxDocManager* manager = GetDocumentManager())
                manager->CreateDocument(wxString::FromUTF8(bank), wxDOC_SILENT);
            return true;
        });
    // The mapping page is shown with a play link before each entry's name; its file stays as
    // written. Marks are used only on the text they were made for.
    m_pBrowser->SetPageFilter(
        [this](const wxString& location, std::string& text)
        {
            const auto* doc = dynamic_cast<COrvaneDoc*>(GetDocument());
            const std::filesystem::path shown(wxFileSystem::URLToFileName(location).GetFullPath().utf8_string());
            // The set page: each answering entry plays from its own bank.
            if (m_bankSet.IsOpen() && shown == m_bankSet.GetPagePath() && !m_bankSet.GetEntryMarks().empty())
            {
                std::error_code ec;
                if (std::filesystem::file_size(shown, ec) != text.size() || ec)
                    return false;
                text = InsertPlayLinks(text, m_bankSet.GetEntryMarks());
                return true;
            }
            if (!doc || !doc->HasBankPage() || doc->m_entryMarks.empty() ||
                std::filesystem::path(wxFileSystem::URLToFileName(location).GetFullPath().utf8_string()) !=
                    doc->m_report.m_strOutputPath)
                return false;
            std::error_code ec;
            if (std::filesystem::file_size(doc->m_report.m_strOutputPath, ec) != text.size() || ec)
                return false;
            text = InsertPlayLinks(text, doc->m_entryMarks);
            return true;
        });
    frame->Layout();
    frame->SendSizeEvent();
    return true;
}

bool COrvaneView::OnClose(bool deleteWindow)
{
    if (!wxView::OnClose(deleteWindow))
        return false;
    Activate(false);
    if (m_pBrowser)
    {
        m_pBrowser->Destroy();
        m_pBrowser = nullptr;
    }
    return true;
}

void COrvaneView::OnChangeFilename()
{
    // The caption is the document's title, " - " and the main window's title.
    if (wxWindow* frame = GetFrame(); frame && GetDocument())
    {
        wxString title = wxString::FromUTF8(GetString(IDR_MAINFRAME));
        frame->SetLabel(GetDocument()->GetUserReadableName() + " - " + title.BeforeFirst('\n'));
    }
}

void COrvaneView::Navigate(const std::string& path)
{
    if (m_pBrowser)
        m_pBrowser->LoadFile(wxFileName(wxString::FromUTF8(path)));
}

std::string COrvaneView::GetLocation() const
{
    return m_pBrowser ? m_pBrowser->GetOpenedPage().utf8_string() : std::string();
}

void COrvaneView::RefreshBrowser()
{
    if (m_pBrowser)
        m_pBrowser->Reload();
}

bool COrvaneView::Back()
{
    return m_pBrowser && m_pBrowser->HistoryBack();
}

bool COrvaneView::OnDropFiles(const wxArrayString& files)
{
    if (files.empty())
        return false;
    if (files.size() > 1)
    {
        std::vector<std::string> operands;
        for (const wxString& file : files)
        {
            const std::filesystem::path target = ResolveShortcut(file.utf8_string());
            operands.push_back(target.empty() ? file.utf8_string() : target.string());
        }
        return OpenBankSet(operands);
    }
    std::string candidate = files[0].utf8_string();
    if (std::filesystem::path target = ResolveShortcut(candidate); !target.empty())
        candidate = target.string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(candidate, ec))
        return false;
    wxDocManager* manager = GetDocumentManager();
    return manager && manager->CreateDocument(wxString::FromUTF8(candidate), wxDOC_SILENT) != nullptr;
}

bool COrvaneView::OpenBankSet(const std::vector<std::string>& operands)
{
    SETLOOK look;
    if (const auto* doc = dynamic_cast<COrvaneDoc*>(GetDocument()))
        look = {doc->m_report.m_crText, doc->m_report.m_crBackground, doc->m_report.m_strImagePath};
    return m_bankSet.Open(*this, operands, look);
}

std::string COrvaneView::CurrentFile() const
{
    if (!m_pBrowser || m_pBrowser->GetOpenedPage().empty())
        return "";
    return wxFileSystem::URLToFileName(m_pBrowser->GetOpenedPage()).GetFullPath().utf8_string();
}

CPagePrinting* COrvaneView::GetPrinting()
{
    if (!m_pPrinting)
    {
        m_pPrinting = std::make_unique<CPagePrinting>(wxString::FromUTF8(GetString(AFX_IDS_APP_TITLE)), GetFrame());
    }
    return m_pPrinting.get();
}

void COrvaneView::OnPrint(wxCommandEvent&)
{
    if (std::string file = CurrentFile(); !file.empty())
        GetPrinting()->PrintPage(wxString::FromUTF8(file));
}

void COrvaneView::OnPrintPreview(wxCommandEvent&)
{
    if (std::string file = CurrentFile(); !file.empty())
        GetPrinting()->PreviewFile(wxString::FromUTF8(file));
}

void COrvaneView::OnPrintSetup(wxCommandEvent&)
{
    GetPrinting()->PageSetup();
}
