#!/usr/bin/env bash
# Whole-program checks of the Linux build on an X display (run under with-xvfb).
# Usage: velkor_e2e.sh CASE VELKOR IMAGE WINDOW_FROM_OUTSIDE DAMAGE_COUNT OUTPUT_DIR
set -euo pipefail
# SDL names its dialogs in a way xdotool matches only in the C locale.
export LC_ALL=C

case_name=$1 velkor=$2 image=$3 window_from_outside=$4 damage_count=$5 output=$6
work=$(mktemp -d)
trap 'kill $pid $watcher $server 2>/dev/null || true; rm -rf "$work"' EXIT
pid= watcher= server=
source "$(dirname "$0")/program_checks.sh"

start() {
  (cd "$work" && exec "$velkor" 2>"$work/stderr") &
  pid=$!
}

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

# The screenshot $1 of a client area of $2 by $3 is the 624 by 441 frame spread over all of
# it, nearest pixel: its pixels picked back out and spread again give the same picture (but for
# a few columns and rows where the two ways of rounding meet), and the frame they make shows the
# cube as at the start. A frame drawn at its own size in a corner, or stretched by another
# factor, fails one or the other.
expect_scaled() {
  local shot=$1 width=$2 height=$3 differing
  convert "$shot" -sample '624x441!' "$work/frame.png"
  convert "$work/frame.png" -sample "${width}x${height}!" "$work/spread.png"
  differing=$(compare -metric AE "$shot" "$work/spread.png" null: 2>&1 || true)
  [ $((${differing%%.*} * 100 < width * height)) -eq 1 ] ||
    fail "not the frame spread over ${width}x${height}: $differing pixels differ"
  expect_cube "$work/frame.png" 1
}

# What the program shows first: "Velkor ID" (its window) or "Error ID" (the error box).
first_shown() {
  local name id
  for _ in $(seq 100); do
    for name in Velkor Error; do
      id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1 || true)
      [ -n "$id" ] && {
        echo "$name $id"
        return
      }
    done
    kill -0 "$pid" 2>/dev/null || fail "ended without showing anything"
    sleep 0.1
  done
  fail "showed nothing within 10 s"
}

# Closes the window or box $1 as its close button does. Unlike keys sent through xdotool,
# this leaves no key held down on the display for the next program to find.
close_button() { "$window_from_outside" close "$1"; }

# Nothing of the program's on the display any more: its window, and its error box, which
# shows from a process of its own.
expect_nothing_shown() {
  for _ in $(seq 40); do
    xdotool search --onlyvisible --name '^(Velkor|Error)$' >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  fail "a window of the program outlived it"
}

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
  close_button "$id"
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
  # No display named, or one named where no server listens: one line naming what was tried,
  # then the program's own box line, and 0.
  cp "$image" "$work/mad040.raw"
  (unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER; cd "$work" && exec "$velkor" 2>"$work/stderr") &
  pid=$!
  expect_exit_zero 5
  expect_said 2 '^No display available: neither DISPLAY nor WAYLAND_DISPLAY is set$'
  grep -qx 'Error: Failed to create window' "$work/stderr" || fail "no error line"
  unused=99
  while [ -e "/tmp/.X11-unix/X$unused" ] || [ -e "/tmp/.X$unused-lock" ]; do unused=$((unused + 1)); done
  (unset WAYLAND_DISPLAY SDL_VIDEODRIVER; cd "$work" && DISPLAY=":$unused" exec "$velkor" 2>"$work/stderr") &
  pid=$!
  expect_exit_zero 5
  expect_said 2 "^No display available: cannot connect to the X display :$unused\$"
  ;;
