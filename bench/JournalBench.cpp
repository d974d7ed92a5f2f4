// The change journal's cost on a 64 MiB bank: a change (lock, read, write-back) with and without
// the journal, undo and redo of it, a repair with and without the journal and undo and redo of
// the repair, against copying the bank as cp does. The goals: a change with the journal takes at
// most 1.2 times as long as without it, and undoing a repair needs no more memory than the
// repair. Peak heap bytes of one operation are reported as the counter peak_heap_KiB. A change
// of a bank in a state the journal knows reads only the blocks it changes; the first change of
// a bank reads it once more for its digest (BM_FirstChangeJournaled64MiB). The ratios of the goal
// are the counters "ratio" of BM_ChangeJournalRatio64MiB and BM_RepairJournalRatio64MiB, each
// from changes with and without the journal made in turn in one run.
#include "base/WriterLock.h"
#include "journal/ChangeJournal.h"
#include "soundbank/SoundBank.h"
#include "support/BankBuilder.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<int64_t> g_heapNow{0};
std::atomic<int64_t> g_heapPeak{0};

void NoteAlloc(void* p)
{
    if (!p)
        return;
    int64_t now = g_heapNow += static_cast<int64_t>(malloc_usable_size(p));
    int64_t peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now))
    {
    }
}

// Peak heap bytes above what was in use when the measure began.
class CHeapPeak
{
public:
    CHeapPeak() : m_nBase(g_heapNow.load()) { g_heapPeak = m_nBase; }
    int64_t Bytes() const { return g_heapPeak.load() - m_nBase; }

private:
    int64_t m_nBase;
};
} // namespace

// The program's allocations go through these replacements, which count the bytes in use.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t n)
{
    void* p = std::malloc(n ? n : 1);
    if (!p)
        throw std::bad_alloc();
    NoteAlloc(p);
    return p;
}
void operator delete(void* p) noexcept
{
    if (p)
        g_heapNow -= static_cast<int64_t>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}

namespace
{
constexpr size_t k64MiB = size_t(64) << 20;

// A converted bank of 64 MiB: TTMA chunk at the start, the priority and mapping chunks at the end.
std::vector<unsigned char> BigConvertedBank()
{
    CBankBuilder b;
    b.Filler(64)
        .Ttma(512)
        .Filler(k64MiB - 2048, 3)
        .Prio("Big", 64)
        .Imap(CBankBuilder::Entries(100), CBankBuilder::Entries(20));
    b.Filler(k64MiB - b.Size(), 9);
    return b.Bytes();
}

// Copies a bank and puts it on disk, as a user's bank is before a change: the writing back of a
// fresh copy is no part of what is measured.
void SyncToDisk(const std::filesystem::path& path)
{
    IFileSystem& fs = GetFileSystem();
    CFsHandle file(fs, fs.OpenRead(path));
    if (file.IsOpen())
        fs.Sync(file.Get());
}

void CopyToDisk(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    SyncToDisk(to);
}

struct BENCHFILES
{
    CTempDir dir;
    std::filesystem::path bank = dir / "big.94b";
    std::filesystem::path pristine = dir / "pristine.94b";
    JOURNALPLACE place{dir / "state"};
    CSlot<JOURNALPLACE>::CScope scope{JournalPlaceSlot(), &place};

    BENCHFILES()
    {
        CBankBuilder b;
        b.Raw(BigConvertedBank());
        b.WriteTo(pristine);
        SyncToDisk(pristine);
        Reset();
    }
    void Reset()
    {
        CopyToDisk(pristine, bank);
        std::filesystem::remove_all(place.dir);
    }
};

// What 'orvane-cli set --priority N' does: lock, read, write back.
bool Change(const std::filesystem::path& path, uint16_t priority)
{
    CWriterLock lock(GetFileSystem());
    CSoundBank bank;
    return CSoundBank::LockForWriting(lock, path) && bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Never, false}) &&
           (bank.m_wPriority = priority, bank.SaveInPlace());
}

bool Repair(const std::filesystem::path& path)
{
    CWriterLock lock(GetFileSystem());
    CSoundBank bank;
    return CSoundBank::LockForWriting(lock, path) && bank.Load(path, REPAIRPOLICY{REPAIRPOLICY::Automatic, false}) &&
           bank.GetRepairOutcome() == CSoundBank::RepairDone;
}

void BM_CopyBank64MiB(benchmark::State& state)
{
    BENCHFILES files;
    for (auto _ : state)
        std::filesystem::copy_file(files.pristine, files.bank, std::filesystem::copy_options::overwrite_existing);
}
BENCHMARK(BM_CopyBank64MiB)->Unit(benchmark::kMillisecond);

void ChangeBench(benchmark::State& state, bool journal)
{
    BENCHFILES files;
    std::unique_ptr<CJournalScope> scope(journal ? new CJournalScope("set") : nullptr);
    uint16_t priority = 0;
    int64_t peak = 0;
    for (auto _ : state)
    {
        CHeapPeak heap;
        if (!Change(files.bank, static_cast<uint16_t>(++priority % 128)))
            state.SkipWithError("change failed");
        peak = std::max(peak, heap.Bytes());
    }
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024;
}
void BM_Change64MiB(benchmark::State& state)
{
    ChangeBench(state, false);
}
void BM_ChangeJournaled64MiB(benchmark::State& state)
{
    ChangeBench(state, true);
}
BENCHMARK(BM_Change64MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeJournaled64MiB)->Unit(benchmark::kMillisecond);

