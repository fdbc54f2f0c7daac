#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher and the software-centre entry as shipped: desktop-file-validate
# and appstreamcli's pedantic check have nothing to say about either, and the
# Persian texts use the Persian letters yeh and keheh, not the Arabic ones.
#   launcher-metadata.sh RESOURCES_FOLDER
set -euo pipefail
desktop=$1/io.github.velnora.desktop
metainfo=$1/io.github.velnora.metainfo.xml
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

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

if ((failures > 0)); then exit 1; fi
echo "launcher and metainfo: valid"