image-files)
  # What stands where the picture should, and what the user sees: the picture (a file cut
  # short repeats its last row) or the box; either way the program ends with 0 when closed.
  chmod 755 "$work"
  head -c 196608 "$image" >"$work/whole"
  image_case() {
    local expected=$1 shown
    start
    read -r shown id < <(first_shown)
    [ "$shown" = "$expected" ] || fail "$2: showed $shown, expected $expected"
    [ "$shown" = Velkor ] || grep -qx 'Error: Missing file: mad040.raw' "$work/stderr" ||
      fail "$2: no error line"
    close_button "$id"
    expect_exit_zero 5
    rm -rf "$work/mad040.raw"
  }
  image_case Error missing
  mkdir "$work/mad040.raw" && image_case Error "a directory"
  : >"$work/mad040.raw" && image_case Velkor empty
  head -c 1 "$work/whole" >"$work/mad040.raw" && image_case Velkor "1 byte"
  head -c 767 "$work/whole" >"$work/mad040.raw" && image_case Velkor "767 bytes"
  head -c $((100 * 768)) "$work/whole" >"$work/mad040.raw" && image_case Velkor "100 rows"
  cp "$work/whole" "$work/mad040.raw" && image_case Velkor "196,608 bytes"
  cp "$work/whole" "$work/mad040.raw" && truncate -s 10M "$work/mad040.raw" && image_case Velkor "10 MB"
  ln -s /dev/zero "$work/mad040.raw" && image_case Error "a link to /dev/zero"
  ln -s "$work/nowhere" "$work/mad040.raw" && image_case Error "a dangling link"
  mkfifo "$work/mad040.raw" && image_case Error "a FIFO with no writer"
  # A file the user may not read. Root reads anything, so root runs the program as nobody,
  # without the display (the box's line on standard error is what shows then).
  cp "$work/whole" "$work/mad040.raw" && chmod 000 "$work/mad040.raw"
  if [ "$(id -u)" -eq 0 ]; then
    # What nobody runs and reads must be where nobody may reach it: the build tree may not be.
    cp "$velkor" "$work/velkor"
    lsan_options=${LSAN_OPTIONS:-}
    suppressions=$(sed -En 's/^(.*:)?suppressions=([^:]*).*/\2/p' <<<"$lsan_options")
    if [ -n "$suppressions" ]; then
      cp "$suppressions" "$work/lsan.supp"
      lsan_options=${lsan_options/$suppressions/$work/lsan.supp}
    fi
    (cd "$work" && SDL_VIDEODRIVER=dummy LSAN_OPTIONS=$lsan_options exec setpriv --reuid=nobody \
      --regid=nogroup --clear-groups "$work/velkor" 2>"$work/stderr") &
    pid=$!
    expect_exit_zero 10
    grep -qx 'Error: Missing file: mad040.raw' "$work/stderr" || fail "unreadable: no error line"
  else
    image_case Error unreadable
  fi
  ;;
