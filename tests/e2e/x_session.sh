# Sourced by the end-to-end scripts that drive the program in a real X window.
# Runs the calling script again inside a private Xvfb display, gives it a
# temporary folder ($work) and a private settings folder, and offers:
#   fail MESSAGE          prints the message and the program's output, exits 1
#   start_program ARGS    starts "$program" in the background, output in
#                         $work/out.log, its process id in $pid
#   wait_for_window CLASS sets $wid to the first visible window of CLASS,
#                         failing if the program exits or none shows
#   settings              the settings file as UTF-8 text (empty if none yet)
#   wait_for_exit [S]     waits for the program to end; kills it and fails
#                         after S seconds (120)
# shellcheck shell=bash
if [ -z "${MG_E2E_INNER:-}" ]; then
  export MG_E2E_INNER=1
  # A display number of its own: right after a test the previous server
  # may still be going away, and reusing its number races with its cleanup.
  exec xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# The server has said it is ready; wait until it also answers a client.
for _ in $(seq 1 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null || { echo "FAIL: the X server $DISPLAY does not answer" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
unset SDL_VIDEODRIVER WAYLAND_DISPLAY
export LC_ALL=C
# These tests drive the window, not the picture: with the driver's 16x
# anisotropic filtering a frame of the flying island can take a minute on
# the software renderer, and keys and closing wait for the frame to end.
export MG_MAX_ANISOTROPY=1
ini="$XDG_CONFIG_HOME/Morvandel.Gauge/Morvandel.Gauge.ini"
readonly main_class=Velkarion_2020
readonly wait_class=EAAF81C3_4560_43FE_B729_44A378D1FCF4

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/out.log" ] && sed 's/^/program: /' "$work/out.log" >&2
  exit 1
}

start_program() {
  "$program" "$@" >"$work/out.log" 2>&1 &
  pid=$!
}

wait_for_window() {
  wid=""
  for _ in $(seq 1 1200); do
    wid="$(xdotool search --onlyvisible --class "$1" 2>/dev/null | head -n 1 || true)"
    [ -n "$wid" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "program exited before showing a window of class $1"
    sleep 0.05
  done
  fail "no visible window of class $1"
}

settings() {
  [ -f "$ini" ] && tail -c +3 "$ini" | iconv -f UTF-16LE -t UTF-8 | tr -d '\r' || true
}

wait_for_exit() {
  for _ in $(seq 1 "$((${1:-120} * 10))"); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$pid"
  fail "program did not exit"
}
