#!/usr/bin/env bash
# A driver without a GL feature the program needs: the program shows a box
# that names the missing feature and what to do, and once it is closed ends
# with exit code 1 without drawing a frame. Off-screen the same words go to
# standard error.
set -euo pipefail
program="$1"

# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"
readonly caption="Morvandel.Gauge cannot start"

# Mesa lets this one be taken away (GL_ARB_shading_language_100 it keeps).
readonly feature=GL_ARB_shader_objects
export MESA_EXTENSION_OVERRIDE="-$feature"
start_program
# Where the X server lacks the fonts SDL's box needs, the words go to
# standard error instead; a box that shows is closed with Return.
code=""
shown=""
for _ in $(seq 1 2400); do
  if ! kill -0 "$pid" 2>/dev/null; then
    code=0
    wait "$pid" || code=$?
    break
  fi
  box="$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)"
  if [ -n "$box" ]; then
    shown=1
    xdotool windowfocus --sync "$box" key --window "$box" Return || true
  fi
  sleep 0.05
done
[ -n "$code" ] || { kill -9 "$pid"; fail "$feature: program did not exit"; }
[ "$code" -eq 1 ] || fail "$feature: exit code $code, expected 1"
[ -n "$shown" ] || grep -qF "$caption: The graphics driver lacks the OpenGL extension $feature" \
  "$work/out.log" || fail "$feature: no box and no message naming it"

set +e
SDL_VIDEODRIVER=offscreen LIBGL_ALWAYS_SOFTWARE=1 timeout 120 "$program" --benchmark \
  --offscreen --size 64x48 >"$work/out.log" 2>&1
code=$?
set -e
[ "$code" -eq 1 ] || fail "$feature off-screen: exit code $code, expected 1"
grep -qF "$caption: The graphics driver lacks the OpenGL extension $feature" "$work/out.log" ||
  fail "$feature off-screen: no message naming it"
echo "e2e: a missing GL feature is named, exit 1"
