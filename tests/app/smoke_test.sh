#!/usr/bin/env bash
# The whole program under a virtual X server: the window appears with its
# title and size, BOSS is drawn, and a click on the tile beside the gap moves
# it. Screenshots before and after are left in the output folder.
# usage: smoke_test.sh <game executable> <output folder>
set -euo pipefail
game=$1
out=$2
mkdir -p "$out"

. "$(dirname "$0")/../../scripts/lib/xvfb.sh"
zt_in_xvfb 1280x1024 -- "$0" "$@"

zt_private_home
home=$ZT_HOME
trap 'kill "${pid:-0}" 2>/dev/null || true; rm -rf "$home"' EXIT
# BOSS, English, no language question, at a known place.
cat > "$home/config/ZindleGames/ZindleTavrin.ini" <<INI
[V1]
common\mode=2
common\tongue=0
common\MainForm="200,0,1,100,100,600,466"
INI

"$game" &
pid=$!
wid=$(timeout 10 xdotool search --sync --name '^Zindle Tavrin V1\.2$' | head -n 1)
sleep 0.5
info=$(xwininfo -id "$wid")
width=$(awk '/Width:/ {print $2}' <<<"$info")
height=$(awk '/Height:/ {print $2}' <<<"$info")
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
if [ "$width" != 500 ] || [ "$height" != 366 ]; then
  echo "FAIL: client is ${width}x${height}, expected 500x366"
  exit 1
fi
echo "window $wid at $left,$top, ${width}x${height}"

# Screen pixel (x, y) of a screenshot as "r g b".
screen_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]\n" info:
}
# Play-area pixel (x, y) of a screenshot.
pixel() {
  screen_pixel "$1" $((left + $2)) $((top + 33 + $3))
}
# The felt floor shows through the gap: clearly green.
is_gap() {
  local red green blue
  read -r red green blue < <(pixel "$1" "$2" "$3")
  [ "$green" -gt $((red + 25)) ] && [ "$green" -gt "$blue" ]
}
# The 5 x 3 board: cell (c, r) from (88 + 50(c-1), 91 + 50(r-1)); sample near
# the cell's top-left corner, away from the number.
find_gap() {
  local c r
  for r in 1 2 3; do
    for c in 1 2 3 4 5; do
      if is_gap "$1" $((88 + 50 * (c - 1) + 8)) $((91 + 50 * (r - 1) + 8)); then
        echo "$c $r"
        return
      fi
    done
  done
  echo "none"
}

# The splash stands in the middle of the screen; a click closes it.
import -window root "$out/splash.png"
read -r sr sg sb < <(screen_pixel "$out/splash.png" 640 512)
if [ $((sr + sg + sb)) -eq 0 ]; then
  echo "FAIL: no splash in the middle of the screen"
  exit 1
fi
xdotool mousemove 640 512 click 1
sleep 0.5
import -window root "$out/before.png"
read -r sr sg sb < <(screen_pixel "$out/before.png" 640 512)
if [ $((sr + sg + sb)) -ne 0 ]; then
  echo "FAIL: the splash did not close on a click"
  exit 1
fi
read -r gc gr < <(find_gap "$out/before.png")
if [ "$gc" = none ]; then
  echo "FAIL: no gap found on the BOSS board"
  exit 1
fi
# A neighbour of the gap on the board.
if [ "$gc" -gt 1 ]; then nc=$((gc - 1)); nr=$gr; else nc=$((gc + 1)); nr=$gr; fi
cx=$((88 + 50 * (nc - 1) + 25))
cy=$((91 + 50 * (nr - 1) + 25))
echo "gap at ($gc, $gr); clicking the tile at ($nc, $nr)"
xdotool mousemove $((left + cx)) $((top + 33 + cy)) click 1
sleep 0.8
import -window root "$out/after.png"
read -r ac ar < <(find_gap "$out/after.png")
if [ "$ac $ar" != "$nc $nr" ]; then
  echo "FAIL: after the click the gap is at ($ac, $ar), expected ($nc, $nr)"
  exit 1
fi
echo "PASS: the tile moved into the gap"
