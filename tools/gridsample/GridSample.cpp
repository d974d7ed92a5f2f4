// A frame with a grid that shows every cell type: check boxes, drop lists with their choices,
// arrows, text overflowing into empty neighbours, borders and bevels, bitmaps beside text and
// a joined block, with multi-selection on. A double click edits, the popup sorts column A.
// Sheet tabs below the cells switch between that sheet and a few tables of numbers.
#include "grid/GridCellType.h"
#include "grid/GridCheckBoxType.h"
#include "grid/wx/GridCtrl.h"
#include "grid/GridKeys.h"
#include "grid/GridSheetTabStrip.h"
#include "grid/wx/GridWxDC.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/menu.h>

#include <cstdio>
#include <memory>
#include <string>

namespace
{
const int SAMPLE_COLS = 11;
const long SAMPLE_ROWS = 300;
const int SAMPLE_SHEETS = 7;
const char* const SHEET_NAMES[SAMPLE_SHEETS] = {"Cell types", "Squares",       "Cubes",     "Sums",
                                                "Products",   "Powers of two", "Remainders"};
const char* const HEADINGS[SAMPLE_COLS] = {"Item",   "Check box", "Drop list", "Arrow",  "Overflow", "",
                                           "",       "Borders",   "Bitmap",    "Number", "Notes"};

// A small square bitmap in a colour with a darker frame.
wxBitmap MakeSwatch(const wxColour& colour)
{
    wxBitmap bmp(14, 14);
    wxMemoryDC dc(bmp);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(colour.ChangeLightness(60)));
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(1, 1, 12, 12);
    dc.SelectObject(wxNullBitmap);
    return bmp;
}

class CSampleGrid : public CGridCtrl
{
public:
    // Two-phase: the grid is set up in OnGridSetup, which Create calls once this class is complete.
    CSampleGrid() = default;

    void OnGridSetup() override
    {
        m_pRed = GridMakeBitmap(MakeSwatch(*wxRED));
        m_pGreen = GridMakeBitmap(MakeSwatch(wxColour(40, 160, 60)));
        m_pBlue = GridMakeBitmap(MakeSwatch(wxColour(40, 90, 200)));
        SetDefaultFont(RegisterFont("", 13, 400));
        SetColCount(SAMPLE_COLS, 0);
        SetRowCount(SAMPLE_ROWS, 0);
        SetColumnWidth(0, 70);
        SetColumnWidth(1, 95);
        SetColumnWidth(2, 100);
        SetColumnWidth(3, 50);
        SetColumnWidth(7, 90);
        SetColumnWidth(10, 160);
        for (int c = 0; c < SAMPLE_COLS; ++c)
            SetCellText(c, -1, HEADINGS[c]);
        for (long r = 0; r < SAMPLE_ROWS; ++r)
            FillRow(r);
        Join(4, 6, 2, 6, "Joined block");
        SetRowHeadingColWidth(-1, 44);
        JoinRowHeading(20, 3, "21-23");
        SetSelectionMode(1);
        EnableCellTips(1);
        SetKeyAcceleration(4, 0);
        SetDragScroll(1, 120);
        EnablePopupMenu(1);
        // Columns move by dragging their heading; both thumbs show where they would scroll to.
        GetSheet()->m_bColMove = 1;
        EnableScrollTips(1, 1);
        GetPopupMenu()->Append(1000, "Sort by column A");
        SetSheetCount(SAMPLE_SHEETS);
        for (int i = 0; i < SAMPLE_SHEETS; ++i)
            GetSheetTabs().AddTab(SHEET_NAMES[i], i);
        SetSheetTabWidth(320);
        // Two selected blocks to start with; a plain click replaces them.
        MarkRange(8, 13, 9, 16);
        MarkRange(1, 18, 2, 19);
    }

    void OnCellDoubleClick(int nCol, long nRow, GRIDRECT*, GRIDPOINT*, int nProcessed) override
    {
        if (nCol >= 0 && nRow >= 0 && !nProcessed)
            BeginEdit(nCol, nRow, 0);
    }

