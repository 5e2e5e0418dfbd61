#!/usr/bin/env bash
# For players: installs what building and playing need, builds the game alone
# (no tests, benchmarks or fuzzers; warnings stay warnings) in build-play/,
# and starts it. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh play
build=${ZT_PLAY_BUILD_DIR:-build-play}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZT_BUILD_TESTS=OFF \
  -DZT_BUILD_BENCH=OFF -DZT_WERROR=OFF >/dev/null
cmake --build "$build" --target zindle-tavrin
exec "$build/bin/zindle-tavrin" "$@"
