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

finish "runs without the session's desktop left GNOME's wallpaper alone"
