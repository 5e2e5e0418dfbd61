#!/usr/bin/env bash
# The play area on high-density screens and zoomed: at scale factors 2 and 3
# the play area is composed from the atlas of that scale, so it shows finer
# detail than the 1x picture with its pixels enlarged (not uniform blocks),
# and it is exactly what the zoom of the same factor shows on a 1x screen.
# TILZ level 1 is used because its start layout is fixed. The level label is
# text, drawn at each size by the font rather than from pictures, so it is
# left out of the compare.
# usage: hidpi_test.sh <game executable> <output folder>
set -euo pipefail
game=$1
out=$2
mkdir -p "$out"

. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1600x1200 -- "$0" "$@"
zt_private_home
home=$ZT_HOME
trap 'rm -rf "$home"' EXIT

shoot() {  # scale zoom -> $out/play<scale>x<zoom>.png, the play area without the label
  local scale=$1 zoom=$2
  local f=$((scale * zoom))
  cat > "$home/config/ZindleGames/ZindleTavrin.ini" <<INI
[V1]
common\mode=1
common\zmode=1
common\tongue=0
common\music=0
common\MainForm="200,0,1,0,0,500,366"
view\zoom=$zoom
INI
  QT_SCALE_FACTOR=$scale "$game" &
  local pid=$!
  timeout 10 xdotool search --sync --name '^Zindle Tavrin V1\.2$' >/dev/null
  sleep 0.5
  xdotool mousemove 800 600 click 1  # the splash, in the middle of the screen
  sleep 0.8
  local info left top
  info=$(xwininfo -id "$(xdotool search --name '^Zindle Tavrin V1\.2$' | head -n 1)")
  left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  import -window root "$out/screen${scale}x$zoom.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  # The play area (500 x 333 from y 33), the label's place (450, 275 in the
  # window, 77 x 32) painted out.
  convert "$out/screen${scale}x$zoom.png" -crop $((500 * f))x$((333 * f))+$left+$((top + 33 * f)) +repage \
    -fill black -draw "rectangle $((450 * f)),$((242 * f)) $((527 * f - 1)),$((274 * f - 1))" \
    "$out/play${scale}x$zoom.png"
}

shoot 1 1
for f in 2 3; do
  shoot "$f" 1
  shoot 1 "$f"
  # Finer detail: averaging each f x f block and enlarging again changes many
  # pixels (an enlarged 1x picture would not change at all).
  convert "$out/play${f}x1.png" -scale 500x333 -scale $((500 * f))x$((333 * f)) \
    "$out/blocks$f.png"
  # compare prints large counts as 1.25856e+06: make them whole numbers.
  blocks=$(compare -metric AE "$out/play${f}x1.png" "$out/blocks$f.png" null: 2>&1 | awk '{printf "%.0f", $1}' || true)
  # The screen of scale f and the zoom f on a 1x screen show the same picture.
  same=$(compare -metric AE "$out/play${f}x1.png" "$out/play1x$f.png" null: 2>&1 | awk '{printf "%.0f", $1}' || true)
  echo "factor $f: pixels not in uniform blocks: $blocks, pixels differing between scale and zoom: $same"
  if ! [ "$blocks" -gt $((500 * 333 * f * f / 20)) ] 2>/dev/null || [ "$same" != 0 ]; then
    echo "FAIL: the play area at factor $f does not show that scale's detail alike at both"
    exit 1
  fi
done
echo "PASS"
