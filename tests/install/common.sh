# Shared by the install tests, sourced with their first three arguments:
#   CMAKE BUILD_DIR SOURCE_DIR
# Installs the build into a new temporary prefix, $prefix, inside $work, which
# goes away when the test ends. fail records a failure and goes on, so that
# one run names every problem; finish ends the test with the verdict.
set -euo pipefail
cmake_command=$1
build_dir=$2
source_dir=$3

app_id=org.kosmolux.Kosmolux
work=$(mktemp -d "${TMPDIR:-/tmp}/kosmolux-install.XXXXXX")
prefix=$work/prefix
# A test may have taken the write permission away from a folder in there.
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
skip_check() { echo "skipped: $*"; }
finish() {
  if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}

if ! "$cmake_command" --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install into $prefix failed (are all programs built?)" >&2
  exit 1
fi
