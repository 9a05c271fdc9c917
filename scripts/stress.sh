#!/usr/bin/env bash
# Runs the tests on a machine kept busy with other work, three busy
# processes per core, to show that no test depends on when a thread is
# scheduled. Builds, runs the whole suite once, then the serial, thread and
# shell tests five times more; fails on any failure.
#   scripts/stress.sh                 in build/
#   scripts/stress.sh build-mine      in another build folder
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
rounds=5

scripts/setup.sh

stress-ng --cpu $(($(nproc) * 3)) --timeout 0 --quiet &
stress_pid=$!
stop_stress() {
  kill "$stress_pid" 2>/dev/null || true
  wait "$stress_pid" 2>/dev/null || true
}
trap stop_stress EXIT

ORDEXIA_BUILD_DIR="$build_dir" scripts/build.sh

export QT_QPA_PLATFORM=offscreen
run_tests() {
  ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j "$(nproc)" "$@"
}

echo "stress: whole suite under $(($(nproc) * 3)) busy processes"
run_tests
for round in $(seq 1 $rounds); do
  echo "stress: serial, thread and shell tests, round $round of $rounds"
  run_tests -L 'link|threads|shell'
done
echo "stress: every run passed"
