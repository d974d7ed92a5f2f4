// The events of an audition (see the header).
#include "midi/MidiEvents.h"

#include <algorithm>

namespace
{
MIDIEVENT Message(uint32_t tick, uint8_t status, int channel, uint8_t data1, int data2 = -1)
{
    MIDIEVENT e;
    e.dwTick = tick;
    e.abData[0] = static_cast<uint8_t>(status | ((channel - 1) & 0x0F));
    e.abData[1] = data1;
    e.nSize = 2;
    if (data2 >= 0)
    {
        e.abData[2] = static_cast<uint8_t>(data2);
        e.nSize = 3;
    }
    return e;
}

constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kControl = 0xB0;
constexpr uint8_t kProgram = 0xC0;
constexpr uint8_t kVelocity = 100;
constexpr uint8_t kMiddleC = 60;

// The drum figure in eighths of its length: kick and crash together, hi-hats, the snare on the
// third eighth of four.
struct DRUMHIT
{
    uint8_t nNote;
    uint32_t nEighth;
};
constexpr DRUMHIT kFigure[] = {{36, 0}, {49, 0}, {42, 2}, {38, 4}, {42, 4}, {42, 6}};
} // namespace

bool IsInstrumentChannel(int channel)
{
    return channel >= 1 && channel <= 16 && channel != kMidiDrumChannel;
}

bool BuildAudition(const AUDITION& audition, int channel, uint32_t nTicks, std::vector<MIDIEVENT>& events)
{
    events.clear();
    if (audition.wProgram > 127 || audition.byVariation > 127 || nTicks < 8)
        return false;
    if (audition.bDrumset)
        channel = kMidiDrumChannel;
    else if (!IsInstrumentChannel(channel))
        return false;

    events.push_back(Message(0, kControl, channel, 0, audition.byVariation));
    events.push_back(Message(0, kControl, channel, 32, 0));
    events.push_back(Message(0, kProgram, channel, static_cast<uint8_t>(audition.wProgram)));
    if (!audition.bDrumset)
    {
        events.push_back(Message(0, kNoteOn, channel, kMiddleC, kVelocity));
        events.push_back(Message(nTicks, kNoteOff, channel, kMiddleC, 0));
        return true;
    }
    // Each hit sounds for an eighth of the figure, so the last one ends with it.
    const uint32_t eighth = nTicks / 8;
    for (const DRUMHIT& hit : kFigure)
    {
        events.push_back(Message(hit.nEighth * eighth, kNoteOn, channel, hit.nNote, kVelocity));
        events.push_back(Message((hit.nEighth + 1) * eighth, kNoteOff, channel, hit.nNote, 0));
    }
    // In time order; at one time the selection comes first, then note offs, then note ons, so no
    // note is cut short by its own next hit.
    auto rank = [](const MIDIEVENT& e)
    {
        const uint8_t kind = e.abData[0] & 0xF0;
        return kind == kNoteOn ? 2 : kind == kNoteOff ? 1 : 0;
    };
    std::stable_sort(events.begin(), events.end(),
                     [&rank](const MIDIEVENT& a, const MIDIEVENT& b)
                     { return a.dwTick != b.dwTick ? a.dwTick < b.dwTick : rank(a) < rank(b); });
    return true;
}

std::vector<MIDIEVENT> AllNotesOff(const std::vector<int>& channels)
{
    std::vector<MIDIEVENT> events;
    for (int channel : channels)
        if (channel >= 1 && channel <= 16)
            events.push_back(Message(0, kControl, channel, 123, 0));
    return events;
}
