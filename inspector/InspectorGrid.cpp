// The inspector grid's setup and notifications; the rules themselves are plain code.
#include "inspector/InspectorGrid.h"

#include "grid/GridDC.h"
#include "grid/GridInfo.h"
#include "grid/GridKeys.h"
#include "grid/GridMultiSelect.h"
#include "inspector/InspectorClipboard.h"
#include "inspector/InspectorRules.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace
{
constexpr int kRowHeight = 17;
constexpr int kColumnWidth = 70;
constexpr int kHeadingMargin = 8;
constexpr int kFontHeight = 14;
constexpr short kAlignCentre = 4;
constexpr int kHighlightCurrentCell = 3;
} // namespace

CInspectorGrid::CInspectorGrid() : m_table(*this) {}

std::string CInspectorGrid::CTable::GetCellText(int nCol, long nRow) const
{
    std::string text;
    m_grid.GetCellText(nCol, nRow, &text);
    return text;
}

void CInspectorGrid::CTable::SetCellText(int nCol, long nRow, const std::string& text)
{
    m_grid.SetCellText(nCol, nRow, text.c_str());
}

std::string CInspectorGrid::CellText(int nCol, long nRow)
{
    return m_table.GetCellText(nCol, nRow);
}

void CInspectorGrid::OnGridSetup()
{
    SetDefaultRowHeight(kRowHeight);
    SetColCount(2);
    SetRowCount(m_nSetupRows);
    m_nTableFont = RegisterFont("", kFontHeight, 0);
    SetDefaultFont(m_nTableFont);
    // Each column 70 pixels wide, or as wide as its heading needs in a longer language.
    CGridDC* pDC = AcquireMeasureDC();
    pDC->SelectFont(GetGridFont(m_nTableFont));
    const unsigned headings[2] = {IDS_COLPROGRAM, IDS_COLVARIATION};
    for (int col = 0; col < 2; ++col)
    {
        const std::string heading = GetString(headings[col]);
        SetColumnWidth(col, std::max(kColumnWidth, pDC->GetTextExtent(heading).cx + kHeadingMargin));
        SetCellText(col, -1, heading.c_str());
        SetCellAlignment(col, -1, kAlignCentre);
    }
    ReleaseMeasureDC(pDC);
    SetRowHeadingWidth(0);
    SetHighlightMode(kHighlightCurrentCell);
    // Blocks of cells are selected by dragging and with Shift and the arrows, for Ctrl+C.
    SetSelectionMode(1);
    RepaintAll();
}

int CInspectorGrid::OnCanResizeCol(int)
{
    return 0;
}

int CInspectorGrid::OnCanResizeColHeading()
{
    return 0;
}

void CInspectorGrid::OnCellDoubleClick(int nCol, long nRow, GRIDRECT*, GRIDPOINT*, int)
{
    if (InspectorCanEdit(CellText(nCol, nRow)))
        BeginEdit();
}

void CInspectorGrid::OnGridKeyDown(unsigned* pnKey, int nProcessed)
{
    if (nProcessed || !pnKey || IsEditing())
        return;
    const bool ctrl = IsControlDown(), shift = IsShiftDown();
    // Tab (and Ctrl+Tab, the way out of controls that take Tab) leaves the table for the
    // dialog's next control, Shift+Tab for the one before, as in any dialog.
    if (*pnKey == GRID_VK_TAB && m_onTab)
    {
        m_onTab(!shift);
        return;
    }
    if (*pnKey == GRID_VK_SPACE && !ctrl && !shift && m_onPlay)
    {
        m_onPlay();
        return;
    }
    if (ctrl && !shift && (*pnKey == 'C' || *pnKey == GRID_VK_INSERT))
    {
        CopyCells();
        return;
    }
    if ((ctrl && !shift && *pnKey == 'V') || (shift && !ctrl && *pnKey == GRID_VK_INSERT))
    {
        PasteCells();
        return;
    }
    if (InspectorKeyStartsEdit(*pnKey) && InspectorCanEdit(CellText(CurrentCol(), CurrentRow())))
        BeginEdit();
}

void CInspectorGrid::OnGridChar(unsigned* pnChar, int nProcessed)
{
    if (!nProcessed && pnChar && !IsEditing() && InspectorCharStartsEdit(*pnChar) &&
        InspectorCanEdit(CellText(CurrentCol(), CurrentRow())))
        BeginEdit(CurrentCol(), CurrentRow(), *pnChar);
}

