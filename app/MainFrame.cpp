// The main frame: construction, command states, the commands and the close that saves the settings.
#include "app/MainFrame.h"

#include "app/BrowserCopy.h"
#include "app/BrowserLauncher.h"
#include "app/FindBar.h"
#include "app/MidiOutputChoice.h"
#include "app/OptionsDlg.h"
#include "inspector/BankInspectorDlg.h"
#include "inspector/InspectorAudition.h"
#include "app/OrvaneDoc.h"
#include "app/OrvaneView.h"
#include "app/Settings.h"
#include "app/ShellPaths.h"
#include "journal/ChangeJournal.h"
#include "res/MessageBox.h"
#include "res/ProgramDirectory.h"
#include "report/MappingTable.h"
#include "res/StringTable.h"
#include "zipexport/ExportToZipCommand.h"
#include "instrdef/ExportInstrDefCommand.h"

#include <wx/intl.h>
#include <wx/accel.h>
#include <wx/clipbrd.h>
#include <wx/config.h>
#include <wx/eventfilter.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/filehistory.h>
#include <wx/menu.h>
#include <wx/mstream.h>
#include <wx/utils.h>

namespace
{
// Tells the gate about every key release in the program.
class CKeyReleaseFilter : public wxEventFilter
{
public:
    explicit CKeyReleaseFilter(CKeyRepeatGate& gate) : m_gate(gate) {}
    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_KEY_UP)
            m_gate.OnRelease(static_cast<wxKeyEvent&>(event).GetKeyCode());
        return Event_Skip;
    }

private:
    CKeyRepeatGate& m_gate;
};

bool IsReportCommand(int id)
{
    return id == CMD_BANKINSPECTOR || id == CMD_EXPORTZIP || id == CMD_EXPORT_INSTRDEF || id == wxID_SAVE ||
           id == wxID_SAVEAS || id == CMD_OPEN_IN_BROWSER;
}
} // namespace

CMainFrame::CMainFrame(wxDocManager* manager, CSettings& settings, const std::string& settingsPath)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, wxString::FromUTF8(GetString(IDR_MAINFRAME)).BeforeFirst('\n'),
                       wxDefaultPosition, wxSize(820, 640)),
      m_settings(settings),
      m_strSettingsPath(settingsPath.empty() ? GetProgramDirectory() + GetString(IDS_OPTIONSFILE) : settingsPath),
      m_backspace(WXK_BACK), m_pKeyReleaseFilter(std::make_unique<CKeyReleaseFilter>(m_backspace)),
      m_pJournal(std::make_unique<CJournalScope>("inspector"))
{
    wxEvtHandler::AddFilter(m_pKeyReleaseFilter.get());
    SetFrameIcons();

    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildFindBar();
    std::vector<wxAcceleratorEntry> keys = Accelerators();
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(keys.size()), keys.data()));

    Bind(wxEVT_MENU, &CMainFrame::OnOptions, this, CMD_OPTIONS);
    Bind(wxEVT_MENU, &CMainFrame::OnBankInspector, this, CMD_BANKINSPECTOR);
    Bind(wxEVT_MENU, &CMainFrame::OnExportToZip, this, CMD_EXPORTZIP);
    Bind(wxEVT_MENU, &CMainFrame::OnExportInstrDef, this, CMD_EXPORT_INSTRDEF);
    Bind(wxEVT_MENU, &CMainFrame::OnHelpFrench, this, CMD_HELP_FRENCH);
    Bind(wxEVT_MENU, &CMainFrame::OnHelpEnglish, this, CMD_HELP_ENGLISH);
    Bind(wxEVT_MENU, &CMainFrame::OnOpenInBrowser, this, CMD_OPEN_IN_BROWSER);
    Bind(wxEVT_MENU, &CMainFrame::OnOpenBankSet, this, CMD_OPEN_BANKSET);
    Bind(wxEVT_MENU, &CMainFrame::OnOpenBankSetFolder, this, CMD_OPEN_BANKSET_FOLDER);
    Bind(wxEVT_MENU, &CMainFrame::OnBack, this, CMD_BACK);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateBack, this, CMD_BACK);
    Bind(wxEVT_MENU, &CMainFrame::OnAbout, this, wxID_ABOUT);
    Bind(wxEVT_MENU, &CMainFrame::OnToggleToolBar, this, CMD_VIEW_TOOLBAR);
    Bind(wxEVT_MENU, &CMainFrame::OnToggleStatusBar, this, CMD_VIEW_STATUS_BAR);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateToggleToolBar, this, CMD_VIEW_TOOLBAR);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateToggleStatusBar, this, CMD_VIEW_STATUS_BAR);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateAlways, this, CMD_HELP_FRENCH);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateAlways, this, CMD_HELP_ENGLISH);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateDisabled, this, wxID_CUT);
    Bind(wxEVT_MENU, &CMainFrame::OnCopy, this, wxID_COPY);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateReportCommands, this, wxID_COPY);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateDisabled, this, wxID_PASTE);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateDisabled, this, CMD_NEXT_PANE);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateDisabled, this, CMD_PREV_PANE);
    Bind(wxEVT_ACTIVATE, &CMainFrame::OnActivate, this);
    Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    // Bound after the document frame's own close handler, so this one runs first.
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    m_bankWatchTimer.SetOwner(this, CMD_BANK_WATCH);
    Bind(wxEVT_TIMER, &CMainFrame::OnBankWatchTimer, this, CMD_BANK_WATCH);
    m_bankWatchTimer.Start(500);

    m_bSettingsLoaded = LoadSettingsFile(m_settings, m_strSettingsPath, GetUserSettingsPath());
}

