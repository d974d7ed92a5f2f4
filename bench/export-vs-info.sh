#!/bin/sh
# `orvane-cli export --format midnam` against `orvane-cli info --json` on the same bank of 16,384
# entries (every program 0-127 at every variation 0-127), timed alternately in the same run.
# Prints the median of each and their ratio. Usage: bench/export-vs-info.sh [build-dir] [runs]
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-21}
cli="$(cd "$build/bin" && pwd)/orvane-cli"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

python3 - "$cli" "$dir/full.94b" "$runs" <<'PY'
import struct, subprocess, sys, time
cli, bank, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])

entries = b"".join(struct.pack("<HB3s", p, v, b"\x11\x22\x33") for v in range(128) for p in range(128))
data = b"PRIO" + struct.pack("<I", 10) + b"FullBank" + struct.pack("<H", 1)
data += b"IMAP" + struct.pack("<I", len(entries) + 4) + entries + b"\xff\xff" + b"\xff\xff"
with open(bank, "wb") as f:
    f.write(data)

def once(argv):
    start = time.perf_counter()
    subprocess.run(argv, stdout=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start

info = [cli, "info", "--json", bank]
export = [cli, "export", "--format", "midnam", bank]
for _ in range(3):  # page cache warm, programs loaded
    once(info)
    once(export)
infos, exports = [], []
for _ in range(runs):
    infos.append(once(info))
    exports.append(once(export))
med = lambda xs: sorted(xs)[len(xs) // 2]
i, e = med(infos), med(exports)
print(f"bank: 16,384 entries; median of {runs} runs each, alternating")
print(f"orvane-cli info --json       {i * 1000:7.1f} ms")
print(f"orvane-cli export midnam     {e * 1000:7.1f} ms")
print(f"ratio export / info          {e / i:7.2f}")
PY
