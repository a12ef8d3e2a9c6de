#!/usr/bin/env bash
# Starts the program under Xvfb with a private config folder, waits for the
# menu to show after loading, clicks "Low" in the main page's render row and
# reads render_type=0 from the settings file while the program runs.
set -euo pipefail
program="$1"
close_window="$2"

if [ -z "${MG_E2E_INNER:-}" ]; then
  export MG_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
unset SDL_VIDEODRIVER
export LC_ALL=C
# Mesa's X11 driver keeps allocations until exit; leak reports would be
# about it, not about the program.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/out.log" ] && sed 's/^/program: /' "$work/out.log" >&2
  exit 1
}

"$program" >"$work/out.log" 2>&1 &
pid=$!

# The window shows once loading is done, with the menu on its main page.
wid=""
for _ in $(seq 1 600); do
  wid="$(xdotool search --onlyvisible --class Velkarion_2020 2>/dev/null | head -n 1 || true)"
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "program exited before showing its window"
  sleep 0.1
done
[ -n "$wid" ] || fail "no visible window of class Velkarion_2020"

ini="$XDG_CONFIG_HOME/Morvandel.Gauge/Morvandel.Gauge.ini"
settings() { [ -f "$ini" ] && tail -c +3 "$ini" | iconv -f UTF-16LE -t UTF-8 | tr -d '\r' || true; }
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
  left = int(cw * 0.2) + 1; right = int(left + cw * 0.8 / 3)
  print ox + int((left + right) / 2), oy + top + int(r / 2)
}')

xdotool windowfocus --sync "$wid"
# A click runs in the repaint that follows it, and a frame on the software
# renderer takes seconds. Clicks in the first seconds after the window
# appears can go unanswered, so the click is repeated until the choice is
# stored; choosing Low again changes nothing.
stored=""
for _ in $(seq 1 12); do
  xdotool mousemove --window "$wid" "$x" "$y"
  sleep 0.5
  xdotool click 1
  for _ in $(seq 1 60); do
    if grep -qx "render_type=0" <<<"$(settings)"; then
      stored=yes
      break 2
    fi
    kill -0 "$pid" 2>/dev/null || fail "program exited before storing the choice"
    sleep 0.25
  done
done
[ -n "$stored" ] || { settings >&2; fail "clicking Low at $x,$y in a $size window stored no render_type=0"; }

"$close_window" "$wid"
for _ in $(seq 1 600); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then kill -9 "$pid"; fail "program did not exit after close"; fi
wait "$pid" || fail "program exited with code $?"
grep -qx "render_type=0" <<<"$(settings)" || fail "render_type=0 lost at exit"
echo "e2e: clicking Render Mode: Low stores render_type=0"
