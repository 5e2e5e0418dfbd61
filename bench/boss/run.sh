#!/usr/bin/env bash
# usage: bench/boss/run.sh [build folder]
set -euo pipefail
build=$(realpath "${1:-build}")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME=$home XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/boss_move_bench" "$build/bin" 40
