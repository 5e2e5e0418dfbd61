#!/usr/bin/env bash
# Start-up time and resident memory at 1x of two builds of the game, measured
# in the same run under one virtual X server, their runs taken in turn so that
# both see the same machine load: the time from exec to the first painted
# window (the median over the runs) and the resident memory 2 s after start
# (the median). Meant for this tree against the main branch's build.
# usage: bench/zoom_startup.sh <build folder> <other build folder> [runs, default 9]
set -euo pipefail
ours=$(realpath "$1")
theirs=$(realpath "$2")
runs=${3:-9}

. "$(dirname "$0")/../scripts/lib/xvfb.sh"
zt_in_xvfb 1280x1024 -- "$0" "$ours" "$theirs" "$runs"

work=$(mktemp -d)
zt_private_home
trap 'rm -rf "$work" "$ZT_HOME"' EXIT
for side in ours theirs; do
  build=${!side}
  mkdir -p "$work/$side"
  cp "$build/bin/zindle-tavrin" "$build"/bin/b?.bmp "$work/$side/"
  cp "$build"/bin/b?@?x.png "$work/$side/" 2>/dev/null || true
done
settings() {  # BOSS (the largest atlas), English, placed, no music, at 1x
  cat > "$ZT_HOME/config/ZindleGames/ZindleTavrin.ini" <<INI
[V1]
common\mode=2
common\tongue=0
common\music=0
common\MainForm="200,0,1,100,100,600,466"
INI
}
unset ZT_IN_XVFB

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
declare -A times rss
for i in $(seq "$runs"); do
  for side in ours theirs; do
    settings
    start=$(date +%s%N)
    line=$(ZT_QUIT_AFTER_FIRST_PAINT=1 "$work/$side/zindle-tavrin" | grep first-paint)
    painted=${line#first-paint }
    times[$side]+="$(( (painted - start) / 1000 )) "
    settings
    "$work/$side/zindle-tavrin" &
    pid=$!
    sleep 2
    rss[$side]+="$(awk '/VmRSS/ {print $2}' "/proc/$pid/status") "
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done
done
for side in ours theirs; do
  # shellcheck disable=SC2086
  t=$(median ${times[$side]})
  # shellcheck disable=SC2086
  m=$(median ${rss[$side]})
  echo "$side ($(basename "$(dirname "${!side}")")/$(basename "${!side}")): first paint median" \
    "$(awk "BEGIN {printf \"%.1f\", $t/1000}") ms, resident memory median" \
    "$(awk "BEGIN {printf \"%.1f\", $m/1024}") MB over $runs runs"
done
# shellcheck disable=SC2086
ratio=$(awk "BEGIN {printf \"%.3f\", $(median ${times[ours]}) / $(median ${times[theirs]})}")
# shellcheck disable=SC2086
delta=$(awk "BEGIN {printf \"%.2f\", ($(median ${rss[ours]}) - $(median ${rss[theirs]})) / 1024}")
echo "first paint ours / theirs: $ratio; resident memory ours - theirs: $delta MB"
