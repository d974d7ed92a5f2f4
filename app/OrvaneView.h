// COrvaneView: the main window's only view, an HTML browser that shows the start page, the
// mapping page and the help pages, follows links inside itself, prints, and opens dropped files.
#pragma once

#include "app/BrowserWindow.h"

#include <wx/docview.h>

#include <memory>
#include <string>

class CPagePrinting;

class COrvaneView : public wxView
{
public:
    COrvaneView();
    ~COrvaneView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC*) override {}
    void OnChangeFilename() override;

    // Shows the file at path.
    void Navigate(const std::string& path);
    // The page on show as a URL ("file:///..."); "" before the first navigation.
    std::string GetLocation() const;
    // Reloads the page on show.
    void RefreshBrowser();
    // Back in the browser's history; false when there is nothing to go back to.
    bool Back();

    // Files dropped on the view: only the first counts; a shortcut is resolved to its target,
    // and a regular file is opened as File/Open would. Returns true when a file was opened.
    bool OnDropFiles(const wxArrayString& files);

    CBrowserWindow* GetBrowser() const { return m_pBrowser; }
    CPagePrinting* GetPrinting();

private:
    void OnPrint(wxCommandEvent& event);
    void OnPrintPreview(wxCommandEvent& event);
    void OnPrintSetup(wxCommandEvent& event);
    std::string CurrentFile() const;

    CBrowserWindow* m_pBrowser = nullptr;
    std::unique_ptr<CPagePrinting> m_pPrinting;

    wxDECLARE_DYNAMIC_CLASS(COrvaneView);
    wxDECLARE_EVENT_TABLE();
};
