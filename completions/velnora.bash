# SPDX-License-Identifier: GPL-3.0-or-later
# Bash completion for velnora: its commands and options (velnora --help).
_velnora() {
    COMPREPLY=()
    ((COMP_CWORD == 1)) || return 0
    local IFS=$' \t\n'
    mapfile -t COMPREPLY < <(compgen -W "start refresh off --help --version" -- "${COMP_WORDS[1]}")
}
complete -F _velnora velnora
