#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The calendar on a real Xfce desktop: xfconfd and xfdesktop on an X server of
# their own. Switching on shows the calendar on the desktop window, a redraw of
# the same file by "velnora start" is shown, and switching off gives back every
# backdrop property exactly (its type too), removes those that were absent, and
# the screen is what it was. The calendar is drawn on the current wallpaper.
#   dbus-run-session -- xfce.sh VELNORA VELNORA_SHOW_BOX
program=$1 showbox=$2
source "$(dirname "$0")/desktop-session.sh"

new_session $((${VELNORA_FIRST_DISPLAY:-140} + 20))
export XDG_CURRENT_DESKTOP=XFCE
# Every backdrop property with its type, as gdbus prints them.
backdrop_state() {
  local name
  for name in $(xfconf-query -c "$channel" -p /backdrop -l 2>/dev/null | sort); do
    echo "$name $(property "$name")"
  done
}

start_xfce

# The user's own backdrops: a picture whose name needs quoting in every
# language, a property of another integer type, and absent properties.
case=user-backdrop
user="$work/the user's \"sea\" \\ دریا.bmp"
convert -size 640x480 xc:'#336699' -type TrueColor "BMP3:$user"
quoted=${user//\\/\\\\}
quoted=${quoted//\'/\\\'}
xfconf SetProperty "${ws}0/last-image" "<'$quoted'>" >/dev/null
xfconf SetProperty "${ws}0/image-style" '<5>' >/dev/null
xfconf SetProperty "${ws}1/image-style" '<uint32 3>' >/dev/null
xfconf ResetProperty "${ws}1/last-image" false >/dev/null
xfconf ResetProperty "${ws}1/color-style" false >/dev/null
wait_for 30 shows "$user" || fail "xfdesktop does not show the user's picture"
cp "$work/screen.png" "$work/before.png"
backdrop_state >"$work/before.state"
grep -q "${ws}1/image-style (<uint32 3>,)" "$work/before.state" || fail "state: $(cat "$work/before.state")"

case=switch-on
show_box on
for n in 0 1; do
  [[ $(property "${ws}$n/last-image") == "(<'$output'>,)" ]] || fail "workspace $n: $(property "${ws}$n/last-image")"
  [[ $(property "${ws}$n/image-style") == "(<6>,)" ]] || fail "workspace $n style: $(property "${ws}$n/image-style")"
done
wait_for 30 shows "$output" || fail "the calendar is not shown ($(differing "$work/screen.png" "$output") pixels differ)"
keep_screenshot xfce-desktop "$work/screen.png"
drawn=$(differing "$output" "$user")
[[ $drawn =~ ^[0-9]+$ && $drawn -gt 1000 ]] || fail "no calendar on the picture ($drawn)"

case=redraw
cp "$output" "$work/first.bmp"
moved_and_redrawn
[[ $(differing "$output" "$work/first.bmp") != 0 ]] || fail "the picture was not redrawn"
wait_for 30 shows "$output" || fail "the redraw is not shown ($(differing "$work/screen.png" "$output") pixels differ)"

# Runs from cron or a shell without the session's XDG_CURRENT_DESKTOP (what
# importing DISPLAY alone into the service manager gives): xfdesktop's root
# picture is none of the user's.
backdrop_state >"$work/on.state"
uncertain_runs <<EOF
refresh|0||XDG_CURRENT_DESKTOP is not set, and xfconfd runs on the session bus
start|1|DBUS_SESSION_BUS_ADDRESS=unix:path=$root/no-bus|XDG_CURRENT_DESKTOP is not set, and a desktop window covers the root window
EOF
backdrop_state | diff "$work/on.state" - >&2 || fail "backdrops changed"

case=switch-off
show_box off
backdrop_state >"$work/after.state"

diff "$work/before.state" "$work/after.state" >&2 || fail "backdrop properties differ"
! grep -q '^\[oldwallpaper\]' "$settings" || fail "backup left behind"
wait_for 30 shows "$work/before.png" || fail "the screen is not what it was ($(differing "$work/screen.png" "$work/before.png") pixels differ)"

finish "the calendar went on and off Xfce"
