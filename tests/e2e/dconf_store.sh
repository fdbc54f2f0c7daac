#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The GNOME store on the real dconf: dconf-service activated on a session bus of
# its own (dbus-run-session), the user's database in a temporary HOME; then the
# same store with no session bus at all, and on GIO's settings held in memory.
#   dconf_store.sh PATH_TO_TEST_DCONF_STORE
tests=$1
source "$(dirname "$0")/common.sh"
new_user dconf
export GSETTINGS_BACKEND=dconf
unset GSETTINGS_SCHEMA_DIR

# Root writes into read-only folders; in a user namespace that maps an ordinary
# user id onto the caller it does not, so the read-only database can be tried.
as_user=()
if [[ $(id -u) == 0 ]] && unshare --user --map-user=1000 --map-group=1000 true 2>/dev/null; then
  as_user=(unshare --user --map-user=1000 --map-group=1000)
fi
"${as_user[@]}" dbus-run-session -- "$tests" --gtest_filter='Dconf.*'
DBUS_SESSION_BUS_ADDRESS=unix:path=$root/no-bus "$tests" --gtest_filter='NoSessionBus.*'
GSETTINGS_BACKEND=memory "$tests" --gtest_filter='MemoryBackend.*'
