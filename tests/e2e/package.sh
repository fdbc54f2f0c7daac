#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a user and a distribution get it: scripts/package
# builds it into a throwaway folder; it holds the programs, the manual pages,
# the completions, the launcher, the icons, the AppStream entry and the
# licence in their Debian places, depends on what Qt loads at run time,
# passes lintian without errors, and the velnora-cli unpacked from it runs on
# the system's libraries.
#   package.sh SOURCE_FOLDER BUILD_FOLDER VERSION
set -euo pipefail
source=$1
build=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

deb=$("$source/scripts/package" "$work" "$build")
arch=$(dpkg --print-architecture)
[[ $deb == "$work/velnora_${version}_$arch.deb" ]] || fail "package named $deb"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in \
  usr/bin/velnora usr/bin/velnora-cli \
  usr/share/man/man1/velnora.1.gz usr/share/man/man1/velnora-cli.1.gz \
  usr/share/bash-completion/completions/velnora-cli \
  usr/share/zsh/vendor-completions/_velnora-cli \
  usr/share/fish/vendor_completions.d/velnora-cli.fish \
  usr/share/applications/io.github.velnora.desktop \
  usr/share/icons/hicolor/48x48/apps/io.github.velnora.png \
  usr/share/icons/hicolor/256x256/apps/io.github.velnora.png \
  usr/share/icons/hicolor/scalable/apps/io.github.velnora.svg \
  usr/share/metainfo/io.github.velnora.metainfo.xml \
  usr/share/doc/velnora/copyright usr/share/doc/velnora/changelog.gz; do
  grep -qx "\./$file" <<<"$contents" || fail "the package has no /$file"
done
# Nothing outside /usr: no configuration files, nothing in the users' homes.
outside=$(grep -v '^\./usr/\|^\./$' <<<"$contents" || true)
[[ -z $outside ]] || fail "files outside /usr: $outside"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libjpeg62-turbo libglib2.0-0 qt6-image-formats-plugins \
  libqt6svg6 fonts-farsiweb; do
  grep -q "\(^\|, \)$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "Version is not $version"

# Errors fail; warnings and the rest are shown for the log.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 ||
  fail "lintian: $(grep '^E: ' "$work/lintian" || cat "$work/lintian")"
cat "$work/lintian"

root=$work/root
dpkg-deb -x "$deb" "$root"
said=$("$root/usr/bin/velnora-cli" --version) || fail "the installed velnora-cli --version failed"
[[ $said == "velnora-cli $version" ]] || fail "velnora-cli --version said '$said'"
said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/velnora" --version) ||
  fail "the installed velnora --version failed"
[[ $said == "velnora $version" ]] || fail "velnora --version said '$said'"
# The change log's latest entry is this version.
[[ $(zcat "$root/usr/share/doc/velnora/changelog.gz" | head -1) == "velnora ($version) "* ]] ||
  fail "the change log does not begin with version $version"
# The licence file names the licence of every file shipped, and of the fonts
# the program may ship.
copyright=$root/usr/share/doc/velnora/copyright
for license in GPL-3.0-or-later CC0-1.0 OFL-1.1; do
  grep -q "^License: $license\$" "$copyright" || fail "copyright has no $license text"
done
grep -q '^Files: resources/fonts/\*$' "$copyright" || fail "copyright has no stanza for the fonts"
# The manual pages as man shows them: every command of velnora-cli there.
page=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/velnora-cli.1.gz" 2>&1)
for command in today convert month stretch render settings ini; do
  grep -q "^   $command" <<<"$page" || fail "velnora-cli(1) has no section on $command"
done

if ((failures > 0)); then exit 1; fi
echo "package $(basename "$deb"): complete, lintian without errors, velnora-cli runs"