// The journal's share of an operation, as one ratio measured in one run: each iteration runs op
// on one bank without the journal and on another with it, in turn first, after prepare (not
// timed), so that both meet the same machine.
template <class Prepare, class Op> void JournalRatio(benchmark::State& state, BENCHFILES& files, Prepare prepare, Op op)
{
    using Clock = std::chrono::steady_clock;
    const std::filesystem::path plain = files.dir / "plain.94b";
    CopyToDisk(files.pristine, plain);
    Clock::duration without{}, with{};
    int round = 0;
    for (auto _ : state)
    {
        prepare(plain);
        ++round;
        bool ok = true;
        Clock::duration both{};
        for (bool journal : {round % 2 == 0, round % 2 != 0})
        {
            const auto start = Clock::now();
            std::unique_ptr<CJournalScope> scope(journal ? new CJournalScope("set") : nullptr);
            ok = op(journal ? files.bank : plain, round) && ok;
            scope.reset();
            const auto took = Clock::now() - start;
            (journal ? with : without) += took;
            both += took;
        }
        state.SetIterationTime(std::chrono::duration<double>(both).count());
        if (!ok)
            return state.SkipWithError("operation failed");
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["without_ms"] = std::chrono::duration<double, std::milli>(without).count() / n;
    state.counters["with_ms"] = std::chrono::duration<double, std::milli>(with).count() / n;
    state.counters["ratio"] = std::chrono::duration<double>(with) / std::chrono::duration<double>(without);
}

void BM_ChangeJournalRatio64MiB(benchmark::State& state)
{
    BENCHFILES files;
    JournalRatio(
        state, files, [](const std::filesystem::path&) {},
        [](const std::filesystem::path& bank, int round) { return Change(bank, static_cast<uint16_t>(round % 128)); });
}
BENCHMARK(BM_ChangeJournalRatio64MiB)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first change of a bank the journal does not know: its digest needs one read of the bank.
void BM_FirstChangeJournaled64MiB(benchmark::State& state)
{
    BENCHFILES files;
    CJournalScope scope("set");
    uint16_t priority = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        std::filesystem::remove_all(files.place.dir);
        ForgetDigests();
        state.ResumeTiming();
        if (!Change(files.bank, static_cast<uint16_t>(++priority % 128)))
            state.SkipWithError("change failed");
    }
}
BENCHMARK(BM_FirstChangeJournaled64MiB)->Unit(benchmark::kMillisecond);

// One undo and one redo of a change per iteration.
void BM_UndoRedoChange64MiB(benchmark::State& state)
{
    BENCHFILES files;
    CJournalScope scope("set");
    if (!Change(files.bank, 5))
        return state.SkipWithError("change failed");
    for (auto _ : state)
        if (UndoLastChange(files.bank) != StepResult::Done || RedoLastChange(files.bank) != StepResult::Done)
            return state.SkipWithError("undo or redo failed");
}
BENCHMARK(BM_UndoRedoChange64MiB)->Unit(benchmark::kMillisecond);

void RepairBench(benchmark::State& state, bool journal)
{
    BENCHFILES files;
    std::unique_ptr<CJournalScope> scope(journal ? new CJournalScope("set") : nullptr);
    int64_t peak = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        files.Reset();
        state.ResumeTiming();
        CHeapPeak heap;
        if (!Repair(files.bank))
            return state.SkipWithError("repair failed");
        peak = std::max(peak, heap.Bytes());
    }
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024;
}
void BM_Repair64MiB(benchmark::State& state)
{
    RepairBench(state, false);
}
void BM_RepairJournaled64MiB(benchmark::State& state)
{
    RepairBench(state, true);
}
BENCHMARK(BM_Repair64MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepairJournaled64MiB)->Unit(benchmark::kMillisecond);

// The journal's share of a repair, measured the same way.
void BM_RepairJournalRatio64MiB(benchmark::State& state)
{
    BENCHFILES files;
    JournalRatio(
        state, files,
        [&files](const std::filesystem::path& plain)
        {
            files.Reset();
            CopyToDisk(files.pristine, plain);
        },
        [](const std::filesystem::path& bank, int) { return Repair(bank); });
}
BENCHMARK(BM_RepairJournalRatio64MiB)->UseManualTime()->Unit(benchmark::kMillisecond);

// Undo of a repair, then its redo, each timed on its own.
void RepairStepBench(benchmark::State& state, bool undo)
{
    BENCHFILES files;
    CJournalScope scope("set");
    if (!Repair(files.bank))
        return state.SkipWithError("repair failed");
    int64_t peak = 0;
    for (auto _ : state)
    {
        if (!undo)
        {
            state.PauseTiming();
            UndoLastChange(files.bank);
            state.ResumeTiming();
        }
        CHeapPeak heap;
        if ((undo ? UndoLastChange(files.bank) : RedoLastChange(files.bank)) != StepResult::Done)
            return state.SkipWithError("step failed");
        peak = std::max(peak, heap.Bytes());
        if (undo)
        {
            state.PauseTiming();
            RedoLastChange(files.bank);
            state.ResumeTiming();
        }
    }
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024;
}
void BM_UndoRepair64MiB(benchmark::State& state)
{
    RepairStepBench(state, true);
}
void BM_RedoRepair64MiB(benchmark::State& state)
{
    RepairStepBench(state, false);
}
BENCHMARK(BM_UndoRepair64MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoRepair64MiB)->Unit(benchmark::kMillisecond);
} // namespace
