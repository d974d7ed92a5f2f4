// A frame with a grid of a few thousand filled cells: headings, a few colours and alignments,
// editing by double click, and a sort of the first column from the column heading's corner.
#include "grid/GridCtrl.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include <cstdio>
#include <string>

namespace
{
const int SAMPLE_COLS = 26;
const long SAMPLE_ROWS = 400;

class CSampleGrid : public CGridCtrl
{
public:
    explicit CSampleGrid(wxWindow* pParent) : CGridCtrl(pParent, wxID_ANY)
    {
        SetColCount(SAMPLE_COLS, 0);
        SetRowCount(SAMPLE_ROWS, 0);
        CGridCell cell;
        for (int c = 0; c < SAMPLE_COLS; ++c)
        {
            const char szName[2] = {static_cast<char>('A' + c), 0};
            SetCellText(c, -1, szName);
        }
        char sz[32];
        for (long r = 0; r < SAMPLE_ROWS; ++r)
        {
            std::snprintf(sz, sizeof sz, "%ld", r + 1);
            SetCellText(-1, r, sz);
            for (int c = 0; c < SAMPLE_COLS; ++c)
            {
                cell.SetMask(0);
                if (c % 3 == 1)
                {
                    cell.SetDecimals(2);
                    cell.SetNumber((r + 1) * 1.25 + c);
                    cell.SetAlignment(2);
                }
                else
                {
                    std::snprintf(sz, sizeof sz, "%c%ld", 'A' + c, r + 1);
                    cell.SetText(sz);
                }
                if (r % 10 == 0)
                    cell.SetBackColor(0xE0F0FF);
                SetCell(c, r, &cell);
            }
        }
        GetPopupMenu()->Append(1000, "Sort by column A");
        EnablePopupMenu(1);
        SetDefaultFont(RegisterFont("", 13, 400));
        AdjustLayout();
    }

    void OnCellDoubleClick(int nCol, long nRow, GRIDRECT*, GRIDPOINT*, int) override
    {
        if (nCol >= 0 && nRow >= 0)
            BeginEdit(nCol, nRow, 0);
    }

    void OnPopupCommand(int, long, int, int nCommand) override
    {
        if (nCommand == 1000)
        {
            GetSheet()->m_pDataSource->SortRows(0, 0);
            RepaintAll();
        }
    }
};

class CSampleApp : public wxApp
{
public:
    bool OnInit() override
    {
        auto* pFrame = new wxFrame(nullptr, wxID_ANY, "Orvane grid sample", wxDefaultPosition, wxSize(800, 560));
        new CSampleGrid(pFrame);
        pFrame->Show();
        return true;
    }
};
} // namespace

wxIMPLEMENT_APP(CSampleApp);
