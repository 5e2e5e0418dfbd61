#!/usr/bin/env bash
# The game against a yardstick: sgt-fifteen from Debian's sgt-puzzles (another
# puzzle collection, GTK), measured in one run side by side under Xvfb:
#   - time from exec to the first painted window,
#   - resident memory 2 s after the start,
#   - CPU time used in 10 idle seconds (from 4 s after the start, when the
#     game's splash has closed);
# and for the game alone: CPU and wall time of one BOSS move, and the idle CPU
# time with music playing. Each figure is printed with the ratio game / peer.
#
# The first paint is timed the same way for both programs: a small X client
# (built here) forks and execs the program and then polls the X server every
# millisecond until a top-level window of that process is mapped and shows
# more than one colour. The game's own report (the moment it has flushed its
# first frame, ZT_QUIT_AFTER_FIRST_PAINT) is printed beside it. Both programs
# run with the same environment: no session bus, no accessibility bridge, a
# fresh home; the game with music off for the first three figures.
#
# The game is built in release mode in build-release/. Not part of the tests.
# usage: bench/compare.sh [runs of the start-up measurement, default 9]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
build=$PWD/build-release
. scripts/lib/xvfb.sh

if [ -z "${ZT_IN_XVFB:-}" ]; then
  if [ ! -x /usr/games/sgt-fifteen ]; then
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      sgt-puzzles >/dev/null
  fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZT_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -- -j2 >/dev/null
  cat >"$build/firstpaint.c" <<'C'
