#!/usr/bin/env bash
# Whole-program checks of the Linux build on a Wayland compositor (run under with-wayland).
# Usage: velkor_wayland_e2e.sh CASE VELKOR IMAGE OUTPUT_DIR
set -euo pipefail
export LC_ALL=C

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

# Starts the program with the Wayland library's log of its requests in $work/requests.
start_logged() {
  (cd "$work" && WAYLAND_DEBUG=1 exec "$velkor" 2>"$work/requests") &
  pid=$!
}

# When the frames logged so far were sent, by the log's clock (milliseconds), one a line.
sent_at() { grep -- '-> wl_surface@[0-9]*\.attach(wl_buffer' "$work/requests" | tr -d '[]' | awk '{print $1}'; }

frames_sent() { sent_at | wc -l; }

# Waits, 10 s at most, until more than $1 frames have been sent.
frames_awaited() {
  for _ in $(seq 100); do
    [ "$(frames_sent)" -gt "$1" ] && return
    sleep 0.1
  done
  fail "no more than $(frames_sent) frames sent"
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

# Waits, 5 s at most, until the compositor has given the window titled Velkor the size $1
# (WIDTHxHEIGHT); its record is then in $record.
size_awaited() {
  for _ in $(seq 50); do
    record=$(window_of Velkor)
    [ "$(jq -r '"\(.window_rect.width)x\(.window_rect.height)"' <<<"$record")" = "$1" ] && return
    sleep 0.1
  done
  fail "not resized to $1: $(jq -c .window_rect <<<"$record")"
}

# Waits, 5 s at most, until both of the program's surfaces (the window's and the frames') are
# spread over $1 by $2, as its own request log ($work/requests) tells.
surfaces_spread() {
  local request="-> wp_viewport@[0-9]*\\.set_destination($1, $2)"
  for _ in $(seq 50); do
    [ "$(grep -c -- "$request" "$work/requests")" -ge 2 ] && return
    sleep 0.1
  done
  fail "the window's surfaces were not spread over $1x$2"
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

# weston in a 1280x1024 window at the corner of an X display (weston-x11): what it shows is
# read from there, and the keys and clicks go there. The program itself is given no X display.
weston_x() { DISPLAY=$WITH_WAYLAND_X_DISPLAY "$@"; }

# The wallpaper as weston shows it once it has faded in (two shots alike), in $work/before.png.
weston_wallpaper_shot() {
  weston_x import -window root "$work/before.png"
  for _ in $(seq 100); do
    sleep 0.2
    weston_x import -window root "$work/now.png"
    [ "$(compare -metric AE "$work/before.png" "$work/now.png" null: 2>&1 || true)" = 0 ] &&
      [ "$(convert "$work/now.png" -format '%k' info:)" -gt 100 ] && return
    mv "$work/now.png" "$work/before.png"
  done
  fail "weston's screen does not settle"
}

# Sets $left and $top to the client area's corner on weston's screen, shot into
# $work/first.png: the black of the frame's edges, 624 by 441, below weston's panel. False
# while there is none.
weston_client_area() {
  local area
  left='' top=''
  kill -0 "$pid" 2>/dev/null || fail "ended before showing its window"
  weston_x import -window root "$work/first.png"
  area=$(convert "$work/first.png" -crop 1280x984+0+40 +repage -fill white -fuzz 0 +opaque black \
    -format '%@' info: 2>/dev/null)
  [ "${area%%+*}" = 624x441 ] || return 1
  IFS=+ read -r _ left top <<<"$area"
  top=$((top + 40))
}

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
  start_logged
  window_of Velkor >/dev/null
  frames_awaited 60
  # The last 40 frames' rate, by the log's own clock (milliseconds).
  rate=$(sent_at | tail -n 41 | awk 'NR == 1 {first = $1} END {if (NR == 41) printf "%d", 40000 / ($1 - first)}')
  echo "frames sent per second on a 20 Hz output: ${rate:-none}"
  [ -n "$rate" ] || fail "fewer than 60 frames sent"
  [ "$rate" -le 30 ] || fail "$rate frames a second: not paced by the compositor"
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 2
  ;;
memory)
  # A window on Wayland loads nothing of OpenGL, whose drivers stay mapped once loaded, and the
  # program stays small: at most 25 MB resident where no sanitizer or emulator adds its own.
  cp "$image" "$work/mad040.raw"
  start
  expect_spinning "$(client_area "$(window_of Velkor)")" 1 memory
  # OpenGL's dispatch libraries and the drivers they load (SDL links libgbm, which loads none).
  libraries=$(awk '$6 ~ /\/lib(EGL|GL|GLX|GLdispatch|LLVM|vulkan|gallium)[-_.]|_dri\.so/ {print $6}' \
    "/proc/$pid/maps" | sort -u | tr '\n' ' ')
  [ -z "$libraries" ] || fail "OpenGL's libraries are mapped: $libraries"
  resident=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  private=$(awk '/^Private_(Clean|Dirty):/ {sum += $2} END {print sum}' "/proc/$pid/smaps_rollup")
  echo "resident: $((resident / 1024)) MB; private: $((private / 1024)) MB; no OpenGL library mapped"
  emulator=$(readlink "/proc/$pid/exe")
  if [ -n "${LSAN_OPTIONS:-}" ]; then
    echo "the 25 MB limit is not checked here: a sanitizer's shadow memory is resident too"
  elif [ "$(basename "$emulator")" != "$(basename "$velkor")" ]; then
    echo "the 25 MB limit is not checked here: the program runs in $emulator, resident too"
  else
    [ "$resident" -le $((25 * 1024)) ] || fail "$((resident / 1024)) MB resident"
  fi
  escape_ends_it
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
  start_logged
  window_of Velkor >/dev/null
  # Without its title bar and border the window is all client area, the size asked for.
  swaymsg "$velkor_window border none, resize set 1248 882, move position 0 0" >/dev/null
  size_awaited 1248x882
  # The compositor scales the frame to the bigger window: the cube, twice as big, in its middle.
  expect_spinning "$(client_area "$record")" 2 resized
  # A change of one side alone is taken too.
  swaymsg "$velkor_window resize set 1248 441" >/dev/null
  size_awaited 1248x441
  # The compositor gives the container that size whatever the program does: the program's own
  # surfaces must be spread over it.
  surfaces_spread 1248 441
  # And the other side alone. After two resizes this quick, sway at times goes on reporting the
  # size before though the program has taken the new one: only the program's side is looked at.
  swaymsg "$velkor_window resize set 900 441" >/dev/null
  surfaces_spread 900 441
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
  # Put away where the compositor draws it no more (no refreshes come for it), it sleeps: it
  # sends a frame a second at most and uses next to no processor time, its close still ends
  # it, and once shown it draws again.
  cp "$image" "$work/mad040.raw"
  start_logged
  window_of Velkor >/dev/null
  swaymsg "$velkor_window move scratchpad" >/dev/null
  sleep 0.5
  sent=$(frames_sent)
  share=$(cpu_share 3)
  sent=$(($(frames_sent) - sent))
  echo "while hidden, in 3 s: $sent frames sent, $share% of a core"
  [ "$sent" -le 6 ] || fail "$sent frames sent in 3 s while hidden"
  [ "$share" -lt 5 ] || fail "uses $share% of a core while hidden"
  swaymsg "$velkor_window scratchpad show, move position 0 0" >/dev/null
  expect_spinning "$(client_area "$(window_of Velkor)")" 1 shown-again
  swaymsg "$velkor_window move scratchpad" >/dev/null
  sleep 0.5
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 3
  ;;
damage)
  # Each frame sends the compositor what changed, the cube's bounds: under half the client
  # area, with one frame callback. SDL's own surface is not committed between frames: SDL
  # damages the whole of it after every refresh, which would redraw the whole window.
  cp "$image" "$work/mad040.raw"
  start_logged
  window_of Velkor >/dev/null
  frames_awaited 150
  # The requests to surfaces: surface, request, arguments.
  sed -n 's/.*-> wl_surface@\([0-9]*\)\.\(attach\|damage_buffer\|damage\|frame\|commit\)(\(.*\))$/\1 \2 \3/p' \
    "$work/requests" | tr -d ',' >"$work/surfaces"
  frames=$(awk '$2 == "attach" && $3 != "nil" {print $1}' "$work/surfaces" | sort | uniq -c | sort -rn |
    awk 'NR == 1 {print $2}')
  # The last 100 commits of the frames' surface, and what every surface was sent meanwhile.
  first=$(awk -v s="$frames" '$1 == s && $2 == "commit" {print NR}' "$work/surfaces" | tail -n 100 | head -n 1)
  read -r commits pixels callbacks doubled others < <(awk -v s="$frames" -v from="$first" '
    NR < from {next}
    $1 != s && $2 == "commit" {others++}
    $1 != s {next}
    $2 == "damage_buffer" {pixels += $5 * $6}
    $2 == "damage" {pixels += 624 * 441}
    $2 == "frame" {callbacks++; asked++}
    $2 == "commit" {commits++; if (asked > 1) doubled++; asked = 0}
    END {printf "%d %d %d %d %d\n", commits, pixels, callbacks, doubled, others}' "$work/surfaces")
  echo "damage per frame: $((pixels / commits)) pixels of $((624 * 441)); $callbacks frame callbacks for $commits commits; $others commits of other surfaces"
  [ $((2 * pixels < commits * 624 * 441)) -eq 1 ] || fail "$((pixels / commits)) pixels damaged a frame"
  # A commit asks for the refresh that shows it, unless the one asked before is still to come.
  [ "$doubled" -eq 0 ] && [ "$callbacks" -le "$commits" ] && [ "$callbacks" -ge $((commits * 9 / 10)) ] ||
    fail "$callbacks frame callbacks asked for $commits commits, $doubled of them two or more at once"
  [ "$others" -le 2 ] || fail "$others commits of other surfaces during $commits frames"
  swaymsg "$velkor_window kill" >/dev/null
  expect_exit_zero 2
  ;;
probe-keys)
  # The window probe in the program's place: it prints every message its procedure gets, so
  # the keys show as a window procedure hears them.
  (cd "$work" && exec "$velkor" >"$work/messages" 2>"$work/stderr") &
  pid=$!
  window_of Velkor >/dev/null
  # A letter, with Shift and with Ctrl; a letter held past the compositor's repeat delay, a
  # Shift key tapped while it is held, then a second of nothing; an extended key tapped, and
  # another second; then Alt+F4, which closes the window. Typed again where the probe took the keyboard up too late for the first keys.
  for _ in $(seq 5); do
    type_keys a -M shift a -m shift -M ctrl a -m ctrl -P b -s 1000 -k Shift_L -s 700 -p b \
      -s 1000 -k Right -s 1000 -M alt -k F4 -m alt
    for _ in $(seq 20); do
      kill -0 "$pid" 2>/dev/null || break 2
      sleep 0.05
    done
  done
  expect_exit_zero 1
  heard() {
    grep -q "^message=$1 wParam=$2 lParam=$3\$" "$work/messages" ||
      fail "no message $1 wParam=$2 lParam=$3 among: $(sort -u "$work/messages" | tr '\n' ' ')"
  }
  # WM_KEYDOWN, WM_CHAR and WM_KEYUP of A: its scan code 0x1E, a count of 1, and as it is
  # released the key's earlier state and the transition; its characters with Shift and Ctrl.
  heard 0x0100 0x41 0x1E0001
  heard 0x0102 0x61 0x1E0001
  heard 0x0101 0x41 0xC01E0001
  heard 0x0102 0x41 0x1E0001
  heard 0x0102 0x1 0x1E0001
  # B held: its first press, then repeats that say it was down already.
  heard 0x0100 0x42 0x300001
  repeats=$(grep -c '^message=0x0100 wParam=0x42 lParam=0x40300001$' "$work/messages" || true)
  [ "$repeats" -ge 3 ] || fail "B held 1.7 s repeated $repeats times"
  # A key that does not repeat, pressed and let go meanwhile, leaves B repeating.
  awk '$1 == "message=0x0101" && $2 == "wParam=0x10" {shift = 1}
       shift && $1 == "message=0x0100" && $2 == "wParam=0x42" && $3 == "lParam=0x40300001" {found = 1}
       $1 == "message=0x0101" && $2 == "wParam=0x42" {shift = 0}
       END {exit !found}' "$work/messages" || fail "B no longer repeated once Shift was let go"
  # A key released repeats no more, and a key only tapped never does: the first press of B after
  # its release is a new one (the keys typed again), and the right arrow is never pressed again
  # while it is down.
  awk '$1 == "message=0x0101" && $2 == "wParam=0x42" {released = 1}
       $1 == "message=0x0100" && $2 == "wParam=0x42" && released && $3 != "lParam=0x300001" {bad = 1}
       $1 == "message=0x0100" && $2 == "wParam=0x42" {released = 0}
       $1 == "message=0x0100" && $2 == "wParam=0x27" && $3 != "lParam=0x14D0001" {bad = 1}
       END {exit bad}' "$work/messages" || fail "a key repeated after its release, or a tap repeated"
  # The right arrow is an extended key.
  heard 0x0100 0x27 0x14D0001
  # wtype holds Alt as a modifier, without its key: F4 with it is a system key, its context
  # code set, which DefWindowProc makes the window menu's Close.
  heard 0x0104 0x73 0x203E0001
  heard 0x0112 0xF060 0x0
  heard 0x0010 0x0 0x0
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
no-seat)
  # weston's headless back end has no seat at all, which SDL's Wayland driver cannot do
  # without: one line says what the compositor lacks, then the program's own box line, and 0.
  cp "$image" "$work/mad040.raw"
  start
  expect_exit_zero 10
  expect_said 2 "^No display available: the Wayland compositor $WAYLAND_DISPLAY offers no seat \(wl_seat\)"
  grep -qx 'Error: Failed to create window' "$work/stderr" || fail "no error line"
  ;;
