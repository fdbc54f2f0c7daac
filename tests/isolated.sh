#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one test with a HOME and XDG folders of its own, made for this run and
# removed after it, and with no session bus: no test reads or changes the
# caller's settings, wallpaper record or desktop. ccache keeps the caller's
# cache, so that the package build is served by it.
#   isolated.sh COMMAND...
set -uo pipefail
if command -v ccache >/dev/null && [[ -z ${CCACHE_DIR-} ]]; then
  CCACHE_DIR=$(ccache -k cache_dir 2>/dev/null) && export CCACHE_DIR
fi
home=$(mktemp -d "${TMPDIR:-/tmp}/velnora-test-XXXXXX")
trap 'chmod -R u+w "$home" 2>/dev/null; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
  XDG_STATE_HOME=$home/.local/state XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$home/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS
"$@"
