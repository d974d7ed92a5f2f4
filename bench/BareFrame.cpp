// orvane-bareframe: the least a wx program does to show a page, the mark the desktop program's
// start-up is measured against (bench/startup-to-page.sh). One frame holding one wxHtmlWindow
// with a small page, shown once the page is set. Usage: orvane-bareframe [title]
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/html/htmlwin.h>

class CBareFrameApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxString title = argc > 1 ? argv[1] : wxString("Bare frame");
        auto* frame = new wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, wxSize(800, 600));
        auto* html = new wxHtmlWindow(frame);
        html->SetPage("<html><body><h1>Bare frame</h1><p>One wxHtmlWindow with a small page.</p></body></html>");
        frame->Show();
        SetTopWindow(frame);
        return true;
    }
};

wxIMPLEMENT_APP(CBareFrameApp);
