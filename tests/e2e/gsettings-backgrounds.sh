#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Backgrounds of the GNOME family that are not just a picture, on the real
# dconf with each desktop's own schema: colours only (no picture: the calendar
# goes on the colours, as the desktop paints them) and a grey picture with
# transparency, as MATE's stock Stripes.png (the calendar goes on the picture
# laid over the colours, not over black), and a default picture that names a
# file not installed (the desktop paints its colours alone, and so does the
# calendar). Switching off gives back every key of the user's database exactly.
#   dbus-run-session -- gsettings-backgrounds.sh VELNORA VELNORA_SHOW_BOX
program=$1 showbox=$2
source "$(dirname "$0")/desktop-session.sh"

new_session $((${VELNORA_FIRST_DISPLAY:-140} + 60))
export GSETTINGS_BACKEND=dconf
# Grey at 40 % with opaque grey stripes, the screen's size: laid over the
# colours unscaled whatever the layout.
stripes=$work/stripes.png
convert -size 640x480 xc:'rgba(128,128,128,0.4)' -fill 'rgb(96,96,96)' \
  -draw 'rectangle 0,0 639,7' -draw 'rectangle 0,240 639,247' "PNG32:$stripes"

# desktop|schema|picture key|the stripes as that key holds them|vertical nick|horizontal nick
while IFS='|' read -r desktop schema key picture vertical horizontal; do
  export XDG_CURRENT_DESKTOP=$desktop
  # name|picture|shading|size of ImageMagick's top-down gradient and its turn
  while IFS='|' read -r name value shading size turn; do
    case=$desktop-$name
    for setting in "$key '$value'" "primary-color '#ff0000'" "secondary-color '#0000ff'" \
      "color-shading-type '$shading'"; do
      eval gsettings set "$schema" "$setting"
    done
    dconf dump / >"$work/before.dconf"
    # What the desktop paints: the gradient, and the picture over it.
    convert -size "$size" gradient:'#ff0000-#0000ff' -rotate "$turn" "$work/expected.png"
    if [[ $name == transparent ]]; then
      convert "$work/expected.png" "$stripes" -composite "$work/expected.png"
    fi
    show_box on
    [[ $(gsettings get "$schema" "$key") == *"$output'" ]] || fail "$key is $(gsettings get "$schema" "$key")"
    # Alike but for the calendar; drawn over black, nearly every pixel would differ.
    drawn=$(compare -metric AE -fuzz 3% "$output" "$work/expected.png" null: 2>&1 || true)
    [[ $drawn =~ ^[0-9]+$ && $drawn -gt 1000 && $drawn -lt 100000 ]] ||
      fail "not drawn on the desktop's background ($drawn pixels differ)"
    case $case in MATE-colour-only | MATE-transparent | GNOME-colour-only) keep_screenshot "${case,,}" "$output" ;; esac
    show_box off
    dconf dump / | diff "$work/before.dconf" - >&2 || fail "the settings differ"
  done <<EOF
colour-only||$vertical|640x480|0
not-installed|${picture%stripes.png}Stripes.png|$vertical|640x480|0
transparent|$picture|$horizontal|480x640|-90
EOF
done <<EOF
MATE|org.mate.background|picture-filename|$stripes|vertical-gradient|horizontal-gradient
X-Cinnamon|org.cinnamon.desktop.background|picture-uri|file://$stripes|vertical|horizontal
GNOME|org.gnome.desktop.background|picture-uri|file://$stripes|vertical|horizontal
EOF

finish "the calendar went on and off the GNOME family's colour and transparent backgrounds"
