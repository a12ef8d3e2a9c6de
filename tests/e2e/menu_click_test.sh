#!/usr/bin/env bash
# Starts the program under Xvfb with a private config folder, waits for the
# menu to show after loading, clicks "Low" in the main page's render row and
# reads render_type=0 from the settings file while the program runs.
set -euo pipefail
program="$1"
close_window="$2"

# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"

start_program
# The window shows the loading page over the island while loading goes on;
# the main page follows when the wait window has gone.
wait_for_window "$main_class"
for _ in $(seq 1 1200); do
  xdotool search --onlyvisible --class "$wait_class" >/dev/null 2>&1 || break
  kill -0 "$pid" 2>/dev/null || fail "program exited while loading"
  sleep 0.1
done
grep -qx "render_type=0" <<<"$(settings)" && fail "render_type=0 stored before the click"

# The size the window settles at; the menu is laid out for it.
geometry() { xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}'; }
size="$(geometry)"
for _ in $(seq 1 20); do
  sleep 0.5
  now="$(geometry)"
  [ "$now" = "$size" ] && break
  size="$now"
done

# The overlay is half the client height high and 1.5 times that wide,
# centred. The main page stacks its rows from the bottom edge in rows of
# 1.5 character heights (4.6 % of the canvas height); the render row is the
# seventh from the bottom. Its caption takes the left fifth, the three
# choices share the rest: "Low" is the first.
read -r x y < <(awk -v size="$size" 'BEGIN {
  split(size, s, "x"); w = s[1]; h = s[2]
  ch = int(h / 2); cw = int(ch * 1.5)
  ox = int(w / 2) - int(cw / 2); oy = int(h / 2) - int(ch / 2)
  r = int(int(ch * 0.046) * 1.5); bottom = ch - 1
  top = bottom - 7 * r
  left = int(cw * 0.2) + 1; right = left + int((cw - left + 1) / 3) - 1
  print ox + int((left + right) / 2), oy + top + int(r / 2)
}')

xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" "$x" "$y"
sleep 0.5
xdotool click 1
# A click runs in the repaint that follows it, and a frame on the software
# renderer can take seconds.
stored=""
for _ in $(seq 1 240); do
  if grep -qx "render_type=0" <<<"$(settings)"; then
    stored=yes
    break
  fi
  kill -0 "$pid" 2>/dev/null || fail "program exited before storing the choice"
  sleep 0.25
done
[ -n "$stored" ] || { settings >&2; fail "clicking Low at $x,$y in a $size window stored no render_type=0"; }

"$close_window" "$wid"
wait_for_exit
wait "$pid" || fail "program exited with code $?"
grep -qx "render_type=0" <<<"$(settings)" || fail "render_type=0 lost at exit"
echo "e2e: clicking Render Mode: Low stores render_type=0"
