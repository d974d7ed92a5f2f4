// From a play key to the first event handed to the sequencer: CAuditionPlayer::Toggle on a
// recording output, each press a new entry, so every press cuts the last one off and starts
// the next; and the inspector's Space as it reaches the plain code, from the table's row
// through the entry of a 16,384-entry bank to the status line (goal: at most 5 ms).
#include "inspector/InspectorAudition.h"
#include "midi/AuditionPlayer.h"
#include "support/RecordingMidiOutput.h"

#include <benchmark/benchmark.h>

namespace
{
void BM_PlayKeyToFirstEvent(benchmark::State& state)
{
    CRecordingMidiOutput output;
    CAuditionPlayer player(output);
    std::string error;
    uint16_t program = 0;
    for (auto _ : state)
    {
        const bool drumset = (program & 1) != 0;
        if (player.Toggle({drumset, static_cast<uint16_t>(program % 128), 0}, 1, "128:0", error) !=
            CAuditionPlayer::Started)
            state.SkipWithError("not started");
        ++program;
        benchmark::DoNotOptimize(output.m_played.back().front());
        if (output.m_played.size() > 4096)
        {
            state.PauseTiming();
            output.m_played.clear();
            output.m_stops.clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_PlayKeyToFirstEvent)->Unit(benchmark::kMicrosecond);

void BM_InspectorSpaceToFirstEvent(benchmark::State& state)
{
    CRecordingMidiOutput output;
    CSoundBank bank;
    for (uint32_t i = 0; i < 16384; ++i)
    {
        IMAPENTRY entry{};
        entry.wProgram = static_cast<uint16_t>(i % 128);
        entry.byVariation = static_cast<uint8_t>(i / 128);
        (i % 2 ? bank.m_arrDrumsets : bank.m_arrInstruments).push_back(entry);
    }
    CInspectorAudition audition("128:0");
    std::string status;
    long row = 0;
    for (auto _ : state)
    {
        if (audition.Press(bank, (row & 1) != 0, row % 8192, status) != CInspectorAudition::Started)
            state.SkipWithError("not started");
        row += 7;
        benchmark::DoNotOptimize(output.m_played.back().front());
        if (output.m_played.size() > 4096)
        {
            state.PauseTiming();
            output.m_played.clear();
            output.m_stops.clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_InspectorSpaceToFirstEvent)->Unit(benchmark::kMicrosecond);
} // namespace
