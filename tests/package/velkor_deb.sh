#!/usr/bin/env bash
# The Debian package as users get it: made from a release build of its own, inspected, and
# unpacked into a private root whose program is started the way a desktop or a terminal would.
# Usage: velkor_deb.sh CASE SOURCE_DIR TREE VERSION ARCHITECTURE [CMAKE_ARGUMENT...]
# ARCHITECTURE is Debian's name of the one the package is for; the build case configures its
# tree with the CMake arguments given (a cross build's toolchain). The cases that start the
# program run under with-xvfb.
set -euo pipefail
export LC_ALL=C

case_name=$1 source=$2 tree=$3 version=$4 architecture=$5
shift 5
deb=$tree/velkor_${version}_$architecture.deb
root=$tree/root
app_id=org.velkor.Velkor
work=$(mktemp -d)
pid=
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
source "$source/tests/e2e/program_checks.sh"

# The value of key $2 in the desktop entry $1.
desktop_value() { sed -n "s/^$2=//p" "$1"; }

# Starts the unpacked program as its menu entry does: the entry's Exec, in the entry's Path,
# both within the unpacked root, with a PATH that holds none of the package's folders.
start_from_menu() {
  local entry=$root/usr/share/applications/$app_id.desktop exec path
  exec=$(desktop_value "$entry" Exec) path=$(desktop_value "$entry" Path)
  (cd "$root$path" && PATH=/usr/bin:/bin exec $root$exec 2>"$work/stderr") &
  pid=$!
}

# Starts the unpacked launcher in the folder $1, as typing `velkor` there would.
start_in() {
  (cd "$1" && exec "$root/usr/games/velkor" 2>"$work/stderr") &
  pid=$!
}

# The window shows, belongs to the class the desktop entry names, is closed by Escape, and a
# screenshot of it goes to $work/$1.png. The key is released afterwards, so that the next
# program started on the display does not find Escape held down.
window_shot_and_escape() {
  id=$(window_of Velkor)
  xprop -id "$id" WM_CLASS | grep -q '"VELKORCLASS"' || fail "class: $(xprop -id "$id" WM_CLASS)"
  sleep 0.5
  import -window "$id" "$work/$1.png"
  close_key Escape
  expect_exit_zero 5
  xdotool keyup Escape
}

case $case_name in
build)
  # The build the package is made from: optimised, as the release preset builds, without tests.
  cmake -S "$source" -B "$tree" -DCMAKE_BUILD_TYPE=Release -DVELKOR_TESTS=OFF "$@" >"$work/log" 2>&1 &&
    cmake --build "$tree" -j2 >>"$work/log" 2>&1 &&
    (cd "$tree" && rm -f velkor_*.deb && cpack -G DEB) >>"$work/log" 2>&1 || {
    cat "$work/log" >&2
    fail "no package made"
  }
  [ -f "$deb" ] || fail "cpack made no $deb"
  rm -rf "$root"
  dpkg-deb -x "$deb" "$root"
  ;;
contents)
  field() { dpkg-deb -f "$deb" "$1"; }
  [ "$(field Package)" = velkor ] && [ "$(field Version)" = "$version" ] ||
    fail "package $(field Package) version $(field Version)"
  [ "$(field Section)" = games ] && [ "$(field Priority)" = optional ] || fail "section, priority"
  [ "$(field Architecture)" = "$architecture" ] || fail "architecture $(field Architecture)"
  # Fields are read whole before they are searched: a grep -q that stops at the first match
  # would leave dpkg-deb writing into a closed pipe, and the pipeline failing.
  grep -Eq '^[^<]+ <[^@ ]+@[^> ]+>$' <<<"$(field Maintainer)" || fail "maintainer: $(field Maintainer)"
  # Computed from what the program links: the window system through SDL, and the C library.
  grep -q 'libsdl2-2.0-0 (>= ' <<<"$(field Depends)" && grep -q 'libc6 (>= ' <<<"$(field Depends)" ||
    fail "dependencies: $(field Depends)"
  # And what draws the title bar where a Wayland compositor leaves it to the program.
  grep -q 'libdecor-0-plugin-1-cairo' <<<"$(field Depends)" || fail "dependencies: $(field Depends)"
  [ "$(field Description | wc -l)" -ge 3 ] && grep -q cube <<<"$(field Description)" ||
    fail "description: $(field Description)"

  # Every file with its mode; every entry root's; folders open to all.
  dpkg-deb -c "$deb" | awk '$1 ~ /^-/ {print $1, $6}' | sort >"$work/files"
  sort >"$work/expected" <<LIST
