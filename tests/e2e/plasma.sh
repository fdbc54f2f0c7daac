#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The calendar on a real KDE Plasma desktop: plasmashell on an X server of its
# own, drawing with Qt Quick's software renderer. Three times: on a fresh
# profile (the picture plugin's Image and FillMode absent: the calendar goes on
# the look-and-feel's wallpaper), on a wallpaper package (the picture it holds
# for the screen) and on the user's own picture with a layout of the user's. Switching on shows the calendar on the
# desktop, a redraw of the same file by "velnora start" is shown, switching off
# gives back the plugin, Image and FillMode of every desktop exactly (absent
# ones absent) and the desktop shows what it showed. A calendar in a bottom
# corner is shown whole above the panel, whose strut KWin (the window manager
# of a Plasma session, started here too) leaves out of the work area. Then on
# two monitors: the calendar on the desktop of the monitor at the corner alone,
# and on the other alone once the corner changes.
#   dbus-run-session -- plasma.sh VELNORA VELNORA_SHOW_BOX
program=$1 showbox=$2
source "$(dirname "$0")/desktop-session.sh"

new_session $((${VELNORA_FIRST_DISPLAY:-140} + 30))
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 \
  QT_QUICK_BACKEND=software LIBGL_ALWAYS_SOFTWARE=1
# The services the shell starts through the bus must reach the same display and home.
dbus-update-activation-environment --all
# The panel is 50 pixels high along the bottom; the clock on it changes.
desktop_area=640x430+0+0

script() { # javascript: run by the shell; prints what the script prints
  local reply
  if ! reply=$(timeout 60 dbus-send --session --print-reply=literal --dest=org.kde.plasmashell \
    /PlasmaShell org.kde.PlasmaShell.evaluateScript "string:$1" 2>&1); then
    echo "$reply" >&2
    return 1
  fi
  echo "${reply#"${reply%%[![:space:]]*}"}"
}
# Every desktop's plugin and the picture plugin's keys, absent ones as absent.
desktops_state() {
  script "var out = '';
    var all = desktops();
    for (var i = 0; i < all.length; i++) {
      var d = all[i];
      d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
      out += d.id + ' screen ' + d.screen + ' plugin ' + d.wallpaperPlugin;
      var keys = [];
      for (var k = 0; k < d.configKeys.length; k++)
        keys.push(d.configKeys[k]);
      keys.sort();
      for (var k = 0; k < keys.length; k++)
        out += ' ' + keys[k] + '=' + JSON.stringify(String(d.readConfig(keys[k])));
      out += '\n';
    }
    print(out);"
}
# True when two captures a second apart are the same (the shell has drawn).
settled() {
  import -window root "$work/settle1.png" 2>/dev/null && sleep 1 &&
    import -window root "$work/settle2.png" 2>/dev/null &&
    [[ $(differing "$work/settle1.png" "$work/settle2.png") == 0 ]]
}

# KWin, as a Plasma session on X11 starts it: the one that turns the panel's
# strut into the root's _NET_WORKAREA. Its compositing is off: no GL here.
start_shell() {
  KWIN_COMPOSE=N start kwin_x11
  start plasmashell --no-respawn
}
work_area_is() { [[ $(xprop -root _NET_WORKAREA 2>&1) == *"= 0, 0, "$1 ]]; } # "WIDTH, HEIGHT" pattern, from 0,0
start_shell
# A fresh profile: the shell makes its default layout, one desktop on the screen.
wait_for 120 eval 'desktops_state | grep -q "screen 0"' || { fail "plasmashell did not start"; exit 1; }
wait_for 60 work_area_is "640, 430" ||
  fail "KWin leaves the panel in the work area: $(xprop -root _NET_WORKAREA 2>&1)"
