#!/bin/sh
# Cold start of the desktop program to the mapping page on screen, measured under Xvfb against a
# bare wx frame that shows one wxHtmlWindow with a small page (orvane-bareframe). Each start is
# timed from launch until its window is mapped: "<bank> - Vorn Orvane" for the program, which shows
# its window only after the page has been rendered and loaded. The two are started alternately in
# the same run; prints each run, the medians and their ratio. Both run with the same empty home
# directory, so that what other programs and test runs left in the user's home (GTK's list of
# recent files grows with every bank opened) does not weigh in.
# Usage: bench/startup-to-page.sh [build-dir] [bank] [runs]
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
bank=${2:-examples/demo.94b}
runs=${3:-7}
bin="$(cd "$build/bin" && pwd)"
bank="$(cd "$(dirname "$bank")" && pwd)/$(basename "$bank")"

measure() {
python3 - "$bin" "$bank" "$runs" <<'PY'
import os, subprocess, sys, tempfile, time
bin, bank, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
home = tempfile.TemporaryDirectory()
env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_")}
env["HOME"] = home.name
starts = [
    ("orvane", [os.path.join(bin, "orvane"), bank], os.path.basename(bank) + " - Vorn Orvane"),
    ("bare frame", [os.path.join(bin, "orvane-bareframe"), "Bare frame startup"], "Bare frame startup"),
]

def once(argv, title):
    start = time.monotonic()
    proc = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    while True:
        out = subprocess.run(["xwininfo", "-name", title], capture_output=True, text=True).stdout
        if "IsViewable" in out:
            break
        if time.monotonic() - start > 20 or proc.poll() is not None:
            proc.kill()
            sys.exit("the window \"%s\" did not appear: %s" % (title, proc.communicate()[1].decode(errors="replace")))
        time.sleep(0.005)
    elapsed = time.monotonic() - start
    proc.terminate()
    proc.communicate()
    return elapsed

times = {name: [] for name, _, _ in starts}
for _ in range(runs):
    for name, argv, title in starts:
        times[name].append(once(argv, title))
medians = {}
for name, _, _ in starts:
    ts = times[name]
    print(f"{name:12s}" + " ".join(f"{t * 1000:5.0f}" for t in ts) + " ms")
    medians[name] = sorted(ts)[len(ts) // 2]
print(f"median cold start to the mapping page: {medians['orvane'] * 1000:.0f} ms over {runs} runs")
print(f"median bare frame with a small page:   {medians['bare frame'] * 1000:.0f} ms")
print(f"ratio                                  {medians['orvane'] / medians['bare frame']:.2f}")
PY
}

# -noreset: the server must not reset when its last client leaves between two starts, or the
# next start may find no display to connect to.
if [ -z "$DISPLAY" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" sh "$0" "$build" "$bank" "$runs"
fi
measure