-rwxr-xr-x ./usr/games/velkor
-rwxr-xr-x ./usr/libexec/velkor/velkor
-rw-r--r-- ./usr/share/applications/$app_id.desktop
-rw-r--r-- ./usr/share/doc/velkor/changelog.gz
-rw-r--r-- ./usr/share/doc/velkor/copyright
-rw-r--r-- ./usr/share/icons/hicolor/16x16/apps/$app_id.png
-rw-r--r-- ./usr/share/icons/hicolor/256x256/apps/$app_id.png
-rw-r--r-- ./usr/share/icons/hicolor/32x32/apps/$app_id.png
-rw-r--r-- ./usr/share/icons/hicolor/48x48/apps/$app_id.png
-rw-r--r-- ./usr/share/man/man6/velkor.6.gz
-rw-r--r-- ./usr/share/metainfo/$app_id.metainfo.xml
-rw-r--r-- ./usr/share/velkor/mad040.raw
LIST
  diff -u "$work/expected" "$work/files" || fail "the package's files differ"
  dpkg-deb -c "$deb" | awk '$2 != "root/root" || ($1 ~ /^d/ && $1 != "drwxr-xr-x")' >"$work/odd"
  [ ! -s "$work/odd" ] || fail "owners or folder modes: $(cat "$work/odd")"

  cmp -s "$root/usr/share/velkor/mad040.raw" "$tree/mad040.raw" || fail "not the generated picture"
  for side in 16 32 48 256; do
    size=$(identify -format '%wx%h %[channels]' "$root/usr/share/icons/hicolor/${side}x$side/apps/$app_id.png")
    [ "$size" = "${side}x$side srgba" ] || fail "the ${side}x$side icon is $size"
  done
  ;;
lintian)
  lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' || true
  lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"
  ;;
desktop-entry)
  entry=$root/usr/share/applications/$app_id.desktop
  desktop-file-validate "$entry" || fail "desktop-file-validate"
  [ "$(desktop_value "$entry" Name)" = Velkor ] || fail "Name"
  [ "$(desktop_value "$entry" StartupWMClass)" = VELKORCLASS ] || fail "StartupWMClass"
  icon=$(desktop_value "$entry" Icon)
  for side in 16 32 48 256; do
    [ -f "$root/usr/share/icons/hicolor/${side}x$side/apps/$icon.png" ] || fail "no $side icon $icon"
  done
  path=$(desktop_value "$entry" Path)
  [ -f "$root$path/mad040.raw" ] || fail "Path $path holds no picture"
  exec=$(desktop_value "$entry" Exec)
  [ "${exec%% *}" = /usr/games/velkor ] && [ -x "$root${exec%% *}" ] ||
    fail "Exec $exec is not the package's launcher by its full path"
  ;;
metainfo)
  metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  grep -q "<id>$app_id</id>" "$metainfo" || fail "the id is not $app_id"
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
  [ -f "$root/usr/share/applications/$launchable" ] || fail "launchable $launchable not shipped"
  ;;
menu-start)
  start_from_menu
  window_shot_and_escape menu
  expect_cube "$work/menu.png" 1
  ;;
terminal)
  # From a folder with no picture, the installed one is shown.
  mkdir "$work/elsewhere"
  start_in "$work/elsewhere"
  window_shot_and_escape elsewhere
  expect_cube "$work/elsewhere.png" 1
  [ ! -s "$work/stderr" ] || fail "said something"
  # A picture of one's own in the current folder is shown instead: pure green, so that the
  # lit cube shows no red at all, where the installed picture shows plenty.
  mkdir "$work/own"
  head -c $((256 * 256)) /dev/zero | sed 's/\x0/\x0\xff\x0/g' >"$work/own/mad040.raw"
  start_in "$work/own"
  window_shot_and_escape own
  red=$(convert "$work/own.png" -format '%[fx:maxima.r]' info:)
  green=$(convert "$work/own.png" -format '%[fx:maxima.g]' info:)
  awk "BEGIN { exit !($red < 0.05 && $green > 0.5) }" || fail "not the own picture: red $red, green $green"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
