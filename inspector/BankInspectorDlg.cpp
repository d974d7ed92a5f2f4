// The bank inspector dialog: its controls at their dialog-unit places, its colours and frame,
// its keys, and the steps of initialisation and OK; the rules are plain code in InspectorRules.
#include "inspector/BankInspectorDlg.h"

#include "inspector/InspectorAudition.h"
#include "inspector/InspectorGrid.h"
#include "inspector/InspectorLayout.h"
#include "inspector/InspectorTable.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "res/images/Images.h"
#include "ui/HoverButton.h"
#include "ui/UpDownButton.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/mstream.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/spinbutt.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace
{
constexpr uint32_t kSurface = 0x80603F;    // RGB(63, 96, 128)
constexpr uint32_t kText = 0x60F0FF;       // RGB(255, 240, 96)
constexpr uint32_t kButtonFace = 0x2F201F; // RGB(31, 32, 47)

// The widest text a count shows: the template's own, or five digits.
const char* const kCountTexts[] = {"Static", "00000"};

wxColour ToColour(uint32_t bgr)
{
    return wxColour(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The title banner, 175 x 30: the dialog's name in the interface's language in yellow on a dark
// band over a thin light rule; the name's font shrinks until a longer translation fits.
wxBitmap Banner(const wxString& title)
{
    constexpr int kWidth = 175, kHeight = 30, kMargin = 8;
    wxBitmap bitmap(kWidth, kHeight);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(ToColour(kButtonFace)));
    dc.Clear();
    dc.SetPen(wxPen(wxColour(0xC8, 0xAC, 0x93)));
    dc.DrawLine(4, 26, 171, 26);
    wxFont font(wxFontInfo(wxSize(0, 17)).Family(wxFONTFAMILY_SWISS).Bold());
    dc.SetFont(font);
    for (int px = 17; px > 8 && dc.GetTextExtent(title).x > kWidth - 2 * kMargin; --px)
    {
        font.SetPixelSize(wxSize(0, px));
        dc.SetFont(font);
    }
    const wxSize extent = dc.GetTextExtent(title);
    dc.SetTextForeground(ToColour(kText));
    dc.DrawText(title, kMargin, std::max(0, (26 - extent.y) / 2));
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

wxBitmap Picture(const unsigned char* data, size_t size)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxMemoryInputStream in(data, size);
    return wxBitmap(wxImage(in, wxBITMAP_TYPE_PNG));
}
} // namespace

CBankInspectorDlg::CBankInspectorDlg(wxWindow* pParent)
{
    // A pop-up without caption, laid out in dialog units of an 8-point font.
    SetFont(wxFont(wxFontInfo(8)));
    Create(pParent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    CreateControls();
    LayOut();
    Bind(wxEVT_INIT_DIALOG, &CBankInspectorDlg::OnInitDialog, this);
    Bind(wxEVT_PAINT, &CBankInspectorDlg::OnPaint, this);
    Bind(wxEVT_BUTTON, &CBankInspectorDlg::OnOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CBankInspectorDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CHAR_HOOK, &CBankInspectorDlg::OnCharHook, this);
    Bind(wxEVT_CHILD_FOCUS, &CBankInspectorDlg::OnChildFocus, this);
    Bind(wxEVT_RADIOBUTTON, &CBankInspectorDlg::OnRadio, this, IDC_INSTRUMENTS);
    Bind(wxEVT_RADIOBUTTON, &CBankInspectorDlg::OnRadio, this, IDC_DRUMSETS);
    Bind(wxEVT_SPIN_UP, &CBankInspectorDlg::OnSpin, this, IDC_PRIORITYSPIN);
    Bind(wxEVT_SPIN_DOWN, &CBankInspectorDlg::OnSpin, this, IDC_PRIORITYSPIN);
    Bind(wxEVT_TEXT, &CBankInspectorDlg::OnNameText, this, IDC_BANKNAME);
}

CBankInspectorDlg::~CBankInspectorDlg()
{
    // A grid whose window was never made (the dialog never initialised) is no child to destroy.
    if (m_pGrid && !m_pGrid->GetHandle())
        delete m_pGrid;
}

wxWindow* CBankInspectorDlg::Place(wxWindow* window, int x, int y, int cx, int cy)
{
    m_places.push_back(PLACE{window, x, y, cx, cy});
    return window;
}

void CBankInspectorDlg::CreateControls()
{
    // Group boxes first, so the controls inside them lie above them.
    Place(new wxStaticBox(this, IDC_GENERAL, _("General ")), 15, 38, 112, 114);
    Place(new wxStaticBox(this, IDC_EDIT, _("Edit ")), 129, 38, 114, 114);
    m_btnOK = new CHoverButton(this, wxID_OK, _("OK"));
    Place(m_btnOK, 297, 19, 50, 14);
    m_btnCancel = new CHoverButton(this, wxID_CANCEL, _("Cancel"));
    Place(m_btnCancel, 297, 39, 50, 14);
    Place(new wxStaticText(this, wxID_ANY, _("Bank name:")), 21, 51, 42, 10);
    Place(new wxStaticText(this, wxID_ANY, _("Bank priority:")), 21, 69, 48, 10);
    m_editName = new wxTextCtrl(this, IDC_BANKNAME, wxEmptyString);
    m_editName->SetMaxLength(kBankNameChars);
    Place(m_editName, 73, 49, 44, 12);
    // The arrows sit at the right edge of the field they step, which gives up their width.
    m_editPriority = new wxTextCtrl(this, IDC_PRIORITY, wxEmptyString);
    m_editPriority->SetMaxLength(8);
    m_editPriority->Bind(wxEVT_KEY_DOWN, &CBankInspectorDlg::OnPriorityKey, this);
    Place(m_editPriority, 73, 66, 44 - 11, 13);
    m_upDown = new CUpDownButton(this, IDC_PRIORITYSPIN);
    Place(m_upDown, 73 + 44 - 11, 66, 11, 13);
    // The label ends where the count begins.
    Place(new wxStaticText(this, wxID_ANY, _("Number of instrument(s):")), 21, 100, 76, 10);
    Place(new wxStaticText(this, wxID_ANY, _("Number of drumset(s):")), 21, 119, 70, 10);
    m_staticInstruments = new wxStaticText(this, IDC_NUMINSTRUMENTS, "Static", wxDefaultPosition, wxDefaultSize,
                                           wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    Place(m_staticInstruments, 97, 100, 18, 10);
    m_staticDrumsets = new wxStaticText(this, IDC_NUMDRUMSETS, "Static", wxDefaultPosition, wxDefaultSize,
                                        wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    Place(m_staticDrumsets, 97, 119, 17, 10);
    m_radioInstruments =
        new wxRadioButton(this, IDC_INSTRUMENTS, _("Instrument(s)"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    Place(m_radioInstruments, 135, 48, 71, 11);
    m_radioDrumsets = new wxRadioButton(this, IDC_DRUMSETS, _("Drumset(s)"));
    Place(m_radioDrumsets, 135, 61, 71, 11);
    // Neither list is chosen until a bank has been read: a radio group of this toolkit always
    // has a button on, so a hidden third one holds that state.
    auto* none = new wxRadioButton(this, wxID_ANY, wxEmptyString);
    none->Hide();
    none->SetValue(true);

    // The placeholder becomes the grid window when the dialog is initialised.
    m_gridPlaceholder =
        new wxStaticText(this, IDC_GRID, "Here is the grid", wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE);
    Place(m_gridPlaceholder, 133, 74, 107, 75);
    m_pGrid = new CInspectorGrid;
    m_pGrid->m_nSetupRows = static_cast<int>(kInspectorSetupRows);
    m_pGrid->m_onEdited = [this](int nCol, long nRow) { OnInspectorEdited(nCol, nRow); };
    m_pGrid->m_onTab = [this](bool bForward) { TabFromTable(bForward); };
    m_pGrid->m_onLeft = [this](int nCol, long nRow, const std::string& text) {
        m_leftEdit = LEFTEDIT{nCol, nRow, text, m_bShowingInstruments};
    };

    Place(new wxStaticBitmap(this, wxID_ANY, Picture(inspector_picture_png, sizeof inspector_picture_png)), 244, 64,
          110, 92);
    const wxBitmap corner = Picture(inspector_corner_png, sizeof inspector_corner_png);
    for (const wxPoint& at : {wxPoint(347, 5), wxPoint(347, 154), wxPoint(5, 5), wxPoint(5, 154)})
        Place(new wxStaticBitmap(this, wxID_ANY, corner), at.x, at.y, 7, 7);
    Place(new wxStaticBitmap(this, wxID_ANY, Banner(wxString::FromUTF8(GetString(IDS_INSPECTOR_TITLE)))), 13, 7, 175,
          30);
    CreateAuditionControls();
}

void CBankInspectorDlg::LayOut()
{
    // What each control's content takes in this toolkit's font: the dialog-unit scale grows
    // until all of it fits the template's rectangles.
    std::vector<DLGNEED> needs;
    for (const PLACE& place : m_places)
    {
        wxWindow* w = place.window;
        const wxString label = wxControl::RemoveMnemonics(w->GetLabel());
        wxSize need;
        if (w == m_staticInstruments || w == m_staticDrumsets)
            for (const char* text : kCountTexts)
                need.IncTo(w->GetTextExtent(text));
        else if (dynamic_cast<wxStaticText*>(w) && w->GetId() != IDC_GRID)
            need = w->GetTextExtent(label);
        else if (dynamic_cast<wxRadioButton*>(w))
            need = w->GetBestSize();
        else if (dynamic_cast<wxStaticBox*>(w))
            need = w->GetTextExtent(label) + wxSize(2 * w->GetCharWidth(), 0);
        else if (dynamic_cast<CHoverButton*>(w))
            need = w->GetTextExtent(label) + wxSize(6, 2);
        else if (w == m_pGrid)
            need.x = m_pGrid->GetColumnWidth(0) + m_pGrid->GetColumnWidth(1) +
                     wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this) + 2;
        needs.push_back(DLGNEED{place.cx, place.cy, need.x, need.y});
    }
    const wxSize font = ConvertDialogToPixels(wxSize(4, 8));
    const DLGBASE base = FitDialogBase(DLGBASE{double(font.x), double(font.y)}, needs);

    for (const PLACE& place : m_places)
    {
        const DLGPIXELS px = DialogToPixels(base, place.x, place.y, place.cx, place.cy);
        wxRect rect(px.x, px.y, px.cx, px.cy);
        // A picture keeps its own size, within its rectangle.
        if (auto* bitmap = dynamic_cast<wxStaticBitmap*>(place.window))
            rect.SetSize(wxSize(std::min(rect.width, bitmap->GetBitmap().GetWidth()),
                                std::min(rect.height, bitmap->GetBitmap().GetHeight())));
        place.window->SetSize(rect);
    }
    const DLGPIXELS client = DialogToPixels(base, 0, 0, 361, 166);
    SetClientSize(client.cx, client.cy);
    CentreOnParent();
}

void CBankInspectorDlg::OnInitDialog(wxInitDialogEvent&)
{
    // The grid destroys its placeholder as it takes its place, so the placeholder's entry is
    // handed over by address first: nothing may reach the destroyed window afterwards.
    for (PLACE& place : m_places)
        if (place.window == m_gridPlaceholder)
            place.window = m_pGrid;
    m_gridPlaceholder = nullptr;
    m_pGrid->AttachToDialogItem(this, static_cast<unsigned>(IDC_GRID));
    // The grid's columns may have grown for their headings.
    LayOut();
    // Tab goes name, priority, the two lists, the grid, then OK and Cancel.
    m_btnOK->MoveAfterInTabOrder(m_pGrid);
    m_btnCancel->MoveAfterInTabOrder(m_btnOK);
    m_bLoaded = InitBank();
    UpdateControls();
    InitAudition();
    if (m_bLoaded)
        ApplyColours();
}

bool CBankInspectorDlg::InitBank()
{
    // An unreadable bank leaves the dialog as its template: blank fields, 128 blank rows, the
    // counts' own text and no list chosen.
    if (!m_bank.Load(m_strFilePath, m_repairPolicy))
        return false;
    m_strName = InspectorShownName(m_bank.m_strBankName);
    m_priority = CPriorityUpDown(m_bank.m_wPriority);
    m_strPriority = std::to_string(m_priority.GetPosition());
    m_strDrumsets = std::to_string(m_bank.m_arrDrumsets.size());
    m_strInstruments = std::to_string(m_bank.m_arrInstruments.size());
    m_radioInstruments->SetValue(true);
    m_bShowingInstruments = true;
    FillInstruments();
    return true;
}

void CBankInspectorDlg::Reload()
{
    // Cancelling a running edit reports it as left; nothing of it is kept.
    if (m_pGrid->IsEditing())
        m_pGrid->CancelEdit();
    m_leftEdit.reset();
    m_bLoaded = InitBank();
    UpdateControls();
}

void CBankInspectorDlg::UpdateControls()
{
    m_editName->ChangeValue(wxString::FromUTF8(m_strName));
    m_editPriority->ChangeValue(wxString::FromUTF8(m_strPriority));
    if (m_bLoaded)
    {
        m_staticDrumsets->SetLabel(wxString::FromUTF8(m_strDrumsets));
        m_staticInstruments->SetLabel(wxString::FromUTF8(m_strInstruments));
    }
}

void CBankInspectorDlg::ApplyColours()
{
    // The blue-grey surface with yellow texts; edit fields white with black text.
    SetBackgroundColour(ToColour(kSurface));
    for (wxWindow* child : GetChildren())
    {
        if (child == m_pGrid || child == m_upDown || dynamic_cast<CHoverButton*>(child))
            continue;
        const bool edit = dynamic_cast<wxTextCtrl*>(child) != nullptr;
        child->SetBackgroundColour(edit ? *wxWHITE : ToColour(kSurface));
        child->SetForegroundColour(edit ? *wxBLACK : ToColour(kText));
    }
    for (CHoverButton* button : {m_btnCancel, m_btnOK, m_btnPlay})
    {
        button->SetFlat(false);
        button->SetFaceColor(kButtonFace);
        button->SetCaptionColor(kText);
        button->SetFlat(false);
    }
    Refresh();
}

void CBankInspectorDlg::FillInstruments()
{
    FillInspectorTable(m_pGrid->Table(), m_bank.m_arrInstruments);
    m_pGrid->m_nEntryRows = static_cast<long>(m_bank.m_arrInstruments.size());
    m_pGrid->Refresh();
}

void CBankInspectorDlg::FillDrumsets()
{
    FillInspectorTable(m_pGrid->Table(), m_bank.m_arrDrumsets);
    m_pGrid->m_nEntryRows = static_cast<long>(m_bank.m_arrDrumsets.size());
    m_pGrid->Refresh();
}

void CBankInspectorDlg::OnInspectorEdited(int, long nRow)
{
    WriteBackInspectorRow(m_pGrid->Table(), nRow, m_bShowingInstruments, m_bank);
}

void CBankInspectorDlg::TabFromTable(bool bForward)
{
    // The toolkit's own focus chain would wander among the table's inner windows; the
    // dialog's controls are taken in their tab order instead, the chosen list's button only.
    std::vector<wxWindow*> ring;
    for (wxWindow* child : GetChildren())
    {
        auto* radio = dynamic_cast<wxRadioButton*>(child);
        if (child == m_pGrid || (child->IsShown() && child->IsEnabled() && child->CanAcceptFocusFromKeyboard() &&
                                 (!radio || radio->GetValue())))
            ring.push_back(child);
    }
    const auto at = std::find(ring.begin(), ring.end(), m_pGrid);
    if (ring.size() < 2 || at == ring.end())
        return;
    const size_t i = static_cast<size_t>(at - ring.begin());
    ring[(i + (bForward ? 1 : ring.size() - 1)) % ring.size()]->SetFocusFromKbd();
}

void CBankInspectorDlg::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    for (const FRAMERING& ring : InspectorFrameRings(size.x, size.y))
    {
        dc.SetPen(wxPen(ToColour(ring.color)));
        dc.DrawRectangle(ring.x, ring.y, ring.w, ring.h);
    }
}

bool CBankInspectorDlg::StoreLeftEdit()
{
    if (!m_leftEdit)
        return true;
    const LEFTEDIT left = *m_leftEdit;
    m_leftEdit.reset();
    if (!m_pGrid->StoreLeftEdit(left.nCol, left.nRow, left.text))
        return false;
    WriteBackInspectorRow(m_pGrid->Table(), left.nRow, left.bInstruments, m_bank);
    return true;
}

void CBankInspectorDlg::Ok()
{
    if (!StoreLeftEdit())
        return;
    m_strName = m_editName->GetValue().utf8_string();
    m_strPriority = m_editPriority->GetValue().utf8_string();
    // A priority the bank cannot hold is named before anything is written, and the field is
    // handed back for correction.
    if (m_bLoaded && ReadPriorityText(m_strPriority) < 0)
    {
        AppMessageBox(IDS_PRIORITY_RANGE, MsgExclamation);
        m_editPriority->SetFocus();
        m_editPriority->SelectAll();
        return;
    }
    // A bank another program wrote since it was read is never written over. The user decides
    // between its values as they are now and the edits on screen, which stay for copying.
    if (m_bank.ChangedSinceRead())
    {
        if (AppMessageBox(IDS_INSPECTOR_CHANGED, MsgQuestion) == AnswerYes)
            Reload();
        return;
    }
    // A failed write shows its message and keeps the dialog, with every edit, for another try.
    if (InspectorSave(m_bank, m_strName, m_priority.AtOk(m_strPriority), m_bKeepBackup))
        EndModal(wxID_OK);
}

void CBankInspectorDlg::OnOk(wxCommandEvent&)
{
    Ok();
}

void CBankInspectorDlg::OnCancel(wxCommandEvent&)
{
    EndModal(wxID_CANCEL);
}

void CBankInspectorDlg::OnCharHook(wxKeyEvent& event)
{
    // Enter is OK and Escape is Cancel wherever the focus is, except that a running table edit
    // takes them to end itself, and a focused button takes Enter to press itself.
    const int key = event.GetKeyCode();
    const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
    if ((!enter && key != WXK_ESCAPE) || event.HasAnyModifiers() || m_pGrid->IsEditing() ||
        (enter && dynamic_cast<CHoverButton*>(wxWindow::FindFocus())))
    {
        event.Skip();
        return;
    }
    if (enter)
        Ok();
    else
        EndModal(wxID_CANCEL);
}

void CBankInspectorDlg::OnChildFocus(wxChildFocusEvent& event)
{
    // A table edit left for anything but OK or a list's radio button stays cancelled.
    wxWindow* to = event.GetWindow();
    if (to != m_btnOK && to != m_radioInstruments && to != m_radioDrumsets)
        m_leftEdit.reset();
    event.Skip();
}

void CBankInspectorDlg::OnRadio(wxCommandEvent& event)
{
    const bool instruments = event.GetId() == IDC_INSTRUMENTS;
    // An edit left out of range keeps its list on show, open again for correction.
    if (!StoreLeftEdit())
    {
        (m_bShowingInstruments ? m_radioInstruments : m_radioDrumsets)->SetValue(true);
        return;
    }
    if (instruments == m_bShowingInstruments)
        return;
    m_bShowingInstruments = instruments;
    if (instruments)
        FillInstruments();
    else
        FillDrumsets();
}

void CBankInspectorDlg::OnSpin(wxSpinEvent& event)
{
    const int delta = event.GetEventType() == wxEVT_SPIN_UP ? 1 : -1;
    const std::string text = m_priority.Step(m_editPriority->GetValue().utf8_string(), delta);
    m_editPriority->ChangeValue(wxString::FromUTF8(text));
    m_editPriority->SetInsertionPointEnd();
}

void CBankInspectorDlg::OnPriorityKey(wxKeyEvent& event)
{
    // Up and Down in the field are its arrows.
    const int key = event.GetKeyCode();
    if (event.HasAnyModifiers() || (key != WXK_UP && key != WXK_DOWN && key != WXK_NUMPAD_UP && key != WXK_NUMPAD_DOWN))
    {
        event.Skip();
        return;
    }
    wxSpinEvent step(key == WXK_UP || key == WXK_NUMPAD_UP ? wxEVT_SPIN_UP : wxEVT_SPIN_DOWN, IDC_PRIORITYSPIN);
    OnSpin(step);
}

void CBankInspectorDlg::OnNameText(wxCommandEvent&)
{
    // Only what a bank name can hold stays, up to its 8 characters, however it arrived.
    const wxString typed = m_editName->GetValue();
    const wxString kept = wxString::FromUTF8(InspectorNameField(typed.utf8_string()));
    if (kept == typed)
        return;
    const long caret = m_editName->GetInsertionPoint() - static_cast<long>(typed.length() - kept.length());
    m_editName->ChangeValue(kept);
    m_editName->SetInsertionPoint(std::clamp(caret, 0L, static_cast<long>(kept.length())));
}
