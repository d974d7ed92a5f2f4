// The process-wide MIDI output, built on first use.
#include "midi/MidiOutputSlot.h"

#include "midi/AlsaMidiOutput.h"

CSlot<IMidiOutput>& MidiOutputSlot()
{
    static CAlsaMidiOutput alsa;
    static CSlot<IMidiOutput> slot(alsa);
    return slot;
}
