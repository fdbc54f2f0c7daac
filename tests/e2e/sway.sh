#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A desktop the program cannot set the wallpaper of: sway, headless, with no
# picture chosen. Switching on in the window tells the user which picture to
# set, and that picture is the calendar on a plain picture of the screen's
# size, readable; switching off leaves no picture behind.
#   sway.sh VELNORA VELNORA_SHOW_BOX
program=$1 showbox=$2
source "$(dirname "$0")/desktop-session.sh"

new_user unknown-desktop
printf 'output HEADLESS-1 resolution 640x480\n' >"$work/sway.config"
# sway refuses to start as root; in a user namespace it is an ordinary user.
as_user=()
[[ $(id -u) != 0 ]] || as_user=(unshare --user --map-user=1000 --map-group=1000)
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman start "${as_user[@]}" \
  sway -c "$work/sway.config"
wait_for 60 compgen -G "$root/wayland-[0-9]" >/dev/null || { fail "sway did not start"; exit 1; }
socket=$(compgen -G "$root/wayland-[0-9]")
export WAYLAND_DISPLAY=${socket##*/} XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway QT_QPA_PLATFORM=wayland
unset DISPLAY

case=switch-on
status=0
timeout 120 "$showbox" "$folder/velnora" on shown >"$root/log" 2>&1 || status=$?
[[ $status == 1 && $(<"$root/log") == "Velnora: Velnora cannot set the wallpaper of this desktop by itself. Set this picture as your wallpaper:

$output

Velnora redraws it with the new day at every logon." ]] || fail "status $status: $(<"$root/log")"
[[ $(identify -format '%wx%h' "$output") == 640x480 ]] || fail "the picture is $(identify "$output")"
# White where no calendar is, and the calendar's black text on it.
[[ $(convert "$output" -format '%[pixel:p{0,479}]' info:) == "srgb(255,255,255)" ]] || fail "not a plain white picture"
dark=$(convert "$output" -threshold 50% -negate -format '%[fx:mean*w*h]' info:)
((dark > 1000)) || fail "no calendar to read ($dark dark pixels)"
keep_screenshot sway-plain "$output"

case=switch-off
show_box off
[[ ! -e $output ]] || fail "the calendar picture is left"

finish "sway's user was told which picture to set, and it shows the calendar"
