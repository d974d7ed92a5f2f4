// The MIDI output the programs play through: the ALSA sequencer unless a test installs another.
#pragma once

#include "base/Slot.h"
#include "midi/MidiOutput.h"

CSlot<IMidiOutput>& MidiOutputSlot();
