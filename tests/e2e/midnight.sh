#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Midnight, end to end, with the clock faked by libfaketime: the built program's
# window open at 23:59:55 on 20 March 2026 (1404/12/30, the last day of the
# Persian year) with the calendar on, its confirm button pressed after
# midnight, must install the picture of 1405/1/1; that picture is the one the
# refresh service's command ("velnora start") draws on the new day, and the one
# the window drew at opening is the one "velnora start" draws on the old day.
#   midnight.sh PATH_TO_VELNORA
set -euo pipefail
program=$1
work=$(mktemp -d)
xvfb=
window=
cleanup() {
  for pid in $window $xvfb; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

faketime_library=$(dpkg -L libfaketime 2>/dev/null | grep '/libfaketime.so.1$' | head -n 1)
[[ -n $faketime_library ]] || { echo "libfaketime is not installed" >&2; exit 1; }

# The X server: the first free display number from 150 up.
display=150
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 640x480x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

# One user with the calendar installed on the bare X server: the settings file
# holds the backup of the user's picture, the store names the output picture.
home=$work/home
folder=$work/program
mkdir -p "$home/.config/velnora" "$folder"
chmod 700 "$work"
cp "$program" "$folder/velnora"
user=$work/user.bmp
convert -size 640x480 xc:'#336699' -type TrueColor "BMP3:$user"
printf '[oldwallpaper]\nWallpaper=%s\nTileWallpaper=0\nWallpaperStyle=1\nWallpaperOriginX=0\nWallpaperOriginY=0\n' \
  "$user" >"$folder/velnora.INI"
output=$folder/Velnora.bmp
printf '[Control Panel\\Desktop]\nWallpaper=%s\nTileWallpaper=0\nWallpaperStyle=1\n' "$output" \
  >"$home/.config/velnora/wallpaper.ini"

# The faked clock, read again at every call so it can move while the window is
# open. It stands still at the moment given, however long the program takes to
# start on a busy machine; the monotonic clock stays real for the event loop.
clock=$work/faketime
velnora() { # arguments of velnora
  env -u XDG_CURRENT_DESKTOP -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS HOME="$home" \
    XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" XDG_RUNTIME_DIR="$work" \
    DISPLAY=":$display" QT_QPA_PLATFORM=xcb TZ=UTC LD_PRELOAD="$faketime_library" \
    FAKETIME_TIMESTAMP_FILE="$clock" FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    timeout 120 "$folder/velnora" "$@"
}
wait_for_change() { # file old-checksum: until the file's checksum differs
  for _ in $(seq 300); do
    [[ -f $1 && $(md5sum <"$1") != "$2" ]] && return 0
    sleep 0.1
  done
  return 1
}

# The window opened at 23:59:55 installs the calendar of 1404/12/30.
echo '2026-03-20 23:59:55' >"$clock"
velnora >"$work/window.log" 2>&1 &
window=$!
id=$(DISPLAY=":$display" timeout 30 xdotool search --sync --name '^Velnora$' | head -n 1)
wait_for_change "$output" "none" || fail "the window installed no picture"
cp "$output" "$work/evening-window.bmp"

# After midnight, the confirm button (تاييد, 98 x 30 at 278, 280 in the window).
echo '2026-03-21 00:00:05' >"$clock"
DISPLAY=":$display" xdotool mousemove --window "$id" 327 295 click 1
wait_for_change "$output" "$(md5sum <"$work/evening-window.bmp")" ||
  fail "the confirm button after midnight left the picture as it was"
cp "$output" "$work/morning-window.bmp"
kill "$window"; wait "$window" 2>/dev/null || true; window=

# The refresh service's command on each day draws the same pictures.
for day in evening morning; do
  if [[ $day == evening ]]; then echo '2026-03-20 23:59:55' >"$clock"; else echo '2026-03-21 00:00:05' >"$clock"; fi
  velnora start >"$work/$day.log" 2>&1 || fail "velnora start on the $day: $(cat "$work/$day.log")"
  cp "$output" "$work/$day-start.bmp"
done
cmp -s "$work/evening-window.bmp" "$work/morning-window.bmp" &&
  fail "the picture after midnight is the one of the day before"
cmp -s "$work/evening-window.bmp" "$work/evening-start.bmp" ||
  fail "the window at 23:59:55 drew another picture than velnora start on that day"
cmp -s "$work/morning-window.bmp" "$work/morning-start.bmp" ||
  fail "the confirm button after midnight drew another picture than velnora start on the new day"

if ((failures > 0)); then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "the window and the refresh command draw the new day after midnight"
