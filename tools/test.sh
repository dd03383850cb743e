#!/usr/bin/env bash
# Sets up and builds Kosmolux with warnings as errors, then runs every test
# headless through CTest, and ends with the tests' share of the C++ lines.
set -euo pipefail
cd "$(dirname "$0")/.."
# The tests' share of the code is the last line, however the run ends; the
# exit status stays that of the step that ended it.
trap 'tools/test-share.sh || true' EXIT
KOSMOLUX_CMAKE_ARGS="-DKOSMOLUX_WERROR=ON ${KOSMOLUX_CMAKE_ARGS:-}" tools/setup.sh
# A short fuzz run of the file and text layers (fuzz/README.md); it needs clang
# with its libFuzzer runtime.
probe=$(mktemp -d)
if command -v clang++ >/dev/null \
    && echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' \
       | clang++ -x c++ -fsanitize=fuzzer - -o "$probe/probe" 2>/dev/null; then
  tools/fuzz.sh 20
else
  echo "test.sh: clang++ with libFuzzer not found; the short fuzz run is skipped (see fuzz/README.md)"
fi
rm -rf "$probe"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --no-tests=error -j"$(nproc)"
