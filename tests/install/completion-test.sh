#!/usr/bin/env bash
# Drives the bash completion of vardo-cli as bash would (COMP_WORDS, COMP_CWORD) and checks what it offers, once on
# its own and once with the bash-completion helpers loaded when they are installed.
# Usage: completion-test.sh VARDO_CLI COMPLETION_SCRIPT
set -uo pipefail
program=$(realpath "$1")
script=$(realpath "$2")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/cwd/zbor" "$work/cwd/zapas"
ln -s "$program" "$work/bin/vardo-cli"
touch "$work/cwd/zestawienie.pdf" "$work/cwd/zbor/plik.txt"
export PATH="$work/bin:$PATH"
cd "$work/cwd" || exit 1

failures=0

# Prints, sorted, what completing the last of the given words offers.
offers() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _vardo_cli vardo-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    if ((${#COMPREPLY[@]})); then
        printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
    fi
}

# check NAME EXPECTED WORDS...: EXPECTED is newline-separated.
check() {
    local name=$1 expected=$2
    shift 2
    local actual
    actual=$(offers "$@")
    expected=$(printf '%s' "$expected" | sed '/^$/d' | LC_ALL=C sort)
    if [[ $actual != "$expected" ]]; then
        echo "FAIL [$mode] $name: completing '$*'"
        diff <(echo "$expected") <(echo "$actual") | sed 's/^/    /'
        failures=$((failures + 1))
    fi
}

# check_has NAME ITEM WORDS...: ITEM is among the offers.
check_has() {
    local name=$1 item=$2
    shift 2
    if ! offers "$@" | grep -qxF -- "$item"; then
        echo "FAIL [$mode] $name: completing '$*' does not offer '$item'"
        failures=$((failures + 1))
    fi
}

run_cases() {
    local commands kinds
    commands=$(vardo-cli --commands)
    kinds=$(vardo-cli --report-kinds | cut -f1)
    [[ -n $commands && $commands == *report* && $commands == *list* ]] || {
        echo "FAIL [$mode] vardo-cli --commands lists no commands"
        failures=$((failures + 1))
    }
    [[ $kinds == *phone-group* ]] || {
        echo "FAIL [$mode] vardo-cli --report-kinds lacks phone-group"
        failures=$((failures + 1))
    }

    # Commands, also after global options with their values.
    check "every command" "$commands" vardo-cli ""
    check "commands by prefix" "$(grep '^re' <<<"$commands")" vardo-cli re
    check_has "commands by prefix" report vardo-cli re
    check "after --today and its value" "list" vardo-cli --today 2024-03-15 li
    check "after --data and its value" "$(grep '^d' <<<"$commands")" vardo-cli --data zbor d

    # Global options and their values.
    check_has "global options" --data vardo-cli --
    check_has "global options" --version vardo-cli --
    check "global options by prefix" "--today" vardo-cli --to
    check "--data takes a folder" $'zapas\nzbor' vardo-cli --data ""
    check "--today takes a date, nothing to offer" "" vardo-cli --today ""

    # The options of a command, and the values they take.
    check "report options" $'--dpi\n--filter\n--group\n--letter\n--pdf\n--png' vardo-cli report phone --
    check "report options by prefix" $'--pdf\n--png' vardo-cli --data zbor report phone-group --group 2 --p
    check "--pdf takes a file" $'zapas\nzbor\nzestawienie.pdf' vardo-cli report phone --pdf ""
    check "--png takes a folder" $'zapas\nzbor' vardo-cli report phone --png z
    check "--group takes a number, nothing to offer" "" vardo-cli report phone-group --group ""
    check "global options by prefix" $'--password\n--past' vardo-cli --p
    check "a command without options offers none" "" vardo-cli resave --
    check "a value is not taken for a command" "" vardo-cli list --password ""

    # Positional words: report kinds, literal words, files and folders.
    check "report kinds" "$kinds" vardo-cli report ""
    check "report kinds by prefix" "$(grep '^phone' <<<"$kinds")" vardo-cli report phone
    check_has "report kinds by prefix" phone-email-group vardo-cli report phone-e
    check "report kind after an option" "$(grep '^contact' <<<"$kinds")" vardo-cli report --pdf x.pdf contact
    check "only one kind" "" vardo-cli report phone ""
    check "xml takes a literal word" "outline" vardo-cli xml ""
    check "then a file" $'zapas\nzbor\nzestawienie.pdf' vardo-cli xml outline ""
    check "demo takes a folder" $'zapas\nzbor' vardo-cli demo ""
    check "a command without arguments" "" vardo-cli info ""
    check "an unknown command" "" vardo-cli nonsense ""
}

# shellcheck source=/dev/null
source "$script"
mode="alone"
run_cases
modes=$mode

if [[ -r /usr/share/bash-completion/bash_completion ]]; then
    # shellcheck source=/dev/null
    source /usr/share/bash-completion/bash_completion
    # shellcheck source=/dev/null
    source "$script"
    if declare -F _filedir >/dev/null; then
        mode="bash-completion"
        run_cases
        modes+=", $mode"
    fi
fi

if ((failures)); then
    echo "$failures completion check(s) failed"
    exit 1
fi
echo "completion checks passed ($modes)"
