#!/usr/bin/env bash
# Sets up, builds and runs every test.
#   scripts/test.sh                    the build scripts/run.sh uses too, in build/
#   scripts/test.sh --sanitize address AddressSanitizer + UBSan build in build-address/
#   scripts/test.sh --sanitize thread  ThreadSanitizer build in build-thread/, threaded tests only
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=""
if [ "${1:-}" = "--sanitize" ]; then
  sanitize="${2:?--sanitize needs address or thread}"
fi

if [ -n "$sanitize" ]; then
  scripts/build.sh --sanitize "$sanitize"
  build_dir=build-$sanitize
else
  scripts/build.sh
  build_dir="${ORDEXIA_BUILD_DIR:-build}"
fi

labels=()
if [ "$sanitize" = "thread" ]; then labels=(-L threads); fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
ctest --test-dir "$build_dir" --output-on-failure --no-tests=ignore -j "$(nproc)" "${labels[@]}"
