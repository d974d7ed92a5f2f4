// Writes Standard MIDI Files of format 0 (see the header).
#include "midi/StandardMidiFile.h"

#include <algorithm>

namespace
{
void Put32(std::string& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
}
} // namespace

CStandardMidiFile::CStandardMidiFile()
{
    // The tempo first, at tick 0: 500,000 microseconds per quarter note.
    Delta(0);
    m_track += "\xFF\x51\x03";
    m_track.push_back(static_cast<char>((kMidiTempo >> 16) & 0xFF));
    m_track.push_back(static_cast<char>((kMidiTempo >> 8) & 0xFF));
    m_track.push_back(static_cast<char>(kMidiTempo & 0xFF));
}

void CStandardMidiFile::VarLen(uint32_t value)
{
    char bytes[5];
    int n = 0;
    bytes[n++] = static_cast<char>(value & 0x7F);
    while ((value >>= 7) != 0)
        bytes[n++] = static_cast<char>((value & 0x7F) | 0x80);
    while (n > 0)
        m_track.push_back(bytes[--n]);
}

void CStandardMidiFile::Delta(uint32_t tick)
{
    tick = std::max(tick, m_dwLastTick);
    VarLen(tick - m_dwLastTick);
    m_dwLastTick = tick;
}

void CStandardMidiFile::AddMarker(uint32_t tick, const std::string& text)
{
    Delta(tick);
    m_track += "\xFF\x06";
    VarLen(static_cast<uint32_t>(text.size()));
    m_track += text;
}

void CStandardMidiFile::AddEvent(const MIDIEVENT& event, uint32_t offset)
{
    Delta(event.dwTick + offset);
    // Every status byte is written: some players mishandle running status after meta events.
    m_track.append(reinterpret_cast<const char*>(event.abData), event.nSize);
}

const std::string& CStandardMidiFile::Finish(uint32_t tick)
{
    Delta(tick);
    m_track += std::string("\xFF\x2F\x00", 3);
    m_file = "MThd";
    Put32(m_file, 6);
    m_file += std::string("\x00\x00\x00\x01", 4); // format 0, one track
    m_file.push_back(static_cast<char>(kMidiTicksPerQuarter >> 8));
    m_file.push_back(static_cast<char>(kMidiTicksPerQuarter & 0xFF));
    m_file += "MTrk";
    Put32(m_file, static_cast<uint32_t>(m_track.size()));
    m_file += m_track;
    m_track.clear();
    return m_file;
}
