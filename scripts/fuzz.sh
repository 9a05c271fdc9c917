#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (every fuzz/<name>_fuzzer.cpp) with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer on, in their own
# build folder; runs each once over its committed corpus; then fuzzes them,
# JOBS at a time, each for the given seconds.
#
# Usage: scripts/fuzz.sh [seconds per target, default 60]
# ORDEXIA_FUZZ_BUILD names the build folder (default build-fuzz), JOBS the
# parallel build jobs and the number of targets fuzzed at once (default 2).
# New inputs go to the build folder, never to fuzz/corpus; a finding is
# saved there as crash-*, leak-*, timeout-* or oom-* and fails the run.
#
# Wall time: the build, the corpus check, then ceil(targets / JOBS) rounds
# of the given seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${ORDEXIA_FUZZ_BUILD:-build-fuzz}
jobs=${JOBS:-2}
targets=()
for source in fuzz/*_fuzzer.cpp; do
  name=${source#fuzz/}
  targets+=("${name%_fuzzer.cpp}")
done
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# clang does not know g++'s -Wshadow=local.
quiet="-Wno-unknown-warning-option"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE= \
  -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only -fsanitize=fuzzer-no-link $sanitize $quiet" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DORDEXIA_FUZZ=ON -DORDEXIA_BENCHMARKS=OFF -DORDEXIA_LEAN_BUILD=ON
cmake --build "$build" --target "${targets[@]/%/_fuzzer}" -j "$jobs"

export QT_QPA_PLATFORM=offscreen
# The system libraries' process-lifetime caches, as in the test run.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
# The targets' private settings folders go here: a fuzzer that ends on a
# finding leaves its folder behind, inside the build folder.
case $build in
  /*) export TMPDIR=$build/fuzz-work/tmp ;;
  *) export TMPDIR=$PWD/$build/fuzz-work/tmp ;;
esac
mkdir -p "$TMPDIR"
ctest --test-dir "$build" -L '^fuzz$' --output-on-failure -j "$jobs"

# One target: its log and findings in its own folder of the build.
fuzz_one() {
  local name=$1 work="$build/fuzz-work/$1"
  mkdir -p "$work/corpus" "$work/artifacts"
  "$build/fuzz/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" "fuzz/corpus/$name" \
    >"$work/log" 2>&1
}

report() {
  local name=$1 status=$2
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$build/fuzz-work/$name/artifacts")" ]; then
    echo "Fuzzing $name: FINDING (exit $status), see $build/fuzz-work/$name"
    tail -n 40 "$build/fuzz-work/$name/log"
    return 1
  fi
  echo "Fuzzing $name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz-work/$name/log" | grep -o '[0-9]*$') runs, no finding"
}

echo "Fuzzing ${#targets[@]} targets for $seconds s each, $jobs at a time"
declare -A running=()
failed=0
reap() {
  local pid status=0
  wait -n -p pid "${!running[@]}" || status=$?
  report "${running[$pid]}" "$status" || failed=1
  unset "running[$pid]"
}
for name in "${targets[@]}"; do
  rm -rf "$build/fuzz-work/$name/artifacts"
  while [ "${#running[@]}" -ge "$jobs" ]; do reap; done
  fuzz_one "$name" &
  running[$!]=$name
done
while [ "${#running[@]}" -gt 0 ]; do reap; done

if [ "$failed" -ne 0 ]; then
  echo "Fuzzing found faults"
  exit 1
fi
echo "Fuzzing: ${#targets[@]} targets ran ${seconds} s each without a finding"
