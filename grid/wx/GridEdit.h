// CGridEdit: the in-place edit box, a multi-line text control. Keys and focus changes are
// translated here; CGridEditState decides how the edit ends and how the box grows.
#pragma once

#include "grid/GridChild.h"
#include "grid/GridEditState.h"

#include <wx/textctrl.h>

class CGridCtrl;

class CGridEdit : public wxTextCtrl, public IGridEditWindow
{
public:
    explicit CGridEdit(CGridCtrl* pGrid);

    void SetText(const std::string& strText) override;
    std::string GetText() const override;
    void SetEditFont(CGridFont* pFont) override;
    void SetHost(int nSection) override;
    void PlaceOnTop(const GRIDRECT& rc) override;
    void ShowEdit(bool bShow) override;
    void ActivateAndFocus() override;
    bool HasEditFocus() const override;
    void SendChar(unsigned nKey) override;

    // Ends the edit as the focus moving to the grid would, for a click on the cells: the toolkit
    // tells the box of its focus loss only after the click. False when the text was refused and
    // the edit goes on.
    bool EndBeforeClick();

    const CGridEditState& GetState() const { return m_state; }
    void SetAutoSize(bool bAutoSize) { m_state.m_bAutoSize = bAutoSize; }

private:
    void OnSetFocus(wxFocusEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnText(wxCommandEvent& event);
    void GrowToFit();
    void FocusGrid();
    void TakeFocusBack();

    CGridCtrl* m_pGrid;
    CGridEditState m_state;
    bool m_bEnding = false;
    bool m_bKeepTyped = false; // the edit began with a typed character: keep it unselected
};
