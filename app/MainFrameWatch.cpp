// The main frame follows its bank on disk: a bank changed by another program is shown again,
// a bank removed is said to be gone, and the Undo and Redo texts follow the journal.
#include "app/MainFrame.h"

#include "app/OrvaneDoc.h"
#include "app/OrvaneView.h"
#include "res/StringTable.h"

#include <dlfcn.h>

#include <filesystem>

namespace
{
// Whether a modal dialog, a message box or an open menu holds the toolkit's grab: the page is not
// rendered again under one, whose owner may be using the bank (the inspector) or may be the
// render itself. The toolkit is already loaded by wx; its function is looked up there.
bool IsToolkitGrabbed()
{
#ifdef __WXGTK__
    using GrabFn = void* (*)();
    static const auto pfnGrab = reinterpret_cast<GrabFn>(dlsym(RTLD_DEFAULT, "gtk_grab_get_current"));
    return pfnGrab && pfnGrab() != nullptr;
#else
    return false;
#endif
}
} // namespace

void CMainFrame::NoteBankShown()
{
    const COrvaneDoc* doc = FindDocument();
    NoteBankShown(doc ? doc->m_report.m_strBankPath.string() : std::string());
}

void CMainFrame::NoteBankShown(const std::string& bank)
{
    m_strWatchedBank = bank;
    m_bankWatch.Shown(StampBank(GetFileSystem(), bank));
}

void CMainFrame::OnBankWatchTimer(wxTimerEvent&)
{
    COrvaneDoc* doc = FindDocument();
    if (!doc || m_bFollowingBank || IsToolkitGrabbed())
        return;
    if (COrvaneView* view = doc->GetOrvaneView(); view && view->GetBankSet().IsOpen())
    {
        FollowBankSet(*view);
        // The open bank's page is not on show: it is followed once it is shown again.
        if (view->ShowsBankSet())
            return;
    }
    const std::filesystem::path bank = doc->m_report.m_strBankPath;
    // Another bank opened (or none): its page was just rendered from the file as it is.
    if (bank.string() != m_strWatchedBank)
    {
        NoteBankShown();
        return;
    }
    if (bank.empty())
        return;
    const BankChange change = m_bankWatch.Look(StampBank(GetFileSystem(), bank));
    if (change == BankChange::None)
        return;
    const std::string name = bank.filename().string();
    m_bUndoLabelsStale = true;
    if (change == BankChange::Gone)
    {
        SetStatusText(wxString::FromUTF8(FormatStringId(IDS_BANK_GONEFROMDISK, {name})), 0);
        return;
    }
    // Shown as the other program left it: a converted bank is not repaired behind the user's back.
    m_bFollowingBank = true;
    const REPAIRPOLICY policy = doc->m_report.m_repairPolicy;
    doc->m_report.m_repairPolicy = REPAIRPOLICY{REPAIRPOLICY::Never, false};
    const bool rendered = doc->RenderPage();
    doc->m_report.m_repairPolicy = policy;
    m_bFollowingBank = false;
    if (rendered)
        SetStatusText(wxString::FromUTF8(FormatStringId(IDS_BANK_CHANGEDONDISK, {name})), 0);
}

void CMainFrame::FollowBankSet(COrvaneView& view)
{
    CBankSetShow& set = view.GetBankSet();
    const auto changes = set.GetWatch().Look(GetFileSystem());
    if (changes.empty())
        return;
    m_bUndoLabelsStale = true;
    m_bFollowingBank = true;
    const bool rendered = set.Refresh(view);
    m_bFollowingBank = false;
    if (!rendered)
        return;
    const std::string name = std::filesystem::path(changes.front().first).filename().string();
    const unsigned id = changes.front().second == BankChange::Gone ? IDS_SET_BANKGONE : IDS_SET_BANKCHANGED;
    SetStatusText(wxString::FromUTF8(FormatStringId(id, {name})), 0);
}
