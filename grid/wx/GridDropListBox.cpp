// CGridDropListBox: opening, mouse capture, choosing and closing.
#include "grid/wx/GridDropListBox.h"

#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWxDC.h"

#include <wx/utils.h>

#include <algorithm>

CGridDropListBox::CGridDropListBox(CGridCtrl* pGrid, CGridDropListType* pType)
    : wxListBox(dynamic_cast<wxWindow*>(pGrid->GetChild(GRID_CHILD_CELLS)), 123, wxDefaultPosition, wxSize(0, 0), 0,
                nullptr, wxLB_SINGLE | wxBORDER_SIMPLE),
      m_pGrid(pGrid), m_pType(pType)
{
    Hide();
    Bind(wxEVT_SET_FOCUS, &CGridDropListBox::OnSetFocus, this);
    Bind(wxEVT_KILL_FOCUS, &CGridDropListBox::OnKillFocus, this);
    Bind(wxEVT_KEY_DOWN, &CGridDropListBox::OnKeyDown, this);
    // The native list may take Enter as the activation of its row.
    Bind(wxEVT_LISTBOX_DCLICK,
         [this](wxCommandEvent&)
         {
             if (m_bOpen && GetSelection() != wxNOT_FOUND)
                 Choose();
         });
}

// The grid clears its children before they go, so a list outliving its cell area reaches
// nothing.
CGridDropListBox::~CGridDropListBox()
{
    ReleaseCapture();
}

CGridWnd* CGridDropListBox::Cells() const
{
    return dynamic_cast<CGridWnd*>(m_pGrid->GetChild(GRID_CHILD_CELLS));
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
    m_bOpeningPress = wxGetMouseState().LeftIsDown();
    Show();
    Raise();
    SetFocus();
    // Focus may have closed the list at once (another window taking it back).
    if (m_bOpen && !m_bHolding)
        if (CGridWnd* pCells = Cells())
        {
            m_bHolding = true;
            pCells->LendMouse(this);
        }
}

void CGridDropListBox::Close()
{
    m_bOpen = false;
    m_bOpeningPress = false;
    ReleaseCapture();
    Hide();
}

void CGridDropListBox::ReleaseCapture()
{
    if (!m_bHolding)
        return;
    m_bHolding = false;
    if (CGridWnd* pCells = Cells())
        pCells->TakeMouseBack(this);
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
    m_pType->OnListClosed(m_bChosen, m_bPressTaken);
    m_bChosen = false;
    if (wxWindow* pCells = GetParent())
        pCells->Refresh(false);
}

// Something else took the mouse (a menu, another program): the list closes as if clicked away.
void CGridDropListBox::OnBorrowedMouseLost()
{
    m_bHolding = false;
    if (m_bOpen)
        CloseWithoutChoice();
}

bool CGridDropListBox::IsOverList(const wxPoint& pt) const
{
    return wxRect(GetClientSize()).Contains(pt);
}

// While the list is open every mouse event anywhere comes here, in the cell area's coordinates.
bool CGridDropListBox::OnBorrowedMouse(wxMouseEvent& event)
{
    if (!m_bOpen)
        return false;
    const wxWindow* pFrom = dynamic_cast<wxWindow*>(event.GetEventObject());
    const wxPoint pt = pFrom ? ScreenToClient(pFrom->ClientToScreen(event.GetPosition())) : event.GetPosition();
    const wxEventType type = event.GetEventType();
    const bool bOver = IsOverList(pt);
    const int nItem = bOver ? HitTest(pt) : wxNOT_FOUND;
    if (type == wxEVT_MOUSEWHEEL)
    {
        // Over the list the wheel scrolls the choices; elsewhere it does nothing while open.
        if (bOver && GetCount() > 0)
        {
            const int nTop =
                std::max(0, GetTopItem() - 3 * event.GetWheelRotation() / std::max(1, event.GetWheelDelta()));
            SetFirstItem(std::min(nTop, static_cast<int>(GetCount()) - 1));
        }
        return true;
    }
    if (type == wxEVT_MOTION)
    {
        if (nItem != wxNOT_FOUND && nItem != GetSelection())
            SetSelection(nItem);
        return true;
    }
    if (type == wxEVT_LEFT_UP)
    {
        // The release of the press that opened the list ends the cell area's own click.
        if (m_bOpeningPress)
        {
            m_bOpeningPress = false;
            return bOver;
        }
        if (nItem != wxNOT_FOUND)
        {
            SetSelection(nItem);
            Choose();
        }
        return true;
    }
    if (type != wxEVT_LEFT_DOWN && type != wxEVT_LEFT_DCLICK && type != wxEVT_RIGHT_DOWN && type != wxEVT_RIGHT_DCLICK)
        return true;
    // A press: on the list it selects (the release chooses), anywhere else it closes.
    m_bOpeningPress = false;
    if (bOver)
    {
        if (nItem != wxNOT_FOUND)
            SetSelection(nItem);
        return true;
    }
    CloseWithoutChoice(true);
    return true;
}

void CGridDropListBox::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE)
    {
        CloseWithoutChoice();
        return;
    }
    if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)
    {
        if (GetSelection() != wxNOT_FOUND)
            Choose();
        else
            CloseWithoutChoice();
        return;
    }
    event.Skip();
}

void CGridDropListBox::Choose()
{
    const std::string strChoice = GridFromWxString(GetString(GetSelection()));
    m_bChosen = true;
    ReleaseCapture();
    m_pType->OnListChoice(strChoice);
    ReturnFocus();
}

void CGridDropListBox::CloseWithoutChoice(bool bPressTaken)
{
    m_bChosen = false;
    ReleaseCapture();
    ReturnFocus(bPressTaken);
}

// Closing runs here, or in the focus handler when the focus moves at once.
void CGridDropListBox::ReturnFocus(bool bPressTaken)
{
    m_bPressTaken = bPressTaken;
    if (IGridChild* pCells = m_pGrid->GetChild(GRID_CHILD_CELLS))
        pCells->SetFocus();
    if (m_bOpen)
    {
        // The focus may not move (no window manager): close all the same.
        Close();
        m_pType->OnListClosed(m_bChosen, m_bPressTaken);
        m_bChosen = false;
        if (wxWindow* pCells = GetParent())
            pCells->Refresh(false);
    }
    m_bPressTaken = false;
}
