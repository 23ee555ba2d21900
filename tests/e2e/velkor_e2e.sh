#!/usr/bin/env bash
# Whole-program checks of the Linux build on an X display (run under with-xvfb).
# Usage: velkor_e2e.sh CASE VELKOR IMAGE WINDOW_FROM_OUTSIDE OUTPUT_DIR
set -euo pipefail
# SDL names its dialogs in a way xdotool matches only in the C locale.
export LC_ALL=C

case_name=$1 velkor=$2 image=$3 window_from_outside=$4 output=$5
work=$(mktemp -d)
trap 'kill $pid $watcher 2>/dev/null || true; rm -rf "$work"' EXIT
pid= watcher=

fail() { echo "FAIL: $*" >&2; [ -f "$work/stderr" ] && sed 's/^/  velkor: /' "$work/stderr" >&2; exit 1; }

start() {
  (cd "$work" && exec "$velkor" 2>"$work/stderr") &
  pid=$!
}

# The window's X id once it is mapped.
window_of() {
  local name=$1 id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && {
      echo "$id"
      return
    }
    sleep 0.1
  done
  fail "no window named $name appeared"
}

# Waits up to $2 seconds for the program to end; fails unless it ends with code 0.
expect_exit_zero() {
  local within=$1 code
  for _ in $(seq $((within * 20))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && code=0 || code=$?
      [ "$code" -eq 0 ] || fail "exit code $code"
      return
    fi
    sleep 0.05
  done
  fail "still running ${within}s later"
}

still_running() { kill -0 "$pid" 2>/dev/null || fail "the program ended"; }

# Presses the key $1 that closes the window $id. Only the press is sent: the window is gone by
# the time a release would follow, and sending to a window that no longer exists is an X error.
close_key() { xdotool keydown --window "$id" "$1"; }

# Every window made or destroyed on the display from now on goes to $work/windows: xev on the
# root window, known to be listening once it has reported a change to a root property.
windows_watch() {
  xev -root -event substructure -event property >"$work/windows" 2>&1 &
  watcher=$!
  for _ in $(seq 100); do
    xprop -root -f _VELKOR_E2E 8s -set _VELKOR_E2E ready
    grep -q _VELKOR_E2E "$work/windows" && return
    sleep 0.05
  done
  fail "xev reports nothing of the display"
}

# One X window for the program's whole life: made once and never remade, so whoever found it
# by its id still has it.
expect_one_window() {
  local made destroyed
  made=$(grep -c '^CreateNotify' "$work/windows" || true)
  destroyed=$(grep -c '^DestroyNotify' "$work/windows" || true)
  [ "$made" -eq 1 ] && [ "$destroyed" -eq 0 ] || fail "X windows made: $made, destroyed: $destroyed"
}

# The screenshot $1 shows the textured cube at $2 times its size in the 624 by 441 client area,
# centred, as the client area is: its centre projects to about (305, 227) of that area.
expect_cube() {
  local shot=$1 scale=$2 w h x y cx cy colours
  read -r w h x y < <(convert "$shot" -fuzz 3% -format '%@\n' info: | tr 'x+' '  ')
  cx=$((x + w / 2)) cy=$((y + h / 2))
  [ "$w" -gt $((100 * scale)) ] && [ "$h" -gt $((100 * scale)) ] || fail "the cube is too small: ${w}x${h}"
  [ $((cx > (305 - 40) * scale && cx < (305 + 40) * scale)) -eq 1 ] &&
    [ $((cy > (227 - 40) * scale && cy < (227 + 40) * scale)) -eq 1 ] || fail "the cube is centred at ($cx, $cy)"
  colours=$(convert "$shot" -crop "${w}x${h}+${x}+${y}" -format '%k' info:)
  [ "$colours" -gt 200 ] || fail "the cube shows only $colours colours: not textured"
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

case $case_name in
window)
  cp "$image" "$work/mad040.raw"
  windows_watch
  start
  id=$(window_of Velkor)
  geometry=$(xwininfo -id "$id")
  grep -q 'Width: 624$' <<<"$geometry" || fail "client width: $geometry"
  grep -q 'Height: 441$' <<<"$geometry" || fail "client height: $geometry"
  xprop -id "$id" WM_CLASS | grep -q '"VELKORCLASS"' || fail "class: $(xprop -id "$id" WM_CLASS)"

  sleep 0.5
  import -window "$id" "$work/first.png"
  sleep 0.3
  import -window "$id" "$work/second.png"
  cp "$work/first.png" "$output/velkor-screenshot.png"
  changed=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
  [ "${changed%%.*}" -gt 2000 ] || fail "the picture did not change ($changed pixels)"
  expect_cube "$work/first.png" 1

  before=$(cpu_ticks "$pid")
  sleep 2
  used=$(($(cpu_ticks "$pid") - before))
  ticks=$(getconf CLK_TCK)
  echo "processor use while spinning: $((100 * used / (2 * ticks)))% of one core"
  # An unpaced loop takes the whole core; a paced one sleeps between frames (even in a
  # sanitizer build, whose frames cost far more than an optimised one's).
  [ $((10 * used < 9 * 2 * ticks)) -eq 1 ] || fail "uses $used ticks in 2 s: not paced"
  expect_one_window

  close_key Escape
  expect_exit_zero 1
  ;;
resize)
  cp "$image" "$work/mad040.raw"
  windows_watch
  start
  id=$(window_of Velkor)
  # Into the corner first, so that twice the size still fits on the screen.
  xdotool windowmove --sync "$id" 0 0
  xdotool windowsize --sync "$id" 1248 882
  geometry=$(xwininfo -id "$id")
  grep -q 'Width: 1248$' <<<"$geometry" && grep -q 'Height: 882$' <<<"$geometry" ||
    fail "not resized: $geometry"
  sleep 0.5
  import -window "$id" "$work/resized.png"
  cp "$work/resized.png" "$output/velkor-resized.png"
  # The frame fills the bigger client area: the cube, twice as big, in its middle, reaching
  # beyond where the old client area ended.
  expect_cube "$work/resized.png" 2
  expect_one_window
  close_key Escape
  expect_exit_zero 1
  ;;
keys)
  cp "$image" "$work/mad040.raw"
  start
  id=$(window_of Velkor)
  xdotool key --window "$id" a space Return F1 Up 1
  sleep 0.5
  still_running
  "$window_from_outside" close "$id"
  expect_exit_zero 1
  ;;
alt-f4)
  cp "$image" "$work/mad040.raw"
  start
  id=$(window_of Velkor)
  close_key alt+F4
  expect_exit_zero 1
  ;;
missing-image)
  start
  dialog=$(window_of Error)
  xwininfo -id "$dialog" >/dev/null
  grep -qx 'Error: Missing file: mad040.raw' "$work/stderr" || fail "no error line"
  import -window "$dialog" "$output/velkor-missing-image.png"
  xdotool search --onlyvisible --name '^Velkor$' >/dev/null && fail "the main window is showing"
  xdotool key --window "$dialog" Return
  expect_exit_zero 2
  ;;
no-display)
  cp "$image" "$work/mad040.raw"
  (unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER; cd "$work" && exec "$velkor" 2>"$work/stderr") &
  pid=$!
  expect_exit_zero 5
  grep -q 'Error: Failed to create window' "$work/stderr" || fail "no error line"
  [ "$(wc -l <"$work/stderr")" -ge 2 ] || fail "the reason is not given"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