/* Starts a program and prints the milliseconds until one of its top-level
   windows is mapped and shows more than one colour. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}
static int IgnoreErrors(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}
static long PidOf(Display* d, Window w, Atom pidAtom) {
  Atom type;
  int format;
  unsigned long n, after;
  unsigned char* data = NULL;
  long pid = -1;
  if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after,
                         &data) == Success && data && n == 1)
    pid = *(long*)data;
  if (data) XFree(data);
  return pid;
}
static int Painted(Display* d, Window w, int width, int height) {
  XImage* image = XGetImage(d, w, 0, 0, width, height, AllPlanes, ZPixmap);
  if (!image) return 0;
  const unsigned long first = XGetPixel(image, 0, 0);
  int painted = 0;
  for (int y = 0; y < height && !painted; y += 2)
    for (int x = 0; x < width && !painted; x += 2)
      painted = XGetPixel(image, x, y) != first;
  XDestroyImage(image);
  return painted;
}
int main(int argc, char** argv) {
  Display* d = XOpenDisplay(NULL);
  if (!d || argc < 2) return 2;
  XSetErrorHandler(IgnoreErrors);
  const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
  const double start = Now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  while (Now() - start < 30000) {
    Window root, parent, *children = NULL;
    unsigned int count = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count; ++i) {
      XWindowAttributes a;
      if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable || a.width < 8)
        continue;
      if (PidOf(d, children[i], pidAtom) != child) continue;
      if (Painted(d, children[i], a.width, a.height)) {
        printf("%.1f\n", Now() - start);
        kill(child, SIGTERM);
        waitpid(child, NULL, 0);
        return 0;
      }
    }
    if (children) XFree(children);
    usleep(1000);
  }
  kill(child, SIGKILL);
  return 1;
}
C
  cc -O2 -o "$build/firstpaint" "$build/firstpaint.c" -lX11
  zt_in_xvfb 1280x1024 -- "$0" "$@"
fi
unset ZT_IN_XVFB

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/game"
cp "$build/bin/zindle-tavrin" "$build"/bin/b?.bmp "$work/game/"
cp "$build"/bin/ZTAV.HLP "$work/game/" 2>/dev/null || true

# A fresh home with the game's settings: BOSS, English, placed on the screen,
# music as given.
fresh_home() {  # music 0|1
  rm -rf "$work/home"
  mkdir -p "$work/home/config/ZindleGames" "$work/home/runtime"
  chmod 700 "$work/home/runtime"
  printf '[V1]\ncommon\\mode=2\ncommon\\tongue=0\ncommon\\music=%s\ncommon\\MainForm="200,0,1,100,100,600,466"\n' \
    "$1" >"$work/home/config/ZindleGames/ZindleTavrin.ini"
}
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_RUNTIME_DIR=$work/home/runtime
export QT_QPA_PLATFORM=xcb GDK_BACKEND=x11 SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1
unset DBUS_SESSION_BUS_ADDRESS
game=$work/game/zindle-tavrin
peer=/usr/games/sgt-fifteen

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
# CPU time of all threads of a process so far, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {print s + 0}'; }

# ---- start-up: both programs, alternately --------------------------------
game_times=() peer_times=() own_times=()
for _ in $(seq "$runs"); do
  fresh_home 0
  game_times+=("$("$build/firstpaint" "$game")")
  fresh_home 0
  peer_times+=("$("$build/firstpaint" "$peer")")
  fresh_home 0
  start=$(date +%s%N)
  line=$(ZT_QUIT_AFTER_FIRST_PAINT=1 "$game" | grep first-paint)
  own_times+=("$(awk -v p="${line#first-paint }" -v s="$start" 'BEGIN {printf "%.1f", (p - s) / 1e6}')")
done
game_start=$(printf '%s\n' "${game_times[@]}" | median)
peer_start=$(printf '%s\n' "${peer_times[@]}" | median)
own_start=$(printf '%s\n' "${own_times[@]}" | median)

# ---- memory and idle CPU ---------------------------------------------------
# The idle ten seconds begin 4 s after the start, when the game's splash (up
# to 3 s) has closed.
idle() {  # program -> "rss_kB cpu_ms"
  fresh_home 0
  "$1" >/dev/null 2>&1 &
  local pid=$!
  sleep 2
  local rss cpu0 cpu1
  rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
  sleep 2
  cpu0=$(cpu_ns $pid)
  sleep 10
  cpu1=$(cpu_ns $pid)
  kill $pid
  wait $pid 2>/dev/null || true
  echo "$rss $(awk -v a="$cpu0" -v b="$cpu1" 'BEGIN {printf "%.1f", (b - a) / 1e6}')"
}
read -r game_rss game_idle < <(idle "$game")
read -r peer_rss peer_idle < <(idle "$peer")

# ---- the game alone: a BOSS move, music ------------------------------------
boss=$(HOME=$work/home "$build/bench/boss_move_bench" "$build/bin" 40)
boss_wall=$(sed -n 's/^whole move, wall time: median \([0-9.]*\) ms.*/\1/p' <<<"$boss")
boss_cpu=$(sed -n 's/^whole move, CPU time: median \([0-9.]*\) ms.*/\1/p' <<<"$boss")
if ls "$build"/bin/*.mid >/dev/null 2>&1; then
  cp "$build"/bin/*.mid "$work/game/"
  fresh_home 1
  "$game" >/dev/null 2>&1 &
  pid=$!
  sleep 4
  cpu0=$(cpu_ns $pid)
  sleep 10
  cpu1=$(cpu_ns $pid)
  kill $pid
  wait $pid 2>/dev/null || true
  music_idle=$(awk -v a="$cpu0" -v b="$cpu1" 'BEGIN {printf "%.1f ms", (b - a) / 1e6}')
else
  music_idle="not measured: the game has no MIDI files"
fi

# ---- report ----------------------------------------------------------------
mb() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
echo "Zindle Tavrin (release) against sgt-fifteen $(dpkg-query -W -f='${Version}' sgt-puzzles 2>/dev/null), $(nproc) cores"
printf '%-40s %12s %12s %8s\n' "" "game" "sgt-fifteen" "ratio"
printf '%-40s %9s ms %9s ms %8s\n' "exec to first painted window (median)" "$game_start" "$peer_start" \
  "$(ratio "$game_start" "$peer_start")"
printf '%-40s %9s MB %9s MB %8s\n' "resident memory 2 s after the start" "$(mb "$game_rss")" \
  "$(mb "$peer_rss")" "$(ratio "$game_rss" "$peer_rss")"
printf '%-40s %9s ms %9s ms %8s\n' "CPU time in 10 idle seconds (4-14 s)" "$game_idle" "$peer_idle" \
  "$(ratio "$game_idle" "$peer_idle")"
echo
echo "start-up runs (ms), game:        ${game_times[*]}"
echo "start-up runs (ms), sgt-fifteen: ${peer_times[*]}"
echo "the game's own first-paint report (ms): ${own_times[*]} (median $own_start)"
echo "one BOSS move: wall time ${boss_wall} ms, CPU time ${boss_cpu} ms (medians of 40 moves)"
echo "CPU time in 10 idle seconds with music playing: $music_idle"
