#!/usr/bin/env bash
# Prints the non-blank lines of C++ (.cpp and .h) in src/, tests/, fuzz/ and
# bench/, and the tests' share of all of them. The share should stay at 33%
# or less: tests that restate the code cost more than they catch.
set -euo pipefail
cd "$(dirname "$0")/.."

lines() {
  [ -d "$1" ] || { echo 0; return; }
  find "$1" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 \
    | xargs -0 -r cat | grep -c '[^[:space:]]' || true
}

src=$(lines src)
tests=$(lines tests)
fuzz=$(lines fuzz)
bench=$(lines bench)
all=$((src + tests + fuzz + bench))
# One decimal, rounded, in integer arithmetic (no locale in the way).
tenths=$(( all > 0 ? (tests * 1000 + all / 2) / all : 0 ))
share="$((tenths / 10)).$((tenths % 10))%"
note=""
((tenths > 330)) && note=" (above the limit of 33%)"
echo "C++ lines: src ${src}, tests ${tests}, fuzz ${fuzz}, bench ${bench}; tests are ${share} of all${note}"
