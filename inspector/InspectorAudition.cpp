// The inspector's auditions (see the header).
#include "inspector/InspectorAudition.h"

#include "midi/MidiOutputSlot.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"
#include "soundbank/GmNames.h"

CInspectorAudition::CInspectorAudition(std::string port, int channel)
    : m_player(MidiOutputSlot().Get()), m_strPort(std::move(port)), m_nChannel(channel)
{
    IMidiOutput& output = MidiOutputSlot().Get();
    if (const std::string reason = output.Unavailable(); !reason.empty())
        m_strUnavailable = FormatStringId(IDS_AUDITION_NOSEQUENCER, {reason});
    else if (m_strPort.empty())
        m_strUnavailable = GetString(IDS_AUDITION_NOPORT);
    else
        m_strPortLabel = PortLabel(output, m_strPort);
}

std::string CInspectorAudition::PortLabel(IMidiOutput& output, const std::string& port)
{
    for (const MIDIPORT& p : output.ListPorts())
        if (p.Address() == port)
            return p.strClient + ": " + p.strPort + " (" + p.Address() + ")";
    return port;
}

std::string CInspectorAudition::PlayingText(bool bDrumset, long nIndex, const IMAPENTRY& entry,
                                            const std::string& portLabel)
{
    const char* gm = GmEntryName(bDrumset, entry.wProgram);
    const std::string name =
        gm ? std::string(gm) : FormatStringId(IDS_AUDITION_PROGRAMNAME, {std::to_string(entry.wProgram)});
    return FormatStringId(IDS_AUDITION_PLAYING,
                          {GetString(bDrumset ? IDS_AUDITION_DRUMSET : IDS_AUDITION_INSTRUMENT), std::to_string(nIndex),
                           name, std::to_string(entry.wProgram), std::to_string(entry.byVariation), portLabel});
}

CInspectorAudition::RESULT CInspectorAudition::Press(const CSoundBank& bank, bool bDrumsets, long nRow,
                                                     std::string& status)
{
    const auto& list = bDrumsets ? bank.m_arrDrumsets : bank.m_arrInstruments;
    if (!m_strUnavailable.empty() || nRow < 0 || static_cast<size_t>(nRow) >= list.size())
        return Nothing;
    const IMAPENTRY& entry = list[static_cast<size_t>(nRow)];
    std::string error;
    switch (m_player.Toggle({bDrumsets, entry.wProgram, entry.byVariation}, m_nChannel, m_strPort, error))
    {
    case CAuditionPlayer::Started: status = PlayingText(bDrumsets, nRow, entry, m_strPortLabel); return Started;
    case CAuditionPlayer::Stopped: status = GetString(IDS_AUDITION_STOPPED); return Stopped;
    case CAuditionPlayer::Refused:
        status.clear();
        AppMessageBoxText(
            FormatStringId(IDS_AUDITION_REFUSED, {GetString(bDrumsets ? IDS_AUDITION_DRUMSET : IDS_AUDITION_INSTRUMENT),
                                                  std::to_string(nRow), std::to_string(entry.wProgram)}),
            MsgExclamation);
        return Refused;
    case CAuditionPlayer::Failed: break;
    }
    status.clear();
    AppMessageBoxText(FormatStringId(IDS_AUDITION_FAILED, {m_strPortLabel, error}), MsgStop);
    return Failed;
}