CMainFrame::~CMainFrame()
{
    m_bankWatchTimer.Stop();
    wxEvtHandler::RemoveFilter(m_pKeyReleaseFilter.get());
    if (m_docManager && m_docManager->GetFileHistory() && m_pFileMenu)
        m_docManager->FileHistoryRemoveMenu(m_pFileMenu);
}

void CMainFrame::CopySettingsToDocument()
{
    COrvaneDoc* doc = FindDocument();
    if (!m_bSettingsLoaded || !doc)
        return;
    doc->m_report.m_crText = m_settings.m_crTextColor;
    doc->m_report.m_crBackground = m_settings.m_crBackColor;
    doc->m_report.m_strImagePath = m_settings.m_strBackImage;
}

bool CMainFrame::SaveSettings()
{
    COrvaneDoc* doc = FindDocument();
    if (!doc)
        return false;
    m_settings.m_crTextColor = doc->m_report.m_crText;
    m_settings.m_crBackColor = doc->m_report.m_crBackground;
    m_settings.m_strBackImage = doc->m_report.m_strImagePath;
    // A read-only program directory sends the file to the user's configuration directory;
    // when even that fails the user is told.
    if (SaveSettingsFile(m_settings, GetUserSettingsPath()))
        return true;
    AppMessageBoxText(
        wxString::Format(_("Unable to save the settings to %s !"), wxString::FromUTF8(m_settings.m_strFileName))
            .utf8_string(),
        MsgExclamation);
    return false;
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    m_bankWatchTimer.Stop();
    // The program closes even when the settings cannot be written.
    SaveSettings();
    if (m_docManager && wxConfigBase::Get(false))
        m_docManager->FileHistorySave(*wxConfigBase::Get(false));
    event.Skip();
}

void CMainFrame::OnOptions(wxCommandEvent&)
{
    COrvaneDoc* doc = FindDocument();
    COptionsDlg dlg(nullptr, doc ? &doc->m_report : nullptr, m_settings);
    if (dlg.ShowModal() != wxID_OK)
        return;
    // Kept at once: a program ended by the session or a crash does not lose them.
    SaveSettings();
    // The page's next audition goes to the output chosen now.
    m_pAudition.reset();
    if (!doc || doc->m_report.m_strBankPath.empty())
        return;
    doc->m_report.m_repairPolicy = m_settings.GetRepairPolicy();
    NoteBankShown();
    doc->RenderPage();
    m_bUndoLabelsStale = true;
}

