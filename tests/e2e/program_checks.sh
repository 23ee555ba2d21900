# shellcheck shell=bash
# Checks of a program run the end-to-end scripts share (sourced). They expect `fail MESSAGE`,
# the program's process id in `pid`, and its standard error in "$work/stderr".

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
