// A tour of a bank as a Standard MIDI File: for every entry, in order, a marker naming it, the
// bank select and program change that choose it, a note (or the drum figure) and a pause, the
// same time for every entry. Played to a card's port, it lets the bank be heard entry by entry.
#pragma once

#include "midi/MidiEvents.h"

#include <cstdint>
#include <string>
#include <vector>

struct TOURSTOP
{
    AUDITION audition;
    std::string strMarker; // UTF-8
};

struct TOUROPTIONS
{
    double dSeconds = 2.0; // per entry, from kMinTourSeconds to kMaxTourSeconds
    int nChannel = 1;      // for instruments, 1-16 but not 10
};

constexpr double kMinTourSeconds = 0.25;
constexpr double kMaxTourSeconds = 600.0;

// The marker of an entry: "instrument 3: Acoustic Grand Piano — program 0, variation 3, bank
// NAME" (or "drum set …"); a program without a General MIDI name is called "Program N".
std::string TourMarker(bool bDrumset, uint64_t index, uint16_t program, uint8_t variation, const std::string& bankName);

// The whole file. Stops whose program is above 127 cannot be selected and are left out, counted
// in nSkipped. Options outside their ranges give an empty string.
std::string BuildTour(const std::vector<TOURSTOP>& stops, const TOUROPTIONS& options, size_t& nSkipped);