int CInspectorGrid::OnEditBegin(int nCol, long nRow, IGridEditWindow**)
{
    return InspectorCanEdit(CellText(nCol, nRow)) ? 1 : 0;
}

int CInspectorGrid::OnEditKey(int, long, IGridEditWindow*, unsigned* pnKey)
{
    return pnKey && InspectorKeyAllowed(*pnKey) ? 1 : 0;
}

int CInspectorGrid::OnEditEnd(int nCol, long nRow, IGridEditWindow*, const char* pszText, int bCancelled)
{
    // A cancelled edit stores nothing, so its text needs no check: Escape and Cancel always
    // get the user out.
    if (bCancelled)
    {
        if (m_onLeft)
            m_onLeft(nCol, nRow, pszText ? pszText : "");
        return 1;
    }
    if (!InspectorValueInRange(ReadEditValue(pszText ? pszText : "")))
    {
        AppMessageBox(IDS_VALUE_RANGE, MsgExclamation);
        return 0; // the edit stays open with its text
    }
    // Run after the grid has stored the text, so the dialog reads the new value.
    if (m_onEdited)
        CallAfter([this, nCol, nRow] { m_onEdited(nCol, nRow); });
    return 1;
}

int CInspectorGrid::OnEditNext(int nOldCol, long nOldRow, int* pnNewCol, long* pnNewRow)
{
    if (pnNewCol && pnNewRow)
        InspectorNextCell(nOldCol, nOldRow, GetRowCount(), *pnNewCol, *pnNewRow);
    return 1;
}

GRIDCOLOR CInspectorGrid::OnBackColor(int)
{
    return 0xFFFFFF;
}

int CInspectorGrid::OnCellTypeEvent(int, int, long, int, intptr_t)
{
    return 0;
}

bool CInspectorGrid::StoreLeftEdit(int nCol, long nRow, const std::string& text)
{
    if (text == CellText(nCol, nRow))
        return true;
    if (!InspectorValueInRange(ReadEditValue(text)))
    {
        AppMessageBox(IDS_VALUE_RANGE, MsgExclamation);
        if (BeginEdit(nCol, nRow, 0) == 0)
            if (auto* pEdit = dynamic_cast<wxTextCtrl*>(GetEditBox()))
            {
                pEdit->ChangeValue(wxString::FromUTF8(text));
                pEdit->SelectAll();
            }
        return false;
    }
    SetCellText(nCol, nRow, text.c_str());
    return true;
}

void CInspectorGrid::CopyCells()
{
    int nCol1 = CurrentCol(), nCol2 = nCol1;
    long nRow1 = CurrentRow(), nRow2 = nRow1;
    const CGridMultiSelect& selection = *GetSheet()->m_pMultiSelect;
    if (selection.HasBlocks())
        selection.GetBounds(&nCol1, &nRow1, &nCol2, &nRow2);
    nCol1 = std::max(nCol1, 0);
    nRow1 = std::max(nRow1, 0L);
    nCol2 = std::min(nCol2, GetColCount() - 1);
    nRow2 = std::min(nRow2, GetRowCount() - 1);
    if (nCol1 > nCol2 || nRow1 > nRow2)
        return;
    wxClipboardLocker clipboard;
    if (!clipboard)
        return;
    wxTheClipboard->SetData(
        new wxTextDataObject(wxString::FromUTF8(InspectorCopyText(m_table, nCol1, nRow1, nCol2, nRow2))));
}

void CInspectorGrid::PasteCells()
{
    wxTextDataObject data;
    {
        wxClipboardLocker clipboard;
        if (!clipboard || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || !wxTheClipboard->GetData(data))
            return;
    }
    const std::vector<std::vector<std::string>> block = SplitPastedBlock(data.GetText().utf8_string());
    if (block.empty())
        return;
    const int nCol = CurrentCol();
    const long nRow = CurrentRow();
    std::string text;
    INSPECTORPASTEFAULT fault;
    if (!CheckInspectorPaste(block, nCol, nRow, m_nEntryRows, text, fault))
    {
        AppMessageBoxText(InspectorPasteMessage(fault), MsgExclamation);
        return;
    }
    PasteText(text);
    for (long row = nRow; row < nRow + static_cast<long>(block.size()); ++row)
        if (m_onEdited)
            m_onEdited(nCol, row);
}
