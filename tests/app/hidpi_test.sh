#!/usr/bin/env bash
# The play area on high-density screens: at scale factors 2 and 3 every pixel
# of the 1x picture becomes a uniform block (no smoothing, no colours in
# between), and the blocks together are exactly the 1x picture. TILZ level 1
# is used because its start layout is fixed. The level label is text, drawn
# sharp at each scale rather than enlarged, so it is left out of the compare.
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

shoot() {  # scale -> $out/play<scale>.png, the play area without the label
  local scale=$1
  cat > "$home/config/ZindleGames/ZindleTavrin.ini" <<INI
[V1]
common\mode=1
common\zmode=1
common\tongue=0
common\music=0
common\MainForm="200,0,1,0,0,500,366"
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
  import -window root "$out/screen$scale.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  # The play area (500 x 333 from y 33), the label's place (450, 275 in the
  # window, 77 x 32) painted out.
  convert "$out/screen$scale.png" -crop $((500 * scale))x$((333 * scale))+$left+$((top + 33 * scale)) +repage \
    -fill black -draw "rectangle $((450 * scale)),$((242 * scale)) $((527 * scale - 1)),$((274 * scale - 1))" \
    "$out/play$scale.png"
}

shoot 1
for scale in 2 3; do
  shoot "$scale"
  # Uniform blocks: averaging each block and enlarging again changes nothing.
  convert "$out/play$scale.png" -scale 500x333 -scale $((500 * scale))x$((333 * scale)) \
    "$out/blocks$scale.png"
  blocks=$(compare -metric AE "$out/play$scale.png" "$out/blocks$scale.png" null: 2>&1 || true)
  # And the blocks are the 1x picture.
  convert "$out/play$scale.png" -sample 500x333 "$out/sampled$scale.png"
  same=$(compare -metric AE "$out/play1.png" "$out/sampled$scale.png" null: 2>&1 || true)
  echo "scale $scale: pixels not in uniform blocks: $blocks, pixels differing from 1x: $same"
  if [ "$blocks" != 0 ] || [ "$same" != 0 ]; then
    echo "FAIL: the play area at scale $scale is not a whole-factor enlargement"
    exit 1
  fi
done
echo "PASS"
