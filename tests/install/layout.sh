#!/usr/bin/env bash
# Installs Kosmolux into a temporary prefix and checks that every file is where
# the desktop, man and the programs look for it, that the entries agree with
# each other and pass the desktop's validators, and that the installed runner
# runs an installed example. A check whose tool is missing is skipped and named.
# Usage: layout.sh CMAKE BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/common.sh" "$@"
share=$prefix/share

expect_file() {
  [ -f "$1" ] || fail "missing ${1#"$work"/}"
}

# The programs, with nothing pointing back into the build folder.
for program in kosmolux kosmolux-run; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not an executable"
  if command -v readelf >/dev/null && readelf -d "$prefix/bin/$program" | grep -E 'R(UN)?PATH' | grep -qF "$build_dir"; then
    fail "bin/$program looks for libraries in the build folder"
  fi
done

# What the programs look for beside themselves when installed, and in the build folder.
for example in "$source_dir"/examples/*.kmx "$source_dir"/examples/README.md; do
  expect_file "$share/kosmolux/examples/$(basename "$example")"
  expect_file "$build_dir/bin/examples/$(basename "$example")"
done
expect_file "$share/kosmolux/help/index.html"
for page in "$build_dir"/bin/help/*; do
  expect_file "$share/kosmolux/help/$(basename "$page")"
done

# Where the desktop looks.
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml
mime_package=$share/mime/packages/$app_id.xml
for file in "$desktop" "$metainfo" "$mime_package" "$share/icons/hicolor/scalable/apps/$app_id.svg" \
    "$share/man/man1/kosmolux-run.1" "$share/man/man1/kosmolux.1"; do
  expect_file "$file"
done
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
  expect_file "$png"
  [ -f "$png" ] || continue
  # Width and height are the big-endian numbers at bytes 16 to 23 of a PNG.
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$width x $height" = "$size x $size" ] || fail "the ${size}x${size} icon is $width x $height"
done

# The entries name what is installed.
if [ -f "$desktop" ]; then
  key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
  [ "$(key Icon)" = "$app_id" ] || fail "the desktop entry's icon is '$(key Icon)'"
  program=$(key Exec)
  program=${program%% *}
  [ -x "$prefix/bin/$program" ] || fail "the desktop entry starts '$program', which is not installed"
  [ "$(key Categories)" = "Education;Science;Astronomy;" ] || fail "categories are '$(key Categories)'"
  mime_type=$(key MimeType)
  mime_type=${mime_type%;}
  grep -qF "<mime-type type=\"$mime_type\">" "$mime_package" || fail "no MIME package defines '$mime_type'"
fi
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $app_id.desktop"

# The installed runner works and is the version the entries announce.
if version=$("$prefix/bin/kosmolux-run" --version); then
  version=${version##* }
  grep -qF "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
  grep -qF "\"Kosmolux $version\"" "$share/man/man1/kosmolux-run.1" || fail "the man page is not of version $version"
else
  fail "kosmolux-run --version failed"
fi
if ! "$prefix/bin/kosmolux-run" --steps 100 --quiet -o "$work/after.kmx" "$share/kosmolux/examples/Solar.kmx" ||
    ! grep -q '^\[System\]' "$work/after.kmx"; then
  fail "kosmolux-run did not run the installed Solar.kmx"
fi

# The man page tells every option that --help tells.
if help=$("$prefix/bin/kosmolux-run" --help); then
  for option in $(grep -oE -- '--[a-z]+' <<<"$help" | sort -u); do
    grep -qF -- "${option//-/\\-}" "$share/man/man1/kosmolux-run.1" || fail "the man page does not tell $option"
  done
fi
if command -v man >/dev/null; then
  for page in kosmolux-run kosmolux; do
    # man kosmolux-run finds the page in the prefix, and groff has no complaint about it.
    found=$(MANPATH=$share/man man -w "$page" 2>/dev/null) || true
    [ "$found" = "$share/man/man1/$page.1" ] || fail "man -w $page gives '$found'"
    complaints=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1" 2>&1 >/dev/null) || true
    [ -z "$complaints" ] || fail "man warns about $page.1: $complaints"
  done
else
  skip_check "man is not installed"
fi

# The desktop's own tools.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
else
  skip_check "desktop-file-validate is not installed (package desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
  # The tree, so that the metainfo's desktop entry is looked at as well.
  appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli rejects the metainfo"
else
  skip_check "appstreamcli is not installed (package appstream)"
fi
if command -v update-mime-database >/dev/null; then
  if update-mime-database "$share/mime" >"$work/mime.log" 2>&1; then
    grep -qxF "50:$mime_type:*.kmx" "$share/mime/globs2" || fail "the MIME database has no glob *.kmx"
    [ -f "$share/mime/${mime_type}.xml" ] || fail "the MIME database has no $mime_type"
    grep -qF '[System]' "$share/mime/magic" || fail "the MIME database has no magic for [System]"
  else
    cat "$work/mime.log" >&2
    fail "update-mime-database rejects the MIME package"
  fi
else
  skip_check "update-mime-database is not installed (package shared-mime-info)"
fi

finish