void CMainFrame::PrepareInspector(CBankInspectorDlg& dlg, const std::string& bank) const
{
    dlg.m_strFilePath = bank;
    dlg.m_repairPolicy = m_settings.GetRepairPolicy();
    dlg.m_bKeepBackup = m_settings.m_bKeepBackup != 0;
    dlg.m_strMidiPort = LoadMidiOutputChoice();
    dlg.m_nMidiChannel = LoadMidiChannel();
}

void CMainFrame::OnBankInspector(wxCommandEvent&)
{
    if (COrvaneView* set = ShownBankSetView())
    {
        InspectBankOfSet(*set);
        return;
    }
    COrvaneDoc* doc = FindDocument();
    if (!doc || doc->m_report.m_strBankPath.empty())
        return;
    CBankInspectorDlg dlg(this);
    PrepareInspector(dlg, doc->m_report.m_strBankPath.string());
    if (dlg.ShowModal() != wxID_OK)
        return;
    // The bank holds the new values: the page shows them.
    doc->m_report.m_repairPolicy = m_settings.GetRepairPolicy();
    NoteBankShown();
    doc->RenderPage();
    m_bUndoLabelsStale = true;
}

void CMainFrame::OnCopy(wxCommandEvent&)
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    if (!view || doc->m_report.m_strBankPath.empty())
        return;
    wxString text = view->GetBrowser()->SelectionToText();
    if (text.empty())
    {
        std::string table;
        if (!MappingCopyText(doc->m_report.m_strBankPath, table))
            return;
        text = wxString::FromUTF8(table);
    }
    wxClipboardLocker clipboard;
    if (!clipboard)
        return;
    wxTheClipboard->SetData(new wxTextDataObject(text));
}

void CMainFrame::OnUndo(wxCommandEvent&)
{
    StepJournal(true);
}

void CMainFrame::OnRedo(wxCommandEvent&)
{
    StepJournal(false);
}

void CMainFrame::StepJournal(bool bUndo)
{
    COrvaneDoc* doc = FindDocument();
    const std::filesystem::path bank = JournalBank();
    if (!doc || bank.empty())
        return;
    const StepResult result = bUndo ? UndoLastChange(bank) : RedoLastChange(bank);
    if (result != StepResult::Done && result != StepResult::Unrecorded)
        return;
    if (COrvaneView* set = ShownBankSetView())
    {
        // The set page shows the bank as it now is; so does the bank's own page when it is open.
        set->GetBankSet().Refresh(*set);
        m_bUndoLabelsStale = true;
        if (bank != doc->m_report.m_strBankPath)
            return;
    }
    // The page shows the bank as it now is. A repair just undone is not offered again at once.
    REPAIRPOLICY policy = m_settings.GetRepairPolicy();
    doc->m_report.m_repairPolicy = REPAIRPOLICY{REPAIRPOLICY::Never, false};
    NoteBankShown();
    doc->RenderPage();
    doc->m_report.m_repairPolicy = policy;
    m_bUndoLabelsStale = true;
}

void CMainFrame::OnUpdateUndo(wxUpdateUIEvent& event)
{
    UpdateJournalCommand(event, true);
}

void CMainFrame::OnUpdateRedo(wxUpdateUIEvent& event)
{
    UpdateJournalCommand(event, false);
}

