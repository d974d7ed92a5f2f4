// CBankInspectorDlg: the modal dialog in which the user changes a bank's name, priority and the
// program and variation of its entries. It edits its own copy of the bank; OK writes every value
// back into the file in place (after the backup copy when asked for), Cancel discards them.
#pragma once

#include "soundbank/SoundBank.h"

#include <wx/dialog.h>

#include <string>

class CHoverButton;
class CInspectorGrid;
class wxRadioButton;
class wxSpinButton;
class wxSpinEvent;
class wxStaticText;
class wxTextCtrl;

class CBankInspectorDlg : public wxDialog
{
public:
    // Control ids of the dialog's table.
    enum
    {
        IDC_BANKNAME = 1012,
        IDC_PRIORITY = 1013,
        IDC_PRIORITYSPIN = 1014,
        IDC_INSTRUMENTS = 1015,
        IDC_DRUMSETS = 1016,
        IDC_NUMINSTRUMENTS = 1017,
        IDC_NUMDRUMSETS = 1018,
        IDC_GRID = 1020,
        IDC_GENERAL = 1022,
        IDC_EDIT = 1023,
    };

    explicit CBankInspectorDlg(wxWindow* pParent);
    ~CBankInspectorDlg() override;

    // Set by the caller before ShowModal: the bank's file, how a converted one is treated when
    // it is read, and whether OK keeps a backup copy first.
    std::string m_strFilePath;
    REPAIRPOLICY m_repairPolicy;
    bool m_bKeepBackup = false;

    std::string m_strName;
    std::string m_strDrumsets;
    std::string m_strInstruments;
    std::string m_strPriority;
    CSoundBank m_bank;

    CInspectorGrid* GetGrid() const { return m_pGrid; }

    void FillInstruments();
    void FillDrumsets();
    // Writes row nRow of the table back into the bank's list on display.
    void OnInspectorEdited(int nCol, long nRow);

private:
    void CreateControls();
    wxRect DialogRect(int x, int y, int w, int h) const;
    bool InitBank();
    void ApplyColours();
    void UpdateControls();

    void OnInitDialog(wxInitDialogEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnRadio(wxCommandEvent& event);
    void OnSpin(wxSpinEvent& event);
    void OnPriorityText(wxCommandEvent& event);

    CHoverButton* m_btnOK = nullptr;
    CHoverButton* m_btnCancel = nullptr;
    wxTextCtrl* m_editName = nullptr;
    wxTextCtrl* m_editPriority = nullptr;
    wxSpinButton* m_spin = nullptr;
    wxStaticText* m_staticInstruments = nullptr;
    wxStaticText* m_staticDrumsets = nullptr;
    wxRadioButton* m_radioInstruments = nullptr;
    wxRadioButton* m_radioDrumsets = nullptr;
    CInspectorGrid* m_pGrid = nullptr;
    bool m_bLoaded = false;
    bool m_bUpdating = false;

    wxDECLARE_EVENT_TABLE();
};
