#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher and the software-centre entry as shipped: desktop-file-validate
# and appstreamcli's pedantic check have nothing to say about either, and the
# Persian texts use the Persian letters yeh and keheh, not the Arabic ones.
# The window, on an X server of its own in a session without a bus, has the
# class the launcher names, and leaves no autolaunched bus daemon behind.
#   launcher-metadata.sh RESOURCES_FOLDER PATH_TO_VELNORA
desktop=$1/io.github.velnora.desktop
metainfo=$1/io.github.velnora.metainfo.xml
program=$2
source "$(dirname "$0")/common.sh"
case=files

said=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
[[ -z $said ]] || fail "desktop-file-validate: $said"

# Debian 12's appstreamcli (0.16) predates the <developer> element of AppStream
# 1.0 and notes it as an unknown tag, an info only; anything else is a fault.
said=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1) ||
  fail "appstreamcli validate failed: $said"
issues=$(grep -E '^[EWIP]: ' <<<"$said" | grep -v ': unknown-tag developer$' || true)
[[ -z $issues ]] || fail "appstreamcli: $issues"

for file in "$desktop" "$metainfo"; do
  ! grep -q $'\u064a\|\u0643' "$file" || fail "$file has the Arabic yeh or kaf"
  grep -q $'\u06cc' "$file" || fail "$file has no Persian text"
done
for key in 'Name\[fa\]' 'Comment\[fa\]' 'Keywords' 'Keywords\[fa\]'; do
  grep -q "^$key=" "$desktop" || fail "the launcher has no $key"
done

case=window
new_user window
start_xvfb 60
x=(env DISPLAY=":$display")
env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$root" "${x[@]}" "$folder/velnora" &
velnora=$!
id=$(timeout 60 "${x[@]}" xdotool search --sync --onlyvisible --pid "$velnora" | head -1) ||
  fail "no window shown"
class=$("${x[@]}" xprop -id "${id:-0}" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
[[ $class == "$(sed -n 's/^StartupWMClass=//p' "$desktop")" ]] ||
  fail "the window's class '$class' is not the launcher's StartupWMClass"
kill "$velnora" && wait "$velnora" || true
# dbus-launch notes each bus it autolaunches in HOME, with its process id.
for note in "$home"/.dbus/session-bus/*; do
  [[ -e $note ]] || continue
  fail "a bus daemon was autolaunched and left running"
  kill "$(sed -n 's/^DBUS_SESSION_BUS_PID=//p' "$note")" || true
done
finish "launcher and metainfo: valid; the window's class is the launcher's, no bus left"
