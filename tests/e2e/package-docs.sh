#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual page and the completions keep up with the program: every command
# velnora-cli --help lists, and every option each command's --help names,
# appears in velnora-cli(1) and is offered by the bash and fish completions of
# that command; every command and option velnora --help lists is offered by
# velnora's own completions.
#   package-docs.sh VELNORA_CLI MAN_SOURCE COMPLETIONS_FOLDER VELNORA
cli=$1
page=$2
completions=$3
velnora=$4
source "$(dirname "$0")/common.sh"

# shellcheck source=/dev/null
source "$completions/velnora-cli.bash"
offered() { # words...: what bash offers for them plus a word being typed
  COMP_WORDS=(velnora-cli "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _velnora_cli
  printf '%s\n' "${COMPREPLY[@]}"
}

# The commands: the words at the start of the indented lines of the usage.
mapfile -t commands < <("$cli" --help | sed -n 's/^  \([a-z][a-z]*\)  .*/\1/p')
((${#commands[@]} >= 7)) || fail "velnora-cli --help lists ${#commands[@]} commands"
for command in "${commands[@]}"; do
  grep -q "^## $command\b" "$page" || fail "velnora-cli(1) has no section on $command"
  # Matched in a variable: with pipefail, grep -q ending the pipe early would
  # fail it whenever printf was still writing.
  grep -qx "$command" <<<"$(offered "")" || fail "bash does not offer the command $command"
  if ! usage=$("$cli" "$command" --help); then
    fail "velnora-cli $command --help failed"
    continue
  fi
  # -x, and --long-option, wherever the usage names them.
  mapfile -t options < <(grep -oE -- '(^|[^a-z0-9-])(--[a-z][a-z-]*[a-z]|-[a-z])\b' <<<"$usage" |
    grep -oE -- '-.*' | sort -u)
  bash_offers=$(offered "$command" -)
  fish_offers=
  if command -v fish >/dev/null; then
    fish_offers=$(fish -N -c "source '$completions/velnora-cli.fish'; complete -C'velnora-cli $command -'" |
      cut -f1)
  fi
  for option in "${options[@]}"; do
    grep -qF -- "*$option*" "$page" || fail "velnora-cli(1) does not name $command's $option"
    grep -qx -- "$option" <<<"$bash_offers" || fail "bash does not offer $command's $option"
    if command -v fish >/dev/null; then
      grep -qx -- "$option" <<<"$fish_offers" || fail "fish does not offer $command's $option"
    fi
  done
done

# velnora's words: those of its usage line, as bash and fish offer them first.
source "$completions/velnora.bash"
COMP_WORDS=(velnora "")
COMP_CWORD=1
_velnora
bash_offers=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
usage=$("$velnora" --help | sed -n 's/^Usage: velnora \[\(.*\)\]$/\1/p' | tr -d ' ' | tr '|' '\n' | sort)
[[ -n $usage && $bash_offers == "$usage" ]] || fail "bash offers for velnora: $bash_offers"
if command -v fish >/dev/null; then
  fish_offers=$(fish -N -c "source '$completions/velnora.fish'; complete -C'velnora '; complete -C'velnora --'" |
    cut -f1 | sort)
  [[ $fish_offers == "$usage" ]] || fail "fish offers for velnora: $fish_offers"
fi

finish "velnora-cli(1) and the completions name every command and option of velnora and velnora-cli"
