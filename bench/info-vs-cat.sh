#!/bin/sh
# `orvane-cli info` on a 256 MiB bank whose chunks stand at its very end, against
# `cat bank > /dev/null`, both from a warm page cache and timed alternately in the same run.
# Prints the median of each and their ratio. Usage: bench/info-vs-cat.sh [build-dir] [runs] [MiB]
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-21}
mib=${3:-256}
cli="$(cd "$build/bin" && pwd)/orvane-cli"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

python3 - "$cli" "$dir/big.94b" "$runs" "$mib" <<'PY'
import os, struct, subprocess, sys, time
cli, bank, runs, mib = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])

# Random sample bytes, with every chance identifier broken (an ASCII letter with its top bit set
# is no letter), then the priority and mapping chunks.
data = bytearray(os.urandom(mib << 20))
for ident in (b"PRIO", b"TTPR", b"IMAP", b"TTIM", b"TTMA"):
    at = data.find(ident)
    while at >= 0:
        data[at] ^= 0x80
        at = data.find(ident, at)
entries = b"".join(struct.pack("<HB3s", p, 0, b"\x11\x22\x33") for p in range(128))
data += b"PRIO" + struct.pack("<I", 10) + b"BigBank\0" + struct.pack("<H", 1)
data += b"IMAP" + struct.pack("<I", len(entries) + 4) + entries + b"\xff\xff" + b"\xff\xff"
with open(bank, "wb") as f:
    f.write(data)

def once(argv):
    start = time.perf_counter()
    subprocess.run(argv, stdout=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start

cat = ["cat", bank]
info = [cli, "info", bank]
for _ in range(3):  # page cache warm, programs loaded
    once(cat)
    once(info)
cats, infos = [], []
for _ in range(runs):
    cats.append(once(cat))
    infos.append(once(info))
med = lambda xs: sorted(xs)[len(xs) // 2]
c, i = med(cats), med(infos)
print(f"bank: {mib} MiB, chunks at the end; median of {runs} runs each, alternating")
print(f"cat bank > /dev/null     {c * 1000:7.1f} ms")
print(f"orvane-cli info bank     {i * 1000:7.1f} ms")
print(f"ratio info / cat         {i / c:7.2f}")
PY
