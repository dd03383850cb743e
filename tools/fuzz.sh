#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 20), or only the targets named after it:
#   tools/fuzz.sh [SECONDS] [inidocument|loadsystem|textformats ...]
# The seed corpus in fuzz/corpus/ and examples/ is only read; new inputs go to
# build-fuzz/corpus/, and an input that breaks a target to build-fuzz/crashes/,
# where the run stops with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(inidocument loadsystem textformats)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOSMOLUX_FUZZ=ON -DKOSMOLUX_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/%/_fuzzer}"

mkdir -p build-fuzz/crashes
# The load target saves a file per input: in memory, syncing it to disk costs nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
for target in "${targets[@]}"; do
  seeds=(fuzz/corpus/"$target")
  dictionary=fuzz/numbers.dict
  if [ "$target" != textformats ]; then
    seeds+=(examples)
    dictionary=fuzz/kmx.dict
  fi
  mkdir -p build-fuzz/corpus/"$target"
  echo "fuzz.sh: $target for $seconds seconds"
  log=build-fuzz/fuzz-"$target".log
  # The first folder receives the new inputs; a unit slower than 10 s counts as a hang.
  if ! build-fuzz/fuzz/"$target"_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
      -max_len=16384 -dict="$dictionary" -print_final_stats=1 \
      -artifact_prefix=build-fuzz/crashes/"$target"- \
      build-fuzz/corpus/"$target" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz.sh: $target failed; the input is in build-fuzz/crashes/, the whole output in $log"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+[[:space:]]+DONE' "$log"
done
