#!/usr/bin/env bash
# Sets up and builds; the one place that configures a build folder, for
# scripts/run.sh and scripts/test.sh alike.
#   scripts/build.sh [--sanitize address|thread] [TARGET...]
# Without --sanitize it builds build/ (or ORDEXIA_BUILD_DIR) in the project's
# default configuration, the one a plain `cmake -S . -B build` gives, so the
# two commands share it: whatever one built, the other reuses. With
# --sanitize it builds build-address/ or build-thread/ for the sanitizer runs.
# Without targets it builds everything. It runs as many compile jobs as the
# cores it is given (nproc).
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=""
if [ "${1:-}" = "--sanitize" ]; then
  sanitize="${2:?--sanitize needs address or thread}"
  shift 2
fi

scripts/setup.sh

options=()
if [ -n "$sanitize" ]; then
  build_dir=build-$sanitize
  # The sanitizer runs are tests only: no benchmarks, lines as written.
  options=(-DCMAKE_BUILD_TYPE=Debug -DORDEXIA_SANITIZE="$sanitize" -DORDEXIA_BENCHMARKS=OFF)
else
  build_dir="${ORDEXIA_BUILD_DIR:-build}"
fi
# A folder first configured by hand keeps the generator it was made with.
if [ ! -f "$build_dir/CMakeCache.txt" ]; then options+=(-G Ninja); fi

cmake -S . -B "$build_dir" "${options[@]}" >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"
