#!/usr/bin/env bash
# Resident memory of the game over long random play with music, under a
# virtual X server. The real program runs from a copy of its folder (atlases
# and tunes) with a fresh private home, music and sound on, BOSS first; xdotool
# plays at random: presses on the play area, arrow keys, now and then another
# puzzle. Dialogs that come up (a puzzle solved, a best time) are answered with
# Return. In play a tune is loaded once and repeats when it ends; the next
# tune loads when the player turns the music off and on again. The bench does
# that every ZT_TUNE_EVERY seconds when it is set (and in the short mode), since
# each load is where the memory used to grow.
#
# Printed: one line per minute (and the start, taken once the splash has gone
# and the first tune is loaded) with the resident memory, its anonymous part
# (malloc) and file-backed part, the memory the synthesiser keeps locked, the
# number of threads and open files, and the growth of the resident memory and
# of its anonymous part since the first minute. The file-backed part (library
# pages) also shrinks and grows with the memory pressure of the machine, so the
# anonymous part is the one that tells what the game itself holds.
# Figures only, no verdict.
#
# usage: bench/memory_longplay.sh [minutes, default 10 | short] [build folder]
#   short               3 minutes, with a tune loaded every 15 s
#   ZT_TUNE_EVERY=<s>   also change the tune every s seconds
#   ZT_GAME=<path>      plays another build of the game (assets from the build folder)
#   ZT_SCREENSHOT=<png> keeps a picture of the screen at the end of play
#   any MALLOC_* or GLIBC_TUNABLES variable is passed on to the game
set -euo pipefail
minutes=${1:-10}
build=$(realpath "${2:-build}")
if [ "$minutes" = short ]; then
  minutes=3
  export ZT_TUNE_EVERY=${ZT_TUNE_EVERY:-15}
