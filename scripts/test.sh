#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the normal build, then the same
# tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check-format.sh

scripts/build.sh
ctest --test-dir build --output-on-failure -j2

ZT_BUILD_DIR=build-asan scripts/build.sh -DZT_SANITIZE=ON -DZT_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2
