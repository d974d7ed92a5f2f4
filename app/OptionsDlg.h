// COptionsDlg: the look of the mapping page (text colour; background colour or image), the two
// soundbank switches, and the MIDI output entries are played on with the instruments' channel.
// Colours and image go to the document's report, the switches to the settings, the output and
// the channel to the user's configuration; the page is rendered again by the caller.
#pragma once

#include "app/ColorSwatch.h"

#include <wx/dialog.h>

#include <cstdint>
#include <string>
#include <vector>

class CMappingReport;
class CSettings;
class wxButton;
class wxRadioButton;
class wxTextCtrl;
class wxCheckBox;
class wxChoice;

class COptionsDlg : public wxDialog
{
public:
    enum
    {
        IDC_SWATCH_TEXT = 1006,
        IDC_IMAGE_EDIT = 1007,
        IDC_RADIO_COLOR = 1008,
        IDC_RADIO_IMAGE = 1009,
        IDC_TEXT_COLOR = 1010,
        IDC_SWATCH_BACK = 1011,
        IDC_BACK_COLOR = 1013,
        IDC_BROWSE_IMAGE = 1014,
        IDC_AUTO_REMOVE = 1025,
        IDC_KEEP_BACKUP = 1026,
        IDC_CANCEL = 1027,
        IDC_MIDI_OUTPUT = 1028,
        IDC_MIDI_TIP = 1029,
        IDC_MIDI_CHANNEL = 1030,
    };

    // report may be nullptr when there is no document.
    COptionsDlg(wxWindow* parent, CMappingReport* report, CSettings& settings);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnChooseTextColor(wxCommandEvent& event);
    void OnChooseBackColor(wxCommandEvent& event);
    void OnBrowseImage(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    // OK's work: stores the values; false (after its message) when the image cannot be read,
    // in which case the dialog stays open.
    bool Apply();

    wxRadioButton* m_radioColor = nullptr;
    wxRadioButton* m_radioImage = nullptr;
    CColorSwatch* m_swatchText = nullptr;
    CColorSwatch* m_swatchBack = nullptr;
    uint32_t m_colorText = 0;
    uint32_t m_colorBack = 0;
    std::string m_strImage;
    std::string m_strImageEdit;
    int m_checkKeepBackup = 0;
    int m_checkAutoRemove = 0;
    // The MIDI output chosen ("client:port", "" for none), kept in the user's configuration.
    std::string m_strMidiOutput;
    // The channel instruments play on: 1 to 16 but not 10.
    int m_nMidiChannel = 1;

private:
    void InitDialog();
    void OnRadio(wxCommandEvent& event);
    // Enables the image row's controls or the colour row's, as the radio buttons choose.
    void EnableBackgroundRows(bool bImage);
    bool ChooseColor(uint32_t& color);

    CMappingReport* m_pReport;
    CSettings& m_settings;
    wxTextCtrl* m_editImage = nullptr;
    wxButton* m_buttonBackColor = nullptr;
    wxButton* m_buttonBrowse = nullptr;
    wxCheckBox* m_checkBoxKeepBackup = nullptr;
    wxCheckBox* m_checkBoxAutoRemove = nullptr;
    wxChoice* m_choiceMidi = nullptr;
    wxChoice* m_choiceChannel = nullptr;
    std::vector<std::string> m_arrMidiAddresses;
};
