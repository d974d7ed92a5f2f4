// The find bar: its controls, the keys of its field, and what it says of a search.
#include "app/FindBar.h"

#include "app/BrowserWindow.h"
#include "res/StringTable.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace
{
wxString Text(unsigned id)
{
    return wxString::FromUTF8(GetString(id));
}

// The tint of a field whose text is not on the page: the background of a browser's find field
// in that case. The status line says it in words as well.
const wxColour kNotFoundBackground(255, 214, 214);
const wxColour kNotFoundText(170, 0, 0);
} // namespace

CFindBar::CFindBar(wxWindow* parent, std::function<CBrowserWindow*()> page)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE),
      m_page(std::move(page))
{
    wxButton* close = wxBitmapButton::NewCloseButton(this, wxID_CLOSE);
    close->SetToolTip(Text(IDS_FIND_CLOSE));
    auto* label = new wxStaticText(this, wxID_ANY, Text(IDS_FIND_LABEL));
    m_pField = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(180, -1)));
    m_fieldBackground = m_pField->GetBackgroundColour();
    auto* next = new wxButton(this, wxID_FORWARD, Text(IDS_FIND_NEXT), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    next->SetToolTip(wxString::FromUTF8(GetPromptText(ID_EDIT_FINDNEXT)));
    auto* previous =
        new wxButton(this, wxID_BACKWARD, Text(IDS_FIND_PREVIOUS), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    previous->SetToolTip(wxString::FromUTF8(GetPromptText(ID_EDIT_FINDPREVIOUS)));
    m_pMatchCase = new wxCheckBox(this, wxID_ANY, Text(IDS_FIND_MATCHCASE));
    // On a narrow window the line ends in an ellipsis; its tip shows it whole.
    m_pStatus = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxST_ELLIPSIZE_END);

    const int gap = FromDIP(6);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(close, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    row->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    row->Add(m_pField, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    row->Add(next, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap / 2);
    row->Add(previous, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap * 2);
    row->Add(m_pMatchCase, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap * 2);
    row->Add(m_pStatus, 1, wxALIGN_CENTER_VERTICAL);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(row, 0, wxEXPAND | wxALL, FromDIP(4));
    SetSizer(outer);

    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Close(); });
    next->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Search(FindStep::Next); });
    previous->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Search(FindStep::Previous); });
    m_pMatchCase->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Search(FindStep::Here); });
    m_pField->Bind(wxEVT_TEXT, &CFindBar::OnText, this);
    m_pField->Bind(wxEVT_KEY_DOWN, &CFindBar::OnFieldKeyDown, this);
    Bind(wxEVT_CHAR_HOOK, &CFindBar::OnCharHook, this);
}

void CFindBar::Open()
{
    if (!IsShown())
    {
        Show();
        Relayout();
    }
    m_pField->SetFocus();
    m_pField->SelectAll();
}

void CFindBar::Close()
{
    if (IsShown())
    {
        Hide();
        Relayout();
    }
    if (CBrowserWindow* page = m_page())
        page->SetFocus();
}

void CFindBar::FindAgain(bool bBackward)
{
    if (m_pField->IsEmpty())
    {
        Open();
        return;
    }
    if (!IsShown())
    {
        Show();
        Relayout();
    }
    Search(bBackward ? FindStep::Previous : FindStep::Next);
}

wxString CFindBar::GetStatus() const
{
    return m_pStatus->GetLabel();
}

void CFindBar::Relayout()
{
    if (wxWindow* parent = GetParent())
        parent->Layout();
}

void CFindBar::Search(FindStep step)
{
    CBrowserWindow* page = m_page();
    if (!page)
        return;
    ShowResult(m_search.Find(*page, m_pField->GetValue().utf8_string(), m_pMatchCase->GetValue(), step), step);
}

void CFindBar::ShowResult(const FINDRESULT& result, FindStep step)
{
    const bool notFound = result.state == FindState::NotFound;
    wxString status;
    if (notFound)
        status = Text(IDS_FIND_NOTFOUND);
    else if (result.state != FindState::Empty)
    {
        unsigned id = IDS_FIND_COUNT;
        if (result.state == FindState::Wrapped)
            id = step == FindStep::Previous ? IDS_FIND_WRAPPEDBOTTOM : IDS_FIND_WRAPPEDTOP;
        status = wxString::FromUTF8(FormatStringId(id, {std::to_string(result.nIndex), std::to_string(result.nCount)}));
    }
    m_pField->SetBackgroundColour(notFound ? kNotFoundBackground : m_fieldBackground);
    m_pField->Refresh();
    m_pStatus->SetForegroundColour(notFound ? kNotFoundText : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    m_pStatus->SetLabel(status);
    m_pStatus->SetToolTip(status);
    Layout();
}

void CFindBar::OnText(wxCommandEvent&)
{
    // Typing looks again from the start of the match on show, so the match grows with the text.
    Search(FindStep::Here);
}

void CFindBar::OnFieldKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER)
    {
        Search(event.ShiftDown() ? FindStep::Previous : FindStep::Next);
        return;
    }
    event.Skip();
}

bool CFindBar::RouteEditCommand(wxEvent& event)
{
    const int id = event.GetId();
    const bool editing = id == wxID_CUT || id == wxID_COPY || id == wxID_PASTE || id == wxID_UNDO || id == wxID_REDO;
    if (!editing || !IsShown() || wxWindow::FindFocus() != m_pField)
        return false;
    if (event.GetEventType() == wxEVT_UPDATE_UI)
    {
        auto& update = static_cast<wxUpdateUIEvent&>(event);
        if (id == wxID_CUT || id == wxID_COPY || id == wxID_PASTE)
            update.Enable(id == wxID_CUT    ? m_pField->CanCut()
                          : id == wxID_COPY ? m_pField->CanCopy()
                                            : m_pField->CanPaste());
        // Undo and Redo keep the text naming the bank's change; they are not taken by the field.
        return id != wxID_UNDO && id != wxID_REDO;
    }
    if (event.GetEventType() != wxEVT_MENU)
        return false;
    if (id == wxID_CUT)
        m_pField->Cut();
    else if (id == wxID_COPY)
        m_pField->Copy();
    else if (id == wxID_PASTE)
        m_pField->Paste();
    else if (id == wxID_UNDO && m_pField->CanUndo())
        m_pField->Undo();
    else if (id == wxID_REDO && m_pField->CanRedo())
        m_pField->Redo();
    return true;
}

void CFindBar::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE)
    {
        Close();
        return;
    }
    event.Skip();
}
