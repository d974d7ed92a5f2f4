// COrvaneDoc: the one document of the program. It holds no parsed bank, only the mapping
// report whose paths name the template, the page and the open bank; opening a file renders the
// page and shows it, saving copies the page elsewhere. It is never modified.
#pragma once

#include "report/MappingReport.h"

#include <wx/docview.h>

class COrvaneView;

class COrvaneDoc : public wxDocument
{
public:
    bool OnNewDocument() override;
    bool OnOpenDocument(const wxString& path) override;
    // Save and Save As alike: copy the page to a place the user picks.
    bool Save() override { return DoSave(); }
    bool SaveAs() override { return DoSave(); }
    bool DoSave(const wxString& path = wxString(), bool replace = true);

    bool IsModified() const override { return false; }
    void Modify(bool) override {}
    wxString GetUserReadableName() const override;

    // Whether the last file opened was read as a bank and its page written: only such a file
    // counts as opened for the recent-file list.
    bool HasBankPage() const { return m_bBankPage; }

    COrvaneView* GetOrvaneView() const;
    // Shows the start page of the program directory in the view.
    void ShowStartPage();
    // Writes the mapping page into the private directory (made anew if something removed it)
    // and shows it: navigated to, or with bNavigate false reloaded in place where it was on
    // show. A page that cannot be made is reported; true when it was written.
    bool RenderPage(bool bNavigate = false);

    CMappingReport m_report;
    // Where the entries' rows are in the mapping page last written, for the view's play links;
    // empty when it shows no bank.
    std::vector<ENTRYMARK> m_entryMarks;

protected:
    // Only proves that the file can be read; reports "Unable to open file !" otherwise.
    bool DoOpenDocument(const wxString& file) override;

private:
    bool m_bBankPage = false;

    wxDECLARE_DYNAMIC_CLASS(COrvaneDoc);
};

// The one open document, or nullptr.
COrvaneDoc* FindDocument();
