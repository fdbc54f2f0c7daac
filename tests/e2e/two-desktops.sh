#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One user with GNOME (dconf), a bare X11 session and Xfce (xfconfd and
# xfdesktop) on one X server: the calendar on in GNOME, then on and off on bare
# X11 and in Xfce, leaves GNOME's calendar, backup, logon entry and timer as
# they were. Then the program folder is deleted with the calendar on, and
# "velnora off" from another copy gives GNOME its wallpaper back and removes
# the entry, the timer and the record.
#   dbus-run-session -- two-desktops.sh VELNORA VELNORA_SHOW_BOX
program=$1 showbox=$2
source "$(dirname "$0")/desktop-session.sh"

new_session $((${VELNORA_FIRST_DISPLAY:-140} + 30))
export GSETTINGS_BACKEND=dconf
record=$XDG_STATE_HOME/velnora/oldwallpaper.ini
entry=$XDG_CONFIG_HOME/autostart/Velnora.desktop
timer=$XDG_CONFIG_HOME/systemd/user/velnora-refresh.timer
in_desktop() { # desktop ("" for bare X11) command...: run in that desktop's session
  local desktop=$1
  shift
  if [[ -n $desktop ]]; then
    XDG_CURRENT_DESKTOP=$desktop timeout 120 "$@" >"$root/log" 2>&1
  else
    env -u XDG_CURRENT_DESKTOP timeout 120 "$@" >"$root/log" 2>&1
  fi
}
box() { # desktop on|off
  in_desktop "$1" "$showbox" "$folder/velnora" "$2" || fail "show box $2: $(cat "$root/log")"
}
gnome_picture() { gsettings get org.gnome.desktop.background picture-uri; }
gnome_intact() {
  [[ $(gnome_picture) == "'file://$output'" ]] || fail "GNOME shows $(gnome_picture)"
  grep -qx '\[gnome\]' "$record" || fail "GNOME's backup is gone"
  [[ -f $entry && -f $timer ]] || fail "the logon entry or the timer is gone"
  in_desktop GNOME "$folder/velnora" start || fail "logon in GNOME: $(cat "$root/log")"
  [[ $(gnome_picture) == "'file://$output'" ]] || fail "GNOME shows $(gnome_picture) after logon"
}

case=gnome-on
convert -size 640x480 xc:'#336699' "$work/gnome.png"
gsettings set org.gnome.desktop.background picture-uri "file://$work/gnome.png"
box GNOME on
[[ $(gnome_picture) == "'file://$output'" ]] || fail "GNOME shows $(gnome_picture)"

case=bare-x11
box "" on
box "" off
gnome_intact

case=xfce
start_xfce
xfce_before=$(property "${ws}0/last-image")
box XFCE on
[[ $(property "${ws}0/last-image") == "(<'$output'>,)" ]] || fail "Xfce shows $(property "${ws}0/last-image")"
box XFCE off
[[ $(property "${ws}0/last-image") == "$xfce_before" ]] || fail "Xfce shows $(property "${ws}0/last-image")"
gnome_intact

case=program-removed
rm -rf "$folder"
mkdir "$root/again"
cp "$program" "$root/again/velnora"
in_desktop GNOME "$root/again/velnora" off || fail "velnora off: $(cat "$root/log")"
[[ $(cat "$root/log") == "velnora: the calendar is off and the wallpaper is restored; the logon entry and the refresh timer are removed" ]] ||
  fail "printed: $(cat "$root/log")"
[[ $(gnome_picture) == "'file://$work/gnome.png'" ]] || fail "GNOME shows $(gnome_picture)"
for file in "$entry" "$timer" "$record"; do [[ ! -e $file ]] || fail "$file left"; done

finish "the calendar went on and off on three desktops of one user, and off with the program gone"
