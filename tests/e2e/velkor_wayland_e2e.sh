#!/usr/bin/env bash
# Whole-program checks of the Linux build on a Wayland compositor (run under with-wayland).
# Usage: velkor_wayland_e2e.sh CASE VELKOR IMAGE OUTPUT_DIR
set -euo pipefail
export LC_ALL=C
# The leaks LeakSanitizer is told to ignore are known by the library they come from; EGL's
# driver, which SDL loads for every Wayland window and unloads at the end, leaves no name on
# its frames unless the whole stack is walked.
[ -n "${LSAN_OPTIONS:-}" ] && export LSAN_OPTIONS="$LSAN_OPTIONS:fast_unwind_on_malloc=0"

case_name=$1 velkor=$2 image=$3 output=$4
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
pid=

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/stderr" ] && sed 's/^/  velkor: /' "$work/stderr" >&2
  # What the compositor showed, to look at.
  [ -f "$work/first.png" ] && cp "$work/first.png" "$output/velkor-wayland-$case_name-failed.png"
  exit 1
}
source "$(dirname "$0")/program_checks.sh"

start() {
  (cd "$work" && exec "$velkor" 2>"$work/stderr") &
  pid=$!
}

# The compositor's record of the window titled $1, once it shows it (has its first picture).
window_of() {
  local title=$1 record
  for _ in $(seq 100); do
    record=$(swaymsg -t get_tree | jq -c --arg title "$title" \
      'first(.. | objects | select(.type? == "floating_con" and .name == $title and .visible))' 2>/dev/null || true)
    [ -n "$record" ] && {
      echo "$record"
      return
    }
    kill -0 "$pid" 2>/dev/null || fail "ended before showing a window named $title"
    sleep 0.1
  done
  fail "no window named $title appeared"
}

# The client area of the window record $1 as grim takes a region: "X,Y WxH", logical units.
client_area() { jq -r '"\(.rect.x + .window_rect.x),\(.rect.y + .window_rect.y) \(.window_rect.width)x\(.window_rect.height)"' <<<"$1"; }

# Types keys $@ (wtype's arguments) through a virtual keyboard of the compositor's. The program
# hears of a new keyboard only after it appears: wtype waits a moment before the keys.
type_keys() { wtype -s 300 "$@"; }

# Escape through the compositor until the program ends. Each wtype run brings a keyboard of its
# own, whose first keys may come before the program has taken the keyboard up; a key the
# program did hear ends it at the first try.
escape_ends_it() {
  for _ in $(seq 5); do
    type_keys -k Escape
    for _ in $(seq 20); do
      kill -0 "$pid" 2>/dev/null || break 2
      sleep 0.05
    done
  done
  expect_exit_zero 1
}

# The client area of the window, twice, a moment apart: the cube is there, and turning. The
# compositor shows a window at a new size once the program has drawn at that size: the cube
# is waited for.
expect_spinning() {
  local area=$1 scale=$2 name=$3 changed
  for _ in $(seq 50); do
    grim -g "$area" "$work/first.png"
    (fail() { exit 1; } && expect_cube "$work/first.png" "$scale") && break
    sleep 0.1
  done
  cp "$work/first.png" "$output/velkor-wayland-$name.png"
  expect_cube "$work/first.png" "$scale"
  # A slow machine may show the same frame a while.
  for _ in $(seq 30); do
    sleep 0.1
    grim -g "$area" "$work/second.png"
    changed=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
    [ "${changed%%.*}" -gt $((2000 * scale * scale)) ] && return
  done
  fail "the picture did not change ($changed pixels)"
}

velkor_window='[app_id="^VELKORCLASS$"]'

case $case_name in
window)
  cp "$image" "$work/mad040.raw"
  start
  record=$(window_of Velkor)
  [ "$(jq -r .app_id <<<"$record")" = VELKORCLASS ] || fail "app id: $(jq -r .app_id <<<"$record")"
  [ "$(jq -r '"\(.window_rect.width)x\(.window_rect.height)"' <<<"$record")" = 624x441 ] ||
    fail "client size: $(jq -c .window_rect <<<"$record")"
  expect_spinning "$(client_area "$record")" 1 window
  escape_ends_it
  [ ! -s "$work/stderr" ] || fail "standard error is not empty"
  ;;
