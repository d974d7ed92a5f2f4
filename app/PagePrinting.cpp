// Printing the view's pages with every page chosen in the print dialog.
#include "app/PagePrinting.h"

#include "app/PrintPreviewRequest.h"

#include "res/MessageBox.h"
#include "res/StringTable.h"

namespace
{
// Before the print dialog the page is not laid out yet and has no pages: the toolkit's
// printout then names page 1 as the chosen range, and the dialog would print that page only.
// With no range named, the dialog starts on all pages.
class CPagePrintout : public wxHtmlPrintout
{
public:
    using wxHtmlPrintout::wxHtmlPrintout;

    void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override
    {
        wxHtmlPrintout::GetPageInfo(minPage, maxPage, selPageFrom, selPageTo);
        if (*selPageTo < *selPageFrom)
            *selPageFrom = *selPageTo = 0;
    }

    // A page wider than the paper: the question goes through the program's message layer, with
    // its caption and language. A preview shows what would be cut and asks nothing.
    bool CheckFit(const wxSize& pageArea, const wxSize& docArea) const override
    {
        if (IsPreview() || docArea.x <= pageArea.x)
            return true;
        return AppMessageBox(IDS_PRINT_TOOWIDE, MsgQuestion) == AnswerYes;
    }
};
} // namespace

wxHtmlPrintout* CPagePrinting::CreatePrintout()
{
    // The same settings the toolkit's own printout gets: fonts and the page setup's margins.
    auto* printout = new CPagePrintout(GetName());
    printout->SetStandardFonts();
    const wxPageSetupDialogData* setup = GetPageSetupData();
    printout->SetMargins(setup->GetMarginTopLeft().y, setup->GetMarginBottomRight().y, setup->GetMarginTopLeft().x,
                         setup->GetMarginBottomRight().x);
    return printout;
}

void CPagePrinting::PrintPage(const wxString& file)
{
    bool preview = false;
    {
        CPrintPreviewRequest request;
        PrintFile(file);
        preview = request.WasRequested();
    }
    if (preview)
        PreviewFile(file);
}
