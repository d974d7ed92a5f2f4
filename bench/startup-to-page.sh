#!/bin/sh
# Cold start of the desktop program to the mapping page on screen, measured under Xvfb: the time
# from launching `orvane <bank>` until its window titled "<bank> - Vorn Orvane" is mapped (the
# window is shown only after the page has been rendered and loaded). Prints each run and the
# median. Usage: bench/startup-to-page.sh [build-dir] [bank] [runs]
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
bank=${2:-examples/demo.94b}
runs=${3:-7}
program="$(cd "$build/bin" && pwd)/orvane"
bank="$(cd "$(dirname "$bank")" && pwd)/$(basename "$bank")"

measure() {
python3 - "$program" "$bank" "$runs" <<'PY'
import os, subprocess, sys, time
program, bank, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
title = os.path.basename(bank) + " - Vorn Orvane"
times = []
for _ in range(runs):
    start = time.monotonic()
    proc = subprocess.Popen([program, bank], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while True:
        out = subprocess.run(["xwininfo", "-name", title], capture_output=True, text=True).stdout
        if "IsViewable" in out:
            break
        if time.monotonic() - start > 20:
            sys.exit("the window did not appear")
        time.sleep(0.002)
    times.append(time.monotonic() - start)
    proc.terminate()
    proc.wait()
for t in times:
    print(f"  {t * 1000:.0f} ms")
times.sort()
print(f"median cold start to the mapping page: {times[len(times) // 2] * 1000:.0f} ms over {runs} runs")
PY
}

if [ -z "$DISPLAY" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$build" "$bank" "$runs"
fi
measure