void CMainFrame::UpdateJournalCommand(wxUpdateUIEvent& event, bool bUndo)
{
    COrvaneDoc* doc = FindDocument();
    JOURNALSTATUS status;
    const JOURNALCHANGE* change = nullptr;
    bool bPossible = false;
    // A digest known for the file's identity is trusted here; the step itself checks afresh.
    const std::string bank = JournalBank();
    if (doc && !bank.empty() && GetJournalStatus(bank, status, true, false))
    {
        const int index = bUndo ? status.nUndo : status.nRedo;
        if (index >= 0)
            change = &status.changes[static_cast<size_t>(index)];
        bPossible = bUndo ? status.bCanUndo : status.bCanRedo;
    }
    // A change the bank no longer shows (another program changed the bank since) stays on offer:
    // the prompt says why it cannot be taken back, and choosing it shows the journal's message.
    event.Enable(change != nullptr);
    std::string text = GetString(bUndo ? IDS_MENU_UNDO : IDS_MENU_REDO);
    std::string prompt = GetPromptText(bUndo ? ID_EDIT_UNDO : IDS_PROMPT_REDO);
    if (change)
    {
        const std::string kind = GetString(ChangeKindId(change->strKind));
        const std::string when = ChangeTimeText(change->nTime);
        text = FormatStringId(bUndo ? IDS_MENU_UNDOKIND : IDS_MENU_REDOKIND, {kind});
        if (bPossible)
            prompt = FormatStringId(bUndo ? IDS_PROMPT_UNDOKIND : IDS_PROMPT_REDOKIND,
                                    {kind, when, ChangeSummaryText(*change)});
        else
            prompt = FormatStringId(bUndo ? IDS_PROMPT_UNDOBLOCKED : IDS_PROMPT_REDOBLOCKED, {kind, when});
        prompt = prompt.substr(0, prompt.find('\n'));
    }
    event.SetText(wxString::FromUTF8(text) + (bUndo ? "\tCtrl+Z" : "\tCtrl+Y"));
    if (wxMenuBar* bar = GetMenuBar())
        if (wxMenuItem* item = bar->FindItem(event.GetId()))
            item->SetHelp(wxString::FromUTF8(prompt));
}

void CMainFrame::OnExportToZip(wxCommandEvent&)
{
    if (COrvaneView* set = ShownBankSetView())
    {
        ExportSetToZip(*set);
        return;
    }
    if (COrvaneDoc* doc = FindDocument())
        RunExportToZipCommand(this, doc->m_report.m_strBankPath, doc->m_report.m_strOutputPath);
}

void CMainFrame::OnExportInstrDef(wxCommandEvent&)
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    if (view && ShownBankSetView() != nullptr)
        RunExportSetInstrDefCommand(this, view->GetBankSet().GetSet());
    else if (doc)
        RunExportInstrDefCommand(this, doc->m_report.m_strBankPath);
}

void CMainFrame::ShowHelpPage(unsigned pageId)
{
    if (COrvaneDoc* doc = FindDocument())
        if (COrvaneView* view = doc->GetOrvaneView())
            view->Navigate(GetProgramDirectory() + GetString(pageId));
}

void CMainFrame::OnHelpFrench(wxCommandEvent&)
{
    ShowHelpPage(IDS_HELPFRENCH);
}

void CMainFrame::OnHelpEnglish(wxCommandEvent&)
{
    ShowHelpPage(IDS_HELPENGLISH);
}

void CMainFrame::OnOpenInBrowser(wxCommandEvent&)
{
    if (COrvaneView* set = ShownBankSetView())
    {
        OpenSetPageInBrowser(*set);
        return;
    }
    COrvaneDoc* doc = FindDocument();
    if (!doc || IsReportShown() != 1)
        return;
    // The browser gets a copy: the private page directory stays the program's own.
    std::string detail;
    std::filesystem::path copy = CopyPageForBrowser(doc->m_report.m_strOutputPath, detail);
    if (copy.empty())
    {
        AppMessageBoxDetail(IDS_BROWSER_CANTCOPY, MsgStop, detail);
        return;
    }
    const wxString url = wxFileSystem::FileNameToURL(wxFileName(wxString::FromUTF8(copy.string())));
    if (!BrowserLauncherSlot().Get().Launch(url.utf8_string()))
        AppMessageBox(IDS_BROWSER_CANTSTART, MsgStop);
}

