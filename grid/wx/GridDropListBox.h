// CGridDropListBox: the list a drop-list cell opens, a child of the cell area. A release on an
// item or Enter chooses, Escape or losing the focus (a click anywhere else) closes. It leaves
// the mouse to the native list, which handles its own presses. What a choice does is the
// drop-list type's decision.
#pragma once

#include "grid/GridDropListType.h"

#include <wx/listbox.h>

class CGridCtrl;

class CGridDropListBox : public wxListBox, public IGridDropListWindow
{
  public:
    CGridDropListBox(CGridCtrl* pGrid, CGridDropListType* pType);

    bool IsOpen() const override { return m_bOpen; }
    void Open(const GRIDRECT& rc, const std::vector<std::string>& arrChoices, CGridFont* pFont) override;
    void Close() override;

  private:
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void Choose();
    void ReturnFocus();

    CGridCtrl* m_pGrid;
    CGridDropListType* m_pType;
    bool m_bOpen = false;
    bool m_bChosen = false;
};
