// General MIDI names for the numbers a bank maps: the 128 melodic programs, and the GS drum
// kits by program (only some drum programs have a name).
#pragma once

#include <cstdint>

// The melodic program's name (program 0 is "Acoustic Grand Piano"); nullptr above 127.
const char* GmProgramName(uint16_t program);
// The GS drum kit of a drum program ("Standard", "Room", ...); nullptr for one without a name.
const char* GmDrumKitName(uint16_t program);
// The name of an entry of the instrument list or of the drum-set list; nullptr when none.
inline const char* GmEntryName(bool bDrumset, uint16_t program)
{
    return bDrumset ? GmDrumKitName(program) : GmProgramName(program);
}
