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
xfconfd=/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd
[[ -x $xfconfd ]] || xfconfd=$(find /usr/lib* -path '*xfconf/xfconfd' -print -quit)

new_session $((${VELNORA_FIRST_DISPLAY:-140} + 20))
export XDG_CURRENT_DESKTOP=XFCE
channel=xfce4-desktop
xfconf() { # method arguments...: one call to xfconfd
  local method=$1
  shift
  timeout 30 gdbus call --session -d org.xfce.Xfconf -o /org/xfce/Xfconf \
    -m "org.xfce.Xfconf.$method" "$channel" "$@"
}
property() { xfconf GetProperty "$1" 2>/dev/null; }
# Every backdrop property with its type, as gdbus prints them.
backdrop_state() {
  local name
  for name in $(xfconf-query -c "$channel" -p /backdrop -l 2>/dev/null | sort); do
    echo "$name $(property "$name")"
  done
}

# What a window manager announces: two workspaces, the first one shown.
# xfdesktop gives each workspace its backdrop once it knows them.
xprop -root -f _NET_NUMBER_OF_DESKTOPS 32c -set _NET_NUMBER_OF_DESKTOPS 2
xprop -root -f _NET_CURRENT_DESKTOP 32c -set _NET_CURRENT_DESKTOP 0
start "$xfconfd"
wait_for 30 xfconf PropertyExists /backdrop >/dev/null 2>&1 || fail "xfconfd does not answer"
# No desktop icons: they would start a file manager and a thumbnailer.
xfconf-query -c "$channel" -p /desktop-icons/style -n -t int -s 0
start xfdesktop --disable-wm-check
ws=/backdrop/screen0/monitorscreen/workspace
# A fresh profile: xfdesktop writes each backdrop when it starts.
wait_for 90 property "${ws}1/last-image" >/dev/null || fail "xfdesktop wrote no backdrops"

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
