#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the normal build, then the same
# tests built with AddressSanitizer and UndefinedBehaviorSanitizer, then the
# fuzz targets for about a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check-format.sh

scripts/build.sh
ctest --test-dir build --output-on-failure -j2

ZT_BUILD_DIR=build-asan scripts/build.sh -DZT_SANITIZE=ON -DZT_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp \
  ctest --test-dir build-asan --output-on-failure -j2

# The fuzz targets, built with clang, each for a few seconds from its corpus.
fuzz/run.sh
