#!/usr/bin/env bash
# Starts the window program from a temporary prefix under Xvfb, as a user who
# cannot write to the program's folder, on the installed Solar.kmx; clicks
# Start, then Stop, and checks that "Current.kmx" is saved in the user's data
# folder without an error box, and that F1 opens the installed user guide.
# Leaves a screenshot as installed-window.png in OUTPUT_DIR. Skipped (exit 77)
# without Xvfb and xdotool.
# Usage: window.sh CMAKE BUILD_DIR SOURCE_DIR OUTPUT_DIR
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
output_dir=$4
source "$(dirname "$0")/common.sh" "$1" "$2" "$3"

xvfb_pid=""
program_pid=""
stop_all() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  cleanup
}
trap stop_all EXIT

# The user: root may write anywhere, so root runs the program as nobody; any
# other user gets a program folder without write permission, as under /usr.
home=$work/home
mkdir -p "$home"
run_as=()
chmod 755 "$work"
if [ "$(id -u)" -eq 0 ]; then
  run_as=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
  chown "$(id -u nobody):$(id -g nobody)" "$home"
  "${run_as[@]}" test -x "$prefix/bin/kosmolux" || { echo "FAIL: nobody cannot reach $prefix" >&2; exit 1; }
else
  chmod a-w "$prefix/bin"
fi

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

"${run_as[@]}" env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin LANG=en_US.UTF-8 \
  QT_QPA_PLATFORM=xcb "$prefix/bin/kosmolux" "$prefix/share/kosmolux/examples/Solar.kmx" \
  >"$work/kosmolux.log" 2>&1 &
program_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kosmolux ' | head -n 1) || true
if [ -z "$window" ]; then
  cat "$work/kosmolux.log" >&2
  echo "FAIL: the Kosmolux window did not appear" >&2
  exit 1
fi
# The controls sit at fixed places below the menu bar, in a client area of 613 x 533.
eval "$(xdotool getwindowgeometry --shell "$window")"
menu_bar=$((HEIGHT - 533))
click() { xdotool mousemove --window "$window" "$1" $((menu_bar + $2)) click 1; }
current=$home/.local/share/kosmolux/Current.kmx
# A click that comes before the window takes input is lost: try again.
for _ in 1 2 3; do
  sleep 1
  click 566 12   # Start
  sleep 1
  click 566 60   # Stop
  for _ in $(seq 50); do
    [ -s "$current" ] && break 2
    sleep 0.1
  done
done
sleep 0.5
if command -v import >/dev/null; then
  import -window root "$output_dir/installed-window.png" 2>/dev/null || true
fi

if [ -s "$current" ]; then
  # The same bodies as the example, moved by the run.
  bodies() { sed -n '/^\[System\]/,/^\[General\]/p' "$1" | tr -d '\r'; }
  [ "$(bodies "$current")" = "$(bodies "$prefix/share/kosmolux/examples/Solar.kmx")" ] ||
    fail "Current.kmx does not hold the bodies of Solar.kmx"
  cmp -s "$current" "$prefix/share/kosmolux/examples/Solar.kmx" && fail "Current.kmx is Solar.kmx unmoved"
else
  fail "Stop saved no Current.kmx in the user's data folder"
fi
[ -e "$prefix/bin/Current.kmx" ] && fail "Current.kmx was written into the program's folder"
for title in SaveSystem 'Run Stopped' Help; do
  xdotool search --onlyvisible --name "^$title\$" >/dev/null && fail "a '$title' box is open"
done
kill -0 "$program_pid" 2>/dev/null || fail "kosmolux ended by itself"

# F1 opens the user guide, which lies only in the installed data folder.
xdotool windowfocus --sync "$window" key F1
timeout 10 xdotool search --sync --onlyvisible --name '^Kosmolux Help - ' >/dev/null ||
  fail "F1 did not open the installed user guide"
finish
