#!/usr/bin/env bash
# Without a display (none named, or one that refuses the connection) the
# program says so and ends with exit code 1 instead of drawing unseen.
set -euo pipefail
program="$1"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
unset SDL_VIDEODRIVER WAYLAND_DISPLAY

for display in "" ":97"; do
  set +e
  DISPLAY="$display" timeout 60 "$program" >"$work/out.log" 2>&1
  code=$?
  set -e
  cat "$work/out.log"
  [ "$code" -eq 1 ] || { echo "FAIL: DISPLAY='$display': exit code $code, expected 1"; exit 1; }
  grep -q "No display could be opened (DISPLAY=$display)" "$work/out.log" ||
    { echo "FAIL: DISPLAY='$display': no message about the display"; exit 1; }
done
echo "e2e: no display reported, exit 1"