    // Typing into a cell starts editing it with that character; F2 edits its text as it is.
    void OnGridChar(unsigned* pnChar, int nProcessed) override
    {
        if (!nProcessed && *pnChar >= ' ' && !IsEditing() && CurrentCol() >= 0 && CurrentRow() >= 0)
            BeginEdit(CurrentCol(), CurrentRow(), *pnChar);
    }
    // The frame's status bar names every key the grid passes on.
    void OnGridKeyDown(unsigned* pnKey, int nProcessed) override
    {
        char sz[32];
        std::snprintf(sz, sizeof sz, "Key 0x%02X", *pnKey);
        if (auto* pFrame = dynamic_cast<wxFrame*>(wxGetTopLevelParent(this)))
            pFrame->SetStatusText(sz);
        if (!nProcessed && *pnKey == GRID_VK_F2 && !IsEditing())
            BeginEdit();
    }

    // The other sheets: a table of numbers each, made from the row and the column.
    void OnSheetCreated(int nSheet) override
    {
        if (nSheet == 0)
            return;
        SetDefaultFont(RegisterFont("", 13, 400));
        SetColCount(12, 0);
        SetRowCount(500, 0);
        EnableScrollTips(1, 1);
        char sz[64];
        for (int c = 0; c < 12; ++c)
        {
            std::snprintf(sz, sizeof sz, "%d", c + 1);
            SetCellText(c, -1, sz);
        }
        for (long r = 0; r < 500; ++r)
        {
            std::snprintf(sz, sizeof sz, "%ld", r + 1);
            SetCellText(-1, r, sz);
            for (int c = 0; c < 12; ++c)
            {
                const long long a = r + 1, b = c + 1;
                const long long v = nSheet == 1   ? a * a + b
                                    : nSheet == 2 ? a * a * a + b
                                    : nSheet == 3 ? a + b
                                    : nSheet == 4 ? a * b
                                    : nSheet == 5 ? (1LL << (r % 40)) * b
                                                  : a % b;
                std::snprintf(sz, sizeof sz, "%lld", v);
                SetCellText(c, r, sz);
            }
        }
    }

    // A tab shows its sheet.
    void OnSheetTabClicked(int nId) override
    {
        SwitchSheet(nId, 1);
        if (auto* pFrame = dynamic_cast<wxFrame*>(wxGetTopLevelParent(this)))
            pFrame->SetStatusText(wxString::Format("Sheet %d: %s", nId + 1, SHEET_NAMES[nId]));
    }

    // A double click on a column's heading edits its title.
    void OnColHeadingDoubleClick(int nCol, long nRow, GRIDRECT*, GRIDPOINT*, int) override { BeginEdit(nCol, nRow, 0); }

    int OnHScrollTip(int nCol, std::string* pstrText) override
    {
        *pstrText = "Column " + std::to_string(nCol + 1);
        return 1;
    }
    int OnVScrollTip(long nRow, std::string* pstrText) override
    {
        *pstrText = "Row " + std::to_string(nRow + 1);
        return 1;
    }

