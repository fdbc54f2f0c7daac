# SPDX-License-Identifier: GPL-3.0-or-later
# Bash completion for velnora-cli: the commands, each command's options, the
# values of the options that take a fixed set of words, and file names where a
# file is asked for. Needs nothing from the bash-completion package, so that
# sourcing it alone is enough.

_velnora_cli_commands="today convert month stretch render settings ini holidays"
_velnora_cli_colours="black white red green blue yellow cyan magenta gray grey orange purple brown navy silver"

# The options of one command.
_velnora_cli_options() {
    case $1 in
    today) echo "--calendar --format --persian-digits --month-names -h --help" ;;
    convert)
        echo "--calendar -j --persian -g --gregorian --format --persian-digits --month-names" \
            "-h --help"
        ;;
    month) echo "--tsv --persian-digits --calendar --month-names -h --help" ;;
    holidays) echo "--tsv --calendar -h --help" ;;
    render)
        echo "--source --date --size --corner --dx --dy --no-prev --no-next --text-colour" \
            "--today-colour --holiday-colour --outline --scale --other-dates --calendar" \
            "--month-names --proportions --screen --shown-as -h --help"
        ;;
    stretch) echo "--proportions -h --help" ;;
    settings | ini) echo "-h --help" ;;
    esac
}

# The options that take a value, which is the next word (or follows "=").
_velnora_cli_takes_value() {
    case $1 in
    --calendar | --format | --source | --date | --size | --corner | --dx | --dy | \
        --text-colour | --today-colour | --holiday-colour | --outline | --scale | --other-dates | \
        --month-names | --proportions | --screen | --shown-as)
        return 0
        ;;
    esac
    return 1
}

# Sets COMPREPLY to the words of $1 that begin with $2.
_velnora_cli_words() {
    local IFS=$' \t\n'
    mapfile -t COMPREPLY < <(compgen -W "$1" -- "$2")
}

_velnora_cli_files() {
    local IFS=$'\n'
    mapfile -t COMPREPLY < <(compgen -f -- "$1")
    compopt -o filenames 2>/dev/null
}

# The values an option takes.
_velnora_cli_values() { # option current-word
    case $1 in
    --calendar) _velnora_cli_words "arithmetic official" "$2" ;;
    --dx | --dy) _velnora_cli_words "0 10 20 30 40 50 60 70 80 90 100" "$2" ;;
    --corner) _velnora_cli_words "top-right bottom-right bottom-left top-left" "$2" ;;
    --source) _velnora_cli_files "$2" ;;
    --text-colour | --today-colour) _velnora_cli_words "$_velnora_cli_colours" "$2" ;;
    --holiday-colour) _velnora_cli_words "none $_velnora_cli_colours" "$2" ;;
    --outline) _velnora_cli_words "none auto $_velnora_cli_colours" "$2" ;;
    --scale) _velnora_cli_words "auto 100 125 150 175 200 250 300 400" "$2" ;;
    --other-dates) _velnora_cli_words "none gregorian gregorian-lunar" "$2" ;;
    --month-names) _velnora_cli_words "iranian dari" "$2" ;;
    --proportions) _velnora_cli_words "keep exact" "$2" ;;
    --shown-as) _velnora_cli_words "zoom fit centre stretch top-left" "$2" ;;
    *) COMPREPLY=() ;;
    esac
}

_velnora_cli() {
    COMPREPLY=()
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    if ((COMP_CWORD == 1)); then
        _velnora_cli_words "$_velnora_cli_commands --help --version" "$cur"
        return 0
    fi
    local command=${COMP_WORDS[1]}
    # --option=value: bash splits the "=" off into a word of its own.
    if [[ $cur == = ]]; then
        _velnora_cli_values "$prev" ""
        return 0
    fi
    if [[ $prev == = ]] && ((COMP_CWORD >= 3)); then
        _velnora_cli_values "${COMP_WORDS[COMP_CWORD - 2]}" "$cur"
        return 0
    fi
    if _velnora_cli_takes_value "$prev"; then
        _velnora_cli_values "$prev" "$cur"
        return 0
    fi
    # Operands: count those before the current word, skipping option values;
    # after "--" every word is one.
    local i operands=0 options_end=0 word
    for ((i = 2; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if ((options_end)); then
            operands=$((operands + 1))
        elif [[ $word == -- ]]; then
            options_end=1
        elif [[ $word == = ]]; then
            i=$((i + 1))
        elif _velnora_cli_takes_value "$word"; then
            [[ ${COMP_WORDS[i + 1]} == = ]] || i=$((i + 1))
        elif [[ $word != -* ]]; then
            operands=$((operands + 1))
        fi
    done
    if ((!options_end)) && [[ $cur == -* ]]; then
        _velnora_cli_words "$(_velnora_cli_options "$command")" "$cur"
        return 0
    fi
    case $command in
    # stretch IN OUT WIDTH HEIGHT; render OUT; settings FILE; ini FILE SECTION KEY
    stretch) ((operands < 2)) && _velnora_cli_files "$cur" ;;
    render | settings | ini) ((operands < 1)) && _velnora_cli_files "$cur" ;;
    esac
    return 0
}

complete -F _velnora_cli velnora-cli
