// CGridDropListBox: opening, choosing and closing.
#include "grid/wx/GridDropListBox.h"

#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWxDC.h"

CGridDropListBox::CGridDropListBox(CGridCtrl* pGrid, CGridDropListType* pType)
    : wxListBox(dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_CELLS)), 123, wxDefaultPosition,
                wxSize(0, 0), 0, nullptr, wxLB_SINGLE | wxBORDER_SIMPLE),
      m_pGrid(pGrid), m_pType(pType)
{
    Hide();
    Bind(wxEVT_SET_FOCUS, &CGridDropListBox::OnSetFocus, this);
    Bind(wxEVT_KILL_FOCUS, &CGridDropListBox::OnKillFocus, this);
    Bind(wxEVT_LEFT_UP, &CGridDropListBox::OnLeftUp, this);
    Bind(wxEVT_KEY_DOWN, &CGridDropListBox::OnKeyDown, this);
    // The native list may take Enter as the activation of its row.
    Bind(wxEVT_LISTBOX_DCLICK,
         [this](wxCommandEvent&)
         {
             if (m_bOpen && GetSelection() != wxNOT_FOUND)
                 Choose();
         });
}

void CGridDropListBox::Open(const GRIDRECT& rc, const std::vector<std::string>& arrChoices, CGridFont* pFont)
{
    Clear();
    if (pFont)
        SetFont(GridWxFont(pFont));
    for (const std::string& str : arrChoices)
        Append(GridToWxString(str));
    SetSize(GridToWxRect(rc));
    m_bOpen = true;
    m_bChosen = false;
    Show();
    Raise();
    SetFocus();
}

void CGridDropListBox::Close()
{
    m_bOpen = false;
    Hide();
}

void CGridDropListBox::OnSetFocus(wxFocusEvent& event)
{
    event.Skip();
    m_bOpen = true;
    m_bChosen = false;
}

// Losing the focus closes the list; without a choice the drop list remembers that, so the
// press on its button that took the focus away does not open it again.
void CGridDropListBox::OnKillFocus(wxFocusEvent& event)
{
    event.Skip();
    if (!m_bOpen)
        return;
    Close();
    m_pType->OnListClosed(m_bChosen);
    m_bChosen = false;
    if (wxWindow* pCells = GetParent())
        pCells->Refresh(false);
}

void CGridDropListBox::OnLeftUp(wxMouseEvent& event)
{
    event.Skip();
    if (!GetClientRect().Contains(event.GetPosition()))
        return;
    const int n = HitTest(event.GetPosition());
    if (n != wxNOT_FOUND)
        SetSelection(n);
    if (GetSelection() != wxNOT_FOUND)
        Choose();
}

void CGridDropListBox::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE)
    {
        ReturnFocus();
        return;
    }
    if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)
    {
        if (GetSelection() != wxNOT_FOUND)
            Choose();
        else
            ReturnFocus();
        return;
    }
    event.Skip();
}

void CGridDropListBox::Choose()
{
    const std::string strChoice = GridFromWxString(GetString(GetSelection()));
    m_bChosen = true;
    m_pType->OnListChoice(strChoice);
    ReturnFocus();
}

void CGridDropListBox::ReturnFocus()
{
    if (IGridChild* pCells = m_pGrid->GetChild(GRID_CHILD_CELLS))
        pCells->SetFocus();
    if (m_bOpen)
    {
        // The focus may not move (no window manager): close all the same.
        Close();
        m_pType->OnListClosed(m_bChosen);
        m_bChosen = false;
    }
}
