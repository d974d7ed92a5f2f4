# Turns one command's --help text into a manual-page subsection: the usage lines as a synopsis,
# paragraphs as text, "  -x VALUE   description" lines (with their indented continuation lines)
# as tagged paragraphs. Set cmd to the command's name.

# Text as roff prints it: backslashes, minus signs, and a leading dot or quote kept literal.
function esc(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    if (s ~ /^[.']/)
        s = "\\&" s
    return s
}

# "--template FILE" or "-o, --output FILE": option names in bold, placeholders in italics.
function term(s,    n, i, words, out, w) {
    n = split(s, words, " ")
    out = ""
    for (i = 1; i <= n; i++) {
        w = words[i]
        if (w ~ /^-/)
            w = "\\fB" esc(w) "\\fR"
        else
            w = "\\fI" esc(w) "\\fR"
        out = out (i > 1 ? " " : "") w
    }
    return out
}

BEGIN {
    printf ".SS %s\n", cmd
    state = "start"
}

/^Usage:/ {
    sub(/^Usage: */, "")
    print ".nf"
    print esc($0)
    state = "usage"
    next
}

state == "usage" && /^[ \t]+[^ \t]/ {
    sub(/^[ \t]+/, "")
    print "    " esc($0)
    next
}

/^[ \t]*$/ {
    if (state == "usage")
        print ".fi"
    state = "blank"
    next
}

# An option line: its names and placeholder, two or more spaces, its description.
/^ +-/ {
    line = $0
    sub(/^ +/, "", line)
    desc = ""
    if (match(line, /   */)) {
        desc = substr(line, RSTART + RLENGTH)
        line = substr(line, 1, RSTART - 1)
    }
    print ".TP"
    print term(line)
    if (desc != "")
        print esc(desc)
    state = "option"
    next
}

# Deeper indented lines carry on the option's description.
state == "option" && /^    / {
    line = $0
    sub(/^ +/, "", line)
    print esc(line)
    next
}

{
    if (state != "text")
        print ".PP"
    line = $0
    sub(/^ +/, "", line)
    print esc(line)
    state = "text"
}

END {
    if (state == "usage")
        print ".fi"
}
