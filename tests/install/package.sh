#!/usr/bin/env bash
# Builds the Debian package with CPack and checks that its dependencies were
# computed by dpkg-shlibdeps, that it holds every installed file under /usr,
# and that it carries the build's version. Skipped (exit 77) without
# dpkg-shlibdeps (package dpkg-dev).
# Usage: package.sh CMAKE BUILD_DIR SOURCE_DIR CPACK
for tool in dpkg-shlibdeps dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
cpack_command=$4
source "$(dirname "$0")/common.sh" "$1" "$2" "$3"

if ! "$cpack_command" --config "$build_dir/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack failed" >&2
  exit 1
fi
packages=("$work"/package/*.deb)
[ "${#packages[@]}" -eq 1 ] && [ -f "${packages[0]}" ] || { echo "FAIL: cpack made no single .deb" >&2; exit 1; }
deb=${packages[0]}

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The Qt libraries come from dpkg-shlibdeps, with their versions; the platform plugin is named by hand.
for needed in 'libqt6core6 (>=' 'libqt6gui6 (>=' 'libqt6widgets6 (>=' 'libc6 (>=' 'libstdc++6 (>=' qt6-qpa-plugins; do
  grep -qF "$needed" <<<"$depends" || fail "the package does not depend on $needed"
done
version=$("$prefix/bin/kosmolux-run" --version)
[ "$(dpkg-deb --field "$deb" Version)" = "${version##* }" ] || fail "the package's version is not ${version##* }"

# Every installed file, under /usr instead of the prefix; nothing else.
installed=$(cd "$prefix" && find . -type f | sed 's|^\./|/usr/|' | sort)
packaged=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort)
if [ "$installed" != "$packaged" ]; then
  diff <(echo "$installed") <(echo "$packaged") >&2 || true
  fail "the package does not hold exactly the installed files (< installed, > packaged)"
fi
finish
