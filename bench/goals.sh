#!/bin/sh
# Every speed goal of the reader measured in one run, as a table: the 64 MiB scans against memcpy
# of the same buffer, orvane-cli info against cat on a 256 MiB bank, Load and Load + Render of a
# 5,000-entry bank, the desktop program's start-up against the bare frame, orvane-cli bankset over
# 1,000 banks against overlap over the same banks, and instrument definitions against info --json.
# Usage: bench/goals.sh [build-dir] (a Release build)
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$build/bin/SoundBankBench" --benchmark_filter='64MiB|5000' --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=json >"$out/bench.json" 2>/dev/null
"$build/bin/BankSetBench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$out/bankset.json" 2>/dev/null
sh bench/info-vs-cat.sh "$build" 21 >"$out/info.txt"
sh bench/startup-to-page.sh "$build" examples/demo.94b 11 >"$out/startup.txt"
sh bench/export-vs-info.sh "$build" 11 >"$out/export.txt"

python3 - "$out" <<'PY'
import json, re, sys
out = sys.argv[1]
runs = {b["run_name"]: b for f in ("/bench.json", "/bankset.json") for b in json.load(open(out + f))["benchmarks"]
        if b.get("aggregate_name") == "median"}
rate = lambda name: runs[name]["bytes_per_second"] / 1e9
ms = lambda name: runs[name]["real_time"]
def grab(path, label):
    return float(re.search(re.escape(label) + r"\s+([\d.]+)", open(path).read()).group(1))
startup = lambda label: re.search(re.escape(label) + r"\s+(\d+) ms", open(out + "/startup.txt").read()).group(1)
copy = rate("BM_Memcpy64MiB")
rows = [
    ("scan 64 MiB, one pair", f"{rate('BM_ChunkScan64MiB'):.1f} GB/s vs memcpy {copy:.1f} GB/s",
     f"{rate('BM_ChunkScan64MiB') / copy:.2f}x", ">= 1.0x"),
    ("scan 64 MiB, both pairs", f"{rate('BM_ChunkPairScan64MiB'):.1f} GB/s vs memcpy {copy:.1f} GB/s",
     f"{rate('BM_ChunkPairScan64MiB') / copy:.2f}x", ">= 1.0x"),
    ("scan 64 MiB file, both pairs", f"{rate('BM_ChunkScanFile64MiB'):.1f} GB/s", "", ""),
    ("orvane-cli info, 256 MiB", f"{grab(out + '/info.txt', 'orvane-cli info bank'):.1f} ms vs cat "
     f"{grab(out + '/info.txt', 'cat bank > /dev/null'):.1f} ms", f"{grab(out + '/info.txt', 'ratio info / cat'):.2f}x",
     "<= 1.5x"),
    ("Load, 5,000 entries", f"{ms('BM_Load5000'):.3f} ms", "", ""),
    ("Load + Render, 5,000 entries", f"{ms('BM_LoadAndRender5000/flushed:0'):.2f} ms", "", "<= 3 ms"),
    ("  the same, page flushed", f"{ms('BM_LoadAndRender5000/flushed:1'):.2f} ms", "", ""),
    ("bankset, 1,000 banks x 300", f"{ms('BM_BankSetThousandBanks/iterations:3'):.0f} ms vs overlap "
     f"{ms('BM_OverlapSameBanks/iterations:3'):.0f} ms",
     f"{ms('BM_BankSetThousandBanks/iterations:3') / ms('BM_OverlapSameBanks/iterations:3'):.2f}x",
     "<= 1.2x, <= 1 s"),
    ("export midnam, 16,384 entries", f"{grab(out + '/export.txt', 'orvane-cli export midnam'):.1f} ms vs info --json "
     f"{grab(out + '/export.txt', 'orvane-cli info --json'):.1f} ms", f"{grab(out + '/export.txt', 'ratio export / info'):.2f}x",
     "<= 1.5x"),
    ("start-up to the page", startup("page:") + " ms vs bare frame " + startup("small page:") + " ms",
     f"{grab(out + '/startup.txt', 'ratio'):.2f}x", "<= 1.25x"),
]
print(f"| {'goal':30s} | {'measured':45s} | {'ratio':6s} | {'target':8s} |")
print(f"|{'-' * 32}|{'-' * 47}|{'-' * 8}|{'-' * 10}|")
for row in rows:
    print(f"| {row[0]:30s} | {row[1]:45s} | {row[2]:6s} | {row[3]:8s} |")
PY
