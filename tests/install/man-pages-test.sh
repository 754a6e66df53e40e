#!/usr/bin/env bash
# Checks the manual pages made at build time: they format without a warning, their compressed copy is the same
# page, and vardo-cli(1) shows every entry of vardo-cli --help and every report kind.
# Usage: man-pages-test.sh VARDO_CLI MAN_DIR
set -uo pipefail
program=$1
dir=$2
failures=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# True when a line of standard input starts with the words $1 (the text of a short entry may follow on its line).
starts_line() {
    awk -v t="$1" '{
            sub(/^ /, "")
            if (index($0, t) == 1 && (length($0) == length(t) || substr($0, length(t) + 1, 1) == " "))
                found = 1
        }
        END { exit !found }'
}

# The page as text, one long line per paragraph so that nothing is broken or hyphenated.
render() {
    groff -man -Tascii -rLL=2000n -P-cbou "$1" 2>/dev/null | tr -s ' '
}

pages=("$dir/vardo-cli.1")
[[ -e $dir/vardo.1 ]] && pages+=("$dir/vardo.1")
for page in "${pages[@]}"; do
    [[ -s $page ]] || {
        fail "$page is missing"
        continue
    }
    warnings=$(groff -man -ww -z -Tutf8 "$page" 2>&1)
    [[ -z $warnings ]] || fail "$page: groff warns: $warnings"
    cmp -s "$page" <(gzip -dc "$page.gz") || fail "$page.gz is not the same page"
    text=$(render "$page")
    for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" "SEE ALSO"; do
        grep -qx "$heading" <<<"$text" || fail "$page has no section $heading"
    done
done

# Every entry of --help, its term and its text, is in the page; so is the synopsis.
page=$(render "$dir/vardo-cli.1")
help=$("$program" --help) || fail "vardo-cli --help failed"
synopsis=$(sed -n 's/^Usage: //p' <<<"$help")
grep -qF -- "$synopsis" <<<"$page" || fail "vardo-cli.1 lacks the synopsis '$synopsis'"
entries=0
term=""
while IFS= read -r line; do
    # "  TERM  TEXT", or "  TERM" alone with the text on the next line, indented deeper.
    if [[ $line =~ ^\ \ ([^ ].*[^ ])\ \ +([^ ].*)$ ]]; then
        term=${BASH_REMATCH[1]}
        text=${BASH_REMATCH[2]}
    elif [[ $line =~ ^\ \ ([^ ].*)$ ]]; then
        term=${BASH_REMATCH[1]}
        continue
    elif [[ -n $term && $line =~ ^\ \ \ +([^ ].*)$ ]]; then
        text=${BASH_REMATCH[1]}
    else
        term=""
        continue
    fi
    entries=$((entries + 1))
    starts_line "$term" <<<"$page" || fail "vardo-cli.1 lacks the entry '$term'"
    grep -qF -- "$text" <<<"$page" || fail "vardo-cli.1 lacks the text '$text'"
    term=""
done <<<"$help"
commands=$("$program" --commands | wc -l)
((entries >= commands + 4)) || fail "only $entries entries read from --help for $commands commands"
grep -q "^ *COMMANDS$" <<<"$page" || fail "vardo-cli.1 has no section COMMANDS"

# Every report kind, with its number.
while IFS=$'\t' read -r name number group; do
    if [[ -z $number ]]; then # drawn by name only
        grep -qE -- "^ *$name$" <<<"$page" || fail "vardo-cli.1 lacks the report kind $name"
        continue
    fi
    grep -qE -- "^ *$name $number( |$)" <<<"$page" || fail "vardo-cli.1 lacks the report kind $name ($number)"
    if [[ $group == group ]]; then
        grep -qE -- "^ *$name $number for one group: --group N" <<<"$page" || fail "vardo-cli.1: $name without --group"
    fi
done < <("$program" --report-kinds)

if ((failures)); then
    echo "$failures manual page check(s) failed"
    exit 1
fi
echo "manual page checks passed"
