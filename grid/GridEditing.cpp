// CGridCore editing: starting, ending and cancelling the in-place edit.
#include "grid/GridCore.h"

#include "grid/GridCellType.h"
#include "grid/GridDataSource.h"

// ---- Editing ----

int CGridCore::BeginEdit()
{
    return BeginEdit(CurrentCol(), CurrentRow(), 0);
}

int CGridCore::BeginEdit(int nCol, long nRow, unsigned nKey)
{
    CGridInfo& s = *m_pInfo;
    m_bEditing = 1;
    m_pActiveEdit = nullptr;
    int nC1, nC2;
    long nR1, nR2;
    if (s.m_pMultiSelect->GetBounds(&nC1, &nR1, &nC2, &nR2) == 0)
    {
        s.m_pMultiSelect->ClearBlocks();
        if (nC1 != nC2 || nR1 != nR2 || nC1 != nCol || nR1 != nRow)
            RepaintRange(nC1, nR1, nC2, nR2);
    }
    if (nCol != s.m_nNotifiedCol || nRow != s.m_nNotifiedRow)
    {
        // A column-heading cell makes row 0 of its column current; a row-heading column can
        // never become current, so that move fails.
        if (SetCurrentCell(nCol, nRow) != 0)
        {
            m_bEditing = 0;
            return 2;
        }
        // A member of a joined block is edited as the block: its origin is the cell shown.
        if (s.m_bJoins && nRow >= 0)
        {
            int nLastCol;
            long nLastRow;
            FindJoinBlock(nCol, nRow, &nCol, &nRow, &nLastCol, &nLastRow);
        }
    }

    m_nEditCol = nCol;
    m_nEditRow = nRow;
    GetCellResolved(nCol, nRow, &m_editCell);
    CGridCellType* pType = GetCellTypeOf(m_editCell);
    if (!pType->m_bEditable)
    {
        m_bEditing = 0;
        return 1;
    }

    GRIDRECT rc;
    GetCellBounds(nCol, nRow, &rc);
    m_nEditSection = (nCol >= 0 && nRow >= 0) ? GRID_SECTION_CELLS
                     : nCol < 0               ? GRID_SECTION_ROWHEADING
                                              : GRID_SECTION_COLHEADING;
    rc.right -= 1;
    rc.bottom -= 1;
    pType->GetEditRect(&rc);

    if (m_editCell.GetReadOnly())
    {
        m_bEditing = 0;
        return 1;
    }
    const std::string strText = m_editCell.GetText() ? m_editCell.GetText() : "";
    IGridEditWindow* pEdit = s.m_pEditWnd;
    if (pEdit)
        pEdit->SetText(strText);
    if ((s.m_pDataSource && !s.m_pDataSource->OnSourceEditBegin(nCol, nRow, &pEdit)) ||
        !OnEditBegin(nCol, nRow, &pEdit))
    {
        m_bEditing = 0;
        return 1;
    }
    if (!pEdit)
    {
        m_bEditing = 0;
        return 1;
    }
    m_pActiveEdit = pEdit; // a substitute serves this one edit only
    pEdit->SetText(strText);
    if (CGridFont* pFont = m_editCell.GetFont())
        pEdit->SetEditFont(pFont);
    else if (s.m_pDefaultFont)
        pEdit->SetEditFont(s.m_pDefaultFont);
    pEdit->SetHost(m_nEditSection);
    pEdit->PlaceOnTop(rc);
    pEdit->ShowEdit(true);
    pEdit->ActivateAndFocus();
    if (nKey > 0)
        pEdit->SendChar(nKey);
    return 0;
}

int CGridCore::EndEdit(const char* pszText, int bCancel, int bMoveOn, int nNextCol, long nNextRow)
{
    CGridInfo& s = *m_pInfo;
    const bool bWasEditing = m_bEditing != 0;
    if (!bWasEditing)
        bCancel = 1;
    IGridEditWindow* pEdit = m_pActiveEdit ? m_pActiveEdit : s.m_pEditWnd;
    if ((s.m_pDataSource &&
         s.m_pDataSource->OnSourceEditEnd(m_nEditCol, m_nEditRow, pEdit, pszText, bCancel) != 1) ||
        !OnEditEnd(m_nEditCol, m_nEditRow, pEdit, pszText, bCancel))
        if (bWasEditing)
            return 0;
    if (pEdit)
        pEdit->ShowEdit(false);
    if (!bCancel)
        SetCellText(m_nEditCol, m_nEditRow, pszText ? pszText : "");
    if (bWasEditing && bMoveOn && m_nEditSection == GRID_SECTION_CELLS && s.m_nColCount > 0 &&
        s.m_nRowCount > 0)
    {
        if (nNextCol < 0)
            nNextCol = s.m_nColCount - 1;
        else if (nNextCol >= s.m_nColCount)
            nNextCol = 0;
        if (nNextRow < 0)
            nNextRow = s.m_nRowCount - 1;
        else if (nNextRow >= s.m_nRowCount)
            nNextRow = 0;
        if ((!s.m_pDataSource ||
             s.m_pDataSource->OnSourceEditNext(m_nEditCol, m_nEditRow, &nNextCol, &nNextRow) == 1) &&
            OnEditNext(m_nEditCol, m_nEditRow, &nNextCol, &nNextRow))
        {
            BeginEdit(nNextCol, nNextRow, 0);
            return 1;
        }
    }
    m_bEditing = 0;
    m_pActiveEdit = nullptr;
    return 1;
}

int CGridCore::CancelEdit()
{
    if (!m_bEditing)
        return 0;
    m_bEditing = 0;
    IGridEditWindow* pEdit = m_pActiveEdit ? m_pActiveEdit : m_pInfo->m_pEditWnd;
    m_pActiveEdit = nullptr;
    if (pEdit && pEdit->HasEditFocus() && m_pChildren[GRID_CHILD_CELLS])
        m_pChildren[GRID_CHILD_CELLS]->SetFocus();
    if (pEdit)
        pEdit->ShowEdit(false);
    return 0;
}
