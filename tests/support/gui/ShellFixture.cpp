// The desktop shell started for window tests: frame, document and settings in a fresh folder.
#include "support/gui/ShellFixture.h"

#include "support/BankBuilder.h"

#include <wx/app.h>
#include <wx/html/htmlcell.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstdlib>

void PumpEvents()
{
    for (int i = 0; i < 3; ++i)
    {
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

void CShellFixture::SetUp()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"))
    {
        m_bHadXdg = true;
        m_strOldXdg = xdg;
    }
    ::setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
    m_strSettingsPath = SettingsPath();
    m_pConfigBefore = wxConfigBase::Get(false);
}

void CShellFixture::TearDown()
{
    if (m_frame)
        CloseShell();
    m_manager.reset();
    // A test stopped by a failed assertion may leave its own configuration set, pointing into
    // its removed directory, where every later write would fail.
    if (wxConfigBase::Get(false) != m_pConfigBefore)
        delete wxConfigBase::Set(m_pConfigBefore);
    if (m_bHadXdg)
        ::setenv("XDG_CONFIG_HOME", m_strOldXdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

void CShellFixture::StartShell(const std::string& file)
{
    m_manager.reset();
    m_manager = std::make_unique<COrvaneDocManager>();
    m_frame = StartOrvane(*m_manager, m_settings, wxString::FromUTF8(file), m_strSettingsPath);
    ASSERT_NE(m_frame, nullptr);
    // As the program does: the main window owns the message boxes.
    m_sink.SetOwner(m_frame);
    PumpEvents();
}

void CShellFixture::CloseShell()
{
    ASSERT_NE(m_frame, nullptr);
    m_frame->Close(true);
    m_frame = nullptr;
    PumpEvents();
}

bool CShellFixture::IsEnabled(int id) const
{
    wxUpdateUIEvent event(id);
    event.SetEventObject(m_frame);
    m_frame->ProcessWindowEvent(event);
    return !event.GetSetEnabled() || event.GetEnabled();
}

std::string CShellFixture::MakeBank(const std::string& fileName, const std::string& name) const
{
    CBankBuilder bank;
    bank.Filler(16).Prio(name, 3).Imap({{0, 0}, {1, 0}, {5, 8}}, {{0, 0}}).Filler(8);
    std::string path = (m_dir / fileName).string();
    bank.WriteTo(path);
    return path;
}

void CShellFixture::FocusPage()
{
    m_frame->Raise();
    View()->GetBrowser()->SetFocus();
    PumpEvents();
}

namespace
{
// The first word cell of a link to href below cell, or nullptr.
const wxHtmlCell* FindLink(const wxHtmlCell* cell, const wxString& href)
{
    for (; cell; cell = cell->GetNext())
    {
        if (const wxHtmlCell* inner = cell->GetFirstChild())
        {
            if (const wxHtmlCell* found = FindLink(inner, href))
                return found;
        }
        else if (const wxHtmlLinkInfo* link = cell->GetLink(); link && link->GetHref() == href)
            return cell;
    }
    return nullptr;
}
} // namespace

bool CShellFixture::ClickPageLink(const std::string& href)
{
    CBrowserWindow* browser = View()->GetBrowser();
    const wxHtmlCell* cell = FindLink(browser->GetInternalRepresentation(), wxString::FromUTF8(href));
    if (!cell)
        return false;
    const wxPoint at = cell->GetAbsPos() + wxPoint(cell->GetWidth() / 2, cell->GetHeight() / 2);
    wxUIActionSimulator mouse;
    mouse.MouseMove(browser->ClientToScreen(browser->CalcScrolledPosition(at)));
    PumpEvents();
    mouse.MouseClick();
    for (int i = 0; i < 4; ++i)
    {
        PumpEvents();
        wxMilliSleep(10);
    }
    return true;
}
