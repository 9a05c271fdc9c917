#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) in their own build folder, runs each once
# over its committed corpus, then fuzzes each for a fixed time.
#
# Usage: scripts/fuzz.sh [seconds per target, default 60]
# ORDEXIA_FUZZ_BUILD names the build folder (default build-fuzz), JOBS the
# parallel build jobs (default 2). New inputs go to the build folder, never
# to fuzz/corpus; a finding is saved there as crash-* and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${ORDEXIA_FUZZ_BUILD:-build-fuzz}
targets=(lzrw list streams)
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# clang does not know g++'s -Wshadow=local.
quiet="-Wno-unknown-warning-option"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE= \
  -DCMAKE_CXX_FLAGS="-O1 -g -fsanitize=fuzzer-no-link $sanitize $quiet" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DORDEXIA_FUZZ=ON -DORDEXIA_BENCHMARKS=OFF
cmake --build "$build" --target "${targets[@]/%/_fuzzer}" -j "${JOBS:-2}"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" -L '^fuzz$' --output-on-failure

for name in "${targets[@]}"; do
  work="$build/fuzz-work/$name"
  mkdir -p "$work/corpus" "$work/artifacts"
  echo "Fuzzing $name for $seconds s"
  "$build/fuzz/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "fuzz/corpus/$name"
done
echo "Fuzzing: ${#targets[@]} targets ran ${seconds} s each without a finding"
