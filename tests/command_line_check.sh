#!/usr/bin/env bash
# --help and --version answer on stdout without a display; without one the
# program says so in one line and ends with 1; an option
# it does not know is refused.
# Usage: command_line_check.sh VERSION PROGRAM...
# (PROGRAM may come with an emulator before it, for a cross build.)
set -uo pipefail

version=$1
shift
program=("$@")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${program[@]}" "$@"; }

for option in --help -h; do
  out=$(headless "$option" 2>/dev/null); rc=$?
  [ "$rc" -eq 0 ] || fail "$option exits with $rc"
  grep -q -- '--version' <<<"$out" || fail "$option does not list --version: $out"
done

out=$(headless --version 2>/dev/null); rc=$?
[ "$rc" -eq 0 ] || fail "--version exits with $rc"
[ "$out" = "tivaro $version" ] || fail "--version prints '$out'"

err=$(headless 2>&1 >/dev/null); rc=$?
[ "$rc" -eq 1 ] || fail "without a display the exit code is $rc"
[ "$(wc -l <<<"$err")" -eq 1 ] && grep -q 'no graphical display' <<<"$err" || fail "without a display: $err"

# Qt's own options are left to Qt; an unknown one is refused by name.
err=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "${program[@]}" -platform offscreen --colour 2>&1); rc=$?
[ "$rc" -eq 1 ] || fail "an unknown option exits with $rc"
grep -q 'colour' <<<"$err" || fail "the unknown option is not named: $err"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "command line checks passed"
