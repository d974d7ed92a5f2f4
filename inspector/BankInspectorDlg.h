// CBankInspectorDlg: the modal dialog in which the user changes a bank's name, priority and the
// program and variation of its entries. It edits its own copy of the bank; OK writes every value
// back into the file in place (after the backup copy when asked for), Cancel discards them.
#pragma once

#include "inspector/InspectorRules.h"
#include "soundbank/SoundBank.h"

#include <wx/dialog.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CHoverButton;
class CInspectorAudition;
class CInspectorGrid;
class CUpDownButton;
class wxChildFocusEvent;
class wxContextMenuEvent;
class wxRadioButton;
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
        IDC_PLAY = 1030,
        IDC_PLAYSTATUS = 1031,
        ID_PLAYENTRY = 1032,
    };

    explicit CBankInspectorDlg(wxWindow* pParent);
    ~CBankInspectorDlg() override;

    // Set by the caller before ShowModal: the bank's file, how a converted one is treated when
    // it is read, and whether OK keeps a backup copy first.
    std::string m_strFilePath;
    REPAIRPOLICY m_repairPolicy;
    bool m_bKeepBackup = false;
    // The MIDI output chosen in Options ("client:port", "" for none) and the instruments' channel.
    std::string m_strMidiPort;
    int m_nMidiChannel = 1;

    std::string m_strName;
    std::string m_strDrumsets;
    std::string m_strInstruments;
    std::string m_strPriority;
    CSoundBank m_bank;

    CInspectorGrid* GetGrid() const { return m_pGrid; }
    // Plays the entry of the table's current row, or stops it when it still sounds.
    void PlayCurrentEntry();

    void FillInstruments();
    void FillDrumsets();
    // Writes row nRow of the table back into the bank's list on display.
    void OnInspectorEdited(int nCol, long nRow);

private:
    // A control at its place in dialog units.
    struct PLACE
    {
        wxWindow* window;
        int x, y, cx, cy;
    };
    // A table edit the user left by clicking OK or a radio button; they store it as Enter would.
    struct LEFTEDIT
    {
        int nCol;
        long nRow;
        std::string text;
        bool bInstruments;
    };

    void CreateControls();
    // The play button and the status line below the table (BankInspectorAudition.cpp).
    void CreateAuditionControls();
    // Enables the play commands, or disables them with the reason as their tip.
    void InitAudition();
    void OnPlay(wxCommandEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    wxWindow* Place(wxWindow* window, int x, int y, int cx, int cy);
    void LayOut();
    bool InitBank();
    // Moves the focus from the table to the next control (or the one before).
    void TabFromTable(bool bForward);
    // Reads the bank again as the file now holds it, dropping the edits on screen.
    void Reload();
    void ApplyColours();
    void UpdateControls();
    // Stores the edit left for OK or a radio button; false when its value was out of range.
    bool StoreLeftEdit();
    void Ok();

    void OnInitDialog(wxInitDialogEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnChildFocus(wxChildFocusEvent& event);
    void OnRadio(wxCommandEvent& event);
    void OnSpin(wxSpinEvent& event);
    void OnPriorityKey(wxKeyEvent& event);
    void OnNameText(wxCommandEvent& event);

    CHoverButton* m_btnOK = nullptr;
    CHoverButton* m_btnCancel = nullptr;
    wxTextCtrl* m_editName = nullptr;
    wxTextCtrl* m_editPriority = nullptr;
    CUpDownButton* m_upDown = nullptr;
    wxStaticText* m_staticInstruments = nullptr;
    wxStaticText* m_staticDrumsets = nullptr;
    wxRadioButton* m_radioInstruments = nullptr;
    wxRadioButton* m_radioDrumsets = nullptr;
    CInspectorGrid* m_pGrid = nullptr;
    wxStaticText* m_gridPlaceholder = nullptr;
    std::vector<PLACE> m_places;
    CPriorityUpDown m_priority;
    std::optional<LEFTEDIT> m_leftEdit;
    bool m_bLoaded = false;
    bool m_bShowingInstruments = true;
    // Lives as long as the dialog; its end silences what still sounds.
    std::unique_ptr<CInspectorAudition> m_pAudition;
    CHoverButton* m_btnPlay = nullptr;
    wxStaticText* m_playStatus = nullptr;
};
