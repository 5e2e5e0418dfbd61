#!/usr/bin/env bash
# Takes a screenshot of the game window for each puzzle (for the AppStream
# data and the web page): out/screenshot-<puzzle>.png, 500 x 366.
# usage: scripts/screenshots.sh [build folder] [output folder]
set -euo pipefail
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-out/screenshots}")
mkdir -p "$out"
. "$(dirname "$0")/lib/xvfb.sh"
zt_in_xvfb 1024x768 -- "$0" "$build" "$out"
zt_private_home
home=$ZT_HOME
trap 'rm -rf "$home"' EXIT
names=(crux tilz boss transit)
for mode in 0 1 2 3; do
  printf '[V1]\ncommon\\mode=%s\ncommon\\tongue=0\ncommon\\music=0\ncommon\\cmode=5\ncommon\\zmode=5\ncommon\\tmode=22\ncommon\\MainForm="200,0,1,0,0,500,366"\n' \
    "$mode" > "$home/config/ZindleGames/ZindleTavrin.ini"
  "$build/bin/zindle-tavrin" &
  pid=$!
  timeout 10 xdotool search --sync --name '^Zindle Tavrin V1\.2$' >/dev/null
  # The splash shows for up to 3 seconds over the window: wait until the main
  # window is the game's only one left on the screen.
  for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -le 1 ] && break
    sleep 0.1
  done
  sleep 0.5
  import -window root -crop 500x366+0+0 +repage "$out/screenshot-${names[$mode]}.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$out/screenshot-${names[$mode]}.png"
done
