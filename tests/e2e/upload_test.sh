#!/usr/bin/env bash
# --benchmark --upload of the real program against a real comparison server
# on a free port: an off-screen run over a shortened path sends its record,
# prints the address of its ranking page, and the server holds the run's
# figures; without --upload nothing is sent; a server that is not there ends
# the run with 1 and says why.
set -euo pipefail
program="$1"
server="$2"

work="$(mktemp -d)"
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" || true
  rm -rf "$work"
}
trap cleanup EXIT
unset SDL_VIDEODRIVER WAYLAND_DISPLAY DISPLAY
export LC_ALL=C XDG_CONFIG_HOME="$work/config" MG_BENCH_PATH_KEYFRAMES=4 MG_MAX_ANISOTROPY=1

fail() {
  echo "FAIL: $*" >&2
  for f in out err server; do [ -s "$work/$f" ] && sed "s/^/$f: /" "$work/$f" >&2; done
  exit 1
}

"$server" --db "$work/results.sqlite" --port 0 >"$work/server" 2>&1 &
server_pid=$!
for _ in $(seq 100); do grep -q listening "$work/server" && break; sleep 0.1; done
url="$(grep -o 'http://127.0.0.1:[0-9]*' "$work/server")" || fail "the server did not start"
count() { curl -sf "$url/api/results" | jq '.results | length'; }

run=("$program" --benchmark --offscreen --size 160x120 --quality low)
"${run[@]}" >"$work/out" 2>"$work/err" || fail "a run without --upload failed"
[ "$(count)" = 0 ] || fail "a run without --upload sent its result"

"${run[@]}" --upload "$url" --json "$work/run.json" >"$work/out" 2>"$work/err" ||
  fail "the run with --upload failed"
page="$(tail -n 1 "$work/out")"
[[ "$page" == "$url/?result="* ]] || fail "no ranking address printed: $page"
curl -sf "$page" | grep -q 'Position <strong>1</strong> of 1' || fail "$page does not rank it"
stored="$(curl -sf "$url/api/results/${page##*=}")"
jq -e --slurpfile run "$work/run.json" '
  .average_fps == $run[0].average_fps and .max_mega_tris == $run[0].max_mega_tris and
  .level == $run[0].detail_level and .width == 160 and .height == 120 and
  .gl.renderer == $run[0].gl.renderer' <<<"$stored" >/dev/null ||
  fail "the stored result differs from the record: $stored"

set +e
"${run[@]}" --upload http://127.0.0.1:1 >"$work/out" 2>"$work/err"
code=$?
set -e
[ "$code" = 1 ] || fail "an upload to nowhere ended with $code"
grep -q "not uploaded: could not reach http://127.0.0.1:1" "$work/err" || fail "no reason given"
[ "$(count)" = 1 ] || fail "the server holds $(count) results"
echo "upload: ok"
