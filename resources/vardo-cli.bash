# Bash completion of vardo-cli: commands, global and command options, report kinds, files and folders.
# Every list comes from the program being completed (vardo-cli --commands, --options [COMMAND],
# --arguments COMMAND, --report-kinds), so it follows the table the program dispatches on.

# Completes the word `cur` as a value of the placeholder $1 ("FILE", "DIR", "KIND", ...) of program $2.
_vardo_cli_value() {
    local placeholder=$1 program=$2
    case $placeholder in
    FILE | PATH)
        if declare -F _filedir >/dev/null; then
            _filedir
        else
            compopt -o filenames 2>/dev/null
            mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -- "$cur")
        fi
        ;;
    DIR | FOLDER)
        if declare -F _filedir >/dev/null; then
            _filedir -d
        else
            compopt -o filenames 2>/dev/null
            mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -d -- "$cur")
        fi
        ;;
    KIND)
        local kinds
        kinds=$("$program" --report-kinds 2>/dev/null | cut -f1)
        mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -W "$kinds" -- "$cur")
        ;;
    COMMAND)
        local commands
        commands=$("$program" --commands 2>/dev/null)
        mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -W "$commands" -- "$cur")
        ;;
    *[a-z]*)
        # A literal word of the usage, such as "outline".
        mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -W "$placeholder" -- "$cur")
        ;;
    esac
}

# Prints the placeholder of option $1 among the lines "--name [PLACEHOLDER]" of $2; nothing for a flag; fails when
# the option is not there.
_vardo_cli_option_value() {
    local line
    while IFS= read -r line; do
        if [[ ${line%% *} == "$1" ]]; then
            [[ $line == *" "* ]] && printf '%s\n' "${line#* }"
            return 0
        fi
    done <<<"$2"
    return 1
}

_vardo_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local program=${COMP_WORDS[0]}
    # A program typed as ~/... is not expanded in COMP_WORDS.
    # shellcheck disable=SC2088
    [[ $program == "~/"* ]] && program=$HOME/${program#"~/"}
    COMPREPLY=()

    local globals commandOptions="" arguments="" command="" pending="" positional=0 word i value
    globals=$("$program" --options 2>/dev/null) || return 0
    # Read what is already typed: the command, the positional words after it, and an option awaiting its value.
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ -n $pending ]]; then
            pending=""
        elif [[ $word == -* ]]; then
            if value=$(_vardo_cli_option_value "$word" "$commandOptions") ||
                value=$(_vardo_cli_option_value "$word" "$globals"); then
                pending=$value
            fi
        elif [[ -z $command ]]; then
            command=$word
            commandOptions=$("$program" --options "$command" 2>/dev/null)
            arguments=$("$program" --arguments "$command" 2>/dev/null)
        else
            positional=$((positional + 1))
        fi
    done

    if [[ -n $pending ]]; then
        _vardo_cli_value "$pending" "$program"
        return 0
    fi
    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W "$(cut -d' ' -f1 <<<"$globals")" -- "$cur")
        else
            _vardo_cli_value COMMAND "$program"
        fi
        return 0
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(cut -d' ' -f1 <<<"$commandOptions")" -- "$cur")
        return 0
    fi
    # The positional word: the literal words or placeholders of its slot in the usage, alternatives split at '|'.
    local slots alternatives alternative
    mapfile -t slots <<<"$arguments"
    IFS='|' read -r -a alternatives <<<"${slots[positional]:-}"
    for alternative in "${alternatives[@]}"; do
        _vardo_cli_value "$alternative" "$program"
    done
    return 0
}

complete -F _vardo_cli vardo-cli
