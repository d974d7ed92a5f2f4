// CGridEdit: shows, places and ends the in-place edit.
#include "grid/wx/GridEdit.h"

#include "grid/wx/GridCtrl.h"
#include "grid/wx/GridWxDC.h"
#include "grid/wx/GridWxInput.h"

#include <wx/dcclient.h>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace
{
// GTK's multi-line text control is a scrolled window whose least height is that of its vertical
// scroll bar, taller than a row, so the box would cover the cells below its own. The box grows
// by whole cells itself and needs no bar: with the external policy the bar neither shows nor
// claims room, and the box takes its cell's size. The toolkit is already loaded by wx; its
// function is looked up there rather than built against.
void DropScrollBarClaim(wxTextCtrl* pText)
{
#ifdef __WXGTK__
    using SetPolicyFn = void (*)(void*, int, int);
    static const auto pfnSetPolicy =
        reinterpret_cast<SetPolicyFn>(dlsym(RTLD_DEFAULT, "gtk_scrolled_window_set_policy"));
    const int nPolicyNever = 2, nPolicyExternal = 3;
    if (pfnSetPolicy && pText->GetHandle())
        pfnSetPolicy(pText->GetHandle(), nPolicyNever, nPolicyExternal);
#else
    (void)pText;
#endif
}
} // namespace

CGridEdit::CGridEdit(CGridCtrl* pGrid)
    : wxTextCtrl(pGrid, 123, wxEmptyString, wxDefaultPosition, wxSize(0, 0), wxTE_MULTILINE | wxTE_PROCESS_TAB |
                                                                                  wxTE_PROCESS_ENTER | wxBORDER_SIMPLE),
      m_pGrid(pGrid)
{
    Hide();
    DropScrollBarClaim(this);
    SetCursor(wxCursor(wxCURSOR_IBEAM));
    Bind(wxEVT_SET_FOCUS, &CGridEdit::OnSetFocus, this);
    Bind(wxEVT_KEY_DOWN, &CGridEdit::OnKeyDown, this);
    Bind(wxEVT_CHAR, &CGridEdit::OnChar, this);
    Bind(wxEVT_KILL_FOCUS, &CGridEdit::OnKillFocus, this);
    Bind(wxEVT_TEXT, &CGridEdit::OnText, this);
}

void CGridEdit::SetText(const std::string& strText) { ChangeValue(GridToWxString(strText)); }
std::string CGridEdit::GetText() const { return GridFromWxString(GetValue()); }

void CGridEdit::SetEditFont(CGridFont* pFont)
{
    if (pFont)
        SetFont(GridWxFont(pFont));
}

void CGridEdit::SetHost(int nSection)
{
    const int nSlot = nSection == GRID_SECTION_ROWHEADING   ? GRID_CHILD_ROWHEADING
                      : nSection == GRID_SECTION_COLHEADING ? GRID_CHILD_COLHEADING
                                                            : GRID_CHILD_CELLS;
    if (wxWindow* pHost = dynamic_cast<wxWindow*>(m_pGrid->GetChild(nSlot)))
        if (GetParent() != pHost)
            Reparent(pHost);
}

void CGridEdit::PlaceOnTop(const GRIDRECT& rc)
{
    SetSize(GridToWxRect(rc));
    Raise();
}

void CGridEdit::ShowEdit(bool bShow)
{
    // Hiding the focused box moves the focus away; that is not an end of the edit.
    const bool bWasEnding = m_bEnding;
    m_bEnding = bWasEnding || !bShow;
    if (!bShow)
        m_bKeepTyped = false;
    Show(bShow);
    m_bEnding = bWasEnding;
}

void CGridEdit::ActivateAndFocus()
{
    if (HasFocus())
    {
        // Already focused (the next cell of a moving edit): start over as on a new focus.
        wxFocusEvent event(wxEVT_SET_FOCUS, GetId());
        OnSetFocus(event);
    }
    else
        SetFocus();
}

bool CGridEdit::HasEditFocus() const { return wxWindow::FindFocus() == this; }

