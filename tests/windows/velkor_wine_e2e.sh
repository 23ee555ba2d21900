#!/usr/bin/env bash
# Whole-program checks of the Windows build under Wine, run under with-wine (which names the
# loader in WINE) and with-xvfb.
# Usage: velkor_wine_e2e.sh CASE VELKOR_EXE BITS IMAGE OUTPUT_DIR
set -euo pipefail
export LC_ALL=C

case_name=$1 velkor=$2 bits=$3 image=$4 output=$5
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

echo "$(basename "$velkor"), a $bits-bit Windows program, under $WINE"

# Starts the program in the work folder; Wine's own messages go to $work/wine.log.
start() {
  (cd "$work" && exec "$WINE" "$velkor" 2>"$work/wine.log") &
  pid=$!
}

# The X id of the top-level window titled $1 once it is mapped; Wine takes seconds to start.
window_of() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 | grep . ||
    fail "no window named $1 appeared"
}

# Waits up to $1 seconds for the program to end; fails unless it ends with code 0.
expect_exit_zero() {
  local code
  timeout "$1" tail --pid="$pid" -s 0.1 -f /dev/null || fail "still running $1 s later"
  wait "$pid" && code=0 || code=$?
  pid=
  [ "$code" -eq 0 ] || fail "exit code $code"
}

# Screenshot of window $1 into $2 once it shows more than black: Wine presents its first frames
# a moment after the window is mapped.
picture_of() {
  local id=$1 file=$2
  for _ in $(seq 50); do
    import -window "$id" "$file"
    [ "$(convert "$file" -format '%[fx:maxima.r+maxima.g+maxima.b > 0]' info:)" = 1 ] && return
    sleep 0.2
  done
  fail "the window stays black"
}

# The screenshot $1 shows the lit, textured cube in the middle: the bounding box of what is not
# black is big, holds many colours, and has its centre near where the cube's centre projects,
# about (309, 233) of the 632 by 453 client area.
expect_cube() {
  local box colours
  box=$(convert "$1" -fuzz 3% -format '%@' info:)
  read -r w h x y <<<"${box//[x+]/ }"
  colours=$(convert "$1" -crop "$box" -format '%k' info:)
  [ "$w" -gt 100 ] && [ "$h" -gt 100 ] || fail "the cube is too small: $box"
  (((x + w / 2 - 309) ** 2 < 40 ** 2 && (y + h / 2 - 233) ** 2 < 40 ** 2)) ||
    fail "the cube's box $box is not centred"
  [ "$colours" -gt 200 ] || fail "the cube shows only $colours colours: not textured"
}

case $case_name in
window)
  cp "$image" "$work/mad040.raw"
  start
  id=$(window_of Velkor)
  # The X window is the client area; Wine's frame for a 640 by 480 window leaves 632 by 453.
  size=$(xwininfo -id "$id" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }')
  [ "$size" = 632x453 ] || fail "client area $size"

  picture_of "$id" "$work/first.png"
  sleep 0.3
  import -window "$id" "$work/second.png"
  cp "$work/first.png" "$output/velkor-exe-screenshot.png"
  changed=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
  [ "${changed%%.*}" -gt 2000 ] || fail "the picture did not change ($changed pixels)"

  expect_cube "$work/first.png"

  xdotool key --window "$id" Escape
  expect_exit_zero 10
  ;;
missing-image)
  # Wine's message box traces the text it shows; nothing else names it outside the window.
  export WINEDEBUG=-all,+msgbox
  start
  dialog=$(window_of Error)
  import -window "$dialog" "$output/velkor-exe-missing-image.png"
  grep -q 'MSGBOX_OnInit L"Missing file: mad040.raw"' "$work/wine.log" ||
    fail "the box does not say 'Missing file: mad040.raw': $(cat "$work/wine.log")"
  xdotool search --onlyvisible --name '^Velkor$' >/dev/null && fail "the main window is showing"
  xdotool key --window "$dialog" Return
  expect_exit_zero 10
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
