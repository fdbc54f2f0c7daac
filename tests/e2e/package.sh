#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages as a distribution gets them: scripts/package builds
# velnora and velnora-dbgsym into a throwaway folder (lintian --pedantic finds
# no tag, or it fails); the programs are hardened and stripped, their
# debugging symbols in velnora-dbgsym; the package holds the programs, the
# manual pages, the completions, the launcher, the icons, the AppStream entry
# and the documentation in their Debian places, and depends on what Qt loads
# at run time; the autopkgtest passes on the unpacked package; the manual
# pages render without a warning, with the version, and break no option or
# path at a line's end.
#   package.sh SOURCE_FOLDER VERSION
source=$1
version=$2
source "$(dirname "$0")/common.sh"

arch=$(dpkg --print-architecture)
made=$("$source/scripts/package" "$work") || { echo "FAIL: scripts/package failed" >&2; exit 1; }
deb=$work/velnora_${version}_$arch.deb
dbgsym=$work/velnora-dbgsym_${version}_$arch.deb
[[ $(sort <<<"$made") == "$(printf '%s\n' "$deb" "$dbgsym" | sort)" ]] ||
  fail "scripts/package made: $(echo $made)"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in \
  usr/bin/velnora usr/bin/velnora-cli \
  usr/share/man/man1/velnora.1.gz usr/share/man/man1/velnora-cli.1.gz \
  usr/share/bash-completion/completions/velnora-cli usr/share/bash-completion/completions/velnora \
  usr/share/zsh/vendor-completions/_velnora-cli usr/share/zsh/vendor-completions/_velnora \
  usr/share/fish/vendor_completions.d/velnora-cli.fish usr/share/fish/vendor_completions.d/velnora.fish \
  usr/share/applications/io.github.velnora.desktop \
  usr/share/icons/hicolor/48x48/apps/io.github.velnora.png \
  usr/share/icons/hicolor/256x256/apps/io.github.velnora.png \
  usr/share/icons/hicolor/scalable/apps/io.github.velnora.svg \
  usr/share/metainfo/io.github.velnora.metainfo.xml \
  usr/share/doc/velnora/copyright usr/share/doc/velnora/changelog.gz \
  usr/share/doc/velnora/README.md.gz usr/share/doc/velnora/NEWS.gz \
  usr/share/doc/velnora/README.Debian; do
  grep -qx "\./$file" <<<"$contents" || fail "the package has no /$file"
done
# Nothing outside /usr: no configuration files, nothing in the users' homes.
outside=$(grep -v '^\./usr/\|^\./$' <<<"$contents" || true)
[[ -z $outside ]] || fail "files outside /usr: $outside"
# One file of debugging symbols for each program.
debug=$(dpkg-deb -c "$dbgsym" | grep -c '/usr/lib/debug/\.build-id/.*\.debug$' || true)
((debug == 2)) || fail "velnora-dbgsym holds $debug files of symbols, not 2"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libjpeg62-turbo libglib2.0-0 qt6-image-formats-plugins \
  libqt6svg6 fonts-farsiweb; do
  grep -q "\(^\|, \)$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "Version is not $version"

root=$work/root
dpkg-deb -x "$deb" "$root"
# Every protection but control-flow enforcement, which no program linked on
# Debian 12 can have (see debian/rules).
for program in velnora velnora-cli; do
  said=$(hardening-check --quiet --nocfprotection "$root/usr/bin/$program") ||
    fail "hardening-check: $(echo $said)"
  ! readelf -S "$root/usr/bin/$program" | grep -q '\.comment' || fail "$program keeps .comment"
done
PATH=$root/usr/bin:$PATH AUTOPKGTEST_TMP=$work sh "$source/debian/tests/installed-programs" ||
  fail "the autopkgtest failed on the unpacked package"
# The change log's latest entry is this version; README.Debian says what to
# do before removing the package.
[[ $(zcat "$root/usr/share/doc/velnora/changelog.gz" | head -1) == "velnora ($version) "* ]] ||
  fail "the change log does not begin with version $version"
grep -q 'velnora off' "$root/usr/share/doc/velnora/README.Debian" || fail "README.Debian lacks velnora off"
# The licence file names the licence of every file shipped, and of the fonts.
copyright=$root/usr/share/doc/velnora/copyright
for license in GPL-3.0-or-later CC0-1.0 OFL-1.1; do
  grep -q "^License: $license\$" "$copyright" || fail "copyright has no $license text"
done
grep -q '^Files: resources/fonts/\*$' "$copyright" || fail "copyright has no stanza for the fonts"

# The manual pages as man and groff show them, at two widths.
for name in velnora velnora-cli; do
  file=$root/usr/share/man/man1/$name.1.gz
  for width in 80 100; do
    text=$(MANWIDTH=$width man --warnings=all -l "$file" 2>"$work/warnings")
    [[ ! -s $work/warnings ]] || fail "man $name at $width: $(cat "$work/warnings")"
    broken=$(grep -n '[‐-]$' <<<"$text" || true)
    [[ -z $broken ]] || fail "$name(1) at $width columns breaks a word at a hyphen: $broken"
  done
  warnings=$(zcat "$file" | groff -k -ww -man -Tutf8 -z 2>&1)
  [[ -z $warnings ]] || fail "groff on $name(1): $warnings"
  [[ $(tail -1 <<<"$text") == "Velnora $version "* ]] || fail "$name(1)'s footer: $(tail -1 <<<"$text")"
  grep -q '^REPORTING BUGS' <<<"$text" || fail "$name(1) has no REPORTING BUGS"
done
for command in today convert month stretch render settings ini; do
  grep -q "^   $command" <<<"$(MANWIDTH=80 man -l "$root/usr/share/man/man1/velnora-cli.1.gz")" ||
    fail "velnora-cli(1) has no section on $command"
done

finish "package $(basename "$deb"): lintian-clean, hardened, with symbols, complete; its autopkgtest passes"
