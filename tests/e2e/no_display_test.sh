#!/usr/bin/env bash
# Without a display (none named, or one that refuses the connection) the
# program says so, tells how to run off-screen and ends with exit code 1
# instead of drawing unseen; a benchmark start without --offscreen too.
set -euo pipefail
program="$1"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
unset SDL_VIDEODRIVER WAYLAND_DISPLAY

for display in "" ":97"; do
  for args in "" "--benchmark"; do
    set +e
    # shellcheck disable=SC2086
    DISPLAY="$display" timeout 60 "$program" $args >"$work/out.log" 2>&1
    code=$?
    set -e
    cat "$work/out.log"
    what="DISPLAY='$display' $args"
    [ "$code" -eq 1 ] || { echo "FAIL: $what: exit code $code, expected 1"; exit 1; }
    grep -q "^Error: No display could be opened (DISPLAY=$display)" "$work/out.log" ||
      { echo "FAIL: $what: no plain message about the display"; exit 1; }
    ! grep -q "INFO:" "$work/out.log" || { echo "FAIL: $what: a library's log prefix"; exit 1; }
    grep -q -- "--benchmark --offscreen" "$work/out.log" ||
      { echo "FAIL: $what: no word on running off-screen"; exit 1; }
  done
done
echo "e2e: no display reported, exit 1"
