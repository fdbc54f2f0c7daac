#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two monitors of different sizes side by side, as RandR monitors of one X
# screen: 1920x1080 at 0,0 and 1280x720 at 1920,0, so the box around them has
# an area no monitor shows (below the right one). On the bare root (feh sets
# it), on GNOME's settings (dconf) and on Xfce (xfconfd and xfdesktop, on two
# outputs of Xorg's dummy driver: run as root), in each corner: the calendar
# lies whole on the monitor at that corner, the other monitor keeps what it
# showed, and switching off gives back the root, or the desktop's values and
# screen, exactly. On Xfce a change of corner moves the calendar and gives the
# monitor it leaves its own picture back. A panel the window manager announces
# keeps the calendar clear of it.
#   dbus-run-session -- monitors.sh VELNORA VELNORA_SHOW_BOX
program=$1 showbox=$2
source "$(dirname "$0")/desktop-session.sh"

new_session $((${VELNORA_FIRST_DISPLAY:-140} + 50))
kill "$xvfb" && wait "$xvfb" 2>/dev/null || true # again, as large as the monitors' box
start_xvfb "$display" 3200x1080
export DISPLAY=:$display
# The screen's own output becomes the left monitor, so there are exactly two.
xrandr --setmonitor left 1920/508x1080/286+0+0 screen >/dev/null
xrandr --setmonitor right 1280/339x720/190+1920+0 none
[[ $(xrandr --listmonitors | head -1) == "Monitors: 2" ]] || fail "$(xrandr --listmonitors)"
export GSETTINGS_BACKEND=dconf
convert -size 1600x1200 gradient:'#ff8000-#0040ff' -rotate 90 "$work/user.png"

source "$(dirname "$0")/two-monitors.sh"

export XDG_CURRENT_DESKTOP=GNOME
# GNOME, for the session's one user (dconf-service keeps the HOME it started
# with), shows the user's picture zoomed on each monitor; the program's picture
# is spanned over both, each monitor's region zoomed as before.
gsettings set org.gnome.desktop.background picture-uri "file://$work/user.png"
gsettings set org.gnome.desktop.background picture-options zoom
convert -size 3200x1080 xc:black \
  \( "$work/user.png" -resize 1920x1080^ -gravity center -extent 1920x1080 \) -gravity northwest \
  -geometry +0+0 -composite \
  \( "$work/user.png" -resize 1280x720^ -gravity center -extent 1280x720 \) -gravity northwest \
  -geometry +1920+0 -composite "$work/zoomed.png"
values() { for key in picture-uri picture-options; do gsettings get org.gnome.desktop.background $key; done; }
before=$(values)
while read -r position monitor corner; do
  case=gnome-$corner
  printf '[image]\nposition=%s\n' "$position" >"$settings"
  show_box on
  [[ $(values) == "'file://$output'"$'\n'"'spanned'" ]] || fail "GNOME shows $(values)"
  # Resampling differs a little between the program and ImageMagick: 3 %.
  on_monitor "$work/zoomed.png" "$output" 3 "$monitor" "$corner"
  [[ $corner != bottom-right ]] || keep_screenshot monitors-gnome "$output"
  show_box off
  [[ $(values) == "$before" ]] || fail "GNOME's values after switching off: $(values)"
done <<<"$corners"

# Bare X11: the captured root already holds what each monitor showed. No
# desktop named and no session bus, as in a session of a window manager alone.
bus=$DBUS_SESSION_BUS_ADDRESS
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
unset XDG_CURRENT_DESKTOP
feh --no-fehbg --bg-fill "$work/user.png"
import -window root "$work/feh.png"
while read -r position monitor corner; do
  new_user "bare-$corner"
  printf '[image]\nposition=%s\n' "$position" >"$settings"
  show_box on
  import -window root "$root/on.png"
  [[ $(differing "$root/on.png" "$output") == 0 ]] || fail "the root does not show the calendar"
  # The captured root is stretched to its own size, which moves colours a little.
  on_monitor "$work/feh.png" "$root/on.png" 3 "$monitor" "$corner"
  [[ $corner != bottom-right ]] || keep_screenshot monitors-bare-x11 "$root/on.png"
  show_box off
  import -window root "$root/off.png"
  [[ $(differing "$root/off.png" "$work/feh.png") == 0 ]] || fail "the root after switching off"
done <<<"$corners"

# A panel 40 pixels high along the bottom of the desktop, as a window manager
# announces it: the calendar at the bottom left stands 30 pixels above it.
new_user panel
printf '[image]\nposition=3\n' >"$settings"
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA 0,0,3200,1040
show_box on
import -window root "$root/on.png"
on_monitor "$work/feh.png" "$root/on.png" 3 1920x1040+0+0 bottom-left
show_box off
xprop -root -remove _NET_WORKAREA

