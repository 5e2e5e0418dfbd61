#!/usr/bin/env bash
# Start-up speed and memory of the game under a virtual X server.
# Prints the time from exec to the first painted main window for several runs
# (and their median), then the resident memory 2 s after start. The game runs
# from a copy of its folder without music files ("music absent").
# usage: bench/startup.sh [build folder] [runs]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-9}

. "$(dirname "$0")/../scripts/lib/xvfb.sh"
zt_in_xvfb 1280x1024 -- "$0" "$build" "$runs"

work=$(mktemp -d)
zt_private_home
trap 'rm -rf "$work" "$ZT_HOME"' EXIT
mkdir -p "$work/game"
cp "$build/bin/zindle-tavrin" "$build"/bin/b?.bmp "$work/game/"
cp "$build"/bin/ZTAV.HLP "$work/game/" 2>/dev/null || true
# BOSS, English, placed on the screen, no language question.
cat > "$ZT_HOME/config/ZindleGames/ZindleTavrin.ini" <<INI
[V1]
common\mode=2
common\tongue=0
common\MainForm="200,0,1,100,100,600,466"
INI
unset ZT_IN_XVFB

times=()
for i in $(seq "$runs"); do
  start=$(date +%s%N)
  line=$(ZT_QUIT_AFTER_FIRST_PAINT=1 "$work/game/zindle-tavrin" | grep first-paint)
  painted=${line#first-paint }
  times+=($(( (painted - start) / 1000 )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$(( runs / 2 ))]}
echo "exec to first painted window (ms): $(printf '%s ' "${times[@]}" | awk '{for(i=1;i<=NF;i++) printf "%.1f ", $i/1000}')"
echo "median: $(awk "BEGIN {printf \"%.1f\", $median/1000}") ms over $runs runs"

"$work/game/zindle-tavrin" &
pid=$!
sleep 2
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "resident memory 2 s after start: $(awk "BEGIN {printf \"%.1f\", $rss/1024}") MB"
