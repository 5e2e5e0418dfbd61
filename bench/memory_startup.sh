#!/usr/bin/env bash
# Start-up memory of the game against a bare Qt window, under a virtual X
# server. Each program is started several times with a fresh private home and
# its resident memory is read 2 s after the start (the game: BOSS, English,
# music off, sound as a player has it by default, i.e. on; the splash is still
# up then; start puzzle BOSS unless ZT_START_MODE says otherwise). Printed: the median of each program, split by where the pages come
# from (/proc/<pid>/smaps), and the game's difference to the bare window.
#
# The yardsticks, built with the same compiler, flags and Qt as the game
# (bench/memory/BareWindow.cpp):
#   bare window        an empty Qt Widgets window of the game's size;
#   bare window + text the same, drawing one line of text (fonts loaded);
# and sgt-fifteen from Debian's sgt-puzzles when it is installed (GTK), with
# GDK_GL=disable: otherwise GTK opens an OpenGL context on the virtual server,
# which brings Mesa's software renderer and LLVM (some 50 MB) that no
# desktop with a graphics driver would count, and that the game never loads.
#
# Kinds of pages:
#   libraries      code and data of shared libraries and Qt plugins
#   program        the game's own executable
#   fonts          font files and fontconfig's caches
#   heap           malloc's memory: the brk heap and anonymous mappings
#   shared memory  the X server's shared-memory images (window back stores)
#   other          anything else (stack, other files)
#
# usage: bench/memory_startup.sh [build folder] [runs, default 5]
#   ZT_MEMORY_DETAIL=1  also lists, per file, where the game's pages differ from
#                       the bare window with text (one run each)
#   ZT_GAME=<path>      measures another build of the game (assets taken from
#                       the build folder)
#   ZT_START_MODE=<n>   starts on another puzzle: 0 CRUX, 1 TILZ, 2 BOSS (the
#                       default here, the largest atlas), 3 TRANSIT
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-5}
mode=${ZT_START_MODE:-2}
puzzle_names=(CRUX TILZ BOSS TRANSIT)
game_exe=${ZT_GAME:-$build/bin/zindle-tavrin}
bare=$build/bench/memory/bare_qt_window
for f in "$game_exe" "$bare"; do
  [ -x "$f" ] || { echo "missing $f (cmake --build $build --target zindle-tavrin bare_qt_window)" >&2; exit 2; }
done

