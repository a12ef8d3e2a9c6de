#!/usr/bin/env bash
# A program file whose string archive cannot be found says so and ends with
# exit code 0 before it creates its window or touches the settings.
set -euo pipefail
program="$1"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/morvandel-gauge"
# Spoil both archive markers (and nothing else: they occur only there).
perl -0777 -pi -e 's/SDSGDGSDHREETETBCNMJUKR/SDSGDGSDHREETETBCNMJUKX/g' "$work/morvandel-gauge"

export XDG_CONFIG_HOME="$work/config"
unset DISPLAY WAYLAND_DISPLAY
set +e
"$work/morvandel-gauge" >"$work/out.log" 2>&1
code=$?
set -e
cat "$work/out.log"
[ "$code" -eq 0 ] || { echo "FAIL: exit code $code, expected 0"; exit 1; }
grep -q "Error! Loading language file string archive" "$work/out.log" ||
  { echo "FAIL: no message about the archive"; exit 1; }
[ ! -e "$XDG_CONFIG_HOME" ] || { echo "FAIL: settings were touched"; exit 1; }
echo "e2e: missing archive reported, exit 0"
