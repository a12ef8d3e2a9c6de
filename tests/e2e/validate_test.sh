#!/usr/bin/env bash
# --validate off-screen on llvmpipe: every reference view matches and the
# program ends with 0. With the palms left out of the views (a test-only
# switch) and a short run after it, the views differ: exit 3, the user's
# pictures in the private temporary folder, and the run's record says it
# was not validated.
set -euo pipefail
program="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER
export LC_ALL=C TMPDIR="$work/tmp" XDG_CONFIG_HOME="$work/config"
mkdir -p "$TMPDIR"

source "$(dirname "$0")/capture.sh"

run "$program" --validate --offscreen --size 64x48
[ "$code" -eq 0 ] || fail "--validate on llvmpipe: exit $code, expected 0"
[ "$(grep -cE '^  [a-z-]+ +([0-9.]+ dB|identical)$' "$work/out")" -eq 15 ] ||
  fail "--validate: not fifteen views with their PSNR"
grep -q "^Validation passed: all 15 reference views" "$work/out" || fail "--validate: no verdict"
! grep -qa "l.a.s.t._" "$work/config/Morvandel.Gauge/Morvandel.Gauge.ini" 2>/dev/null ||
  fail "--validate alone stored a result"

run env MG_VALIDATE_WITHOUT_PALMS=1 MG_BENCH_PATH_KEYFRAMES=3 "$program" --validate --benchmark \
  --offscreen --size 64x48 --quality low --anisotropy 1 --json "$work/run.json"
[ "$code" -eq 3 ] || fail "views without palms: exit $code, expected 3"
grep -q "^Validation failed: " "$work/out" || fail "views without palms: no verdict"
grep -q "DIFFERS$" "$work/out" || fail "views without palms: no view marked"
saved="$(sed -n 's/^  [a-z-]*: your picture is \(.*\), the reference beside it$/\1/p' "$work/out" | head -1)"
[ -n "$saved" ] && [ -s "$saved" ] && [ -s "${saved%-yours.png}-reference.png" ] ||
  fail "views without palms: the user's picture was not written"
case "$saved" in "$TMPDIR"/*) ;; *) fail "the picture is not in the private temporary folder: $saved" ;; esac
jq -e '.validated == false' "$work/run.json" >/dev/null || fail "the run's record does not say so"
echo "e2e: --validate passes on llvmpipe and fails with exit 3 on a broken frame"
