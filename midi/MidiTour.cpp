// Builds the tour of a bank (see the header).
#include "midi/MidiTour.h"

#include "midi/StandardMidiFile.h"
#include "soundbank/GmNames.h"

#include <algorithm>
#include <cmath>

std::string TourMarker(bool bDrumset, uint64_t index, uint16_t program, uint8_t variation, const std::string& bankName)
{
    const char* gm = GmEntryName(bDrumset, program);
    std::string text = bDrumset ? "drum set " : "instrument ";
    text += std::to_string(index) + ": ";
    text += gm ? std::string(gm) : "Program " + std::to_string(program);
    text += " \u2014 program " + std::to_string(program) + ", variation " + std::to_string(variation);
    text += ", bank " + bankName;
    return text;
}

std::string BuildTour(const std::vector<TOURSTOP>& stops, const TOUROPTIONS& options, size_t& nSkipped)
{
    nSkipped = 0;
    if (!(options.dSeconds >= kMinTourSeconds && options.dSeconds <= kMaxTourSeconds) ||
        !IsInstrumentChannel(options.nChannel))
        return {};
    // Each entry gets the same whole number of ticks; it sounds for half of them, at most a second.
    const auto slot = static_cast<uint32_t>(std::lround(options.dSeconds * kMidiTicksPerSecond));
    const uint32_t sound = std::min(kMidiTicksPerSecond, slot / 2);
    CStandardMidiFile file;
    uint32_t start = 0;
    std::vector<MIDIEVENT> events;
    for (const TOURSTOP& stop : stops)
    {
        if (!BuildAudition(stop.audition, options.nChannel, sound, events))
        {
            ++nSkipped;
            continue;
        }
        file.AddMarker(start, stop.strMarker);
        for (const MIDIEVENT& e : events)
            file.AddEvent(e, start);
        start += slot;
    }
    return file.Finish(start);
}
