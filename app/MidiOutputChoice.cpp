// The chosen MIDI output in the user's configuration (see the header).
#include "app/MidiOutputChoice.h"

#include "midi/MidiOutput.h"
#include "res/StringTable.h"

#include <wx/config.h>

namespace
{
const char* const kKey = "/MIDI/Output";
}

std::string LoadMidiOutputChoice()
{
    wxConfigBase* config = wxConfigBase::Get(false);
    return config ? config->Read(kKey, wxString()).utf8_string() : std::string();
}

void SaveMidiOutputChoice(const std::string& port)
{
    if (wxConfigBase* config = wxConfigBase::Get(false))
    {
        config->Write(kKey, wxString::FromUTF8(port));
        config->Flush();
    }
}

std::vector<MIDICHOICE> MidiOutputChoices(IMidiOutput& output, const std::string& chosen)
{
    std::vector<MIDICHOICE> choices{{"", GetString(IDS_MIDI_NONE)}};
    if (!output.Unavailable().empty())
        return choices;
    bool listed = chosen.empty();
    for (const MIDIPORT& p : output.ListPorts())
    {
        choices.push_back({p.Address(), p.Address() + "  " + p.strClient + ": " + p.strPort});
        listed = listed || p.Address() == chosen;
    }
    if (!listed)
        choices.push_back({chosen, chosen});
    return choices;
}
