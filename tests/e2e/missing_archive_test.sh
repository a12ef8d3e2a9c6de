#!/usr/bin/env bash
# A program file whose string archive cannot be found says what is missing
# and what to do, in the desktop's language (English where it has no words),
# and ends with exit code 1 before it creates its window or touches the
# settings.
set -euo pipefail
program="$1"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/morvandel-gauge"
# Spoil both archive markers (and nothing else: they occur only there).
perl -0777 -pi -e 's/SDSGDGSDHREETETBCNMJUKR/SDSGDGSDHREETETBCNMJUKX/g' "$work/morvandel-gauge"

export XDG_CONFIG_HOME="$work/config"
unset DISPLAY WAYLAND_DISPLAY LC_MESSAGES LANG
for case in "C|Morvandel.Gauge cannot start: The program's texts could not be read" \
            "de_DE.UTF-8|Morvandel.Gauge kann nicht starten: Die Texte des Programms" \
            "ja_JP.UTF-8|Install Morvandel.Gauge again."; do
  locale="${case%%|*}"
  words="${case#*|}"
  set +e
  LC_ALL="$locale" "$work/morvandel-gauge" >"$work/out.log" 2>&1
  code=$?
  set -e
  cat "$work/out.log"
  [ "$code" -eq 1 ] || { echo "FAIL: $locale: exit code $code, expected 1"; exit 1; }
  grep -qF "$words" "$work/out.log" || { echo "FAIL: $locale: no \"$words\""; exit 1; }
  ! grep -q "INFO:" "$work/out.log" || { echo "FAIL: $locale: a library's log prefix"; exit 1; }
done
[ ! -e "$XDG_CONFIG_HOME" ] || { echo "FAIL: settings were touched"; exit 1; }
echo "e2e: missing archive reported, exit 1"
