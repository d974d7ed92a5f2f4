// From a play key to the first event handed to the sequencer: CAuditionPlayer::Toggle on a
// recording output, each press a new entry, so every press cuts the last one off and starts
// the next (goal: at most 5 ms).
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
} // namespace
