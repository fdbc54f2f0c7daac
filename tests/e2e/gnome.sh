#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The calendar on GNOME's settings (dconf on a session bus of its own), and the
# runs from cron, ssh or a shell that lack the session's XDG_CURRENT_DESKTOP:
# they leave the calendar, the backup and dconf alone, and switching off then
# gives back the user's picture.
#   dbus-run-session -- gnome.sh VELNORA VELNORA_SHOW_BOX
program=$1 showbox=$2
source "$(dirname "$0")/desktop-session.sh"

new_session $((${VELNORA_FIRST_DISPLAY:-140} + 40))
export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=dconf
picture() { gsettings get org.gnome.desktop.background picture-uri; }
user=$work/sea.bmp
convert -size 640x480 xc:'#336699' -type TrueColor "BMP3:$user"
gsettings set org.gnome.desktop.background picture-uri "file://$user"

case=switch-on
show_box on
[[ $(picture) == "'file://$output'" ]] || fail "picture-uri is $(picture)"
uncertain_runs <<EOF
refresh|0||XDG_CURRENT_DESKTOP is not set, and dconf runs on the session bus
start|1|-u DISPLAY|no graphical session
EOF
case=logon
logon_run
[[ $(picture) == "'file://$output'" ]] || fail "picture-uri is $(picture)"

case=switch-off
show_box off
[[ $(picture) == "'file://$user'" ]] || fail "picture-uri is $(picture), not the user's"

# GNOME's stock wallpapers are 4096x4096, zoomed on the screen. A white square
# in the middle must stay square, and the calendar be seen whole at its size
# on the screen GNOME composes from the program's picture (spanned: it covers
# the screen, cropped), the stretch box ticked or cleared alike.
square=$work/square.png
convert -size 4096x4096 xc:'#336699' -fill white -draw 'rectangle 1536,1536 2559,2559' "$square"
gsettings set org.gnome.desktop.background picture-uri "file://$square"
gsettings set org.gnome.desktop.background picture-options zoom
on_screen() { convert "$1" -resize 640x480^ -gravity center -extent 640x480 "$2"; }
# The box (w h x y) around the calendar's black text on the screen: the
# picture has no dark pixels.
calendar_box() {
  convert "$1" -colorspace Gray -threshold 15% -negate -trim -format '%w %h %X %Y\n' info: | tr -d '+'
}
near() { (($1 - $2 <= 3 && $2 - $1 <= 3)); }
kept=
while IFS='|' read -r case stretch; do
  printf '[image]\nstretch=%s\n[calendar]\nscale=100\n' "$stretch" >"$settings"
  show_box on
  [[ $(picture) == "'file://$output'" ]] || fail "picture-uri is $(picture)"
  on_screen "$output" "$root/screen.png"
  read -r w h < <(convert "$root/screen.png" -threshold 90% -trim -format '%w %h\n' info:)
  ((w >= 158 && w <= 162 && h - w <= 1 && w - h <= 1)) || fail "the middle square is ${w}x$h on the screen, not 160x160"
  read -r w h x y < <(calendar_box "$root/screen.png")
  ((x >= 0 && y >= 0 && x + w <= 640 && y + h <= 480 && w > 500 && h > 150)) ||
    fail "the calendar is ${w}x$h+$x+$y on the 640x480 screen: not whole"
  # At its size on the screen either way: alike to a pixel or two at its edges.
  kept=${kept:-$w $h $x $y}
  read -r kw kh kx ky <<<"$kept"
  near "$w" "$kw" && near "$h" "$kh" && near "$x" "$kx" && near "$y" "$ky" ||
    fail "the calendar is ${w}x$h+$x+$y; with the stretch box ticked ${kept// /,}"
  show_box off
  [[ $(picture) == "'file://$square'" ]] || fail "picture-uri is $(picture), not the user's"
done <<EOF
4096-zoomed|1
4096-stretch-box-cleared|0
EOF
keep_screenshot gnome-4096 "$root/screen.png"

finish "runs without the session's desktop left GNOME's wallpaper alone"
