// The built-in browser launcher: xdg-open asks the desktop for its default browser; where there is
// no xdg-open, wx's own search for a browser is used.
#include "app/BrowserLauncher.h"

#include "res/MessageBox.h"
#include "res/StringTable.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/process.h>
#include <wx/utils.h>

namespace
{
// xdg-open's exit statuses for "no tool to open it" and "the tool failed". They arrive only when
// it ends, after Launch has returned, so they are reported then. Other statuses may be the
// browser's own (xdg-open can run the browser in its place) and are not the launch's failure.
constexpr int kXdgNoTool = 3;
constexpr int kXdgFailed = 4;

class CXdgOpenProcess : public wxProcess
{
public:
    void OnTerminate(int, int status) override
    {
        if ((status == kXdgNoTool || status == kXdgFailed) && wxTheApp)
            wxTheApp->CallAfter([] { AppMessageBox(IDS_BROWSER_CANTSTART, MsgStop); });
        delete this;
    }
};

class CDesktopBrowserLauncher : public IBrowserLauncher
{
public:
    bool Launch(const std::string& url) override
    {
        const wxString path = wxString::FromUTF8(url);
        wxPathList search;
        search.AddEnvList("PATH");
        const wxString xdgOpen = search.FindAbsoluteValidPath("xdg-open");
        if (xdgOpen.empty())
            return wxLaunchDefaultBrowser(path);
        const wchar_t* argv[] = {xdgOpen.wc_str(), path.wc_str(), nullptr};
        auto* process = new CXdgOpenProcess;
        if (wxExecute(argv, wxEXEC_ASYNC, process) > 0)
            return true;
        delete process;
        return false;
    }
};
} // namespace

CSlot<IBrowserLauncher>& BrowserLauncherSlot()
{
    static CDesktopBrowserLauncher builtIn;
    static CSlot<IBrowserLauncher> slot(builtIn);
    return slot;
}
