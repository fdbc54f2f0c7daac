#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "velnora --help" and "velnora --version" answer and end with status 0 with no
# display at all, and touch no file: not in HOME, not beside the program (where
# a copy run from its own folder keeps its settings and picture). An option
# velnora does not have gets the usage on standard error and status 2, and
# runs nothing; a word runs the unattended run, which on a terminal says that
# it did nothing while the calendar is off.
#   help-version.sh PATH_TO_VELNORA VERSION
program=$1
version=$2
source "$(dirname "$0")/common.sh"

while read -r argument expected stream; do
  new_user "$argument"
  status=0
  env -i PATH="$PATH" HOME="$home" timeout 30 "$folder/velnora" "$argument" \
    >"$root/stdout" 2>"$root/stderr" || status=$?
  ((status == expected)) || fail "exit status $status: $(cat "$root/stderr")"
  other=stderr
  [[ $stream == stdout ]] || other=stdout
  [[ ! -s $root/$other ]] || fail "wrote to $other: $(cat "$root/$other")"
  [[ -z $(ls -A "$home") ]] || fail "files in HOME: $(ls -A "$home")"
  [[ $(ls -A "$folder") == velnora ]] || fail "files beside the program: $(ls -A "$folder")"
  if [[ $argument == --version ]]; then
    [[ $(cat "$root/stdout") == "velnora $version" ]] || fail "printed '$(cat "$root/stdout")'"
  else
    grep -q '^Usage: velnora ' "$root/$stream" || fail "no usage line: $(cat "$root/$stream")"
    for word in start refresh off --version; do
      grep -q -- "$word" "$root/$stream" || fail "the usage does not name $word"
    done
  fi
done <<EOF
--help 0 stdout
--version 0 stdout
-h 2 stderr
--verbose 2 stderr
-platform 2 stderr
EOF

# On a bare X server with no session bus: a desktop the run is sure of.
start_xvfb "${VELNORA_FIRST_DISPLAY:-95}"
for argument in start help; do
  new_user "$argument"
  said=$(env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$root" DISPLAY=":$display" timeout 30 script -qec "'$folder/velnora' $argument" /dev/null) ||
    fail "exit status $?"
  [[ ${said%$'\r'} == "velnora: the calendar is not on the desktop: nothing was redrawn" ]] ||
    fail "printed '$said' on a terminal"
done
finish "velnora --help, --version, mistyped options and words: as a user expects"
