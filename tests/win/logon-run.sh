#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velnora.exe in a folder Wine cannot write (as Program Files for a user) keeps
# its files under %APPDATA%\Velnora; with its calendar on, a logon (server
# stopped, then wineboot, which starts the Run key's commands) runs its "start",
# drawing Velnora.bmp again. Run by scripts/test-windows after ctest, as it
# restarts the tests' server (leaving a new one, -p). Non-zero on failure.
#   logon-run.sh BUILD_DIR
set -euo pipefail
dir=$1
# Without write permission, and immutable too: permissions do not stop root.
folder=$dir/locked-program
unlock() { [[ ! -e $folder ]] || { chattr -i "$folder" 2>/dev/null || true; chmod 755 "$folder"; rm -rf "$folder"; }; }
unlock
trap unlock EXIT
mkdir "$folder"
cp "$dir/bin/velnora.exe" "$folder/"
chmod 555 "$folder"
if [[ $EUID == 0 ]]; then chattr +i "$folder"; fi
program=$(winepath -w "$folder/velnora.exe")
appdata=$(wine cmd /c echo %APPDATA% | tr -d '\r')\\Velnora
picture=$(winepath -u "$appdata")/Velnora.bmp
status=0
fail() { echo "logon-run.sh: $*" >&2; status=1; }

wine "$dir/bin/put_calendar_on.exe" "$program"
rm "$picture"
wine "$program" start # the Run value and the daily task, as switching on writes them
[[ -f $picture && -f $(winepath -u "$appdata")/velnora.INI ]] || fail "no Velnora.bmp and velnora.INI in $appdata"
wine reg query 'HKCU\Control Panel\Desktop' /v Wallpaper | grep -qF "$appdata\\Velnora.bmp" ||
  fail "the wallpaper is not $appdata\\Velnora.bmp"
rm "$picture"

wineserver -k
wine wineboot
wineserver -w # until the session's programs, velnora.exe among them, have ended
wineserver -p
[[ -f $picture ]] || fail "the logon did not run velnora.exe start: no Velnora.bmp"
wine "$program" off
rm -f "$(winepath -u "$appdata")/velnora.INI"
exit $status
