// CInspectorGrid: the inspector's two-column table of numbers. It fixes the layout at setup and
// answers the grid's notifications so that only the digits of an existing entry can be edited,
// only values from 0 to 127 are taken and the column widths stay as they are.
#pragma once

#include "grid/wx/GridCtrl.h"
#include "inspector/InspectorTable.h"

#include <functional>

class CInspectorGrid : public CGridCtrl
{
public:
    // The window is made by AttachToDialogItem, which then runs OnGridSetup with this class in place.
    CInspectorGrid();

    // Rows the grid is given at setup.
    int m_nSetupRows = 8;
    // Called after an accepted edit, once the grid has stored the cell's text.
    std::function<void(int nCol, long nRow)> m_onEdited;
    // Called when an edit ends without storing (Escape, or the focus left the table), with the
    // text it had.
    std::function<void(int nCol, long nRow, const std::string& text)> m_onLeft;
    // Called for Tab (bForward) and Shift+Tab, also with Ctrl, while no edit runs: the table
    // hands the focus on to its neighbours.
    std::function<void(bool bForward)> m_onTab;
    // Called for Space while no edit runs: the dialog plays the entry of the current row.
    std::function<void()> m_onPlay;
    // The font of the table's cells and headings.
    int m_nTableFont = 0;
    // Rows that show an entry of the list on display; a paste lands on these only.
    long m_nEntryRows = 0;

    // Ctrl+C: the selected block of cells, or the current cell, onto the clipboard as
    // tab-separated lines.
    void CopyCells();
    // Ctrl+V: the clipboard's block of numbers into the table from the current cell, every row
    // it fills reported through m_onEdited; or, when any of it does not fit, nothing at all and
    // one message naming the line and column at fault.
    void PasteCells();

    // Stores text typed into (nCol, nRow) by an edit that was left, as Enter would have: a
    // value in range goes into the cell (the caller writes the row back); one out of range
    // shows the range message and opens the edit again with the text, and false is returned.
    // An unchanged text stores nothing.
    bool StoreLeftEdit(int nCol, long nRow, const std::string& text);

    // The table's texts, for the plain filling and write-back.
    IInspectorTable& Table() { return m_table; }

protected:
    void OnGridSetup() override;
    int OnCanResizeCol(int nCol) override;
    int OnCanResizeColHeading() override;
    void OnCellDoubleClick(int nCol, long nRow, GRIDRECT* pRect, GRIDPOINT* pPoint, int nProcessed) override;
    void OnGridKeyDown(unsigned* pnKey, int nProcessed) override;
    void OnGridChar(unsigned* pnChar, int nProcessed) override;
    int OnEditBegin(int nCol, long nRow, IGridEditWindow** ppEdit) override;
    int OnEditKey(int nCol, long nRow, IGridEditWindow* pEdit, unsigned* pnKey) override;
    int OnEditEnd(int nCol, long nRow, IGridEditWindow* pEdit, const char* pszText, int bCancelled) override;
    int OnEditNext(int nOldCol, long nOldRow, int* pnNewCol, long* pnNewRow) override;
    GRIDCOLOR OnBackColor(int nSection) override;
    int OnCellTypeEvent(int nTypeIndex, int nCol, long nRow, int nEvent, intptr_t nParam) override;

private:
    // The grid core seen as the inspector's table.
    class CTable : public IInspectorTable
    {
    public:
        explicit CTable(CGridCore& grid) : m_grid(grid) {}
        long GetRowCount() const override { return m_grid.GetRowCount(); }
        void SetRowCount(long nRows) override { m_grid.SetRowCount(nRows, 1); }
        std::string GetCellText(int nCol, long nRow) const override;
        void SetCellText(int nCol, long nRow, const std::string& text) override;

    private:
        CGridCore& m_grid;
    };

    std::string CellText(int nCol, long nRow);
    CTable m_table;
};
