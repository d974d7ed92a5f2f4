// CMainFrame: the program's only top-level window. It builds the menus, tool bar and status
// bar, decides which commands are usable (the report commands only while the mapping page is
// on show), runs Options, Export to Zip, Open in Web Browser, the help pages and the about box, loads the settings
// when it is created and saves them when it closes.
#pragma once

#include "app/BankWatch.h"
#include "app/KeyRepeatGate.h"
#include "ui/AboutDlg.h"

#include <wx/docview.h>
#include <wx/timer.h>

#include <memory>
#include <string>
#include <vector>

class CFindBar;
class CInspectorAudition;
struct PLAYLINK;
class CSettings;
class COrvaneDoc;
class COrvaneView;
class CBankInspectorDlg;
class wxAcceleratorEntry;
class wxEventFilter;
class CJournalScope;

// Window ids of the program's own commands (the framework's commands keep wx's stock ids); each
// has its prompt under the command's number in the string table.
enum MainFrameCommand : int
{
    CMD_OPTIONS = wxID_HIGHEST + 1,
    CMD_BANKINSPECTOR,
    CMD_EXPORTZIP,
    CMD_HELP_FRENCH,
    CMD_HELP_ENGLISH,
    CMD_VIEW_TOOLBAR,
    CMD_VIEW_STATUS_BAR,
    CMD_RECENT_FILE,
    CMD_NEXT_PANE,
    CMD_PREV_PANE,
    CMD_OPEN_IN_BROWSER,
    CMD_BANK_WATCH,
    CMD_FIND,
    CMD_FIND_NEXT,
    CMD_FIND_PREVIOUS,
    CMD_OPEN_BANKSET,
    CMD_OPEN_BANKSET_FOLDER,
    CMD_EXPORT_INSTRDEF,
    CMD_BACK,
};

class CMainFrame : public wxDocParentFrame
{
public:
    // settingsPath: the settings file beside the program ("" for the program directory's).
    CMainFrame(wxDocManager* manager, CSettings& settings, const std::string& settingsPath = "");
    ~CMainFrame() override;

    // Copies the loaded look values into the document's report (when the settings were read).
    void CopySettingsToDocument();
    // The program's settings record.
    const CSettings& GetSettings() const { return m_settings; }
    // The key table of the window (menu texts show some of them; these are the ones that act).
    static std::vector<wxAcceleratorEntry> Accelerators();