. "$(dirname "$0")/../scripts/lib/xvfb.sh"
zt_in_xvfb 1280x1024 -- "$0" "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/game"
cp "$game_exe" "$work/game/zindle-tavrin"
cp "$build"/bin/b?.bmp "$build"/bin/*.mid "$work/game/" 2>/dev/null || true
cp "$build"/bin/ZTAV.HLP "$build"/bin/makers.html "$work/game/" 2>/dev/null || true
# The copy is written back to disk before it runs: dirty page-cache pages of a
# freshly written file count as the program's own.
sync

export QT_QPA_PLATFORM=xcb GDK_BACKEND=x11 SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1
unset DBUS_SESSION_BUS_ADDRESS

fresh_home() {
  rm -rf "${work:?}/home"
  mkdir -p "$work/home/config/ZindleGames" "$work/home/runtime"
  chmod 700 "$work/home/runtime"
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_RUNTIME_DIR=$work/home/runtime
  # The start puzzle, English, music off, placed on the screen.
  printf '[V1]\ncommon\\mode=%s\ncommon\\tongue=0\ncommon\\music=0\ncommon\\MainForm="200,0,1,100,100,600,466"\n' \
    "$mode" >"$work/home/config/ZindleGames/ZindleTavrin.ini"
}

# Resident kB by kind of page, from a smaps file: "total libraries program fonts
# heap shm other".
kinds() {  # smaps program-path
  awk -v program="$2" '
    /^[0-9a-f]+-[0-9a-f]+ / {
      path = ""
      for (i = 6; i <= NF; i++) path = path (i > 6 ? " " : "") $i
      if (path == program) kind = "program"
      else if (path == "[heap]" || path == "") kind = "heap"
      else if (path ~ /\.(ttf|otf|pcf|pfb|ttc)(\.gz)?$/ || path ~ /fontconfig/) kind = "fonts"
      else if (path ~ /SYSV|memfd:|\/dev\/shm/) kind = "shm"
      else if (path ~ /\.so/) kind = "libraries"
      else kind = "other"
      next
    }
    /^Rss:/ { rss[kind] += $2; total += $2 }
    END {
      printf "%d %d %d %d %d %d %d\n", total, rss["libraries"], rss["program"], rss["fonts"],
        rss["heap"], rss["shm"], rss["other"]
    }' "$1"
}

# Runs a program, keeps its smaps 2 s after the start in $work/<name>-<run>.smaps.
measure() {  # name run program [args]
  local name=$1 run=$2
  shift 2
  fresh_home
  "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep 2
  cp "/proc/$pid/smaps" "$work/$name-$run.smaps"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

names=(game bare text)
labels=("Zindle Tavrin" "bare window" "bare window + text")
paths=("$work/game/zindle-tavrin" "$bare" "$bare")
peer=/usr/games/sgt-fifteen
if [ -x "$peer" ]; then
  names+=(peer)
  labels+=("sgt-fifteen")
  paths+=("$peer")
fi
for run in $(seq "$runs"); do
  measure game "$run" "$work/game/zindle-tavrin"
  measure bare "$run" "$bare"
  measure text "$run" "$bare" --text
  [ -x "$peer" ] && GDK_GL=disable measure peer "$run" "$peer"
done

# The run with the median total of each program.
declare -A median
for i in "${!names[@]}"; do
  name=${names[$i]}
  for run in $(seq "$runs"); do
    echo "$(kinds "$work/$name-$run.smaps" "${paths[$i]}") $run"
  done | sort -n -k1,1 | awk -v m=$(((runs + 1) / 2)) 'NR == m' >"$work/$name.median"
  median[$name]=$(cat "$work/$name.median")
done

mb() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
echo "resident memory 2 s after the start, MB (median of $runs runs; game: ${puzzle_names[$mode]}, music off, sound on)"
printf '%-20s %7s %9s %7s %6s %6s %6s %6s\n' "" total libraries program fonts heap shm other
for i in "${!names[@]}"; do
  read -r -a v <<<"${median[${names[$i]}]}"
  printf '%-20s %7s %9s %7s %6s %6s %6s %6s\n' "${labels[$i]}" "$(mb "${v[0]}")" "$(mb "${v[1]}")" \
    "$(mb "${v[2]}")" "$(mb "${v[3]}")" "$(mb "${v[4]}")" "$(mb "${v[5]}")" "$(mb "${v[6]}")"
done
read -r -a g <<<"${median[game]}"
for base in bare text; do
  read -r -a b <<<"${median[$base]}"
  label="game - ${base/text/bare + text}"
  printf '%-20s %+7.1f %+9.1f %+7.1f %+6.1f %+6.1f %+6.1f %+6.1f\n' "$label" \
    "$(mb $((g[0] - b[0])))" "$(mb $((g[1] - b[1])))" "$(mb $((g[2] - b[2])))" \
    "$(mb $((g[3] - b[3])))" "$(mb $((g[4] - b[4])))" "$(mb $((g[5] - b[5])))" \
    "$(mb $((g[6] - b[6])))"
done
echo "all runs, total MB:"
for i in "${!names[@]}"; do
  printf '  %-20s' "${labels[$i]}"
  for run in $(seq "$runs"); do printf ' %s' "$(mb "$(kinds "$work/${names[$i]}-$run.smaps" "${paths[$i]}" | cut -d' ' -f1)")"; done
  echo
done

if [ -n "${ZT_MEMORY_DETAIL:-}" ]; then
  echo "per file, kB: game, bare window + text, difference (32 kB or more):"
  per_file() {
    awk '/^[0-9a-f]+-[0-9a-f]+ / {
           path = ""
           for (i = 6; i <= NF; i++) path = path (i > 6 ? " " : "") $i
           if (path == "") path = "[anonymous]"
           next
         }
         /^Rss:/ { rss[path] += $2 }
         END { for (p in rss) print rss[p] "\t" p }' "$1"
  }
  gm=$(awk '{print $NF}' "$work/game.median")
  tm=$(awk '{print $NF}' "$work/text.median")
  per_file "$work/game-$gm.smaps" | sed "s|$work/game/zindle-tavrin|[program]|" >"$work/g.files"
  per_file "$work/text-$tm.smaps" | sed "s|$bare|[program]|" >"$work/t.files"
  awk -F'\t' 'NR == FNR {t[$2] = $1; next} {g[$2] = $1}
    END {
      for (p in g) if (g[p] - t[p] >= 32 || t[p] - g[p] >= 32) printf "%d\t%8d %8d %+8d  %s\n", g[p] - t[p], g[p], t[p], g[p] - t[p], p
      for (p in t) if (!(p in g) && t[p] >= 32) printf "%d\t%8d %8d %+8d  %s\n", -t[p], 0, t[p], -t[p], p
    }' "$work/t.files" "$work/g.files" | sort -t$'\t' -k1,1nr | cut -f2-
fi