decorated)
  # weston leaves the title bar to the program: libdecor draws it, covering the wallpaper
  # above the client area, and its close button ends the program.
  weston_wallpaper_shot
  cp "$image" "$work/mad040.raw"
  start
  covered=0
  for _ in $(seq 100); do
    sleep 0.1
    weston_client_area || continue
    strip="624x24+$left+$((top - 24))"
    convert "$work/before.png" -crop "$strip" +repage "$work/wallpaper.png"
    convert "$work/first.png" -crop "$strip" +repage "$work/title.png"
    covered=$(compare -metric AE "$work/wallpaper.png" "$work/title.png" null: 2>&1 || true)
    [ "${covered%%.*}" -gt $((624 * 24 * 9 / 10)) ] && break
  done
  cp "$work/first.png" "$output/velkor-wayland-$case_name.png"
  [ -n "$left" ] || fail "no 624x441 client area on weston's screen"
  [ "${covered%%.*}" -gt $((624 * 24 * 9 / 10)) ] ||
    fail "no title bar above the window (only $covered pixels differ from the wallpaper)"
  [ ! -s "$work/stderr" ] || fail "standard error is not empty"
  # libdecor's close button is the title bar's rightmost. weston hears of the pointer once it
  # enters weston's window (the X screen is bigger for that), and libdecor finds the button
  # under the pointer as the pointer moves over the title bar.
  weston_x xdotool mousemove 1390 1090 sleep 0.2 mousemove $((left + 624 - 60)) $((top - 12)) \
    sleep 0.2 mousemove $((left + 624 - 16)) $((top - 12)) sleep 0.3 click 1
  expect_exit_zero 5
  ;;
undecorated)
  # Where libdecor has no plugin (its folder empty, or missing), the window shows without a
  # title bar, one line says so instead of libdecor's two, and its keys still end it.
  mkdir "$work/no-plugins"
  cp "$image" "$work/mad040.raw"
  for folder in "$work/no-plugins" "$work/missing"; do
    # weston's pointer, left over the last window, would be part of the black looked for: it
    # waits on weston's panel, above what is looked at.
    weston_x xdotool mousemove 1000 20
    (cd "$work" && LIBDECOR_PLUGIN_DIR=$folder exec "$velkor" 2>"$work/stderr") &
    pid=$!
    for _ in $(seq 100); do
      sleep 0.1
      weston_client_area && break
    done
    [ -n "$left" ] || fail "no 624x441 client area on weston's screen (plugins from $folder)"
    expect_said 1 "^The window has no title bar: the Wayland compositor $WAYLAND_DISPLAY leaves it to the program, and libdecor has no plugin to draw it"
    weston_x xdotool key Escape
    expect_exit_zero 5
  done
  ;;
kwin-close)
  # KWin decorates the window itself; a script of its own reports the window and asks it to
  # close, as its close button does.
  cp "$image" "$work/mad040.raw"
  start
  as_compositor_user() { ${WITH_WAYLAND_USER:+setpriv --reuid="$WITH_WAYLAND_USER" --regid=nogroup --clear-groups} "$@"; }
  kwin_call() {
    as_compositor_user env DBUS_SESSION_BUS_ADDRESS="$WITH_WAYLAND_BUS" dbus-send --session \
      --print-reply --dest=org.kde.KWin "$@"
  }
  cat >"$work/close.js" <<'SCRIPT'
workspace.clientList().forEach(function (window) {
  if (window.resourceClass != "VELKORCLASS") return;
  print("velkor-e2e: " + window.caption + " " + window.width + "x" + window.height);
  window.closeWindow();
});
SCRIPT
  chmod 755 "$work"
  chmod 644 "$work/close.js"
  # KWin writes what the script printed to its log after the script has run: the window may be
  # closed, and the program ended, before the log says so.
  closed() { grep -q 'velkor-e2e: ' "$WITH_WAYLAND_LOG"; }
  for attempt in $(seq 50); do
    sleep 0.2
    closed && break
    if ! kill -0 "$pid" 2>/dev/null; then
      sleep 1
      closed && break
      fail "ended before its window was closed"
    fi
    kwin_call /Scripting org.kde.kwin.Scripting.loadScript string:"$work/close.js" \
      string:"velkor-close-$attempt" >/dev/null
    kwin_call /Scripting org.kde.kwin.Scripting.start >/dev/null
  done
  grep -q 'velkor-e2e: Velkor 624x441$' "$WITH_WAYLAND_LOG" ||
    fail "KWin shows no 624x441 window named Velkor: $(grep 'velkor-e2e' "$WITH_WAYLAND_LOG")"
  expect_exit_zero 5
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
