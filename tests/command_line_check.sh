#!/usr/bin/env bash
# --help and --version answer on stdout without a display; without one the
# program says so in one line and ends with 1; an option
# it does not know is refused, a lesson file named beside it is not.
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
  grep -q 'tivaro \[options\] \[FILE\]' <<<"$out" || fail "$option does not show the FILE operand: $out"
done

out=$(headless --version 2>/dev/null); rc=$?
[ "$rc" -eq 0 ] || fail "--version exits with $rc"
[ "$out" = "tivaro $version" ] || fail "--version prints '$out'"

for file in "" lesson.tivaro; do
  err=$(headless ${file:+"$file"} 2>&1 >/dev/null); rc=$?
  [ "$rc" -eq 1 ] || fail "without a display the exit code is $rc ($file)"
  [ "$(wc -l <<<"$err")" -eq 1 ] && grep -q 'no graphical display' <<<"$err" || fail "without a display: $err"
done

# Qt's own options are left to Qt; an unknown one is refused by name, and
# the file beside it is no option.
offscreen() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "${program[@]}" -platform offscreen "$@"; }
err=$(offscreen lesson.tivaro --colour 2>&1); rc=$?
[ "$rc" -eq 1 ] || fail "an unknown option exits with $rc"
grep -q 'colour' <<<"$err" || fail "the unknown option is not named: $err"
grep -q 'lesson.tivaro' <<<"$err" && fail "the file is taken for an option: $err"

# Named alone, the file lets the window come up: the program is still
# running after a while, and is ended here.
log=$(mktemp)
# A simple command, so that $! is the program itself and not a subshell.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "${program[@]}" -platform offscreen lesson.tivaro >"$log" 2>&1 &
pid=$!
for _ in $(seq 30); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  wait "$pid" 2>/dev/null
else
  wait "$pid"
  fail "with a file the program ended with $?: $(cat "$log")"
fi
rm -f "$log"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "command line checks passed"
