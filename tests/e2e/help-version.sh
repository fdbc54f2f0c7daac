#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "velnora --help" and "velnora --version" answer and end with status 0 with no
# display at all, and touch no file: not in HOME, not beside the program (where
# a copy run from its own folder keeps its settings and picture).
#   help-version.sh PATH_TO_VELNORA VERSION
program=$1
version=$2
source "$(dirname "$0")/common.sh"

for argument in --help --version; do
  new_user "$argument"
  status=0
  env -i PATH="$PATH" HOME="$home" timeout 30 "$folder/velnora" "$argument" \
    >"$root/out" 2>"$root/err" || status=$?
  ((status == 0)) || fail "exit status $status: $(cat "$root/err")"
  [[ ! -s $root/err ]] || fail "wrote to standard error: $(cat "$root/err")"
  [[ -z $(ls -A "$home") ]] || fail "files in HOME: $(ls -A "$home")"
  [[ $(ls -A "$folder") == velnora ]] || fail "files beside the program: $(ls -A "$folder")"
  if [[ $argument == --version ]]; then
    [[ $(cat "$root/out") == "velnora $version" ]] || fail "printed '$(cat "$root/out")'"
  else
    grep -q '^Usage: velnora ' "$root/out" || fail "no usage line: $(cat "$root/out")"
    for word in start refresh off --version; do
      grep -q -- "$word" "$root/out" || fail "the usage does not name $word"
    done
  fi
done
finish "velnora --help and --version: printed, status 0, no file touched"
