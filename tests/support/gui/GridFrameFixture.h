// A shown frame holding one grid control, for the grid's window tests. Afterwards the mouse is
// let go, the pointer leaves the place where the following tests put their windows, and the
// frame goes.
#pragma once

#include "grid/wx/GridCtrl.h"
#include "support/gui/GridPump.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/uiaction.h>

class CGridFrameFixture : public ::testing::Test
{
protected:
    // A frame of frameSize at (20, 20) with a grid of nCols x nRows; gridSize wxDefaultSize
    // lets the grid fill the frame.
    void MakeGrid(const char* title, wxSize frameSize, int nCols, long nRows, wxSize gridSize = wxDefaultSize)
    {
        pFrame = new wxFrame(nullptr, wxID_ANY, title, wxPoint(20, 20), frameSize);
        pGrid = gridSize == wxDefaultSize ? new CGridCtrl(pFrame, wxID_ANY)
                                          : new CGridCtrl(pFrame, wxID_ANY, wxPoint(0, 0), gridSize);
        pGrid->SetColCount(nCols);
        pGrid->SetRowCount(nRows);
        pFrame->Show();
        pFrame->Raise();
        Pump();
    }
    void TearDown() override
    {
        sim.MouseUp();
        sim.MouseMove(1270, 1010);
        if (pFrame)
            pFrame->Destroy();
        Pump();
    }
    void MoveTo(const wxPoint& pt)
    {
        sim.MouseMove(pt);
        Pump(2);
    }

    wxFrame* pFrame = nullptr;
    CGridCtrl* pGrid = nullptr;
    wxUIActionSimulator sim;
};
