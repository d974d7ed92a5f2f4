#!/bin/bash
# Tab completion of orvane-cli as bash-completion runs it: commands, each command's options,
# files for options that take one, and .94b banks and directories as operands.
# Usage: completion-test.sh ORVANE-CLI COMPLETION-FILE
set -u
export LC_ALL=C
cli=$1
completion=$2
main=/usr/share/bash-completion/bash_completion
if [ ! -r "$main" ]; then
    echo "bash-completion is not installed; skipped"
    exit 0
fi
# shellcheck disable=SC1090
. "$main"
# shellcheck disable=SC1090
. "$completion"

failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir banks
touch demo.94b other.94b notes.txt page.html archive.zip

# Completes the line (the cursor at its end) and prints the sorted candidates on one line.
complete_line() {
    COMP_LINE=$1
    COMP_POINT=${#COMP_LINE}
    read -r -a COMP_WORDS <<<"$COMP_LINE"
    [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _orvane_cli orvane-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

expect() {
    local got
    got=$(complete_line "$1")
    if [ "$got" != "$2" ]; then
        echo "FAIL: '$1' completes to '$got', expected '$2'"
        failures=$((failures + 1))
    fi
}

# Every command the tool lists, and only those.
commands=$("$cli" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } on && /^$/ { on = 0 }' | sort | tr '\n' ' ')
expect "orvane-cli " "--help ${commands% }"
expect "orvane-cli ma" "map"
# Each command's options as its help lists them.
for command in $commands; do
    for option in $("$cli" "$command" --help | awk '/^ +-/ { sub(/^ +/, ""); sub(/   .*/, ""); gsub(/,/, " "); for (i = 1; i <= NF; i++) if ($i ~ /^-/) print $i }'); do
        got=$(complete_line "orvane-cli $command $option")
        case " $got " in *" $option "*) ;; *)
            echo "FAIL: '$command $option' does not complete to itself (got '$got')"
            failures=$((failures + 1)) ;;
        esac
    done
done
expect "orvane-cli info --j" "--json"
expect "orvane-cli map --te" "--template --text-color"
# Operands: banks and directories; after a file option any file; after a directory option directories.
expect "orvane-cli info " "banks demo.94b other.94b"
expect "orvane-cli map demo.94b --template " "archive.zip banks demo.94b notes.txt other.94b page.html"
expect "orvane-cli map demo.94b -d " "banks"
expect "orvane-cli map demo.94b --text-color " ""
# An archive operand is a bank or a ZIP archive.
expect "orvane-cli zip demo.94b " "archive.zip banks demo.94b other.94b"
# After "--" every word is an operand, even one that begins with a dash.
expect "orvane-cli info -- " "banks demo.94b other.94b"

if [ "$failures" -ne 0 ]; then
    echo "$failures completion checks failed"
    exit 1
fi
echo "completion checks passed"