    void OnPopupCommand(int, long, int, int nCommand) override
    {
        if (nCommand == 1000)
        {
            GetSheet()->m_pDataSource->SortRows(0, 0);
            RepaintAll();
        }
    }

private:
    void FillRow(long r)
    {
        char sz[64];
        std::snprintf(sz, sizeof sz, "%ld", r + 1);
        SetCellText(-1, r, sz);
        CGridCell cell;
        auto put = [&](int nCol) {
            if (r % 10 == 0)
                cell.SetBackColor(0xF0F8FF);
            SetCell(nCol, r, &cell);
            cell.SetMask(0);
        };
        std::snprintf(sz, sizeof sz, "Item %ld", r + 1);
        cell.SetText(sz);
        put(0);

        cell.SetCellType(2);
        cell.SetLabel(r % 3 == 0 ? "Enabled" : "Visible");
        cell.SetNumber(r % 2 == 0 ? 1 : 0);
        static const int CHECK_STYLES[] = {0, GRID_CHECK_SUNKEN3D, GRID_CHECK_RAISED3D | GRID_CHECK_TICK, GRID_CHECK_TICK};
        cell.SetCellTypeParam(CHECK_STYLES[r % 4]);
        put(1);

        static const char* const COLOURS[] = {"Red", "Green", "Blue", "Yellow"};
        cell.SetCellType(1);
        cell.SetLabel("Red\nGreen\nBlue\nYellow\nCyan\nMagenta\n");
        cell.SetText(COLOURS[r % 4]);
        put(2);

        static const int ARROWS[] = {0x10, 0x20, 0x40, 0x80};
        cell.SetCellType(3);
        cell.SetCellTypeParam(ARROWS[r % 4]);
        cell.SetTextColor(0x804000);
        put(3);

        if (r % 2 == 0 && (r < 4 || r > 7))
        {
            cell.SetText("This text is wider than its column and runs on into the empty cells beside it");
            put(4);
        }

        static const short BORDERS[] = {0x1 | 0x2 | 0x4 | 0x8, 0x10 | 0x20 | 0x40 | 0x80, 0x1000, 0x2000, 0x800};
        cell.SetBorder(BORDERS[r % 5]);
        static const char* const BORDER_NAMES[] = {"thin box", "medium box", "sunken", "raised", "thick bottom"};
        cell.SetText(BORDER_NAMES[r % 5]);
        cell.SetAlignment(0x4 | 0x20);
        put(7);

        CGridBitmap* const BITMAPS[] = {m_pRed.get(), m_pGreen.get(), m_pBlue.get()};
        static const char* const BITMAP_NAMES[] = {"red", "green", "blue"};
        cell.SetBitmap(BITMAPS[r % 3]);
        cell.SetText(BITMAP_NAMES[r % 3]);
        put(8);

        cell.SetDecimals(2);
        cell.SetNumber((r + 1) * 1.25);
        cell.SetAlignment(2);
        put(9);

        if (r % 7 == 3)
        {
            cell.SetText("A long note cut with an ellipsis at the cell's edge");
            cell.SetCellTypeParam(4);
            put(10);
        }
    }

    void Join(int nCol, long nRow, int nCols, long nRows, const char* pszText)
    {
        CGridCell cell;
        for (int c = nCol; c <= nCol + nCols; ++c)
            for (long r = nRow; r <= nRow + nRows - 1; ++r)
            {
                cell.SetMask(0);
                if (c == nCol && r == nRow)
                {
                    cell.SetText(pszText);
                    cell.SetJoin(1, nCols, nRows - 1);
                    cell.SetBackColor(0xD8F0FF);
                    cell.SetAlignment(0x4 | 0x20);
                    cell.SetBorder(0x1000);
                }
                else
                    cell.SetJoin(0, nCol - c, nRow - r);
                SetCell(c, r, &cell);
            }
    }

    void JoinRowHeading(long nRow, long nRows, const char* pszText)
    {
        CGridCell cell;
        for (long r = nRow; r < nRow + nRows; ++r)
        {
            cell.SetMask(0);
            if (r == nRow)
            {
                cell.SetText(pszText);
                cell.SetJoin(1, 0, nRows - 1);
                cell.SetAlignment(0x4 | 0x20);
            }
            else
                cell.SetJoin(0, 0, nRow - r);
            SetCell(-1, r, &cell);
        }
    }

    std::unique_ptr<CGridBitmap> m_pRed, m_pGreen, m_pBlue;
};

class CSampleApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        auto* pFrame = new wxFrame(nullptr, wxID_ANY, "Orvane grid sample", wxDefaultPosition, wxSize(960, 620));
        auto* pGrid = new CSampleGrid;
        pGrid->Create(pFrame, wxID_ANY);
        pFrame->CreateStatusBar();
        pFrame->Show();
        pGrid->GetChild(GRID_CHILD_CELLS)->SetFocus();
        return true;
    }
};
} // namespace

wxIMPLEMENT_APP(CSampleApp);