ended-from-outside)
  cp "$image" "$work/mad040.raw"
  ulimit -c unlimited
  # A signal ends it as it ends any program: the shell's usual status, no core.
  for signal in TERM INT; do
    # Asynchronous commands of a script ignore SIGINT unless told otherwise.
    (cd "$work" && exec env --default-signal=INT "$velkor" 2>"$work/stderr") &
    pid=$!
    window_of Velkor >/dev/null
    kill -s "$signal" "$pid"
    wait "$pid" && code=0 || code=$?
    [ "$code" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: status $code"
  done
  # The error box goes with the program, although it shows from a process of its own.
  mkdir "$work/empty"
  (cd "$work/empty" && exec "$velkor" 2>"$work/stderr") &
  pid=$!
  window_of Error >/dev/null
  kill -s TERM "$pid"
  wait "$pid" || true
  expect_nothing_shown
  # Another client destroys the window, or has the server drop the connection: the program
  # ends through its own shutdown, with 0 and one line saying what happened.
  start
  "$window_from_outside" destroy "$(window_of Velkor)"
  expect_exit_zero 5
  expect_said 1 '^The window 0x[0-9a-f]+ was destroyed by another program$'
  start
  xdotool windowkill "$(window_of Velkor)"
  expect_exit_zero 5
  expect_said 1 "^Lost the connection to the X display $DISPLAY\$"
  # The server itself goes: one of this case's own, so that the test's display stays.
  mkfifo "$work/ready"
  Xvfb -displayfd 3 -nolisten tcp -noreset 3>"$work/ready" >/dev/null 2>&1 &
  server=$!
  read -r -t 30 number <"$work/ready" || fail "a second Xvfb did not start"
  (cd "$work" && DISPLAY=":$number" exec "$velkor" 2>"$work/stderr") &
  pid=$!
  DISPLAY=":$number" window_of Velkor >/dev/null
  kill -KILL "$server"
  expect_exit_zero 5
  expect_said 1 "^Lost the connection to the X display :$number\$"
  ls "$work"/core* >/dev/null 2>&1 && fail "a core was left"
  ;;
window-states)
  cp "$image" "$work/mad040.raw"
  start
  id=$(window_of Velkor)
  # Moved, then down to 1 by 1 and back up: it keeps drawing whatever the size.
  xdotool windowmove --sync "$id" 200 150
  for size in "1 1" "2 3" "100 40" "900 700"; do
    xdotool windowsize --sync "$id" $size
    sleep 0.2
    still_running
  done
  xdotool windowsize --sync "$id" 624 441
  # Hidden (unmapped, as minimising does), it draws nothing and sleeps.
  xdotool windowunmap --sync "$id"
  share=$(cpu_share 2)
  echo "processor use while hidden: $share% of one core"
  [ "$share" -lt 10 ] || fail "uses $share% of a core while hidden"
  # Shown again, it draws at once, and keys reach it before the focus does.
  xdotool windowmap --sync "$id"
  sleep 0.3
  import -window "$id" "$work/first.png"
  sleep 0.3
  import -window "$id" "$work/second.png"
  expect_cube "$work/first.png" 1
  changed=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1 || true)
  [ "${changed%%.*}" -gt 2000 ] || fail "not drawing after being shown again ($changed pixels)"
  # Covered by another window and uncovered: the picture comes back.
  xev -geometry 800x600+0+0 >/dev/null 2>&1 &
  cover=$!
  sleep 0.5
  kill "$cover"
  wait "$cover" 2>/dev/null || true
  sleep 0.3
  import -window "$id" "$work/uncovered.png"
  expect_cube "$work/uncovered.png" 1
  close_key Escape
  expect_exit_zero 2
  ;;
maximised)
  # On a 4K screen: the client area of a maximised window on a 1080p screen and on this one,
  # then hidden and shown (as minimised and restored), shrunk and grown, one right after the
  # other: each time the frame soon fills the whole window, never the old size nor black.
  cp "$image" "$work/mad040.raw"
  windows_watch
  start
  id=$(window_of Velkor)
  xdotool windowmove --sync "$id" 0 0
  for step in "size 1904 1041" "size 3840 2100" unmap map "size 1000 700" unmap map \
    "size 1904 1041"; do
    read -r what width height <<<"$step"
    case $what in
    size) xdotool windowsize --sync "$id" "$width" "$height" ;;
    *) xdotool "window$what" --sync "$id" ;;
    esac
    [ "$what" = unmap ] && continue
    sleep 0.2
    import -window "$id" "$work/shot.png"
    read -r width height < <(identify -format '%w %h\n' "$work/shot.png")
    expect_scaled "$work/shot.png" "$width" "$height"
  done
  expect_one_window
  close_key Escape
  expect_exit_zero 2
  ;;
sent-pixels)
  # Only what changed goes to the server: the pixels drawn into a 1904 by 1041 window, as the
  # server reports them, over 60 frames.
  cp "$image" "$work/mad040.raw"
  start
  id=$(window_of Velkor)
  xdotool windowmove --sync "$id" 0 0
  xdotool windowsize --sync "$id" 1904 1041
  sleep 0.3
  read -r _ frames _ pixels < <("$damage_count" "$id" 60) || fail "the server reports no drawing"
  echo "pixels drawn per frame at 1904x1041: $pixels of $((1904 * 1041))"
  [ "$frames" -eq 60 ] || fail "only $frames frames in 10 s"
  [ $((2 * pixels < 1904 * 1041)) -eq 1 ] || fail "$pixels pixels a frame: more than half the window"
  close_key Escape
  expect_exit_zero 2
  ;;
