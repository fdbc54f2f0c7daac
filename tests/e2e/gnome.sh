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

# A background of colours only: the calendar goes on a picture of the gradient.
case=colour-only
for key in "picture-uri ''" "primary-color '#ff0000'" "secondary-color '#0000ff'" "color-shading-type 'vertical'"; do
  eval gsettings set org.gnome.desktop.background "$key"
done
show_box on
corners=$(convert "$output" -format '%[fx:p{0,0}.r>0.98&&p{0,0}.b<0.02&&p{0,479}.b>0.98&&p{0,479}.r<0.02]' info:)
[[ $corners == 1 ]] || fail "the picture is not red above and blue below"
show_box off
[[ $(picture) == "''" ]] || fail "picture-uri is $(picture), not empty"

finish "runs without the session's desktop left GNOME's wallpaper alone"
