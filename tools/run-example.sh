#!/bin/sh
# `make run`: renders the example bank's mapping page with the command-line tool and prints
# where it is and the mapping table.
set -e
build=${1:-build}
bank=examples/demo.94b
page="$build/demo-midimap.html"
"$build/bin/orvane-cli" map "$bank" -o "$page"
echo "Mapping page of $bank: $(cd "$(dirname "$page")" && pwd)/$(basename "$page")"
echo
"$build/bin/orvane-cli" info "$bank"
