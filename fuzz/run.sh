#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each one for a bounded
# time from its seed corpus in fuzz/corpus/<target>/. Inputs the fuzzer finds
# go to a scratch folder, not into the repository. A crash or a failed check
# stops the run; the input that caused it is left in build-fuzz/artifacts/.
# To replay a saved input: build-fuzz/fuzz/<target> build-fuzz/artifacts/<file>
# (with the options exported below); a longer hunt: give more seconds.
# usage: fuzz/run.sh [seconds per target]   (default 7, or $ZT_FUZZ_SECONDS)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${ZT_FUZZ_SECONDS:-7}}
build=${ZT_FUZZ_BUILD_DIR:-build-fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZT_WERROR=ON -DZT_FUZZ=ON -DZT_BUILD_TESTS=OFF -DZT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzzers -- -j2

artifacts=$build/artifacts
mkdir -p "$artifacts"
# The settings targets write and sync a file for every input: in memory that
# costs little.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# target, the longest input it is given, and its share of the time (in
# sevenths of the seconds per target; the player loads a synthesiser for every
# input and learns little more in a longer run)
targets=(
  "fuzz_text_scrambler 4096 7"
  "fuzz_highscore_entry 4096 7"
  "fuzz_window_position 512 7"
  "fuzz_game_settings 4096 7"
  "fuzz_atlas 65536 7"
  "fuzz_help 65536 7"
  "fuzz_midi 16384 7"
  "fuzz_music_list 1024 7"
  "fuzz_midi_player 4096 4"
)
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1
passed=0
for entry in "${targets[@]}"; do
  read -r target max_len share <<<"$entry"
  time=$(((seconds * share + 6) / 7))
  mkdir -p "$scratch/$target"
  log=$scratch/$target.log
  if ! "$build/fuzz/$target" -max_total_time="$time" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
    "$scratch/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "FAIL: $target; the input is in $artifacts/"
    echo "fuzzing: $passed passed, 1 failed"
    exit 1
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  rss=$(awk '/stat::peak_rss_mb/ {print $2}' "$log")
  found=$(find "$scratch/$target" -type f | wc -l)
  echo "$target: $runs inputs in ${time} s, $found new in the corpus, peak ${rss} MB"
  passed=$((passed + 1))
done
echo "fuzzing: $passed passed, 0 failed"
