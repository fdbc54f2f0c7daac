#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The user's wallpaper on a bare X server (a window manager alone), end to end:
# Debian's feh sets the root picture, the calendar goes on and off through the
# program's own window (velnora-show-box) and its logon run (velnora start), and
# the root window must then show exactly what feh painted, pixel for pixel.
#   bare_x11.sh PATH_TO_VELNORA PATH_TO_VELNORA_SHOW_BOX
program=$1
showbox=$2
source "$(dirname "$0")/common.sh"
# Ten above the unattended run's first number when one is given, so that the
# two never race for a number when ctest runs them at once. A screen of today's
# usual size, larger than the pictures the program reads before it paints the
# root: the root must show the whole output picture all the same.
screen=1920x1080
if [[ -n ${VELNORA_FIRST_DISPLAY-} ]]; then first=$((VELNORA_FIRST_DISPLAY + 10)); else first=120; fi
start_xvfb "$first" "$screen"

# The user's pictures: smaller and larger than the screen, so that feh's
# centring and filling both show.
convert -size 320x200 gradient:'#ff8000-#0040ff' "$work/small.png"
convert -seed 7 -size 2400x1400 plasma:'#208040-#c0e0ff' "$work/large.jpg"
convert -size 800x600 pattern:checkerboard -fill '#a03060' -colorize 40 "$work/other.png"

session() { # command...: run in the user's bare X11 session
  in_bare_session timeout 60 "$@"
}
feh_sets() { # feh's option and picture
  session feh --no-fehbg "$@" >"$root/log" 2>&1 || fail "feh $*: $(cat "$root/log")"
}
show_box() { # on|off
  session "$showbox" "$folder/velnora" "$1" >"$root/log" 2>&1 || fail "show box $1: $(cat "$root/log")"
}
logon_run() {
  session "$folder/velnora" start >"$root/log" 2>&1 || fail "velnora start: $(cat "$root/log")"
}
grab() { # file: the root window as it is now
  import -display ":$display" -window root "$1"
}
same() { # picture picture what
  local count
  count=$(differing "$1" "$2")
  [[ $count == 0 ]] || fail "$3 differs in $count pixels"
}
backed_up() { # the backup's Wallpaper in the user's record
  awk '/^\[/ { section = $0 } section == "[x11]" && /^Wallpaper=/ {
    print substr($0, 11); exit }' "$home/.local/state/velnora/oldwallpaper.ini"
}

# A root no tool has set: "the current wallpaper" is a black picture of the
# screen's size; on and off leave the root black.
new_user bare-root
show_box on
grab "$root/on.png"
[[ -f $output ]] || fail "no output picture"
[[ $(differing "$root/on.png" "$output") == 0 ]] || fail "root does not show the calendar"
convert -size "$screen" xc:black "$root/black.png"
captured=$(backed_up)
same "$captured" "$root/black.png" "the backed-up picture"
show_box off
grab "$root/off.png"
same "$root/off.png" "$root/black.png" "the root after switching off"

# A chosen picture smaller than the screen: the root shows the output picture.
new_user chosen
convert -size 800x600 gradient:'#30a0ff-#ffe080' "BMP3:$home/chosen.bmp"
printf '[image]\nchoose=1\ncurrent=0\npath=%s\n' "$home/chosen.bmp" >"$settings"
show_box on
grab "$root/on.png"
[[ $(differing "$root/on.png" "$output") == 0 ]] || fail "root does not show the calendar"
show_box off

# feh centres a small picture, then fills with a large one: each time the
# calendar goes on, is redrawn at logon, and goes off again.
for how in center fill; do
  new_user "feh-$how"
  if [[ $how == center ]]; then feh_sets --bg-center "$work/small.png"; else feh_sets --bg-fill "$work/large.jpg"; fi
  grab "$root/feh.png"
  show_box on
  grab "$root/on.png"
  [[ $(differing "$root/on.png" "$output") == 0 ]] || fail "root does not show the calendar"
  count=$(differing "$root/on.png" "$root/feh.png")
  [[ $count =~ ^[0-9]+$ && $count -gt 1000 ]] || fail "no calendar on the root ($count)"
  # The calendar is drawn on what feh painted: the stretch to the screen's size
  # (on by default) shifts each pixel's colour a little, the calendar a lot.
  count=$(differing "$output" "$root/feh.png" -fuzz 10%)
  [[ $count =~ ^[0-9]+$ && $count -lt 20000 ]] || fail "calendar not drawn on feh's picture ($count)"
  captured=$(backed_up)
  [[ $captured == "$home/.local/state/velnora/"* ]] || fail "backup names $captured"
  same "$captured" "$root/feh.png" "the backed-up picture"
  logon_run
  [[ $(backed_up) == "$captured" ]] || fail "backup changed at logon"
  grab "$root/logon.png"
  same "$root/logon.png" "$output" "the root after the logon run"
  show_box off
  grab "$root/off.png"
  same "$root/off.png" "$root/feh.png" "the root after switching off"
  ! grep -q '^\[oldwallpaper\]' "$settings" || fail "backup left after switching off"
done

# feh sets another picture while the calendar is on: the next start finds the
# calendar displaced and keeps that picture; on and off again give it back.
new_user displaced
feh_sets --bg-fill "$work/large.jpg"
show_box on
feh_sets --bg-center "$work/other.png"
grab "$root/other.png"
logon_run
grab "$root/after-start.png"
same "$root/after-start.png" "$root/other.png" "the root after the start"
captured=$(backed_up)
[[ $captured == "$home/.local/state/velnora/"* ]] || fail "backup names $captured"
same "$captured" "$root/other.png" "the refreshed backup"
show_box on
grab "$root/on.png"
[[ $(differing "$root/on.png" "$output") == 0 ]] || fail "root does not show the calendar"
show_box off
grab "$root/off.png"
same "$root/off.png" "$root/other.png" "the root after switching off"

# The picture under the calendar set again by the session at logon (feh's
# ~/.fehbg) is no change: the logon run redraws the calendar.
new_user fehbg-at-logon
feh_sets --bg-fill "$work/large.jpg"
show_box on
feh_sets --bg-fill "$work/large.jpg"
logon_run
grab "$root/logon.png"
same "$root/logon.png" "$output" "the root after the logon run"
show_box off
grab "$root/off.png"
feh_sets --bg-fill "$work/large.jpg"
grab "$root/feh.png"
same "$root/off.png" "$root/feh.png" "the root after switching off"

finish "all bare X11 runs passed"
