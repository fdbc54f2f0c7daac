# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts share: a work folder, an X server and the
# processes named in $stop_at_exit, which go away when the script ends; the
# user's environment; and the count of failures. Sourced.
set -euo pipefail
work=$(mktemp -d)
xvfb=
stop_at_exit=
cleanup() {
  local pid
  for pid in $stop_at_exit $xvfb; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  # A test stopped half-way may leave a folder read-only.
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
case=
fail() { echo "FAIL${case:+ [$case]}: $*" >&2; failures=$((failures + 1)); }

# Keeps a screenshot for the documentation: with VELNORA_SCREENSHOTS naming a
# folder, the picture (of any format) is kept there as NAME.png, in at most
# 256 colours, undithered, to stay small; otherwise nothing is done.
keep_screenshot() { # name picture-file
  [[ -z ${VELNORA_SCREENSHOTS-} ]] || convert "$2" +dither -colors 256 "PNG8:$VELNORA_SCREENSHOTS/$1.png"
}

# How many pixels of two pictures differ, as a whole number.
differing() { # picture picture [compare's options]
  local count
  count=$(compare -metric AE "${@:3}" "$1" "$2" null: 2>&1 || true)
  printf '%.0f\n' "$count" 2>/dev/null || echo "$count" # ImageMagick writes millions as 2.1e+06
}

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
# next, and a program folder of its own holding a copy of $program (when the
# script names one), so its settings file and output picture lie beside it.
new_user() { # case-name
  case=$1
  root=$work/$case
  home=$root/home
  folder=$root/program
  mkdir -p "$home" "$folder"
  chmod 700 "$root" # the run-time folder XDG_RUNTIME_DIR points at
  export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_CACHE_HOME=$home/.cache XDG_STATE_HOME=$home/.local/state XDG_RUNTIME_DIR=$root
  if [[ -n ${program-} ]]; then cp "$program" "$folder/velnora"; fi
  settings=$folder/velnora.INI
  output=$folder/Velnora.bmp
}

# Runs a command in the user's bare X11 session (a window manager alone) on
# start_xvfb's server: no desktop named, no session bus (an address where none
# listens), Qt drawing on X.
in_bare_session() { # command...
  env -u XDG_CURRENT_DESKTOP -u WAYLAND_DISPLAY XDG_SESSION_TYPE=x11 DISPLAY=":$display" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$root/no-bus" QT_QPA_PLATFORM=xcb "$@"
}
# Runs a command as from cron or ssh: no display server at all, and Qt not told
# where to draw.
without_display() { # command...
  env -u XDG_CURRENT_DESKTOP -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u DISPLAY -u QT_QPA_PLATFORM "$@"
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