screen-depth)
  # Whatever the depth of the screen: the cube, or, where no frame can reach the window
  # (8-bit colour), the device's error box, as on Windows; either way 0 when closed.
  cp "$image" "$work/mad040.raw"
  depth=$(xdpyinfo | awk '/depth of root window/ {print $5}')
  start
  read -r shown id < <(first_shown)
  echo "depth $depth: shows $shown"
  if [ "$depth" -eq 8 ]; then
    [ "$shown" = Error ] || fail "depth 8: showed $shown, expected the error box"
    grep -qx 'Error: Unable to create a Direct3D device' "$work/stderr" || fail "no error line"
    close_button "$id"
  else
    [ "$shown" = Velkor ] || fail "depth $depth: showed $shown"
    sleep 0.5
    import -window "$id" "$work/shot.png"
    expect_cube "$work/shot.png" 1
    [ -s "$work/stderr" ] && fail "depth $depth: said something"
    close_key Escape
  fi
  expect_exit_zero 5
  ;;
no-render)
  # A server without RENDER: SDL's surface shows the frames, said once.
  cp "$image" "$work/mad040.raw"
  start
  id=$(window_of Velkor)
  xdotool windowsize --sync "$id" 1000 700
  sleep 0.5
  import -window "$id" "$work/shot.png"
  expect_scaled "$work/shot.png" 1000 700
  expect_said 1 "^Frames reach the window through SDL's window surface: no RENDER extension\$"
  close_key Escape
  expect_exit_zero 2
  ;;
remote-display)
  # A server reached over the network (here over TCP on this machine) offers MIT-SHM, but
  # cannot map this process's memory: SDL's surface shows the frames, said once.
  cp "$image" "$work/mad040.raw"
  mkfifo "$work/ready"
  Xvfb -displayfd 3 -auth "$XAUTHORITY" -listen tcp -noreset 3>"$work/ready" >/dev/null 2>&1 &
  server=$!
  read -r -t 30 number <"$work/ready" || fail "a second Xvfb did not start"
  export DISPLAY="localhost:$number"
  start
  id=$(window_of Velkor)
  sleep 0.5
  import -window "$id" "$work/shot.png"
  expect_cube "$work/shot.png" 1
  expect_said 1 "^Frames reach the window through SDL's window surface: .*\(MIT-SHM\)\$"
  close_key Escape
  expect_exit_zero 2
  ;;
own-ipc-namespace)
  # In an IPC namespace of its own (with-own-ipc-namespace), as in a container, the first shared
  # memory segment the program makes is number 0, as good as any: the frames still reach the
  # server through MIT-SHM, with nothing said.
  cp "$image" "$work/mad040.raw"
  start
  id=$(window_of Velkor)
  sleep 0.5
  import -window "$id" "$work/shot.png"
  expect_cube "$work/shot.png" 1
  [ -s "$work/stderr" ] && fail "said something"
  # Half a second of frames later, they still go through the segment made for the first one:
  # a segment made per frame would be numbered in the dozens by now.
  sleep 0.5
  ipcs -m
  highest=$(ipcs -m | awk '$2 ~ /^[0-9]+$/ { if ($2 > most) most = $2 } END { print most + 0 }')
  [ "$highest" -lt 8 ] || fail "shared memory segment $highest in use: made again per frame"
  close_key Escape
  expect_exit_zero 2
  ;;
input-storm)
  cp "$image" "$work/mad040.raw"
  start
  id=$(window_of Velkor)
  # 1,000 key presses and 1,000 pointer moves, interleaved, in one xdotool run; no key that
  # ends the program.
  keys=(a b c x y z 1 2 3 space Tab Return BackSpace Up Down Left Right F1 F5 F10 shift+a ctrl+b)
  storm=()
  for i in $(seq 1000); do
    storm+=(key --delay 1 --window "$id" "${keys[RANDOM % ${#keys[@]}]}"
      mousemove --window "$id" $((RANDOM % 624)) $((RANDOM % 441)))
  done
  xdotool "${storm[@]}"
  still_running
  close_key Escape
  expect_exit_zero 5
  ;;
starts)
  # Started again and again on a display that is there: it is never taken for none.
  cp "$image" "$work/mad040.raw"
  for run in $(seq 20); do
    start
    id=$(window_of Velkor)
    close_key Escape
    expect_exit_zero 5
    # The press ended the program; its release goes to the display, not to a window now gone.
    xdotool keyup Escape
    grep -q 'No display available' "$work/stderr" && fail "run $run found no display"
  done
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
