#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The unattended run at logon, end to end: the built program is copied into a
# program folder of its own (so its settings file and Velnora.bmp lie beside
# it), run with "start" in a temporary HOME, and must end by itself having
# changed only what it should: on an X server started here (Xvfb), where the
# root window must then show the picture; and with no display at all (as from
# cron or ssh), where it changes nothing.
#   unattended.sh PATH_TO_VELNORA
program=$1
source "$(dirname "$0")/common.sh"
start_xvfb "${VELNORA_FIRST_DISPLAY:-93}"

# A fresh user: HOME, program folder, the user's own wallpaper picture.
setup() { # case-name
  new_user "$1"
  mkdir -p "$home/.config/velnora"
  user=$root/user.bmp
  convert -size 640x480 xc:'#336699' -type TrueColor "BMP3:$user"
  store=$home/.config/velnora/wallpaper.ini
  autostart=$home/.config/autostart/Velnora.desktop
  record=$home/.local/state/velnora/oldwallpaper.ini
}
store_names() { # picture
  printf '[Control Panel\\Desktop]\nWallpaper=%s\nTileWallpaper=0\nWallpaperStyle=1\n' "$1" >"$store"
}
backup_of_user() { # the calendar on for the bare X11 store
  mkdir -p "$(dirname "$record")"
  printf '[x11]\nWallpaper=%s\nTileWallpaper=1\nWallpaperStyle=2\nWallpaperOriginX=0\nWallpaperOriginY=0\n' \
    "$user" >"$record"
}
run() { # session (x11, or none for no display) [expected status] [argument]: standard error in $root/log
  local status=0 expected=${2:-0} argument=${3-start}
  if [[ $1 == x11 ]]; then
    in_bare_session timeout 30 "$folder/velnora" $argument >"$root/log" 2>&1 || status=$?
  else
    without_display timeout 30 "$folder/velnora" $argument >"$root/log" 2>&1 || status=$?
  fi
  if ((status == 124)); then fail "did not end by itself"; elif ((status != expected)); then
    fail "exit status $status, not $expected: $(cat "$root/log")"; fi
}
# What was printed, as one line per message.
printed() { # expected text
  [[ $(cat "$root/log") == "$1" ]] || fail "printed: '$(cat "$root/log")', not '$1'"
}
value() { # file key: the first value of that key
  sed -n "s/^$2=//p" "$1" | head -n 1
}

# Installed: redrawn for today, still on the desktop, autostart written, settings saved.
setup installed
backup_of_user
store_names "$output"
convert -size 320x240 xc:black "BMP3:$output" # yesterday's picture, to be replaced
run x11
# Stretched to the desktop.
size=$(identify -format '%wx%h' "$output")
[[ $size == 640x480 ]] || fail "output picture is $size, not 640x480"
corner=$(convert "$output" -format '%[hex:p{5,235}]' info:)
[[ $corner == 336699* ]] || fail "output picture not redrawn: its corner is #$corner"
# Nothing printed: cron mails whatever a job prints.
[[ ! -s $root/log ]] || fail "printed: $(cat "$root/log")"
# The calendar is drawn onto the user's picture (one colour, so any size of it
# is the same colour everywhere).
convert "$user" -resize "$size!" "$root/user-sized.png"
drawn=$(compare -metric AE "$output" "$root/user-sized.png" null: 2>&1 || true)
[[ $drawn =~ ^[0-9]+$ && $drawn -gt 1000 ]] || fail "no calendar on the picture ($drawn)"
[[ $(value "$store" Wallpaper) == "$output" ]] || fail "store names $(value "$store" Wallpaper)"
[[ $(value "$record" Wallpaper) == "$user" ]] || fail "backup changed"
grep -q '^\[distance\]' "$settings" || fail "settings not saved"
[[ -f $autostart ]] || fail "no autostart entry"
grep -q "^Exec=.*velnora start$" "$autostart" 2>/dev/null || fail "autostart command: $(grep Exec "$autostart" 2>/dev/null)"
# The root window shows the saved picture, pixel for pixel.
import -display ":$display" -window root "$root/root.png"
differing=$(compare -metric AE "$root/root.png" "$output" null: 2>&1 || true)
[[ $differing == 0 ]] || fail "root window differs from the picture in $differing pixels"
corner=$(convert "$root/root.png" -format '%[hex:p{5,475}]' info:)
[[ $corner == 336699* ]] || fail "root window corner is #$corner, not the wallpaper"

# Not installed: nothing is written at all.
setup not-installed
store_names "$user"
cp "$store" "$root/store-before"
run x11
[[ ! -e $output ]] || fail "output picture written"
[[ ! -e $settings ]] || fail "settings file written"
[[ ! -e $autostart ]] || fail "autostart entry written"
cmp -s "$store" "$root/store-before" || fail "store changed"

# Displaced: someone else set another wallpaper; only the backup follows it.
setup displaced
backup_of_user
other=$root/other.bmp
cp "$user" "$other"
store_names "$other"
# On a bare X server another tool sets the root picture (feh here), and the
# store reads as that picture, captured.
DISPLAY=":$display" feh --no-fehbg --bg-tile "$other"
mkdir -p "$(dirname "$autostart")"
printf '[Desktop Entry]\nType=Application\nName=Velnora\nExec=velnora start\n' >"$autostart"
cp "$autostart" "$root/autostart-before"
run x11
[[ ! -e $output ]] || fail "output picture written"
refreshed=$(value "$record" Wallpaper)
[[ $refreshed == "$home/.local/state/velnora/"* ]] || fail "backup names $refreshed"
[[ $(compare -metric AE "$refreshed" "$other" null: 2>&1) == 0 ]] || fail "backup not refreshed"
[[ $(value "$store" Wallpaper) == "$other" ]] || fail "store changed"
! grep -q '^\[distance\]' "$settings" || fail "settings saved"
cmp -s "$autostart" "$root/autostart-before" || fail "autostart entry changed"

# No display and no argument: the window cannot open; one line says so.
setup "no-display-window"
run none 1 ""
[[ $(cat "$root/log") == "velnora: no display: "*"graphical session"* ]] ||
  fail "printed: $(cat "$root/log")"
[[ ! -e $settings && ! -e $output ]] || fail "files written"

# No graphical session (cron, ssh, a text console): the settings found there
# are not the desktop's, so nothing is read or written; one line says why, and
# the refresh timer's service does not fail.
for row in "start 1" "refresh 0"; do
  read -r argument status <<<"$row"
  setup "no-session-$argument"
  backup_of_user
  store_names "$output"
  convert -size 320x240 xc:black "BMP3:$output"
  wallpaper_files >"$root/files-before"
  run none "$status" "$argument"
  printed "velnora: no graphical session: the calendar was not redrawn"
  wallpaper_files | diff "$root/files-before" - >&2 || fail "files written"
done

# With a display it is the unattended run itself.
setup "refresh-x11"
backup_of_user
store_names "$output"
run x11 0 refresh
[[ -s $output ]] || fail "no picture drawn"
[[ -e $autostart ]] || fail "no autostart entry"

finish "all unattended runs passed"
