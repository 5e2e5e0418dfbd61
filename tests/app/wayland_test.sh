#!/usr/bin/env bash
# The game on Wayland: a headless Weston compositor, the real program painting
# its first picture there, and the main window's tests (position restore
# skipped, settings and position saved at the confirmed quit) on the Wayland
# platform. Skipped (exit 77) where Weston or Qt's Wayland plugin is missing.
# usage: wayland_test.sh <game executable> <main form test executable>
set -euo pipefail
game=$1
formtest=$2
command -v weston >/dev/null || { echo "weston not installed"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  { echo "Qt's Wayland plugin not installed"; exit 77; }

work=$(mktemp -d)
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work WAYLAND_DISPLAY=zt-wayland QT_QPA_PLATFORM=wayland SDL_AUDIODRIVER=dummy
weston --backend=headless-backend.so --socket=zt-wayland --width=1024 --height=768 --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -S "$work/zt-wayland" ] && break; sleep 0.1; done
[ -S "$work/zt-wayland" ] || { cat "$work/weston.log"; echo "FAIL: weston did not start"; exit 1; }

mkdir -p "$work/home/config/ZindleGames"
printf '[V1]\ncommon\\mode=3\ncommon\\tongue=0\ncommon\\MainForm="200,0,1,40,40,540,406"\n' \
  > "$work/home/config/ZindleGames/ZindleTavrin.ini"
line=$(HOME=$work/home XDG_CONFIG_HOME=$work/home/config ZT_QUIT_AFTER_FIRST_PAINT=1 \
  timeout 20 "$game" | grep first-paint || true)
[ -n "$line" ] || { echo "FAIL: the game painted nothing on Wayland"; exit 1; }
echo "the game painted its window on Wayland"

# The test program gives itself a private runtime folder: name the socket by its path.
WAYLAND_DISPLAY=$work/zt-wayland "$formtest" layoutOfTheWindow confirmedQuitWritesTheSettings \
  windowPositionIsRestoredWhereTheWindowSystemAllows