void CGridEdit::SendChar(unsigned nKey)
{
    unsigned nChar = nKey;
    if (!CGridEditState::FilterChar(*m_pGrid, this, &nChar))
        return;
    ChangeValue(wxString(wxUniChar(nChar)));
    SetInsertionPointEnd();
    // The focus may arrive after this character (the toolkit delivers it late when the window
    // is not yet active); it must not select the character, or the next one typed would
    // replace it. The next key ends this.
    m_bKeepTyped = true;
    GrowToFit();
}

void CGridEdit::OnSetFocus(wxFocusEvent& event)
{
    event.Skip();
    m_state.OnGainFocus(GetSize().y);
    GrowToFit();
    if (m_bKeepTyped)
        SetInsertionPointEnd();
    else
        SelectAll();
    m_bKeepTyped = false;
    ShowPosition(GetLastPosition());
}

void CGridEdit::FocusGrid()
{
    if (IGridChild* pCells = m_pGrid->GetChild(GRID_CHILD_CELLS))
        pCells->SetFocus();
    else
        m_pGrid->SetFocus();
}

void CGridEdit::OnKeyDown(wxKeyEvent& event)
{
    m_bKeepTyped = false;
    if (m_state.OnKeyDown(GridKeyFromWx(event), event.ShiftDown(), m_pGrid->GetEditCol(), m_pGrid->GetEditRow()))
        FocusGrid(); // losing the focus ends the edit
    else
        event.Skip();
}

void CGridEdit::OnChar(wxKeyEvent& event)
{
    unsigned nChar = static_cast<unsigned>(event.GetUnicodeKey());
    if (nChar == WXK_NONE)
    {
        event.Skip(); // a key without a character (arrows, Home...) moves the caret
        return;
    }
    if (!CGridEditState::FilterChar(*m_pGrid, this, &nChar))
        return;
    if (nChar == static_cast<unsigned>(event.GetUnicodeKey()))
        event.Skip();
    else
        WriteText(wxString(wxUniChar(nChar)));
}

// Leaving the grid cancels the edit; moving to the grid or one of its own windows stores it.
void CGridEdit::OnKillFocus(wxFocusEvent& event)
{
    event.Skip();
    if (m_bEnding)
        return;
    wxWindow* pTo = event.GetWindow();
    const bool bInGrid = pTo && (pTo == m_pGrid || pTo->GetParent() == m_pGrid);
    m_bEnding = true;
    const int nResult = m_state.OnLoseFocus(*m_pGrid, bInGrid, GetText());
    m_bEnding = false;
    if (nResult == 0)
        TakeFocusBack();
}

bool CGridEdit::EndBeforeClick()
{
    if (!IsShown() || m_bEnding)
        return !m_pGrid->IsEditing();
    m_bEnding = true;
    const int nResult = m_state.OnLoseFocus(*m_pGrid, true, GetText());
    m_bEnding = false;
    if (nResult == 0)
        TakeFocusBack();
    return nResult != 0;
}

// The text was refused: the edit goes on with the whole text selected. Any mouse capture held
// elsewhere is ended first.
void CGridEdit::TakeFocusBack()
{
    CallAfter(
        [this]
        {
            CaptureMouse();
            ReleaseMouse();
            SetFocus();
        });
}

void CGridEdit::OnText(wxCommandEvent& event)
{
    event.Skip();
    GrowToFit();
}

void CGridEdit::GrowToFit()
{
    wxWindow* pHost = GetParent();
    if (!m_state.m_bAutoSize || !IsShown() || !pHost)
        return;
    const GRIDRECT rcBox = GridFromWxRect(GetRect());
    const wxSize szHost = pHost->GetClientSize();
    const GRIDRECT rcClient{0, 0, szHost.x, szHost.y};
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    CGridWxDC gdc(dc);
    const GRIDSIZE szText = CGridEditState::MeasureWrapped(gdc, GetText() + " X X", rcClient.right - rcBox.left - 2);
    const bool bInCells = pHost == dynamic_cast<wxWindow*>(m_pGrid->GetChild(GRID_CHILD_CELLS));
    const GRIDRECT rcNew = m_state.Grow(rcBox, rcClient, szText, [&](int x, int y, GRIDRECT* pCell) {
        int nCol;
        long nRow;
        return bInCells && m_pGrid->CellFromPoint(x, y, &nCol, &nRow, pCell) == 0;
    });
    if (rcNew != rcBox)
        SetSize(GridToWxRect(rcNew));
}
