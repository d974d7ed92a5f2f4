// CGridEdit: shows, places and ends the in-place edit.
#include "grid/GridEdit.h"

#include "grid/GridCtrl.h"
#include "grid/GridWxDC.h"

CGridEdit::CGridEdit(CGridCtrl* pGrid)
    : wxTextCtrl(pGrid, 123, wxEmptyString, wxDefaultPosition, wxSize(0, 0), wxTE_MULTILINE | wxTE_PROCESS_TAB |
                                                                                  wxTE_PROCESS_ENTER | wxBORDER_SIMPLE),
      m_pGrid(pGrid)
{
    Hide();
    Bind(wxEVT_KEY_DOWN, &CGridEdit::OnKeyDown, this);
    Bind(wxEVT_KILL_FOCUS, &CGridEdit::OnKillFocus, this);
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
    m_bEnding = !bShow;
    Show(bShow);
    m_bEnding = false;
}

void CGridEdit::ActivateAndFocus()
{
    SetFocus();
    SelectAll();
}

bool CGridEdit::HasEditFocus() const { return wxWindow::FindFocus() == this; }

void CGridEdit::SendChar(unsigned nKey)
{
    ChangeValue(wxString(wxUniChar(nKey)));
    SetInsertionPointEnd();
}

void CGridEdit::Finish(bool bCancel, bool bMove, int nNextCol, long nNextRow)
{
    if (m_bEnding || !m_pGrid->IsEditing())
        return;
    m_bEnding = true;
    const int nResult = m_pGrid->EndEdit(GetText().c_str(), bCancel, bMove, nNextCol, nNextRow);
    m_bEnding = false;
    if (nResult == 0)
    {
        // The text was refused: the edit goes on with the whole text selected.
        CallAfter([this] { ActivateAndFocus(); });
    }
    else if (!m_pGrid->IsEditing())
    {
        if (IGridChild* pCells = m_pGrid->GetChild(GRID_CHILD_CELLS))
            pCells->SetFocus();
    }
}

void CGridEdit::OnKeyDown(wxKeyEvent& event)
{
    const int nCol = m_pGrid->GetEditCol();
    const long nRow = m_pGrid->GetEditRow();
    switch (event.GetKeyCode())
    {
    case WXK_TAB: Finish(false, true, event.ShiftDown() ? nCol - 1 : nCol + 1, nRow); return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: Finish(false, true, nCol, nRow + 1); return;
    case WXK_ESCAPE: Finish(true, false, nCol, nRow); return;
    default: event.Skip();
    }
}

// Leaving the grid cancels the edit; moving to one of the grid's own windows stores it.
void CGridEdit::OnKillFocus(wxFocusEvent& event)
{
    event.Skip();
    wxWindow* pTo = event.GetWindow();
    const bool bInGrid = pTo && (pTo == m_pGrid || pTo->GetParent() == m_pGrid);
    Finish(!bInGrid, false, m_pGrid->GetEditCol(), m_pGrid->GetEditRow());
}
