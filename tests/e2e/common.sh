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
# from $1 up, in $display; its process in $xvfb.
# -noreset: a session's window manager stays connected, so the server keeps the
# root picture when a program disconnects; without it Xvfb would reset then.
start_xvfb() { # first-display-number [WIDTHxHEIGHT]
  local size=${2:-640x480}
  free_display "$1"
  Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb=$!
  wait_for_socket
}
# Xorg with the dummy driver instead (Xvfb has one output only), its outputs
# DUMMY0 and DUMMY1 set to two monitors: 1920x1080 at 0,0 and 1280x720 at
# 1920,0 (mode lines as cvt gives them). As root: only root's Xorg takes a
# configuration file from anywhere.
start_two_monitor_xorg() { # first-display-number
  free_display "$1"
  printf '%s\n' 'Section "Device"' 'Identifier "dummy"' 'Driver "dummy"' 'VideoRam 32768' 'EndSection' \
    'Section "Screen"' 'Identifier "screen"' 'Device "dummy"' 'DefaultDepth 24' 'SubSection "Display"' \
    'Virtual 3200 1080' 'EndSubSection' 'EndSection' >"$work/xorg.conf"
  Xorg ":$display" -config "$work/xorg.conf" -configdir "$work/no-xorg.conf.d" -logfile "$work/xorg.log" \
    -nolisten tcp -noreset -novtswitch -sharevts >/dev/null 2>&1 &
  xvfb=$!
  wait_for_socket
  export DISPLAY=:$display
  xrandr --newmode 1920x1080 173.00 1920 2048 2248 2576 1080 1083 1088 1120 -hsync +vsync
  xrandr --newmode 1280x720 74.50 1280 1344 1472 1664 720 723 728 748 -hsync +vsync
  xrandr --addmode DUMMY0 1920x1080 && xrandr --addmode DUMMY1 1280x720
  xrandr --fb 3200x1080 --output DUMMY0 --mode 1920x1080 --pos 0x0 --output DUMMY1 --mode 1280x720 --pos 1920x0
  # Listed once here: xfdesktop (GTK) started right after the outputs were set
  # saw the first one alone, for good, until some client had listed them.
  [[ $(xrandr --listmonitors | head -1) == "Monitors: 2" ]] || fail "$(xrandr --listmonitors)"
}
free_display() { # first-display-number: the first free one from there, in $display
  display=$1
  while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
}
wait_for_socket() {
  for _ in $(seq 300); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done
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
