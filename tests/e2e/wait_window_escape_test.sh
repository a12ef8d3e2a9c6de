#!/usr/bin/env bash
# Starts the program under Xvfb, presses Escape in the wait window and checks
# that the program loads to the end, then exits with code 0 without running
# a frame. The start-up trace (MG_DEBUG_OUTPUT) tells what it did.
set -euo pipefail
program="$1"

# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"
export MG_DEBUG_OUTPUT=1

start_program
wait_for_window "$wait_class"
[ "$(xdotool getwindowname "$wid")" = "Morvandel.Gauge" ] || fail "wait window title"
geometry="$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}')"
[ "$geometry" = "798x244" ] || fail "wait window is $geometry"

xdotool windowfocus --sync "$wid"
# The program may close the wait window as soon as the key goes down; the
# key's release then finds no window, which is no failure.
xdotool keydown --window "$wid" Escape
xdotool keyup --window "$wid" Escape 2>/dev/null || true

code=0
wait_for_exit 120
wait "$pid" || code=$?
[ "$code" -eq 0 ] || fail "exit code $code"
grep -q '^startup: text "Standby if inactive--- OK ---"' "$work/out.log" ||
  fail "loading did not run to its end"
if grep -q '^startup: first frame' "$work/out.log"; then fail "a frame ran after Escape"; fi
echo "e2e: Escape in the wait window ends the program after loading, without a frame"
