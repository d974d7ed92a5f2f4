// CFindBar: the find bar docked under the page, as a web browser has it: a close button, the
// field, Next and Previous, Match case, and a line saying how the search went.
#pragma once

#include "app/PageSearch.h"

#include <wx/panel.h>

#include <functional>

class CBrowserWindow;
class wxCheckBox;
class wxStaticText;
class wxTextCtrl;

class CFindBar : public wxPanel
{
public:
    // page gives the browser window on show (or none) each time the bar searches.
    CFindBar(wxWindow* parent, std::function<CBrowserWindow*()> page);

    // Shows the bar and puts the keyboard in the field, its text selected for typing over.
    void Open();
    // Hides the bar and gives the keyboard back to the page.
    void Close();
    // The field's text further down (or up) the page; with no text, the bar is opened to type
    // one.
    void FindAgain(bool bBackward);

    // While the field has the keyboard, the Edit menu's Cut, Copy and Paste (and their keys, which
    // the window sees before the field) work on its text, and Undo and Redo never reach the bank.
    // true when event was such a command or its update, and was dealt with.
    bool RouteEditCommand(wxEvent& event);

    wxTextCtrl* GetField() const { return m_pField; }
    // What the bar says of the last search ("" before one).
    wxString GetStatus() const;

private:
    void Search(FindStep step);
    void ShowResult(const FINDRESULT& result, FindStep step);
    // The field lays out the bar again when it hides or shows.
    void Relayout();

    void OnText(wxCommandEvent& event);
    void OnFieldKeyDown(wxKeyEvent& event);
    void OnCharHook(wxKeyEvent& event);

    std::function<CBrowserWindow*()> m_page;
    CPageSearch m_search;
    wxTextCtrl* m_pField = nullptr;
    wxCheckBox* m_pMatchCase = nullptr;
    wxStaticText* m_pStatus = nullptr;
    wxColour m_fieldBackground;
};
