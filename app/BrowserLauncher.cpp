// The built-in browser launcher: wx asks the desktop for its default browser.
#include "app/BrowserLauncher.h"

#include <wx/utils.h>

namespace
{
class CDesktopBrowserLauncher : public IBrowserLauncher
{
public:
    bool Launch(const std::string& url) override { return wxLaunchDefaultBrowser(wxString::FromUTF8(url)); }
};
} // namespace

CSlot<IBrowserLauncher>& BrowserLauncherSlot()
{
    static CDesktopBrowserLauncher builtIn;
    static CSlot<IBrowserLauncher> slot(builtIn);
    return slot;
}
