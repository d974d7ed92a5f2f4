// CPagePrinting: prints and previews the pages the view shows. The print dialog offers all of a
// page's pages, however many it turns out to have once it is laid out for the paper.
#pragma once

#include <wx/html/htmprint.h>

class CPagePrinting : public wxHtmlEasyPrinting
{
public:
    using wxHtmlEasyPrinting::wxHtmlEasyPrinting;

protected:
    wxHtmlPrintout* CreatePrintout() override;
};
