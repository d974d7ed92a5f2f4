#!/bin/sh
# `make run`: opens the example bank in the desktop program when a display is available;
# without one it says so and renders the mapping page with the command-line tool instead.
set -e
build=${1:-build}
bank=examples/demo.94b

if { [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; } && [ -x "$build/bin/orvane" ]; then
    echo "Opening $bank in Orvane"
    exec "$build/bin/orvane" "$bank"
fi

if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): rendering the page with the command-line tool."
else
    echo "The desktop program was not built: rendering the page with the command-line tool."
fi
page="$build/demo-midimap.html"
"$build/bin/orvane-cli" map "$bank" -o "$page"
echo "Mapping page of $bank: $(cd "$(dirname "$page")" && pwd)/$(basename "$page")"
echo
"$build/bin/orvane-cli" info "$bank"