# Xfce keeps a backdrop for each monitor: only that of the monitor at the
# corner gets the calendar, drawn on its own picture at its size; the other's
# values stay; switching off gives back every value exactly. xfdesktop draws
# only real outputs, not RandR monitors, so this runs on Xorg's dummy driver,
# whose outputs xfdesktop and the program both name DUMMY0 and DUMMY1: the
# screen shows the calendar on the chosen monitor alone, and exactly what it
# showed before once off.
kill "$xvfb" && wait "$xvfb" 2>/dev/null || true
start_two_monitor_xorg $((display + 1))
export DBUS_SESSION_BUS_ADDRESS=$bus XDG_CURRENT_DESKTOP=XFCE
new_user xfce
dbus-update-activation-environment --all
xfce_state() { xfconf-query -c "$channel" -p /backdrop -lv | sort; }
ws=/backdrop/screen0/monitorDUMMY0/workspace
# A profile with a picture of its own for each monitor: the user's, and the
# right one mirrored; zoomed (style 5) as xfdesktop shows them. (xfdesktop 4.18
# started on a fresh profile here sized its window to the first output alone.)
cp "$work/user.png" "$work/DUMMY0.png"
convert "$work/user.png" -flop "$work/DUMMY1.png"
own_backdrops() {
  for side in DUMMY0 DUMMY1; do
    for n in 0 1; do
      xfconf-query -c "$channel" -p "/backdrop/screen0/monitor$side/workspace$n/last-image" -n -t string -s "$work/$side.png"
    done
    xfconf-query -c "$channel" -p "/backdrop/screen0/monitor$side/workspace0/image-style" -n -t int -s 5
  done
}
start_xfce own_backdrops
# The screen within fuzz % of a picture in each area (xfdesktop's and
# ImageMagick's resampling differ a little: 3 %), or exactly (fuzz 0).
screen_near() { # picture fuzz area...
  import -window root "$work/screen.png" 2>/dev/null &&
    for area in "${@:3}"; do
      [[ $(compare -metric AE -fuzz "$2%" "$work/screen.png[$area]" "$1[$area]" null: 2>&1) == 0 ]] || return 1
    done
}
convert -size 3200x1080 xc:black \
  \( "$work/DUMMY0.png" -resize 1920x1080^ -gravity center -extent 1920x1080 \) -gravity northwest \
  -geometry +0+0 -composite \
  \( "$work/DUMMY1.png" -resize 1280x720^ -gravity center -extent 1280x720 \) -gravity northwest \
  -geometry +1920+0 -composite "$work/xfce-zoomed.png"
wait_for 30 screen_near "$work/xfce-zoomed.png" 3 1920x1080+0+0 1280x720+1920+0 ||
  fail "xfdesktop does not show each monitor's own picture"
cp "$work/screen.png" "$work/before.png"
before=$(xfce_state)
while read -r position monitor corner; do
  case=xfce-$corner
  printf '[image]\nposition=%s\n' "$position" >"$settings"
  show_box on
  [[ $(identify -format %wx%h "$output") == "${monitor%%+*}" ]] || fail "picture $(identify "$output")"
  side=$([[ $monitor == 1280* ]] && echo DUMMY1 || echo DUMMY0) other=$([[ $monitor == 1280* ]] && echo DUMMY0 || echo DUMMY1)
  [[ $(xfce_state | grep "monitor$side/workspace0/last-image") == *"$output" ]] || fail "$(xfce_state)"
  diff <(grep "monitor$other" <<<"$before") <(xfce_state | grep "monitor$other") >&2 || fail "the $other monitor's values changed"
  convert "$work/$side.png" -resize "${monitor%%+*}^" -gravity center -extent "${monitor%%+*}" "$work/mon.png"
  on_monitor "$work/mon.png" "$output" 3 "${monitor%%+*}+0+0" "$corner"
  convert "$work/before.png" "$output" -geometry "+${monitor#*+}" -composite "$work/expected.png"
  wait_for 30 screen_near "$work/expected.png" 0 1920x1080+0+0 1280x720+1920+0 ||
    fail "the screen does not show the calendar on $monitor alone"
  [[ $corner != bottom-right ]] || keep_screenshot xfce-two-monitors "$work/screen.png"
  show_box off
  [[ $(xfce_state) == "$before" ]] || fail "Xfce's values after switching off: $(diff <(echo "$before") <(xfce_state))"
  wait_for 30 screen_near "$work/before.png" 0 1920x1080+0+0 1280x720+1920+0 || fail "the screen is not what it was"
done <<<"$corners"
# The corner changed while the calendar is on the right monitor: it moves to
# the left one, drawn on that one's picture (mon.png, of the last corner: its
# top right is far from the calendar), and the right one shows its own picture
# again at once.
case=xfce-moved
printf '[image]\nposition=1\n' >"$settings"
show_box on
sed -i 's/^position=.*/position=3/' "$settings"
logon_run
[[ $(compare -metric AE -fuzz 3% "$output[400x300+1500+0]" "$work/mon.png[400x300+1500+0]" null: 2>&1) == 0 ]] ||
  fail "not drawn on the left monitor's own picture"
diff <(grep monitorDUMMY1 <<<"$before") <(xfce_state | grep monitorDUMMY1) >&2 || fail "the right monitor keeps the calendar"
show_box off

finish "the calendar went whole onto the monitor at each corner"
