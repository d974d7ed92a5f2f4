// The bank inspector dialog: its controls at their dialog-unit places, its colours and frame,
// and the steps of initialisation and OK; the rules are plain code in InspectorRules.
#include "inspector/BankInspectorDlg.h"

#include "inspector/InspectorGrid.h"
#include "inspector/InspectorRules.h"
#include "inspector/InspectorTable.h"
#include "res/StringTable.h"
#include "res/images/Images.h"
#include "ui/HoverButton.h"

#include <wx/intl.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace
{
constexpr uint32_t kSurface = 0x806040;  // RGB(63, 96, 128)
constexpr uint32_t kText = 0x60F0FF;     // RGB(255, 240, 96)
constexpr uint32_t kButtonFace = 0x2F201F; // RGB(31, 32, 47)

wxColour ToColour(uint32_t bgr)
{
    return wxColour(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

wxBitmap Picture(const unsigned char* data, size_t size)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxMemoryInputStream in(data, size);
    return wxBitmap(wxImage(in, wxBITMAP_TYPE_PNG));
}
} // namespace

wxBEGIN_EVENT_TABLE(CBankInspectorDlg, wxDialog)
    EVT_INIT_DIALOG(CBankInspectorDlg::OnInitDialog)
    EVT_PAINT(CBankInspectorDlg::OnPaint)
    EVT_BUTTON(wxID_OK, CBankInspectorDlg::OnOk)
    EVT_BUTTON(wxID_CANCEL, CBankInspectorDlg::OnCancel)
    EVT_CHAR_HOOK(CBankInspectorDlg::OnCharHook)
    EVT_RADIOBUTTON(IDC_INSTRUMENTS, CBankInspectorDlg::OnRadio)
    EVT_RADIOBUTTON(IDC_DRUMSETS, CBankInspectorDlg::OnRadio)
    EVT_SPIN(IDC_PRIORITYSPIN, CBankInspectorDlg::OnSpin)
    EVT_TEXT(IDC_PRIORITY, CBankInspectorDlg::OnPriorityText)
wxEND_EVENT_TABLE()

CBankInspectorDlg::CBankInspectorDlg(wxWindow* pParent)
{
    // A pop-up without caption, laid out in dialog units of an 8-point font.
    SetFont(wxFont(wxFontInfo(8)));
    Create(pParent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    SetClientSize(ConvertDialogToPixels(wxSize(361, 166)));
    CreateControls();
    CentreOnParent();
}

CBankInspectorDlg::~CBankInspectorDlg()
{
    // A grid whose window was never made (the dialog never initialised) is no child to destroy.
    if (m_pGrid && !m_pGrid->GetHandle())
        delete m_pGrid;
}

wxRect CBankInspectorDlg::DialogRect(int x, int y, int w, int h) const
{
    return wxRect(ConvertDialogToPixels(wxPoint(x, y)), ConvertDialogToPixels(wxSize(w, h)));
}

void CBankInspectorDlg::CreateControls()
{
    // A control gets its rectangle, widened to the least the toolkit can draw it in (labels
    // in the theme's font, the spinner's arrows).
    auto place = [this](wxWindow* window, int x, int y, int w, int h)
    {
        wxRect rect = DialogRect(x, y, w, h);
        if (dynamic_cast<wxStaticText*>(window) || dynamic_cast<wxSpinButton*>(window))
            rect.width = std::max(rect.width, window->GetBestSize().x);
        window->SetSize(rect);
        return window;
    };
    // Group boxes first, so the controls inside them lie above them.
    place(new wxStaticBox(this, IDC_GENERAL, _("General ")), 15, 38, 112, 114);
    place(new wxStaticBox(this, IDC_EDIT, _("Edit ")), 129, 38, 114, 114);
    m_btnOK = new CHoverButton(this, wxID_OK, _("OK"));
    place(m_btnOK, 297, 19, 50, 14);
    m_btnCancel = new CHoverButton(this, wxID_CANCEL, _("Cancel"));
    place(m_btnCancel, 297, 39, 50, 14);
    place(new wxStaticText(this, wxID_ANY, _("Bank name:")), 21, 51, 42, 10);
    place(new wxStaticText(this, wxID_ANY, _("Bank priority:")), 21, 69, 48, 10);
    m_editName = new wxTextCtrl(this, IDC_BANKNAME, wxEmptyString);
    place(m_editName, 73, 49, 44, 12);
    m_editPriority = new wxTextCtrl(this, IDC_PRIORITY, wxEmptyString);
    m_editPriority->SetMaxLength(8);
    place(m_editPriority, 73, 66, 44, 13);
    m_spin = new wxSpinButton(this, IDC_PRIORITYSPIN, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL | wxSP_ARROW_KEYS);
    m_spin->SetRange(0, kInspectorMaxValue);
    place(m_spin, 120, 67, 11, 13);
    place(new wxStaticText(this, wxID_ANY, _("Number of instrument(s):")), 21, 100, 77, 10);
    place(new wxStaticText(this, wxID_ANY, _("Number of drumset(s):")), 21, 119, 70, 10);
    m_staticInstruments = new wxStaticText(this, IDC_NUMINSTRUMENTS, "Static", wxDefaultPosition, wxDefaultSize,
                                           wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    place(m_staticInstruments, 97, 100, 18, 10);
    m_staticDrumsets = new wxStaticText(this, IDC_NUMDRUMSETS, "Static", wxDefaultPosition, wxDefaultSize,
                                        wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    place(m_staticDrumsets, 97, 119, 17, 10);
    m_radioInstruments =
        new wxRadioButton(this, IDC_INSTRUMENTS, _("Instrument(s)"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    place(m_radioInstruments, 135, 48, 71, 11);
    m_radioDrumsets = new wxRadioButton(this, IDC_DRUMSETS, _("Drumset(s)"));
    place(m_radioDrumsets, 135, 61, 71, 11);
    // Neither list is chosen until a bank has been read.
    m_radioInstruments->SetValue(false);
    m_radioDrumsets->SetValue(false);

    // The placeholder becomes the grid window when the dialog is initialised.
    place(new wxStaticText(this, IDC_GRID, "Here is the grid", wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE),
          133, 74, 107, 75);
    m_pGrid = new CInspectorGrid;
    m_pGrid->m_nSetupRows = static_cast<int>(kInspectorSetupRows);
    m_pGrid->m_onEdited = [this](int nCol, long nRow) { OnInspectorEdited(nCol, nRow); };

    place(new wxStaticBitmap(this, wxID_ANY, Picture(inspector_picture_png, sizeof inspector_picture_png)), 244, 64,
          110, 92);
    const wxBitmap corner = Picture(inspector_corner_png, sizeof inspector_corner_png);
    for (const wxPoint& at : {wxPoint(347, 5), wxPoint(347, 154), wxPoint(5, 5), wxPoint(5, 154)})
        place(new wxStaticBitmap(this, wxID_ANY, corner), at.x, at.y, 7, 7);
    place(new wxStaticBitmap(this, wxID_ANY, Picture(inspector_banner_png, sizeof inspector_banner_png)), 13, 7,
          175, 30);
}

void CBankInspectorDlg::OnInitDialog(wxInitDialogEvent&)
{
    m_pGrid->AttachToDialogItem(this, static_cast<unsigned>(IDC_GRID));
    // Tab goes name, priority, spinner, the two lists, the grid, then OK and Cancel.
    m_btnOK->MoveAfterInTabOrder(m_pGrid);
    m_btnCancel->MoveAfterInTabOrder(m_btnOK);
    m_bLoaded = InitBank();
    UpdateControls();
    if (m_bLoaded)
        ApplyColours();
}

bool CBankInspectorDlg::InitBank()
{
    // An unreadable bank leaves the dialog empty: blank fields, 128 blank rows, no list chosen.
    if (!m_bank.Load(m_strFilePath, m_repairPolicy))
        return false;
    m_strName = InspectorShownName(m_bank.m_strBankName);
    m_spin->SetValue(InspectorSpinnerPosition(m_bank.m_wPriority));
    m_strPriority = std::to_string(m_spin->GetValue());
    m_strDrumsets = std::to_string(m_bank.m_arrDrumsets.size());
    m_strInstruments = std::to_string(m_bank.m_arrInstruments.size());
    m_radioInstruments->SetValue(true);
    FillInstruments();
    return true;
}

void CBankInspectorDlg::UpdateControls()
{
    m_bUpdating = true;
    m_editName->ChangeValue(wxString::FromUTF8(m_strName));
    m_editPriority->ChangeValue(wxString::FromUTF8(m_strPriority));
    m_staticDrumsets->SetLabel(wxString::FromUTF8(m_strDrumsets));
    m_staticInstruments->SetLabel(wxString::FromUTF8(m_strInstruments));
    m_bUpdating = false;
}

void CBankInspectorDlg::ApplyColours()
{
    // The blue-grey surface with yellow texts; edit fields white with black text.
    SetBackgroundColour(ToColour(kSurface));
    for (wxWindow* child : GetChildren())
    {
        if (child == m_pGrid || dynamic_cast<CHoverButton*>(child))
            continue;
        const bool edit = dynamic_cast<wxTextCtrl*>(child) != nullptr;
        child->SetBackgroundColour(edit ? *wxWHITE : ToColour(kSurface));
        child->SetForegroundColour(edit ? *wxBLACK : ToColour(kText));
    }
    for (CHoverButton* button : {m_btnCancel, m_btnOK})
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
    m_pGrid->Refresh();
}

void CBankInspectorDlg::FillDrumsets()
{
    FillInspectorTable(m_pGrid->Table(), m_bank.m_arrDrumsets);
    m_pGrid->Refresh();
}

void CBankInspectorDlg::OnInspectorEdited(int, long nRow)
{
    WriteBackInspectorRow(m_pGrid->Table(), nRow, m_radioInstruments->GetValue(), m_bank);
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

void CBankInspectorDlg::OnOk(wxCommandEvent&)
{
    m_strName = m_editName->GetValue().utf8_string();
    m_strPriority = m_editPriority->GetValue().utf8_string();
    InspectorSave(m_bank, m_strName, m_strPriority, m_spin->GetValue(), m_bKeepBackup);
    EndModal(wxID_OK);
}

void CBankInspectorDlg::OnCancel(wxCommandEvent&)
{
    EndModal(wxID_CANCEL);
}

void CBankInspectorDlg::OnCharHook(wxKeyEvent& event)
{
    // Escape cancels the dialog unless the grid's edit box wants it to end its edit.
    if (event.GetKeyCode() == WXK_ESCAPE && !m_pGrid->IsDescendant(wxWindow::FindFocus()))
    {
        EndModal(wxID_CANCEL);
        return;
    }
    event.Skip();
}

void CBankInspectorDlg::OnRadio(wxCommandEvent& event)
{
    if (event.GetId() == IDC_INSTRUMENTS)
        FillInstruments();
    else
        FillDrumsets();
}

void CBankInspectorDlg::OnSpin(wxSpinEvent& event)
{
    m_bUpdating = true;
    m_editPriority->ChangeValue(wxString::Format("%d", event.GetPosition()));
    m_bUpdating = false;
}

void CBankInspectorDlg::OnPriorityText(wxCommandEvent&)
{
    // Typing a value in range moves the spinner; anything else leaves its last valid position.
    if (m_bUpdating)
        return;
    const long value = ReadCellNumber(m_editPriority->GetValue().utf8_string());
    if (InspectorValueInRange(value))
        m_spin->SetValue(static_cast<int>(value));
}
