// CGridDropListBox: the list a drop-list cell opens, a child of the cell area. While open it
// holds the mouse (through the cell area, which captures for it): a release on an item chooses
// it, a press outside the list closes it without a choice, and so do Escape and losing the
// focus; Enter chooses the selected item. The capture is let go on every way the list closes,
// and when the window goes. What a choice does is the drop-list type's decision.
#pragma once

#include "grid/GridDropListType.h"
#include "grid/wx/GridWnd.h"

#include <wx/listbox.h>

class CGridCtrl;

class CGridDropListBox : public wxListBox, public IGridDropListWindow, public IGridMouseBorrower
{
public:
    CGridDropListBox(CGridCtrl* pGrid, CGridDropListType* pType);
    ~CGridDropListBox() override;

    bool IsOpen() const override { return m_bOpen; }
    void Open(const GRIDRECT& rc, const std::vector<std::string>& arrChoices, CGridFont* pFont) override;
    void Close() override;

    bool OnBorrowedMouse(wxMouseEvent& event) override;
    void OnBorrowedMouseLost() override;

private:
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    CGridWnd* Cells() const;
    void OnKeyDown(wxKeyEvent& event);
    bool IsOverList(const wxPoint& pt) const;
    void Choose();
    void CloseWithoutChoice(bool bPressTaken = false);
    void ReturnFocus(bool bPressTaken = false);
    void ReleaseCapture();

    CGridCtrl* m_pGrid;
    CGridDropListType* m_pType;
    bool m_bOpen = false;
    bool m_bChosen = false;
    bool m_bHolding = false;
    bool m_bPressTaken = false; // the list is closing on a press it took
    // The press that opened the list is still down; its release belongs to the cell area.
    bool m_bOpeningPress = false;
};