void CMainFrame::OnAbout(wxCommandEvent&)
{
    // Made when first asked for, so that it costs the start-up nothing.
    if (!m_dlgAbout.GetHandle())
        m_dlgAbout.Create(this);
    m_dlgAbout.CentreOnParent();
    m_dlgAbout.ShowModal();
}

void CMainFrame::OnUpdateReportCommands(wxUpdateUIEvent& event)
{
    // A bank set's page exports the set's answers.
    if (event.GetId() == CMD_EXPORT_INSTRDEF && ShownBankSetView() != nullptr)
        event.Enable(true);
    else
        event.Enable(IsReportShown() == 1);
}

bool CMainFrame::IsCommandEnabled(int id)
{
    wxUpdateUIEvent update(id);
    update.SetEventObject(this);
    ProcessWindowEvent(update);
    return !update.GetSetEnabled() || update.GetEnabled();
}

bool CMainFrame::TryBefore(wxEvent& event)
{
    if (m_pFindBar && m_pFindBar->RouteEditCommand(event))
        return true;
    // Keys run commands without looking at the menus, whose state is only brought up to date when
    // they open: a command its update handlers disable now does not run.
    if (event.GetEventType() == wxEVT_MENU && !IsCommandEnabled(event.GetId()))
        return true;
    // Undo and Redo act on the change journal, not on the document manager's command history.
    const int id = event.GetId();
    if (id == wxID_UNDO || id == wxID_REDO)
    {
        if (event.GetEventType() == wxEVT_UPDATE_UI)
        {
            auto& update = static_cast<wxUpdateUIEvent&>(event);
            id == wxID_UNDO ? OnUpdateUndo(update) : OnUpdateRedo(update);
            return true;
        }
        if (event.GetEventType() == wxEVT_MENU)
        {
            auto& command = static_cast<wxCommandEvent&>(event);
            id == wxID_UNDO ? OnUndo(command) : OnRedo(command);
            return true;
        }
    }
    // The document manager would otherwise decide Save and Save As from the modified flag.
    if (event.GetEventType() == wxEVT_UPDATE_UI && IsReportCommand(event.GetId()))
    {
        OnUpdatePageCommands(static_cast<wxUpdateUIEvent&>(event));
        return true;
    }
    // Saving the set page is the frame's; the document saves the mapping page.
    if (event.GetEventType() == wxEVT_MENU && (id == wxID_SAVE || id == wxID_SAVEAS))
        if (COrvaneView* set = ShownBankSetView())
        {
            SaveSetPage(*set);
            return true;
        }
    return wxDocParentFrame::TryBefore(event);
}

void CMainFrame::OnDropFiles(const wxArrayString& files)
{
    Raise();
    for (const wxString& file : files)
        if (m_docManager)
            m_docManager->CreateDocument(file, wxDOC_SILENT);
}

void CMainFrame::OnCharHook(wxKeyEvent& event)
{
    // Alt+Backspace is Undo and always passes; so does Backspace typed into the find bar's field.
    auto* from = dynamic_cast<wxWindow*>(event.GetEventObject());
    const bool inFindBar = from && m_pFindBar && m_pFindBar->IsDescendant(from);
    if (event.GetKeyCode() == WXK_BACK && !event.AltDown() && !inFindBar && m_backspace.IsFirstPress(WXK_BACK))
        return;
    event.Skip();
}

void CMainFrame::OnActivate(wxActivateEvent& event)
{
    // A key released while another program has the keyboard is never seen.
    if (!event.GetActive())
        m_backspace.Reset();
    else
        m_bUndoLabelsStale = true;
    event.Skip();
}

void CMainFrame::OnUpdateDisabled(wxUpdateUIEvent& event)
{
    event.Enable(false);
}

void CMainFrame::OnUpdateAlways(wxUpdateUIEvent& event)
{
    event.Enable(true);
}

int IsReportShown()
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    if (!view)
        return 0;
    return view->GetLocation().find(GetString(IDS_MAPPINGPAGE)) != std::string::npos ? 1 : 0;
}
