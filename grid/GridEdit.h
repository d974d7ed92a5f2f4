// CGridEdit: the in-place edit box, a multi-line text control that ends the edit on
// Tab, Enter, Escape or when the focus leaves it.
#pragma once

#include "grid/GridChild.h"

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

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void Finish(bool bCancel, bool bMove, int nNextCol, long nNextRow);

    CGridCtrl* m_pGrid;
    bool m_bEnding = false;
};
