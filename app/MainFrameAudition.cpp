// The main window's play links: an entry of the page on show played on the MIDI output chosen
// in Options (instruments on the channel chosen there), with the status bar saying what plays.
#include "app/MainFrame.h"

#include "app/MidiOutputChoice.h"
#include "app/OrvaneDoc.h"
#include "inspector/InspectorAudition.h"
#include "report/PlayLinks.h"

void CMainFrame::PlayPageEntry(const PLAYLINK& link)
{
    if (!m_pAudition)
        m_pAudition = std::make_unique<CInspectorAudition>(LoadMidiOutputChoice(), LoadMidiChannel());
    if (const std::string why = m_pAudition->Unavailable(); !why.empty())
    {
        SetStatusText(wxString::FromUTF8(why), 0);
        return;
    }
    std::string path = link.strBank;
    if (path.empty())
        if (COrvaneDoc* doc = FindDocument())
            path = doc->m_report.m_strBankPath.string();
    // The bank is read as it is now, and never repaired: playing changes nothing.
    CSoundBank bank;
    if (path.empty() || !bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}))
        return;
    std::string status;
    if (m_pAudition->Press(bank, link.bDrumset, static_cast<long>(link.nIndex), status) != CInspectorAudition::Nothing)
        SetStatusText(wxString::FromUTF8(status), 0);
}
