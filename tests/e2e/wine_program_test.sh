#!/usr/bin/env bash
# The Windows program under Wine on a virtual X display (Wine's GL reaches
# the host's Mesa): --version, --help and a bad option; a benchmark start
# off-screen over a shortened path that writes its JSON record, named
# "_portable" so its settings file is made beside it; one in a window with
# the record on standard output; and the interactive program, whose menu
# Escape hides and which Alt+F4 ends, storing both. With the Linux build's
# comparison server, a run's --upload over WinHTTP too.
#   wine_program_test.sh <wine-run.sh> <wine prefix> <morvandel-gauge.exe>
#                        <morvandel-compare-server of the Linux build>
set -euo pipefail
wine_run="$1" prefix="$2" exe="$3" server="$4"

if [ -z "${MG_E2E_INNER:-}" ]; then
  export MG_E2E_INNER=1
  # A small screen: the interactive program's window comes up maximised,
  # and the software renderer draws its loading frames at that size.
  exec xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 800x600x24" "$0" "$@"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
source "$(dirname "$0")/capture.sh"
# A step that fails without its own message still names its line.
trap 'echo "FAIL: the step on line $LINENO failed" >&2' ERR

# The program under a portable name: its settings go beside it.
program="$work/morvandel-gauge_portable.exe"
cp "$exe" "$program"
wine() { "$wine_run" "$prefix" "$@"; }

run wine "$program" --version
[ "$code" -eq 0 ] && grep -qE "^Morvandel\.Gauge [0-9]+\.[0-9]+" "$work/out" ||
  fail "--version: exit $code"
run wine "$program" --help
[ "$code" -eq 0 ] && grep -q "Usage: morvandel-gauge" "$work/out" || fail "--help: exit $code"
run wine "$program" --benchmark --size 160 --offscreen
[ "$code" -eq 2 ] && grep -q "Usage: morvandel-gauge" "$work/err" ||
  fail "a malformed size: exit $code, expected 2 with the usage on standard error"
[ ! -e "$work/Morvandel.Gauge.ini" ] || fail "a refused command line wrote settings"

run env MG_BENCH_PATH_KEYFRAMES=12 wine "$program" --benchmark --offscreen --size 160x120 \
  --quality low --anisotropy 1 --json "Z:$work/run.json"
[ "$code" -eq 0 ] || fail "off-screen run: exit $code, expected 0"
grep -qE "^[0-9]+\.[0-9] FPS average, .* 160x120, antialiasing off, quality low" "$work/out" ||
  fail "off-screen run: no result line"
jq -e '.program == "Morvandel.Gauge" and (.gl.renderer | test("llvmpipe")) and
  .width == 160 and .height == 120 and .quality == "low" and .anisotropy == 1 and
  .frames >= 11 and .average_fps > 0 and .average_mega_tris > 0 and
  ((.average_fps - .frames / .duration_s) | . * .) < 1e-6 and .software_renderer == true' \
  "$work/run.json" >/dev/null || { cat "$work/run.json" >&2; fail "the record lacks a figure"; }

# The settings file beside the program: UTF-16 with its byte-order mark,
# holding the run's result.
ini="$work/Morvandel.Gauge.ini"
[ -f "$ini" ] || fail "no settings file beside the portable program"
[ "$(head -c 2 "$ini" | od -An -tx1 | tr -d ' ')" = fffe ] || fail "the settings file is not UTF-16"
text="$(tail -c +3 "$ini" | iconv -f UTF-16LE -t UTF-8 | tr -d '\r')"
fps="$(jq -r '.average_fps * 1000000 | round / 1000000' "$work/run.json")"
grep -qx "last_bench_sc_width=160" <<<"$text" && grep -q "^last_average_fps=" <<<"$text" &&
  awk -F= -v fps="$fps" '$1 == "last_average_fps" { exit ($2 - fps) ^ 2 < 1e-10 ? 0 : 1 }' \
    <<<"$text" || { echo "$text" >&2; fail "the settings file lacks the run's result"; }

# In a window, the record on standard output and the result line on error.
run env MG_BENCH_PATH_KEYFRAMES=4 wine "$program" --benchmark --size 160x120 --quality low \
  --water 0 --anisotropy 1 --json -
[ "$code" -eq 0 ] || fail "window run: exit $code, expected 0"
grep -q "160x120, antialiasing off, quality low" "$work/err" ||
  fail "window run: the result line is not on standard error"
jq -e '.width == 160 and .frames >= 3 and .water == 0' "$work/out" >/dev/null ||
  fail "window run: standard output is not the record"
# The record sent to a comparison server on this machine, which ranks it.
if [ -x "$server" ]; then
  "$server" --db "$work/results.sqlite" --port 0 >"$work/server" 2>&1 &
  server_pid=$!
  for _ in $(seq 100); do grep -q listening "$work/server" && break; sleep 0.1; done
  url="$(grep -o 'http://127.0.0.1:[0-9]*' "$work/server")" || fail "the server did not start"
  run env MG_BENCH_PATH_KEYFRAMES=4 wine "$program" --benchmark --offscreen --size 160x120 \
    --quality low --anisotropy 1 --upload "$url"
  page="$(tail -n 1 "$work/out")"
  [ "$code" -eq 0 ] && [[ "$page" == "$url/?result="* ]] || fail "--upload: exit $code, $page"
  [ "$(curl -sf "$url/api/results" | jq '.results | length')" = 1 ] ||
    fail "the server did not keep the uploaded result"
  kill "$server_pid"
  run env MG_BENCH_PATH_KEYFRAMES=4 wine "$program" --benchmark --offscreen --size 160x120 \
    --quality low --anisotropy 1 --upload "$url"
  [ "$code" -eq 1 ] && grep -q "could not reach $url: no connection could be made" "$work/err" ||
    fail "--upload to a server that is gone: exit $code"
else
  echo "no comparison server at $server: --upload is not tried"
fi

# Interactive: once the first frame is drawn, Escape hides the menu and
# Alt+F4 closes the window; the program ends with 0 and stores the menu's
# state and the window's placement.
MG_DEBUG_OUTPUT=1 wine "$program" >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 480); do
  grep -aq "startup: first frame" "$work/err" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
grep -aq "startup: first frame" "$work/err" || { kill "$pid" 2>/dev/null || true; fail "no first frame"; }
# The title names the frame rate from the first second's count on.
window=""
for _ in $(seq 120); do
  window="$(xdotool search --name "FPS Morvandel\.Gauge" 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { kill "$pid"; fail "no main window with its frame rate on the display"; }
xdotool windowfocus --sync "$window" && xdotool key Escape && sleep 1 && xdotool key alt+F4 ||
  { kill "$pid"; fail "the keys could not be sent to window $window"; }
for _ in $(seq 60); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  fail "Alt+F4 did not end the program"
fi
set +e
wait "$pid"
code=$?
set -e
[ "$code" -eq 0 ] || fail "the interactive program ended with $code"
text="$(tail -c +3 "$ini" | iconv -f UTF-16LE -t UTF-8 | tr -d '\r')"
grep -qx "show_info2=0" <<<"$text" && grep -qE "^m_win_rc=-?[0-9]+;-?[0-9]+;[0-9]+;[0-9]+;[0-9];" \
  <<<"$text" || { echo "$text" >&2; fail "the menu's state or the window's placement was not stored"; }
echo "e2e: the Windows program answers its command line, reports runs and takes keys under Wine"
