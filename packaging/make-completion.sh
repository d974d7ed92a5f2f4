#!/bin/sh
# Writes the bash completion of orvane-cli from its own --help texts: the commands its --help
# lists, and for each command the options of its "orvane-cli COMMAND --help", with the kind of
# value an option takes read from its placeholder (FILE, PAGE, PATH, ARCHIVE: a file; DIR: a
# directory; anything else: nothing to offer). Operands are .94b files and directories.
# Usage: make-completion.sh ORVANE-CLI OUTPUT
set -eu
cli=$1
out=$2
tmp="$out.tmp"
trap 'rm -f "$tmp"' EXIT

commands=$("$cli" --help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } on && /^$/ { on = 0 }')
[ -n "$commands" ] || { echo "make-completion.sh: $cli --help lists no commands" >&2; exit 1; }

{
    cat <<'HEAD'
# bash completion for orvane-cli, made from its --help texts when it was built.
_orvane_cli()
{
    local cur prev words cword
    _init_completion || return

    local i command="" ends=0
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            break
        fi
    done
    for ((i = i + 1; i < cword; i++)); do
        [[ ${words[i]} == -- ]] && ends=1
    done
HEAD
    printf '    if [[ -z $command ]]; then\n'
    printf '        COMPREPLY=($(compgen -W "%s --help" -- "$cur"))\n' "$(echo $commands)"
    printf '        return\n    fi\n\n'
    printf '    local options="" files="" dirs="" values="" operands="94b"\n'
    printf '    case $command in\n'
    for command in $commands; do
        "$cli" "$command" --help | awk -v command="$command" '
            # Option lines: "  -o PAGE   text", "  --json   text", "  -o, --output FILE   text".
            /^ +-/ {
                line = $0
                sub(/^ +/, "", line)
                if (match(line, /   */))
                    line = substr(line, 1, RSTART - 1)
                n = split(line, w, /[ ,]+/)
                value = ""
                for (i = n; i >= 1; i--)
                    if (w[i] !~ /^-/) { value = w[i]; break }
                for (i = 1; i <= n; i++) {
                    if (w[i] !~ /^-/)
                        continue
                    names = names " " w[i]
                    if (value ~ /^(FILE|PAGE|PATH|ARCHIVE|CSV|TEMPLATE)$/)
                        files = files " " w[i]
                    else if (value ~ /^DIR/)
                        dirs = dirs " " w[i]
                    else if (value != "")
                        values = values " " w[i]
                }
            }
            /^Usage:/ && /ARCHIVE/ { operands = "@(94b|zip)" }
            END {
                printf "    %s)\n", command
                printf "        options=\"%s --help\"\n", substr(names, 2)
                printf "        files=\"%s\" dirs=\"%s\" values=\"%s\"\n", substr(files, 2), substr(dirs, 2), substr(values, 2)
                if (operands != "")
                    printf "        operands=\"%s\"\n", operands
                printf "        ;;\n"
            }'
    done
    cat <<'TAIL'
    *)
        return
        ;;
    esac

    if ((!ends)); then
        case " $files " in *" $prev "*) _filedir; return ;; esac
        case " $dirs " in *" $prev "*) _filedir -d; return ;; esac
        case " $values " in *" $prev "*) return ;; esac
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$options" -- "$cur"))
            return
        fi
    fi
    _filedir "$operands"
}
complete -F _orvane_cli orvane-cli
TAIL
} >"$tmp"
mv "$tmp" "$out"
trap - EXIT
