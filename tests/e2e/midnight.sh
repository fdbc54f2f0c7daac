#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Midnight, end to end, with the clock faked by libfaketime: the built program's
# window open at 23:59:55 on 20 March 2026 (1404/12/30, the last day of the
# Persian year) with the calendar on, its confirm button pressed after
# midnight, must install the picture of 1405/1/1; that picture is the one the
# refresh service's command ("velnora start") draws on the new day, and the one
# the window drew at opening is the one "velnora start" draws on the old day.
#   midnight.sh PATH_TO_VELNORA
program=$1
source "$(dirname "$0")/common.sh"

faketime_library=$(dpkg -L libfaketime 2>/dev/null | grep '/libfaketime.so.1$' | head -n 1)
[[ -n $faketime_library ]] || { echo "libfaketime is not installed" >&2; exit 1; }

start_xvfb 150

# One user with the calendar installed on the bare X server: the settings file
# holds the backup of the user's picture, the store names the output picture.
new_user midnight
mkdir -p "$home/.config/velnora"
user=$root/user.bmp
convert -size 640x480 xc:'#336699' -type TrueColor "BMP3:$user"
printf '[oldwallpaper]\nWallpaper=%s\nTileWallpaper=0\nWallpaperStyle=1\nWallpaperOriginX=0\nWallpaperOriginY=0\n' \
  "$user" >"$settings"
printf '[Control Panel\\Desktop]\nWallpaper=%s\nTileWallpaper=0\nWallpaperStyle=1\n' "$output" \
  >"$home/.config/velnora/wallpaper.ini"

# The faked clock, read again at every call so it can move while the window is
# open. It stands still at the moment given, however long the program takes to
# start on a busy machine; the monotonic clock stays real for the event loop.
clock=$root/faketime
velnora() { # arguments of velnora
  in_bare_session env TZ=UTC LD_PRELOAD="$faketime_library" FAKETIME_TIMESTAMP_FILE="$clock" \
    FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 timeout 120 "$folder/velnora" "$@"
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
velnora >"$root/window.log" 2>&1 &
window=$!
stop_at_exit=$window
id=$(DISPLAY=":$display" timeout 30 xdotool search --sync --name '^Velnora$' | head -n 1)
wait_for_change "$output" "none" || fail "the window installed no picture"
cp "$output" "$root/evening-window.bmp"

# After midnight, the confirm button (تاييد, 98 x 30 at 278, 280 in the window).
echo '2026-03-21 00:00:05' >"$clock"
DISPLAY=":$display" xdotool mousemove --window "$id" 327 295 click 1
wait_for_change "$output" "$(md5sum <"$root/evening-window.bmp")" ||
  fail "the confirm button after midnight left the picture as it was"
cp "$output" "$root/morning-window.bmp"
kill "$window"; wait "$window" 2>/dev/null || true; stop_at_exit=

# The refresh service's command on each day draws the same pictures.
for day in evening morning; do
  if [[ $day == evening ]]; then echo '2026-03-20 23:59:55' >"$clock"; else echo '2026-03-21 00:00:05' >"$clock"; fi
  velnora start >"$root/$day.log" 2>&1 || fail "velnora start on the $day: $(cat "$root/$day.log")"
  cp "$output" "$root/$day-start.bmp"
done
cmp -s "$root/evening-window.bmp" "$root/morning-window.bmp" &&
  fail "the picture after midnight is the one of the day before"
cmp -s "$root/evening-window.bmp" "$root/evening-start.bmp" ||
  fail "the window at 23:59:55 drew another picture than velnora start on that day"
cmp -s "$root/morning-window.bmp" "$root/morning-start.bmp" ||
  fail "the confirm button after midnight drew another picture than velnora start on the new day"
finish "the window and the refresh command draw the new day after midnight"
