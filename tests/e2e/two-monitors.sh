# SPDX-License-Identifier: GPL-3.0-or-later
# The two monitors of the end-to-end scripts, 1920x1080 at 0,0 and 1280x720 at
# 1920,0, and the checks that the calendar lies whole on one of them. Sourced
# after common.sh.
# position (settings file), monitor that shows the corner (WxH+X+Y), its corner
corners="1 1280x720+1920+0 top-right
2 1280x720+1920+0 bottom-right
3 1920x1080+0+0 bottom-left
4 1920x1080+0+0 top-left"

# The box around the pixels in which two pictures differ by more than fuzz
# percent where a monitor shows them. Painted over in both: the area below the
# right one, and the columns either side of the monitors' edge (a stretch of a
# picture to its own size moves each pixel by up to one, blending them).
changed_box() { # a b fuzz
  local unseen=(-fill black -draw 'rectangle 1920,720 3199,1079' -draw 'rectangle 1918,0 1921,1079')
  convert \( "$1" "${unseen[@]}" \) \( "$2" "${unseen[@]}" \) -compose difference -composite \
    -threshold "$3%" -trim -format '%w %h %X %Y\n' info: | tr -d '+'
}
# The calendar (the changed pixels) whole on the monitor, near its corner: the
# box lies in the monitor, at most 100 pixels from the corner's two edges (30
# and the cells' own margins), and is as wide as three months.
on_monitor() { # a b fuzz monitor corner
  local w h x y mw mh mx my
  read -r w h x y < <(changed_box "$1" "$2" "$3")
  IFS='x+' read -r mw mh mx my <<<"$4"
  ((x >= mx && y >= my && x + w <= mx + mw && y + h <= my + mh)) ||
    fail "$5: calendar at ${w}x$h+$x+$y, not on the monitor $4"
  ((w > 500 && h > 150)) || fail "$5: calendar ${w}x$h is not whole"
  case $5 in *right) ((mx + mw - x - w < 100)) ;; *) ((x - mx < 100)) ;; esac || fail "$5: not at the side"
  case $5 in bottom*) ((my + mh - y - h < 100)) ;; *) ((y - my < 100)) ;; esac || fail "$5: not at the edge"
}
