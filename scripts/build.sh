#!/usr/bin/env bash
# Configures and builds the game in build/ (or the folder given as $ZT_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZT_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DZT_WERROR=ON "$@" >/dev/null
cmake --build "$build"
