# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end tests of the desktops' own wallpaper stores (Xfce,
# KDE Plasma), on top of common.sh: a fresh user whose session runs under
# dbus-run-session (the bus the desktop's services use) on an X server of its
# own, and captures of the screen. Sourced; $program must be set.
#   new_session FIRST_DISPLAY   the user (common.sh's new_user), the session's
#                               variables, Xvfb on $DISPLAY
#   start COMMAND...            runs COMMAND in the background until the end
#   wait_for SECONDS COMMAND... runs COMMAND every 0.2 s until it succeeds
#   shows PICTURE [AREA]        true when the screen is PICTURE pixel for pixel,
#                               or in AREA (WxH+X+Y) only
#   differing A B               the number of pixels in which two pictures differ
# Everything the session started is stopped when the script exits: what was
# started here, and what the desktop and the bus started, known by the
# session's own run-time folder in their environment.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
case=setup
started=()
start() {
  "$@" &
  started+=($!)
}
session_processes() {
  local process
  [[ -n ${root:-} ]] || return 0
  for process in /proc/[0-9]*; do
    [[ ${process#/proc/} != "$$" ]] || continue
    { tr '\0' '\n' <"$process/environ"; } 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$root" &&
      echo "${process#/proc/}"
  done
  return 0
}
stop_session() {
  local pid left=
  for pid in "${started[@]}" $(session_processes); do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  for _ in $(seq 25); do
    left=$(session_processes)
    [[ -n $left ]] || break
    sleep 0.2
  done
  for pid in $left; do kill -KILL "$pid" 2>/dev/null || true; done
  cleanup
}
trap stop_session EXIT

new_session() { # first display number
  [[ -n ${DBUS_SESSION_BUS_ADDRESS:-} ]] || { echo "run under dbus-run-session" >&2; exit 2; }
  new_user "$case"
  export XDG_SESSION_TYPE=x11 QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
  # No accessibility bus: nothing here needs it, and it would outlive the test.
  export NO_AT_BRIDGE=1
  start_xvfb "$1"
  export DISPLAY=:$display
  # What the bus starts (dconf-service) writes into this HOME, not the caller's.
  dbus-update-activation-environment --all
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

# The window's show box, and the logon run, of the program copy in $folder.
show_box() { # on|off
  timeout 120 "$showbox" "$folder/velnora" "$1" >"$root/log" 2>&1 || fail "show box $1: $(cat "$root/log")"
}
logon_run() {
  timeout 120 "$folder/velnora" start >"$root/log" 2>&1 || fail "velnora start: $(cat "$root/log")"
}
# A redraw that differs from the last: the calendar moved 40 pixels.
moved_and_redrawn() {
  sed -i 's/^leftright=.*/leftright=70/' "$settings"
  grep -q '^leftright=70' "$settings" || fail "no distance in the settings file"
  logon_run
}
# Runs that cannot be sure of the desktop, one a line "ARGUMENT|STATUS|ENV|WHY"
# on standard input, each without XDG_CURRENT_DESKTOP and with ENV (env's
# arguments): each says "velnora: WHY: the calendar was not redrawn", ends
# with STATUS (0 for the refresh timer) and writes no file.
uncertain_runs() {
  local argument expected vars why status
  wallpaper_files >"$work/files-before"
  while IFS='|' read -r argument expected vars why; do
    case="uncertain-$argument $vars"
    status=0
    env -u XDG_CURRENT_DESKTOP $vars timeout 120 "$folder/velnora" "$argument" >"$root/log" 2>&1 || status=$?
    [[ $status == "$expected" && $(<"$root/log") == "velnora: $why: the calendar was not redrawn" ]] ||
      fail "status $status: $(<"$root/log")"
  done
  wallpaper_files | diff "$work/files-before" - >&2 || fail "files written"
}

# Xfce's desktop on the session: xfconfd and xfdesktop, with the backdrops of
# two workspaces written. xfconf calls one of xfconfd's methods on the desktop's
# channel, property reads one property, ws is the first workspace's path less
# its number.
channel=xfce4-desktop
ws=/backdrop/screen0/monitorscreen/workspace
xfconf() { # method arguments...: one call to xfconfd
  local method=$1
  shift
  timeout 30 gdbus call --session -d org.xfce.Xfconf -o /org/xfce/Xfconf \
    -m "org.xfce.Xfconf.$method" "$channel" "$@"
}
property() { xfconf GetProperty "$1" 2>/dev/null; }
start_xfce() { # [command: run once xfconfd answers, before xfdesktop starts]
  local xfconfd=/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd
  [[ -x $xfconfd ]] || xfconfd=$(find /usr/lib* -path '*xfconf/xfconfd' -print -quit)
  # What a window manager announces: two workspaces, the first one shown.
  # xfdesktop gives each workspace its backdrop once it knows them.
  xprop -root -f _NET_NUMBER_OF_DESKTOPS 32c -set _NET_NUMBER_OF_DESKTOPS 2
  xprop -root -f _NET_CURRENT_DESKTOP 32c -set _NET_CURRENT_DESKTOP 0
  start "$xfconfd"
  wait_for 30 xfconf PropertyExists /backdrop >/dev/null 2>&1 || fail "xfconfd does not answer"
  # No desktop icons: they would start a file manager and a thumbnailer.
  xfconf-query -c "$channel" -p /desktop-icons/style -n -t int -s 0
  "$@"
  start xfdesktop --disable-wm-check
  # A fresh profile: xfdesktop writes each backdrop when it starts.
  wait_for 90 property "${ws}1/last-image" >/dev/null || fail "xfdesktop wrote no backdrops"
}
