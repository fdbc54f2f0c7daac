#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The refresh timer with a real systemd user manager: the manager of this test's
# own, in a private mount namespace (it starts only where /run/systemd/system
# exists, that is on a machine booted with systemd; the namespace lets it start
# in a container too, without changing the machine), on its own user bus, with
# HOME and XDG folders of the test. The platform tests' manager cases then
# switch the timer on and off for odd program paths and run the service.
#   refresh-timer.sh PATH_TO_TEST_PLATFORM
# Skipped (status 77) where no mount namespace can be made (not root).
set -euo pipefail
tests=$1
if [[ ${1-} != --inside ]]; then
  command -v unshare >/dev/null && [[ -x /lib/systemd/systemd ]] || exit 77
  unshare -m true 2>/dev/null || exit 77
  exec unshare -m --propagation private bash "$0" --inside "$tests"
fi
tests=$2
source "$(dirname "$0")/common.sh"

# Only inside this namespace: the mark of a machine booted with systemd.
mount -t tmpfs tmpfs /run/systemd
mkdir /run/systemd/system
new_user timer
unset DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP DISPLAY WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
/lib/systemd/systemd --user >"$work/manager.log" 2>&1 &
stop_at_exit=$!
# Waits of up to 60 s below: bounds for a busy machine, not measures of speed.
state=
for _ in $(seq 600); do
  state=$(systemctl --user is-system-running 2>/dev/null || true)
  [[ $state == running || $state == degraded ]] && break
  sleep 0.1
done
if [[ $state != running && $state != degraded ]]; then
  echo "the user manager did not start ($state):" >&2
  cat "$work/manager.log" >&2
  exit 1
fi
# The manager on its own user bus, as a desktop session finds it: it joins
# the bus a little after it runs.
owned=
for _ in $(seq 600); do
  owned=$(busctl --user call org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus \
    NameHasOwner s org.freedesktop.systemd1 2>/dev/null || true)
  [[ $owned == "b true" ]] && break
  sleep 0.1
done
[[ $owned == "b true" ]] || { echo "the user manager is not on its user bus" >&2; exit 1; }

status=0
VELNORA_TEST_USER_MANAGER=1 VELNORA_TEST_PROGRAMS=$work/programs VELNORA_TEST_RECORD=$work/record \
  "$tests" --gtest_filter='RefreshTimerManagerTest.*' >"$work/tests.log" 2>&1 || status=$?
cat "$work/tests.log"
if ! grep -q '^\[  PASSED  \] 3 tests' "$work/tests.log"; then
  echo "the manager cases did not all run and pass" >&2
  exit 1
fi
exit "$status"
