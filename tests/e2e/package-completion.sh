#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velnora-cli's shell completions: bash offers what a user pressing Tab would
# see (commands, options of the command, corner and rule names, file names
# where a file is asked for); the zsh and fish scripts parse.
#   package-completion.sh COMPLETIONS_FOLDER
folder=$1
source "$(dirname "$0")/common.sh"

# shellcheck source=/dev/null
source "$folder/velnora-cli.bash"
complete -p velnora-cli >/dev/null || fail "bash: no completion registered for velnora-cli"

# The words bash offers for the command line $@, whose last word is the one
# being completed (bash splits "--option=value" at "=" into three words).
offers() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _velnora_cli
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

touch "$work/photo.jpg" "$work/photo.png"
while IFS='|' read -r line expected; do
  read -ra words <<<"$line"
  [[ $line == *' ' ]] && words+=("")
  said=$(offers velnora-cli "${words[@]}")
  [[ $said == "$expected" ]] || fail "bash: velnora-cli $line<Tab> offers '$said', not '$expected'"
done <<EOF
 |--help --version convert holidays ini month render settings stretch today
co|convert
render out.bmp --corner |bottom-left bottom-right top-left top-right
render out.bmp --corner = bottom|bottom-left bottom-right
month --calendar |arithmetic official
today --calendar = o|official
convert --p|--persian --persian-digits
month -|--calendar --help --month-names --persian-digits --tsv -h
convert --month-names |dari iranian
render out.bmp --no-|--no-next --no-prev
render out.bmp --source $work/photo.|$work/photo.jpg $work/photo.png
stretch $work/photo.j|$work/photo.jpg
stretch a.jpg b.bmp |
stretch a.jpg b.bmp 9 9 --proportions |exact keep
today |
EOF

if command -v zsh >/dev/null; then
  for script in _velnora-cli _velnora; do
    zsh -n "$folder/$script" || fail "zsh: $script does not parse"
  done
fi
if command -v fish >/dev/null; then
  fish -n "$folder/velnora-cli.fish" || fail "fish: velnora-cli.fish does not parse"
  said=$(fish -N -c "source '$folder/velnora-cli.fish'; complete -C'velnora-cli render x --corner '" |
    cut -f1 | sort | tr '\n' ' ')
  [[ $said == "bottom-left bottom-right top-left top-right " ]] ||
    fail "fish: the corners offered are '$said'"
fi

finish "completions: bash offers commands, options, values and files; zsh and fish parse"