    // Handlers, public so that the tests can drive them as the menus do.
    void OnOptions(wxCommandEvent& event);
    void OnBankInspector(wxCommandEvent& event);
    void OnExportToZip(wxCommandEvent& event);
    // File > Export Instrument Definitions: the open bank's programs for a sequencer.
    void OnExportInstrDef(wxCommandEvent& event);
    void OnHelpFrench(wxCommandEvent& event);
    void OnHelpEnglish(wxCommandEvent& event);
    // Opens a copy of the mapping page on show in the desktop's web browser.
    void OnOpenInBrowser(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnUpdateReportCommands(wxUpdateUIEvent& event);
    // Edit > Copy on the mapping page: the text selected in the page, or with none the whole
    // mapping as tab-separated lines under a header line.
    void OnCopy(wxCommandEvent& event);
    // Edit > Undo and Redo: the open bank's newest change, or the change undone last, taken back
    // or made again from the change journal; the page is rendered again after either.
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    // Enabled while the bank is exactly as the change (or its undo) left it; the menu text names
    // the change and the status-bar prompt says when it was made.
    void OnUpdateUndo(wxUpdateUIEvent& event);
    void OnUpdateRedo(wxUpdateUIEvent& event);
    // Files dropped on the tool bar or the status bar: each is opened in turn.
    void OnDropFiles(const wxArrayString& files);
    // File > Open Bank Set (several banks chosen in a file dialog) and Open Bank Set Folder
    // (every bank below a folder): the set's page is shown in the view.
    void OnOpenBankSet(wxCommandEvent& event);
    void OnOpenBankSetFolder(wxCommandEvent& event);
    // Shows the bank set of operands (files and folders); false after its message.
    bool OpenBankSet(const std::vector<std::string>& operands);
    // Back to the page shown before (the tool bar's Back, as Alt+Left on the page).
    void OnBack(wxCommandEvent& event);
    // Enabled while the page has a page to go back to.
    void OnUpdateBack(wxUpdateUIEvent& event);
    // Save, Save As, Open in Web Browser, Export to Zip and the inspector work on the mapping
    // page and on the bank-set page.
    void OnUpdatePageCommands(wxUpdateUIEvent& event);
    // A first Backspace press is swallowed; the presses of a held Backspace and other keys pass.
    void OnCharHook(wxKeyEvent& event);
    // Whether the command's update handlers leave it enabled now.
    bool IsCommandEnabled(int id);
    // Writes the settings file with the page's look values as they are now; the user is told
    // when it cannot be written. true when written.
    bool SaveSettings();
    // The page is about to show the open bank as its file is now: the bank watch takes that as
    // the state shown, so the program's own writes are not taken for another program's.
    void NoteBankShown();
    // The same for a bank about to be opened.
    void NoteBankShown(const std::string& bank);

    // Edit > Find (the find bar opened on the page on show), Find Next and Find Previous.
    void OnFind(wxCommandEvent& event);
    void OnFindNext(wxCommandEvent& event);
    void OnFindPrevious(wxCommandEvent& event);
    // The find commands work on any page on show.
    void OnUpdateFind(wxUpdateUIEvent& event);
    CFindBar* GetFindBar() const { return m_pFindBar; }

    // A play link of the page on show: its entry played on the MIDI output chosen in Options, or
    // stopped when it still sounds; the status bar says what plays, or why nothing can.
    void PlayPageEntry(const PLAYLINK& link);

    CAboutDlg m_dlgAbout;

protected:
    bool TryBefore(wxEvent& event) override;

private:
    void SetFrameIcons();
    void BuildMenus();
    // A menu whose mnemonic is an accented letter ("&Édition") also opens with Alt and the plain
    // letter, which keyboards without the accented key type.
    void AddPlainMnemonics();
    void BuildToolBar();
    void BuildStatusBar();
    // The find bar under the page, hidden until asked for, and its commands.
    void BuildFindBar();
    void ShowHelpPage(unsigned pageId);
    void StepJournal(bool bUndo);
    void UpdateJournalCommand(wxUpdateUIEvent& event, bool bUndo);
    // Looks at the open bank's file: changed by another program, its page is rendered again;
    // removed, the page stays. Either is said in the status bar.
    void OnBankWatchTimer(wxTimerEvent& event);
    // Looks at the banks of the open set: the set page is written again when one changed or
    // went, and the status bar says which.
    void FollowBankSet(COrvaneView& view);
    // The bank Undo and Redo act on: on the set page the bank of the set last changed from this
    // window, elsewhere the open bank.
    std::string JournalBank() const;
    // The inspector on a bank of the set on show, chosen in a list; the set page follows.
    void InspectBankOfSet(COrvaneView& view);
    // The inspector's settings for bank: repair policy, backup, and the MIDI output and channel.
    void PrepareInspector(CBankInspectorDlg& dlg, const std::string& bank) const;
    // Save As, Open in Web Browser and Export to Zip of the set page.
    void SaveSetPage(COrvaneView& view);
    void OpenSetPageInBrowser(COrvaneView& view);
    void ExportSetToZip(COrvaneView& view);
    // The caption names the set while its page is on show, else the open bank.
    void UpdateCaption();

    void OnClose(wxCloseEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnToggleToolBar(wxCommandEvent& event);
    void OnToggleStatusBar(wxCommandEvent& event);
    void OnUpdateToggleToolBar(wxUpdateUIEvent& event);
    void OnUpdateToggleStatusBar(wxUpdateUIEvent& event);
    void OnUpdateDisabled(wxUpdateUIEvent& event);
    void OnUpdateAlways(wxUpdateUIEvent& event);

    CSettings& m_settings;
    std::string m_strSettingsPath;
    int m_bSettingsLoaded = 0;
    wxMenu* m_pFileMenu = nullptr;
    CFindBar* m_pFindBar = nullptr;
    bool m_abIndicators[3] = {false, false, false};
    // Undo and Redo name the change they act on. GTK sizes an open menu before its labels are
    // updated, so the labels are brought up to date while the menu is closed: when the open bank
    // changes, after the frame's own changes to it and when the window comes back to the front
    // (another program may have changed the bank or its journal meanwhile).
    bool m_bUndoLabelsStale = true;
    std::string m_strUndoLabelsBank;
    CKeyRepeatGate m_backspace;
    // Sees the key releases of the frame's windows, which never reach the frame's handlers.
    std::unique_ptr<wxEventFilter> m_pKeyReleaseFilter;
    // Every change the program makes to a bank while the window is open is recorded first.
    std::unique_ptr<CJournalScope> m_pJournal;
    // The open bank is looked at twice a second; a stat costs next to nothing, and unlike a
    // file-system watcher it needs no running event loop when made, sees a copy renamed over the
    // bank as well as a change in place, and works on every file system.
    wxTimer m_bankWatchTimer;
    CBankWatch m_bankWatch;
    std::string m_strWatchedBank;
    bool m_bFollowingBank = false;
    // The page's auditions, made on the first play link and again after Options; their end
    // silences what still sounds.
    std::unique_ptr<CInspectorAudition> m_pAudition;
};

// 1 while the view shows the mapping page ("midimap.html" in its location), else 0.
int IsReportShown();
// The view when it shows the bank-set page, else nullptr.
COrvaneView* ShownBankSetView();
