#!/bin/sh
# Makes a program's manual page with help2man from its --help. When that help lists commands
# (orvane-cli), each command's "PROGRAM COMMAND --help" becomes a section of its own, so new
# commands and options reach the page without anyone writing it.
# Usage: make-manpage.sh PROGRAM VERSION NAME-LINE INCLUDE OUTPUT.gz
set -eu
here=$(dirname "$0")
program=$1 version=$2 name=$3 include=$4 out=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commands=$("$program" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } on && /^$/ { on = 0 }')
set -- --include="$include"
if [ -n "$commands" ]; then
    set -- --include="$work/commands.h2m" "$@"
    echo "[COMMANDS]" >"$work/commands.h2m"
    for command in $commands; do
        "$program" "$command" --help | awk -v cmd="$command" -f "$here/help2roff.awk" >>"$work/commands.h2m"
    done
fi
# Commands that keep an undo journal name its directory.
case " $(echo $commands) " in
*" history "* | *" undo "*)
    set -- "$@" --include="$work/journal.h2m"
    cat >"$work/journal.h2m" <<'FILES'
[FILES]
.TP
.I $XDG_STATE_HOME/orvane/
the journal of the changes \fBorvane\-cli\fR made to banks, which \fBhistory\fR, \fBundo\fR and
\fBredo\fR read (default \fI~/.local/state/orvane/\fR)
FILES
    ;;
esac

help2man --no-info --version-string="$version" --name="$name" \
    "$@" --output="$work/page.1" "$program"
gzip -9n <"$work/page.1" >"$work/page.1.gz"
mv "$work/page.1.gz" "$out"
