#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The calendar on LXQt's desktop, drawn by the real pcmanfm-qt: on the user's
# picture laid out by the user (centred), and on a desktop of colour only
# (the picture is the colour at the screen's size). Switching on shows the
# calendar, the logon run keeps it, switching off gives back the settings file's Wallpaper and
# WallpaperMode and what the screen showed.
#   dbus-run-session -- lxqt.sh VELNORA VELNORA_SHOW_BOX
program=$1 showbox=$2
source "$(dirname "$0")/desktop-session.sh"

new_session $((${VELNORA_FIRST_DISPLAY:-140} + 50))
export XDG_CURRENT_DESKTOP=LXQt
dbus-update-activation-environment --all
conf=$XDG_CONFIG_HOME/pcmanfm-qt/lxqt/settings.conf
mkdir -p "${conf%/*}"
user=$work/sea.png
convert -size 400x300 xc:'#336699' "$user"
keys() { grep '^Wallpaper=\|^WallpaperMode=' "$conf" | sort; }

round() { # name wallpaper mode
  case=$1-before
  printf '[Desktop]\nWallpaper=%s\nWallpaperMode=%s\nBgColor=#204060\n' "$2" "$3" >"$conf"
  start pcmanfm-qt --desktop --profile=lxqt
  wait_for 30 eval '[[ $(dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:org.pcmanfm.PCManFM) == *true* ]]' ||
    fail "pcmanfm-qt did not start"
  sleep 2
  import -window root "$work/before.png"
  keys >"$work/before.keys"

  case=$1-switch-on
  show_box on
  [[ $(grep '^Wallpaper=' "$conf") == "Wallpaper=$output" ]] || fail "settings: $(keys)"
  wait_for 30 shows "$output" || fail "the calendar is not shown ($(differing "$work/screen.png" "$output") pixels differ)"
  [[ $1 != user-picture ]] || keep_screenshot lxqt-pcmanfm-qt "$work/screen.png"
  case=$1-logon # through pcmanfm-qt's store, not the file store of an unknown desktop
  logon_run
  [[ $(grep '^Wallpaper=' "$conf") == "Wallpaper=$output" ]] || fail "settings: $(keys)"

  cp "$output" "$work/$1-drawn.bmp" # the switch-off removes the calendar picture
  case=$1-switch-off
  show_box off
  keys | diff "$work/before.keys" - >&2 || fail "the settings file differs"
  wait_for 30 shows "$work/before.png" || fail "the desktop is not what it was"
  kill "${started[-1]}"
  wait "${started[-1]}" 2>/dev/null || true
}

round user-picture "$user" center
round colour-only "" none
# Drawn on the desktop's colour, not on black.
[[ $(convert "$work/colour-only-drawn.bmp" -format '%[pixel:p{0,0}]' info:) == "srgb(32,64,96)" ]] || fail "output corner is not the desktop's colour"

finish "the calendar went on and off LXQt's pcmanfm-qt desktop"
