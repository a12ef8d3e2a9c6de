#!/usr/bin/env bash
# Starts the program under Xvfb with a private config folder, waits for its
# window, checks its icon, hides the menu (F1), toggles borderless full screen
# with Enter and back with F11, closes the window and checks the settings
# file's bytes.
set -euo pipefail
program="$1"
close_window="$2"

# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"

start_program
wait_for_window "$main_class"
# The program's icon, as the desktop reads it. Only the first lines of
# xprop's long answer are kept (its pipe may break then, which is not a
# failure), and the property is read again for a while.
icon=""
for _ in $(seq 1 50); do
  icon="$(xprop -id "$wid" _NET_WM_ICON 2>&1 | head -n 2 || true)"
  grep -qF "Icon (64 x 64):" <<<"$icon" && break
  sleep 0.1
done
grep -qF "Icon (64 x 64):" <<<"$icon" ||
  fail "the window carries no 64 x 64 icon; xprop said: $icon"
# The window shows the loading page over the island while loading goes on;
# the keys below are for the running program, once the wait window is gone.
for _ in $(seq 1 1200); do
  xdotool search --onlyvisible --class "$wait_class" >/dev/null 2>&1 || break
  sleep 0.1
done

geometry() { xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}'; }
# Frames on the software renderer can take a second or more, and keys are
# handled between frames: wait for the change rather than a fixed time.
wait_geometry() {
  local want="$1" now=""
  for _ in $(seq 1 900); do
    now="$(geometry)"
    [ "$now" = "$want" ] && return 0
    sleep 0.1
  done
  echo "$now"
  return 1
}

xdotool windowfocus --sync "$wid"
xdotool key --window "$wid" F1
before="$(geometry)"
xdotool key --window "$wid" Return
got="$(wait_geometry 1280x1024)" || fail "Enter did not go full screen (geometry $before -> $got)"
xdotool key --window "$wid" F11
got="$(wait_geometry "$before")" || fail "F11 did not restore the window ($before -> $got)"

"$close_window" "$wid"
wait_for_exit
wait "$pid" || fail "program exited with code $?"

[ -f "$ini" ] || fail "no settings file at $ini"
[ "$(head -c 2 "$ini" | od -An -tx1 | tr -d ' ')" = "fffe" ] || fail "settings file does not start with FF FE"
text="$(settings)"
expect() { grep -qxF "$1" <<<"$text" || { echo "$text" >&2; fail "settings file lacks '$1'"; }; }
expect "[Program]"
expect "TestIni=eeee"
# F1 hid the menu and started the autopilot, so the pose is wherever it flew:
# whole numbers for the position, "%f" angles.
expect_form() { grep -qE "^$1\$" <<<"$text" || { echo "$text" >&2; fail "settings file lacks $1"; }; }
for key in m_p_x m_p_y m_p_z; do expect_form "$key=-?[0-9]+"; done
for key in m_w_x m_w_y m_w_z; do expect_form "$key=-?[0-9]+\.[0-9]{6}"; done
expect "show_info2=0"
grep -qE '^m_win_rc=-?[0-9]+;-?[0-9]+;-?[0-9]+;-?[0-9]+;[0-9];x,y,w,h,SW$' <<<"$text" ||
  { echo "$text" >&2; fail "settings file lacks a window placement"; }
echo "e2e: window keys and settings file OK"
