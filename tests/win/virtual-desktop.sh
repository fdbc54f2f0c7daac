#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velnora.exe seen on the screen of Wine's virtual desktop, on an X server of
# its own: the user's picture, under a Persian file name, is on the desktop and
# the settings file beside the program keeps the calendar on; "start" must put
# Velnora.bmp on the screen as it is, and "off" the screen as it was before,
# pixel for pixel. Runs in the Wine prefix and server that scripts/test-windows
# has set up (WINEPREFIX, a server already started).
#   virtual-desktop.sh PATH_TO_VELNORA_EXE
exe=$1
source "$(dirname "$0")/../e2e/common.sh"
size=1024x768
desktop=velnora
# Wine names the X window of its virtual desktop after the desktop.
title="$desktop - Wine desktop"
# velnora.exe runs in that desktop, as a logon into it would start it; Wine
# reads a program's desktop from its AppDefaults.
appdefaults='HKCU\Software\Wine\AppDefaults\velnora.exe\Explorer'

# A Wine command without the pipe that keeps the desktop alive (below).
quietly() { "$@" >"$work/log" 2>&1 9>&- || fail "$*: $(cat "$work/log")"; }
# The same on the X server; the limit keeps a program that waits on a message
# box nobody sees from hanging the run.
on_desktop() { quietly env DISPLAY=":$display" timeout 120 "$@"; }

# Polls what a caller waits for, instead of a fixed sleep; the limit only keeps
# a hung desktop from hanging the run.
poll() { # command...
  for _ in $(seq 300); do "$@" && return 0; sleep 0.2; done
  return 1
}
desktop_window() { # true once the desktop's window exists, its id in $window
  window=$(DISPLAY=:$display xdotool search --name "^$title\$" 2>/dev/null | head -n 1) && [[ -n $window ]]
}
no_desktop_window() { ! desktop_window; }
grab() { # file: the virtual desktop's window as it is now
  import -display ":$display" -window "$window" "$1"
}
shows() { # picture: true once the screen shows it
  grab "$work/screen.png" && [[ $(differing "$work/screen.png" "$1") == 0 ]]
}
settled() { # true once the screen is painted (more than one colour) and stays so
  grab "$work/now.png" && [[ $(identify -format %k "$work/now.png") -gt 1 ]] &&
    [[ -f $work/was.png && $(differing "$work/now.png" "$work/was.png") == 0 ]] && return 0
  mv "$work/now.png" "$work/was.png"
  return 1
}
expect_screen() { # picture what
  poll shows "$1" || fail "$2: the screen differs from it in $(differing "$work/screen.png" "$1") pixels"
}

# The desktop reads the wallpaper when it starts, and lives while a program
# runs in it: a console program that waits for a key, which it reads from a
# pipe this script holds open (descriptor 9) until the desktop is to close.
open_desktop() { # its window in $window, painted, a capture in $work/now.png
  rm -f "$work/key" "$work/was.png"
  mkfifo "$work/key"
  DISPLAY=:$display wine explorer "/desktop=$desktop,$size" cmd /c pause <"$work/key" >/dev/null 2>&1 &
  exec 9>"$work/key"
  poll desktop_window || { fail "no window \"$title\""; finish ""; }
  poll settled || { fail "the desktop does not settle"; finish ""; }
}
close_desktop() {
  exec 9>&-
  # With the last program gone, Wine closes the desktop and explorer ends.
  poll no_desktop_window || fail "the desktop does not close"
}
at_exit() {
  if [[ -n $display ]]; then close_desktop; fi
  wine reg delete "$appdefaults" /f >/dev/null 2>&1 || true
  cleanup
}
display=
trap at_exit EXIT
start_xvfb 140 "$size"

# The user's picture, smaller than the desktop. A BMP file: Wine's desktop
# reads no other format.
picture=$work/تصویر.bmp
convert -size 800x600 gradient:'#eef4fb-#b8cfe6' "BMP3:$picture"
winpath() { winepath -w "$1" 2>/dev/null 9>&-; }
users_picture=$(winpath "$picture")

# The user's wallpaper, stretched or tiled. Wine's desktop centres a picture
# whatever its style (test_win reads the style back from the registry), but
# tiles it when asked: the screen shows whether "off" brought the tiling back.
for row in "stretched 0 2" "tiled 1 0"; do
  read -r case tile style <<<"$row"
  folder=$work/$case
  mkdir -p "$folder"
  cp "$exe" "$folder/velnora.exe"
  output=$folder/Velnora.bmp
  values=$(printf 'Wallpaper=%s\nTileWallpaper=%s\nWallpaperStyle=%s\nWallpaperOriginX=0\nWallpaperOriginY=0' \
    "$users_picture" "$tile" "$style")

  # Set before the desktop starts and reads them. A registry file in UTF-16
  # carries the Persian name; one in ANSI would hold a single code page.
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n'
    sed 's/\\/\\\\/g; s/^\([^=]*\)=\(.*\)$/"\1"="\2"\r/' <<<"$values"
    printf '\r\n[%s]\r\n"Desktop"="%s"\r\n' "${appdefaults/HKCU/HKEY_CURRENT_USER}" "$desktop"
  } | iconv -f UTF-8 -t UTF-16 >"$work/user.reg"
  quietly wine reg import "$(winpath "$work/user.reg")"
  open_desktop
  mv "$work/now.png" "$work/before.png"

  # The calendar is on as the settings file keeps it: the user's values in its
  # backup section and the desktop naming the program's picture, which "start"
  # draws again.
  printf '[oldwallpaper]\n%s\n' "$values" >"$folder/velnora.INI"
  quietly wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d "$(winpath "$output")" /f

  on_desktop wine "$folder/velnora.exe" start
  [[ -f $output ]] || fail "start wrote no Velnora.bmp"
  expect_screen "$output" "the calendar after start"
  [[ $case != stretched ]] || keep_screenshot wine-desktop "$work/screen.png"

  on_desktop wine "$folder/velnora.exe" off
  expect_screen "$work/before.png" "the user's desktop after off"
  close_desktop
done
finish "velnora.exe start and off on Wine's virtual desktop: passed"
