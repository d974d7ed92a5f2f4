// The program's document manager and its start-up: one document template, one document that is
// reused for every file (so a file that cannot be opened leaves the open bank on show), the
// recent-file list of four entries, and the main window.
#pragma once

#include <wx/docview.h>

#include <string>

class CMainFrame;
class CSettings;

class COrvaneDocManager : public wxDocManager
{
public:
    COrvaneDocManager();

    // New and Open reuse the existing document: the new file is opened into it, and only when
    // that succeeds does it become the open bank; only a file read as a bank whose page was
    // written enters the recent-file list.
    wxDocument* CreateDocument(const wxString& path, long flags = 0) override;
    wxString MakeNewDocumentName() override;
    // File > Open's dialog; a chosen file that does not exist is reported through the program's
    // message layer rather than the toolkit's own message box.
    wxDocTemplate* SelectDocumentPath(wxDocTemplate** templates, int noTemplates, wxString& path, long flags,
                                      bool save = false) override;
    wxFileHistory* OnCreateFileHistory() override;
    // The recent-file list is written to the configuration at once whenever it changes, so a
    // program ended by the session or a crash keeps it.
    void AddFileToHistory(const wxString& file) override;
    void RemoveFileFromHistory(size_t i) override;

    void SetMainFrame(CMainFrame* frame) { m_pMainFrame = frame; }
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }
    // Whether a new document shows the start page; off while the program starts with a bank,
    // whose page takes the view at once.
    bool ShowsStartPage() const { return m_bShowsStartPage; }
    void SetShowsStartPage(bool bShow) { m_bShowsStartPage = bShow; }

protected:
    // A recent file that is gone leaves the list, and the user is told so by the program.
    void OnMRUFileNotExist(unsigned n, const wxString& filename) override;

private:
    CMainFrame* m_pMainFrame = nullptr;
    bool m_bShowsStartPage = true;

    wxDECLARE_DYNAMIC_CLASS(COrvaneDocManager);
};

// Registers the template, creates the main window (which loads the settings), makes the
// document (a new one, or file opened when it is not empty) and shows the window. With a file,
// the start page is shown only when the file's page cannot be.
// settingsPath names the settings file beside the program ("" for the program directory's).
// Returns nullptr when the program cannot start.
CMainFrame* StartOrvane(COrvaneDocManager& manager, CSettings& settings, const wxString& file,
                        const std::string& settingsPath = "");
