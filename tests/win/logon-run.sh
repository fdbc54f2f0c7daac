#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The logon run under Wine: with the calendar on, a new session (the server
# stopped, then wineboot, which starts the Run key's commands as a logon does)
# runs "velnora.exe start", which draws Velnora.bmp again. Run by
# scripts/test-windows after ctest, in its WINEPREFIX: it stops the test run's
# server and leaves a new one started (wineserver -p). Exits non-zero on failure.
#   logon-run.sh BUILD_DIR
set -euo pipefail
dir=$1
folder=$WINEPREFIX/drive_c/velnora-logon
program='C:\velnora-logon\velnora.exe'
rm -rf "$folder"
mkdir -p "$folder"
cp "$dir/bin/velnora.exe" "$folder/"
wine "$dir/bin/put_calendar_on.exe" "$program"
# The Run value and the daily task, as switching on writes them.
wine "$program" start
rm "$folder/Velnora.bmp"

wineserver -k
wine wineboot
# Until the session's last program, velnora.exe among them, has ended.
wineserver -w
wineserver -p
status=0
if [[ ! -f $folder/Velnora.bmp ]]; then
  echo "logon-run.sh: the logon did not run velnora.exe start: no Velnora.bmp" >&2
  status=1
fi
wine "$program" off
rm -rf "$folder"
exit $status
