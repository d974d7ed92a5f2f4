// The main frame's find bar and its commands: Edit > Find, Find Next and Find Previous.
#include "app/MainFrame.h"

#include "app/FindBar.h"
#include "app/OrvaneDoc.h"
#include "app/OrvaneView.h"

#include <wx/sizer.h>

namespace
{
CBrowserWindow* PageOnShow()
{
    COrvaneDoc* doc = FindDocument();
    COrvaneView* view = doc ? doc->GetOrvaneView() : nullptr;
    return view ? view->GetBrowser() : nullptr;
}
} // namespace

void CMainFrame::BuildFindBar()
{
    // The view puts its page above the bar when it is made.
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_pFindBar = new CFindBar(this, PageOnShow);
    m_pFindBar->Hide();
    sizer->Add(m_pFindBar, 0, wxEXPAND);
    SetSizer(sizer);

    Bind(wxEVT_MENU, &CMainFrame::OnFind, this, CMD_FIND);
    Bind(wxEVT_MENU, &CMainFrame::OnFindNext, this, CMD_FIND_NEXT);
    Bind(wxEVT_MENU, &CMainFrame::OnFindPrevious, this, CMD_FIND_PREVIOUS);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateFind, this, CMD_FIND, CMD_FIND_PREVIOUS);
}

void CMainFrame::OnFind(wxCommandEvent&)
{
    m_pFindBar->Open();
}

void CMainFrame::OnFindNext(wxCommandEvent&)
{
    m_pFindBar->FindAgain(false);
}

void CMainFrame::OnFindPrevious(wxCommandEvent&)
{
    m_pFindBar->FindAgain(true);
}

void CMainFrame::OnUpdateFind(wxUpdateUIEvent& event)
{
    const CBrowserWindow* page = PageOnShow();
    event.Enable(page && !page->GetOpenedPage().empty());
}
