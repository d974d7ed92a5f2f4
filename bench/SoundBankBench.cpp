// Speed of the chunk scans against memcpy of the same buffer, and of loading and rendering a
// large bank.
#include "base/ByteSource.h"
#include "report/MappingReport.h"
#include "soundbank/ChunkScan.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

namespace
{
constexpr size_t k64MiB = size_t(64) << 20;

// 64 MiB of random bytes with the priority and mapping identifiers in the last few hundred bytes.
const std::vector<unsigned char>& BigBank()
{
    static std::vector<unsigned char> bytes = []
    {
        std::vector<unsigned char> b(k64MiB);
        std::mt19937 rng(42);
        for (auto& x : b)
            x = static_cast<unsigned char>(rng());
        // Random data may hold an identifier by chance; clear any so the scan runs to the end.
        for (size_t i = 0; i + 4 <= b.size() - 256; ++i)
            for (const char* id : {"PRIO", "TTPR", "IMAP", "TTIM"})
                if (!std::memcmp(&b[i], id, 4))
                    b[i] = 0;
        std::memcpy(&b[b.size() - 200], "PRIO", 4);
        std::memcpy(&b[b.size() - 100], "IMAP", 4);
        return b;
    }();
    return bytes;
}

void BM_ChunkScan64MiB(benchmark::State& state)
{
    const auto& bytes = BigBank();
    for (auto _ : state)
    {
        CMemorySource source(bytes);
        benchmark::DoNotOptimize(ScanForChunkId(source, "PRIO", "TTPR"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ChunkScan64MiB)->Unit(benchmark::kMillisecond);

// The one pass of a load: both pairs of identifiers together.
void BM_ChunkPairScan64MiB(benchmark::State& state)
{
    const auto& bytes = BigBank();
    for (auto _ : state)
    {
        CMemorySource source(bytes);
        benchmark::DoNotOptimize(ScanForChunkIds(source, {"PRIO", "TTPR"}, {"IMAP", "TTIM"}));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ChunkPairScan64MiB)->Unit(benchmark::kMillisecond);

// Each candidate search over 256 KiB that stays in the processor's cache (a block of the file
// scan): the speed of the compares themselves, all four identifiers sought.
void BM_ScanPathInCache(benchmark::State& state)
{
    const auto path = static_cast<SCANPATH>(state.range(0));
    if (!IsScanPathAvailable(path))
        return state.SkipWithError("not available on this processor");
    const unsigned char* block = BigBank().data();
    const size_t n = size_t(256) << 10;
    const char* const ids[] = {"PRIO", "TTPR", "IMAP", "TTIM"};
    for (auto _ : state)
        benchmark::DoNotOptimize(FindAnyChunkId(path, block, n, ids, 4));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * n));
}
BENCHMARK(BM_ScanPathInCache)
    ->ArgName("path")
    ->Arg(static_cast<int>(SCANPATH::Portable))
    ->Arg(static_cast<int>(SCANPATH::Sse2))
    ->Arg(static_cast<int>(SCANPATH::Avx2))
    ->Arg(static_cast<int>(SCANPATH::Avx512));

void BM_Memcpy64MiB(benchmark::State& state)
{
    const auto& bytes = BigBank();
    std::vector<unsigned char> target(bytes.size());
    for (auto _ : state)
    {
        std::memcpy(target.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Memcpy64MiB)->Unit(benchmark::kMillisecond);

// The same scan through the file reader, from the page cache.
void BM_ChunkScanFile64MiB(benchmark::State& state)
{
    CTempDir dir;
    WriteFileBytes(dir / "big.94b", BigBank());
    for (auto _ : state)
    {
        auto file = CFileSource::Open(dir / "big.94b");
        benchmark::DoNotOptimize(ScanForChunkIds(*file, {"PRIO", "TTPR"}, {"IMAP", "TTIM"}));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * BigBank().size()));
}
BENCHMARK(BM_ChunkScanFile64MiB)->Unit(benchmark::kMillisecond);

// A bank of 5,000 entries followed by 1 MiB of sample data.
void WriteBank5000(const std::filesystem::path& path)
{
    CBankBuilder bank;
    bank.Prio("Big", 1).Imap(CBankBuilder::Entries(4990), CBankBuilder::Entries(10)).Filler(1 << 20);
    bank.WriteTo(path);
}

void BM_Load5000(benchmark::State& state)
{
    CTempDir dir;
    WriteBank5000(dir / "big.94b");
    for (auto _ : state)
    {
        CSoundBank bank;
        benchmark::DoNotOptimize(bank.Load(dir / "big.94b", REPAIRPOLICY()));
    }
}
BENCHMARK(BM_Load5000)->Unit(benchmark::kMillisecond);

// The page rendered as the desktop program renders it into its private directory (replaced
// whole, not waited on to reach the disk); with flushed = 1 as orvane-cli map writes a page the
// user names, which waits for the disk.
void BM_LoadAndRender5000(benchmark::State& state)
{
    CTempDir dir;
    WriteBank5000(dir / "big.94b");
    CMappingReport report;
    report.m_strTemplatePath = std::string(ORVANE_SOURCE_DIR) + "/share/Qzr.mas";
    report.m_strOutputPath = (dir / "midimap.html").string();
    report.m_strBankPath = (dir / "big.94b").string();
    report.m_bFlushPage = state.range(0) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(report.Render());
}
BENCHMARK(BM_LoadAndRender5000)->ArgName("flushed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace
