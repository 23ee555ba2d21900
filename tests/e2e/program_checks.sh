# shellcheck shell=bash
# Checks on a running program shared by the whole-program tests; sourced. They expect $work,
# a private folder whose file stderr holds the program's standard error, and $pid, the
# program's process. A script may define its own `fail MESSAGE` before sourcing this, and its own
# `window_of` after it (these find X windows).

declare -F fail >/dev/null ||
  fail() { echo "FAIL: $*" >&2; [ -f "$work/stderr" ] && sed 's/^/  velkor: /' "$work/stderr" >&2; exit 1; }

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

# Waits up to $1 seconds for the program to end; fails unless it ends with code 0.
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

# Presses the key $1 that closes the X window $id. Only the press is sent: the window is gone by
# the time a release would follow, and sending to a window that no longer exists is an X error.
close_key() { xdotool keydown --window "$id" "$1"; }

# The processor time the process $1 has used so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Share of one core, in percent, the program used over the next $1 seconds.
cpu_share() {
  local before
  before=$(cpu_ticks "$pid")
  sleep "$1"
  echo $((100 * ($(cpu_ticks "$pid") - before) / ($1 * $(getconf CLK_TCK))))
}

still_running() { kill -0 "$pid" 2>/dev/null || fail "the program ended"; }

# $1 lines on standard error, one of them matching the pattern $2.
expect_said() {
  [ "$(wc -l <"$work/stderr")" -eq "$1" ] && grep -Eq "$2" "$work/stderr" ||
    fail "standard error is not $1 line(s) matching '$2'"
}

# The screenshot $1 of the client area shows the textured cube at $2 times its size in the 624
# by 441 client area, centred, as the client area is: its centre projects to about (305, 227)
# of that area.
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
