// The inspector's play commands: Space in the table, the table's context menu and the play
// button play the entry of the current row on the MIDI output chosen in Options; the line
// under the table says what plays. The rules are plain code in InspectorAudition.
#include "inspector/BankInspectorDlg.h"

#include "grid/GridChild.h"
#include "inspector/InspectorAudition.h"
#include "inspector/InspectorGrid.h"
#include "res/StringTable.h"
#include "ui/HoverButton.h"

#include <wx/menu.h>
#include <wx/stattext.h>

void CBankInspectorDlg::CreateAuditionControls()
{
    m_btnPlay = new CHoverButton(this, IDC_PLAY, wxString::FromUTF8(GetString(IDS_AUDITION_PLAY)));
    Place(m_btnPlay, 246, 39, 48, 14);
    // Empty while it is laid out: the texts it shows later are cut to its width.
    m_playStatus = new wxStaticText(this, IDC_PLAYSTATUS, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                    wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    Place(m_playStatus, 15, 154, 228, 10);
    m_pGrid->m_onPlay = [this] { PlayCurrentEntry(); };
    Bind(wxEVT_BUTTON, &CBankInspectorDlg::OnPlay, this, IDC_PLAY);
    Bind(wxEVT_MENU, &CBankInspectorDlg::OnPlay, this, ID_PLAYENTRY);
    Bind(wxEVT_CONTEXT_MENU, &CBankInspectorDlg::OnContextMenu, this);
}

void CBankInspectorDlg::InitAudition()
{
    m_pAudition = std::make_unique<CInspectorAudition>(m_strMidiPort, m_nMidiChannel);
    const std::string why = m_pAudition->Unavailable();
    m_btnPlay->Enable(why.empty() && m_bLoaded);
    m_btnPlay->SetToolTip(wxString::FromUTF8(why.empty() ? GetString(IDS_AUDITION_PLAYTIP) : why));
}

void CBankInspectorDlg::PlayCurrentEntry()
{
    if (!m_pAudition || !m_bLoaded || m_pGrid->IsEditing())
        return;
    // Without a usable output the line says why instead.
    if (const std::string why = m_pAudition->Unavailable(); !why.empty())
    {
        m_playStatus->SetLabel(wxString::FromUTF8(why));
        return;
    }
    std::string status;
    if (m_pAudition->Press(m_bank, !m_bShowingInstruments, m_pGrid->CurrentRow(), status) !=
        CInspectorAudition::Nothing)
        m_playStatus->SetLabel(wxString::FromUTF8(status));
}

void CBankInspectorDlg::OnPlay(wxCommandEvent&)
{
    PlayCurrentEntry();
    // The table keeps the keyboard, so Space goes on playing and stopping.
    m_pGrid->SetFocus();
}

void CBankInspectorDlg::OnContextMenu(wxContextMenuEvent& event)
{
    auto* cells = dynamic_cast<wxWindow*>(m_pGrid->GetChild(GRID_CHILD_CELLS));
    wxWindow* from = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (!cells || from != cells)
    {
        event.Skip();
        return;
    }
    // A right click makes the row under the mouse the current one first.
    if (event.GetPosition() != wxDefaultPosition)
    {
        const wxPoint at = cells->ScreenToClient(event.GetPosition());
        int col = -1;
        long row = -1;
        m_pGrid->CellFromPoint(at.x, at.y, &col, &row);
        if (col >= 0 && row >= 0 && !m_pGrid->IsEditing())
            m_pGrid->SetCurrentCell(col, row);
    }
    wxMenu menu;
    menu.Append(ID_PLAYENTRY, wxString::FromUTF8(GetString(IDS_AUDITION_PLAYMENU)),
                wxString::FromUTF8(GetString(IDS_AUDITION_PLAYTIP)));
    const std::string why = m_pAudition ? m_pAudition->Unavailable() : std::string();
    menu.Enable(ID_PLAYENTRY, m_pAudition && why.empty() && m_bLoaded && !m_pGrid->IsEditing());
    PopupMenu(&menu);
}