paced)
  # On an output refreshing 20 times a second, frames go out no faster than that: the Wayland
  # library's log of the program's requests times the frames sent. Even a sanitizer build
  # draws several times as fast when nothing holds it back.
  swaymsg 'output HEADLESS-1 mode 1280x1024@20Hz' >/dev/null
  cp "$image" "$work/mad040.raw"
  (cd "$work" && WAYLAND_DEBUG=1 exec "$velkor" 2>"$work/requests") &
  pid=$!
  window_of Velkor >/dev/null
  sent_at() { grep -- '-> wl_surface@[0-9]*\.attach(wl_buffer' "$work/requests" | tr -d '[]' | awk '{print $1}'; }
  for _ in $(seq 100); do
    [ "$(sent_at | wc -l)" -gt 60 ] && break
    sleep 0.1
  done
  # The last 40 frames' rate, by the log's own clock (milliseconds).
  rate=$(sent_at | tail -n 41 | awk 'NR == 1 {first = $1} END {if (NR == 41) printf "%d", 40000 / ($1 - first)}')
  echo "frames sent per second on a 20 Hz output: ${rate:-none}"
  [ -n "$rate" ] || fail "fewer than 60 frames sent"
  [ "$rate" -le 30 ] || fail "$rate frames a second: not paced by the compositor"
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 2
  ;;
close)
  # The compositor's close binding, as the close button of a decoration asks.
  cp "$image" "$work/mad040.raw"
  start
  window_of Velkor >/dev/null
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 2
  ;;
keys)
  # Keys that end nothing leave it running.
  cp "$image" "$work/mad040.raw"
  start
  window_of Velkor >/dev/null
  type_keys a b ' ' -k Return -k F1 -k Up 1
  sleep 0.3
  still_running
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 2
  ;;
resize)
  cp "$image" "$work/mad040.raw"
  start
  window_of Velkor >/dev/null
  # Without its title bar and border the window is all client area, the size asked for.
  swaymsg "$velkor_window border none, resize set 1248 882, move position 0 0" >/dev/null
  for _ in $(seq 50); do
    record=$(window_of Velkor)
    [ "$(jq -r '"\(.window_rect.width)x\(.window_rect.height)"' <<<"$record")" = 1248x882 ] && break
    sleep 0.1
  done
  [ "$(jq -r '"\(.window_rect.width)x\(.window_rect.height)"' <<<"$record")" = 1248x882 ] ||
    fail "not resized: $(jq -c .window_rect <<<"$record")"
  # The compositor scales the frame to the bigger window: the cube, twice as big, in its middle.
  expect_spinning "$(client_area "$record")" 2 resized
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 2
  ;;
scale)
  # On an output of scale 2 the window keeps its size in the compositor's units, so it covers
  # twice as many pixels each way, as every other window there does.
  swaymsg 'output HEADLESS-1 scale 2' >/dev/null
  cp "$image" "$work/mad040.raw"
  start
  record=$(window_of Velkor)
  [ "$(jq -r '"\(.window_rect.width)x\(.window_rect.height)"' <<<"$record")" = 624x441 ] ||
    fail "client size: $(jq -c .window_rect <<<"$record")"
  expect_spinning "$(client_area "$record")" 2 scale2
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 2
  ;;
hidden)
  # Put away where the compositor draws it no more (no refreshes come for it), it keeps going
  # on its own clock, and draws again once shown.
  cp "$image" "$work/mad040.raw"
  start
  window_of Velkor >/dev/null
  swaymsg "$velkor_window move scratchpad" >/dev/null
  sleep 1
  still_running
  swaymsg "$velkor_window scratchpad show, move position 0 0" >/dev/null
  expect_spinning "$(client_area "$(window_of Velkor)")" 1 shown-again
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 2
  ;;
compositor-gone)
  # The compositor goes: the program ends through its own shutdown, with 0 and one line.
  cp "$image" "$work/mad040.raw"
  start
  window_of Velkor >/dev/null
  kill -KILL "$WITH_WAYLAND_COMPOSITOR"
  expect_exit_zero 5
  expect_said 1 "^Lost the connection to the Wayland display $WAYLAND_DISPLAY\$"
  ;;
missing-image)
  start
  window_of Error >/dev/null
  grep -qx 'Error: Missing file: mad040.raw' "$work/stderr" || fail "no error line"
  swaymsg -t get_tree | jq -e '[.. | objects | select(.app_id? == "VELKORCLASS")] | length == 0' >/dev/null ||
    fail "the main window is showing"
  grim "$output/velkor-wayland-missing-image.png"
  swaymsg '[title="^Error$"] kill' >/dev/null
  expect_exit_zero 5
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