fi
game_exe=${ZT_GAME:-$build/bin/zindle-tavrin}
[ -x "$game_exe" ] || { echo "missing $game_exe" >&2; exit 2; }
ls "$build"/bin/*.mid >/dev/null 2>&1 || { echo "no tunes in $build/bin" >&2; exit 2; }

. "$(dirname "$0")/../scripts/lib/xvfb.sh"
zt_in_xvfb 1280x1024 -- "$0" "$@"

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/game" "$work/home/config/ZindleGames" "$work/home/runtime"
chmod 700 "$work/home/runtime"
cp "$game_exe" "$work/game/zindle-tavrin"
cp "$build"/bin/b?.bmp "$build"/bin/*.mid "$work/game/"
cp "$build"/bin/ZTAV.HLP "$build"/bin/makers.html "$work/game/" 2>/dev/null || true
sync
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_RUNTIME_DIR=$work/home/runtime
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1
unset DBUS_SESSION_BUS_ADDRESS
# BOSS, English, music and sound on, placed at (100, 100).
printf '[V1]\ncommon\\mode=2\ncommon\\tongue=0\ncommon\\music=1\ncommon\\sound=1\ncommon\\MainForm="200,0,1,100,100,600,466"\n' \
  >"$work/home/config/ZindleGames/ZindleTavrin.ini"

"$work/game/zindle-tavrin" >"$work/game.log" 2>&1 &
pid=$!
main=
for _ in $(seq 100); do
  main=$(xdotool search --onlyvisible --pid "$pid" --name '^Zindle Tavrin V1.2$' 2>/dev/null | head -n 1 || true)
  [ -n "$main" ] && break
  sleep 0.1
done
[ -n "$main" ] || { echo "the game showed no window" >&2; cat "$work/game.log" >&2; exit 1; }
# The splash closes after 3 s; the first tune loads on the first timer ticks.
sleep 4

alive() { kill -0 "$pid" 2>/dev/null; }
field() { awk -v k="$1:" '$1 == k {print $2}' "/proc/$pid/status"; }
locked_kb() { awk '/^Locked:/ {s += $2} END {print s + 0}' "/proc/$pid/smaps"; }
first_rss=
first_anon=
sample() {  # label
  local rss anon file
  rss=$(field VmRSS)
  anon=$(field RssAnon)
  file=$(field RssFile)
  if [ -z "$first_rss" ] && [ "$1" = 1 ]; then
    first_rss=$rss
    first_anon=$anon
  fi
  local growth="" anon_growth=""
  if [ -n "$first_rss" ]; then
    growth=$(awk -v a="$rss" -v b="$first_rss" 'BEGIN {printf "%+.1f", (a - b) / 1024}')
    anon_growth=$(awk -v a="$anon" -v b="$first_anon" 'BEGIN {printf "%+.1f", (a - b) / 1024}')
  fi
  printf '%-6s %8.1f %8.1f %8.1f %8.1f %8d %6d %9s %9s\n' "$1" "$(awk -v k="$rss" 'BEGIN {print k / 1024}')" \
    "$(awk -v k="$anon" 'BEGIN {print k / 1024}')" "$(awk -v k="$file" 'BEGIN {print k / 1024}')" \
    "$(awk -v k="$(locked_kb)" 'BEGIN {print k / 1024}')" "$(ls "/proc/$pid/task" | wc -l)" \
    "$(ls "/proc/$pid/fd" | wc -l)" "$growth" "$anon_growth"
}

# A dialog in front of the main window is answered with Return.
answer_dialogs() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true); do
    [ "$w" = "$main" ] && continue
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "Zindle Tavrin V1.2" ] && continue
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    xdotool key --clearmodifiers Return 2>/dev/null || true
    sleep 0.2
  done
}

echo "random play with music for $minutes min${ZT_TUNE_EVERY:+, a tune loaded every $ZT_TUNE_EVERY s}"
printf '%-6s %8s %8s %8s %8s %8s %6s %9s %9s\n' minute "RSS MB" "anon MB" "file MB" "locked" threads files \
  "RSS +/-" "anon +/-"
sample start
RANDOM=12345
start=$SECONDS
next_sample=60
next_switch=30
next_tune=${ZT_TUNE_EVERY:-0}
puzzles=(188 212 236 260)  # the four puzzle buttons, x in the window
presses=0
while alive && [ $((SECONDS - start)) -lt $((minutes * 60)) ]; do
  now=$((SECONDS - start))
  if [ "$now" -ge "$next_sample" ]; then
    sample $((next_sample / 60))
    next_sample=$((next_sample + 60))
  fi
  if [ "$now" -ge "$next_switch" ]; then
    xdotool mousemove --window "$main" "${puzzles[$((RANDOM % 4))]}" 16 click 1 2>/dev/null || true
    next_switch=$((next_switch + 30))
  fi
  if [ "$next_tune" -gt 0 ] && [ "$now" -ge "$next_tune" ]; then
    xdotool mousemove --window "$main" 112 16 click 1 sleep 0.3 click 1 2>/dev/null || true
    next_tune=$((next_tune + ZT_TUNE_EVERY))
  fi
  # Presses on the play area (33 pixels below the window's top), now and then
  # an arrow key for the puzzles that take them.
  for _ in 1 2 3 4; do
    xdotool mousemove --window "$main" $((RANDOM % 500)) $((33 + RANDOM % 333)) click 1 2>/dev/null || true
    presses=$((presses + 1))
  done
  keys=(Left Right Up Down)
  xdotool key --clearmodifiers "${keys[$((RANDOM % 4))]}" 2>/dev/null || true
  answer_dialogs
  sleep 0.3
done
if alive; then
  [ "$((SECONDS - start))" -ge "$next_sample" ] && sample $((next_sample / 60))
  [ -n "${ZT_SCREENSHOT:-}" ] && import -window root "$ZT_SCREENSHOT"
  echo "presses on the play area: $presses"
else
  echo "the game ended during play:" >&2
  cat "$work/game.log" >&2
  exit 1
fi
