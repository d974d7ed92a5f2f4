// The chosen MIDI output in the user's configuration (see the header).
#include "app/MidiOutputChoice.h"

#include "midi/MidiEvents.h"
#include "midi/MidiOutput.h"
#include "res/StringTable.h"

#include <wx/config.h>

namespace
{
const char* const kKey = "/MIDI/Output";
const char* const kChannelKey = "/MIDI/Channel";
} // namespace

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

int LoadMidiChannel()
{
    wxConfigBase* config = wxConfigBase::Get(false);
    const long channel = config ? config->ReadLong(kChannelKey, 1) : 1;
    // A hand-edited or foreign value never reaches the player, which would refuse it.
    if (channel < 1 || channel > 16 || !IsInstrumentChannel(static_cast<int>(channel)))
        return 1;
    return static_cast<int>(channel);
}

void SaveMidiChannel(int channel)
{
    if (wxConfigBase* config = wxConfigBase::Get(false))
    {
        config->Write(kChannelKey, static_cast<long>(IsInstrumentChannel(channel) ? channel : 1));
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