user="$work/the user's \"sea\" \\ دریا.bmp"
convert -size 640x480 xc:'#336699' -type TrueColor "BMP3:$user"
# A fresh profile shows the look-and-feel's wallpaper package: the calendar goes on it.
printf '[image]\nchoose=0\ncurrent=1\n' >"$settings"
# A wallpaper package with a picture for this screen and one for another.
package=$XDG_DATA_HOME/wallpapers/Sea
mkdir -p "$package/contents/images"
echo '{"KPlugin": {"Id": "Sea", "Name": "Sea"}}' >"$package/metadata.json"
convert -size 640x480 xc:'#208080' -type TrueColor "$package/contents/images/640x480.png"
convert -size 1920x1080 xc:'#802020' -type TrueColor "$package/contents/images/1920x1080.png"
set_image() { # url [url of the monitor at 0,0]: every desktop's picture
  script "var all = desktops();
    for (var i = 0; i < all.length; i++) {
      all[i].currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
      all[i].writeConfig('Image', screenGeometry(all[i].screen).x == 0 ? \"${2:-$1}\" : \"$1\");
    }" >/dev/null || fail "the picture $1 was refused"
}

round() { # name source: switch on, redraw (on the user's picture), switch off
  case=$1-before
  wait_for 60 settled || fail "the desktop does not settle"
  cp "$work/settle2.png" "$work/before.png"
  desktops_state >"$work/before.state"

  case=$1-switch-on
  show_box on
  desktops_state >"$work/on.state"
  grep -q "plugin org.kde.image .*Image=\"file://$output\"" "$work/on.state" || fail "state: $(cat "$work/on.state")"
  wait_for 30 shows "$output" "$desktop_area" ||
    fail "the calendar is not shown ($(differing "$work/screen-area.png" "$work/picture-area.png") pixels differ)"
  [[ $1 != fresh-profile ]] || keep_screenshot plasma-fresh-profile "$work/screen.png"
  # The desktop's own wallpaper, scaled by Plasma: alike but for the calendar and the panel.
  if [[ $2 == "$work/before.png" ]]; then
    drawn=$(compare -metric AE -fuzz 10% "$output" "$2" null: 2>&1 || true)
    [[ $drawn =~ ^[0-9]+$ && $drawn -gt 1000 && $drawn -lt 100000 ]] || fail "not drawn on the wallpaper shown ($drawn)"
  else
    drawn=$(differing "$output" "$2")
    [[ $drawn =~ ^[0-9]+$ && $drawn -gt 1000 && $drawn -lt 100000 ]] || fail "no calendar on the picture ($drawn)"
  fi

  if [[ $1 == user-picture ]]; then
    case=$1-redraw
    cp "$output" "$work/first.bmp"
    moved_and_redrawn
    [[ $(differing "$output" "$work/first.bmp") != 0 ]] || fail "the picture was not redrawn"
    wait_for 30 shows "$output" "$desktop_area" ||
      fail "the redraw is not shown ($(differing "$work/screen-area.png" "$work/picture-area.png") pixels differ)"
  fi

  case=$1-switch-off
  show_box off
  desktops_state >"$work/after.state"
  diff "$work/before.state" "$work/after.state" >&2 || fail "desktop settings differ"
  ! grep -q '^\[oldwallpaper\]' "$settings" || fail "backup left behind"
  wait_for 30 shows "$work/before.png" "$desktop_area" ||
    fail "the desktop is not what it was ($(differing "$work/screen-area.png" "$work/picture-area.png") pixels differ)"
}

round fresh-profile "$work/before.png"
grep -q 'Image=' "$work/before.state" && fail "a fresh profile has an Image: $(cat "$work/before.state")"

set_image "file://$package/"
wait_for 30 shows "$package/contents/images/640x480.png" "$desktop_area" || fail "plasmashell does not show the package"
round package "$package/contents/images/640x480.png"

# The user's own picture, under a name that needs quoting in every language,
# and a layout of the user's (centred, no scaling).
js_url=${user//\\/\\\\}
js_url="file://${js_url//\"/\\\"}"
script "var all = desktops();
  for (var i = 0; i < all.length; i++) {
    all[i].currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
    all[i].writeConfig('Image', \"$js_url\");
    all[i].writeConfig('FillMode', 6);
  }" >/dev/null || fail "the user's picture was refused"
wait_for 30 shows "$user" "$desktop_area" || fail "plasmashell does not show the user's picture"
round user-picture "$user"

# The panel keeps a calendar in a bottom corner clear: by default the distance
# is counted from the work area's edge, so the calendar is shown whole above
# the panel, 50 pixels (the panel's height) higher than when counted from the
# screen's edge, where the panel would cover it.
case=panel
calendar_box() { convert "$output" "$user" -compose difference -composite -trim -format '%wx%h%X%Y\n' info:; }
printf '[image]\nposition=3\n' >"$settings"
show_box on
above=$(calendar_box)
wait_for 30 shows "$output" "$above" ||
  fail "the panel covers the calendar ($(differing "$work/screen-area.png" "$work/picture-area.png") pixels differ)"
keep_screenshot plasma-panel "$work/screen.png"
sed -i 's/^workarea=.*/workarea=0/' "$settings"
logon_run
IFS='x+' read -r w h x y < <(calendar_box)
[[ $above == "${w}x$h+$x+$((y - 50))" && $((y + h)) -gt 430 ]] ||
  fail "the calendar at $above, and at ${w}x$h+$x+$y counted from the screen's edge"
show_box off

# Logons that start the calendar's run and plasmashell together, either one
# first: the run waits for the shell's desktops, and never backs up another
# picture (the root window behind the shell, captured as bare X11's).
case=logon-race
desktops_state >"$work/race-before.state"
show_box on
backup() { sed -n '/^\[oldwallpaper\]/,/^\[/p' "$settings"; cat "$XDG_STATE_HOME/velnora/oldwallpaper.ini"; }
backup >"$work/backup"
for try in $(seq 10); do
  case=logon-race-$try
  kill "${started[-1]}"
  wait "${started[-1]}" 2>/dev/null || true
  pause=0.$((try / 2))
  if ((try % 2)); then start plasmashell --no-respawn && sleep "$pause"; fi
  timeout 120 "$folder/velnora" start >"$root/log" 2>&1 &
  run=$!
  if ((try % 2 == 0)); then sleep "$pause" && start plasmashell --no-respawn; fi
  wait "$run" || fail "velnora start: $(<"$root/log")"
  backup | diff "$work/backup" - >&2 || fail "the backup changed"
done
! compgen -G "$XDG_STATE_HOME/velnora/root-*" >/dev/null || fail "the root window was captured"
uncertain_runs <<EOF
refresh|0||XDG_CURRENT_DESKTOP is not set, and plasmashell runs on the session bus
EOF
case=logon-race-switch-off
show_box off
desktops_state | diff "$work/race-before.state" - >&2 || fail "desktop settings differ"

# What the shell keeps on disk once it ends: the user's picture and layout.
case=saved
kill "${started[-1]}"
wait "${started[-1]}" 2>/dev/null || true
rc=$XDG_CONFIG_HOME/plasma-org.kde.plasma.desktop-appletsrc
saved=$(sed -n '/^\[Containments\]\[[0-9]*\]\[Wallpaper\]\[org.kde.image\]\[General\]$/,/^$/p' "$rc")
# The settings file writes a backslash as two.
[[ $saved == *"FillMode=6"* && $saved == *"Image=file://${user//\\/\\\\}"* ]] || fail "saved: $saved"

# Two monitors of different sizes as two outputs of Xorg's dummy driver
# (plasmashell makes a desktop for each output, but none for a RandR monitor
# without one): in each corner only the desktop of the monitor there gets the
# calendar, drawn at its size; the other keeps its values and shows what it
# showed; switching off gives back both (the left one's centred layout, the
# right one's absent FillMode). Each monitor has a picture of its own: the left
# one's is mirrored.
case=two-monitors
kill "$xvfb" && wait "$xvfb" 2>/dev/null || true
start_two_monitor_xorg $((display + 1))
source "$(dirname "$0")/two-monitors.sh"
dbus-update-activation-environment --all
start_shell
wait_for 120 eval 'desktops_state | grep -q "screen 1"' || { fail "no desktop on the second monitor"; exit 1; }
# The panel along the left monitor's bottom, as high as the shell makes it
# there: the right monitor's part of the root's work area is the whole monitor.
wait_for 60 work_area_is "3200, 10[0-7][0-9]" ||
  fail "KWin leaves the panel in the work area: $(xprop -root _NET_WORKAREA 2>&1)"
convert -size 1600x1200 gradient:'#ff8000-#0040ff' -rotate 90 "$work/user.png"
convert "$work/user.png" -flop "$work/left.png"
set_image "file://$work/user.png" "file://$work/left.png"
while read -r picture size; do
  convert "$work/$picture.png" -resize "$size^" -gravity center -extent "$size" "$work/$size.png"
done <<<"left 1920x1080
user 1280x720"
# The screen's bottom rows, where the panel's clock changes, are not compared.
shown_alone() { # monitor corner: the calendar on the monitor's desktop alone
  desktops_state >"$work/on.state"
  [[ $(grep -c "Image=\"file://$output\"" "$work/on.state") == 1 &&
    -z $(grep -vF "file://$output" "$work/on.state" | grep -vxFf "$work/before.state") ]] ||
    fail "not the one desktop: $(cat "$work/on.state")"
  on_monitor "$work/${1%%+*}.png" "$output" 3 "${1%%+*}+0+0" "$2"
  convert "$work/before.png" "$output" -geometry "+${1#*+}" -composite "$work/expected.png"
  wait_for 30 shows "$work/expected.png" 3200x1020+0+0 || fail "the calendar is not shown on $1 alone"
}
while read -r position monitor corner; do
  case=two-monitors-$corner
  printf '[image]\nposition=%s\n' "$position" >"$settings"
  wait_for 60 settled || fail "the desktop does not settle"
  cp "$work/settle2.png" "$work/before.png"
  desktops_state >"$work/before.state"
  show_box on
  shown_alone "$monitor" "$corner"
  if [[ $corner == top-right ]]; then
    keep_screenshot plasma-two-monitors "$work/screen.png"
    # The corner changed while on: the start moves the calendar to the left
    # monitor, drawn on that one's own picture (its top right far from the
    # calendar), and the right one gets its own values back at once.
    case=two-monitors-moved
    sed -i 's/^position=.*/position=3/' "$settings"
    logon_run
    shown_alone 1920x1080+0+0 bottom-left
    [[ $(compare -metric AE -fuzz 3% "$output[400x300+1500+0]" "$work/1920x1080.png[400x300+1500+0]" null: 2>&1) == 0 ]] ||
      fail "not drawn on the left monitor's own picture"
  fi
  show_box off
  desktops_state | diff "$work/before.state" - >&2 || fail "desktop settings differ"
  wait_for 30 shows "$work/before.png" 3200x1020+0+0 || fail "the desktop is not what it was"
done <<<"$corners"

finish "the calendar went on and off KDE Plasma"
