# Sourced by the end-to-end scripts that run the program and look at what it
# printed: $work must name the script's scratch folder.

# Ends the test with the reason and what the last run printed.
fail() {
  echo "FAIL: $*" >&2
  for f in out err; do [ -s "$work/$f" ] && sed "s/^/$f: /" "$work/$f" >&2; done
  exit 1
}

# Runs the program with the given arguments; sets $code, output in out/err.
run() {
  set +e
  "$@" >"$work/out" 2>"$work/err"
  code=$?
  set -e
}
