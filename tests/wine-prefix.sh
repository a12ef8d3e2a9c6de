#!/bin/sh
# Makes the tests' Wine prefix once: wine-prefix.sh <wine-run.sh> <prefix>.
# Wine then places and sizes its windows itself, as a desktop's window
# manager would (a virtual X display has none, and a maximised window would
# otherwise keep its old size on the X side).
set -eu
"$1" "$2" wineboot --init
"$1" "$2" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
