// CGridCtrl: the grid control as a window. The plain CGridCore does the work; this class
// creates the child windows, sizes them, paints its background and answers the window-side
// questions (keyboard state, client size, popup menu, measuring).
#pragma once

#include "grid/GridCore.h"

#include <wx/window.h>

#include <memory>

class wxMenu;
class wxFindDialogEvent;
class wxFindReplaceDialog;
class CGridDropListBox;
class CGridEdit;
class CGridTextCache;

class CGridCtrl : public wxWindow, public CGridCore
{
public:
    // Two-phase construction: a subclass is complete when Create runs, so its OnLayoutAdjust
    // and OnGridSetup (called at the end of Create) are the ones that run. The constructor
    // with a parent raises them once the event loop next runs, when the subclass is whole.
    CGridCtrl();
    CGridCtrl(wxWindow* pParent, wxWindowID nId, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long nStyle = wxBORDER_SIMPLE);
    bool Create(wxWindow* pParent, wxWindowID nId, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long nStyle = wxBORDER_SIMPLE);
    ~CGridCtrl() override;

    // Both fonts stay reachable: the window's and the grid's table entries.
    using wxWindow::GetFont;
    using CGridCore::GetGridFont;

    // Takes the place, size and id of a dialog's placeholder control with the given id (which is
    // removed), then lets the owner set the grid up in OnGridSetup; a control not created yet is
    // created there.
    static CGridCtrl* AttachToDialogItem(wxWindow* pDialog, wxWindowID nId);
    int AttachToDialogItem(wxWindow* pDialog, unsigned nControlId);

    // Ends a running edit of the grid's own edit box before a click on the cells is handled;
    // false while an edit goes on (its text refused, or another window editing).
    bool EndEditBeforeClick();

    wxMenu* GetPopupMenu() const { return m_pPopupMenu.get(); }
    void SetFindDialog(wxFindReplaceDialog* pDialog);
    // The texts the child windows have drawn, kept for copying (made on first use).
    CGridTextCache* GetTextCache();

protected:
    bool IsKeyDown(int nKey) const override;
    GRIDSIZE GetControlClientSize() const override;
    bool IsFocusOnControl() const override;
    int TrackPopupMenu(const GRIDPOINT& pt) override;
    CGridDC* AcquireMeasureDC() override;
    void ReleaseMeasureDC(CGridDC* pDC) override;
    bool FindDialogExists() const override;
    void OnFindStateReset() override;
    GRIDRECT CellAreaToScreen(const GRIDRECT& rc) const override;
    GRIDSIZE GetScreenSize() const override;

private:
    bool CreateGridWindow(wxWindow* pParent, wxWindowID nId, const wxPoint& pos, const wxSize& size,
                          long nStyle = wxBORDER_SIMPLE);
    void CreateChildren();
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnFocus(wxFocusEvent& event);
    void OnSysColour(wxSysColourChangedEvent& event);
    void OnMenu(wxCommandEvent& event);
    void OnFind(wxFindDialogEvent& event);

    std::unique_ptr<wxMenu> m_pPopupMenu;
    std::unique_ptr<CGridTextCache> m_pTextCache;
    wxFindReplaceDialog* m_pFindDialog = nullptr;
    CGridEdit* m_pEdit = nullptr;
    CGridDropListBox* m_pDropList = nullptr;
    bool m_bChildrenCreated = false;
    bool m_bSetupPending = false;
};
