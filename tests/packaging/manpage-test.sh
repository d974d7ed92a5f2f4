#!/bin/sh
# The manual pages hold every command and option the programs' --help texts name, and man reads
# them without a warning (as lintian checks them).
# Usage: manpage-test.sh ORVANE-CLI PAGE-DIRECTORY
set -u
cli=$1
pages=$2
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for page in orvane orvane-cli; do
    [ -s "$pages/$page.1.gz" ] || fail "$page.1.gz is missing"
done
text=$(zcat "$pages/orvane-cli.1.gz")
for command in $("$cli" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } on && /^$/ { on = 0 }'); do
    printf '%s\n' "$text" | grep -qx ".SS $command" || fail "orvane-cli(1) has no section for $command"
    for option in $("$cli" "$command" --help | awk '/^ +-/ { sub(/^ +/, ""); sub(/   .*/, ""); gsub(/,/, " "); for (i = 1; i <= NF; i++) if ($i ~ /^-/) print $i }'); do
        roff=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
        printf '%s\n' "$text" | grep -q "fB$roff\\\\fR" || fail "orvane-cli(1) does not describe $command $option"
    done
done
for section in "EXIT STATUS" FILES EXAMPLES; do
    printf '%s\n' "$text" | grep -qx "\.SH \"*$section\"*" || fail "orvane-cli(1) has no $section section"
done
# The examples use only commands and options the tool has.
printf '%s\n' "$text" | sed -n '/^\.SH EXAMPLES/,/^\.SH/p' | sed -n 's/^\.B orvane\\-cli //p' | sed 's/\\-/-/g' |
    while read -r command words; do
        help=$("$cli" "$command" --help 2>/dev/null) || { echo "FAIL: the example's command $command does not exist"; continue; }
        for word in $words; do
            case "$word" in
            -*) printf '%s\n' "$help" | grep -qw -- "$word" || echo "FAIL: the example's option $command $word does not exist" ;;
            esac
        done
    done | tee "$pages/examples-check.log"
[ -s "$pages/examples-check.log" ] && failures=$((failures + 1))
rm -f "$pages/examples-check.log"
if command -v man >/dev/null; then
    for page in orvane orvane-cli; do
        warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$pages/$page.1.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man warns about $page(1): $warnings"
    done
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures manual-page checks failed"
    exit 1
fi
echo "manual-page checks passed"
