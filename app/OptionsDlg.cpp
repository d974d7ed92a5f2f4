// The options dialog: its controls, the colour and image choices and what OK stores.
#include "app/OptionsDlg.h"

#include "app/MidiOutputChoice.h"
#include "app/Settings.h"
#include "app/ShellPaths.h"
#include "report/MappingReport.h"
#include "base/FileSystem.h"
#include "midi/MidiEvents.h"
#include "midi/MidiOutputSlot.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"

#include <wx/intl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

COptionsDlg::COptionsDlg(wxWindow* parent, CMappingReport* report, CSettings& settings)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(GetString(IDS_OPTIONSCAPTION))),
      m_pReport(report),
      m_settings(settings)
{
    const int gap = ConvertDialogToPixels(wxSize(4, 0)).x;
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* fore = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Foreground "));
    fore->Add(new wxStaticText(fore->GetStaticBox(), wxID_ANY, _("Text color:")), 0, wxALIGN_CENTER_VERTICAL | wxALL,
              gap);
    m_swatchText = new CColorSwatch(fore->GetStaticBox(), IDC_SWATCH_TEXT, 0);
    fore->Add(m_swatchText, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    auto* textButton = new wxButton(fore->GetStaticBox(), IDC_TEXT_COLOR, "...", wxDefaultPosition,
                                    ConvertDialogToPixels(wxSize(20, 14)));
    fore->Add(textButton, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    top->Add(fore, 0, wxEXPAND | wxALL, 2 * gap);

    auto* back = new wxStaticBoxSizer(wxVERTICAL, this, _("Background "));
    wxWindow* backBox = back->GetStaticBox();
    auto* colorRow = new wxBoxSizer(wxHORIZONTAL);
    m_radioColor =
        new wxRadioButton(backBox, IDC_RADIO_COLOR, _("Color:"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    colorRow->Add(m_radioColor, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    m_swatchBack = new CColorSwatch(backBox, IDC_SWATCH_BACK, 0);
    colorRow->Add(m_swatchBack, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    m_buttonBackColor =
        new wxButton(backBox, IDC_BACK_COLOR, "...", wxDefaultPosition, ConvertDialogToPixels(wxSize(20, 14)));
    colorRow->Add(m_buttonBackColor, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    back->Add(colorRow);
    auto* imageRow = new wxBoxSizer(wxHORIZONTAL);
    m_radioImage = new wxRadioButton(backBox, IDC_RADIO_IMAGE, _("Image:"));
    imageRow->Add(m_radioImage, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    m_editImage = new wxTextCtrl(backBox, IDC_IMAGE_EDIT, "", wxDefaultPosition, ConvertDialogToPixels(wxSize(120, -1)));
    imageRow->Add(m_editImage, 1, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    m_buttonBrowse =
        new wxButton(backBox, IDC_BROWSE_IMAGE, "...", wxDefaultPosition, ConvertDialogToPixels(wxSize(20, 14)));
    imageRow->Add(m_buttonBrowse, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    back->Add(imageRow, 0, wxEXPAND);
    top->Add(back, 0, wxEXPAND | wxLEFT | wxRIGHT, 2 * gap);

    auto* banks = new wxStaticBoxSizer(wxVERTICAL, this, _("Soundbanks "));
    m_checkBoxAutoRemove =
        new wxCheckBox(banks->GetStaticBox(), IDC_AUTO_REMOVE, _("auto-remove TTMA chunk (converted TTS soundbanks) "));
    m_checkBoxKeepBackup = new wxCheckBox(banks->GetStaticBox(), IDC_KEEP_BACKUP,
                                          _("keep a backup copy (.bak) of the modified soundbank"));
    banks->Add(m_checkBoxAutoRemove, 0, wxALL, gap);
    banks->Add(m_checkBoxKeepBackup, 0, wxALL, gap);
    top->Add(banks, 0, wxEXPAND | wxALL, 2 * gap);

    // The sequencer's ports, "None" first; without a sequencer the list is disabled and says why.
    auto* midi = new wxStaticBoxSizer(wxVERTICAL, this, wxString::FromUTF8(GetString(IDS_MIDI_OUTPUT)));
    m_choiceMidi = new wxChoice(midi->GetStaticBox(), IDC_MIDI_OUTPUT);
    midi->Add(m_choiceMidi, 0, wxEXPAND | wxALL, gap);
    IMidiOutput& output = MidiOutputSlot().Get();
    const std::string why = output.Unavailable();
    m_strMidiOutput = LoadMidiOutputChoice();
    for (const MIDICHOICE& choice : MidiOutputChoices(output, m_strMidiOutput))
    {
        m_arrMidiAddresses.push_back(choice.strAddress);
        m_choiceMidi->Append(wxString::FromUTF8(choice.strLabel));
    }
    if (!why.empty())
    {
        const wxString tip = wxString::FromUTF8(FormatStringId(IDS_AUDITION_NOSEQUENCER, {why}));
        m_choiceMidi->Disable();
        m_choiceMidi->SetToolTip(tip);
        // A disabled list shows no tip everywhere, so the reason stands under it too.
        midi->Add(new wxStaticText(midi->GetStaticBox(), IDC_MIDI_TIP, tip), 0, wxALL, gap);
    }
    // Instruments play on the channel chosen here: 1 to 16 without 10, which is the drum sets'.
    auto* channelRow = new wxBoxSizer(wxHORIZONTAL);
    channelRow->Add(new wxStaticText(midi->GetStaticBox(), wxID_ANY, wxString::FromUTF8(GetString(IDS_MIDI_CHANNEL))),
                    0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    m_choiceChannel = new wxChoice(midi->GetStaticBox(), IDC_MIDI_CHANNEL);
    for (int channel = 1; channel <= 16; ++channel)
        if (IsInstrumentChannel(channel))
            m_choiceChannel->Append(wxString::Format("%d", channel));
    m_choiceChannel->SetToolTip(wxString::FromUTF8(GetString(IDS_MIDI_CHANNELTIP)));
    channelRow->Add(m_choiceChannel, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
    midi->Add(channelRow);
    m_nMidiChannel = LoadMidiChannel();
    top->Add(midi, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 2 * gap);

    // Cancel takes its text from the program's catalogue: under the stock id the toolkit would
    // show its own stock label, which follows the system's locale, not the interface's language.
    // Escape and the close box still end the dialog with Cancel.
    auto* buttons = new wxStdDialogButtonSizer;
    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetDefault();
    buttons->AddButton(ok);
    buttons->SetCancelButton(new wxButton(this, IDC_CANCEL, _("Cancel")));
    buttons->Realize();
    SetEscapeId(IDC_CANCEL);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 2 * gap);
    SetSizerAndFit(top);
    SetMinSize(ConvertDialogToPixels(wxSize(230, 177)));
    Fit();
    CentreOnParent();

    Bind(wxEVT_BUTTON, &COptionsDlg::OnChooseTextColor, this, IDC_TEXT_COLOR);
    Bind(wxEVT_BUTTON, &COptionsDlg::OnChooseBackColor, this, IDC_BACK_COLOR);
    Bind(wxEVT_BUTTON, &COptionsDlg::OnBrowseImage, this, IDC_BROWSE_IMAGE);
    Bind(wxEVT_BUTTON, &COptionsDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &COptionsDlg::OnCancel, this, IDC_CANCEL);
    Bind(wxEVT_RADIOBUTTON, &COptionsDlg::OnRadio, this, IDC_RADIO_COLOR);
    Bind(wxEVT_RADIOBUTTON, &COptionsDlg::OnRadio, this, IDC_RADIO_IMAGE);

    InitDialog();
    // The focus starts on the dialog's first control.
    textButton->SetFocus();
}

void COptionsDlg::InitDialog()
{
    if (m_pReport)
    {
        m_colorBack = m_pReport->m_crBackground;
        m_colorText = m_pReport->m_crText;
        m_strImage = m_pReport->m_strImagePath;
    }
    if (!m_strImage.empty())
    {
        m_strImageEdit = m_strImage;
        m_radioImage->SetValue(true);
    }
    else
        m_radioColor->SetValue(true);
    EnableBackgroundRows(!m_strImage.empty());
    m_checkKeepBackup = m_settings.m_bKeepBackup;
    m_checkAutoRemove = m_settings.m_bAutoRemoveTtma;
    const auto chosen = std::find(m_arrMidiAddresses.begin(), m_arrMidiAddresses.end(), m_strMidiOutput);
    m_choiceMidi->SetSelection(chosen == m_arrMidiAddresses.end() ? 0 : int(chosen - m_arrMidiAddresses.begin()));
    // The list leaves out channel 10, so the channels above it sit one place higher.
    m_choiceChannel->SetSelection(m_nMidiChannel < kMidiDrumChannel ? m_nMidiChannel - 1 : m_nMidiChannel - 2);
    TransferDataToWindow();
}

void COptionsDlg::EnableBackgroundRows(bool bImage)
{
    // Only the chosen row's controls act; the other row's are shown disabled.
    m_buttonBackColor->Enable(!bImage);
    m_editImage->SetEditable(bImage);
    m_editImage->Enable(bImage);
    m_buttonBrowse->Enable(bImage);
}

bool COptionsDlg::TransferDataToWindow()
{
    m_editImage->ChangeValue(wxString::FromUTF8(m_strImageEdit));
    m_checkBoxKeepBackup->SetValue(m_checkKeepBackup != 0);
    m_checkBoxAutoRemove->SetValue(m_checkAutoRemove != 0);
    m_swatchText->SetColor(m_colorText);
    m_swatchBack->SetColor(m_colorBack);
    return true;
}

bool COptionsDlg::TransferDataFromWindow()
{
    m_strImageEdit = m_editImage->GetValue().utf8_string();
    m_checkKeepBackup = m_checkBoxKeepBackup->GetValue() ? 1 : 0;
    m_checkAutoRemove = m_checkBoxAutoRemove->GetValue() ? 1 : 0;
    // A list without a sequencer keeps the choice made on a machine that had one.
    const int at = m_choiceMidi->GetSelection();
    if (m_choiceMidi->IsEnabled() && at >= 0 && static_cast<size_t>(at) < m_arrMidiAddresses.size())
        m_strMidiOutput = m_arrMidiAddresses[static_cast<size_t>(at)];
    if (const int row = m_choiceChannel->GetSelection(); row >= 0)
        m_nMidiChannel = row + 1 < kMidiDrumChannel ? row + 1 : row + 2;
    return true;
}

void COptionsDlg::OnRadio(wxCommandEvent& event)
{
    EnableBackgroundRows(event.GetId() == IDC_RADIO_IMAGE);
}

bool COptionsDlg::ChooseColor(uint32_t& color)
{
    // The dialog starts at the colour the swatch shows.
    wxColourData data;
    data.SetColour(ColourFromRef(color));
    wxColourDialog dlg(this, &data);
    if (dlg.ShowModal() != wxID_OK)
        return false;
    color = RefFromColour(dlg.GetColourData().GetColour());
    return true;
}

void COptionsDlg::OnChooseTextColor(wxCommandEvent&)
{
    if (ChooseColor(m_colorText))
        m_swatchText->SetColor(m_colorText);
}

void COptionsDlg::OnChooseBackColor(wxCommandEvent&)
{
    if (m_radioColor->GetValue() && ChooseColor(m_colorBack))
        m_swatchBack->SetColor(m_colorBack);
}

void COptionsDlg::OnBrowseImage(wxCommandEvent&)
{
    if (!m_radioImage->GetValue())
        return;
    wxFileDialog dlg(this, _("Select a file"), "", "", wxString::FromUTF8(DialogFilter(GetString(IDS_IMAGEFILTER))),
                     wxFD_OPEN);
    if (dlg.ShowModal() != wxID_OK)
        return;
    // GTK reports the full path only once its chooser has really run; wx keeps directory and name itself.
    wxString path = dlg.GetPath();
    if (path.empty() && !dlg.GetFilename().empty())
        path = wxFileName(dlg.GetDirectory(), dlg.GetFilename()).GetFullPath();
    if (path.empty())
        return;
    m_strImage = path.utf8_string();
    m_strImageEdit = m_strImage;
    // Only the path is put back: check-box changes made before browsing stay.
    m_editImage->ChangeValue(wxString::FromUTF8(m_strImageEdit));
}

void COptionsDlg::OnCancel(wxCommandEvent&)
{
    EndModal(wxID_CANCEL);
}

void COptionsDlg::OnOK(wxCommandEvent&)
{
    if (Apply())
        EndModal(wxID_OK);
}

bool COptionsDlg::Apply()
{
    TransferDataFromWindow();
    if (m_pReport)
    {
        // The colours are kept even when the image below is refused.
        m_pReport->m_crBackground = m_colorBack;
        m_pReport->m_crText = m_colorText;
        if (m_radioImage->GetValue())
        {
            // The edit box holds the browsed path or one typed by hand; either is taken.
            m_strImage = m_strImageEdit;
            // A regular file only: a FIFO named as the image would block the dialog.
            int fd = OpenRegularFile(m_strImage, false);
            if (fd >= 0)
                ::close(fd);
            else
            {
                AppMessageBoxText(GetString(IDS_NOIMAGEFILE), MsgExclamation, LoadStringId(IDS_OPTIONSCAPTION));
                return false;
            }
            m_pReport->m_strImagePath = m_strImage;
        }
        else
        {
            m_strImage.clear();
            m_pReport->m_strImagePath.clear();
        }
    }
    m_settings.m_bAutoRemoveTtma = m_checkAutoRemove;
    m_settings.m_bKeepBackup = m_checkKeepBackup;
    SaveMidiOutputChoice(m_strMidiOutput);
    SaveMidiChannel(m_nMidiChannel);
    return true;
}
