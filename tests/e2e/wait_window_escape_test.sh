#!/usr/bin/env bash
# Starts the program under Xvfb, presses Escape in the wait window and checks
# that the program loads to the end, then exits with code 0 without running
# a frame. The start-up trace (MG_DEBUG_OUTPUT) tells what it did.
set -euo pipefail
program="$1"

if [ -z "${MG_E2E_INNER:-}" ]; then
  export MG_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
unset SDL_VIDEODRIVER
export LC_ALL=C
export MG_DEBUG_OUTPUT=1
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/out.log" ] && grep '^startup:' "$work/out.log" | sed 's/^/program: /' >&2
  exit 1
}

"$program" >"$work/out.log" 2>&1 &
pid=$!

class=EAAF81C3_4560_43FE_B729_44A378D1FCF4
wid=""
for _ in $(seq 1 300); do
  wid="$(xdotool search --onlyvisible --class "$class" 2>/dev/null | head -n 1 || true)"
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "program exited before showing its wait window"
  sleep 0.05
done
[ -n "$wid" ] || fail "no visible window of class $class"
[ "$(xdotool getwindowname "$wid")" = "Morvandel.Gauge" ] || fail "wait window title"
geometry="$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}')"
[ "$geometry" = "798x244" ] || fail "wait window is $geometry"

xdotool windowfocus --sync "$wid"
xdotool key --window "$wid" Escape

code=0
for _ in $(seq 1 1200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then kill -9 "$pid"; fail "program did not exit after Escape"; fi
wait "$pid" || code=$?
[ "$code" -eq 0 ] || fail "exit code $code"
grep -q '^startup: text "Standby if inactive--- OK ---"' "$work/out.log" ||
  fail "loading did not run to its end"
if grep -q '^startup: first frame' "$work/out.log"; then fail "a frame ran after Escape"; fi
echo "e2e: Escape in the wait window ends the program after loading, without a frame"
