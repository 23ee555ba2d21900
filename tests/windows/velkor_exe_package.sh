#!/usr/bin/env bash
# What velkor.exe carries and needs, read from the file and from the ZIP CPack makes of it.
# Usage: velkor_exe_package.sh CASE VELKOR_EXE OBJDUMP VERSION BUILD_DIR
set -euo pipefail
export LC_ALL=C

case_name=$1 exe=$2 objdump=$3 version=$4 build=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

case $case_name in
icon)
  # One icon group, as Explorer shows it, with every size from 16 to 256 in 32-bit colour.
  [ "$(wrestool -l --type=14 "$exe" | wc -l)" -eq 1 ] || fail "icon groups: $(wrestool -l "$exe")"
  wrestool -x --type=14 "$exe" >"$work/velkor.ico"
  icotool -l "$work/velkor.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\) --bit-depth=32.*/\1x\2/p' |
    sort -n >"$work/sizes"
  printf '%s\n' 16x16 32x32 48x48 256x256 | diff -u - "$work/sizes" || fail "the icon's sizes differ"
  ;;
version)
  wrestool -x --raw --type=16 "$exe" >"$work/version" || fail "no version resource"
  # The numbers Explorer's Details page shows: file version in the fixed part, after its
  # signature 0xFEEF04BD.
  hex=$(od -An -v -tx1 "$work/version" | tr -d ' \n')
  rest=${hex#*bd04effe}
  [ "$rest" != "$hex" ] || fail "no fixed version information"
  word() { local w=${rest:$1:8}; echo $((16#${w:6:2}${w:4:2}${w:2:2}${w:0:2})); }
  ms=$(word 8) ls=$(word 16)
  numbers="$((ms >> 16)).$((ms & 0xFFFF)).$((ls >> 16)).$((ls & 0xFFFF))"
  expected=$version
  while [ "$(tr -dc . <<<"$expected" | wc -c)" -lt 3 ]; do expected=$expected.0; done
  [ "$numbers" = "$expected" ] || fail "file version $numbers, not $expected"
  # The strings, each name followed by its value.
  iconv -f UTF-16LE -t UTF-8 <"$work/version" 2>/dev/null | tr -c '[:print:]' '\n' |
    grep -v '^$' >"$work/strings" || true
  value() { grep -A1 -x "$1" "$work/strings" | sed -n 2p; }
  [ "$(value ProductName)" = Velkor ] || fail "ProductName: $(value ProductName)"
  [ "$(value FileVersion)" = "$version" ] || fail "FileVersion: $(value FileVersion)"
  [ "$(value OriginalFilename)" = velkor.exe ] || fail "OriginalFilename: $(value OriginalFilename)"
  grep -q cube <<<"$(value FileDescription)" || fail "FileDescription: $(value FileDescription)"
  ;;
imports)
  # Only what every Windows since XP has: no runtime DLLs to ship beside the program.
  "$objdump" -p "$exe" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort >"$work/imports"
  [ -s "$work/imports" ] || fail "no imports read"
  extra=$(grep -vxE 'd3d8|kernel32|user32|ole32|msvcrt' <(sed 's/\.dll$//' "$work/imports") || true)
  [ -z "$extra" ] || fail "imports beyond the system's: $extra"
  ;;
zip)
  (cd "$work" && cpack -G ZIP -B "$work" --config "$build/CPackConfig.cmake") >"$work/log" 2>&1 || {
    cat "$work/log" >&2
    fail "cpack"
  }
  zip=$(ls "$work"/*.zip)
  cmake -E tar tf "$zip" | sort >"$work/files"
  printf '%s\n' mad040.raw velkor.exe | diff -u - "$work/files" || fail "the ZIP's files differ"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
