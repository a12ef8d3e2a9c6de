#!/bin/sh
# Runs a Windows program under Wine in a prefix of the build's own, headless:
#   wine-run.sh <prefix folder> <program.exe or Wine command> [arguments...]
# No Mono or Gecko installers are offered when the prefix is made, and Wine's
# own diagnostics stay quiet, so that a test's output is its own. Its ALSA
# driver is left out: these machines have no sound card, and it would fill
# standard error with its search for one (DirectSound then finds no device).
set -eu
WINEPREFIX="$1"
shift
WINEDEBUG="${WINEDEBUG:--all}"
WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
exec "${MG_WINE:-wine}" "$@"
