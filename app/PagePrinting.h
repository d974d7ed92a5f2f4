// CPagePrinting: prints and previews the pages the view shows. The print dialog offers all of a
// page's pages, however many it turns out to have once it is laid out for the paper, and its
// preview button shows the program's own preview.
#pragma once

#include <wx/html/htmprint.h>

class CPagePrinting : public wxHtmlEasyPrinting
{
public:
    using wxHtmlEasyPrinting::wxHtmlEasyPrinting;

    // Prints the page file through the print dialog; the dialog's preview button opens the
    // program's preview window on the same file.
    void PrintPage(const wxString& file);

protected:
    wxHtmlPrintout* CreatePrintout() override;
};
