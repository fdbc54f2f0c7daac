# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts share: a work folder and an X server that go
# away when the script ends, and the count of failures. Sourced.
set -euo pipefail
work=$(mktemp -d)
xvfb=
cleanup() {
  if [[ -n $xvfb ]]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL [$case]: $*" >&2; failures=$((failures + 1)); }

# An X server of $2 (640x480 when not given) on the first free display number
# from $1 up, in $display.
# -noreset: a session's window manager stays connected, so the server keeps the
# root picture when a program disconnects; without it Xvfb would reset then.
start_xvfb() { # first-display-number [WIDTHxHEIGHT]
  display=$1
  local size=${2:-640x480}
  while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done
}

# A fresh user: HOME and every XDG folder, exported for what the script runs
# next, and a program folder of its own holding a copy of $program, so its
# settings file and output picture lie beside it.
new_user() { # case-name
  case=$1
  root=$work/$case
  home=$root/home
  folder=$root/program
  mkdir -p "$home" "$folder"
  chmod 700 "$root" # the run-time folder XDG_RUNTIME_DIR points at
  export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_CACHE_HOME=$home/.cache XDG_STATE_HOME=$home/.local/state XDG_RUNTIME_DIR=$root
  cp "$program" "$folder/velnora"
  settings=$folder/velnora.INI
  output=$folder/Velnora.bmp
}

# Every file a run may write, with its time and size: the program's folder
# and the user's own velnora folders (the backup, the record, root captures).
wallpaper_files() {
  { find "$folder" "$home/.config/velnora" "$home/.local/share/velnora" "$home/.local/state/velnora" \
    -type f -printf '%p %T@ %s\n' 2>/dev/null || true; } | sort
}

finish() { # what passed
  if ((failures > 0)); then
    echo "$failures failure(s)" >&2
    exit 1
  fi
  echo "$1"
}
