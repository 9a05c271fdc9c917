#!/bin/sh
# Compiler launcher of the compile-alone checks: runs the compile command for
# its errors only, then leaves the empty object file the build expects.
output=""
previous=""
for argument in "$@"; do
  if [ "$previous" = "-o" ]; then output=$argument; fi
  previous=$argument
done
"$@" -fsyntax-only || exit
: >"$output"
