#!/bin/sh
# `orvane-cli tour` of a 16,384-entry bank into a MIDI file, against `orvane-cli info --json` of
# the same bank, both from a warm page cache and timed alternately in the same run. Prints the
# median of each and their ratio. Usage: bench/tour-vs-info.sh [build-dir] [runs]
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-21}
cli="$(cd "$build/bin" && pwd)/orvane-cli"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

python3 - "$cli" "$dir" "$runs" <<'PY'
import struct, subprocess, sys, time
cli, dir, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
bank = dir + "/big.94b"

# 16,384 instruments over every program and 128 variations, and 128 drum sets.
def entries(n):
    return b"".join(struct.pack("<HB3s", i % 128, (i // 128) % 128, b"\x11\x22\x33") for i in range(n))
imap = entries(16384) + b"\xff\xff" + entries(128) + b"\xff\xff"
with open(bank, "wb") as f:
    f.write(b"PRIO" + struct.pack("<I", 10) + b"BigBank\0" + struct.pack("<H", 1))
    f.write(b"IMAP" + struct.pack("<I", len(imap)) + imap)

def once(argv):
    start = time.perf_counter()
    subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start

info = [cli, "info", "--json", bank]
tour = [cli, "tour", "-o", dir + "/tour.mid", bank]
for _ in range(3):  # page cache warm, programs loaded
    once(info)
    once(tour)
infos, tours = [], []
for _ in range(runs):
    infos.append(once(info))
    tours.append(once(tour))
med = lambda xs: sorted(xs)[len(xs) // 2]
i, t = med(infos), med(tours)
print(f"bank: 16,512 entries; median of {runs} runs each, alternating")
print(f"orvane-cli info --json   {i * 1000:7.1f} ms")
print(f"orvane-cli tour -o FILE  {t * 1000:7.1f} ms")
print(f"ratio tour / info        {t / i:7.2f}")
PY
