// COrvaneView: the main window's only view, an HTML browser that shows the start page, the
// mapping page and the help pages, follows links inside itself, prints, and opens dropped files.
#pragma once

#include "app/BankSetShow.h"
#include "app/BrowserWindow.h"

#include <wx/docview.h>

#include <memory>
#include <string>
#include <vector>

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

    // Files dropped on the view: one is resolved if it is a shortcut and opened as File/Open
    // would; several open a bank set. Returns true when a file or set was opened.
    bool OnDropFiles(const wxArrayString& files);
    // Shows the bank set of operands (files and folders); false after its message.
    bool OpenBankSet(const std::vector<std::string>& operands);
    // The bank set last shown.
    const CBankSetShow& GetBankSet() const { return m_bankSet; }
    CBankSetShow& GetBankSet() { return m_bankSet; }
    // Whether the page on show is the bank-set page.
    bool ShowsBankSet() const { return m_bankSet.IsShownAt(GetLocation()); }

    CBrowserWindow* GetBrowser() const { return m_pBrowser; }
    CPagePrinting* GetPrinting();

private:
    void OnPrint(wxCommandEvent& event);
    void OnPrintPreview(wxCommandEvent& event);
    void OnPrintSetup(wxCommandEvent& event);
    std::string CurrentFile() const;

    CBrowserWindow* m_pBrowser = nullptr;
    std::unique_ptr<CPagePrinting> m_pPrinting;
    CBankSetShow m_bankSet;

    wxDECLARE_DYNAMIC_CLASS(COrvaneView);
    wxDECLARE_EVENT_TABLE();
};
