#!/usr/bin/env bash
# The command line of the real program: --help and a bad option; a benchmark
# start off-screen (no display at all) over a shortened path that writes its
# JSON record and its result keys; and one in a window on a virtual X display
# that prints its record and leaves the user's other settings as they were.
set -euo pipefail
program="$1"

if [ -z "${MG_E2E_INNER:-}" ]; then
  export MG_E2E_INNER=1
  # A display number of its own: right after a test the previous server
  # may still be going away, and reusing its number races with its cleanup.
  exec xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset SDL_VIDEODRIVER WAYLAND_DISPLAY
export LC_ALL=C

source "$(dirname "$0")/capture.sh"
settings_text() { tail -c +3 "$1/Morvandel.Gauge/Morvandel.Gauge.ini" | iconv -f UTF-16LE -t UTF-8 | tr -d '\r'; }
# The record's fields, and its figures consistent with each other.
check_record() {
  jq -e --argjson width "$2" --argjson height "$3" --argjson frames "$4" '
    .program == "Morvandel.Gauge" and (.version | test("^[0-9]+\\.[0-9]+$")) and
    (.gl.renderer | length) > 0 and (.gl.version | length) > 0 and (.gl.vendor | length) > 0 and
    .width == $width and .height == $height and .antialiasing == 0 and
    .detail_level == 2 and .quality == "low" and .frames >= $frames and
    .duration_s > 0 and .max_mega_tris >= 0 and
    ((.average_fps - .frames / .duration_s) | . * .) < 1e-6 and
    .frame_time_ms.minimum > 0 and .frame_time_ms.minimum <= .frame_time_ms.median and
    .frame_time_ms.median <= .frame_time_ms.p99 and .frame_time_ms.p99 <= .frame_time_ms.maximum and
    .one_percent_low_fps > 0 and .one_percent_low_fps <= 1000 / .frame_time_ms.median and
    .average_mega_tris > 0 and (.gl_triangles_per_counted | type) == "number" and
    .gl_triangles_per_counted > 0 and (.anisotropy | type) == "number" and
    .software_renderer == (.gl.renderer | test("llvmpipe|softpipe")) and
    .capped_by_vsync == false
  ' "$1" >/dev/null || { cat "$1" >&2; fail "JSON record $1 lacks a field or has wrong figures"; }
}
# The result keys with the record's figures, and no other key in the section.
check_result_keys() {
  local text="$1" record="$2" width="$3" height="$4"
  local fps time
  fps="$(jq -r '.average_fps * 1000000 | round / 1000000' "$record")"
  time="$(jq -r '.duration_s * 1000000 | round / 1000000' "$record")"
  awk -F= -v fps="$fps" -v time="$time" -v w="$width" -v h="$height" '
    /^\[/ { section = $0; next }
    section == "[Morvandel.Gauge]" && NF == 2 { key[$1] = $2 }
    END {
      ok = (key["last_bench_sc_width"] == w && key["last_bench_sc_height"] == h &&
            key["last_bench_mode"] == 2 && (key["last_average_fps"] - fps) ^ 2 < 1e-10 &&
            (key["last_bench_time"] - time) ^ 2 < 1e-10 && "last_bench_max_mega_tris" in key)
      exit ok ? 0 : 1
    }' <<<"$text" || { echo "$text" >&2; fail "settings lack the run's result keys"; }
}

run "$program" --help
[ "$code" -eq 0 ] && grep -q "Usage: morvandel-gauge" "$work/out" || fail "--help: exit $code"
run "$program" --benchmark --size 160 --offscreen
[ "$code" -eq 2 ] && grep -q "Usage: morvandel-gauge" "$work/err" && [ ! -s "$work/out" ] ||
  fail "a malformed size: exit $code, expected 2 with the usage on standard error"

# A record that could not be written is found before anything runs: exit 1
# at once, and nothing stored.
refused="$work/refused"
mkdir -p "$work/a-folder"
for target in "$work/missing/run.json" "$work/a-folder" /proc/self/mem; do
  run env -u DISPLAY XDG_CONFIG_HOME="$refused" "$program" --benchmark --offscreen \
    --size 160x120 --quality low --anisotropy 1 --json "$target"
  [ "$code" -eq 1 ] && grep -qF "cannot write the JSON record to $target" "$work/err" &&
    grep -q "nothing was run" "$work/err" || fail "--json $target: exit $code, expected 1 at once"
  [ ! -e "$refused" ] || fail "--json $target: settings were written although nothing ran"
done

# Off-screen, without any display, over the first 6 keyframes of the path.
# On a software renderer 16x anisotropic filtering makes frames at this size
# take tens of seconds; at 1 the run takes seconds and checks the same.
offscreen="$work/offscreen"
run env -u DISPLAY XDG_CONFIG_HOME="$offscreen" MG_BENCH_PATH_KEYFRAMES=6 \
  "$program" --benchmark --offscreen --size 160x120 --quality low --anisotropy 1 \
  --json "$work/run.json"
[ "$code" -eq 0 ] || fail "off-screen run: exit $code, expected 0"
grep -qE "^[0-9]+\.[0-9] FPS average, .* 160x120, antialiasing off, quality low .*anisotropy 1x, highest [0-9.]+ Mega-Tris, average [0-9.]+ Mega-Tris" "$work/out" ||
  fail "off-screen run: no result line"
check_record "$work/run.json" 160 120 5
jq -e '.anisotropy == 1' "$work/run.json" >/dev/null || fail "the record does not say --anisotropy 1"
if jq -e '.software_renderer' "$work/run.json" >/dev/null; then
  grep -q "is a software renderer" "$work/err" || fail "no word of the software renderer"
fi
text="$(settings_text "$offscreen")"
check_result_keys "$text" "$work/run.json" 160 120
others="$(grep -vE '^(\[Program\]|TestIni=eeee|\[Morvandel\.Gauge\]|last_(average_fps|bench_time|bench_sc_width|bench_sc_height|bench_aa|bench_mode|bench_max_mega_tris)=.*|)$' <<<"$text" || true)"
[ -z "$others" ] || fail "an off-screen run stored more than its result: $others"

# Two laps after a warm-up over a shortened path: each lap's figures, their
# spread and the verdict; the stored figures are the whole run's.
laps="$work/laps"
run env -u DISPLAY XDG_CONFIG_HOME="$laps" MG_BENCH_PATH_KEYFRAMES=4 \
  "$program" --benchmark --offscreen --size 64x48 --quality low --anisotropy 1 --laps 2 \
  --warmup --json "$work/laps.json"
[ "$code" -eq 0 ] || fail "run of laps: exit $code, expected 0"
jq -e '.warmup == true and (.laps | length) == 2 and (.cv_percent | type) == "number" and
  (.stable | type) == "boolean" and (.stability | length) > 0 and
  .frames == (.laps | map(.frames) | add) and
  ((.duration_s - (.laps | map(.duration_s) | add)) | . * .) < 1e-9 and
  (.lap_fps.mean > 0)' "$work/laps.json" >/dev/null ||
  { cat "$work/laps.json" >&2; fail "the record of a run of laps lacks its laps"; }
grep -qE ", laps [0-9.]+ [0-9.]+ FPS \(CV [0-9.]+ %, (stable|not stable)\)$" "$work/out" &&
  grep -qE "^(Stable|Not stable): the laps' frame rates vary" "$work/out" ||
  fail "run of laps: the result line does not give the laps"
check_result_keys "$(settings_text "$laps")" "$work/laps.json" 64 48

# In a window on the virtual display, the record on standard output. The
# user's placement, pose and quality stay as they were.
window="$work/window"
mkdir -p "$window/Morvandel.Gauge"
seeded=$'[Program]\nm_win_rc=10;20;1034;788;1;x,y,w,h,SW\n\n[Morvandel.Gauge]\nrender_type=2\nm_p_x=5\nm_w_x=1.500000\n'
{ printf '\xff\xfe'; printf '%s' "${seeded//$'\n'/$'\r\n'}" | iconv -f UTF-8 -t UTF-16LE; } \
  >"$window/Morvandel.Gauge/Morvandel.Gauge.ini"
run env XDG_CONFIG_HOME="$window" MG_BENCH_PATH_KEYFRAMES=4 \
  "$program" --benchmark --size 160x120 --quality low --water 0 --json -
[ "$code" -eq 0 ] || fail "window run: exit $code, expected 0"
grep -q "160x120, antialiasing off, quality low" "$work/err" ||
  fail "window run: the result line is not on standard error"
cp "$work/out" "$work/window.json"
check_record "$work/window.json" 160 120 3
text="$(settings_text "$window")"
check_result_keys "$text" "$work/window.json" 160 120
for line in "m_win_rc=10;20;1034;788;1;x,y,w,h,SW" "render_type=2" "m_p_x=5" "m_w_x=1.500000"; do
  grep -qxF "$line" <<<"$text" || { echo "$text" >&2; fail "the window run changed '$line'"; }
done
echo "e2e: benchmark starts off-screen and in a window report and store their result"
