# Shared by the end-to-end tests of the desktops' own wallpaper stores: a fresh
# user, an X server, captures of the screen. Sourced by xfce.sh and plasma.sh,
# which run under dbus-run-session (the session bus the desktop's services use).
#   new_session FIRST_DISPLAY   makes $work, $home, $folder, starts Xvfb on $DISPLAY
#   wait_for SECONDS COMMAND... runs COMMAND every 0.2 s until it succeeds
#   shows PICTURE [AREA]        true when the screen is PICTURE pixel for pixel,
#                               or in AREA (WxH+X+Y) only
#   differing A B               the number of pixels in which two pictures differ
#   fail MESSAGE                records a failure of the current $case
# Everything started here is stopped when the script exits.
set -euo pipefail
failures=0
case=setup
started=()
fail() { echo "FAIL [$case]: $*" >&2; failures=$((failures + 1)); }
# The processes of this session that were not started here: those the desktop
# and the session bus started, known by this session's own run-time folder.
session_processes() {
  local process
  [[ -n ${work:-} ]] || return 0
  for process in /proc/[0-9]*; do
    [[ ${process#/proc/} != "$$" ]] || continue
    tr '\0' '\n' <"$process/environ" 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$work/run" &&
      echo "${process#/proc/}"
  done
  return 0
}
stop_all() {
  local pid left
  for pid in "${started[@]}" $(session_processes); do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  for _ in $(seq 25); do
    left=$(session_processes)
    [[ -n $left ]] || break
    sleep 0.2
  done
  for pid in $left; do kill -KILL "$pid" 2>/dev/null || true; done
  [[ -z ${work:-} ]] || rm -rf "$work"
}
trap stop_all EXIT
# start COMMAND...: runs it in the background, to be stopped at exit.
start() {
  "$@" &
  started+=($!)
}

new_session() { # first display number
  [[ -n ${DBUS_SESSION_BUS_ADDRESS:-} ]] || { echo "run under dbus-run-session" >&2; exit 2; }
  work=$(mktemp -d)
  home=$work/home
  folder=$work/program
  mkdir -p "$home" "$folder" "$work/run"
  chmod 700 "$work/run"
  export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_CACHE_HOME=$home/.cache XDG_STATE_HOME=$home/.local/state XDG_RUNTIME_DIR=$work/run \
    XDG_SESSION_TYPE=x11
  unset WAYLAND_DISPLAY
  # No accessibility bus: nothing here needs it, and it would outlive the test.
  export NO_AT_BRIDGE=1
  local display=$1
  while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
  start Xvfb ":$display" -screen 0 640x480x24 -nolisten tcp -noreset
  export DISPLAY=:$display
  wait_for 20 test -e "/tmp/.X11-unix/X$display" || { echo "Xvfb did not start" >&2; exit 1; }
}

wait_for() { # seconds command...
  local end=$((SECONDS + $1))
  shift
  while ((SECONDS < end)); do
    if "$@"; then return 0; fi
    sleep 0.2
  done
  return 1
}

differing() { # a b
  local count
  count=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  [[ $count =~ ^[0-9]+$ ]] && echo "$count" || echo "unknown ($count)"
}

shows() { # picture [area]
  local area=${2:-}
  import -window root "$work/screen.png" 2>/dev/null || return 1
  if [[ -n $area ]]; then
    convert "$work/screen.png" -crop "$area" +repage "$work/screen-area.png"
    convert "$1" -crop "$area" +repage "$work/picture-area.png"
    [[ $(differing "$work/screen-area.png" "$work/picture-area.png") == 0 ]]
  else
    [[ $(differing "$work/screen.png" "$1") == 0 ]]
  fi
}
